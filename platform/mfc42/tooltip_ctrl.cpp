// CToolTipCtrl: the object over comctl32's tooltip control.
#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {

// The tool for a window (no id: the whole window, in its parent) or a rectangle with an id. The
// older, shorter TOOLINFO without lParam is what MFC of this age passes.
TOOLINFO ToolFor(CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFO info{};
  info.cbSize = offsetof(TOOLINFO, lParam);
  const HWND hWnd = pWnd->GetSafeHwnd();
  if (nIDTool == 0) {
    info.hwnd = ::GetParent(hWnd);
    info.uFlags = TTF_IDISHWND;
    info.uId = reinterpret_cast<UINT_PTR>(hWnd);
  } else {
    info.hwnd = hWnd;
    info.uId = nIDTool;
  }
  return info;
}

}  // namespace

CToolTipCtrl::CToolTipCtrl() = default;

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
  const INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES};
  if (!InitCommonControlsEx(&init)) return FALSE;
  return CWnd::CreateEx(0, TOOLTIPS_CLASS, NULL, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), NULL, NULL);
}

void CToolTipCtrl::Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate, 0); }

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  TOOLINFO info = ToolFor(pWnd, nIDTool);
  if (lpRectTool != NULL) info.rect = *lpRectTool;
  info.lpszText = const_cast<LPSTR>(lpszText);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, HINSTANCE hInstText, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  TOOLINFO info = ToolFor(pWnd, nIDTool);
  if (lpRectTool != NULL) info.rect = *lpRectTool;
  info.hinst = hInstText;
  info.lpszText = MAKEINTRESOURCE(nIDText);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFO info = ToolFor(pWnd, nIDTool);
  SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFO info = ToolFor(pWnd, nIDTool);
  info.lpszText = const_cast<LPSTR>(lpszText);
  SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }

void CToolTipCtrl::Pop() { SendMessage(TTM_POP, 0, 0); }

int CToolTipCtrl::SetMaxTipWidth(int iWidth) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth)); }

int CToolTipCtrl::GetToolCount() const {
  return static_cast<int>(::SendMessage(m_hWnd, TTM_GETTOOLCOUNT, 0, 0));
}
