// Sandbox view of the common controls: what a tooltip shows, the image lists alive, and the
// tree-view messages of one tree view, recorded and replayed. Implemented by comctl32.
//
// On sandbox::Reset(): the windows are gone with the window manager's reset; image lists a test
// left behind stay (they belong to no window); nothing is recorded.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sandbox/core.h"

namespace sandbox {

// What a tooltip control shows: whether its tip is up, the text of the tip (the text of the tool
// it shows, or of the last tool it showed), the maximum tip width (-1: none) and the tip's width.
// A window that is no tooltip is reported and gives an empty view.
struct ToolTipView {
  bool visible = false;
  std::string text;
  int maxWidth = -1;
  int width = 0;
};
SANDBOX_API ToolTipView ToolTipOf(const void* window);

// Image lists made and not yet destroyed.
SANDBOX_API size_t LiveImageLists();

}  // namespace sandbox

namespace sandbox {

// One tree-view message (TVM_*) as a tree view was sent it: its parameters, a copy of the
// structure lParam pointed at (TVINSERTSTRUCT, TVITEM, TVSORTCB, TVHITTESTINFO, or the RECT of
// TVM_GETITEMRECT) with the text of an item it carried, and what the control answered.
struct TreeViewMessage {
  unsigned message = 0;
  uintptr_t wParam = 0;
  intptr_t lParam = 0;               // as sent: a pointer means nothing after the call
  std::vector<unsigned char> data;   // the structure, as it was sent
  std::string text;                  // the item's text of TVM_INSERTITEM and TVM_SETITEM
  bool hasText = false;
  intptr_t result = 0;               // TVM_INSERTITEM: the new item's handle
  std::vector<intptr_t> order;       // TVM_SORTCHILDRENCB: the children's item data, sorted
};

// From now on the tree-view messages sent to `window` are recorded (what was recorded before is
// dropped); nullptr stops recording and keeps the record. For benchmarks that weigh a tree control's own work beside
// the messages it sends: the same messages are replayed into a fresh tree view.
SANDBOX_API void RecordTreeViewMessages(const void* window);
SANDBOX_API std::vector<TreeViewMessage> RecordedTreeViewMessages();

// Sends the messages to the tree view `window`, in their order, each with its structure copied
// from the record: handles of items that the record inserted stand for the items this replay
// inserts (other handles are sent as recorded), an item's text is sent from the record, a read
// gets a buffer of the recorded size, and a callback sort puts the children in the recorded
// order. The items keep the recorded item data. Returns how many messages were sent.
SANDBOX_API size_t ReplayTreeViewMessages(const void* window, const std::vector<TreeViewMessage>& messages);

}  // namespace sandbox
