// The wizard frame (wizard_frame.h) and the project's information it asks the user to confirm.
#include "wizard_frame.h"

#include "library_state.h"
#include "mfcapwz_resource.h"
#include "user32/user32_internal.h"

namespace mfcapwz {
namespace {

// The New Project Information dialog: the text CONFIRM.INF expanded to, OK or Cancel.
class CInformationDialog : public CDialog {
 public:
  explicit CInformationDialog(const std::string& text) : m_text(text) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    // The edit shows line breaks as the platform's multi-line edits take them.
    CString shown;
    for (char c : m_text) {
      if (c == '\n') shown += '\r';
      shown += c;
    }
    SetDlgItemText(IDC_INFORMATION_TEXT, shown);
    return TRUE;
  }

 private:
  std::string m_text;
};

BOOL RouteInFrame(MSG* message, void* context) { return static_cast<CWizardFrame*>(context)->Route(message); }

// A dialog of the library's resources, made modeless and run in the dialog manager's modal loop
// as the scripted user's modal of `kind`; destroyed after.
int RunOfKind(CDialog& dialog, UINT id, HWND owner, const char* kind, const char* text, user32::ModalFilter filter,
              void* context) {
  if (!dialog.Create(id, owner != NULL ? CWnd::FromHandle(owner) : NULL)) return -1;
  const int result = static_cast<int>(user32::RunModalDialog(dialog.m_hWnd, filter, context, kind, text));
  if (dialog.m_hWnd != NULL) dialog.DestroyWindow();
  return result;
}

}  // namespace

BEGIN_MESSAGE_MAP(CWizardFrame, CDialog)
ON_COMMAND(IDC_WIZARD_BACK, OnBack)
ON_COMMAND(IDC_WIZARD_FINISH, OnFinish)
END_MESSAGE_MAP()

CWizardFrame::CWizardFrame(CCustomAppWiz* appWiz, const std::string& title)
    : m_pAppWiz(appWiz), m_title(title), m_pStep(nullptr), m_nPosition(0) {}

CWizardFrame::~CWizardFrame() = default;

int CWizardFrame::Run(HWND owner) {
  Library().frame = this;
  const int result = RunOfKind(*this, IDD_WIZARD_FRAME, owner, "AppWizard", m_title.c_str(), RouteInFrame, this);
  Library().frame = nullptr;
  m_pStep = nullptr;
  return result == IDOK ? IDOK : IDCANCEL;
}

// The platform's dialog frame: SM_CXDLGFRAME at the sides and bottom, the caption and the frame
// above.
LRESULT CWizardFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCALCSIZE && wParam == FALSE) {
    RECT* r = reinterpret_cast<RECT*>(lParam);
    r->left += ::GetSystemMetrics(SM_CXDLGFRAME);
    r->right -= ::GetSystemMetrics(SM_CXDLGFRAME);
    r->top += ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYDLGFRAME);
    r->bottom -= ::GetSystemMetrics(SM_CYDLGFRAME);
    return 0;
  }
  return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CWizardFrame::OnInitDialog() {
  CDialog::OnInitDialog();
  // The template gives the client area's size; the window is that and the frame.
  SetWindowPos(NULL, 0, 0, kFrameClientWidth + 2 * ::GetSystemMetrics(SM_CXDLGFRAME),
               kFrameClientHeight + ::GetSystemMetrics(SM_CYCAPTION) + 2 * ::GetSystemMetrics(SM_CYDLGFRAME),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowText(m_title.c_str());
  Enter(m_pAppWiz->Next(NULL), 1);
  return TRUE;
}

void CWizardFrame::Enter(CAppWizStepDlg* step, int position) {
  if (m_pStep != nullptr && m_pStep->m_hWnd != NULL) m_pStep->DestroyWindow();
  m_pStep = step;
  m_nPosition = position;
  FollowStepCount();
  if (step == nullptr) return;
  if (!step->CreateFor(step->m_pStepModule, MAKEINTRESOURCE(step->m_nIDTemplate), this)) {
    TRACE("the step page's template %u is not along the resource chain\n", step->m_nIDTemplate);
    m_pStep = nullptr;
    return;
  }
  step->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  step->OnEnterStep();
  step->ShowWindow(SW_SHOW);
  step->UpdateWindow();
}

void CWizardFrame::FollowStepCount() {
  const int steps = Library().steps;
  if (steps < 0) return;
  auto enable = [this](int id, bool on) {
    if (CWnd* button = GetDlgItem(id)) button->EnableWindow(on);
  };
  enable(IDC_WIZARD_BACK, m_nPosition > 1);
  enable(IDC_WIZARD_NEXT, m_nPosition < steps);
  enable(IDC_WIZARD_FINISH, true);
}

void CWizardFrame::OnOK() {
  if (m_pStep == nullptr || !m_pStep->OnDismiss()) return;
  CAppWizStepDlg* next = m_pAppWiz->Next(m_pStep);
  if (next != nullptr) Enter(next, m_nPosition + 1);
}

void CWizardFrame::OnBack() {
  CAppWizStepDlg* back = m_pAppWiz->Back(m_pStep);
  if (back == nullptr) {
    EndDialog(IDCANCEL);
    return;
  }
  Enter(back, m_nPosition > 1 ? m_nPosition - 1 : 1);
}

void CWizardFrame::OnFinish() {
  if (m_pStep != nullptr && !m_pStep->OnDismiss()) return;
  if (Confirm()) EndDialog(IDOK);
  else if (!Library().refusal.empty()) EndDialog(IDCANCEL);
}

void CWizardFrame::OnCancel() { EndDialog(IDCANCEL); }

bool CWizardFrame::Confirm() {
  LibraryState& library = Library();
  library.templateName = "CONFIRM.INF";
  DWORD size = 0;
  LPCTSTR text = m_pAppWiz->LoadTemplate("CONFIRM.INF", size, library.appWizModule);
  CTemplateOutput information;
  if (text != NULL) m_pAppWiz->ProcessTemplate(text, size, &information);
  if (!library.refusal.empty()) return false;
  CInformationDialog dialog(information.GetText());
  return RunOfKind(dialog, IDD_NEW_PROJECT_INFORMATION, m_hWnd, "NewProjectInformation",
                   information.GetText().c_str(), nullptr, nullptr) == IDOK;
}

BOOL CWizardFrame::Route(MSG* pMsg) {
  bool stepSaw = false;
  for (HWND hWnd = pMsg->hwnd; hWnd != NULL && hWnd != m_hWnd; hWnd = ::GetParent(hWnd)) {
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (wnd == NULL) continue;
    stepSaw = stepSaw || wnd == m_pStep;
    if (wnd->PreTranslateMessage(pMsg)) return TRUE;
  }
  if (!stepSaw && m_pStep != nullptr && m_pStep->m_hWnd != NULL && m_pStep->PreTranslateMessage(pMsg)) return TRUE;
  if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) && pMsg->wParam == VK_F1) {
    if (pMsg->message == WM_KEYDOWN) {
      HWND focus = ::GetFocus();
      if (focus == NULL || (focus != m_hWnd && !::IsChild(m_hWnd, focus))) focus = m_hWnd;
      HELPINFO info{sizeof(HELPINFO), HELPINFO_WINDOW, ::GetDlgCtrlID(focus), focus, 0, pMsg->pt};
      ::SendMessage(focus, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    }
    return TRUE;
  }
  return FALSE;
}

}  // namespace mfcapwz
