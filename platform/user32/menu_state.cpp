// The table of live menus: handles never reused, submenus destroyed with their menu, items found
// by position or by command id.
#include "menu_state.h"

#include <unordered_map>

#include "sandbox/internal.h"
#include "sandbox/window_manager.h"

namespace user32::menus {
namespace {

struct Table {
  std::mutex lock;
  std::unordered_map<uintptr_t, std::shared_ptr<Menu>> menus;
  uintptr_t next = 0x00050008;
};

Table& T() {
  static Table* table = new Table;  // never destroyed: menus may be destroyed during exit
  return *table;
}

std::optional<Where> FindByCommandLocked(const std::shared_ptr<Menu>& menu, UINT id, int depth) {
  if (depth > 64) return std::nullopt;  // a menu that holds itself: the platform would loop
  for (size_t i = 0; i < menu->items.size(); ++i) {
    const Item& item = menu->items[i];
    if (item.IsPopup()) {
      if (auto sub = FindMenuLocked(item.submenu))
        if (auto found = FindByCommandLocked(sub, id, depth + 1)) return found;
      if (static_cast<UINT>(reinterpret_cast<UINT_PTR>(item.submenu)) == id) return Where{menu, i};
    } else if (static_cast<UINT>(item.id) == id) {
      return Where{menu, i};
    }
  }
  return std::nullopt;
}

struct Registration {
  Registration() {
    sandbox::internal::RegisterReset("user32.menus", [] {
      std::lock_guard<std::mutex> g(T().lock);
      T().menus.clear();
    });
  }
} g_registration;

}  // namespace

std::mutex& MenuLock() { return T().lock; }

std::shared_ptr<Menu> FindMenuLocked(HMENU menu) {
  auto it = T().menus.find(reinterpret_cast<uintptr_t>(menu));
  return it == T().menus.end() ? nullptr : it->second;
}

HMENU NewMenuLocked(bool popup) {
  auto menu = std::make_shared<Menu>();
  menu->handle = reinterpret_cast<HMENU>(T().next);
  T().next += 4;
  menu->popup = popup;
  T().menus.emplace(reinterpret_cast<uintptr_t>(menu->handle), menu);
  return menu->handle;
}

void DestroyMenuLocked(HMENU handle) {
  auto menu = FindMenuLocked(handle);
  if (!menu) return;
  T().menus.erase(reinterpret_cast<uintptr_t>(handle));  // first, so a menu holding itself ends
  for (const Item& item : menu->items)
    if (item.IsPopup()) DestroyMenuLocked(item.submenu);
}

std::optional<Where> FindItemLocked(HMENU handle, UINT id, UINT flags) {
  auto menu = FindMenuLocked(handle);
  if (!menu) return std::nullopt;
  if (flags & MF_BYPOSITION) {
    if (id >= menu->items.size()) return std::nullopt;
    return Where{menu, id};
  }
  return FindByCommandLocked(menu, id, 0);
}

std::optional<Item> MakeItemLocked(UINT flags, UINT_PTR id, LPCSTR newItem) {
  Item item;
  item.type = flags & (MF_SEPARATOR | MF_OWNERDRAW | MF_BITMAP);
  item.state = flags & kStateFlags;
  item.id = id;
  if (flags & MF_POPUP) {
    item.submenu = reinterpret_cast<HMENU>(id);
    if (!FindMenuLocked(item.submenu)) {
      SetLastError(ERROR_INVALID_MENU_HANDLE);
      return std::nullopt;
    }
  }
  if (item.Is(MF_OWNERDRAW) || item.Is(MF_BITMAP)) {
    item.data = reinterpret_cast<ULONG_PTR>(newItem);
  } else if (!item.Is(MF_SEPARATOR)) {
    if (newItem != nullptr)
      item.text = newItem;
    else if (!item.IsPopup())
      item.type |= MF_SEPARATOR;  // a string item without a string is a separator
  }
  if (item.Is(MF_SEPARATOR) && !item.IsPopup()) item.id = 0;
  return item;
}

size_t LiveMenusLocked() { return T().menus.size(); }

}  // namespace user32::menus

namespace sandbox {

size_t LiveMenus() {
  std::lock_guard<std::mutex> g(user32::menus::MenuLock());
  return user32::menus::LiveMenusLocked();
}

}  // namespace sandbox
