// The news that the project was converted, with the backup copies made, and the choice not to be
// told again.
#pragma once

#include <list>

#include "AddInDlg.h"
#include "SablewingPreferences.h"

class CConversionSuccessDlg : public CAddInDlg {
 public:
  // The list of backup paths is borrowed; it is shown only when backups were made.
  CConversionSuccessDlg(CInformationDepot* pDepot, bool backupsMade, const std::list<CString>* pBackupPaths,
                        CWnd* pParent = NULL);
  ~CConversionSuccessDlg() override;

  CListBox m_backupList;
  CStatic m_backupLabel;
  BOOL m_bDontShowAgain;
  CSablewingPreferences m_preferences;
  bool m_bBackupsMade;
  const std::list<CString>* m_pBackupPaths;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  // The backup paths, scrollable across to the widest.
  BOOL OnInitDialog() override;
  // The dialog's one button (OK, the cancel command) stores the choice and closes.
  void OnCancel() override;
};
