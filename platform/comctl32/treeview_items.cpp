// The tree view's items: insertion, deletion, expansion, the caret and the drop highlight, item
// records and sorting, with the notifications each sends.
#include <algorithm>
#include <atomic>
#include <vector>

#include "sandbox/internal.h"
#include "treeview.h"

namespace comctl32::treeview {
namespace {

// Handles are never reused, across all trees of the process.
HTREEITEM NewHandle() {
  static std::atomic<uintptr_t> next{0x00100000};
  return reinterpret_cast<HTREEITEM>(next.fetch_add(1));
}

void Link(Item& parent, Item& item, Item* after) {
  item.parent = &parent;
  item.prev = after;
  item.next = after != nullptr ? after->next : parent.firstChild;
  if (item.next != nullptr) item.next->prev = &item;
  else parent.lastChild = &item;
  if (after != nullptr) after->next = &item;
  else parent.firstChild = &item;
}

void Unlink(Item& item) {
  Item& parent = *item.parent;
  if (item.prev != nullptr) item.prev->next = item.next;
  else parent.firstChild = item.next;
  if (item.next != nullptr) item.next->prev = item.prev;
  else parent.lastChild = item.prev;
  item.prev = item.next = nullptr;
}

void PostOrder(const Item& item, std::vector<HTREEITEM>& out) {
  for (const Item* child = item.firstChild; child != nullptr; child = child->next) PostOrder(*child, out);
  out.push_back(item.handle);
}

// Forgets the item and its subtree (already told).
void Remove(Tree& tree, Item& item) {
  std::vector<HTREEITEM> doomed;
  PostOrder(item, doomed);
  Unlink(item);
  for (HTREEITEM h : doomed) {
    if (tree.caret == h) tree.caret = nullptr;
    if (tree.dropHighlight == h) tree.dropHighlight = nullptr;
    if (tree.editPending == h) tree.editPending = nullptr;
    tree.items.erase(h);
  }
}

void TellDeleted(Tree& tree, const std::vector<HTREEITEM>& doomed) {
  for (HTREEITEM h : doomed)
    if (tree.Find(h) != nullptr) NotifyTreeView(tree, TVN_DELETEITEM, 0, h, nullptr);
}

void DeleteAll(Tree& tree) {
  tree.caret = nullptr;
  std::vector<HTREEITEM> doomed;
  for (Item* item = tree.root.firstChild; item != nullptr; item = item->next) PostOrder(*item, doomed);
  TellDeleted(tree, doomed);
  while (tree.root.firstChild != nullptr) Remove(tree, *tree.root.firstChild);
  tree.top = tree.scrollX = 0;
}

// Deletes the item's children, each told (TVE_COLLAPSERESET).
void DeleteChildren(Tree& tree, HTREEITEM handle) {
  Item* item = tree.Find(handle);
  if (item == nullptr) return;
  std::vector<HTREEITEM> doomed;
  for (Item* child = item->firstChild; child != nullptr; child = child->next) PostOrder(*child, doomed);
  TellDeleted(tree, doomed);
  if ((item = tree.Find(handle)) == nullptr) return;
  while (item->firstChild != nullptr) Remove(tree, *item->firstChild);
}

// The caret moves to `to` with both notifications; with `vetoable` a non-zero TVN_SELCHANGING
// keeps it where it is.
bool MoveCaret(Tree& tree, HTREEITEM to, UINT action, bool vetoable) {
  const HTREEITEM from = tree.caret;
  if (NotifyTreeView(tree, TVN_SELCHANGING, action, from, to) != 0 && vetoable) return false;
  if (to != nullptr && tree.Find(to) == nullptr) return false;  // gone meanwhile
  if (Item* old = tree.Find(from)) old->state &= ~TVIS_SELECTED;
  if (Item* now = tree.Find(to)) now->state |= TVIS_SELECTED;
  tree.caret = to;
  Redraw(tree);
  NotifyTreeView(tree, TVN_SELCHANGED, action, from, to);
  return true;
}

std::string TextOf(LPCSTR text) {
  if (text == LPSTR_TEXTCALLBACK) {
    sandbox::internal::ReportUnmodelled("tree-view text callbacks (LPSTR_TEXTCALLBACK)");
    return std::string();
  }
  return text != nullptr ? std::string(text) : std::string();
}

int ImageOf(int image) {
  if (image == I_IMAGECALLBACK) sandbox::internal::ReportUnmodelled("tree-view image callbacks (I_IMAGECALLBACK)");
  return image;
}

void Apply(Item& item, const TVITEM& from) {
  if (from.mask & TVIF_TEXT) {
    item.text = TextOf(from.pszText);
    item.textWidth = -1;
  }
  if (from.mask & TVIF_IMAGE) item.image = ImageOf(from.iImage);
  if (from.mask & TVIF_SELECTEDIMAGE) item.selectedImage = ImageOf(from.iSelectedImage);
  if (from.mask & TVIF_STATE) item.state = (item.state & ~from.stateMask) | (from.state & from.stateMask);
  if (from.mask & TVIF_CHILDREN) {
    if (from.cChildren == I_CHILDRENCALLBACK)
      sandbox::internal::ReportUnmodelled("tree-view children callbacks (I_CHILDRENCALLBACK)");
    item.childrenFlag = from.cChildren == 1 ? 1 : 0;
  }
  if (from.mask & TVIF_PARAM) item.lParam = from.lParam;
}

}  // namespace

Item* Tree::Find(HTREEITEM handle) {
  if (handle == nullptr) return nullptr;
  auto it = items.find(handle);
  return it == items.end() ? nullptr : it->second.get();
}

Item* Tree::NextVisible(Item* item) {
  if (item == nullptr) return nullptr;
  if (item->Expanded() && item->firstChild != nullptr) return item->firstChild;
  for (; item != nullptr && item != &root; item = item->parent)
    if (item->next != nullptr) return item->next;
  return nullptr;
}

Item* Tree::PrevVisible(Item* item) {
  if (item == nullptr) return nullptr;
  if (item->prev == nullptr) return item->parent != &root ? item->parent : nullptr;
  Item* last = item->prev;
  while (last->Expanded() && last->lastChild != nullptr) last = last->lastChild;
  return last;
}

Item* Tree::LastVisible() {
  Item* last = root.lastChild;
  while (last != nullptr && last->Expanded() && last->lastChild != nullptr) last = last->lastChild;
  return last;
}

bool Tree::Visible(const Item* item) const {
  for (const Item* p = item->parent; p != nullptr && p != &root; p = p->parent)
    if (!p->Expanded()) return false;
  return true;
}

bool Tree::IsDescendant(const Item* ancestor, const Item* item) const {
  for (const Item* p = item->parent; p != nullptr; p = p->parent)
    if (p == ancestor) return true;
  return false;
}

LRESULT Notify(Tree& tree, NMHDR& header, UINT code) {
  header.hwndFrom = tree.window;
  header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(tree.window));
  header.code = code;
  const HWND parent = GetParent(tree.window);
  if (parent == nullptr) return 0;
  return SendMessage(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

TVITEM Describe(const Item* item, UINT mask) {
  TVITEM out{};
  if (item == nullptr) return out;
  out.mask = mask;
  out.hItem = item->handle;
  out.state = item->state;
  out.stateMask = 0xFFFF;
  out.lParam = item->lParam;
  return out;
}

LRESULT NotifyTreeView(Tree& tree, UINT code, UINT action, HTREEITEM oldItem, HTREEITEM newItem, POINT drag) {
  const UINT mask = code == TVN_DELETEITEM ? TVIF_HANDLE | TVIF_PARAM : TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
  NMTREEVIEW nm{};
  nm.action = action;
  nm.itemOld = Describe(tree.Find(oldItem), mask);
  nm.itemNew = Describe(tree.Find(newItem), mask);
  nm.ptDrag = drag;
  return Notify(tree, nm.hdr, code);
}

HTREEITEM Insert(Tree& tree, const TVINSERTSTRUCT& insert) {
  Item* parent =
      insert.hParent == nullptr || insert.hParent == TVI_ROOT ? &tree.root : tree.Find(insert.hParent);
  if (parent == nullptr) return nullptr;
  auto item = std::make_unique<Item>();
  TVITEM fields = insert.item;
  fields.stateMask &= ~static_cast<UINT>(TVIS_SELECTED | TVIS_DROPHILITED);  // only the caret carries them
  Apply(*item, fields);
  Item* after = nullptr;  // the sibling it follows; null: first
  if (insert.hInsertAfter == TVI_FIRST) {
    after = nullptr;
  } else if (insert.hInsertAfter == TVI_LAST || insert.hInsertAfter == nullptr) {
    after = parent->lastChild;
  } else if (insert.hInsertAfter == TVI_SORT) {
    for (Item* c = parent->firstChild; c != nullptr && lstrcmpi(c->text.c_str(), item->text.c_str()) <= 0; c = c->next)
      after = c;
  } else {
    after = tree.Find(insert.hInsertAfter);
    if (after == nullptr || after->parent != parent) return nullptr;
  }
  item->handle = NewHandle();
  item->depth = parent == &tree.root ? 0 : parent->depth + 1;
  Item& linked = *item;
  tree.items.emplace(item->handle, std::move(item));
  Link(*parent, linked, after);
  tree.layoutStale = true;
  Redraw(tree);
  return linked.handle;
}

BOOL Delete(Tree& tree, HTREEITEM handle) {
  if (handle == nullptr || handle == TVI_ROOT) {
    DeleteAll(tree);
    UpdateScroll(tree);
    Redraw(tree);
    return TRUE;
  }
  Item* item = tree.Find(handle);
  if (item == nullptr) return FALSE;
  Item* caret = tree.Find(tree.caret);
  if (caret != nullptr && (caret == item || tree.IsDescendant(item, caret))) {
    // Our rule: the next sibling, else the previous one, else the parent.
    Item* successor = item->next != nullptr   ? item->next
                      : item->prev != nullptr ? item->prev
                      : item->parent != &tree.root ? item->parent
                                                   : nullptr;
    MoveCaret(tree, successor != nullptr ? successor->handle : nullptr, TVC_UNKNOWN, false);
  }
  std::vector<HTREEITEM> doomed;
  if ((item = tree.Find(handle)) == nullptr) return TRUE;
  PostOrder(*item, doomed);
  TellDeleted(tree, doomed);
  if ((item = tree.Find(handle)) != nullptr) Remove(tree, *item);
  tree.layoutStale = true;
  UpdateScroll(tree);
  Redraw(tree);
  return TRUE;
}

BOOL Expand(Tree& tree, HTREEITEM handle, UINT code, bool byUser) {
  Item* item = tree.Find(handle);
  if (item == nullptr) return FALSE;
  if (code & TVE_EXPANDPARTIAL) {
    sandbox::internal::ReportUnmodelled("TVM_EXPAND with TVE_EXPANDPARTIAL");
    return FALSE;
  }
  UINT action = code & TVE_ACTIONMASK;
  if (action == TVE_TOGGLE) action = item->Expanded() ? TVE_COLLAPSE : TVE_EXPAND;
  const bool reset = (code & TVE_COLLAPSERESET) != 0 && action == TVE_COLLAPSE;
  const bool notify = byUser || !(item->state & TVIS_EXPANDEDONCE);
  if (action == TVE_EXPAND) {
    if (item->Expanded()) return TRUE;
    if (!item->Expandable()) return FALSE;
    if (notify && NotifyTreeView(tree, TVN_ITEMEXPANDING, TVE_EXPAND, nullptr, handle) != 0) return FALSE;
    if ((item = tree.Find(handle)) == nullptr) return FALSE;
    item->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    tree.layoutStale = true;
    Redraw(tree);
    if (notify) NotifyTreeView(tree, TVN_ITEMEXPANDED, TVE_EXPAND, nullptr, handle);
    return TRUE;
  }
  if (action != TVE_COLLAPSE) return FALSE;
  if (!item->Expanded() && !reset) return TRUE;
  const UINT told = TVE_COLLAPSE | (reset ? TVE_COLLAPSERESET : 0);
  if (notify && NotifyTreeView(tree, TVN_ITEMEXPANDING, told, nullptr, handle) != 0) return FALSE;
  if ((item = tree.Find(handle)) == nullptr) return FALSE;
  item->state &= ~TVIS_EXPANDED;
  Item* caret = tree.Find(tree.caret);
  if (caret != nullptr && tree.IsDescendant(item, caret)) MoveCaret(tree, handle, TVC_UNKNOWN, true);
  if (reset) {
    DeleteChildren(tree, handle);
    if ((item = tree.Find(handle)) != nullptr) item->state &= ~TVIS_EXPANDEDONCE;
  }
  tree.layoutStale = true;
  UpdateScroll(tree);
  Redraw(tree);
  if (notify && tree.Find(handle) != nullptr) NotifyTreeView(tree, TVN_ITEMEXPANDED, told, nullptr, handle);
  return TRUE;
}

void ExpandAncestors(Tree& tree, HTREEITEM handle) {
  std::vector<HTREEITEM> ancestors;
  if (Item* item = tree.Find(handle))
    for (Item* p = item->parent; p != nullptr && p != &tree.root; p = p->parent) ancestors.push_back(p->handle);
  for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
    Item* ancestor = tree.Find(*it);
    if (ancestor != nullptr && !ancestor->Expanded()) Expand(tree, *it, TVE_EXPAND, false);
  }
}

BOOL SelectCaret(Tree& tree, HTREEITEM handle, UINT action) {
  if (handle != nullptr && tree.Find(handle) == nullptr) return FALSE;
  if (handle == tree.caret) return TRUE;
  const HTREEITEM from = tree.caret;
  if (NotifyTreeView(tree, TVN_SELCHANGING, action, from, handle) != 0) return FALSE;
  if (handle != nullptr && tree.Find(handle) == nullptr) return FALSE;
  ExpandAncestors(tree, handle);
  if (handle != nullptr && tree.Find(handle) == nullptr) return FALSE;
  if (Item* old = tree.Find(tree.caret)) old->state &= ~TVIS_SELECTED;
  if (Item* now = tree.Find(handle)) now->state |= TVIS_SELECTED;
  tree.caret = handle;
  if (handle != nullptr) EnsureVisible(tree, handle);
  Redraw(tree);
  NotifyTreeView(tree, TVN_SELCHANGED, action, from, handle);
  return TRUE;
}

BOOL Select(Tree& tree, UINT which, HTREEITEM handle) {
  Item* item = tree.Find(handle);
  if (handle != nullptr && item == nullptr) return FALSE;
  switch (which & 0xFF) {
    case TVGN_CARET:
      return SelectCaret(tree, handle, TVC_UNKNOWN);
    case TVGN_DROPHILITE:
      if (Item* old = tree.Find(tree.dropHighlight)) old->state &= ~TVIS_DROPHILITED;
      if (item != nullptr) item->state |= TVIS_DROPHILITED;
      tree.dropHighlight = handle;
      Redraw(tree);
      return TRUE;
    case TVGN_FIRSTVISIBLE: {
      const int row = item != nullptr ? RowOf(tree, item) : -1;
      if (row < 0) return FALSE;
      ScrollTo(tree, row, tree.scrollX);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

HTREEITEM GetNext(Tree& tree, UINT which, HTREEITEM handle) {
  Item* item = handle == TVI_ROOT ? nullptr : tree.Find(handle);
  const auto of = [](const Item* i) { return i != nullptr ? i->handle : nullptr; };
  switch (which) {
    case TVGN_ROOT: return of(tree.FirstRoot());
    case TVGN_CARET: return tree.Find(tree.caret) != nullptr ? tree.caret : nullptr;
    case TVGN_DROPHILITE: return tree.Find(tree.dropHighlight) != nullptr ? tree.dropHighlight : nullptr;
    case TVGN_FIRSTVISIBLE: return of(ItemAtRow(tree, tree.top));
    case TVGN_LASTVISIBLE: return of(tree.LastVisible());
    case TVGN_CHILD:
      if (handle == nullptr || handle == TVI_ROOT) return of(tree.FirstRoot());
      return item != nullptr ? of(item->firstChild) : nullptr;
    default: break;
  }
  if (item == nullptr) return nullptr;
  switch (which) {
    case TVGN_NEXT: return of(item->next);
    case TVGN_PREVIOUS: return of(item->prev);
    case TVGN_PARENT: return item->parent != &tree.root ? of(item->parent) : nullptr;
    case TVGN_NEXTVISIBLE: return tree.Visible(item) ? of(tree.NextVisible(item)) : nullptr;
    case TVGN_PREVIOUSVISIBLE: return tree.Visible(item) ? of(tree.PrevVisible(item)) : nullptr;
    default:
      sandbox::internal::ReportUnmodelled("TVM_GETNEXTITEM with this TVGN_* code");
      return nullptr;
  }
}

BOOL GetItem(Tree& tree, TVITEM& out) {
  Item* item = tree.Find(out.hItem);
  if (item == nullptr) return FALSE;
  if (out.mask & TVIF_TEXT) {
    if (out.pszText != nullptr && out.cchTextMax > 0) lstrcpyn(out.pszText, item->text.c_str(), out.cchTextMax);
  }
  if (out.mask & TVIF_IMAGE) out.iImage = item->image;
  if (out.mask & TVIF_SELECTEDIMAGE) out.iSelectedImage = item->selectedImage;
  if (out.mask & TVIF_STATE) out.state = item->state & out.stateMask;
  if (out.mask & TVIF_CHILDREN) out.cChildren = item->HasChildren() ? 1 : item->childrenFlag;
  if (out.mask & TVIF_PARAM) out.lParam = item->lParam;
  return TRUE;
}

BOOL SetItem(Tree& tree, const TVITEM& in) {
  Item* item = tree.Find(in.hItem);
  if (item == nullptr) return FALSE;
  const bool wasExpanded = item->Expanded();
  Apply(*item, in);
  if (item->Expanded() != wasExpanded) {
    tree.layoutStale = true;
    UpdateScroll(tree);
  }
  Redraw(tree);
  return TRUE;
}

BOOL Sort(Tree& tree, HTREEITEM handle, bool recurse, const TVSORTCB* byCallback) {
  Item* parent = handle == nullptr || handle == TVI_ROOT ? &tree.root : tree.Find(handle);
  if (parent == nullptr) return FALSE;
  std::vector<Item*> children;
  for (Item* c = parent->firstChild; c != nullptr; c = c->next) children.push_back(c);
  if (byCallback != nullptr) {
    std::stable_sort(children.begin(), children.end(), [&](const Item* a, const Item* b) {
      return byCallback->lpfnCompare(a->lParam, b->lParam, byCallback->lParam) < 0;
    });
  } else {
    std::stable_sort(children.begin(), children.end(),
                     [](const Item* a, const Item* b) { return lstrcmpi(a->text.c_str(), b->text.c_str()) < 0; });
  }
  parent->firstChild = parent->lastChild = nullptr;
  Item* after = nullptr;
  for (Item* c : children) {
    c->prev = c->next = nullptr;
    Link(*parent, *c, after);
    after = c;
  }
  if (recurse)
    for (Item* c : children) Sort(tree, c->handle, true, byCallback);
  Redraw(tree);
  return TRUE;
}

}  // namespace comctl32::treeview
