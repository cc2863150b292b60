// comctl32: the common controls the system uses (the tooltip control and the tree view), image
// lists, mapped bitmaps and _TrackMouseEvent.
#pragma once

#include "windows.h"

extern "C" {

#define WINCOMMCTRLAPI STANDIN_API

// Registers the common controls' window classes for the process (again after a sandbox reset,
// which drops every class but the system's); a control's window cannot be made before.
typedef struct tagINITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;
#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_HOTKEY_CLASS 0x00000040
#define ICC_ANIMATE_CLASS 0x00000080
#define ICC_WIN95_CLASSES 0x000000FF
WINCOMMCTRLAPI void WINAPI InitCommonControls();
// The tooltip class comes with ICC_BAR_CLASSES (or ICC_TREEVIEW_CLASSES, as the platform has it),
// the tree view's with ICC_TREEVIEW_CLASSES.
WINCOMMCTRLAPI BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

// TrackMouseEvent of user32 (winuser_input.h).
WINCOMMCTRLAPI BOOL WINAPI _TrackMouseEvent(LPTRACKMOUSEEVENT eventTrack);

// Colours a mapped bitmap changes: each pixel of `from` becomes `to`.
typedef struct _COLORMAP {
  COLORREF from;
  COLORREF to;
} COLORMAP, *LPCOLORMAP;
#define CMB_MASKED 0x02
// The module's bitmap resource as a 32-bit bitmap with the colours of the map replaced; without a
// map, black, 0x808080, 0xC0C0C0 and white become the button text, shadow, face and highlight
// colours of the moment. CMB_MASKED is not modelled.
WINCOMMCTRLAPI HBITMAP WINAPI CreateMappedBitmap(HINSTANCE instance, INT_PTR idBitmap, UINT flags,
                                                 LPCOLORMAP colorMap, int numMaps);

// Image lists: images of one size, each with its mask (which pixels are transparent). Images are
// kept at 32 bits per pixel whatever colour depth the list asks for.
struct _IMAGELIST;
typedef struct _IMAGELIST* HIMAGELIST;
#define CLR_NONE 0xFFFFFFFFL
#define CLR_DEFAULT 0xFF000000L
#define ILC_MASK 0x00000001
#define ILC_COLOR 0x00000000
#define ILC_COLORDDB 0x000000FE
#define ILC_COLOR4 0x00000004
#define ILC_COLOR8 0x00000008
#define ILC_COLOR16 0x00000010
#define ILC_COLOR24 0x00000018
#define ILC_COLOR32 0x00000020
#define ILD_NORMAL 0x00000000
#define ILD_TRANSPARENT 0x00000001
#define ILD_MASK 0x00000010
#define ILD_IMAGE 0x00000020
#define ILD_BLEND25 0x00000002
#define ILD_BLEND50 0x00000004
#define ILD_FOCUS ILD_BLEND25
#define ILD_SELECTED ILD_BLEND50
#define IMAGE_BITMAP 0
#define LR_DEFAULTCOLOR 0x00000000
WINCOMMCTRLAPI HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
WINCOMMCTRLAPI BOOL WINAPI ImageList_Destroy(HIMAGELIST list);
WINCOMMCTRLAPI int WINAPI ImageList_GetImageCount(HIMAGELIST list);
WINCOMMCTRLAPI BOOL WINAPI ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Adds as many images as the bitmap is wide (its width divided by the list's); the mask bitmap's
// white pixels are transparent (NULL: none is). Returns the first new image's index, -1 on failure.
WINCOMMCTRLAPI int WINAPI ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// The same with every pixel of `mask` transparent (a list without ILC_MASK keeps them).
WINCOMMCTRLAPI int WINAPI ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask);
WINCOMMCTRLAPI COLORREF WINAPI ImageList_SetBkColor(HIMAGELIST list, COLORREF color);
WINCOMMCTRLAPI COLORREF WINAPI ImageList_GetBkColor(HIMAGELIST list);
// ILD_TRANSPARENT (or ILD_NORMAL with the background CLR_NONE, the default) leaves the
// transparent pixels as they are; ILD_NORMAL fills them with the list's background colour; a list
// without ILC_MASK draws every pixel; ILD_MASK draws the mask (black where the image is). Blends
// are not modelled.
WINCOMMCTRLAPI BOOL WINAPI ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
// A bitmap resource cut into images `cx` wide, masked on `mask` (CLR_NONE: no mask). Only
// IMAGE_BITMAP with LR_DEFAULTCOLOR is modelled.
WINCOMMCTRLAPI HIMAGELIST WINAPI ImageList_LoadImage(HINSTANCE instance, LPCSTR name, int cx, int grow,
                                                     COLORREF mask, UINT type, UINT flags);
#define ImageList_LoadBitmap(instance, name, cx, grow, mask) \
  ImageList_LoadImage(instance, name, cx, grow, mask, IMAGE_BITMAP, LR_DEFAULTCOLOR)

// The tooltip control, class "tooltips_class32": a top-level window owned by the window it helps.
// Its tools are windows (TTF_IDISHWND: uId is the tool's window, hwnd its parent) or rectangles
// of a window's client area (uId an id of the caller's). Mouse messages relayed to it
// (TTM_RELAYEVENT) say where the pointer is: once the pointer has rested on one tool for the
// initial delay (GetDoubleClickTime(), through a timer of the tooltip's window) the tip shows the
// tool's text just below the pointer, until the pointer leaves the tool, a button goes down, the
// tip pops (TTM_POP), is deactivated, or ten times the initial delay has passed. An empty text
// shows nothing. The tip is as wide as its text (at most the maximum tip width, where the text
// breaks between words) plus 4 pixels on each side and 2 above and below, in the tooltip
// colours.
#define TOOLTIPS_CLASS "tooltips_class32"
#define TTS_ALWAYSTIP 0x01
#define TTS_NOPREFIX 0x02
#define TTF_IDISHWND 0x0001
#define TTF_CENTERTIP 0x0002
#define TTF_RTLREADING 0x0004
#define TTF_SUBCLASS 0x0010
#define TTF_TRACK 0x0020
#define TTF_ABSOLUTE 0x0080
#define TTF_TRANSPARENT 0x0100
#define LPSTR_TEXTCALLBACK (reinterpret_cast<LPSTR>(static_cast<LONG_PTR>(-1)))
typedef struct tagTOOLINFO {
  UINT cbSize;
  UINT uFlags;
  HWND hwnd;
  UINT_PTR uId;
  RECT rect;
  HINSTANCE hinst;
  LPSTR lpszText;
  LPARAM lParam;
} TOOLINFO, *PTOOLINFO, *LPTOOLINFO;
typedef const TOOLINFO* LPCTOOLINFO;
#define TTM_ACTIVATE (WM_USER + 1)
#define TTM_ADDTOOL (WM_USER + 4)
#define TTM_DELTOOL (WM_USER + 5)
#define TTM_RELAYEVENT (WM_USER + 7)
#define TTM_UPDATETIPTEXT (WM_USER + 12)
#define TTM_GETTOOLCOUNT (WM_USER + 13)
#define TTM_SETMAXTIPWIDTH (WM_USER + 24)
#define TTM_GETMAXTIPWIDTH (WM_USER + 25)
#define TTM_POP (WM_USER + 28)

// Notifications every common control sends its parent (WM_NOTIFY, NMHDR::code).
#define NM_FIRST (0U - 0U)
#define NM_OUTOFMEMORY (NM_FIRST - 1)
#define NM_CLICK (NM_FIRST - 2)
#define NM_DBLCLK (NM_FIRST - 3)
#define NM_RETURN (NM_FIRST - 4)
#define NM_RCLICK (NM_FIRST - 5)
#define NM_RDBLCLK (NM_FIRST - 6)
#define NM_SETFOCUS (NM_FIRST - 7)
#define NM_KILLFOCUS (NM_FIRST - 8)

}  // extern "C"

#include "commctrl_treeview.h"
