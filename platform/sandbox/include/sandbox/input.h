// Sandbox control of the pointer and the keyboard (there is no mouse and no keyboard): moving the
// pointer, pressing and releasing its buttons and the keys, and the cursor it shows. Implemented by
// user32.
//
// Each step works as the platform's input does for the window under the pointer (WindowFromPoint:
// the deepest visible, enabled window there that does not answer WM_NCHITTEST with
// HTTRANSPARENT): it is sent WM_SETCURSOR (wParam the window, lParam MAKELPARAM(hit test, mouse
// message)), then the mouse message is posted to it with the point in its client coordinates and
// the buttons down (MK_LBUTTON, MK_RBUTTON) in wParam; the window's thread gets it when it reads
// its queue. A second press of one button on one CS_DBLCLKS window within GetDoubleClickTime() on
// the sandbox clock and within the double-click rectangle is posted as WM_LBUTTONDBLCLK /
// WM_RBUTTONDBLCLK. Leaving a window TrackMouseEvent watches posts WM_MOUSELEAVE; resting on it
// for its hover time on the sandbox clock posts WM_MOUSEHOVER (sandbox::AdvanceClock moves it).
// While a window holds the capture (SetCapture) every mouse message goes to it instead, without
// WM_SETCURSOR and without double-clicks.
//
// A thread that waits for its messages (GetMessage, WaitMessage) with none to read while it holds
// the capture asks the scripted user (sandbox/user.h), kind "Capture", caption the capture window's
// title: the answer's action runs with the capture window and gives the input (MovePointer,
// ReleaseButton, PressKey ...; everything it posts is read in order), then the thread looks at its
// queue again, asking again when it is still empty. An answer without an action, or none queued
// (recorded as unanswered, a failure in strict mode), takes the capture away: the window gets
// WM_CAPTURECHANGED and a posted WM_NULL, so that its loop sees the capture gone and ends.
//
// Keys: a key pressed is down for GetAsyncKeyState at once and is posted as WM_KEYDOWN (WM_KEYUP
// when released) to the focus window of the foreground window's thread (of the calling thread
// when there is no foreground window); with no focus window it goes nowhere. A thread's
// GetKeyState follows the keyboard and mouse messages it retrieves. Mouse messages carry MK_SHIFT
// and MK_CONTROL while those keys are down.
//
// On sandbox::Reset(): the pointer at (0, 0), no button or key down, no capture, nothing tracked,
// the arrow cursor.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <string>

#include "sandbox/core.h"

namespace sandbox {

enum class MouseButton { kLeft, kRight };

// Moves the pointer to the screen point; the window under it gets WM_MOUSEMOVE.
SANDBOX_API void MovePointer(int x, int y);
// The window under the pointer gets WM_xBUTTONDOWN (or the double-click), WM_xBUTTONUP.
SANDBOX_API void PressButton(MouseButton button);
SANDBOX_API void ReleaseButton(MouseButton button);
// Press and release where the pointer is.
SANDBOX_API void Click(MouseButton button);

// Keys by virtual-key code (VK_SHIFT, VK_ESCAPE, 'A' ...).
SANDBOX_API void PressKey(int virtualKey);
SANDBOX_API void ReleaseKey(int virtualKey);
// Press and release.
SANDBOX_API void TypeKey(int virtualKey);

// The cursor shown now (SetCursor): its handle, the module it came from (null for the system's),
// its resource name ("IDC_ARROW" & co. for the system's, "#<id>" or the name for a module's) and
// hot spot. A null handle: no cursor (then the name is empty).
struct Cursor {
  const void* handle = nullptr;
  const void* module = nullptr;
  std::string name;
  int hotspotX = 0, hotspotY = 0;
};
SANDBOX_API Cursor CurrentCursor();

}  // namespace sandbox
