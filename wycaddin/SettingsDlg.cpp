#include "stdafx.h"

#include "SettingsDlg.h"

namespace {

const char kDefaultTableFile[] = "UIRCallbackTable.c";
const char kNoActiveProject[] = "No Active Project";

}  // namespace

CSettingsDlg::CSettingsDlg(CWnd* pParent)
    : CDialog(CSettingsDlg::IDD, pParent), m_bHasProject(FALSE), m_bMaintainTable(FALSE) {}

void CSettingsDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_MAINTAIN_TABLE, m_bMaintainTable);
  DDX_Text(pDX, IDC_TABLE_FILE, m_strTableFile);
}

BOOL CSettingsDlg::OnInitDialog() {
  CString text;
  text.LoadString(IDS_MAINTAIN_TABLE);
  SetDlgItemText(IDC_MAINTAIN_TABLE, text);
  text.LoadString(IDS_ACTIVE_PROJECT);
  SetDlgItemText(IDC_ACTIVE_PROJECT_LABEL, text);
  SetDlgItemText(IDC_ACTIVE_PROJECT, m_strProjectName.IsEmpty() ? kNoActiveProject : m_strProjectName);
  const BOOL result = CDialog::OnInitDialog();
  GetDlgItem(IDC_TABLE_FILE)->EnableWindow(m_bHasProject && m_bMaintainTable);
  GetDlgItem(IDC_MAINTAIN_TABLE)->EnableWindow(m_bHasProject);
  return result;
}

void CSettingsDlg::OnMaintainTable() {
  const BOOL bTicked = IsDlgButtonChecked(IDC_MAINTAIN_TABLE) == BST_CHECKED;
  GetDlgItem(IDC_TABLE_FILE)->EnableWindow(bTicked);
  if (!bTicked) return;
  CString tableFile;
  GetDlgItemText(IDC_TABLE_FILE, tableFile);
  if (tableFile.IsEmpty()) SetDlgItemText(IDC_TABLE_FILE, m_strProjectDir + kDefaultTableFile);
}

BEGIN_MESSAGE_MAP(CSettingsDlg, CDialog)
ON_BN_CLICKED(IDC_MAINTAIN_TABLE, OnMaintainTable)
END_MESSAGE_MAP()
