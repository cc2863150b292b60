// Making, changing and asking menus: CreateMenu & co., the item calls, their state.
#include "menu_state.h"
#include "user_state.h"

using namespace user32;
using namespace user32::menus;

namespace {

constexpr UINT kNotFound = static_cast<UINT>(-1);

// Inserts before `at` (past the end: appends).
BOOL InsertAt(const std::shared_ptr<Menu>& menu, size_t at, const Item& item) {
  if (at > menu->items.size()) at = menu->items.size();
  menu->items.insert(menu->items.begin() + static_cast<std::ptrdiff_t>(at), item);
  return TRUE;
}

BOOL Remove(HMENU handle, UINT position, UINT flags, bool destroySubmenu) {
  std::lock_guard<std::mutex> g(MenuLock());
  if (!FindMenuLocked(handle)) return Fail(ERROR_INVALID_MENU_HANDLE, FALSE);
  auto where = FindItemLocked(handle, position, flags);
  if (!where) return Fail(ERROR_MENU_ITEM_NOT_FOUND, FALSE);
  const Item item = where->item();
  where->menu->items.erase(where->menu->items.begin() + static_cast<std::ptrdiff_t>(where->position));
  if (destroySubmenu && item.IsPopup()) DestroyMenuLocked(item.submenu);
  return TRUE;
}

}  // namespace

extern "C" {

WINUSERAPI HMENU WINAPI CreateMenu() {
  std::lock_guard<std::mutex> g(MenuLock());
  return NewMenuLocked(false);
}

WINUSERAPI HMENU WINAPI CreatePopupMenu() {
  std::lock_guard<std::mutex> g(MenuLock());
  return NewMenuLocked(true);
}

WINUSERAPI BOOL WINAPI DestroyMenu(HMENU menu) {
  std::lock_guard<std::mutex> g(MenuLock());
  if (!FindMenuLocked(menu)) return Fail(ERROR_INVALID_MENU_HANDLE, FALSE);
  DestroyMenuLocked(menu);
  return TRUE;
}

WINUSERAPI BOOL WINAPI IsMenu(HMENU menu) {
  std::lock_guard<std::mutex> g(MenuLock());
  return FindMenuLocked(menu) ? TRUE : FALSE;
}

WINUSERAPI BOOL WINAPI AppendMenu(HMENU menu, UINT flags, UINT_PTR newId, LPCSTR newItem) {
  std::lock_guard<std::mutex> g(MenuLock());
  auto m = FindMenuLocked(menu);
  if (!m) return Fail(ERROR_INVALID_MENU_HANDLE, FALSE);
  auto item = MakeItemLocked(flags, newId, newItem);
  return item ? InsertAt(m, m->items.size(), *item) : FALSE;
}

WINUSERAPI BOOL WINAPI InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR newId, LPCSTR newItem) {
  std::lock_guard<std::mutex> g(MenuLock());
  auto m = FindMenuLocked(menu);
  if (!m) return Fail(ERROR_INVALID_MENU_HANDLE, FALSE);
  auto item = MakeItemLocked(flags, newId, newItem);
  if (!item) return FALSE;
  if (flags & MF_BYPOSITION) return InsertAt(m, position, *item);
  auto where = FindItemLocked(menu, position, flags);
  if (!where) return Fail(ERROR_MENU_ITEM_NOT_FOUND, FALSE);
  return InsertAt(where->menu, where->position, *item);
}

WINUSERAPI BOOL WINAPI ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR newId, LPCSTR newItem) {
  std::lock_guard<std::mutex> g(MenuLock());
  if (!FindMenuLocked(menu)) return Fail(ERROR_INVALID_MENU_HANDLE, FALSE);
  auto where = FindItemLocked(menu, position, flags);
  if (!where) return Fail(ERROR_MENU_ITEM_NOT_FOUND, FALSE);
  auto item = MakeItemLocked(flags, newId, newItem);
  if (!item) return FALSE;
  const HMENU replaced = where->item().submenu;
  where->item() = *item;
  // The submenu the old item opened goes, unless the new item opens it still.
  if (replaced != nullptr && replaced != item->submenu) DestroyMenuLocked(replaced);
  return TRUE;
}

WINUSERAPI BOOL WINAPI DeleteMenu(HMENU menu, UINT position, UINT flags) { return Remove(menu, position, flags, true); }

