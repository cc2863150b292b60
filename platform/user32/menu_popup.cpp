// TrackPopupMenu: the popup is a top-level window of the menu class "#32768" owned by the caller's
// window; it measures its items (owner-drawn ones through WM_MEASUREITEM), paints them (owner-drawn
// ones through WM_DRAWITEM to the owner) and asks the scripted user which command to choose.
//
// Plain items are laid out in a fixed way: a string item is 20 pixels high, with its text 20
// pixels from the left, its accelerator (the part after a tab) right-aligned 20 pixels from the
// right and a check mark in the left column; a separator is 8 pixels high with an etched line in
// its middle; an owner-drawn item has the size its owner measured; the popup is as wide as its
// widest item and has no frame.
#include <algorithm>
#include <string>
#include <vector>

#include "menu_state.h"
#include "painting.h"
#include "sandbox/window_manager.h"

using namespace user32;
using namespace user32::menus;

namespace {

constexpr char kPopupProperty[] = "StandIn.PopupMenu";
constexpr int kStringHeight = 20, kSeparatorHeight = 8, kMargin = 20, kAcceleratorGap = 16;

// An open popup: its menu, its owner and where each item lies in its window.
struct Popup {
  HMENU menu = nullptr;
  HWND owner = nullptr;
  HWND window = nullptr;
  std::vector<RECT> rects;  // client coordinates, one per item
};

UINT ItemId(const Item& item) {
  return item.IsPopup() ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(item.submenu)) : static_cast<UINT>(item.id);
}

std::vector<Item> ItemsOf(HMENU menu) {
  std::lock_guard<std::mutex> g(MenuLock());
  auto m = FindMenuLocked(menu);
  return m ? m->items : std::vector<Item>();
}

std::pair<std::string, std::string> SplitAtTab(const std::string& text) {
  const size_t tab = text.find('\t');
  if (tab == std::string::npos) return {text, std::string()};
  return {text.substr(0, tab), text.substr(tab + 1)};
}

