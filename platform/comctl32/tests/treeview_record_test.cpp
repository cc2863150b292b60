// The sandbox's record of a tree view's messages, replayed into another tree view: the replay
// builds the same tree (items, texts, images, item data, order, expansion) with its own handles.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "sandbox/comctl32.h"
#include "sandbox/sandbox.h"

namespace {

HWND MakeTree(HWND parent) {
  return CreateWindowEx(0, WC_TREEVIEW, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, 0, 0, 200, 160, parent, nullptr,
                        nullptr, nullptr);
}

HTREEITEM Insert(HWND tree, HTREEITEM parent, const char* text, LPARAM data) {
  TVINSERTSTRUCT insert{parent, TVI_LAST, {TVIF_TEXT | TVIF_PARAM, nullptr, 0, 0, const_cast<LPSTR>(text), 0, 0, 0, 0,
                                           data}};
  return reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
}

// Every item depth first: text, image, item data, expanded.
std::vector<std::string> Outline(HWND tree, HTREEITEM first, int depth = 0) {
  std::vector<std::string> lines;
  for (HTREEITEM h = first; h != nullptr;
       h = reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(h)))) {
    char text[64] = "";
    TVITEM item{TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_STATE, h, 0, TVIS_EXPANDED, text, sizeof text, 0, 0, 0, 0};
    SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
    lines.push_back(std::string(2 * depth, ' ') + text + " image " + std::to_string(item.iImage) + " data " +
                    std::to_string(item.lParam) + ((item.state & TVIS_EXPANDED) ? " open" : ""));
    for (const std::string& line : Outline(
             tree, reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(h))),
             depth + 1))
      lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> Outline(HWND tree) {
  return Outline(tree, reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)));
}

// Item data descending.
int CALLBACK Descending(LPARAM a, LPARAM b, LPARAM) { return a < b ? 1 : a > b ? -1 : 0; }

TEST(TreeViewRecord, AReplayBuildsTheSameTree) {
  InitCommonControls();
  HWND parent = CreateWindowEx(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr, nullptr,
                               nullptr);
  HWND recorded = MakeTree(parent), other = MakeTree(parent);
  sandbox::RecordTreeViewMessages(recorded);
  HTREEITEM x = Insert(recorded, TVI_ROOT, "X", 1);
  HTREEITEM y = Insert(recorded, TVI_ROOT, "Y", 2);
  HTREEITEM z = Insert(recorded, TVI_ROOT, "Z", 3);
  Insert(other, TVI_ROOT, "elsewhere", 9);
  Insert(recorded, y, "Y1", 4);
  HTREEITEM y2 = Insert(recorded, y, "Y2", 5);
  TVITEM image{TVIF_IMAGE | TVIF_TEXT, y2, 0, 0, const_cast<LPSTR>("Y2 renamed"), 0, 2, 0, 0, 0};
  SendMessage(recorded, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&image));
  SendMessage(recorded, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(z));
  SendMessage(recorded, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(y));
  TVSORTCB sort{TVI_ROOT, Descending, 0};
  SendMessage(recorded, TVM_SORTCHILDRENCB, FALSE, reinterpret_cast<LPARAM>(&sort));
  char text[8] = "";
  TVITEM read{TVIF_TEXT, x, 0, 0, text, sizeof text, 0, 0, 0, 0};
  SendMessage(recorded, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&read));
  sandbox::RecordTreeViewMessages(nullptr);
  Insert(recorded, TVI_ROOT, "after", 8);

  const std::vector<sandbox::TreeViewMessage> messages = sandbox::RecordedTreeViewMessages();
  ASSERT_EQ(messages.size(), 10u) << "five inserts, a set, a delete, an expansion, a sort and a read";
  EXPECT_EQ(messages[0].text, "X");
  EXPECT_EQ(messages[0].result, reinterpret_cast<intptr_t>(x));
  EXPECT_EQ(messages[5].text, "Y2 renamed");
  EXPECT_EQ(messages[8].order, (std::vector<intptr_t>{2, 1}));

  HWND replayed = MakeTree(parent);
  EXPECT_EQ(sandbox::ReplayTreeViewMessages(replayed, messages), messages.size());
  const std::vector<std::string> expected = {"Y image 0 data 2 open", "  Y1 image 0 data 4",
                                             "  Y2 renamed image 2 data 5", "X image 0 data 1"};
  EXPECT_EQ(Outline(replayed), expected);
  SendMessage(recorded, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  EXPECT_EQ(sandbox::ReplayTreeViewMessages(recorded, messages), messages.size());
  EXPECT_EQ(Outline(recorded), expected) << "replayed over the first, with new handles";
  DestroyWindow(parent);
}

}  // namespace
