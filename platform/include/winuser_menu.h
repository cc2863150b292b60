// user32: menus and owner-drawn items. A menu is a list of items (strings, separators, submenus,
// owner-drawn items and bitmaps) with their state; handles are never reused, so a destroyed
// menu's handle is refused (ERROR_INVALID_MENU_HANDLE). Menus live until DestroyMenu, which takes
// their submenus with them.
#pragma once

#include "windef.h"
#include "winerror.h"
#include "winuser_window.h"

extern "C" {

// Item flags (MF_*): how an item is named, what it is, and its state.
#define MF_INSERT 0x00000000L
#define MF_CHANGE 0x00000080L
#define MF_APPEND 0x00000100L
#define MF_DELETE 0x00000200L
#define MF_REMOVE 0x00001000L
#define MF_BYCOMMAND 0x00000000L
#define MF_BYPOSITION 0x00000400L
#define MF_SEPARATOR 0x00000800L
#define MF_ENABLED 0x00000000L
#define MF_GRAYED 0x00000001L
#define MF_DISABLED 0x00000002L
#define MF_UNCHECKED 0x00000000L
#define MF_CHECKED 0x00000008L
#define MF_USECHECKBITMAPS 0x00000200L
#define MF_STRING 0x00000000L
#define MF_BITMAP 0x00000004L
#define MF_OWNERDRAW 0x00000100L
#define MF_POPUP 0x00000010L
#define MF_MENUBARBREAK 0x00000020L
#define MF_MENUBREAK 0x00000040L
#define MF_UNHILITE 0x00000000L
#define MF_HILITE 0x00000080L
#define MF_DEFAULT 0x00001000L
#define MF_SYSMENU 0x00002000L
#define MF_HELP 0x00004000L
#define MF_RIGHTJUSTIFY 0x00004000L
#define MF_MOUSESELECT 0x00008000L
#define MF_END 0x00000080L  // in a menu template: the last item of its level

WINUSERAPI HMENU WINAPI CreateMenu();
WINUSERAPI HMENU WINAPI CreatePopupMenu();
// A MENU resource (RT_MENU, the standard template; the extended one is not modelled) of the module.
WINUSERAPI HMENU WINAPI LoadMenu(HINSTANCE instance, LPCSTR name);
WINUSERAPI HMENU WINAPI LoadMenuIndirect(const void* menuTemplate);
// Destroys the menu and every submenu it holds.
WINUSERAPI BOOL WINAPI DestroyMenu(HMENU menu);
WINUSERAPI BOOL WINAPI IsMenu(HMENU menu);

// Items are named by position (MF_BYPOSITION, from 0) or by command id (MF_BYCOMMAND: the first
// item of that id, searching each submenu where its entry stands). The new item is a string
// (newItem the text; NULL makes a separator), MF_SEPARATOR, MF_POPUP (newId the submenu's handle),
// MF_OWNERDRAW (newItem the item data the owner gets back) or MF_BITMAP (newItem the bitmap).
WINUSERAPI BOOL WINAPI AppendMenu(HMENU menu, UINT flags, UINT_PTR newId, LPCSTR newItem);
WINUSERAPI BOOL WINAPI InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR newId, LPCSTR newItem);
// Replaces the item. An item that opened a submenu destroys that submenu unless the new item is
// MF_POPUP with the same handle.
WINUSERAPI BOOL WINAPI ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR newId, LPCSTR newItem);
// DeleteMenu destroys a removed item's submenu; RemoveMenu leaves it to the caller.
WINUSERAPI BOOL WINAPI DeleteMenu(HMENU menu, UINT position, UINT flags);
WINUSERAPI BOOL WINAPI RemoveMenu(HMENU menu, UINT position, UINT flags);

