// The tree view's fixed layout: rows in display order, the zones of a row (indent and button,
// state image, image, label), hit tests, item rectangles and scrolling.
#include <algorithm>

#include "treeview.h"

namespace comctl32::treeview {
namespace {

constexpr int kMinRowHeight = 16, kLabelPadding = 2, kLineWidth = 8;

SIZE ImageSize(HIMAGELIST list) {
  int cx = 0, cy = 0;
  if (list != nullptr) ImageList_GetIconSize(list, &cx, &cy);
  return {cx, cy};
}

RECT Client(const Tree& tree) {
  RECT r{0, 0, 0, 0};
  GetClientRect(tree.window, &r);
  return r;
}

void Measure(Tree& tree) {
  if (!tree.layoutStale) return;
  tree.rows = 0;
  tree.contentWidth = 0;
  for (Item* item = tree.FirstRoot(); item != nullptr; item = tree.NextVisible(item)) {
    ++tree.rows;
    tree.contentWidth = std::max(tree.contentWidth, ZonesOf(tree, *item).labelRight + tree.scrollX);
  }
  tree.layoutStale = false;
}

}  // namespace

int RowHeight(const Tree& tree) {
  return std::max({kMinRowHeight, static_cast<int>(ImageSize(tree.normal).cy),
                   static_cast<int>(ImageSize(tree.stateImages).cy)});
}

int RowOf(Tree& tree, const Item* item) {
  if (item == nullptr || !tree.Visible(item)) return -1;
  int row = 0;
  for (Item* i = tree.FirstRoot(); i != nullptr; i = tree.NextVisible(i), ++row)
    if (i == item) return row;
  return -1;
}

Item* ItemAtRow(Tree& tree, int row) {
  if (row < 0) return nullptr;
  Item* item = tree.FirstRoot();
  for (; item != nullptr && row > 0; --row) item = tree.NextVisible(item);
  return item;
}

int VisibleCount(Tree& tree) {
  Measure(tree);
  return tree.rows;
}

int PageRows(const Tree& tree) {
  const RECT client = Client(tree);
  return std::max(0, static_cast<int>(client.bottom - client.top) / RowHeight(tree));
}

int TextWidth(Tree& tree, Item& item) {
  if (item.textWidth >= 0) return item.textWidth;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, tree.font != nullptr ? static_cast<HGDIOBJ>(tree.font) : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, item.text.c_str(), static_cast<int>(item.text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  item.textWidth = size.cx;
  return item.textWidth;
}

Zones ZonesOf(Tree& tree, Item& item) {
  const DWORD style = static_cast<DWORD>(GetWindowLong(tree.window, GWL_STYLE));
  const int levels = item.depth + ((style & TVS_LINESATROOT) ? 1 : 0);
  Zones z{};
  z.indentLeft = -tree.scrollX;
  z.stateLeft = levels * tree.indent - tree.scrollX;
  z.buttonLeft = z.stateLeft - tree.indent;
  z.hasButton = (style & TVS_HASBUTTONS) && levels > item.depth && item.Expandable();
  z.imageLeft = z.stateLeft + (tree.stateImages != nullptr ? ImageSize(tree.stateImages).cx : 0);
  z.labelLeft = z.imageLeft + (tree.normal != nullptr ? ImageSize(tree.normal).cx : 0);
  z.labelRight = z.labelLeft + TextWidth(tree, item) + 2 * kLabelPadding;
  return z;
}

BOOL ItemRect(Tree& tree, HTREEITEM handle, bool labelOnly, RECT& rect) {
  Item* item = tree.Find(handle);
  const int row = RowOf(tree, item);
  if (row < 0) return FALSE;
  const int height = RowHeight(tree);
  const int y = (row - tree.top) * height;
  if (labelOnly) {
    const Zones z = ZonesOf(tree, *item);
    rect = {z.labelLeft, y, z.labelRight, y + height};
  } else {
    rect = {0, y, Client(tree).right, y + height};
  }
  return TRUE;
}

HTREEITEM HitTest(Tree& tree, TVHITTESTINFO& info) {
  const RECT client = Client(tree);
  const POINT at = info.pt;
  info.flags = 0;
  info.hItem = nullptr;
  if (at.x < client.left) info.flags |= TVHT_TOLEFT;
  else if (at.x >= client.right) info.flags |= TVHT_TORIGHT;
  if (at.y < client.top) info.flags |= TVHT_ABOVE;
  else if (at.y >= client.bottom) info.flags |= TVHT_BELOW;
  if (info.flags != 0) return nullptr;
  Item* item = ItemAtRow(tree, tree.top + at.y / RowHeight(tree));
  if (item == nullptr) {
    info.flags = TVHT_NOWHERE;
    return nullptr;
  }
  const Zones z = ZonesOf(tree, *item);
  if (at.x < z.stateLeft) info.flags = z.hasButton && at.x >= z.buttonLeft ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
  else if (at.x < z.imageLeft) info.flags = TVHT_ONITEMSTATEICON;
  else if (at.x < z.labelLeft) info.flags = TVHT_ONITEMICON;
  else if (at.x < z.labelRight) info.flags = TVHT_ONITEMLABEL;
  else info.flags = TVHT_ONITEMRIGHT;
  info.hItem = item->handle;
  return item->handle;
}

void UpdateScroll(Tree& tree) {
  Measure(tree);
  const RECT client = Client(tree);
  const int page = PageRows(tree), width = static_cast<int>(client.right - client.left);
  tree.top = std::clamp(tree.top, 0, std::max(0, tree.rows - page));
  tree.scrollX = std::clamp(tree.scrollX, 0, std::max(0, tree.contentWidth - width));
  SCROLLINFO v{sizeof v, SIF_ALL, 0, std::max(0, tree.rows - 1), static_cast<UINT>(page), tree.top, 0};
  SetScrollInfo(tree.window, SB_VERT, &v, FALSE);
  SCROLLINFO h{sizeof h, SIF_ALL, 0, std::max(0, tree.contentWidth - 1), static_cast<UINT>(std::max(0, width)),
               tree.scrollX, 0};
  SetScrollInfo(tree.window, SB_HORZ, &h, FALSE);
}

void ScrollTo(Tree& tree, int top, int scrollX) {
  const int oldTop = tree.top, oldX = tree.scrollX;
  tree.top = top;
  tree.scrollX = scrollX;
  UpdateScroll(tree);
  if (tree.top != oldTop || tree.scrollX != oldX) Redraw(tree);
}

BOOL EnsureVisible(Tree& tree, HTREEITEM handle) {
  if (tree.Find(handle) == nullptr) return FALSE;
  ExpandAncestors(tree, handle);
  Item* item = tree.Find(handle);
  const int row = RowOf(tree, item);
  if (row < 0) return FALSE;
  const int page = std::max(1, PageRows(tree));
  int top = tree.top;
  if (row < top) top = row;
  else if (row >= top + page) top = row - page + 1;
  ScrollTo(tree, top, tree.scrollX);
  return TRUE;
}

void OnScroll(Tree& tree, bool vertical, WPARAM request) {
  UpdateScroll(tree);
  const RECT client = Client(tree);
  const int pos = vertical ? tree.top : tree.scrollX;
  const int line = vertical ? 1 : kLineWidth;
  const int page = vertical ? std::max(1, PageRows(tree)) : std::max(1, static_cast<int>(client.right));
  const int last = vertical ? tree.rows : tree.contentWidth;
  int next = pos;
  switch (LOWORD(request)) {
    case SB_LINEUP: next = pos - line; break;
    case SB_LINEDOWN: next = pos + line; break;
    case SB_PAGEUP: next = pos - page; break;
    case SB_PAGEDOWN: next = pos + page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: next = static_cast<short>(HIWORD(request)); break;
    case SB_TOP: next = 0; break;
    case SB_BOTTOM: next = last; break;
    default: return;
  }
  if (vertical) ScrollTo(tree, next, tree.scrollX);
  else ScrollTo(tree, tree.top, next);
}

void Redraw(Tree& tree) { InvalidateRect(tree.window, nullptr, TRUE); }

}  // namespace comctl32::treeview
