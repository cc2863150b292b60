// What the rest of mfc42 needs of dialog data exchange (data_exchange.cpp).
#pragma once

#include <windows.h>

namespace mfc42 {

// Whether the window's UpdateData is running on this thread: its controls' notifications are then
// not dispatched (CWnd::OnCommand drops them).
bool NotificationsLockedOut(HWND window);

}  // namespace mfc42
