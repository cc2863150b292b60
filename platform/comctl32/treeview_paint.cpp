// The tree view's painting: rows from the first one shown, each with its lines, button, state
// image, image and label in the fixed layout.
#include <algorithm>

#include "treeview.h"

namespace comctl32::treeview {
namespace {

// Every other pixel, as dotted lines are drawn.
void DottedLine(HDC dc, int x0, int y0, int x1, int y1, COLORREF color) {
  if (x0 == x1) {
    for (int y = y0; y < y1; ++y)
      if ((x0 + y) % 2 == 0) SetPixel(dc, x0, y, color);
  } else {
    for (int x = x0; x < x1; ++x)
      if ((x + y0) % 2 == 0) SetPixel(dc, x, y0, color);
  }
}

// The column of the line that joins an item to its siblings: the middle of its indent cell.
int ConnectorColumn(Tree& tree, Item& item) { return ZonesOf(tree, item).stateLeft - tree.indent / 2; }

void PaintLines(HDC dc, Tree& tree, Item& item, int y, int height, bool linesAtRoot) {
  if (item.depth == 0 && !linesAtRoot) return;
  const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
  const int mid = y + height / 2;
  const int x = ConnectorColumn(tree, item);
  const bool fromTop = item.prev != nullptr || item.depth > 0;
  DottedLine(dc, x, fromTop ? y : mid, x, item.next != nullptr ? y + height : mid + 1, grey);
  DottedLine(dc, x, mid, ZonesOf(tree, item).stateLeft, mid, grey);
  for (Item* a = item.parent; a != nullptr && a != &tree.root; a = a->parent)
    if (a->next != nullptr && (a->depth > 0 || linesAtRoot)) {
      const int ax = ConnectorColumn(tree, *a);
      DottedLine(dc, ax, y, ax, y + height, grey);
    }
}

void PaintButton(HDC dc, Tree& tree, const Item& item, const Zones& z, int mid) {
  int box = std::min(9, tree.indent - 2);
  if (box % 2 == 0) --box;
  if (box < 5) return;
  const int left = z.buttonLeft + (tree.indent - box) / 2, top = mid - box / 2;
  RECT frame{left, top, left + box, top + box};
  FillRect(dc, &frame, GetSysColorBrush(COLOR_BTNSHADOW));
  RECT inside{left + 1, top + 1, left + box - 1, top + box - 1};
  FillRect(dc, &inside, GetSysColorBrush(COLOR_WINDOW));
  RECT minus{left + 2, mid, left + box - 2, mid + 1};
  FillRect(dc, &minus, GetSysColorBrush(COLOR_WINDOWTEXT));
  if (!item.Expanded()) {
    const int centre = left + box / 2;
    RECT plus{centre, top + 2, centre + 1, top + box - 2};
    FillRect(dc, &plus, GetSysColorBrush(COLOR_WINDOWTEXT));
  }
}

void PaintImage(HDC dc, HIMAGELIST list, int index, int x, int y, int height) {
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list, &cx, &cy);
  if (index >= 0 && index < ImageList_GetImageCount(list)) ImageList_Draw(list, index, dc, x, y + (height - cy) / 2, ILD_TRANSPARENT);
}

void PaintLabel(HDC dc, Tree& tree, Item& item, const Zones& z, int y, int height, DWORD style, bool anyDrop) {
  RECT label{z.labelLeft, y, z.labelRight, y + height};
  const bool dropped = (item.state & TVIS_DROPHILITED) != 0;
  const bool highlighted = dropped || ((item.state & TVIS_SELECTED) && !anyDrop);
  int text = COLOR_WINDOWTEXT;
  if (highlighted && (tree.focused || dropped)) {
    FillRect(dc, &label, GetSysColorBrush(COLOR_HIGHLIGHT));
    text = COLOR_HIGHLIGHTTEXT;
  } else if (highlighted && (style & TVS_SHOWSELALWAYS)) {
    FillRect(dc, &label, GetSysColorBrush(COLOR_BTNFACE));
  }
  SetTextColor(dc, GetSysColor(text));
  RECT inner = label;
  inner.left += 2;
  DrawText(dc, item.text.c_str(), -1, &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
  if (tree.focused && item.handle == tree.caret) DrawFocusRect(dc, &label);
}

}  // namespace

void Paint(Tree& tree) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(tree.window, &ps);
  if (dc == nullptr) return;
  UpdateScroll(tree);
  RECT client{0, 0, 0, 0};
  GetClientRect(tree.window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  HGDIOBJ oldFont =
      SelectObject(dc, tree.font != nullptr ? static_cast<HGDIOBJ>(tree.font) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  const DWORD style = static_cast<DWORD>(GetWindowLong(tree.window, GWL_STYLE));
  const int height = RowHeight(tree);
  const bool anyDrop = tree.Find(tree.dropHighlight) != nullptr;
  int y = 0;
  for (Item* item = ItemAtRow(tree, tree.top); item != nullptr && y < client.bottom;
       item = tree.NextVisible(item), y += height) {
    const Zones z = ZonesOf(tree, *item);
    if (style & TVS_HASLINES) PaintLines(dc, tree, *item, y, height, (style & TVS_LINESATROOT) != 0);
    if (z.hasButton) PaintButton(dc, tree, *item, z, y + height / 2);
    const int stateIndex = static_cast<int>((item->state & TVIS_STATEIMAGEMASK) >> 12);
    if (tree.stateImages != nullptr && stateIndex > 0) PaintImage(dc, tree.stateImages, stateIndex, z.stateLeft, y, height);
    if (tree.normal != nullptr)
      PaintImage(dc, tree.normal, (item->state & TVIS_SELECTED) ? item->selectedImage : item->image, z.imageLeft, y,
                 height);
    PaintLabel(dc, tree, *item, z, y, height, style, anyDrop);
  }
  SelectObject(dc, oldFont);
  EndPaint(tree.window, &ps);
}

}  // namespace comctl32::treeview
