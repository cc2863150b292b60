// user32: the dialog manager. A dialog is a window of the class "#32770" made from a dialog
// template (DLGTEMPLATE or DLGTEMPLATEEX, as the resource compiler writes them): its controls are
// its children, laid out in dialog units of the dialog's font (a unit is a quarter of the font's
// average character width across and an eighth of its height down), each given the font with
// WM_SETFONT. Windows have no frame, so a dialog's client area is the template's size.
#pragma once

#include "windef.h"
#include "winerror.h"
#include "winuser_control.h"
#include "winuser_input.h"
#include "winuser_styles.h"
#include "winuser_window.h"

extern "C" {

#pragma pack(push, 2)
// The fixed part of a DLGTEMPLATE; the menu, class, title and font follow as variable fields.
typedef struct {
  DWORD style;
  DWORD dwExtendedStyle;
  WORD cdit;
  short x;
  short y;
  short cx;
  short cy;
} DLGTEMPLATE, *LPDLGTEMPLATE;
typedef const DLGTEMPLATE* LPCDLGTEMPLATE;
typedef struct {
  DWORD style;
  DWORD dwExtendedStyle;
  short x;
  short y;
  short cx;
  short cy;
  WORD id;
} DLGITEMTEMPLATE, *LPDLGITEMTEMPLATE;
#pragma pack(pop)

// The dialog procedure: TRUE when it handled the message (the answer is then DWLP_MSGRESULT, or
// the return value itself for WM_INITDIALOG and WM_CTLCOLOR*), FALSE for the default processing.
typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

// A dialog's window bytes.
#define DWLP_MSGRESULT 0
#define DWLP_DLGPROC (DWLP_MSGRESULT + static_cast<int>(sizeof(LRESULT)))
#define DWLP_USER (DWLP_DLGPROC + static_cast<int>(sizeof(DLGPROC)))

// Dialog messages.
#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DC_HASDEFID 0x534B

// WM_GETDLGCODE answers: what a control wants of the keyboard and what it is to the dialog.
#define DLGC_WANTARROWS 0x0001
#define DLGC_WANTTAB 0x0002
#define DLGC_WANTALLKEYS 0x0004
#define DLGC_WANTMESSAGE 0x0004
#define DLGC_HASSETSEL 0x0008
#define DLGC_DEFPUSHBUTTON 0x0010
#define DLGC_UNDEFPUSHBUTTON 0x0020
#define DLGC_RADIOBUTTON 0x0040
#define DLGC_WANTCHARS 0x0080
#define DLGC_STATIC 0x0100
#define DLGC_BUTTON 0x2000

// The keys the dialog manager gives meaning (WM_KEYDOWN's wParam): VK_TAB, VK_RETURN, VK_SHIFT,
// VK_ESCAPE and VK_F1 of winuser_input.h.

// Makes a dialog from the template resource `templateName` of `instance` (or a template in
// memory), owned by `parent`'s top-level window (or a child of `parent` with WS_CHILD): the
// window hidden first, WM_SETFONT to it, the controls made in template order (which is the tab
// order; a control that cannot be made fails the dialog unless DS_NOFAILCREATE), WM_SETFONT to
// each, then WM_INITDIALOG (wParam the first control with WS_TABSTOP, lParam `initParam`; TRUE
// gives that control the focus), then shown when the template has WS_VISIBLE. The position is
// the template's in dialog units from the owner's client area (the screen's with DS_ABSALIGN or
// no owner), or centred on the owner (the screen) with DS_CENTER. NULL when it cannot be made:
// no template (ERROR_RESOURCE_NAME_NOT_FOUND & co.), a malformed one (ERROR_INVALID_DATA), a
// control's class unknown.
WINUSERAPI HWND WINAPI CreateDialogParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC dialogProc,
                                         LPARAM initParam);
WINUSERAPI HWND WINAPI CreateDialogIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent,
                                                 DLGPROC dialogProc, LPARAM initParam);
#define CreateDialog(instance, name, parent, proc) CreateDialogParam(instance, name, parent, proc, 0)
#define CreateDialogIndirect(instance, tmpl, parent, proc) CreateDialogIndirectParam(instance, tmpl, parent, proc, 0)
// A modal dialog: made as above and shown, its owner disabled while it is up; the scripted user
// is asked (kind "Dialog": the caption, and the template's name as text, "#<id>" for an integer
// one) and the dialog runs until EndDialog; returns EndDialog's result, -1 when the dialog cannot
// be made (the scripted user is not asked then).
WINUSERAPI INT_PTR WINAPI DialogBoxParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC dialogProc,
                                         LPARAM initParam);
WINUSERAPI INT_PTR WINAPI DialogBoxIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent,
                                                 DLGPROC dialogProc, LPARAM initParam);
#define DialogBox(instance, name, parent, proc) DialogBoxParam(instance, name, parent, proc, 0)
#define DialogBoxIndirect(instance, tmpl, parent, proc) DialogBoxIndirectParam(instance, tmpl, parent, proc, 0)
// Ends a dialog's modal loop with `result` (the dialog goes when the loop ends; a modeless one is
// hidden and stays until destroyed). FALSE for a window that is no dialog.
WINUSERAPI BOOL WINAPI EndDialog(HWND dialog, INT_PTR result);
// The dialogs' window procedure (the class's): the dialog procedure first, then the default
// processing: DM_GETDEFID (the default push button's id, else IDOK, with DC_HASDEFID),
// DM_SETDEFID, WM_SETFONT/WM_GETFONT (the dialog's font), WM_CLOSE (WM_COMMAND IDCANCEL),
// WM_NEXTDLGCTL, WM_ERASEBKGND (the brush WM_CTLCOLORDLG answers, else the button face), then
// DefWindowProc's (whose WM_CTLCOLOR* answers the button face, the window colour for edits and
// list boxes).
WINUSERAPI LRESULT WINAPI DefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The dialog manager's keyboard: for a message to the dialog or one of its descendants, Enter
// clicks the default push button (the focused push button if there is one), Escape sends
// WM_COMMAND IDCANCEL, Tab moves the focus to the next control with WS_TABSTOP, unless the
// focused control wants the key (WM_GETDLGCODE); any other message is translated and dispatched.
// TRUE when the message was the dialog's.
WINUSERAPI BOOL WINAPI IsDialogMessage(HWND dialog, LPMSG message);
// The system font's dialog base units: average width in the low word, height in the high word.
WINUSERAPI LONG WINAPI GetDialogBaseUnits();
// Dialog units to pixels with the dialog's font.
WINUSERAPI BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect);
// The next (or previous) visible, enabled control with WS_TABSTOP, wrapping around.
WINUSERAPI HWND WINAPI GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
// The next (or previous) visible, enabled control of the control's group (WS_GROUP starts one),
// wrapping around within it.
WINUSERAPI HWND WINAPI GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

WINUSERAPI LRESULT WINAPI SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
WINUSERAPI BOOL WINAPI SetDlgItemText(HWND dialog, int id, LPCSTR text);
WINUSERAPI UINT WINAPI GetDlgItemText(HWND dialog, int id, LPSTR text, int maxCount);
WINUSERAPI BOOL WINAPI SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
// The control's text as a number (leading and trailing blanks allowed); *translated FALSE and 0
// when it is none or out of range.
WINUSERAPI UINT WINAPI GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
WINUSERAPI BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check);
WINUSERAPI UINT WINAPI IsDlgButtonChecked(HWND dialog, int id);
// Checks the button `check` and clears the others whose ids lie from first to last.
WINUSERAPI BOOL WINAPI CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);

}  // extern "C"

#include "winuser_dlgcontrols.h"
