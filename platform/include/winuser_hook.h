// user32: hooks. WH_CBT is modelled; other hook types are refused as unmodelled.
#pragma once

#include "windef.h"
#include "winerror.h"
#include "winuser_window.h"

extern "C" {

typedef LRESULT(CALLBACK* HOOKPROC)(int code, WPARAM wParam, LPARAM lParam);

#define WH_MIN (-1)
#define WH_MSGFILTER (-1)
#define WH_JOURNALRECORD 0
#define WH_JOURNALPLAYBACK 1
#define WH_KEYBOARD 2
#define WH_GETMESSAGE 3
#define WH_CALLWNDPROC 4
#define WH_CBT 5
#define WH_SYSMSGFILTER 6
#define WH_MOUSE 7
#define WH_DEBUG 9
#define WH_SHELL 10
#define WH_FOREGROUNDIDLE 11
#define WH_CALLWNDPROCRET 12
#define WH_KEYBOARD_LL 13
#define WH_MOUSE_LL 14
#define WH_MAX 14

// CBT notifications: each hook gets them on the thread where the event happens.
#define HCBT_MOVESIZE 0
#define HCBT_MINMAX 1
#define HCBT_QS 2
#define HCBT_CREATEWND 3
#define HCBT_DESTROYWND 4
#define HCBT_ACTIVATE 5
#define HCBT_CLICKSKIPPED 6
#define HCBT_KEYSKIPPED 7
#define HCBT_SYSCOMMAND 8
#define HCBT_SETFOCUS 9

// HCBT_CREATEWND: wParam the new window, lParam this; a non-zero answer refuses the window.
typedef struct tagCBT_CREATEWND {
  LPCREATESTRUCT lpcs;
  HWND hwndInsertAfter;
} CBT_CREATEWND, *LPCBT_CREATEWND;
// HCBT_ACTIVATE: wParam the window being activated, lParam this.
typedef struct tagCBTACTIVATESTRUCT {
  BOOL fMouse;
  HWND hWndActive;
} CBTACTIVATESTRUCT, *LPCBTACTIVATESTRUCT;

// threadId 0 hooks every thread of the process and needs a module (ERROR_HOOK_NEEDS_HMOD).
// Thread-specific hooks run before hooks of every thread, the latest installed first; a hook
// ends with its thread (and with the thread that installed it).
WINUSERAPI HHOOK WINAPI SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadId);
// The next hook of the chain being called on this thread, or 0 at its end.
WINUSERAPI LRESULT WINAPI CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
// A hook already removed fails with ERROR_INVALID_HOOK_HANDLE.
WINUSERAPI BOOL WINAPI UnhookWindowsHookEx(HHOOK hook);

}  // extern "C"