WINUSERAPI BOOL WINAPI RemoveMenu(HMENU menu, UINT position, UINT flags) {
  return Remove(menu, position, flags, false);
}

WINUSERAPI int WINAPI GetMenuItemCount(HMENU menu) {
  std::lock_guard<std::mutex> g(MenuLock());
  auto m = FindMenuLocked(menu);
  if (!m) return Fail(ERROR_INVALID_MENU_HANDLE, -1);
  return static_cast<int>(m->items.size());
}

WINUSERAPI UINT WINAPI GetMenuItemID(HMENU menu, int position) {
  std::lock_guard<std::mutex> g(MenuLock());
  auto m = FindMenuLocked(menu);
  if (!m) return Fail(ERROR_INVALID_MENU_HANDLE, kNotFound);
  if (position < 0 || static_cast<size_t>(position) >= m->items.size()) return kNotFound;
  const Item& item = m->items[static_cast<size_t>(position)];
  return item.IsPopup() ? kNotFound : static_cast<UINT>(item.id);
}

WINUSERAPI HMENU WINAPI GetSubMenu(HMENU menu, int position) {
  std::lock_guard<std::mutex> g(MenuLock());
  auto m = FindMenuLocked(menu);
  if (!m) return Fail<HMENU>(ERROR_INVALID_MENU_HANDLE, nullptr);
  if (position < 0 || static_cast<size_t>(position) >= m->items.size()) return nullptr;
  return m->items[static_cast<size_t>(position)].submenu;
}

WINUSERAPI UINT WINAPI GetMenuState(HMENU menu, UINT id, UINT flags) {
  std::lock_guard<std::mutex> g(MenuLock());
  if (!FindMenuLocked(menu)) return Fail(ERROR_INVALID_MENU_HANDLE, kNotFound);
  auto where = FindItemLocked(menu, id, flags);
  if (!where) return kNotFound;
  const Item& item = where->item();
  if (!item.IsPopup()) return item.Flags();
  // A submenu entry: its flags in the low byte, its submenu's item count in the high one.
  auto sub = FindMenuLocked(item.submenu);
  const size_t count = sub ? sub->items.size() : 0;
  return (item.Flags() & 0xFF) | static_cast<UINT>((count & 0xFF) << 8);
}

WINUSERAPI int WINAPI GetMenuString(HMENU menu, UINT id, LPSTR buffer, int maxCount, UINT flags) {
  std::string text;
  {
    std::lock_guard<std::mutex> g(MenuLock());
    if (!FindMenuLocked(menu)) return Fail(ERROR_INVALID_MENU_HANDLE, 0);
    auto where = FindItemLocked(menu, id, flags);
    if (!where) return Fail(ERROR_MENU_ITEM_NOT_FOUND, 0);
    const Item& item = where->item();
    if (!item.Is(MF_SEPARATOR | MF_OWNERDRAW | MF_BITMAP)) text = item.text;
  }
  if (buffer == nullptr || maxCount == 0) return static_cast<int>(text.size());
  return CopyText(text, buffer, maxCount);
}

WINUSERAPI BOOL WINAPI EnableMenuItem(HMENU menu, UINT id, UINT enable) {
  std::lock_guard<std::mutex> g(MenuLock());
  if (!FindMenuLocked(menu)) return Fail(ERROR_INVALID_MENU_HANDLE, -1);
  auto where = FindItemLocked(menu, id, enable);
  if (!where) return -1;
  constexpr UINT kEnableFlags = MF_GRAYED | MF_DISABLED;
  UINT& state = where->item().state;
  const UINT previous = state & kEnableFlags;
  state = (state & ~kEnableFlags) | (enable & kEnableFlags);
  return static_cast<BOOL>(previous);
}

WINUSERAPI DWORD WINAPI CheckMenuItem(HMENU menu, UINT id, UINT check) {
  std::lock_guard<std::mutex> g(MenuLock());
  if (!FindMenuLocked(menu)) return Fail(ERROR_INVALID_MENU_HANDLE, static_cast<DWORD>(-1));
  auto where = FindItemLocked(menu, id, check);
  if (!where) return static_cast<DWORD>(-1);
  UINT& state = where->item().state;
  const DWORD previous = state & MF_CHECKED;
  state = (state & ~MF_CHECKED) | (check & MF_CHECKED);
  return previous;
}

}  // extern "C"
