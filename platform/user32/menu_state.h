// Menus: their items and the table of live menus, under a lock of their own (the window
// manager's lock is never taken while it is held, and nothing calls out holding it).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace user32::menus {

// The flags an item keeps as its state; the rest of MF_* say what the item is or how a call
// names it.
constexpr UINT kStateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_MENUBREAK | MF_MENUBARBREAK |
                             MF_DEFAULT;

struct Item {
  UINT type = 0;             // MF_SEPARATOR, MF_OWNERDRAW, MF_BITMAP; none for a string
  UINT state = 0;            // kStateFlags
  UINT_PTR id = 0;           // the command id (a separator's is 0)
  HMENU submenu = nullptr;   // a submenu entry's submenu
  std::string text;          // a string item's text
  ULONG_PTR data = 0;        // an owner-drawn item's data; a bitmap item's bitmap
  bool IsPopup() const { return submenu != nullptr; }
  bool Is(UINT kind) const { return (type & kind) != 0; }
  // What GetMenuState tells: the type and state flags (a popup's high byte is added by the caller).
  UINT Flags() const { return type | state | (submenu != nullptr ? MF_POPUP : 0); }
};

struct Menu {
  HMENU handle = nullptr;
  bool popup = false;
  std::vector<Item> items;
};

// With the lock (MenuLock) held.
std::mutex& MenuLock();
std::shared_ptr<Menu> FindMenuLocked(HMENU menu);
HMENU NewMenuLocked(bool popup);
// Takes the menu out of the table with every submenu below it.
void DestroyMenuLocked(HMENU menu);
// The menu that holds the item and its position there: by position in `menu` itself, or the
// first item of the command id searching every submenu where its entry stands (a submenu entry
// answers to its submenu's handle when nothing inside has the id).
struct Where {
  std::shared_ptr<Menu> menu;
  size_t position = 0;
  Item& item() const { return menu->items[position]; }
};
std::optional<Where> FindItemLocked(HMENU menu, UINT id, UINT flags);
// An item made from AppendMenu/InsertMenu/ModifyMenu's flags, id and new-item argument; nullopt
// (with ERROR_INVALID_MENU_HANDLE) for a popup that is no menu.
std::optional<Item> MakeItemLocked(UINT flags, UINT_PTR id, LPCSTR newItem);
// The number of menus alive (for the sandbox).
size_t LiveMenusLocked();

// The procedure of the menu class "#32768", the windows of open popup menus.
LRESULT CALLBACK PopupMenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace user32::menus
