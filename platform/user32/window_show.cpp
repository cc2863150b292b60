// Showing, enabling, minimised and maximised states: style bits, announced by WM_SHOWWINDOW and
// WM_ENABLE when they change.
#include "painting.h"

using namespace user32;

namespace {

bool Activates(int command) {
  return command == SW_SHOWNORMAL || command == SW_SHOWMINIMIZED || command == SW_SHOWMAXIMIZED ||
         command == SW_SHOW || command == SW_RESTORE || command == SW_SHOWDEFAULT;
}

bool HasStyle(HWND window, DWORD bits) {
  auto w = Find(window);
  if (!w) return false;
  std::lock_guard<std::mutex> g(Lock());
  return (w->style & bits) != 0;
}

}  // namespace

extern "C" {

WINUSERAPI BOOL WINAPI ShowWindow(HWND window, int command) {
  if (command < SW_HIDE || command > SW_FORCEMINIMIZE) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  auto w = Find(window);
  if (!w) return FALSE;
  bool wasVisible, topLevel, mine;
  {
    std::lock_guard<std::mutex> g(Lock());
    wasVisible = (w->style & WS_VISIBLE) != 0;
    topLevel = w->parent == S().desktop;
    mine = w->thread == GetCurrentThreadId();
  }
  const bool visible = command != SW_HIDE;
  if (visible != wasVisible) SendMessage(window, WM_SHOWWINDOW, visible, 0);
  {
    std::lock_guard<std::mutex> g(Lock());
    DWORD style = w->style;
    style = visible ? (style | WS_VISIBLE) : (style & ~WS_VISIBLE);
    switch (command) {
      case SW_SHOWMINIMIZED:
      case SW_MINIMIZE:
      case SW_SHOWMINNOACTIVE:
      case SW_FORCEMINIMIZE: style = (style | WS_MINIMIZE) & ~WS_MAXIMIZE; break;
      case SW_SHOWMAXIMIZED: style = (style | WS_MAXIMIZE) & ~WS_MINIMIZE; break;
      case SW_SHOWNORMAL:
      case SW_RESTORE: style &= ~(WS_MINIMIZE | WS_MAXIMIZE); break;
      default: break;
    }
    w->style = style;
    // A window that appears is painted whole, each visible descendant too (also below a parent
    // that clips its children); one that goes leaves its place in the parent to paint.
    if (visible && !wasVisible) InvalidateLocked(*w, nullptr, true, Children::kAll);
    if (!visible && wasVisible) ExposeLocked(*w, w->rect);
  }
  if (visible && topLevel && mine && Activates(command)) SetActiveWindow(window);
  return wasVisible ? TRUE : FALSE;
}

WINUSERAPI BOOL WINAPI IsWindowVisible(HWND window) {
  std::lock_guard<std::mutex> g(Lock());
  for (auto w = FindLocked(window); w; w = FindLocked(w->parent))
    if ((w->style & WS_VISIBLE) == 0) return FALSE;
  return FindLocked(window) ? TRUE : FALSE;
}

// Disabling the window that has the focus (or an ancestor of it) takes the focus away.
WINUSERAPI BOOL WINAPI EnableWindow(HWND window, BOOL enable) {
  auto w = Find(window);
  if (!w) return FALSE;
  bool wasDisabled;
  HWND focus = nullptr;
  {
    std::lock_guard<std::mutex> g(Lock());
    wasDisabled = (w->style & WS_DISABLED) != 0;
    if (enable)
      w->style &= ~WS_DISABLED;
    else
      w->style |= WS_DISABLED;
    if (auto queue = QueueOfLocked(GetCurrentThreadId()))
      if (!enable && queue->focus != nullptr && (queue->focus == window || IsDescendantLocked(window, queue->focus)))
        focus = queue->focus;
  }
  if (focus != nullptr) SetFocus(nullptr);
  if (wasDisabled == (enable != FALSE)) SendMessage(window, WM_ENABLE, enable != FALSE, 0);
  return wasDisabled ? TRUE : FALSE;
}

WINUSERAPI BOOL WINAPI IsWindowEnabled(HWND window) {
  auto w = Find(window);
  if (!w) return FALSE;
  std::lock_guard<std::mutex> g(Lock());
  return (w->style & WS_DISABLED) == 0;
}

WINUSERAPI BOOL WINAPI IsIconic(HWND window) { return HasStyle(window, WS_MINIMIZE); }

WINUSERAPI BOOL WINAPI IsZoomed(HWND window) { return HasStyle(window, WS_MAXIMIZE); }

}  // extern "C"
