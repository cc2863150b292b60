// CDialog: modal dialogs through the dialog manager's one modal loop, modeless ones, and what a
// dialog does at its start (RT_DLGINIT, UpdateData) and with OK and Cancel.
#include <afxwin.h>
#include <commctrl.h>

#include "user32/user32_internal.h"
#include "wnd_create.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {

// Before a modal dialog's message is dispatched: the PreTranslateMessage of the objects of its
// window and the window's parents (the dialog's own uses the dialog manager's keyboard).
BOOL PreTranslateInModalLoop(MSG* message, void*) {
  for (HWND hWnd = message->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd))
    if (CWnd* wnd = CWnd::FromHandlePermanent(hWnd); wnd != NULL && wnd->PreTranslateMessage(message)) return TRUE;
  return FALSE;
}

// MFC registers the common controls' classes before it makes any dialog, so that a template may
// hold a tree view without the program having called InitCommonControls.
void RegisterCommonControls() { ::InitCommonControls(); }

HWND TopLevelOf(HWND window) {
  while (window != NULL && (::GetWindowLong(window, GWL_STYLE) & WS_CHILD)) window = ::GetParent(window);
  return window;
}

}  // namespace

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
  return dialog != NULL ? dialog->OnInitDialog() : TRUE;
}

CDialog::CDialog() : CDialog(nullptr, NULL, NULL) {}

CDialog::CDialog(const void* caller, LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName),
      m_lpDialogTemplate(NULL),
      m_pParentWnd(pParentWnd),
      m_pCallerModule(caller) {}

CDialog::~CDialog() {
  if (m_hWnd != NULL) DestroyWindow();
}

HWND CDialog::OwnerWindow() const {
  if (m_pParentWnd != NULL) return TopLevelOf(m_pParentWnd->m_hWnd);
  CWnd* main = AfxGetMainWnd();
  return main != NULL ? main->m_hWnd : NULL;
}

BOOL CDialog::CreateFor(const void* caller, LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
  ASSERT(m_hWnd == NULL);
  m_pCallerModule = caller;
  m_lpszTemplateName = lpszTemplateName;
  if (pParentWnd != NULL) m_pParentWnd = pParentWnd;
  const HINSTANCE module = afx_internal::FindResourceHandle(caller, lpszTemplateName, RT_DIALOG);
  RegisterCommonControls();
  HWND attached = NULL;
  const HWND parent = m_pParentWnd != NULL ? m_pParentWnd->m_hWnd : OwnerWindow();
  return mfc42::CreateAttached(
             this, [&] { return ::CreateDialogParam(module, lpszTemplateName, parent, AfxDlgProc, 0); }, &attached) !=
         NULL;
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
  ASSERT(m_hWnd == NULL);
  m_lpDialogTemplate = lpDialogTemplate;
  if (pParentWnd != NULL) m_pParentWnd = pParentWnd;
  RegisterCommonControls();
  HWND attached = NULL;
  const HWND parent = m_pParentWnd != NULL ? m_pParentWnd->m_hWnd : OwnerWindow();
  return mfc42::CreateAttached(
             this,
             [&] {
               return ::CreateDialogIndirectParam(AfxGetInstanceHandle(), lpDialogTemplate, parent, AfxDlgProc, 0);
             },
             &attached) != NULL;
}

int CDialog::DoModal() {
  ASSERT(m_hWnd == NULL);
  HINSTANCE module = NULL;
  if (m_lpDialogTemplate == NULL) {
    module = afx_internal::FindResourceHandle(m_pCallerModule, m_lpszTemplateName, RT_DIALOG);
    if (m_lpszTemplateName == NULL || ::FindResource(module, m_lpszTemplateName, RT_DIALOG) == NULL) return -1;
  }
  const HWND owner = OwnerWindow();
  RegisterCommonControls();
  HWND attached = NULL;
  const HWND dialog = mfc42::CreateAttached(
      this,
      [&] {
        return m_lpDialogTemplate != NULL
                   ? ::CreateDialogIndirectParam(AfxGetInstanceHandle(), m_lpDialogTemplate, owner, AfxDlgProc, 0)
                   : ::CreateDialogParam(module, m_lpszTemplateName, owner, AfxDlgProc, 0);
      },
      &attached);
  if (dialog == NULL) {
    if (m_hWnd != NULL) Detach();
    return -1;
  }
  const int result = static_cast<int>(user32::RunModalDialog(dialog, PreTranslateInModalLoop, this));
  DestroyWindow();
  return result;
}

BOOL CDialog::OnInitDialog() {
  const BOOL items = m_lpszTemplateName != NULL ? ExecuteDlgInitFor(m_pCallerModule, m_lpszTemplateName) : TRUE;
  if (!items) TRACE("Warning: the dialog's initial control data were refused.\n");
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;  // the user has been told; the dialog stays up
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult) {
  ASSERT(::IsWindow(m_hWnd));
  ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && ::IsDialogMessage(m_hWnd, pMsg)) return TRUE;
  return FALSE;
}

void CDialog::NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}
void CDialog::SetDefID(UINT nID) { ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0); }
DWORD CDialog::GetDefID() const { return static_cast<DWORD>(::SendMessage(m_hWnd, DM_GETDEFID, 0, 0)); }
void CDialog::MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
