// The message path of a window with an object: AfxWndProc, WindowProc, the message map, commands,
// the default handling, and the object's end with its window.
#include <afxwin.h>

#include "data_exchange.h"

using afx_internal::Signature;

namespace {

// The message each thread's window objects are handling now, for Default().
thread_local MSG t_current{};

}  // namespace

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  // The message being handled, put back however the handler leaves (ExitThread unwinds too).
  struct Current {
    MSG saved = t_current;
    ~Current() { t_current = saved; }
  } current;
  t_current = MSG{hWnd, nMsg, wParam, lParam, 0, {0, 0}};
  try {
    return pWnd->WindowProc(nMsg, wParam, lParam);
  } catch (CException* e) {
    // A user exception means the user has been told already.
    AfxExceptionGuard guard(e);
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) e->ReportError();
    return nMsg == WM_CREATE ? -1 : 0;
  }
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd == NULL) return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
  return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage() { return &t_current; }

LRESULT CWnd::Default() { return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam); }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT result = 0;
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    result = 1;
  } else if (message == WM_NOTIFY) {
    if (!OnNotify(wParam, lParam, &result)) return FALSE;
  } else {
    // Every WM_CTLCOLORxxx goes to the WM_CTLCOLOR entry, with its kind.
    const bool ctlColor = message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    const afx_internal::MessageEntry* entry =
        afx_internal::FindMessageEntry(GetMessageMap(), ctlColor ? WM_CTLCOLOR : message);
    if (entry == nullptr) return FALSE;
    const auto& h = entry->handler;
    switch (entry->signature) {
      case Signature::kMessage:
        result = (this->*h.onMessage)(wParam, lParam);
        break;
      case Signature::kCreate:
        result = (this->*h.onCreate)(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
      case Signature::kTimer:
        (this->*h.onTimer)(static_cast<UINT>(wParam));
        break;
      case Signature::kEraseBkgnd:
        result = (this->*h.onEraseBkgnd)(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        break;
      case Signature::kVoid:
        (this->*h.onCommand)();
        break;
      case Signature::kMouse:
        (this->*h.onMouse)(static_cast<UINT>(wParam),
                           CPoint(static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))));
        break;
      case Signature::kSetCursor:
        result = (this->*h.onSetCursor)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam),
                                        HIWORD(lParam));
        break;
      case Signature::kEnable:
        (this->*h.onEnable)(static_cast<BOOL>(wParam));
        break;
      case Signature::kDrawItem:
        (this->*h.onDrawItem)(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        result = TRUE;
        break;
      case Signature::kMeasureItem:
        (this->*h.onMeasureItem)(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        result = TRUE;
        break;
      case Signature::kInitMenuPopup:
        (this->*h.onInitMenuPopup)(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam),
                                   HIWORD(lParam));
        break;
      case Signature::kKey:
        (this->*h.onKey)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
      case Signature::kWindow:
        (this->*h.onWindow)(CWnd::FromHandle(reinterpret_cast<HWND>(message == WM_CAPTURECHANGED ? lParam : wParam)));
        break;
      case Signature::kContextMenu:
        (this->*h.onContextMenu)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                                 CPoint(static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))));
        break;
      case Signature::kCtlColor:
        if (!ctlColor) return FALSE;
        result = reinterpret_cast<LRESULT>((this->*h.onCtlColor)(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                                                 CWnd::FromHandle(reinterpret_cast<HWND>(lParam)),
                                                                 message - WM_CTLCOLORMSGBOX));
        break;
      default:
        return FALSE;
    }
  }
  if (pResult != NULL) *pResult = result;
  return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != NULL) return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

// A menu or accelerator (no control) is CN_COMMAND whatever its code; a control's notification
// keeps its code and goes to the control's object first.
BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam != 0 && mfc42::NotificationsLockedOut(m_hWnd)) return TRUE;  // UpdateData is setting the controls
  const UINT nID = LOWORD(wParam);
  int nCode = HIWORD(wParam);
  if (lParam == 0) {
    nCode = CN_COMMAND;
  } else if (ReflectLastMsg(reinterpret_cast<HWND>(lParam))) {
    return TRUE;
  }
  return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }

void CWnd::OnDestroy() { Default(); }

void CWnd::OnClose() { Default(); }

void CWnd::OnTimer(UINT) { Default(); }

void CWnd::OnPaint() { Default(); }

BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }

void CWnd::OnNcDestroy() {
  CWinThread* thread = AfxGetThread();
  if (thread != NULL && thread->m_pMainWnd == this) {
    thread->m_pMainWnd = NULL;
    ::PostQuitMessage(0);
  }
  if (thread != NULL && thread->m_pActiveWnd == this) thread->m_pActiveWnd = NULL;
  Default();
  // The window gets its own procedure back, so that nothing reaches the object any more.
  const HWND hWnd = m_hWnd;
  if (m_pfnSuper != NULL && reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hWnd, GWLP_WNDPROC)) == AfxWndProc)
    ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = NULL;
  Detach();
  PostNcDestroy();
}

void CWnd::PostNcDestroy() {}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()