// -1 for a menu that is no menu (ERROR_INVALID_MENU_HANDLE).
WINUSERAPI int WINAPI GetMenuItemCount(HMENU menu);
// The command id at the position; -1 for a submenu entry or a position past the end.
WINUSERAPI UINT WINAPI GetMenuItemID(HMENU menu, int position);
WINUSERAPI HMENU WINAPI GetSubMenu(HMENU menu, int position);
// The item's type and state flags (MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_HILITE, MF_SEPARATOR,
// MF_OWNERDRAW, MF_BITMAP, MF_POPUP, MF_MENUBREAK, MF_MENUBARBREAK, MF_DEFAULT); a submenu entry
// carries its submenu's item count in the high byte. -1 when there is no such item.
WINUSERAPI UINT WINAPI GetMenuState(HMENU menu, UINT id, UINT flags);
// Copies the item's text (at most maxCount - 1 bytes, never cutting a double-byte character) and
// returns the bytes copied; with no buffer, the text's length. 0 for separators, owner-drawn
// items and bitmaps.
WINUSERAPI int WINAPI GetMenuString(HMENU menu, UINT id, LPSTR buffer, int maxCount, UINT flags);
// The previous state (MF_ENABLED, MF_GRAYED, MF_DISABLED), or -1 when there is no such item.
WINUSERAPI BOOL WINAPI EnableMenuItem(HMENU menu, UINT id, UINT enable);
// The previous check state (MF_CHECKED, MF_UNCHECKED), or -1 when there is no such item.
WINUSERAPI DWORD WINAPI CheckMenuItem(HMENU menu, UINT id, UINT check);

// TrackPopupMenu flags.
#define TPM_LEFTBUTTON 0x0000L
#define TPM_RIGHTBUTTON 0x0002L
#define TPM_LEFTALIGN 0x0000L
#define TPM_CENTERALIGN 0x0004L
#define TPM_RIGHTALIGN 0x0008L
#define TPM_TOPALIGN 0x0000L
#define TPM_VCENTERALIGN 0x0010L
#define TPM_BOTTOMALIGN 0x0020L
#define TPM_HORIZONTAL 0x0000L
#define TPM_VERTICAL 0x0040L
#define TPM_NONOTIFY 0x0080L
#define TPM_RETURNCMD 0x0100L

// Shows the popup at (x, y) (screen coordinates, aligned as the flags say) as a top-level window of
// the menu class "#32768" owned by `owner`, and asks the scripted user (kind "PopupMenu"), whose
// answer is the command chosen (0: none). The owner gets WM_ENTERMENULOOP, WM_INITMENU,
// WM_INITMENUPOPUP, WM_MEASUREITEM for each owner-drawn item, WM_DRAWITEM as the popup paints and
// WM_EXITMENULOOP (TPM_NONOTIFY: none of them but the owner-draw messages); the arrow of a submenu
// entry is drawn by the popup, over an owner-drawn entry too; a command inside a
// submenu opens that submenu on the way (WM_INITMENUPOPUP, its items measured and drawn). With
// TPM_RETURNCMD the command is returned, else it is posted to the owner as WM_COMMAND and the
// answer is TRUE. A command that is not an enabled item reachable through enabled entries is a
// faulty script: reported, and nothing is chosen.
WINUSERAPI BOOL WINAPI TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                                      const RECT* rect);

// Owner-drawn items: WM_MEASUREITEM asks their size, WM_DRAWITEM draws them.
#define ODT_MENU 1
#define ODT_LISTBOX 2
#define ODT_COMBOBOX 3
#define ODT_BUTTON 4
#define ODT_STATIC 5
#define ODA_DRAWENTIRE 0x0001
#define ODA_SELECT 0x0002
#define ODA_FOCUS 0x0004
#define ODS_SELECTED 0x0001
#define ODS_GRAYED 0x0002
#define ODS_DISABLED 0x0004
#define ODS_CHECKED 0x0008
#define ODS_FOCUS 0x0010
#define ODS_DEFAULT 0x0020
typedef struct tagMEASUREITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  UINT itemWidth;
  UINT itemHeight;
  ULONG_PTR itemData;
} MEASUREITEMSTRUCT, *PMEASUREITEMSTRUCT, *LPMEASUREITEMSTRUCT;
// For a menu item hwndItem is the menu's handle, as the platform passes it.
typedef struct tagDRAWITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  UINT itemAction;
  UINT itemState;
  HWND hwndItem;
  HDC hDC;
  RECT rcItem;
  ULONG_PTR itemData;
} DRAWITEMSTRUCT, *PDRAWITEMSTRUCT, *LPDRAWITEMSTRUCT;

}  // extern "C"
