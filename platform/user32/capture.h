// Capture, as the message calls and DestroyWindow need it.
#pragma once

#include "user_state.h"

namespace user32::capture {

// Called by a thread that is about to wait for its queue with nothing in it. While the thread
// holds the capture, the scripted user is asked (kind "Capture") and the answer's action runs
// with the capture window (it moves the pointer, releases a button ...); with no action the
// capture is taken away (WM_CAPTURECHANGED sent, WM_NULL posted to the window so that its loop
// wakes and sees it). True when something was done, so that the caller looks at its queue again.
bool AnswerCapturedWait();

// Releases the capture when it lies with the window or one of its descendants (DestroyWindow).
void ReleaseWithTree(HWND window);

}  // namespace user32::capture
