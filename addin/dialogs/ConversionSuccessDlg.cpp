#include "ConversionSuccessDlg.h"

#include <algorithm>

#include "AddinDialogsResource.h"

CConversionSuccessDlg::CConversionSuccessDlg(CInformationDepot* pDepot, bool backupsMade,
                                             const std::list<CString>* pBackupPaths, CWnd* pParent)
    : CAddInDlg(pDepot, IDD_CONVERSION_SUCCESS, pParent),
      m_bDontShowAgain(FALSE),
      m_bBackupsMade(backupsMade),
      m_pBackupPaths(pBackupPaths) {}

CConversionSuccessDlg::~CConversionSuccessDlg() {}

void CConversionSuccessDlg::DoDataExchange(CDataExchange* pDX) {
  CAddInDlg::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_BACKUP_LIST, m_backupList);
  DDX_Control(pDX, IDC_BACKUP_LABEL, m_backupLabel);
  DDX_Check(pDX, IDC_DONT_SHOW_AGAIN, m_bDontShowAgain);
}

BOOL CConversionSuccessDlg::OnInitDialog() {
  CAddInDlg::OnInitDialog();
  if (!m_bBackupsMade || m_pBackupPaths == NULL) {
    m_backupList.ShowWindow(SW_HIDE);
    m_backupLabel.ShowWindow(SW_HIDE);
    return TRUE;
  }
  // Measured in the list box's own font, as it shows them.
  CClientDC dc(&m_backupList);
  CFont* pOldFont = dc.SelectObject(m_backupList.GetFont());
  int widest = 0;
  for (const CString& path : *m_pBackupPaths) {
    m_backupList.AddString(path);
    widest = std::max(widest, static_cast<int>(dc.GetTextExtent(path).cx));
  }
  dc.SelectObject(pOldFont);
  m_backupList.SetHorizontalExtent(widest);
  return TRUE;
}

void CConversionSuccessDlg::OnCancel() {
  UpdateData(TRUE);
  m_preferences.SetShowConvertSuccessfulDlg(!m_bDontShowAgain);
  EndDialog(IDCANCEL);
}
