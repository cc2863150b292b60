// user32: painting and drawing. Every top-level window has a picture of its own (32 bits per
// pixel, its size), which its DCs and its children's DCs draw into; top-level windows never cover
// each other. System colours, metrics and parameters are the classic scheme's at 1024 x 768.
#pragma once

#include "windef.h"
#include "wingdi.h"
#include "winerror.h"

extern "C" {

// Window DCs: GetDC and GetWindowDC (there is no frame, so both cover the whole window; NULL is the
// screen) draw into the top-level window's picture, clipped to the window and its ancestors, with
// WS_CLIPCHILDREN leaving out visible children and WS_CLIPSIBLINGS visible siblings above it.
// A window that is hidden, or has redrawing switched off (WM_SETREDRAW), draws nothing.
WINUSERAPI HDC WINAPI GetDC(HWND window);
WINUSERAPI HDC WINAPI GetWindowDC(HWND window);
WINUSERAPI int WINAPI ReleaseDC(HWND window, HDC dc);

// The update region is kept as one rectangle, the bounds of everything invalidated. A window
// without WS_CLIPCHILDREN passes invalidations on to the visible children they touch.
typedef struct tagPAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
} PAINTSTRUCT, *PPAINTSTRUCT, *LPPAINTSTRUCT;
WINUSERAPI BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase);
WINUSERAPI BOOL WINAPI ValidateRect(HWND window, const RECT* rect);
WINUSERAPI BOOL WINAPI GetUpdateRect(HWND window, LPRECT rect, BOOL erase);
// Sends WM_PAINT at once when the update region is not empty.
WINUSERAPI BOOL WINAPI UpdateWindow(HWND window);
#define RDW_INVALIDATE 0x0001
#define RDW_INTERNALPAINT 0x0002
#define RDW_ERASE 0x0004
#define RDW_VALIDATE 0x0008
#define RDW_NOINTERNALPAINT 0x0010
#define RDW_NOERASE 0x0020
#define RDW_NOCHILDREN 0x0040
#define RDW_ALLCHILDREN 0x0080
#define RDW_UPDATENOW 0x0100
#define RDW_ERASENOW 0x0200
#define RDW_FRAME 0x0400
#define RDW_NOFRAME 0x0800
// RDW_INVALIDATE (with RDW_ERASE), RDW_VALIDATE, RDW_ALLCHILDREN / RDW_NOCHILDREN, RDW_UPDATENOW
// and RDW_ERASENOW (both paint the window and its children now); regions, internal paints and
// frames are not modelled.
WINUSERAPI BOOL WINAPI RedrawWindow(HWND window, const RECT* rect, HRGN region, UINT flags);
// The DC is clipped to the update rectangle, which is then validated; WM_ERASEBKGND comes first
// when the invalidation asked for erasing (fErase says whether it went unanswered).
WINUSERAPI HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint);
WINUSERAPI BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint);

// System colours: the classic scheme; SetSysColors changes them for the process (no
// WM_SYSCOLORCHANGE is sent). GetSysColorBrush's brushes follow the colours and are never deleted.
#define COLOR_SCROLLBAR 0
#define COLOR_BACKGROUND 1
#define COLOR_DESKTOP COLOR_BACKGROUND
#define COLOR_ACTIVECAPTION 2
#define COLOR_INACTIVECAPTION 3
#define COLOR_MENU 4
#define COLOR_WINDOW 5
#define COLOR_WINDOWFRAME 6
#define COLOR_MENUTEXT 7
#define COLOR_WINDOWTEXT 8
#define COLOR_CAPTIONTEXT 9
#define COLOR_ACTIVEBORDER 10
#define COLOR_INACTIVEBORDER 11
#define COLOR_APPWORKSPACE 12
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#define COLOR_3DFACE COLOR_BTNFACE
#define COLOR_BTNSHADOW 16
#define COLOR_3DSHADOW COLOR_BTNSHADOW
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_INACTIVECAPTIONTEXT 19
#define COLOR_BTNHIGHLIGHT 20
#define COLOR_3DHIGHLIGHT COLOR_BTNHIGHLIGHT
#define COLOR_3DHILIGHT COLOR_BTNHIGHLIGHT
#define COLOR_BTNHILIGHT COLOR_BTNHIGHLIGHT
#define COLOR_3DDKSHADOW 21
#define COLOR_3DLIGHT 22
#define COLOR_INFOTEXT 23
#define COLOR_INFOBK 24
WINUSERAPI DWORD WINAPI GetSysColor(int index);
WINUSERAPI BOOL WINAPI SetSysColors(int count, const INT* indexes, const COLORREF* colors);
WINUSERAPI HBRUSH WINAPI GetSysColorBrush(int index);

