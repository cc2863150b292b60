// Making a window for an object (wnd_create.cpp): the one way MFC attaches an object to a window
// as it is made, for CWnd::CreateEx and for dialogs.
#pragma once

#include <afxwin.h>

#include <functional>

namespace mfc42 {

// Runs `make` with a CBT hook on the thread that attaches `wnd` to the first window made and gives
// that window AfxWndProc (its own procedure kept as the object's default handling). Returns what
// `make` made; `attached` is the window the object was attached to (null when none was made).
HWND CreateAttached(CWnd* wnd, const std::function<HWND()>& make, HWND* attached);

}  // namespace mfc42
