// Positions, sizes and z-order over the stored rectangles; no layout. A window's frame is what its
// procedure took from the window rectangle in WM_NCCALCSIZE at its creation (DefWindowProc: none):
// SetWindowPos, MoveWindow and GetWindowRect speak of the window rectangle, everything else of
// the client area.
#include <algorithm>

#include "painting.h"

using namespace user32;

namespace user32 {

void SetFrameLocked(Window& window, const RECT& client) {
  const RECT w = window.rect;
  RECT frame{client.left - w.left, client.top - w.top, w.right - client.right, w.bottom - client.bottom};
  const bool inside = frame.left >= 0 && frame.top >= 0 && frame.right >= 0 && frame.bottom >= 0 &&
                      client.left <= client.right && client.top <= client.bottom;
  window.frame = inside ? frame : RECT{0, 0, 0, 0};
  window.rect = {w.left + window.frame.left, w.top + window.frame.top, w.right - window.frame.right,
                 w.bottom - window.frame.bottom};
}

RECT WindowRectLocked(const Window& window) {
  const RECT& r = window.rect;
  const RECT& f = window.frame;
  return {r.left - f.left, r.top - f.top, r.right + f.right, r.bottom + f.bottom};
}

}  // namespace user32

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
    // The position and size asked for are the window rectangle's; the client area moves with it.
    const RECT before = w->rect;
    const RECT& f = w->frame;
    RECT r = WindowRectLocked(*w);
    const bool showed = ShowsLocked(*w);
    if ((pos.flags & SWP_NOMOVE) == 0 && (pos.x != r.left || pos.y != r.top)) {
      const LONG width = r.right - r.left, height = r.bottom - r.top;
      r = {pos.x, pos.y, pos.x + width, pos.y + height};
    } else {
      pos.flags |= SWP_NOMOVE;
    }
    if ((pos.flags & SWP_NOSIZE) == 0 && (pos.cx != r.right - r.left || pos.cy != r.bottom - r.top)) {
      r.right = r.left + std::max(pos.cx, static_cast<int>(f.left + f.right));
      r.bottom = r.top + std::max(pos.cy, static_cast<int>(f.top + f.bottom));
    } else {
      pos.flags |= SWP_NOSIZE;
    }
    pos.x = r.left;
    pos.y = r.top;
    pos.cx = r.right - r.left;
    pos.cy = r.bottom - r.top;
    w->rect = {r.left + f.left, r.top + f.top, r.right - f.right, r.bottom - f.bottom};
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
      if (shows && (changed || !showed))
        InvalidateLocked(*w, nullptr, true, showed ? Children::kByStyle : Children::kAll);
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
  const auto w = FindLocked(window);
  const RECT& r = w->rect;
  const RECT& f = w->frame;
  *rect = {origin.x - f.left, origin.y - f.top, origin.x + (r.right - r.left) + f.right,
           origin.y + (r.bottom - r.top) + f.bottom};
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
