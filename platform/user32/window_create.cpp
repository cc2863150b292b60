// CreateWindowEx: the window object, the CBT hook's say, and the creation messages.
#include "hooks.h"
#include "user_state.h"

namespace user32 {
namespace {

constexpr int kDefaultWidth = 640, kDefaultHeight = 480;

// CW_USEDEFAULT: a top-level window at (0, 0), 640 x 480; a child at 0 and of size 0.
void ApplyDefaults(CREATESTRUCT& cs, bool child) {
  if (cs.x == CW_USEDEFAULT) cs.x = cs.y = 0;
  if (cs.cx == CW_USEDEFAULT) {
    cs.cx = child ? 0 : kDefaultWidth;
    cs.cy = child ? 0 : kDefaultHeight;
  }
}

// Makes the window object, in the table but not yet in the tree (a CBT hook decides first).
std::shared_ptr<Window> MakeWindow(const CREATESTRUCT& cs, HWND parent, bool child) {
  std::lock_guard<std::mutex> g(Lock());
  auto windowClass = FindClassLocked(cs.lpszClass, cs.hInstance);
  if (!windowClass) return Fail<std::shared_ptr<Window>>(ERROR_CANNOT_FIND_WND_CLASS, nullptr);
  auto window = std::make_shared<Window>();
  window->parent = S().desktop;
  if (child || parent != nullptr) {
    auto p = FindLocked(parent);
    if (!p) return Fail<std::shared_ptr<Window>>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
    if (child)
      window->parent = parent;
    else if (parent != S().desktop)
      window->owner = RootLocked(parent);  // an owner is always a top-level window
  }
  window->handle = NewHandleLocked();
  window->windowClass = windowClass;
  ++windowClass->windows;
  window->proc = windowClass->proc;
  window->thread = GetCurrentThreadId();
  window->instance = cs.hInstance;
  window->id = reinterpret_cast<LONG_PTR>(cs.hMenu);
  window->style = static_cast<DWORD>(cs.style) & ~WS_VISIBLE;
  window->exStyle = cs.dwExStyle;
  window->extra.assign(static_cast<size_t>(windowClass->windowExtraBytes), 0);
  S().windows.emplace(reinterpret_cast<uintptr_t>(window->handle), window);
  return window;
}

}  // namespace
}  // namespace user32

using namespace user32;

extern "C" {

WINUSERAPI HWND WINAPI CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                                      int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                                      LPVOID param) {
  if (className == nullptr) return Fail<HWND>(ERROR_CANNOT_FIND_WND_CLASS, nullptr);
  if (parent == HWND_MESSAGE) STANDIN_UNMODELLED_LASTERROR(nullptr);
  const bool child = (style & WS_CHILD) != 0;
  if (child && parent == nullptr) return Fail<HWND>(ERROR_TLW_WITH_WSCHILD, nullptr);
  MyQueue();  // the window belongs to this thread, which now needs its queue
  CREATESTRUCT cs{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style), windowName,
                  className, exStyle};
  auto window = MakeWindow(cs, parent, child);
  if (!window) return nullptr;
  const HWND handle = window->handle;

  // The hook may change the CREATESTRUCT (the title, the styles, the rectangle) or refuse the
  // window; a refused window is gone before anyone but the hook has seen it.
  CBT_CREATEWND cbt{&cs, child ? HWND_BOTTOM : HWND_TOP};
  if (CallHooks(WH_CBT, HCBT_CREATEWND, reinterpret_cast<WPARAM>(handle), reinterpret_cast<LPARAM>(&cbt)) != 0) {
    std::lock_guard<std::mutex> g(Lock());
    ForgetTreeLocked(handle);
    return nullptr;
  }
  ApplyDefaults(cs, child);
  {
    std::lock_guard<std::mutex> g(Lock());
    if (!FindLocked(handle)) return nullptr;  // the hook destroyed it
    window->style = static_cast<DWORD>(cs.style) & ~WS_VISIBLE;
    window->exStyle = cs.dwExStyle;
    window->rect = {cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy};
    LinkLocked(*window, window->parent, cbt.hwndInsertAfter);
  }

  if (!SendMessage(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    DestroyWindow(handle);
    return nullptr;
  }
  // The procedure says where the client area lies within the window rectangle; DefWindowProc
  // leaves it all client area. The answer stays the window's frame for its life.
  RECT client = {cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy};
  SendMessage(handle, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
  {
    std::lock_guard<std::mutex> g(Lock());
    if (!FindLocked(handle)) return nullptr;
    SetFrameLocked(*window, client);
  }
  if (SendMessage(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  if (!IsWindow(handle)) return nullptr;  // a handler destroyed it
  {
    std::lock_guard<std::mutex> g(Lock());
    client = window->rect;  // where the client area lies in the parent's
  }
  SendMessage(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right - client.left, client.bottom - client.top));
  SendMessage(handle, WM_MOVE, 0, MAKELPARAM(client.left, client.top));
  if (child && (cs.dwExStyle & WS_EX_NOPARENTNOTIFY) == 0)
    SendMessage(GetParent(handle), WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, window->id),
                reinterpret_cast<LPARAM>(handle));
  if (cs.style & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
  return IsWindow(handle) ? handle : nullptr;
}

}  // extern "C"
