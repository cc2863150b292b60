// Taking over existing windows (subclassing), changing styles and fonts, positions, and the
// static control's class.
#include <afxwin.h>

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!::IsWindow(hWnd) || !Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  const auto previous =
      reinterpret_cast<WNDPROC>(::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
  if (previous != AfxWndProc) m_pfnSuper = previous;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  const HWND control = ::GetDlgItem(pParent->GetSafeHwnd(), static_cast<int>(nID));
  return control != NULL && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow() {
  if (m_pfnSuper != NULL) ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = NULL;
  return Detach();
}

void CWnd::PreSubclassWindow() {}

namespace {

BOOL ModifyLong(HWND hWnd, int index, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  const auto before = static_cast<DWORD>(::GetWindowLong(hWnd, index));
  const DWORD after = (before & ~dwRemove) | dwAdd;
  if (before == after) return FALSE;
  ::SetWindowLong(hWnd, index, static_cast<LONG>(after));
  if (nFlags != 0)
    ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
  ::SendMessage(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(pFont != NULL ? pFont->m_hObject : NULL), bRedraw);
}

CFont* CWnd::GetFont() const {
  return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0)));
}

// The z-order places are objects over the platform's special handles, in no map.
CWnd::CWnd(HWND hWndPlace) : m_hWnd(hWndPlace), m_pfnSuper(NULL) {}

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
  return ::SetWindowPos(m_hWnd, pWndInsertAfter != NULL ? pWndInsertAfter->m_hWnd : NULL, x, y, cx, cy, nFlags);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }

void CWnd::ClientToScreen(LPRECT lpRect) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }

void CWnd::ScreenToClient(LPRECT lpRect) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

IMPLEMENT_DYNAMIC(CStatic, CWnd)

CStatic::CStatic() = default;

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(_T("STATIC"), lpszText, dwStyle, rect, pParentWnd, nID);
}
