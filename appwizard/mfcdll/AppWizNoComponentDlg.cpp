#include "stdafx.h"

#include "mfcdll/AppWizNoComponentDlg.h"

#include "mfcdll/MFCDLLResource.h"

CAppWizNoComponentDlg::CAppWizNoComponentDlg() : CCustomAppWizStepDlg(IDD_APPWIZ_NO_COMPONENT) {}

CAppWizNoComponentDlg::~CAppWizNoComponentDlg() {}

void CAppWizNoComponentDlg::ArrangeFrameAndPaint(CDC* pDC, BOOL bShowHelp, BOOL bDrawBadge) {
  CCustomAppWizStepDlg::ArrangeFrameAndPaint(pDC, bShowHelp, TRUE);
  (void)bDrawBadge;
  if (bShowHelp) {
    HideFrameItem(IDC_FRAME_HELP);
    DisableFrameItem(IDC_FRAME_BACK);
    DisableFrameItem(IDC_FRAME_NEXT);
  } else {
    EnableFrameItem(IDC_FRAME_BACK);
    DisableFrameItem(IDC_FRAME_NEXT);
  }
}
