// The add-in's preferences: what happens to projects of the previous library version, backups,
// and which messages are shown.
#pragma once

#include "AddInDlg.h"
#include "SablewingPreferences.h"

class CPreferencesDlg : public CAddInDlg {
 public:
  // The controls start from the preferences.
  CPreferencesDlg(CInformationDepot* pDepot, CWnd* pParent = NULL);
  ~CPreferencesDlg() override;

  CString GetHelpTopic() override;

  BOOL m_bWycWarning;    // DontDisplayWycInstrWarning: ticked while the warning is shown
  int m_nUpgradeOption;  // UpgradeOptions
  BOOL m_bBackup;        // BackupProjectFiles
  BOOL m_bShowSuccess;   // ShowConvertSuccessfulDlg
  CSablewingPreferences m_preferences;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  // Writes the preferences; Cancel writes nothing.
  void OnOK() override;
  afx_msg void OnAbout();
  DECLARE_MESSAGE_MAP()
};
