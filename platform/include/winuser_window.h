// user32: windows. Headless: a window is an object with a class, a title, styles, an id, a parent
// or owner, ordered children and a rectangle, owned by the thread that made it. Handles are never
// reused, so a handle of a destroyed window is refused (ERROR_INVALID_WINDOW_HANDLE).
#pragma once

#include "windef.h"
#include "winerror.h"
#include "winuser_message.h"

extern "C" {

#include "winuser_styles.h"

// Class styles.
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008
#define CS_OWNDC 0x0020
#define CS_CLASSDC 0x0040
#define CS_PARENTDC 0x0080
#define CS_NOCLOSE 0x0200
#define CS_SAVEBITS 0x0800
#define CS_BYTEALIGNCLIENT 0x1000
#define CS_BYTEALIGNWINDOW 0x2000
#define CS_GLOBALCLASS 0x4000

#define CW_USEDEFAULT (static_cast<int>(0x80000000))
#define HWND_DESKTOP (static_cast<HWND>(nullptr))
#define HWND_TOP (static_cast<HWND>(nullptr))
#define HWND_BOTTOM (reinterpret_cast<HWND>(static_cast<LONG_PTR>(1)))
#define HWND_TOPMOST (reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)))
#define HWND_NOTOPMOST (reinterpret_cast<HWND>(static_cast<LONG_PTR>(-2)))
#define HWND_MESSAGE (reinterpret_cast<HWND>(static_cast<LONG_PTR>(-3)))
#define HWND_BROADCAST (reinterpret_cast<HWND>(static_cast<LONG_PTR>(0xffff)))
#define MAKEINTATOM(i) (reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))

// Window classes. Names compare without regard to case; a class is found by the module it was
// registered for (NULL = the program), then among CS_GLOBALCLASS classes, then the system's
// ("#32770", the dialog class, whose procedure is DefWindowProc here).
typedef struct tagWNDCLASS {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
} WNDCLASS, *PWNDCLASS, *LPWNDCLASS;
typedef struct tagWNDCLASSEX {
  UINT cbSize;
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
  HICON hIconSm;
} WNDCLASSEX, *PWNDCLASSEX, *LPWNDCLASSEX;
WINUSERAPI ATOM WINAPI RegisterClass(const WNDCLASS* wndClass);
WINUSERAPI ATOM WINAPI RegisterClassEx(const WNDCLASSEX* wndClass);
// Fails with ERROR_CLASS_HAS_WINDOWS while windows of the class exist.
WINUSERAPI BOOL WINAPI UnregisterClass(LPCSTR className, HINSTANCE instance);
WINUSERAPI BOOL WINAPI GetClassInfo(HINSTANCE instance, LPCSTR className, LPWNDCLASS wndClass);
WINUSERAPI BOOL WINAPI GetClassInfoEx(HINSTANCE instance, LPCSTR className, LPWNDCLASSEX wndClass);
WINUSERAPI int WINAPI GetClassName(HWND window, LPSTR className, int maxCount);
#define GCLP_MENUNAME (-8)
#define GCLP_HBRBACKGROUND (-10)
#define GCLP_HCURSOR (-12)
#define GCLP_HICON (-14)
#define GCLP_HMODULE (-16)
#define GCL_CBWNDEXTRA (-18)
#define GCL_CBCLSEXTRA (-20)
#define GCLP_WNDPROC (-24)
#define GCL_STYLE (-26)
#define GCW_ATOM (-32)
#define GCLP_HICONSM (-34)
WINUSERAPI ULONG_PTR WINAPI GetClassLongPtr(HWND window, int index);

// What WM_NCCREATE and WM_CREATE get in lParam. A CBT hook may change it before either is sent:
// the window takes its styles, rectangle and (through DefWindowProc's WM_NCCREATE) its title
// from it after the hooks ran.
typedef struct tagCREATESTRUCT {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCSTR lpszName;
  LPCSTR lpszClass;
  DWORD dwExStyle;
} CREATESTRUCT, *LPCREATESTRUCT;

// CreateWindowEx: WS_CHILD needs a parent (ERROR_TLW_WITH_WSCHILD) and takes hMenu as its id;
// without WS_CHILD the parent given is the owner (its top-level window). The CBT hook sees
// HCBT_CREATEWND first (non-zero refuses: NULL, and the window never existed for anyone else);
// then WM_NCCREATE (FALSE fails), WM_CREATE (-1 fails: the window is destroyed), WM_SIZE and
// WM_MOVE; WS_VISIBLE then shows it as ShowWindow(SW_SHOW) does. A new top-level window goes on
// top of the z-order, a new child below its siblings. CW_USEDEFAULT is (0, 0) and 640 x 480 for
// a top-level window, 0 for a child.
WINUSERAPI HWND WINAPI CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                                      int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                                      LPVOID param);
inline HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height,
                         HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menu, instance, param);
}
// Only the window's own thread destroys it (else ERROR_ACCESS_DENIED). Owned windows go first;
// then WM_DESTROY to the window and to its children (parents before children), then
// WM_NCDESTROY to the children and last to the window; the handle is then stale.
WINUSERAPI BOOL WINAPI DestroyWindow(HWND window);
WINUSERAPI BOOL WINAPI IsWindow(HWND window);

