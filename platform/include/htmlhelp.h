// HTML Help: the help viewer's entry point. It lives in "hhctrl.ocx", which programs load at run
// time (by name, or by the path that HKCR "CLSID\<the viewer's class id>\InprocServer32" holds)
// and bind by ordinal: the ANSI entry is ordinal 14.
#pragma once

#include "windows.h"

// The viewer's class id, under which the control's file is registered.
#define HTMLHELP_CLSID_TEXT "{ADB880A6-D8FF-11CF-9377-00AA003B7A11}"
// The ordinal of HtmlHelpA in hhctrl.ocx.
#define HTMLHELP_ANSI_ORDINAL 14

// Commands (uCommand).
#define HH_DISPLAY_TOPIC 0x0000
#define HH_HELP_FINDER 0x0000
#define HH_DISPLAY_TOC 0x0001
#define HH_DISPLAY_INDEX 0x0002
#define HH_DISPLAY_SEARCH 0x0003
#define HH_SET_WIN_TYPE 0x0004
#define HH_GET_WIN_TYPE 0x0005
#define HH_GET_WIN_HANDLE 0x0006
#define HH_SYNC 0x0009
#define HH_KEYWORD_LOOKUP 0x000D
#define HH_DISPLAY_TEXT_POPUP 0x000E
#define HH_HELP_CONTEXT 0x000F
#define HH_CLOSE_ALL 0x0012
#define HH_ALINK_LOOKUP 0x0013
#define HH_INITIALIZE 0x001C
#define HH_UNINITIALIZE 0x001D

// The entry's type (there is no import library: programs take it with GetProcAddress). hwndCaller
// owns the help window; pszFile is "<help file>" or "<help file>::<topic>", optionally followed by
// ">window type"; dwData depends on the command (0 for HH_DISPLAY_TOPIC). Returns the help window,
// or NULL.
typedef HWND(WINAPI* PFN_HTMLHELPA)(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData);