// System metrics (fixed values; docs/STANDINS.md lists them).
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXVSCROLL 2
#define SM_CYHSCROLL 3
#define SM_CYCAPTION 4
#define SM_CXBORDER 5
#define SM_CYBORDER 6
#define SM_CXDLGFRAME 7
#define SM_CYDLGFRAME 8
#define SM_CYVTHUMB 9
#define SM_CXHTHUMB 10
#define SM_CXICON 11
#define SM_CYICON 12
#define SM_CXCURSOR 13
#define SM_CYCURSOR 14
#define SM_CYMENU 15
#define SM_CXFULLSCREEN 16
#define SM_CYFULLSCREEN 17
#define SM_CYVSCROLL 20
#define SM_CXHSCROLL 21
#define SM_CXFRAME 32
#define SM_CYFRAME 33
#define SM_CXDOUBLECLK 36
#define SM_CYDOUBLECLK 37
#define SM_CXFIXEDFRAME SM_CXDLGFRAME
#define SM_CYFIXEDFRAME SM_CYDLGFRAME
#define SM_CXEDGE 45
#define SM_CYEDGE 46
#define SM_CXSMICON 49
#define SM_CYSMICON 50
#define SM_CXMENUCHECK 71
#define SM_CYMENUCHECK 72
#define SM_CXDRAG 68
#define SM_CYDRAG 69
WINUSERAPI int WINAPI GetSystemMetrics(int index);

// SystemParametersInfo: SPI_GETNONCLIENTMETRICS only (its cbSize must be the structure's).
#define SPI_GETNONCLIENTMETRICS 0x0029
typedef struct tagNONCLIENTMETRICS {
  UINT cbSize;
  int iBorderWidth;
  int iScrollWidth;
  int iScrollHeight;
  int iCaptionWidth;
  int iCaptionHeight;
  LOGFONT lfCaptionFont;
  int iSmCaptionWidth;
  int iSmCaptionHeight;
  LOGFONT lfSmCaptionFont;
  int iMenuWidth;
  int iMenuHeight;
  LOGFONT lfMenuFont;
  LOGFONT lfStatusFont;
  LOGFONT lfMessageFont;
} NONCLIENTMETRICS, *PNONCLIENTMETRICS, *LPNONCLIENTMETRICS;
WINUSERAPI BOOL WINAPI SystemParametersInfo(UINT action, UINT param, PVOID value, UINT winIni);

