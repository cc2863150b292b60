#include "stdafx.h"

#include "host/BrowseForSablewingPathDlg.h"

#include "CatalogueResource.h"
#include "InformationDepot.h"
#include "host/AppWizardsLoader.h"
#include "host/HostResource.h"
#include "plugin/CurrentDepot.h"

BEGIN_MESSAGE_MAP(CBrowseForSablewingPathDlg, CCustomAppWizStepDlg)
ON_BN_CLICKED(IDC_BROWSE_FOR_PATH, OnBrowse)
END_MESSAGE_MAP()

CBrowseForSablewingPathDlg::CBrowseForSablewingPathDlg(CAppWizardsLoader* pLoader)
    : CCustomAppWizStepDlg(IDD_BROWSE_FOR_PATH), m_pLoader(pLoader), m_bNoValidAppWizard(true) {}

CBrowseForSablewingPathDlg::~CBrowseForSablewingPathDlg() {}

void CBrowseForSablewingPathDlg::ArrangeFrameAndPaint(CDC* pDC, BOOL bShowHelp, BOOL bDrawBadge) {
  CCustomAppWizStepDlg::ArrangeFrameAndPaint(pDC, bShowHelp, TRUE);
  if (bShowHelp) {
    HideFrameItem(IDC_FRAME_HELP);
    if (m_bNoValidAppWizard)
      DisableFrameItem(IDC_FRAME_NEXT);
    else
      EnableFrameItem(IDC_FRAME_NEXT);
  } else {
    EnableFrameItem(IDC_FRAME_NEXT);
  }
  (void)bDrawBadge;
}

void CBrowseForSablewingPathDlg::OnBrowse() {
  if (g_pCurrentDepot->BrowseForProductPath(m_hWnd).IsEmpty()) return;
  if (m_pLoader->LoadAll()) {
    EnableFrameItem(IDC_FRAME_NEXT);
    m_bNoValidAppWizard = false;
    return;
  }
  CString text, caption;
  text.LoadString(IDS_NO_VALID_APPWIZARDS);
  caption.LoadString(IDS_PRODUCT_NAME);
  MessageBox(text, caption, MB_OK);
}
