// user32: messages. Each thread has a queue (made on its first message call or window): posted
// messages, messages sent to it by other threads, its quit request and its timers.
#pragma once

#include "windef.h"
#include "winerror.h"

extern "C" {

typedef LRESULT(CALLBACK* WNDPROC)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
typedef void(CALLBACK* TIMERPROC)(HWND window, UINT message, UINT_PTR idEvent, DWORD time);

typedef struct tagMSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;  // GetTickCount() when it was posted
  POINT pt;    // (0, 0): there is no pointer
} MSG, *PMSG, *LPMSG;

#define MAKEWPARAM(l, h) (static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(l, h))))
#define MAKELPARAM(l, h) (static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(l, h))))
#define MAKELRESULT(l, h) (static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(l, h))))

// Window messages.
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_ENABLE 0x000A
#define WM_SETREDRAW 0x000B
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUERYENDSESSION 0x0011
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_SHOWWINDOW 0x0018
#define WM_ACTIVATEAPP 0x001C
#define WM_CANCELMODE 0x001F
#define WM_SETCURSOR 0x0020
#define WM_MOUSEACTIVATE 0x0021
#define WM_CHILDACTIVATE 0x0022
#define WM_GETMINMAXINFO 0x0024
#define WM_NEXTDLGCTL 0x0028
#define WM_DRAWITEM 0x002B
#define WM_MEASUREITEM 0x002C
#define WM_SETFONT 0x0030
#define WM_GETFONT 0x0031
#define WM_WINDOWPOSCHANGING 0x0046
#define WM_WINDOWPOSCHANGED 0x0047
#define WM_NOTIFY 0x004E
#define WM_HELP 0x0053
#define WM_NOTIFYFORMAT 0x0055
#define WM_CONTEXTMENU 0x007B
#define WM_STYLECHANGING 0x007C
#define WM_STYLECHANGED 0x007D
#define WM_GETICON 0x007F
#define WM_SETICON 0x0080
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_NCCALCSIZE 0x0083
#define WM_NCHITTEST 0x0084
#define WM_NCPAINT 0x0085
#define WM_NCACTIVATE 0x0086
#define WM_GETDLGCODE 0x0087
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_TIMER 0x0113
#define WM_HSCROLL 0x0114
#define WM_VSCROLL 0x0115
#define WM_INITMENU 0x0116
#define WM_INITMENUPOPUP 0x0117
#define WM_MENUSELECT 0x011F
#define WM_ENTERIDLE 0x0121
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_RBUTTONDBLCLK 0x0206
#define WM_PARENTNOTIFY 0x0210
#define WM_ENTERMENULOOP 0x0211
#define WM_EXITMENULOOP 0x0212
#define WM_DROPFILES 0x0233
#define WM_CUT 0x0300
#define WM_COPY 0x0301
#define WM_PASTE 0x0302
#define WM_CLEAR 0x0303
#define WM_UNDO 0x0304
#define WM_USER 0x0400
#define WM_APP 0x8000

// WM_ACTIVATE, WM_SIZE and WM_SYSCOMMAND values.
#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define WA_CLICKACTIVE 2
#define SIZE_RESTORED 0
#define SIZE_MINIMIZED 1
#define SIZE_MAXIMIZED 2
#define SC_SIZE 0xF000
#define SC_MOVE 0xF010
#define SC_MINIMIZE 0xF020
#define SC_MAXIMIZE 0xF030
#define SC_CLOSE 0xF060
#define SC_RESTORE 0xF120

// A notification's header (WM_NOTIFY's lParam).
typedef struct tagNMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
} NMHDR, *LPNMHDR;

// What WM_HELP is about (its lParam): F1 in a window (HELPINFO_WINDOW) or in a menu.
#define HELPINFO_WINDOW 0x0001
#define HELPINFO_MENUITEM 0x0002
typedef struct tagHELPINFO {
  UINT cbSize;
  int iContextType;
  int iCtrlId;
  HANDLE hItemHandle;
  DWORD_PTR dwContextId;
  POINT MousePos;
} HELPINFO, *LPHELPINFO;

