// Positions, sizes and z-order over the stored rectangles; no layout and no frames.
#include "painting.h"

using namespace user32;

namespace {

// The window's top-left corner in screen coordinates.
bool OriginLocked(HWND window, POINT& origin) {
  origin = {0, 0};
  auto w = FindLocked(window);
  if (!w) return false;
  for (; w && w->handle != S().desktop; w = FindLocked(w->parent)) {
    origin.x += w->rect.left;
    origin.y += w->rect.top;
  }
  return true;
}

}  // namespace

extern "C" {

WINUSERAPI BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  auto w = Find(window);
  if (!w) return FALSE;
  WINDOWPOS pos{window, insertAfter, x, y, cx, cy, flags};
  if ((flags & SWP_NOSENDCHANGING) == 0)
    SendMessage(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  bool activate;
  {
    std::lock_guard<std::mutex> g(Lock());
    if (!FindLocked(window)) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    RECT& r = w->rect;
    const RECT before = r;
    const bool showed = ShowsLocked(*w);
    if ((pos.flags & SWP_NOMOVE) == 0 && (pos.x != r.left || pos.y != r.top)) {
      const LONG width = r.right - r.left, height = r.bottom - r.top;
      r = {pos.x, pos.y, pos.x + width, pos.y + height};
    } else {
      pos.flags |= SWP_NOMOVE;
    }
    if ((pos.flags & SWP_NOSIZE) == 0 && (pos.cx != r.right - r.left || pos.cy != r.bottom - r.top)) {
      r.right = r.left + pos.cx;
      r.bottom = r.top + pos.cy;
    } else {
      pos.flags |= SWP_NOSIZE;
    }
    pos.x = r.left;
    pos.y = r.top;
    pos.cx = r.right - r.left;
    pos.cy = r.bottom - r.top;
    if ((pos.flags & SWP_NOZORDER) == 0 && window != S().desktop) {
      if (pos.hwndInsertAfter == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
      if (pos.hwndInsertAfter == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
      LinkLocked(*w, w->parent, pos.hwndInsertAfter);
    }
    if (pos.flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
    if (pos.flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
    // What moved, changed size, appeared or went is painted again where it was and where it is.
    const bool changed = (pos.flags & SWP_NOMOVE) == 0 || (pos.flags & SWP_NOSIZE) == 0;
    const bool shows = ShowsLocked(*w);
    if ((pos.flags & SWP_NOREDRAW) == 0) {
      if (showed && (changed || !shows)) ExposeLocked(*w, before);
      if (shows && (changed || !showed)) InvalidateLocked(*w, nullptr, true, Children::kByStyle);
    }
    activate = (pos.flags & SWP_NOACTIVATE) == 0 && w->parent == S().desktop && w->thread == GetCurrentThreadId() &&
               (w->style & WS_VISIBLE);
  }
  SendMessage(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  if (activate) SetActiveWindow(window);
  return TRUE;
}

WINUSERAPI BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL) {
  return SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

WINUSERAPI BOOL WINAPI GetWindowRect(HWND window, LPRECT rect) {
  if (rect == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::lock_guard<std::mutex> g(Lock());
  POINT origin;
  if (!OriginLocked(window, origin)) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  const RECT& r = FindLocked(window)->rect;
  *rect = {origin.x, origin.y, origin.x + (r.right - r.left), origin.y + (r.bottom - r.top)};
  return TRUE;
}

WINUSERAPI BOOL WINAPI GetClientRect(HWND window, LPRECT rect) {
  if (rect == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::lock_guard<std::mutex> g(Lock());
  auto w = FindLocked(window);
  if (!w) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  *rect = {0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  return TRUE;
}

WINUSERAPI BOOL WINAPI ClientToScreen(HWND window, LPPOINT point) {
  if (point == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::lock_guard<std::mutex> g(Lock());
  POINT origin;
  if (!OriginLocked(window, origin)) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

WINUSERAPI BOOL WINAPI ScreenToClient(HWND window, LPPOINT point) {
  if (point == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::lock_guard<std::mutex> g(Lock());
  POINT origin;
  if (!OriginLocked(window, origin)) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

}  // extern "C"
