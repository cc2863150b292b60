// The pointer the sandbox moves: the window under it (or the capture window), WM_SETCURSOR and the
// mouse messages posted to that window, double-clicks, and what programs ask of it (GetCursorPos,
// WindowFromPoint, GetAsyncKeyState).
#include "pointer.h"

#include <cstdlib>

#include "message_queue.h"
#include "sandbox/input.h"

using namespace user32;
using namespace user32::pointer;

namespace user32::pointer {
namespace {

constexpr UINT kDoubleClickTime = 500;

PointerState& Raw() {
  static PointerState* state = new PointerState;  // never destroyed, as the window manager's state
  return *state;
}

struct Registration {
  Registration() {
    sandbox::internal::RegisterReset("user32.pointer", [] {
      const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
      std::lock_guard<std::mutex> g(Lock());
      Raw() = PointerState{};
      Raw().cursor = arrow;
    });
  }
} g_registration;

std::vector<HWND> ChildrenTopFirst(HWND parent) {
  std::lock_guard<std::mutex> g(Lock());
  auto w = FindLocked(parent);
  return w ? w->children : std::vector<HWND>();
}

// Whether the window shows, is enabled and holds the screen point.
bool Candidate(HWND window, POINT at) {
  RECT r;
  if (!IsWindowVisible(window) || !IsWindowEnabled(window) || !GetWindowRect(window, &r)) return false;
  return at.x >= r.left && at.x < r.right && at.y >= r.top && at.y < r.bottom;
}

// The hit test a window answers: windows of other threads are taken as client area, so that the
// pointer never waits for a thread that does not read its messages.
LRESULT HitTest(HWND window, POINT at) {
  if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return HTCLIENT;
  return SendMessage(window, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
}

// The deepest window below `parent` at the point (children top first, each before what lies
// beneath it), and its hit test; null when there is none.
HWND Under(HWND parent, POINT at, LRESULT& hit) {
  for (HWND child : ChildrenTopFirst(parent)) {
    if (!Candidate(child, at)) continue;
    if (HWND deeper = Under(child, at, hit)) return deeper;
    hit = HitTest(child, at);
    if (hit != HTTRANSPARENT) return child;
  }
  return nullptr;
}

POINT ClientPoint(HWND window, POINT at) {
  ScreenToClient(window, &at);
  return at;
}

// Leaving the window TrackMouseEvent watches ends its tracking; WM_MOUSELEAVE when it asked.
void Entered(HWND window) {
  HWND left = nullptr;
  {
    std::lock_guard<std::mutex> g(Lock());
    PointerState& state = Raw();
    state.under = window;
    Tracking& t = state.tracking;
    if (t.window == nullptr || t.window == window) return;
    if (t.flags & TME_LEAVE) left = t.window;
    t = Tracking{};
  }
  if (left != nullptr) PostInput(left, WM_MOUSELEAVE, 0, 0, {0, 0});
}

// The hover rectangle: the pointer rests while it stays within 2 pixels of where it came to rest.
void Rest(POINT at) {
  std::lock_guard<std::mutex> g(Lock());
  Tracking& t = Raw().tracking;
  if (std::abs(at.x - t.restAt.x) > 2 || std::abs(at.y - t.restAt.y) > 2) {
    t.restAt = at;
    t.restSince = sandbox::ClockNow();
  }
}

// Sends WM_SETCURSOR, then posts the mouse message (client coordinates of the window under the
// pointer) with the buttons down. The capture window gets every mouse message, without
// WM_SETCURSOR, and makes no double-clicks.
void Deliver(UINT message, bool doubleClickable) {
  POINT at;
  HWND capture;
  {
    std::lock_guard<std::mutex> g(Lock());
    at = Raw().at;
    capture = CaptureLocked();
  }
  if (capture != nullptr) {
    if (message == WM_MOUSEMOVE) Rest(at);
    const POINT client = ClientPoint(capture, at);
    WPARAM flags;
    {
      std::lock_guard<std::mutex> g(Lock());
      flags = ButtonFlagsLocked();
      Raw().lastPress = Press{};
    }
    PostInput(capture, message, flags, MAKELPARAM(client.x, client.y), at);
    return;
  }
  LRESULT hit = HTNOWHERE;
  HWND window = Under(GetDesktopWindow(), at, hit);
  if (window == nullptr) {  // over the desktop
    Entered(nullptr);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    return;
  }
  Entered(window);
  if (message == WM_MOUSEMOVE) Rest(at);
  SendMessage(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(hit, message));
  if (!IsWindow(window)) return;
  const POINT client = ClientPoint(window, at);
  WPARAM flags;
  {
    std::lock_guard<std::mutex> g(Lock());
    PointerState& state = Raw();
    flags = ButtonFlagsLocked();
    if (doubleClickable) {
      auto w = FindLocked(window);
      const bool dblclks = w && (w->windowClass->style & CS_DBLCLKS);
      const int64_t now = sandbox::ClockNow();
      const Press& last = state.lastPress;
      const bool again = dblclks && last.window == window && last.button == message &&
                         now - last.time <= kDoubleClickTime &&
                         std::abs(at.x - last.at.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                         std::abs(at.y - last.at.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
      if (again) {
        message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;  // the same step for either button
        state.lastPress = Press{};
      } else {
        state.lastPress = Press{window, message, now, at};
      }
    }
  }
  PostInput(window, message, flags, MAKELPARAM(client.x, client.y), at);
}

}  // namespace

PointerState& StateLocked() { return Raw(); }

WPARAM ButtonFlagsLocked() {
  const PointerState& state = Raw();
  return (state.left ? MK_LBUTTON : 0) | (state.right ? MK_RBUTTON : 0) | ((state.keys[VK_SHIFT] & 0x80) ? MK_SHIFT : 0) |
         ((state.keys[VK_CONTROL] & 0x80) ? MK_CONTROL : 0);
}

HWND CaptureLocked() {
  PointerState& state = Raw();
  if (state.capture != nullptr && !FindLocked(state.capture)) state.capture = nullptr;
  return state.capture;
}

void PostInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, POINT at) {
  std::shared_ptr<ThreadQueue> queue;
  {
    std::lock_guard<std::mutex> g(Lock());
    auto w = FindLocked(window);
    if (!w) return;
    queue = QueueOfLocked(w->thread);
    if (!queue) return;
    queue->posted.push_back(MSG{window, message, wParam, lParam, GetTickCount(), at});
  }
  Wake(*queue);
}

}  // namespace user32::pointer

extern "C" {

WINUSERAPI BOOL WINAPI GetCursorPos(LPPOINT point) {
  if (point == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::lock_guard<std::mutex> g(Lock());
  *point = StateLocked().at;
  return TRUE;
}

WINUSERAPI HWND WINAPI WindowFromPoint(POINT point) {
  LRESULT hit = HTNOWHERE;
  return Under(GetDesktopWindow(), point, hit);
}

WINUSERAPI SHORT WINAPI GetAsyncKeyState(int key) {
  if (key < 0 || key > 255) return 0;
  std::lock_guard<std::mutex> g(Lock());
  const PointerState& state = StateLocked();
  const bool down = (key == VK_LBUTTON && state.left) || (key == VK_RBUTTON && state.right) ||
                    (state.keys[key] & 0x80) != 0;
  return down ? static_cast<SHORT>(0x8000) : 0;
}

WINUSERAPI UINT WINAPI GetDoubleClickTime() { return kDoubleClickTime; }

}  // extern "C"

namespace sandbox {

void MovePointer(int x, int y) {
  {
    std::lock_guard<std::mutex> g(Lock());
    StateLocked().at = {x, y};
  }
  Deliver(WM_MOUSEMOVE, false);
}

void PressButton(MouseButton button) {
  {
    std::lock_guard<std::mutex> g(Lock());
    (button == MouseButton::kLeft ? StateLocked().left : StateLocked().right) = true;
  }
  Deliver(button == MouseButton::kLeft ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, true);
}

void ReleaseButton(MouseButton button) {
  {
    std::lock_guard<std::mutex> g(Lock());
    (button == MouseButton::kLeft ? StateLocked().left : StateLocked().right) = false;
  }
  Deliver(button == MouseButton::kLeft ? WM_LBUTTONUP : WM_RBUTTONUP, false);
}

void Click(MouseButton button) {
  PressButton(button);
  ReleaseButton(button);
}

}  // namespace sandbox