SIZE TextSize(HDC dc, const std::string& text) {
  RECT r{0, 0, 0, 0};
  if (!text.empty()) DrawText(dc, text.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
  return {r.right - r.left, r.bottom - r.top};
}

// The size of each item: owner-drawn ones as the owner measures them (WM_MEASUREITEM, once each).
std::vector<SIZE> Measure(HMENU menu, HWND owner) {
  std::vector<SIZE> sizes;
  HDC dc = GetDC(nullptr);
  for (const Item& item : ItemsOf(menu)) {
    if (item.Is(MF_OWNERDRAW)) {
      MEASUREITEMSTRUCT mis{ODT_MENU, 0, ItemId(item), 0, 0, item.data};
      SendMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
      sizes.push_back({static_cast<LONG>(mis.itemWidth), static_cast<LONG>(mis.itemHeight)});
    } else if (item.Is(MF_SEPARATOR)) {
      sizes.push_back({0, kSeparatorHeight});
    } else if (item.Is(MF_BITMAP)) {
      BITMAP bm{};
      GetObject(reinterpret_cast<HGDIOBJ>(item.data), sizeof bm, &bm);
      sizes.push_back({bm.bmWidth + 2 * kMargin, bm.bmHeight});
    } else {
      const auto [label, accelerator] = SplitAtTab(item.text);
      LONG width = 2 * kMargin + TextSize(dc, label).cx;
      if (!accelerator.empty()) width += kAcceleratorGap + TextSize(dc, accelerator).cx;
      sizes.push_back({width, kStringHeight});
    }
  }
  ReleaseDC(nullptr, dc);
  return sizes;
}

void FillWith(HDC dc, RECT r, int color) { FillRect(dc, &r, GetSysColorBrush(color)); }

void DrawCheckMark(HDC dc, const RECT& item, COLORREF color) {
  const int x = item.left + 5, y = (item.top + item.bottom) / 2;
  for (int i = 0; i < 3; ++i) {  // a short stroke down to the right, then a long one up
    SetPixel(dc, x + i, y + i, color);
    SetPixel(dc, x + i, y + i + 1, color);
  }
  for (int i = 0; i < 6; ++i) {
    SetPixel(dc, x + 3 + i, y + 2 - i, color);
    SetPixel(dc, x + 3 + i, y + 3 - i, color);
  }
}

// The arrow to a submenu, at the item's right; the platform draws it over owner-drawn entries too.
void DrawArrow(HDC dc, const Item& item, const RECT& r) {
  const int color = (item.state & (MF_GRAYED | MF_DISABLED)) ? COLOR_GRAYTEXT
                    : (item.state & MF_HILITE)                ? COLOR_HIGHLIGHTTEXT
                                                              : COLOR_MENUTEXT;
  const int x = r.right - 10, y = (r.top + r.bottom) / 2;
  for (int i = 0; i < 4; ++i) FillWith(dc, {x + i, y - 3 + i, x + i + 1, y + 4 - i}, color);
}

void DrawPlainItem(HDC dc, const Item& item, const RECT& r) {
  if (item.Is(MF_SEPARATOR)) {
    const int y = (r.top + r.bottom) / 2 - 1;
    FillWith(dc, {r.left + 1, y, r.right - 1, y + 1}, COLOR_BTNSHADOW);
    FillWith(dc, {r.left + 1, y + 1, r.right - 1, y + 2}, COLOR_BTNHIGHLIGHT);
    return;
  }
  const bool hilite = (item.state & MF_HILITE) != 0;
  const bool grayed = (item.state & (MF_GRAYED | MF_DISABLED)) != 0;
  FillWith(dc, r, hilite ? COLOR_HIGHLIGHT : COLOR_MENU);
  const COLORREF text = GetSysColor(grayed ? COLOR_GRAYTEXT : hilite ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  if (item.Is(MF_BITMAP)) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, reinterpret_cast<HGDIOBJ>(item.data));
    BITMAP bm{};
    GetObject(reinterpret_cast<HGDIOBJ>(item.data), sizeof bm, &bm);
    BitBlt(dc, r.left + kMargin, r.top, bm.bmWidth, bm.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    return;
  }
  if (item.state & MF_CHECKED) DrawCheckMark(dc, r, text);
  const auto [label, accelerator] = SplitAtTab(item.text);
  SetTextColor(dc, text);
  SetBkMode(dc, TRANSPARENT);
  RECT inner{r.left + kMargin, r.top, r.right - kMargin, r.bottom};
  DrawText(dc, label.c_str(), -1, &inner, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (!accelerator.empty()) DrawText(dc, accelerator.c_str(), -1, &inner, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  if (item.IsPopup()) DrawArrow(dc, item, r);
}

void Paint(Popup& popup) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(popup.window, &ps);
  if (dc == nullptr) return;
  const std::vector<Item> items = ItemsOf(popup.menu);
  for (size_t i = 0; i < items.size() && i < popup.rects.size(); ++i) {
    const RECT& r = popup.rects[i];
    if (r.bottom <= ps.rcPaint.top || r.top >= ps.rcPaint.bottom || r.right <= ps.rcPaint.left ||
        r.left >= ps.rcPaint.right)
      continue;
    const Item& item = items[i];
    if (!item.Is(MF_OWNERDRAW)) {
      DrawPlainItem(dc, item, r);
      continue;
    }
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = ItemId(item);
    dis.itemAction = ODA_DRAWENTIRE;
    if (item.state & MF_CHECKED) dis.itemState |= ODS_CHECKED;
    if (item.state & MF_GRAYED) dis.itemState |= ODS_GRAYED | ODS_DISABLED;
    if (item.state & MF_DISABLED) dis.itemState |= ODS_DISABLED;
    if (item.state & MF_HILITE) dis.itemState |= ODS_SELECTED;
    dis.hwndItem = reinterpret_cast<HWND>(popup.menu);
    dis.hDC = dc;
    dis.rcItem = r;
    dis.itemData = item.data;
    SendMessage(popup.owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    if (item.IsPopup()) DrawArrow(dc, item, r);
  }
  EndPaint(popup.window, &ps);
}

// Opens the menu's popup at (x, y): WM_INITMENUPOPUP (unless TPM_NONOTIFY), the items measured,
// the window made, shown without activation and painted.
void Open(Popup& popup, UINT flags, int x, int y, UINT index) {
  if (!(flags & TPM_NONOTIFY))
    SendMessage(popup.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.menu), MAKELPARAM(index, FALSE));
  const std::vector<SIZE> sizes = Measure(popup.menu, popup.owner);
  LONG width = 0, height = 0;
  for (const SIZE& s : sizes) {
    width = std::max(width, s.cx);
    popup.rects.push_back({0, height, 0, height + s.cy});
    height += s.cy;
  }
  for (RECT& r : popup.rects) r.right = width;
  if (flags & TPM_CENTERALIGN) x -= width / 2;
  if (flags & TPM_RIGHTALIGN) x -= width;
  if (flags & TPM_VCENTERALIGN) y -= height / 2;
  if (flags & TPM_BOTTOMALIGN) y -= height;
  popup.window = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "#32768", "", WS_POPUP, x, y, width, height,
                                popup.owner, nullptr, nullptr, nullptr);
  if (popup.window == nullptr) return;
  SetProp(popup.window, kPopupProperty, &popup);
  ShowWindow(popup.window, SW_SHOWNA);
  UpdateWindow(popup.window);
}

void Close(Popup& popup) {
  {
    std::lock_guard<std::mutex> g(MenuLock());
    if (auto m = FindMenuLocked(popup.menu))
      for (Item& item : m->items) item.state &= ~MF_HILITE;
  }
  if (popup.window != nullptr && IsWindow(popup.window)) {
    RemoveProp(popup.window, kPopupProperty);
    DestroyWindow(popup.window);
  }
}

// The positions, level by level, of the enabled command `id` reachable through enabled submenu
// entries; empty when there is none.
bool PathTo(HMENU menu, UINT id, std::vector<size_t>& path, int depth) {
  if (depth > 32) return false;
  const std::vector<Item> items = ItemsOf(menu);
  for (size_t i = 0; i < items.size(); ++i) {
    const Item& item = items[i];
    if (item.state & (MF_GRAYED | MF_DISABLED)) continue;
    path.push_back(i);
    if (item.IsPopup() ? PathTo(item.submenu, id, path, depth + 1)
                       : !item.Is(MF_SEPARATOR) && static_cast<UINT>(item.id) == id)
      return true;
    path.pop_back();
  }
  return false;
}

std::string Describe(const Item& item) {
  std::string text = item.Is(MF_OWNERDRAW) ? "(owner-drawn)"
                     : item.Is(MF_BITMAP)  ? "(bitmap)"
                     : item.Is(MF_SEPARATOR) ? "-"
                                             : item.text;
  if (item.IsPopup()) text += " >";
  if (item.state & MF_GRAYED) text += " [grayed]";
  if (item.state & MF_DISABLED) text += " [disabled]";
  if (item.state & MF_CHECKED) text += " [checked]";
  return text;
}

std::string TitleOf(HWND window) {
  char title[256] = "";
  GetWindowText(window, title, sizeof title);
  return title;
}

}  // namespace

