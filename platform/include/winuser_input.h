// user32: the pointer, its cursors and capture, and the keyboard. There is no mouse and no
// keyboard: the sandbox moves the pointer, presses its buttons and presses keys
// (sandbox/input.h). The window under the pointer (or the capture window) gets the mouse message
// posted with the pointer's client position; a key goes to the focus window as WM_KEYDOWN and
// WM_KEYUP.
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

// Virtual keys: the mouse buttons, then the keys.
#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_CANCEL 0x03
#define VK_MBUTTON 0x04
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_CAPITAL 0x14
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_MULTIPLY 0x6A
#define VK_ADD 0x6B
#define VK_SUBTRACT 0x6D
#define VK_F1 0x70
#define VK_F2 0x71
#define VK_F3 0x72
#define VK_F4 0x73
#define VK_F5 0x74
#define VK_F10 0x79

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
// The high bit while the key or button is down now, whatever the thread has read of its queue.
WINUSERAPI SHORT WINAPI GetAsyncKeyState(int key);
// The key or button as of the input message the calling thread retrieved last (GetMessage,
// PeekMessage with PM_REMOVE): the high bit while down, the low bit toggled by each press.
WINUSERAPI SHORT WINAPI GetKeyState(int key);

// Capture: the mouse messages go to the capture window wherever the pointer is, until it is
// released (ReleaseCapture, the window destroyed, another SetCapture). The window that loses it
// is sent WM_CAPTURECHANGED (lParam the new capture window or NULL). GetCapture answers the
// capture window when it belongs to the calling thread. A thread that waits for its messages
// (GetMessage, WaitMessage) while it holds the capture asks the sandbox's scripted user first
// (sandbox/input.h), so that a tracking loop never waits for input nobody will give.
#define WM_CAPTURECHANGED 0x0215
WINUSERAPI HWND WINAPI SetCapture(HWND window);
WINUSERAPI BOOL WINAPI ReleaseCapture();
WINUSERAPI HWND WINAPI GetCapture();

// The keyboard's messages: lParam holds the repeat count (1) in its low word, bit 30 when the key
// was down before, bit 31 for WM_KEYUP; scan codes are 0. TranslateMessage turns a WM_KEYDOWN of
// a character key into WM_CHAR (the letters, digits and space, Return, Escape, Backspace and
// Tab; Shift and Caps Lock as the US layout has them, Ctrl with a letter its control code), read
// next.
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
