// The tree view's state and the parts of the control that share it: items and their operations
// (treeview_items.cpp), the fixed layout and scrolling (treeview_layout.cpp), painting
// (treeview_paint.cpp), the mouse, keys and label edits (treeview_input.cpp) and the window
// procedure (treeview.cpp). A control's state is used only on its window's thread.
//
// Items may go while the parent handles a notification (it may delete them): code that notifies
// keeps handles, never Item pointers, across the call and finds the items again afterwards.
#pragma once

#include <commctrl.h>

#include <memory>
#include <string>
#include <unordered_map>

namespace comctl32::treeview {

struct Item {
  HTREEITEM handle = nullptr;
  Item* parent = nullptr;  // the tree's root sentinel for items at the root
  Item* firstChild = nullptr;
  Item* lastChild = nullptr;
  Item* next = nullptr;
  Item* prev = nullptr;
  std::string text;
  int textWidth = -1;  // in the control's font, measured on first use
  int image = 0, selectedImage = 0;
  UINT state = 0;
  int childrenFlag = 0;  // TVIF_CHILDREN: 1 shows a button before any child exists
  LPARAM lParam = 0;
  int depth = 0;  // 0 at the root

  bool HasChildren() const { return firstChild != nullptr; }
  bool Expanded() const { return (state & TVIS_EXPANDED) != 0; }
  // Whether it may expand: it has children or says it has.
  bool Expandable() const { return firstChild != nullptr || childrenFlag == 1; }
};

struct Tree {
  HWND window = nullptr;
  Item root;  // sentinel: its children are the items at the root
  std::unordered_map<HTREEITEM, std::unique_ptr<Item>> items;
  HTREEITEM caret = nullptr;
  HTREEITEM dropHighlight = nullptr;
  HTREEITEM editPending = nullptr;  // a click on the caret's label waits for the timer
  HIMAGELIST normal = nullptr, stateImages = nullptr;
  int indent = 19;
  HFONT font = nullptr;
  bool focused = false;
  int top = 0;     // the first row shown
  int scrollX = 0; // pixels
  bool layoutStale = true;  // rows and width are to be worked out again
  int rows = 0;             // rows in display order
  int contentWidth = 0;     // the widest row's right end, unscrolled

  Item* Find(HTREEITEM handle);
  // Display order among expanded parents: null past either end.
  Item* NextVisible(Item* item);
  Item* PrevVisible(Item* item);
  Item* FirstRoot() { return root.firstChild; }
  Item* LastVisible();
  // Whether every ancestor is expanded.
  bool Visible(const Item* item) const;
  bool IsDescendant(const Item* ancestor, const Item* item) const;
};

// The control of a window, or null (tables by window, as the tooltips keep them).
Tree* TreeOf(HWND window);
void Attach(HWND window);
void Detach(HWND window);

// Notifications (WM_NOTIFY to the parent); the parent's answer.
LRESULT Notify(Tree& tree, NMHDR& header, UINT code);
LRESULT NotifyTreeView(Tree& tree, UINT code, UINT action, HTREEITEM oldItem, HTREEITEM newItem,
                       POINT drag = {0, 0});
TVITEM Describe(const Item* item, UINT mask);

// Item operations (messages and the control's own use).
HTREEITEM Insert(Tree& tree, const TVINSERTSTRUCT& insert);
BOOL Delete(Tree& tree, HTREEITEM handle);
// byUser: the user's expansion notifies always, TVM_EXPAND only until TVIS_EXPANDEDONCE is set.
BOOL Expand(Tree& tree, HTREEITEM handle, UINT code, bool byUser);
BOOL SelectCaret(Tree& tree, HTREEITEM handle, UINT action);
BOOL Select(Tree& tree, UINT which, HTREEITEM handle);
HTREEITEM GetNext(Tree& tree, UINT which, HTREEITEM handle);
BOOL GetItem(Tree& tree, TVITEM& item);
BOOL SetItem(Tree& tree, const TVITEM& item);
BOOL Sort(Tree& tree, HTREEITEM parent, bool recurse, const TVSORTCB* byCallback);
void ExpandAncestors(Tree& tree, HTREEITEM handle);

// Layout.
int RowHeight(const Tree& tree);
int RowOf(Tree& tree, const Item* item);  // display row from the first item; -1 when hidden
Item* ItemAtRow(Tree& tree, int row);
int VisibleCount(Tree& tree);  // rows in display order
int PageRows(const Tree& tree);  // whole rows the client area shows
int TextWidth(Tree& tree, Item& item);
struct Zones {
  int indentLeft, buttonLeft, stateLeft, imageLeft, labelLeft, labelRight;
  bool hasButton;
};
Zones ZonesOf(Tree& tree, Item& item);
BOOL ItemRect(Tree& tree, HTREEITEM handle, bool labelOnly, RECT& rect);
HTREEITEM HitTest(Tree& tree, TVHITTESTINFO& info);
// Scroll ranges, positions and the window's scroll bars brought up to date (positions clamped).
void UpdateScroll(Tree& tree);
void ScrollTo(Tree& tree, int top, int scrollX);
BOOL EnsureVisible(Tree& tree, HTREEITEM handle);
void OnScroll(Tree& tree, bool vertical, WPARAM request);
void Redraw(Tree& tree);

// Painting.
void Paint(Tree& tree);

// Input.
void OnButtonDown(Tree& tree, bool left, POINT at);
void OnDoubleClick(Tree& tree, bool left, POINT at);
void OnKeyDown(Tree& tree, WPARAM key);
void OnEditTimer(Tree& tree);
HWND EditLabel(Tree& tree, HTREEITEM handle);

constexpr UINT_PTR kEditTimer = 0x7E01;

// The sandbox's record of one tree view's messages (treeview_record.cpp): whether the window's
// messages are recorded, and one message with the control's answer.
bool Recording(HWND window);
void RecordMessage(Tree& tree, UINT message, WPARAM wParam, LPARAM lParam, LRESULT result);

// Registers "SysTreeView32" unless it is registered already; false when registration fails.
bool RegisterTreeViewClass();

}  // namespace comctl32::treeview