// Rectangles and edges.
// Rectangles: InflateRect grows each side by dx, dy (shrinks for negative ones); OffsetRect moves
// the rectangle. FALSE for a null rectangle.
WINUSERAPI BOOL WINAPI InflateRect(LPRECT rect, int dx, int dy);
WINUSERAPI BOOL WINAPI OffsetRect(LPRECT rect, int dx, int dy);
WINUSERAPI int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush);
// The dotted frame, drawn by inverting every other pixel: drawn twice it is gone.
WINUSERAPI BOOL WINAPI DrawFocusRect(HDC dc, const RECT* rect);
#define BDR_RAISEDOUTER 0x0001
#define BDR_SUNKENOUTER 0x0002
#define BDR_RAISEDINNER 0x0004
#define BDR_SUNKENINNER 0x0008
#define BDR_OUTER (BDR_RAISEDOUTER | BDR_SUNKENOUTER)
#define BDR_INNER (BDR_RAISEDINNER | BDR_SUNKENINNER)
#define EDGE_RAISED (BDR_RAISEDOUTER | BDR_RAISEDINNER)
#define EDGE_SUNKEN (BDR_SUNKENOUTER | BDR_SUNKENINNER)
#define EDGE_ETCHED (BDR_SUNKENOUTER | BDR_RAISEDINNER)
#define EDGE_BUMP (BDR_RAISEDOUTER | BDR_SUNKENINNER)
#define BF_LEFT 0x0001
#define BF_TOP 0x0002
#define BF_RIGHT 0x0004
#define BF_BOTTOM 0x0008
#define BF_TOPLEFT (BF_TOP | BF_LEFT)
#define BF_TOPRIGHT (BF_TOP | BF_RIGHT)
#define BF_BOTTOMLEFT (BF_BOTTOM | BF_LEFT)
#define BF_BOTTOMRIGHT (BF_BOTTOM | BF_RIGHT)
#define BF_RECT (BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM)
#define BF_DIAGONAL 0x0010
#define BF_MIDDLE 0x0800
#define BF_SOFT 0x1000
#define BF_ADJUST 0x2000
#define BF_FLAT 0x4000
#define BF_MONO 0x8000
// Each border (outer, then inner) a line of one pixel per side asked for, in the classic 3-D
// colours; BF_MIDDLE fills what is inside, BF_ADJUST shrinks the rectangle by the borders.
// Diagonal, soft, flat and mono edges are not modelled.
WINUSERAPI BOOL WINAPI DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags);

// Text in the DC's font, colours and background mode.
#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_WORDBREAK 0x00000010
#define DT_SINGLELINE 0x00000020
#define DT_EXPANDTABS 0x00000040
#define DT_TABSTOP 0x00000080
#define DT_NOCLIP 0x00000100
#define DT_EXTERNALLEADING 0x00000200
#define DT_CALCRECT 0x00000400
#define DT_NOPREFIX 0x00000800
#define DT_INTERNAL 0x00001000
#define DT_EDITCONTROL 0x00002000
#define DT_PATH_ELLIPSIS 0x00004000
#define DT_END_ELLIPSIS 0x00008000
#define DT_MODIFYSTRING 0x00010000
#define DT_RTLREADING 0x00020000
#define DT_WORD_ELLIPSIS 0x00040000
#define DT_NOFULLWIDTHCHARBREAK 0x00080000
#define DT_HIDEPREFIX 0x00100000
#define DT_PREFIXONLY 0x00200000
// Lines break at CR LF, CR or LF (not with DT_SINGLELINE) and, with DT_WORDBREAK, between words
// that would pass the right edge; each line is aligned left, centred or right; with DT_SINGLELINE
// the line is put at the top, centred vertically or at the bottom. "&x" underlines x and "&&" is
// "&" (not with DT_NOPREFIX); DT_EXPANDTABS sets tab stops every 8 average character widths. The
// text is clipped to the rectangle unless DT_NOCLIP. DT_CALCRECT draws nothing and sets the
// rectangle's right and bottom to the text's. Returns the text's height (with DT_VCENTER or
// DT_BOTTOM, the offset from the rectangle's top to the text's bottom); a count of -1 means the
// text ends at its NUL. Ellipses, DT_TABSTOP, DT_INTERNAL, DT_EDITCONTROL and the rest are not
// modelled.
WINUSERAPI int WINAPI DrawText(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format);
// Width and height (MAKELONG) of one line with tabs: no stops given, a stop every 8 average
// character widths; one, that interval; more, those positions, and after them every 8 average
// character widths.
WINUSERAPI DWORD WINAPI GetTabbedTextExtent(HDC dc, LPCSTR text, int count, int tabPositions,
                                            const INT* tabStopPositions);

// Bitmap resources (RT_BITMAP: a DIB without its file header) of 1, 4, 8, 24 or 32 bits per
// pixel: a 1-bit one loads as a monochrome bitmap, any other as 32 bits per pixel. System bitmaps
// (no module) are not modelled.
WINUSERAPI HBITMAP WINAPI LoadBitmap(HINSTANCE instance, LPCSTR name);

}  // extern "C"