namespace user32::menus {

LRESULT CALLBACK PopupMenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT)
    if (auto* popup = static_cast<Popup*>(GetProp(window, kPopupProperty))) {
      Paint(*popup);
      return 0;
    }
  return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace user32::menus

extern "C" {

WINUSERAPI BOOL WINAPI TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  if (!IsMenu(menu)) return Fail(ERROR_INVALID_MENU_HANDLE, FALSE);
  if (!IsWindow(owner)) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  const bool notify = !(flags & TPM_NONOTIFY);
  if (notify) {
    SendMessage(owner, WM_ENTERMENULOOP, TRUE, 0);
    SendMessage(owner, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  }
  std::vector<Popup> open(1);
  open.reserve(33);  // the popups' addresses are their windows' properties: never reallocated
  open[0].menu = menu;
  open[0].owner = owner;
  Open(open[0], flags, x, y, 0);

  sandbox::Modal modal;
  modal.kind = "PopupMenu";
  modal.caption = TitleOf(owner);
  modal.style = flags;
  for (const Item& item : ItemsOf(menu)) modal.items.push_back(Describe(item));
  const sandbox::Answer answer = sandbox::internal::Ask(modal, 0);
  if (answer.action) answer.action(open[0].window);

  UINT chosen = static_cast<UINT>(answer.result);
  std::vector<size_t> path;
  if (chosen != 0 && !(IsMenu(menu) && PathTo(menu, chosen, path, 0))) {
    sandbox::internal::Fail("PopupMenu: the scripted choice " + std::to_string(answer.result) +
                            " is no enabled command of the menu");
    chosen = 0;
  }
  // The user went through the submenus on the way to the command: each opens beside its entry.
  for (size_t level = 0; level + 1 < path.size() && open.size() < open.capacity(); ++level) {
    const Popup& parent = open.back();
    const HMENU submenu = GetSubMenu(parent.menu, static_cast<int>(path[level]));
    if (submenu == nullptr) break;
    RECT entry = parent.rects[path[level]];
    POINT at{entry.right, entry.top};
    ClientToScreen(parent.window, &at);
    Popup next;
    next.menu = submenu;
    next.owner = owner;
    open.push_back(next);
    Open(open.back(), flags & ~(TPM_CENTERALIGN | TPM_RIGHTALIGN | TPM_VCENTERALIGN | TPM_BOTTOMALIGN), at.x, at.y,
         static_cast<UINT>(path[level]));
  }
  for (auto it = open.rbegin(); it != open.rend(); ++it) Close(*it);
  if (notify) SendMessage(owner, WM_EXITMENULOOP, TRUE, 0);
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
  if (chosen != 0) PostMessage(owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
  return TRUE;
}

}  // extern "C"

namespace sandbox {

bool HighlightMenuItem(const void* window, int position) {
  const HWND handle = static_cast<HWND>(const_cast<void*>(window));
  auto* popup = IsWindow(handle) ? static_cast<Popup*>(GetProp(handle, kPopupProperty)) : nullptr;
  if (popup == nullptr) {
    internal::Fail("HighlightMenuItem: the window is no open popup menu");
    return false;
  }
  std::vector<size_t> changed;
  {
    std::lock_guard<std::mutex> g(MenuLock());
    auto m = FindMenuLocked(popup->menu);
    if (!m || position < 0 || static_cast<size_t>(position) >= m->items.size() ||
        static_cast<size_t>(position) >= popup->rects.size()) {
      internal::Fail("HighlightMenuItem: the popup has no item at position " + std::to_string(position));
      return false;
    }
    if (m->items[static_cast<size_t>(position)].Is(MF_SEPARATOR)) return false;
    for (size_t i = 0; i < m->items.size(); ++i) {
      Item& item = m->items[i];
      const bool hilite = i == static_cast<size_t>(position);
      if (((item.state & MF_HILITE) != 0) != hilite) changed.push_back(i);
      item.state = hilite ? (item.state | MF_HILITE) : (item.state & ~MF_HILITE);
    }
  }
  for (size_t i : changed)
    if (i < popup->rects.size()) InvalidateRect(handle, &popup->rects[i], TRUE);
  UpdateWindow(handle);
  return true;
}

}  // namespace sandbox
