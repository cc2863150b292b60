#include "stdafx.h"

#include "SavePromptDlg.h"

CSavePromptDlg::CSavePromptDlg(CWnd* pParent) : CDialog(CSavePromptDlg::IDD, pParent), m_bDontShowAgain(FALSE) {}

void CSavePromptDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_DONT_SHOW_AGAIN, m_bDontShowAgain);
}

BOOL CSavePromptDlg::OnInitDialog() {
  CString text;
  text.LoadString(IDS_SAVE_PROJECT_PROMPT);
  SetDlgItemText(IDC_SAVE_PROJECT_PROMPT, text);
  text.LoadString(IDS_DONT_SHOW_AGAIN);
  SetDlgItemText(IDC_DONT_SHOW_AGAIN, text);
  return CDialog::OnInitDialog();
}
