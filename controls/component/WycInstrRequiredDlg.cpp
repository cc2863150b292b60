#include "component/WycInstrRequiredDlg.h"

#include "ControlsResource.h"

CWycInstrRequiredDlg::CWycInstrRequiredDlg() : CDialog(IDD_WYC_INSTR_REQUIRED, NULL), m_bDontShowAgain(FALSE) {}

CWycInstrRequiredDlg::~CWycInstrRequiredDlg() {}

void CWycInstrRequiredDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_WYC_DONT_SHOW_AGAIN, m_bDontShowAgain);
  DDX_Text(pDX, IDC_WYC_INSTR_PATH, m_strPath);
}

void CWycInstrRequiredDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  m_preferences.SetDontDisplayWycInstrWarning(!m_bDontShowAgain);
  EndDialog(IDOK);
}