// The tree and the z-order. The desktop window is the parent of every top-level window; its
// children are kept top first.
#define GW_HWNDFIRST 0
#define GW_HWNDLAST 1
#define GW_HWNDNEXT 2
#define GW_HWNDPREV 3
#define GW_OWNER 4
#define GW_CHILD 5
#define GW_ENABLEDPOPUP 6
#define GA_PARENT 1
#define GA_ROOT 2
#define GA_ROOTOWNER 3
WINUSERAPI HWND WINAPI GetDesktopWindow();
WINUSERAPI HWND WINAPI GetTopWindow(HWND window);
WINUSERAPI HWND WINAPI GetWindow(HWND window, UINT command);
// The parent of a child window; the owner of a top-level WS_POPUP window; else NULL.
WINUSERAPI HWND WINAPI GetParent(HWND window);
WINUSERAPI HWND WINAPI SetParent(HWND child, HWND newParent);
WINUSERAPI HWND WINAPI GetAncestor(HWND window, UINT flags);
// The window owned (directly or through other owned windows) by `window` that was activated last;
// `window` itself when that was `window`, when it owns nothing that was activated or that window
// is gone, or when `window` is owned by another window.
WINUSERAPI HWND WINAPI GetLastActivePopup(HWND window);
WINUSERAPI BOOL WINAPI IsChild(HWND parent, HWND window);
WINUSERAPI DWORD WINAPI GetWindowThreadProcessId(HWND window, LPDWORD processId);

typedef BOOL(CALLBACK* WNDENUMPROC)(HWND window, LPARAM lParam);
// Top-level windows in z-order; FALSE when the callback stopped it.
WINUSERAPI BOOL WINAPI EnumWindows(WNDENUMPROC enumFunc, LPARAM lParam);
// Every descendant, depth first (a child, then its children, then the next child); a NULL
// parent enumerates as EnumWindows does.
WINUSERAPI BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC enumFunc, LPARAM lParam);
// The top-level windows of the thread.
WINUSERAPI BOOL WINAPI EnumThreadWindows(DWORD threadId, WNDENUMPROC enumFunc, LPARAM lParam);
// Top-level windows (FindWindow) or children of a parent after childAfter (FindWindowEx) with
// that class and title; NULL matches any; both compare without regard to case, and the titles
// are the stored ones (no message is sent).
WINUSERAPI HWND WINAPI FindWindow(LPCSTR className, LPCSTR windowName);
WINUSERAPI HWND WINAPI FindWindowEx(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName);

// Titles. For a window of the calling thread these send WM_GETTEXT / WM_GETTEXTLENGTH /
// WM_SETTEXT; for a window of another thread GetWindowText and GetWindowTextLength read the
// stored title without sending, so a thread that reads titles never waits for one that does not
// pump messages (SetWindowText sends to any thread).
WINUSERAPI int WINAPI GetWindowText(HWND window, LPSTR text, int maxCount);
WINUSERAPI int WINAPI GetWindowTextLength(HWND window);
WINUSERAPI BOOL WINAPI SetWindowText(HWND window, LPCSTR text);

