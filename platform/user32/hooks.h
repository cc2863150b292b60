// Calling the hooks of a type on the calling thread (the thread where the event happens).
#pragma once

#include <windows.h>

namespace user32 {

// The chain's answer (the first hook's return value), or 0 when no hook applies.
LRESULT CallHooks(int type, int code, WPARAM wParam, LPARAM lParam);

}  // namespace user32
