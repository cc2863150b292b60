// user32: the dialog controls the system's dialogs use: buttons ("Button": push buttons, check
// boxes, radio buttons, group boxes), edits ("Edit"), list boxes ("ListBox") and combo boxes
// ("ComboBox"), and the scroll bars of a window. Each control paints itself plainly in the font
// WM_SETFONT gave it (NULL: the system font), over the brush its parent answers to WM_CTLCOLORBTN,
// WM_CTLCOLOREDIT or WM_CTLCOLORLISTBOX (none: the button face for buttons, the window colour for
// the others), and tells its parent what the user did through WM_COMMAND (wParam MAKEWPARAM(id,
// notification code), lParam the control). They take no keyboard or mouse input: the sandbox's user acts
// through the controls' messages.
#pragma once

#include "windef.h"
#include "winuser_styles.h"
#include "winuser_window.h"

extern "C" {

#define WC_BUTTON "Button"
#define WC_EDIT "Edit"
#define WC_LISTBOX "ListBox"
#define WC_COMBOBOX "ComboBox"

// Buttons. BM_CLICK is a click: an auto check box turns (unchecked, checked, and for
// BS_AUTO3STATE indeterminate), an auto radio button checks itself and clears the other radio
// buttons of its group, then the parent gets BN_CLICKED; a disabled button ignores it.
#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BM_GETSTATE 0x00F2
#define BM_SETSTATE 0x00F3
#define BM_SETSTYLE 0x00F4
#define BM_CLICK 0x00F5
#define BST_UNCHECKED 0x0000
#define BST_CHECKED 0x0001
#define BST_INDETERMINATE 0x0002
#define BST_PUSHED 0x0004
#define BST_FOCUS 0x0008
#define BN_CLICKED 0
#define BN_DOUBLECLICKED 5

// Edits: the text is the window's text; WM_SETTEXT sends the parent EN_CHANGE (a single-line
// edit). EM_LIMITTEXT limits what WM_SETTEXT takes (0: the default, 30000 bytes); a read-only
// edit still takes WM_SETTEXT.
#define EM_GETSEL 0x00B0
#define EM_SETSEL 0x00B1
#define EM_GETMODIFY 0x00B8
#define EM_SETMODIFY 0x00B9
#define EM_LIMITTEXT 0x00C5
#define EM_SETLIMITTEXT EM_LIMITTEXT
#define EM_SETREADONLY 0x00CF
#define EM_GETLIMITTEXT 0x00D5
#define EN_SETFOCUS 0x0100
#define EN_KILLFOCUS 0x0200
#define EN_CHANGE 0x0300
#define EN_UPDATE 0x0400
#define EN_MAXTEXT 0x0501

// List boxes (single selection; LBS_SORT sorts without regard to case). The horizontal scroll
// bar of one made with WS_HSCROLL shows exactly while LB_SETHORIZONTALEXTENT's extent exceeds the
// client width.
#define LB_ADDSTRING 0x0180
#define LB_INSERTSTRING 0x0181
#define LB_DELETESTRING 0x0182
#define LB_RESETCONTENT 0x0184
#define LB_SETSEL 0x0185
#define LB_SETCURSEL 0x0186
#define LB_GETSEL 0x0187
#define LB_GETCURSEL 0x0188
#define LB_GETTEXT 0x0189
#define LB_GETTEXTLEN 0x018A
#define LB_GETCOUNT 0x018B
#define LB_SELECTSTRING 0x018C
#define LB_GETTOPINDEX 0x018E
#define LB_FINDSTRING 0x018F
#define LB_GETSELCOUNT 0x0190
#define LB_GETSELITEMS 0x0191
#define LB_GETHORIZONTALEXTENT 0x0193
#define LB_SETHORIZONTALEXTENT 0x0194
#define LB_SETTOPINDEX 0x0197
#define LB_GETITEMDATA 0x0199
#define LB_SETITEMDATA 0x019A
#define LB_GETITEMHEIGHT 0x01A1
#define LB_FINDSTRINGEXACT 0x01A2
#define LB_OKAY 0
#define LB_ERR (-1)
#define LB_ERRSPACE (-2)
#define LBN_ERRSPACE (-2)
#define LBN_SELCHANGE 1
#define LBN_DBLCLK 2
#define LBN_SELCANCEL 3
#define LBN_SETFOCUS 4
#define LBN_KILLFOCUS 5

// Combo boxes: the list's items as a list box's; the text of a drop-down list is its selected
// item, that of the others their edit field's.
#define CB_GETEDITSEL 0x0140
#define CB_LIMITTEXT 0x0141
#define CB_SETEDITSEL 0x0142
#define CB_ADDSTRING 0x0143
#define CB_DELETESTRING 0x0144
#define CB_GETCOUNT 0x0146
#define CB_GETCURSEL 0x0147
#define CB_GETLBTEXT 0x0148
#define CB_GETLBTEXTLEN 0x0149
#define CB_INSERTSTRING 0x014A
#define CB_RESETCONTENT 0x014B
#define CB_FINDSTRING 0x014C
#define CB_SELECTSTRING 0x014D
#define CB_SETCURSEL 0x014E
#define CB_SHOWDROPDOWN 0x014F
#define CB_GETITEMDATA 0x0150
#define CB_SETITEMDATA 0x0151
#define CB_GETDROPPEDSTATE 0x0157
#define CB_FINDSTRINGEXACT 0x0158
#define CB_OKAY 0
#define CB_ERR (-1)
#define CB_ERRSPACE (-2)
#define CBN_ERRSPACE (-1)
#define CBN_SELCHANGE 1
#define CBN_DBLCLK 2
#define CBN_SETFOCUS 3
#define CBN_KILLFOCUS 4
#define CBN_EDITCHANGE 5
#define CBN_EDITUPDATE 6
#define CBN_DROPDOWN 7
#define CBN_CLOSEUP 8
#define CBN_SELENDOK 9
#define CBN_SELENDCANCEL 10

// A window's standard scroll bars (non-client parts, which are not drawn: a window has no
// frame). Showing one sets WS_HSCROLL or WS_VSCROLL in the window's style, hiding it clears it.
#define SB_HORZ 0
#define SB_VERT 1
#define SB_CTL 2
#define SB_BOTH 3
#define SIF_RANGE 0x0001
#define SIF_PAGE 0x0002
#define SIF_POS 0x0004
#define SIF_DISABLENOSCROLL 0x0008
#define SIF_TRACKPOS 0x0010
#define SIF_ALL (SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS)
typedef struct tagSCROLLINFO {
  UINT cbSize;
  UINT fMask;
  int nMin;
  int nMax;
  UINT nPage;
  int nPos;
  int nTrackPos;
} SCROLLINFO, *LPSCROLLINFO;
typedef const SCROLLINFO* LPCSCROLLINFO;
// Sets what fMask names (the page clamped to the range's size, the position into the range);
// returns the position.
WINUSERAPI int WINAPI SetScrollInfo(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw);
WINUSERAPI BOOL WINAPI GetScrollInfo(HWND window, int bar, LPSCROLLINFO info);
WINUSERAPI BOOL WINAPI ShowScrollBar(HWND window, int bar, BOOL show);
// The position alone (SetScrollPos answers the one before) and the range alone.
WINUSERAPI int WINAPI SetScrollPos(HWND window, int bar, int pos, BOOL redraw);
WINUSERAPI int WINAPI GetScrollPos(HWND window, int bar);
WINUSERAPI BOOL WINAPI SetScrollRange(HWND window, int bar, int minPos, int maxPos, BOOL redraw);
WINUSERAPI BOOL WINAPI GetScrollRange(HWND window, int bar, LPINT minPos, LPINT maxPos);
// WM_HSCROLL and WM_VSCROLL requests (LOWORD of wParam; HIWORD the thumb's position).
#define SB_LINEUP 0
#define SB_LINELEFT 0
#define SB_LINEDOWN 1
#define SB_LINERIGHT 1
#define SB_PAGEUP 2
#define SB_PAGELEFT 2
#define SB_PAGEDOWN 3
#define SB_PAGERIGHT 3
#define SB_THUMBPOSITION 4
#define SB_THUMBTRACK 5
#define SB_TOP 6
#define SB_LEFT 6
#define SB_BOTTOM 7
#define SB_RIGHT 7
#define SB_ENDSCROLL 8

}  // extern "C"
