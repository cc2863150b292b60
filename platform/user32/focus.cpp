// Focus and activation, per thread, and the foreground window. WM_NCACTIVATE and WM_ACTIVATEAPP
// are not sent (nothing is drawn and there is one application).
#include "hooks.h"
#include "user_state.h"

using namespace user32;

namespace {

// The window when it exists and belongs to the calling thread; else null with an error.
std::shared_ptr<Window> Mine(HWND window) {
  auto w = Find(window);
  if (w && w->thread != GetCurrentThreadId()) return Fail<std::shared_ptr<Window>>(ERROR_ACCESS_DENIED, nullptr);
  return w;
}

HWND Alive(HWND window) {
  std::lock_guard<std::mutex> g(Lock());
  return FindLocked(window) ? window : nullptr;
}

}  // namespace

extern "C" {

WINUSERAPI HWND WINAPI GetFocus() {
  std::lock_guard<std::mutex> g(Lock());
  auto queue = QueueOfLocked(GetCurrentThreadId());
  return queue ? queue->focus : nullptr;
}

WINUSERAPI HWND WINAPI GetActiveWindow() {
  std::lock_guard<std::mutex> g(Lock());
  auto queue = QueueOfLocked(GetCurrentThreadId());
  return queue ? queue->active : nullptr;
}

WINUSERAPI HWND WINAPI GetForegroundWindow() {
  std::lock_guard<std::mutex> g(Lock());
  return S().foreground;
}

// Activates the window's top-level window; NULL deactivates the thread's active window.
WINUSERAPI HWND WINAPI SetActiveWindow(HWND window) {
  auto queue = MyQueue();
  if (window != nullptr) {
    if (!Mine(window)) return nullptr;
    std::lock_guard<std::mutex> g(Lock());
    window = RootLocked(window);
  }
  HWND previous;
  {
    std::lock_guard<std::mutex> g(Lock());
    previous = queue->active;
  }
  if (previous == window) return previous;
  if (window != nullptr) {
    CBTACTIVATESTRUCT cbt{FALSE, previous};
    if (CallHooks(WH_CBT, HCBT_ACTIVATE, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(&cbt)) != 0)
      return nullptr;
  }
  {
    std::lock_guard<std::mutex> g(Lock());
    queue->active = window;
    if (window != nullptr) {
      S().foreground = window;
      NoteActivationLocked(window);
    }
  }
  if (Alive(previous)) SendMessage(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(window));
  if (window != nullptr) {
    SendMessage(window, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
  } else {
    SetFocus(nullptr);
  }
  return previous;
}

WINUSERAPI HWND WINAPI SetFocus(HWND window) {
  auto queue = MyQueue();
  if (window != nullptr) {
    if (!Mine(window)) return nullptr;
    HWND root;
    {
      std::lock_guard<std::mutex> g(Lock());
      root = RootLocked(window);
    }
    if (GetActiveWindow() != root) SetActiveWindow(root);
  }
  HWND previous;
  {
    std::lock_guard<std::mutex> g(Lock());
    previous = queue->focus;
  }
  if (previous == window) return previous;
  if (CallHooks(WH_CBT, HCBT_SETFOCUS, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(previous)) != 0)
    return nullptr;
  {
    std::lock_guard<std::mutex> g(Lock());
    queue->focus = window;
  }
  if (Alive(previous)) SendMessage(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
  if (window != nullptr) SendMessage(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  return previous;
}

// The window's top-level window becomes the foreground window; a window of the calling thread is
// activated too (another thread's window is activated when that thread activates it).
WINUSERAPI BOOL WINAPI SetForegroundWindow(HWND window) {
  auto w = Find(window);
  if (!w) return FALSE;
  HWND root;
  {
    std::lock_guard<std::mutex> g(Lock());
    root = RootLocked(window);
    S().foreground = root;
  }
  if (w->thread == GetCurrentThreadId()) SetActiveWindow(root);
  return TRUE;
}

}  // extern "C"
