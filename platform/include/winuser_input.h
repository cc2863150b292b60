// user32: the pointer and its cursors. There is no mouse: the sandbox moves the pointer and
// presses its buttons (sandbox/input.h); the window under the pointer gets WM_SETCURSOR, then the
// mouse message posted with the pointer's client position. There is no keyboard.
#pragma once

#include "windef.h"
#include "winerror.h"
#include "winuser_window.h"

extern "C" {

#define WM_MOUSEHOVER 0x02A1
#define WM_MOUSELEAVE 0x02A3

// Mouse messages' wParam: the buttons down.
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010

// WM_NCHITTEST answers (a window is all client area unless its procedure answered WM_NCCALCSIZE
// with a smaller one: its caption strip is HTCAPTION, the rest of its frame HTBORDER).
#define HTERROR (-2)
#define HTTRANSPARENT (-1)
#define HTNOWHERE 0
#define HTCLIENT 1
#define HTCAPTION 2
#define HTBORDER 18

// Virtual keys: the mouse buttons.
#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_MBUTTON 0x04

// Cursors. LoadCursor with no module gives the system's cursors (IDC_*); with a module, its
// group-cursor resource (RT_GROUP_CURSOR and the RT_CURSOR it names). The same module and name
// give the same handle, which is never destroyed.
#define IDC_ARROW MAKEINTRESOURCE(32512)
#define IDC_IBEAM MAKEINTRESOURCE(32513)
#define IDC_WAIT MAKEINTRESOURCE(32514)
#define IDC_CROSS MAKEINTRESOURCE(32515)
#define IDC_UPARROW MAKEINTRESOURCE(32516)
#define IDC_SIZENWSE MAKEINTRESOURCE(32642)
#define IDC_SIZENESW MAKEINTRESOURCE(32643)
#define IDC_SIZEWE MAKEINTRESOURCE(32644)
#define IDC_SIZENS MAKEINTRESOURCE(32645)
#define IDC_SIZEALL MAKEINTRESOURCE(32646)
#define IDC_NO MAKEINTRESOURCE(32648)
#define IDC_HAND MAKEINTRESOURCE(32649)
#define IDC_APPSTARTING MAKEINTRESOURCE(32650)
#define IDC_HELP MAKEINTRESOURCE(32651)
WINUSERAPI HCURSOR WINAPI LoadCursor(HINSTANCE instance, LPCSTR name);
// The cursor shown from now on; returns the one shown before (NULL: none).
WINUSERAPI HCURSOR WINAPI SetCursor(HCURSOR cursor);
WINUSERAPI HCURSOR WINAPI GetCursor();

// The pointer's position on the screen.
WINUSERAPI BOOL WINAPI GetCursorPos(LPPOINT point);
// The deepest visible, enabled window at the screen point whose WM_NCHITTEST (asked of windows of
// the calling thread) is not HTTRANSPARENT; NULL over no window.
WINUSERAPI HWND WINAPI WindowFromPoint(POINT point);
// VK_LBUTTON and VK_RBUTTON: the high bit while the button is down. Other keys are never down.
WINUSERAPI SHORT WINAPI GetAsyncKeyState(int key);
// Two presses of one button on one CS_DBLCLKS window within this time (on the sandbox clock) and
// the double-click rectangle (SM_CXDOUBLECLK by SM_CYDOUBLECLK around the first) make a double-click.
WINUSERAPI UINT WINAPI GetDoubleClickTime();

#define TME_HOVER 0x00000001
#define TME_LEAVE 0x00000002
#define TME_QUERY 0x40000000
#define TME_CANCEL 0x80000000
#define HOVER_DEFAULT 0xFFFFFFFF
typedef struct tagTRACKMOUSEEVENT {
  DWORD cbSize;
  DWORD dwFlags;
  HWND hwndTrack;
  DWORD dwHoverTime;
} TRACKMOUSEEVENT, *LPTRACKMOUSEEVENT;
// Tracks one window for the pointer: WM_MOUSEHOVER is posted once the pointer has rested on it
// (moving no more than 2 pixels either way from where it came to rest) for the hover time on the
// sandbox clock (HOVER_DEFAULT: 400 ms), which ends hover tracking; WM_MOUSELEAVE is posted when
// the pointer leaves it (at once when it is not over it), which ends all tracking. A new call
// replaces what was tracked before; TME_CANCEL stops the flags named; TME_QUERY fills the
// structure with what is tracked.
WINUSERAPI BOOL WINAPI TrackMouseEvent(LPTRACKMOUSEEVENT eventTrack);

}  // extern "C"
