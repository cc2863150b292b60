// CAppWizStepDlg: a step page of the wizard frame.
#include <customaw.h>

IMPLEMENT_DYNAMIC(CAppWizStepDlg, CDialog)

CAppWizStepDlg::CAppWizStepDlg(const void* caller, UINT nIDTemplate)
    : CDialog(caller, MAKEINTRESOURCE(nIDTemplate), NULL), m_nIDTemplate(nIDTemplate), m_pStepModule(caller) {}

CAppWizStepDlg::~CAppWizStepDlg() = default;

// The keys go to the frame's dialog manager, which hands them to the control they are for (a
// control that wants a key keeps it): a page is no dialog of its own, so Enter is the frame's
// default button and Escape its Cancel. F1 is left to the frame, which asks for help.
BOOL CAppWizStepDlg::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || m_hWnd == NULL) return FALSE;
  if (pMsg->wParam == VK_F1) return FALSE;  // the frame makes help of it
  const HWND frame = ::GetParent(m_hWnd);
  return frame != NULL && ::IsDialogMessage(frame, pMsg);
}

BOOL CAppWizStepDlg::OnDismiss() { return TRUE; }
void CAppWizStepDlg::OnEnterStep() {}
