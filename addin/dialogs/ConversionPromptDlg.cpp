#include "ConversionPromptDlg.h"

#include "AddinDialogsResource.h"

int UpgradeOptionIndex() {
  const DWORD option = CSablewingPreferences::GetUpgradeOptions();
  return option <= 2 ? static_cast<int>(option) : 0;
}

CConversionPromptDlg::CConversionPromptDlg(CInformationDepot* pDepot, bool, CWnd* pParent)
    : CAddInDlg(pDepot, IDD_CONVERSION_PROMPT, pParent),
      m_nUpgradeOption(UpgradeOptionIndex()),
      m_bBackup(CSablewingPreferences::GetBackupProjectFiles()) {}

CConversionPromptDlg::~CConversionPromptDlg() {}

CString CConversionPromptDlg::GetHelpTopic() { return _T("tqvcmain.chm::\\hdiconv.htm"); }

void CConversionPromptDlg::DoDataExchange(CDataExchange* pDX) {
  CAddInDlg::DoDataExchange(pDX);
  DDX_CBIndex(pDX, IDC_UPGRADE_OPTIONS, m_nUpgradeOption);
  DDX_Check(pDX, IDC_BACKUP_FILES, m_bBackup);
}

void CConversionPromptDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  m_preferences.SetUpgradeOptions(static_cast<DWORD>(m_nUpgradeOption));
  EndDialog(IDOK);
}

void CConversionPromptDlg::OnCancel() {
  if (!UpdateData(TRUE)) return;
  m_preferences.SetUpgradeOptions(static_cast<DWORD>(m_nUpgradeOption));
  EndDialog(IDCANCEL);
}
