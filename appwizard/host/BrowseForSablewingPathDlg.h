// The host's path step (dialog 104), shown while the product path is unknown or its "appwizards"
// folder holds no plug-in: Browse lets the user point at the installation, and Next is usable
// once a browse found a folder with a plug-in.
#pragma once

#include "stdafx.h"

#include "plugin/CustomAppWizStepDlg.h"

class CAppWizardsLoader;

class CBrowseForSablewingPathDlg : public CCustomAppWizStepDlg {
 public:
  explicit CBrowseForSablewingPathDlg(CAppWizardsLoader* pLoader);
  ~CBrowseForSablewingPathDlg() override;

  void ArrangeFrameAndPaint(CDC* pDC, BOOL bShowHelp, BOOL bDrawBadge) override;

  CAppWizardsLoader* m_pLoader;
  bool m_bNoValidAppWizard;

 protected:
  afx_msg void OnBrowse();
  DECLARE_MESSAGE_MAP()
};
