// The Add/Remove Components Wizard: the catalogue as a checkable tree. Finish leaves the chosen
// selection in the catalogue's Selected flags for the caller to apply.
#pragma once

#include "AddInDlg.h"
#include "component/ComponentTree.h"
#include "small/NewLabel.h"

class CComponentsWizardDlg : public CAddInDlg {
 public:
  CComponentsWizardDlg(CInformationDepot* pDepot, bool allConfigurationsUseMFC, bool isDllProject,
                       CWnd* pParent = NULL);
  ~CComponentsWizardDlg() override;

  CString GetHelpTopic() override;

  CComponentTree m_componentTree;
  CNewLabel m_downloadLink;
  bool m_bAllConfigurationsUseMFC;
  bool m_bIsDllProject;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  // The tree filled from the catalogue, the driver download link set up.
  BOOL OnInitDialog() override;
  // Asks before a component that needs MFC goes into a project whose configurations do not all
  // use it; No keeps the dialog open.
  void OnOK() override;
  // Every component back to its default selection, with what each needs.
  afx_msg void OnDefaultComponents();
  DECLARE_MESSAGE_MAP()
};
