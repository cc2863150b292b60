// The confirmation before the conversion command converts the open project, with the backup
// choice.
#pragma once

#include "AddInDlg.h"

class CConversionConfirmDlg : public CAddInDlg {
 public:
  CConversionConfirmDlg(CInformationDepot* pDepot, CWnd* pParent = NULL);
  ~CConversionConfirmDlg() override;

  BOOL m_bBackup;  // from the preference BackupProjectFiles; read by the caller after Yes

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
