// comctl32: the tree view, class "SysTreeView32" (included by commctrl.h).
//
// Items: handles are never reused (a deleted item's handle is refused, FALSE or NULL); each item
// has a text, an image and a selected image (indexes into the normal image list), TVIS_* state
// bits, a children flag (TVIF_CHILDREN: 1 shows a button before any child exists) and lParam.
// Callbacks (LPSTR_TEXTCALLBACK, I_IMAGECALLBACK, I_CHILDRENCALLBACK) are not modelled (reported).
//
// Layout, fixed: every row is 16 pixels high (or as high as the tallest image list's images),
// rows follow one another from the top in display order (children under expanded parents). An
// item of depth d (0 at the root) starts at x = indent * (d + 1 with TVS_LINESATROOT, else d),
// less the horizontal scroll position; the indent column left of it holds its button (with
// TVS_HASBUTTONS, for an item with children or a children flag of 1, not at the root without
// TVS_LINESATROOT); then the state image (when a state image list is set), the image (when a
// normal image list is set) and the label, 2 pixels wider than the text on each side. The text is
// in the control's font (WM_SETFONT; the GUI font by default). TVM_HITTEST names these zones
// (TVHT_ONITEMINDENT, TVHT_ONITEMBUTTON, TVHT_ONITEMSTATEICON, TVHT_ONITEMICON,
// TVHT_ONITEMLABEL, TVHT_ONITEMRIGHT), rows below the last item TVHT_NOWHERE, points outside the
// client area TVHT_ABOVE, TVHT_BELOW, TVHT_TOLEFT, TVHT_TORIGHT. The vertical scroll position
// counts rows, the horizontal one pixels (a line is 8); both are kept in the window's scroll bars
// (GetScrollPos), which take no room.
//
// Selection: the caret (TVGN_CARET) carries TVIS_SELECTED. TVM_SELECTITEM sends TVN_SELCHANGING
// (a non-zero answer vetoes), expands the item's collapsed ancestors, moves TVIS_SELECTED from the
// old caret to the new one, scrolls it into view and sends TVN_SELCHANGED; selecting the caret
// again sends nothing. When a collapse hides the caret, the collapsed item becomes the caret
// (vetoable; a veto leaves the caret hidden). When the caret is deleted with its subtree, the
// caret moves to the subtree's next sibling, else its previous sibling, else its parent (none at
// the root), with both notifications and no veto. Deleting TVI_ROOT clears the caret silently.
//
// Expansion: TVM_EXPAND sends TVN_ITEMEXPANDING and TVN_ITEMEXPANDED only while the item's
// TVIS_EXPANDEDONCE is clear (the first expansion sets it); the user's expansion (button, double
// click, keys) always sends them. A non-zero TVN_ITEMEXPANDING vetoes. An item with no children
// and a children flag of 0 does not expand (FALSE). TVE_COLLAPSERESET deletes the children
// (TVN_DELETEITEM each) and clears TVIS_EXPANDEDONCE. TVE_EXPANDPARTIAL is not modelled.
//
// Deleting sends TVN_DELETEITEM for every item of the subtree, children before their parent.
//
// The mouse: a left press on an item (state image, image or label) takes the focus, makes it the
// caret (TVC_BYMOUSE) and runs a drag-detect loop holding the capture: a move farther than
// SM_CXDRAG or SM_CYDRAG from the press sends TVN_BEGINDRAG (unless TVS_DISABLEDRAGDROP), the
// button's release (which the loop eats) sends NM_CLICK; a press elsewhere sends NM_CLICK on the
// release; a press on a button toggles the item. A click on the label of the item that already
// was the caret in a focused tree with TVS_EDITLABELS edits the label after the double-click time
// (a timer; a double-click in between cancels it). A double-click sends NM_DBLCLK and, answered
// 0, toggles the item under the pointer. A right press runs the same loop: a drag sends
// TVN_BEGINRDRAG, a release NM_RCLICK and, when that is answered 0, the control sends itself
// WM_CONTEXTMENU (screen point of the release), which DefWindowProc passes to the parent.
//
// Keys (WM_KEYDOWN, after TVN_KEYDOWN to the parent): Up and Down move the caret to the previous
// and next visible item (TVC_BYKEYBOARD), Home and End to the first and last, Page Up and Page
// Down by a page; Left collapses an expanded caret or moves to its parent, Right expands a
// collapsed one or moves to its first child; Return sends NM_RETURN. Characters (incremental
// search) do nothing.
//
// Label editing (TVM_EDITLABEL): TVN_BEGINLABELEDIT (non-zero cancels), then the scripted user is
// asked (kind "LabelEdit", text the item's text, the action given the tree's window): IDOK with
// a text is that text entered, anything else (no answer: the cancel answer) leaves the edit. Then
// TVN_ENDLABELEDIT with the text, or a null text when cancelled; the item takes the text only
// when the parent answers TRUE. The edit is over when the call returns: there is no edit control,
// so TVM_EDITLABEL and TVM_GETEDITCONTROL answer NULL.
//
// Painting: the window colour; dotted grey lines (TVS_HASLINES); buttons as a box with a minus or
// plus; the state image, the image (the selected image while TVIS_SELECTED); the label. Labels
// of items with TVIS_DROPHILITED, or with TVIS_SELECTED while no item is drop-highlighted, are
// highlighted: in the highlight colours while the tree has the focus (or for a drop highlight),
// on the button face with TVS_SHOWSELALWAYS otherwise. The caret's label has a focus rectangle
// while the tree has the focus.
#pragma once