// Sending: to a window of the calling thread the procedure is called directly; to a window of
// another thread the message waits in that thread's queue until the thread calls GetMessage,
// PeekMessage or waits in a SendMessage of its own, and the sender meanwhile serves messages sent
// to it. An invalid window: 0 with ERROR_INVALID_WINDOW_HANDLE.
WINUSERAPI LRESULT WINAPI SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
#define SMTO_NORMAL 0x0000
#define SMTO_BLOCK 0x0001
#define SMTO_ABORTIFHUNG 0x0002
#define SMTO_NOTIMEOUTIFNOTHUNG 0x0008
// The timeout is on the sandbox clock; on timeout 0 with ERROR_TIMEOUT (the message, if still
// waiting, is withdrawn). SMTO_BLOCK: the sender serves nothing while it waits.
WINUSERAPI LRESULT WINAPI SendMessageTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                                             UINT timeout, PDWORD_PTR result);
// Posting is thread-safe. A NULL window posts to the calling thread; a window that is gone
// fails with ERROR_INVALID_WINDOW_HANDLE; a thread without a queue with ERROR_INVALID_THREAD_ID.
WINUSERAPI BOOL WINAPI PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
WINUSERAPI BOOL WINAPI PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
WINUSERAPI void WINAPI PostQuitMessage(int exitCode);

// Retrieval. Order: messages sent by other threads are served first (never returned), then
// posted messages in order, then WM_QUIT, then a due timer's WM_TIMER. A window filter takes
// that window's messages; (HWND)-1 only those posted to the thread. WM_QUIT passes any filter.
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define PM_NOYIELD 0x0002
// GetMessage: blocks; FALSE for WM_QUIT, -1 for a window filter that is no window.
WINUSERAPI BOOL WINAPI GetMessage(LPMSG msg, HWND window, UINT filterMin, UINT filterMax);
WINUSERAPI BOOL WINAPI PeekMessage(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
// Blocks until the queue has something to retrieve.
WINUSERAPI BOOL WINAPI WaitMessage();
// WM_KEYDOWN of a character key: WM_CHAR is read next (winuser_input.h). Nonzero for every
// keyboard message, FALSE for others.
WINUSERAPI BOOL WINAPI TranslateMessage(const MSG* msg);
// Calls the window's procedure (or a WM_TIMER's TIMERPROC, which needs no window); a window of
// another thread: 0 with ERROR_WINDOW_OF_OTHER_THREAD.
WINUSERAPI LRESULT WINAPI DispatchMessage(const MSG* msg);
// time of the message the thread last retrieved.
WINUSERAPI LONG WINAPI GetMessageTime();
// A message id unique to the name (case-insensitive), 0xC000..0xFFFF; the same name, the same id.
WINUSERAPI UINT WINAPI RegisterWindowMessage(LPCSTR name);

#define QS_KEY 0x0001
#define QS_MOUSEMOVE 0x0002
#define QS_MOUSEBUTTON 0x0004
#define QS_POSTMESSAGE 0x0008
#define QS_TIMER 0x0010
#define QS_PAINT 0x0020
#define QS_SENDMESSAGE 0x0040
#define QS_HOTKEY 0x0080
#define QS_ALLPOSTMESSAGE 0x0100
#define QS_MOUSE (QS_MOUSEMOVE | QS_MOUSEBUTTON)
#define QS_INPUT (QS_MOUSE | QS_KEY)
#define QS_ALLEVENTS (QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY)
#define QS_ALLINPUT (QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY | QS_SENDMESSAGE)
// Waits for one of the handles (WAIT_OBJECT_0 + i) or for what the mask names to be in the
// calling thread's queue (WAIT_OBJECT_0 + count); the timeout is on the sandbox clock. Waiting
// for all handles is not modelled.
WINUSERAPI DWORD WINAPI MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll,
                                                  DWORD milliseconds, DWORD wakeMask);

// Timers: due on the sandbox clock (or after their interval of real time, as every wait), seen
// as one WM_TIMER when the queue has nothing else. The interval is at least USER_TIMER_MINIMUM.
#define USER_TIMER_MINIMUM 0x0000000A
#define USER_TIMER_MAXIMUM 0x7FFFFFFF
// With a window (of the calling thread) the id is the caller's, and setting it again replaces
// the timer; without one a new id is made unless `idEvent` names a timer of the thread.
WINUSERAPI UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR idEvent, UINT elapse, TIMERPROC timerFunc);
WINUSERAPI BOOL WINAPI KillTimer(HWND window, UINT_PTR idEvent);

}  // extern "C"
