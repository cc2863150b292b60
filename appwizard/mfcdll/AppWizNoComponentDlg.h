// The MFC DLL plug-in's notice (dialog 210), its step in place of the component step when no
// component is installed: it says so, and only Cancel is usable.
#pragma once

#include "stdafx.h"

#include "plugin/CustomAppWizStepDlg.h"

class CAppWizNoComponentDlg : public CCustomAppWizStepDlg {
 public:
  CAppWizNoComponentDlg();
  ~CAppWizNoComponentDlg() override;

  void ArrangeFrameAndPaint(CDC* pDC, BOOL bShowHelp, BOOL bDrawBadge) override;
};
