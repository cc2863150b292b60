// The host's component-problem step (dialog 108), shown instead of the project-type step when the
// component catalogue cannot be loaded: only Cancel leads on.
#pragma once

#include "stdafx.h"

#include "plugin/CustomAppWizStepDlg.h"

class CComponentProblemDlg : public CCustomAppWizStepDlg {
 public:
  CComponentProblemDlg();
  ~CComponentProblemDlg() override;

  void ArrangeFrameAndPaint(CDC* pDC, BOOL bShowHelp, BOOL bDrawBadge) override;
};
