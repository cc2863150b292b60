#include "PreferencesDlg.h"

#include "AboutDlg.h"
#include "AddinDialogsResource.h"
#include "ConversionPromptDlg.h"

BEGIN_MESSAGE_MAP(CPreferencesDlg, CAddInDlg)
ON_BN_CLICKED(IDC_ABOUT_BUTTON, OnAbout)
END_MESSAGE_MAP()

CPreferencesDlg::CPreferencesDlg(CInformationDepot* pDepot, CWnd* pParent)
    : CAddInDlg(pDepot, IDD_PREFERENCES, pParent),
      m_bWycWarning(CSablewingPreferences::GetDontDisplayWycInstrWarning()),
      m_nUpgradeOption(UpgradeOptionIndex()),
      m_bBackup(CSablewingPreferences::GetBackupProjectFiles()),
      m_bShowSuccess(CSablewingPreferences::GetShowConvertSuccessfulDlg()) {}

CPreferencesDlg::~CPreferencesDlg() {}

CString CPreferencesDlg::GetHelpTopic() { return _T("tqvcmain.chm::\\hdipref.htm"); }

void CPreferencesDlg::DoDataExchange(CDataExchange* pDX) {
  CAddInDlg::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_WYC_WARNING, m_bWycWarning);
  DDX_CBIndex(pDX, IDC_UPGRADE_OPTIONS, m_nUpgradeOption);
  DDX_Check(pDX, IDC_BACKUP_FILES, m_bBackup);
  DDX_Check(pDX, IDC_SHOW_SUCCESS, m_bShowSuccess);
}

void CPreferencesDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  m_preferences.SetDontDisplayWycInstrWarning(m_bWycWarning != FALSE);
  m_preferences.SetUpgradeOptions(static_cast<DWORD>(m_nUpgradeOption));
  m_preferences.SetBackupProjectFiles(m_bBackup != FALSE);
  m_preferences.SetShowConvertSuccessfulDlg(m_bShowSuccess != FALSE);
  EndDialog(IDOK);
}

void CPreferencesDlg::OnAbout() {
  CAboutDlg about(this);
  about.DoModal();
}
