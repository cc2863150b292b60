// The tree view's input: presses with their drag-detect loop, double-clicks, keys, and label edits
// through the scripted user. The parent may destroy the control while it handles a notification,
// and messages dispatched inside the loop may too: the control is looked up again afterwards.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "sandbox/internal.h"
#include "treeview.h"

namespace comctl32::treeview {
namespace {

enum class Tracked { kClick, kDrag, kLost };

POINT PointOf(LPARAM lParam) { return {static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))}; }

// Holds the capture until the button's release (eaten: a click), a move beyond the drag distance
// (a drag), or the capture's loss or Escape (nothing). `released` gets the release's client point.
Tracked Track(HWND window, bool left, POINT at, POINT& released) {
  SetCapture(window);
  const UINT up = left ? WM_LBUTTONUP : WM_RBUTTONUP;
  const int dx = GetSystemMetrics(SM_CXDRAG), dy = GetSystemMetrics(SM_CYDRAG);
  Tracked result = Tracked::kLost;
  released = at;
  MSG msg;
  while (GetCapture() == window) {
    if (!GetMessage(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.hwnd == window && msg.message == up) {
      released = PointOf(msg.lParam);
      result = Tracked::kClick;
      break;
    }
    if (msg.hwnd == window && msg.message == WM_MOUSEMOVE) {
      const POINT p = PointOf(msg.lParam);
      if (std::abs(p.x - at.x) > dx || std::abs(p.y - at.y) > dy) {
        result = Tracked::kDrag;
        break;
      }
      continue;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  if (IsWindow(window) && GetCapture() == window) ReleaseCapture();
  return result;
}

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLong(window, GWL_STYLE)); }

void CancelEdit(Tree& tree) {
  KillTimer(tree.window, kEditTimer);
  tree.editPending = nullptr;
}

LRESULT NotifyCode(HWND window, UINT code) {
  Tree* tree = TreeOf(window);
  if (tree == nullptr) return 0;
  NMHDR header{};
  return Notify(*tree, header, code);
}

}  // namespace

void OnButtonDown(Tree& start, bool left, POINT at) {
  const HWND window = start.window;
  const bool hadFocus = GetFocus() == window;
  if (!hadFocus) SetFocus(window);
  Tree* tree = TreeOf(window);
  if (tree == nullptr) return;
  CancelEdit(*tree);
  TVHITTESTINFO hit{at, 0, nullptr};
  const HTREEITEM item = HitTest(*tree, hit);
  if (left && (hit.flags & TVHT_ONITEMBUTTON)) {
    Expand(*tree, item, TVE_TOGGLE, true);
    return;
  }
  const bool onItem = item != nullptr && (hit.flags & TVHT_ONITEM);
  const bool wasCaret = item != nullptr && item == tree->caret;
  if (left && onItem) SelectCaret(*tree, item, TVC_BYMOUSE);
  POINT released{};
  const Tracked tracked = Track(window, left, at, released);
  if ((tree = TreeOf(window)) == nullptr) return;
  if (tracked == Tracked::kDrag) {
    if (onItem && tree->Find(item) != nullptr && !(StyleOf(window) & TVS_DISABLEDRAGDROP))
      NotifyTreeView(*tree, left ? TVN_BEGINDRAG : TVN_BEGINRDRAG, 0, nullptr, item, at);
    return;
  }
  if (tracked == Tracked::kLost) return;
  const LRESULT answer = NotifyCode(window, left ? NM_CLICK : NM_RCLICK);
  if ((tree = TreeOf(window)) == nullptr) return;
  if (left) {
    // A click on the label of the caret it already was waits for a double-click before editing.
    if ((hit.flags & TVHT_ONITEMLABEL) && wasCaret && hadFocus && (StyleOf(window) & TVS_EDITLABELS) &&
        tree->caret == item) {
      tree->editPending = item;
      SetTimer(window, kEditTimer, GetDoubleClickTime(), nullptr);
    }
  } else if (answer == 0) {
    ClientToScreen(window, &released);
    SendMessage(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(released.x, released.y));
  }
}

void OnDoubleClick(Tree& tree, bool left, POINT at) {
  const HWND window = tree.window;
  CancelEdit(tree);
  if (!left) {
    NotifyCode(window, NM_RDBLCLK);
    return;
  }
  TVHITTESTINFO hit{at, 0, nullptr};
  const HTREEITEM item = HitTest(tree, hit);
  if (hit.flags & TVHT_ONITEMBUTTON) {
    Expand(tree, item, TVE_TOGGLE, true);
    return;
  }
  const LRESULT answer = NotifyCode(window, NM_DBLCLK);
  Tree* after = TreeOf(window);
  if (after != nullptr && answer == 0 && item != nullptr && (hit.flags & TVHT_ONITEM))
    Expand(*after, item, TVE_TOGGLE, true);
}

