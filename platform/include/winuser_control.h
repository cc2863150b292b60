// user32: the system's control classes (so far the static control, class "Static") and the
// messages a control asks its parent for colours with.
#pragma once

#include "windef.h"
#include "winerror.h"
#include "winuser_styles.h"
#include "winuser_window.h"

extern "C" {

#define WM_CTLCOLORMSGBOX 0x0132
#define WM_CTLCOLOREDIT 0x0133
#define WM_CTLCOLORLISTBOX 0x0134
#define WM_CTLCOLORBTN 0x0135
#define WM_CTLCOLORDLG 0x0136
#define WM_CTLCOLORSCROLLBAR 0x0137
#define WM_CTLCOLORSTATIC 0x0138
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6
#define CTLCOLOR_MAX 7

// The static control, class "Static" (a global class of the system: CS_DBLCLKS | CS_PARENTDC,
// the arrow cursor, no background brush). It paints its text in its font (WM_SETFONT; NULL the
// system font) over the brush its parent answers to WM_CTLCOLORSTATIC (wParam the DC, lParam the
// control; the parent may set the DC's text and background colours; DefWindowProc answers the
// button face's brush with the window text colour), with DrawText: SS_LEFT, SS_CENTER and
// SS_RIGHT break lines between words and expand tabs, SS_LEFTNOWORDWRAP does not break,
// SS_SIMPLE is one line; SS_CENTERIMAGE makes the text one line centred vertically; SS_NOPREFIX
// shows '&' as it is; a disabled control's text is grey. SS_BLACKRECT is filled with the window
// frame colour. Without SS_NOTIFY it answers WM_NCHITTEST with HTTRANSPARENT, so the pointer
// falls through to what lies below; with it a press sends its parent WM_COMMAND with STN_CLICKED
// (a double-click STN_DBLCLK). Icons, bitmaps, frames and owner-drawn statics are not modelled.
#define WC_STATIC "Static"
// The static control's styles (SS_*): winuser_styles.h.
#define STN_CLICKED 0
#define STN_DBLCLK 1
#define STN_ENABLE 2
#define STN_DISABLE 3

}  // extern "C"
