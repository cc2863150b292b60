// The question whether to convert a project made for the previous library version as it opens,
// with the conversion options and the backup choice.
#pragma once

#include "AddInDlg.h"
#include "SablewingPreferences.h"

class CConversionPromptDlg : public CAddInDlg {
 public:
  // The options and the backup check come from the preferences, whatever `backup` says.
  CConversionPromptDlg(CInformationDepot* pDepot, bool backup, CWnd* pParent = NULL);
  ~CConversionPromptDlg() override;

  CString GetHelpTopic() override;

  int m_nUpgradeOption;  // the combo box's index
  BOOL m_bBackup;        // read by the caller once the dialog has closed
  CSablewingPreferences m_preferences;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  // Yes and No both store the chosen option.
  void OnOK() override;
  void OnCancel() override;
};

// The preference UpgradeOptions as an index of the options' combo box: a value outside the three
// options shows the first.
int UpgradeOptionIndex();