void OnKeyDown(Tree& start, WPARAM key) {
  const HWND window = start.window;
  NMTVKEYDOWN down{};
  down.wVKey = static_cast<WORD>(key);
  Notify(start, down.hdr, TVN_KEYDOWN);
  Tree* tree = TreeOf(window);
  if (tree == nullptr) return;
  Item* caret = tree->Find(tree->caret);
  Item* target = nullptr;
  const int page = std::max(1, PageRows(*tree) - 1);
  switch (key) {
    case VK_UP: target = caret != nullptr ? tree->PrevVisible(caret) : ItemAtRow(*tree, tree->top); break;
    case VK_DOWN: target = caret != nullptr ? tree->NextVisible(caret) : ItemAtRow(*tree, tree->top); break;
    case VK_HOME: target = tree->FirstRoot(); break;
    case VK_END: target = tree->LastVisible(); break;
    case VK_PRIOR:
    case VK_NEXT: {
      target = caret != nullptr ? caret : ItemAtRow(*tree, tree->top);
      for (int i = 0; i < page && target != nullptr; ++i) {
        Item* step = key == VK_PRIOR ? tree->PrevVisible(target) : tree->NextVisible(target);
        if (step == nullptr) break;
        target = step;
      }
      break;
    }
    case VK_LEFT:
      if (caret != nullptr && caret->Expanded() && caret->HasChildren()) Expand(*tree, caret->handle, TVE_COLLAPSE, true);
      else if (caret != nullptr && caret->parent != &tree->root) target = caret->parent;
      break;
    case VK_RIGHT:
      if (caret != nullptr && caret->Expandable()) {
        if (!caret->Expanded()) Expand(*tree, caret->handle, TVE_EXPAND, true);
        else target = caret->firstChild;
      }
      break;
    case VK_ADD:
      if (caret != nullptr) Expand(*tree, caret->handle, TVE_EXPAND, true);
      break;
    case VK_SUBTRACT:
      if (caret != nullptr) Expand(*tree, caret->handle, TVE_COLLAPSE, true);
      break;
    case VK_RETURN:
      NotifyCode(window, NM_RETURN);
      break;
    default:
      break;
  }
  if ((tree = TreeOf(window)) != nullptr && target != nullptr && target->handle != tree->caret)
    SelectCaret(*tree, target->handle, TVC_BYKEYBOARD);
}

void OnEditTimer(Tree& tree) {
  const HTREEITEM pending = tree.editPending;
  CancelEdit(tree);
  if (pending != nullptr && pending == tree.caret) EditLabel(tree, pending);
}

HWND EditLabel(Tree& start, HTREEITEM handle) {
  const HWND window = start.window;
  CancelEdit(start);
  Item* item = start.Find(handle);
  if (item == nullptr) return nullptr;
  std::string text = item->text;
  NMTVDISPINFO begin{};
  begin.item = Describe(item, TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_TEXT);
  begin.item.pszText = text.data();
  begin.item.cchTextMax = static_cast<int>(text.size()) + 1;
  if (Notify(start, begin.hdr, TVN_BEGINLABELEDIT) != 0) return nullptr;

  sandbox::Modal modal;
  modal.kind = "LabelEdit";
  modal.text = text;
  char title[256] = "";
  GetWindowText(window, title, sizeof title);
  modal.caption = title;
  const sandbox::Answer answer = sandbox::internal::Ask(modal, IDCANCEL);
  if (answer.action) answer.action(window);

  Tree* tree = TreeOf(window);
  if (tree == nullptr || (item = tree->Find(handle)) == nullptr) return nullptr;
  const bool entered = answer.result == IDOK;
  std::string typed = answer.text;
  NMTVDISPINFO end{};
  end.item = Describe(item, TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_TEXT);
  end.item.pszText = entered ? typed.data() : nullptr;
  end.item.cchTextMax = entered ? static_cast<int>(typed.size()) + 1 : 0;
  const LRESULT keep = Notify(*tree, end.hdr, TVN_ENDLABELEDIT);
  if ((tree = TreeOf(window)) == nullptr || (item = tree->Find(handle)) == nullptr) return nullptr;
  if (entered && keep != 0) {
    item->text = typed;
    item->textWidth = -1;
    tree->layoutStale = true;
    Redraw(*tree);
  }
  return nullptr;
}

}  // namespace comctl32::treeview