// Window data. Non-negative indexes read the class's cbWndExtra bytes (ERROR_INVALID_INDEX past
// them). GWLP_WNDPROC subclasses: the previous procedure is returned for CallWindowProc.
#define GWLP_WNDPROC (-4)
#define GWLP_HINSTANCE (-6)
#define GWLP_HWNDPARENT (-8)
#define GWLP_ID (-12)
#define GWL_ID (-12)
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWLP_USERDATA (-21)
WINUSERAPI LONG WINAPI GetWindowLong(HWND window, int index);
WINUSERAPI LONG WINAPI SetWindowLong(HWND window, int index, LONG newLong);
WINUSERAPI LONG_PTR WINAPI GetWindowLongPtr(HWND window, int index);
WINUSERAPI LONG_PTR WINAPI SetWindowLongPtr(HWND window, int index, LONG_PTR newLong);
WINUSERAPI LRESULT WINAPI CallWindowProc(WNDPROC prevWndFunc, HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam);
// The default handling: WM_NCCREATE takes the title from the CREATESTRUCT, WM_GETTEXT /
// WM_GETTEXTLENGTH / WM_SETTEXT work on the stored title, WM_CLOSE destroys the window,
// WM_SYSCOMMAND SC_CLOSE sends WM_CLOSE, WM_ACTIVATE gives an activated window the focus,
// WM_WINDOWPOSCHANGED sends WM_SIZE and WM_MOVE, WM_PAINT validates (BeginPaint, EndPaint),
// WM_ERASEBKGND fills with the class's brush (1; 0 without one), WM_SETREDRAW switches the
// window's drawing and painting on or off; everything else answers 0.
WINUSERAPI LRESULT WINAPI DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Showing and enabling. Showing a top-level window (but with SW_SHOWNA, SW_SHOWNOACTIVATE,
// SW_SHOWMINNOACTIVE) activates it.
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA 8
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10
#define SW_FORCEMINIMIZE 11
// The previous visibility; WM_SHOWWINDOW when it changes.
WINUSERAPI BOOL WINAPI ShowWindow(HWND window, int command);
// Visible itself and every ancestor.
WINUSERAPI BOOL WINAPI IsWindowVisible(HWND window);
// Non-zero when the window was disabled before; WM_ENABLE when it changes.
WINUSERAPI BOOL WINAPI EnableWindow(HWND window, BOOL enable);
WINUSERAPI BOOL WINAPI IsWindowEnabled(HWND window);
WINUSERAPI BOOL WINAPI IsIconic(HWND window);
WINUSERAPI BOOL WINAPI IsZoomed(HWND window);

// Rectangles: stored as given, in the parent's client coordinates (screen coordinates for top-
// level windows). There is no frame: the client area is the whole window.
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOREDRAW 0x0008
#define SWP_NOACTIVATE 0x0010
#define SWP_FRAMECHANGED 0x0020
#define SWP_SHOWWINDOW 0x0040
#define SWP_HIDEWINDOW 0x0080
#define SWP_NOCOPYBITS 0x0100
#define SWP_NOOWNERZORDER 0x0200
#define SWP_NOSENDCHANGING 0x0400
#define SWP_DRAWFRAME SWP_FRAMECHANGED
#define SWP_NOREPOSITION SWP_NOOWNERZORDER
typedef struct tagWINDOWPOS {
  HWND hwnd;
  HWND hwndInsertAfter;
  int x;
  int y;
  int cx;
  int cy;
  UINT flags;
} WINDOWPOS, *LPWINDOWPOS, *PWINDOWPOS;
typedef struct tagSTYLESTRUCT {
  DWORD styleOld;
  DWORD styleNew;
} STYLESTRUCT, *LPSTYLESTRUCT;
// WM_WINDOWPOSCHANGING (the procedure may change the WINDOWPOS) and WM_WINDOWPOSCHANGED when
// the position, size or z-order changes.
WINUSERAPI BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
WINUSERAPI BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
WINUSERAPI BOOL WINAPI GetWindowRect(HWND window, LPRECT rect);
WINUSERAPI BOOL WINAPI GetClientRect(HWND window, LPRECT rect);
WINUSERAPI BOOL WINAPI ClientToScreen(HWND window, LPPOINT point);
WINUSERAPI BOOL WINAPI ScreenToClient(HWND window, LPPOINT point);

// Properties: names compare without regard to case; an atom (MAKEINTATOM) names one too.
WINUSERAPI BOOL WINAPI SetProp(HWND window, LPCSTR name, HANDLE data);
WINUSERAPI HANDLE WINAPI GetProp(HWND window, LPCSTR name);
WINUSERAPI HANDLE WINAPI RemoveProp(HWND window, LPCSTR name);

// Focus and activation, per thread: the focus is a window of the calling thread, the active
// window its top-level window. SetFocus sends WM_KILLFOCUS and WM_SETFOCUS and activates the
// top-level window; SetActiveWindow sends WM_ACTIVATE to the window losing and the one gaining
// activation (after the CBT hook's HCBT_ACTIVATE). The foreground window is the last window
// activated or brought to the foreground by any thread.
WINUSERAPI HWND WINAPI GetFocus();
WINUSERAPI HWND WINAPI SetFocus(HWND window);
WINUSERAPI HWND WINAPI GetActiveWindow();
WINUSERAPI HWND WINAPI SetActiveWindow(HWND window);
WINUSERAPI HWND WINAPI GetForegroundWindow();
WINUSERAPI BOOL WINAPI SetForegroundWindow(HWND window);

// Dialog items: a child's id is its GWLP_ID.
WINUSERAPI HWND WINAPI GetDlgItem(HWND dialog, int id);
WINUSERAPI int WINAPI GetDlgCtrlID(HWND window);

}  // extern "C"
