// user32: string resources, message boxes, wsprintf and the resource types; windows, messages
// and hooks are declared in the headers included at the end.
#pragma once

#include <cstdarg>

#include "windef.h"
#include "winerror.h"
#include "winuser_styles.h"

extern "C" {

// Predefined resource types (FindResource's type argument).
#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#ifndef RT_STRING
#define RT_STRING MAKEINTRESOURCE(6)
#endif
#define RT_FONTDIR MAKEINTRESOURCE(7)
#define RT_FONT MAKEINTRESOURCE(8)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_MESSAGETABLE MAKEINTRESOURCE(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)
#define RT_DLGINCLUDE MAKEINTRESOURCE(17)
#define RT_HTML MAKEINTRESOURCE(23)
#define RT_MANIFEST MAKEINTRESOURCE(24)

// String resources. The A form copies at most bufferMax - 1 bytes in the ANSI code page, never
// cutting a double-byte character, and always terminates; it returns the bytes copied.
WINUSERAPI int WINAPI LoadString(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax);

// Message box buttons.
#define MB_OK 0x00000000
#define MB_OKCANCEL 0x00000001
#define MB_ABORTRETRYIGNORE 0x00000002
#define MB_YESNOCANCEL 0x00000003
#define MB_YESNO 0x00000004
#define MB_RETRYCANCEL 0x00000005
// Icons.
#define MB_ICONHAND 0x00000010
#define MB_ICONQUESTION 0x00000020
#define MB_ICONEXCLAMATION 0x00000030
#define MB_ICONASTERISK 0x00000040
#define MB_USERICON 0x00000080
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONSTOP MB_ICONHAND
// Default button.
#define MB_DEFBUTTON1 0x00000000
#define MB_DEFBUTTON2 0x00000100
#define MB_DEFBUTTON3 0x00000200
#define MB_DEFBUTTON4 0x00000300
// Modality and the rest.
#define MB_APPLMODAL 0x00000000
#define MB_SYSTEMMODAL 0x00001000
#define MB_TASKMODAL 0x00002000
#define MB_HELP 0x00004000
#define MB_NOFOCUS 0x00008000
#define MB_SETFOREGROUND 0x00010000
#define MB_DEFAULT_DESKTOP_ONLY 0x00020000
#define MB_TOPMOST 0x00040000
#define MB_RIGHT 0x00080000
#define MB_RTLREADING 0x00100000
#define MB_TYPEMASK 0x0000000F
#define MB_ICONMASK 0x000000F0
#define MB_DEFMASK 0x00000F00
#define MB_MODEMASK 0x00003000
#define MB_MISCMASK 0x0000C000

// Dialog box command ids (IDOK ... IDHELP): winuser_styles.h.

// MessageBox shows a top-level window of class "#32770" titled with the caption (a NULL caption
// is "Error"), owned by the owner's top-level window, which is disabled while the box is up; it
// returns the button chosen, or 0 when the box cannot be shown (a CBT hook refused its window).
// A box nobody answers returns the cancel answer: IDCANCEL where there is a Cancel button, IDOK
// for MB_OK, IDNO for MB_YESNO, IDABORT for MB_ABORTRETRYIGNORE. While up, the box runs a modal
// loop on the calling thread: a WM_COMMAND with one of its button ids, or WM_CLOSE (the cancel
// answer), ends it.
WINUSERAPI int WINAPI MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
WINUSERAPI BOOL WINAPI MessageBeep(UINT type);

// wsprintf: the printf subset of the platform (no floating point, no '*' widths), at most 1024
// bytes including the terminating NUL; returns the bytes written without it.
WINUSERAPI int CDECL wsprintf(LPSTR buffer, LPCSTR format, ...);
WINUSERAPI int WINAPI wvsprintf(LPSTR buffer, LPCSTR format, va_list arguments);

}  // extern "C"

#include "winuser_window.h"
#include "winuser_message.h"
#include "winuser_hook.h"
#include "winuser_draw.h"
#include "winuser_menu.h"
#include "winuser_input.h"
#include "winuser_control.h"
#include "winuser_dialog.h"
