// The scripted user's hands on a tree view (sandbox/dialog_user.h): finding an item by the text it
// shows, clicking its image with the pointer, and moving the caret to it with the keys, through the
// control's own messages, the sandbox's pointer and keyboard, and the loop that runs the window.
#include <commctrl.h>

#include <string>

#include "dialog_manager.h"
#include "sandbox/dialog_user.h"
#include "sandbox/input.h"
#include "sandbox/internal.h"

namespace user32::dialogs {
namespace {

HWND TreeOf(const void* window, int id, const char* call) {
  const HWND parent = static_cast<HWND>(const_cast<void*>(window));
  const HWND tree = IsWindow(parent) ? GetDlgItem(parent, id) : nullptr;
  char name[64] = "";
  if (tree != nullptr) GetClassName(tree, name, sizeof name);
  if (tree == nullptr || lstrcmpi(name, WC_TREEVIEW) != 0) {
    sandbox::internal::Fail(std::string(call) + ": the window has no tree view " + std::to_string(id));
    return nullptr;
  }
  if (!IsWindowVisible(tree) || !IsWindowEnabled(tree)) {
    sandbox::internal::Fail(std::string(call) + ": tree view " + std::to_string(id) +
                            " is hidden or disabled; a user cannot work it");
    return nullptr;
  }
  return tree;
}

std::string TextOf(HWND tree, HTREEITEM item) {
  char text[1024] = "";
  TVITEM record{};
  record.mask = TVIF_TEXT;
  record.hItem = item;
  record.pszText = text;
  record.cchTextMax = sizeof text;
  SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&record));
  return text;
}

// The first item in display order that shows `text` (its ancestors expanded), and its row from
// the first item; null (reported) when no shown item reads so.
HTREEITEM Shown(HWND tree, const std::string& text, int& row, const char* call) {
  row = 0;
  for (auto item = reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); item != nullptr;
       item = reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE,
                                                      reinterpret_cast<LPARAM>(item))),
                 ++row) {
    if (TextOf(tree, item) == text) return item;
  }
  sandbox::internal::Fail(std::string(call) + ": no item of the tree view shows \"" + text + "\"");
  return nullptr;
}

}  // namespace
}  // namespace user32::dialogs

using namespace user32::dialogs;

namespace sandbox {

void ClickTreeItemImage(const void* window, int id, const std::string& text) {
  const HWND tree = TreeOf(window, id, "ClickTreeItemImage");
  if (tree == nullptr) return;
  int row = 0;
  const HTREEITEM item = Shown(tree, text, row, "ClickTreeItemImage");
  if (item == nullptr) return;
  SendMessage(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));  // scrolled to it
  RECT label{};
  *reinterpret_cast<HTREEITEM*>(&label) = item;
  if (!SendMessage(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label))) {
    internal::Fail("ClickTreeItemImage: \"" + text + "\" shows no row");
    return;
  }
  // The image lies left of the label: its columns are where a hit test says so.
  TVHITTESTINFO hit{};
  hit.pt.y = (label.top + label.bottom) / 2;
  int right = -1, left = -1;
  for (LONG x = label.left - 1; x >= 0; --x) {
    hit.pt.x = x;
    SendMessage(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.hItem != item || !(hit.flags & TVHT_ONITEMICON)) {
      if (right >= 0) break;
      continue;
    }
    if (right < 0) right = x;
    left = x;
  }
  if (right < 0) {
    internal::Fail("ClickTreeItemImage: \"" + text + "\" shows no image");
    return;
  }
  POINT at{(left + right) / 2, hit.pt.y};
  ClientToScreen(tree, &at);
  MovePointer(at.x, at.y);
  PumpQueueOf(tree);
  Click(MouseButton::kLeft);
  PumpQueueOf(tree);
}

void PressSpaceOnTreeItem(const void* window, int id, const std::string& text) {
  const HWND tree = TreeOf(window, id, "PressSpaceOnTreeItem");
  if (tree == nullptr) return;
  int row = 0;
  if (Shown(tree, text, row, "PressSpaceOnTreeItem") == nullptr) return;
  const HWND parent = GetParent(tree);
  if (std::shared_ptr<Dialog> d = Find(parent))
    SendMessage(parent, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tree), TRUE);
  else
    SetFocus(tree);
  TypeKey(VK_HOME);
  PumpQueueOf(tree);
  for (int step = 0; step < row; ++step) {
    TypeKey(VK_DOWN);
    PumpQueueOf(tree);
  }
  TypeKey(VK_SPACE);
  PumpQueueOf(tree);
}

}  // namespace sandbox
