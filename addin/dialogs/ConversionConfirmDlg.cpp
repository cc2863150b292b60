#include "ConversionConfirmDlg.h"

#include "AddinDialogsResource.h"
#include "SablewingPreferences.h"

CConversionConfirmDlg::CConversionConfirmDlg(CInformationDepot* pDepot, CWnd* pParent)
    : CAddInDlg(pDepot, IDD_CONVERSION_CONFIRM, pParent), m_bBackup(CSablewingPreferences::GetBackupProjectFiles()) {}

CConversionConfirmDlg::~CConversionConfirmDlg() {}

void CConversionConfirmDlg::DoDataExchange(CDataExchange* pDX) {
  CAddInDlg::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_BACKUP_FILES, m_bBackup);
}
