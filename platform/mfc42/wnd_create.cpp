// Making windows for objects. While CreateEx makes a window, a CBT hook on the thread attaches the
// window to its object and gives it AfxWndProc as HCBT_CREATEWND announces it, so the object gets
// every message from WM_NCCREATE on. The class registry of AfxRegisterWndClass lives here too.
#include "wnd_create.h"

#include <cstdio>
#include <mutex>
#include <set>
#include <string>

namespace afx_internal {

struct WndInternals {
  static void SetSuper(CWnd* wnd, WNDPROC proc) { wnd->m_pfnSuper = proc; }
};

}  // namespace afx_internal

namespace {

thread_local CWnd* t_creating = nullptr;  // the object whose window CreateEx is making
thread_local HWND t_attached = nullptr;    // the window the hook attached it to

LRESULT CALLBACK AttachWhileCreating(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && t_creating != nullptr) {
    CWnd* wnd = t_creating;
    t_creating = nullptr;  // only the first window made: a hook may make windows of its own
    const HWND hWnd = reinterpret_cast<HWND>(wParam);
    t_attached = hWnd;
    wnd->Attach(hWnd);
    const auto previous =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    afx_internal::WndInternals::SetSuper(wnd, previous != AfxWndProc ? previous : nullptr);
    wnd->PreSubclassWindow();
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

struct ClassNames {
  std::mutex lock;
  std::set<std::string> names;  // keeps the names AfxRegisterWndClass hands out
};

ClassNames& Names() {
  static ClassNames* names = new ClassNames;  // never destroyed: the names stay valid
  return *names;
}

}  // namespace

HWND mfc42::CreateAttached(CWnd* wnd, const std::function<HWND()>& make, HWND* attached) {
  HHOOK hook = ::SetWindowsHookEx(WH_CBT, AttachWhileCreating, NULL, ::GetCurrentThreadId());
  CWnd* const outerCreating = t_creating;
  const HWND outerAttached = t_attached;
  t_creating = wnd;
  t_attached = nullptr;
  const HWND hWnd = make();
  *attached = t_attached;
  t_creating = outerCreating;
  t_attached = outerAttached;
  ::UnhookWindowsHookEx(hook);
  return hWnd;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  const HINSTANCE instance = AfxGetInstanceHandle();
  char name[128];
  std::snprintf(name, sizeof name, "Afx:%p:%x:%p:%p:%p", static_cast<void*>(instance), nClassStyle,
                static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
  std::lock_guard<std::mutex> g(Names().lock);
  const std::string& kept = *Names().names.insert(name).first;
  WNDCLASS wc{};
  if (!::GetClassInfo(instance, kept.c_str(), &wc)) {
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = instance;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = kept.c_str();
    if (!::RegisterClass(&wc)) AfxThrowResourceException();
  }
  return kept.c_str();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS);
  return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  ASSERT(m_hWnd == NULL);
  CREATESTRUCT cs{lpParam, AfxGetInstanceHandle(), nIDorHMenu, hWndParent, nHeight, nWidth, y, x,
                  static_cast<LONG>(dwStyle), lpszWindowName, lpszClassName, dwExStyle};
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  HWND attached = nullptr;
  const HWND hWnd = mfc42::CreateAttached(
      this,
      [&] {
        return ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
      },
      &attached);
  if (hWnd != NULL) return TRUE;
  // The window was refused. When it got as far as WM_NCDESTROY the object has had its
  // PostNcDestroy (a frame is gone); otherwise (never made, or refused by a hook after ours) it
  // is detached here and gets its PostNcDestroy now, so a failed object ends one way.
  if (attached != nullptr && CWnd::FromHandlePermanent(attached) != this) return FALSE;
  Detach();
  m_pfnSuper = NULL;
  PostNcDestroy();
  return FALSE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd != NULL ? pParentWnd->m_hWnd : NULL,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, void* pContext) {
  ASSERT(pParentWnd != NULL);
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}