#include "commctrl.h"

extern "C" {

#define WC_TREEVIEW "SysTreeView32"

#define TVS_HASBUTTONS 0x0001
#define TVS_HASLINES 0x0002
#define TVS_LINESATROOT 0x0004
#define TVS_EDITLABELS 0x0008
#define TVS_DISABLEDRAGDROP 0x0010
#define TVS_SHOWSELALWAYS 0x0020
#define TVS_RTLREADING 0x0040
#define TVS_NOTOOLTIPS 0x0080
#define TVS_CHECKBOXES 0x0100
#define TVS_TRACKSELECT 0x0200
#define TVS_SINGLEEXPAND 0x0400
#define TVS_INFOTIP 0x0800
#define TVS_FULLROWSELECT 0x1000
#define TVS_NOSCROLL 0x2000
#define TVS_NONEVENHEIGHT 0x4000

struct _TREEITEM;
typedef struct _TREEITEM* HTREEITEM;

#define TVI_ROOT (reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0x10000)))
#define TVI_FIRST (reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0x0FFFF)))
#define TVI_LAST (reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0x0FFFE)))
#define TVI_SORT (reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0x0FFFD)))

#define TVIF_TEXT 0x0001
#define TVIF_IMAGE 0x0002
#define TVIF_PARAM 0x0004
#define TVIF_STATE 0x0008
#define TVIF_HANDLE 0x0010
#define TVIF_SELECTEDIMAGE 0x0020
#define TVIF_CHILDREN 0x0040
#define TVIF_INTEGRAL 0x0080

#define TVIS_FOCUSED 0x0001
#define TVIS_SELECTED 0x0002
#define TVIS_CUT 0x0004
#define TVIS_DROPHILITED 0x0008
#define TVIS_BOLD 0x0010
#define TVIS_EXPANDED 0x0020
#define TVIS_EXPANDEDONCE 0x0040
#define TVIS_EXPANDPARTIAL 0x0080
#define TVIS_OVERLAYMASK 0x0F00
#define TVIS_STATEIMAGEMASK 0xF000
#define TVIS_USERMASK 0xF000
#define INDEXTOSTATEIMAGEMASK(i) ((i) << 12)

#define I_CHILDRENCALLBACK (-1)
#define I_IMAGECALLBACK (-1)

typedef struct tagTVITEM {
  UINT mask;
  HTREEITEM hItem;
  UINT state;
  UINT stateMask;
  LPSTR pszText;
  int cchTextMax;
  int iImage;
  int iSelectedImage;
  int cChildren;
  LPARAM lParam;
} TVITEM, *LPTVITEM;
typedef TVITEM TV_ITEM;

typedef struct tagTVINSERTSTRUCT {
  HTREEITEM hParent;
  HTREEITEM hInsertAfter;
  TVITEM item;
} TVINSERTSTRUCT, *LPTVINSERTSTRUCT;
typedef TVINSERTSTRUCT TV_INSERTSTRUCT;

#define TVE_COLLAPSE 0x0001
#define TVE_EXPAND 0x0002
#define TVE_TOGGLE 0x0003
#define TVE_EXPANDPARTIAL 0x4000
#define TVE_COLLAPSERESET 0x8000
#define TVE_ACTIONMASK 0x0003

#define TVSIL_NORMAL 0
#define TVSIL_STATE 2

#define TVGN_ROOT 0x0000
#define TVGN_NEXT 0x0001
#define TVGN_PREVIOUS 0x0002
#define TVGN_PARENT 0x0003
#define TVGN_CHILD 0x0004
#define TVGN_FIRSTVISIBLE 0x0005
#define TVGN_NEXTVISIBLE 0x0006
#define TVGN_PREVIOUSVISIBLE 0x0007
#define TVGN_DROPHILITE 0x0008
#define TVGN_CARET 0x0009
#define TVGN_LASTVISIBLE 0x000A

#define TVC_UNKNOWN 0x0000
#define TVC_BYMOUSE 0x0001
#define TVC_BYKEYBOARD 0x0002

#define TVHT_NOWHERE 0x0001
#define TVHT_ONITEMICON 0x0002
#define TVHT_ONITEMLABEL 0x0004
#define TVHT_ONITEMINDENT 0x0008
#define TVHT_ONITEMBUTTON 0x0010
#define TVHT_ONITEMRIGHT 0x0020
#define TVHT_ONITEMSTATEICON 0x0040
#define TVHT_ONITEM (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)
#define TVHT_ABOVE 0x0100
#define TVHT_BELOW 0x0200
#define TVHT_TORIGHT 0x0400
#define TVHT_TOLEFT 0x0800

typedef struct tagTVHITTESTINFO {
  POINT pt;
  UINT flags;
  HTREEITEM hItem;
} TVHITTESTINFO, *LPTVHITTESTINFO;

typedef int(CALLBACK* PFNTVCOMPARE)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
typedef struct tagTVSORTCB {
  HTREEITEM hParent;
  PFNTVCOMPARE lpfnCompare;
  LPARAM lParam;
} TVSORTCB, *LPTVSORTCB;

#define TV_FIRST 0x1100
#define TVM_INSERTITEM (TV_FIRST + 0)
#define TVM_DELETEITEM (TV_FIRST + 1)
#define TVM_EXPAND (TV_FIRST + 2)
// lParam: a RECT whose first bytes hold the item's handle; wParam TRUE: the label only, else the
// whole row. FALSE for an item under a collapsed parent.
#define TVM_GETITEMRECT (TV_FIRST + 4)
#define TVM_GETCOUNT (TV_FIRST + 5)
#define TVM_GETINDENT (TV_FIRST + 6)
#define TVM_SETINDENT (TV_FIRST + 7)
#define TVM_GETIMAGELIST (TV_FIRST + 8)
#define TVM_SETIMAGELIST (TV_FIRST + 9)
#define TVM_GETNEXTITEM (TV_FIRST + 10)
#define TVM_SELECTITEM (TV_FIRST + 11)
#define TVM_GETITEM (TV_FIRST + 12)
#define TVM_SETITEM (TV_FIRST + 13)
#define TVM_EDITLABEL (TV_FIRST + 14)
#define TVM_GETEDITCONTROL (TV_FIRST + 15)
#define TVM_GETVISIBLECOUNT (TV_FIRST + 16)
#define TVM_HITTEST (TV_FIRST + 17)
#define TVM_SORTCHILDREN (TV_FIRST + 19)
#define TVM_ENSUREVISIBLE (TV_FIRST + 20)
#define TVM_SORTCHILDRENCB (TV_FIRST + 21)
#define TVM_ENDEDITLABELNOW (TV_FIRST + 22)
#define TVM_GETITEMHEIGHT (TV_FIRST + 28)

#define TVN_FIRST (0U - 400U)
#define TVN_SELCHANGING (TVN_FIRST - 1)
#define TVN_SELCHANGED (TVN_FIRST - 2)
#define TVN_GETDISPINFO (TVN_FIRST - 3)
#define TVN_SETDISPINFO (TVN_FIRST - 4)
#define TVN_ITEMEXPANDING (TVN_FIRST - 5)
#define TVN_ITEMEXPANDED (TVN_FIRST - 6)
#define TVN_BEGINDRAG (TVN_FIRST - 7)
#define TVN_BEGINRDRAG (TVN_FIRST - 8)
#define TVN_DELETEITEM (TVN_FIRST - 9)
#define TVN_BEGINLABELEDIT (TVN_FIRST - 10)
#define TVN_ENDLABELEDIT (TVN_FIRST - 11)
#define TVN_KEYDOWN (TVN_FIRST - 12)

// The items of a notification carry TVIF_HANDLE | TVIF_STATE | TVIF_PARAM (TVN_DELETEITEM:
// TVIF_HANDLE | TVIF_PARAM in itemOld); action is TVC_* for selection changes and TVE_* for
// expansion; ptDrag is the press's client point for the drags.
typedef struct tagNMTREEVIEW {
  NMHDR hdr;
  UINT action;
  TVITEM itemOld;
  TVITEM itemNew;
  POINT ptDrag;
} NMTREEVIEW, *LPNMTREEVIEW;
typedef NMTREEVIEW NM_TREEVIEW;

typedef struct tagTVDISPINFO {
  NMHDR hdr;
  TVITEM item;
} NMTVDISPINFO, *LPNMTVDISPINFO;
typedef NMTVDISPINFO TV_DISPINFO;

typedef struct tagTVKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
} NMTVKEYDOWN, *LPNMTVKEYDOWN;

}  // extern "C"
