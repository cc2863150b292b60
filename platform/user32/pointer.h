// The pointer and the keyboard: where the pointer is, its buttons, the keys down, the cursor shown,
// the capture window, the last press (for double-clicks) and the window TrackMouseEvent watches.
// One per process, under the window manager's lock.
#pragma once

#include <cstdint>

#include "user_state.h"

namespace user32::pointer {

struct Press {
  HWND window = nullptr;
  UINT button = 0;  // WM_LBUTTONDOWN or WM_RBUTTONDOWN
  int64_t time = 0;  // sandbox clock, milliseconds
  POINT at{0, 0};
};

struct Tracking {
  HWND window = nullptr;
  DWORD flags = 0;      // TME_HOVER, TME_LEAVE
  DWORD hoverTime = 0;  // milliseconds
  int64_t restSince = 0;
  POINT restAt{0, 0};
};

struct PointerState {
  POINT at{0, 0};
  bool left = false, right = false;
  HWND under = nullptr;  // the window the last mouse message went to
  HWND capture = nullptr;  // SetCapture's window: it gets every mouse message
  BYTE keys[256] = {};     // GetAsyncKeyState: 0x80 while a key is down
  HCURSOR cursor = nullptr;
  Press lastPress;
  Tracking tracking;
};

PointerState& StateLocked();
// MK_* of the buttons down and of Shift and Ctrl.
WPARAM ButtonFlagsLocked();
// The capture window when it still exists, else null (the capture then is forgotten).
HWND CaptureLocked();

// Posts WM_MOUSEHOVER to the tracked window when the pointer has rested on it long enough (on
// the sandbox clock). Takes the lock itself.
void PostDueHover();
// When the hover of a window of `thread` becomes due (never when none is tracked), so that a
// thread waiting for its queue wakes to post it.
sandbox::internal::ClockDeadline HoverDeadlineLocked(DWORD thread);

// A message the pointer makes, posted with the pointer's screen position in MSG::pt.
void PostInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, POINT at);

}  // namespace user32::pointer
