// The tree view: items and their handles, expansion, the caret and its notifications, deletion,
// the fixed layout behind hit tests, scrolling, the mouse, keys and label edits, each checked
// against the notifications the parent gets.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "sandbox/sandbox.h"
#include "sandbox/test_notifications.h"

namespace {

using sandbox::MouseButton;

// What the parent was told: the code and the items named.
struct Told {
  UINT code;
  HTREEITEM oldItem = nullptr, newItem = nullptr;
  UINT action = 0;
  bool operator==(const Told&) const = default;
};

std::vector<Told> g_told;
std::map<UINT, LRESULT> g_answers;  // the parent's answer per notification code
std::string g_editedText;           // TVN_ENDLABELEDIT's text ("(null)" for none)
int g_contextMenus = 0;

void PrintTo(const Told& t, std::ostream* out) {
  *out << sandbox::testing::NotificationName(t.code) << "(" << t.oldItem << " -> " << t.newItem << ", action "
       << t.action << ")";
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CONTEXTMENU) ++g_contextMenus;
  if (message != WM_NOTIFY) return DefWindowProc(window, message, wParam, lParam);
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->code == NM_SETFOCUS || header->code == NM_KILLFOCUS || header->code == TVN_KEYDOWN) return 0;
  Told told{header->code};
  if (header->code == TVN_BEGINLABELEDIT || header->code == TVN_ENDLABELEDIT) {
    const auto* info = reinterpret_cast<const NMTVDISPINFO*>(lParam);
    told.newItem = info->item.hItem;
    if (header->code == TVN_ENDLABELEDIT) g_editedText = info->item.pszText ? info->item.pszText : "(null)";
  } else if (header->code >= TVN_ENDLABELEDIT && header->code <= TVN_SELCHANGING) {
    const auto* tv = reinterpret_cast<const NMTREEVIEW*>(lParam);
    told = {header->code, tv->itemOld.hItem, tv->itemNew.hItem, tv->action};
  }
  g_told.push_back(told);
  auto answer = g_answers.find(header->code);
  return answer != g_answers.end() ? answer->second : 0;
}

// A parent at the screen's corner with a tree of 200 x 160 (ten rows) at its corner, so that
// screen, parent and tree coordinates are the same.
class TreeView : public testing::Test {
 public:
  void SetUp() override {
    sandbox::SetClock(1'000'000);
    g_told.clear();
    g_answers.clear();
    g_contextMenus = 0;
    InitCommonControls();
    WNDCLASS wc{};
    wc.lpfnWndProc = ParentProc;
    wc.lpszClassName = "TreeParent";
    ASSERT_TRUE(RegisterClass(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS);  // rows set up again
    parent_ = CreateWindowEx(0, "TreeParent", "parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr,
                             nullptr, nullptr);
    tree_ = CreateWindowEx(0, WC_TREEVIEW, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES |
                               TVS_LINESATROOT | TVS_EDITLABELS, 0, 0, 200, 160, parent_,
                           reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_NE(tree_, nullptr) << GetLastError();
    // A (A1, A2 (A2x)), B, C; nothing expanded.
    a_ = Insert(TVI_ROOT, "A");
    a1_ = Insert(a_, "A1");
    a2_ = Insert(a_, "A2");
    a2x_ = Insert(a2_, "A2x");
    b_ = Insert(TVI_ROOT, "B");
    c_ = Insert(TVI_ROOT, "C");
    Pump();
    g_told.clear();
  }

  HTREEITEM Insert(HTREEITEM parent, const char* text, HTREEITEM after = TVI_LAST, LPARAM data = 0) {
    TVINSERTSTRUCT insert{parent, after, {TVIF_TEXT | TVIF_PARAM, nullptr, 0, 0, const_cast<LPSTR>(text), 0, 0, 0, 0,
                                          data}};
    const auto item = reinterpret_cast<HTREEITEM>(SendMessage(tree_, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
    EXPECT_NE(item, nullptr) << text;
    return item;
  }
  LRESULT Send(UINT message, WPARAM wParam, HTREEITEM item) {
    return SendMessage(tree_, message, wParam, reinterpret_cast<LPARAM>(item));
  }
  HTREEITEM Next(UINT which, HTREEITEM item = nullptr) {
    return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, which, item));
  }
  UINT State(HTREEITEM item) {
    TVITEM tv{TVIF_STATE, item, 0, 0xFFFF, nullptr, 0, 0, 0, 0, 0};
    return SendMessage(tree_, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&tv)) ? tv.state : 0xdeadbeef;
  }
  std::string Text(HTREEITEM item) {
    char text[64] = "(gone)";
    TVITEM tv{TVIF_TEXT, item, 0, 0, text, sizeof text, 0, 0, 0, 0};
    SendMessage(tree_, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
  }
  // The texts in display order.
  std::vector<std::string> Shown() {
    std::vector<std::string> texts;
    for (HTREEITEM i = Next(TVGN_ROOT); i != nullptr; i = Next(TVGN_NEXTVISIBLE, i)) texts.push_back(Text(i));
    return texts;
  }
  static void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  // Clicks the button at a tree point (the pointer then stays there).
  void ClickAt(int x, int y, MouseButton button = MouseButton::kLeft) {
    sandbox::MovePointer(x, y);
    sandbox::Click(button);
    Pump();
  }

  HWND parent_ = nullptr, tree_ = nullptr;
  HTREEITEM a_ = nullptr, a1_ = nullptr, a2_ = nullptr, a2x_ = nullptr, b_ = nullptr, c_ = nullptr;
};

TEST_F(TreeView, ExpansionNotifiesUntilExpandedOnceAndTheUserAlways) {
  const struct {
    const char* name;
    std::function<LRESULT(TreeView&)> act;
    LRESULT result;
    std::vector<UINT> told;
    bool expanded;
  } rows[] = {
      {.name = "first TVM_EXPAND", .act = [](TreeView& t) { return t.Send(TVM_EXPAND, TVE_EXPAND, t.a2_); },
       .result = TRUE, .told = {TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}, .expanded = true},
      {.name = "TVM_EXPAND once expanded", .act = [](TreeView& t) { return t.Send(TVM_EXPAND, TVE_COLLAPSE, t.a2_); },
       .result = TRUE, .told = {}, .expanded = false},
      {.name = "again", .act = [](TreeView& t) { return t.Send(TVM_EXPAND, TVE_TOGGLE, t.a2_); }, .result = TRUE,
       .told = {}, .expanded = true},
      {.name = "the user's toggle, always told",
       .act = [](TreeView& t) {
         t.Send(TVM_EXPAND, TVE_EXPAND, t.a_);  // so that A2's button shows
         g_told.clear();
         t.Send(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, t.a_);
         t.ClickAt(19 + 19 / 2, 2 * 16 + 8);  // A2's button: depth 1, its indent cell [19, 38)
         return LRESULT{TRUE};
       },
       .result = TRUE, .told = {TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}, .expanded = false},
      {.name = "a reset deletes the children and forgets the expansion",
       .act = [](TreeView& t) { return t.Send(TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET, t.a2_); },
       .result = TRUE, .told = {TVN_DELETEITEM}, .expanded = false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    g_told.clear();
    EXPECT_EQ(row.act(*this), row.result);
    std::vector<UINT> codes;
    for (const Told& t : g_told) codes.push_back(t.code);
    EXPECT_EQ(codes, row.told);
    EXPECT_EQ((State(a2_) & TVIS_EXPANDED) != 0, row.expanded);
  }
  EXPECT_EQ(Next(TVGN_CHILD, a2_), nullptr) << "the reset deleted A2x";
  EXPECT_EQ(State(a2_) & TVIS_EXPANDEDONCE, 0u);
  EXPECT_FALSE(Send(TVM_EXPAND, TVE_EXPAND, a2_)) << "no children left";
  EXPECT_EQ(State(a2x_), 0xdeadbeefu) << "a deleted handle is refused";

  // A veto keeps the item as it was; a children flag of 1 lets an empty item ask for children.
  const HTREEITEM d = Insert(TVI_ROOT, "D");
  Insert(d, "D1");
  g_answers[TVN_ITEMEXPANDING] = TRUE;
  EXPECT_FALSE(Send(TVM_EXPAND, TVE_EXPAND, d));
  EXPECT_EQ(State(d) & (TVIS_EXPANDED | TVIS_EXPANDEDONCE), 0u);
  g_answers.clear();
  TVITEM flag{TVIF_CHILDREN, b_, 0, 0, nullptr, 0, 0, 0, 1, 0};
  SendMessage(tree_, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&flag));
  g_told.clear();
  EXPECT_TRUE(Send(TVM_EXPAND, TVE_EXPAND, b_));
  ASSERT_EQ(g_told.size(), 2u);
  EXPECT_EQ(g_told[0], (Told{TVN_ITEMEXPANDING, nullptr, b_, TVE_EXPAND}));
}

TEST_F(TreeView, SelectingMovesTheSelectedBitWithTheCaretAndExpandsItsAncestors) {
  EXPECT_TRUE(Send(TVM_SELECTITEM, TVGN_CARET, a2x_));
  EXPECT_EQ(g_told, (std::vector<Told>{{TVN_SELCHANGING, nullptr, a2x_, TVC_UNKNOWN},
                                       {TVN_ITEMEXPANDING, nullptr, a_, TVE_EXPAND},
                                       {TVN_ITEMEXPANDED, nullptr, a_, TVE_EXPAND},
                                       {TVN_ITEMEXPANDING, nullptr, a2_, TVE_EXPAND},
                                       {TVN_ITEMEXPANDED, nullptr, a2_, TVE_EXPAND},
                                       {TVN_SELCHANGED, nullptr, a2x_, TVC_UNKNOWN}}));
  EXPECT_EQ(Shown(), (std::vector<std::string>{"A", "A1", "A2", "A2x", "B", "C"}));
  EXPECT_EQ(Next(TVGN_CARET), a2x_);
  EXPECT_EQ(State(a2x_) & TVIS_SELECTED, static_cast<UINT>(TVIS_SELECTED));

  g_told.clear();
  EXPECT_TRUE(Send(TVM_SELECTITEM, TVGN_CARET, a2x_));
  EXPECT_TRUE(g_told.empty()) << "the caret again: nothing";

  g_answers[TVN_SELCHANGING] = TRUE;
  EXPECT_FALSE(Send(TVM_SELECTITEM, TVGN_CARET, b_));
  EXPECT_EQ(Next(TVGN_CARET), a2x_) << "vetoed";
  g_answers.clear();
  g_told.clear();
  EXPECT_TRUE(Send(TVM_SELECTITEM, TVGN_CARET, b_));
  EXPECT_EQ(g_told.back(), (Told{TVN_SELCHANGED, a2x_, b_, TVC_UNKNOWN}));
  EXPECT_EQ(State(a2x_) & TVIS_SELECTED, 0u);
  EXPECT_EQ(State(b_) & TVIS_SELECTED, static_cast<UINT>(TVIS_SELECTED));

  // The drop highlight is a bit of its own, without notifications.
  g_told.clear();
  EXPECT_TRUE(Send(TVM_SELECTITEM, TVGN_DROPHILITE, c_));
  EXPECT_EQ(Next(TVGN_DROPHILITE), c_);
  EXPECT_EQ(State(c_) & TVIS_DROPHILITED, static_cast<UINT>(TVIS_DROPHILITED));
  EXPECT_TRUE(Send(TVM_SELECTITEM, TVGN_DROPHILITE, nullptr));
  EXPECT_EQ(State(c_) & TVIS_DROPHILITED, 0u);
  EXPECT_TRUE(g_told.empty());
}

TEST_F(TreeView, CollapsingOverTheCaretOrDeletingItMovesItByOneRule) {
  const struct {
    const char* name;
    std::function<void(TreeView&)> act;
    HTREEITEM TreeView::*caret;  // where the caret ends (null member: none)
    bool told;                   // the move was notified
  } rows[] = {
      {.name = "collapsing an ancestor", .act = [](TreeView& t) { t.Send(TVM_EXPAND, TVE_COLLAPSE, t.a_); },
       .caret = &TreeView::a_, .told = true},
      {.name = "deleting: the next sibling", .act = [](TreeView& t) { t.Send(TVM_DELETEITEM, 0, t.a_); },
       .caret = &TreeView::b_, .told = true},
      {.name = "deleting the last: the previous sibling",
       .act = [](TreeView& t) { t.Send(TVM_DELETEITEM, 0, t.a2_); }, .caret = &TreeView::a1_, .told = true},
      {.name = "deleting an only child: the parent", .act = [](TreeView& t) { t.Send(TVM_DELETEITEM, 0, t.a2x_); },
       .caret = &TreeView::a2_, .told = true},
      {.name = "deleting everything", .act = [](TreeView& t) { t.Send(TVM_DELETEITEM, 0, TVI_ROOT); },
       .caret = nullptr, .told = false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    SetUp();  // a fresh tree each time, the caret on A2x
    Send(TVM_SELECTITEM, TVGN_CARET, a2x_);
    g_told.clear();
    row.act(*this);
    const HTREEITEM expected = row.caret != nullptr ? this->*row.caret : nullptr;
    EXPECT_EQ(Next(TVGN_CARET), expected);
    if (expected != nullptr) {
      EXPECT_EQ(State(expected) & TVIS_SELECTED, static_cast<UINT>(TVIS_SELECTED));
    }
    bool changed = false;
    for (const Told& t : g_told) changed = changed || (t.code == TVN_SELCHANGED && t.newItem == expected);
    EXPECT_EQ(changed, row.told);
    DestroyWindow(parent_);
  }
}

TEST_F(TreeView, DeletingTellsChildrenFirstAndHandlesAreNeverReused) {
  EXPECT_TRUE(Send(TVM_DELETEITEM, 0, a_));
  std::vector<HTREEITEM> deleted;
  for (const Told& t : g_told)
    if (t.code == TVN_DELETEITEM) deleted.push_back(t.oldItem);
  EXPECT_EQ(deleted, (std::vector<HTREEITEM>{a1_, a2x_, a2_, a_}));
  EXPECT_EQ(Send(TVM_GETCOUNT, 0, nullptr), 2);
  EXPECT_FALSE(Send(TVM_DELETEITEM, 0, a_)) << "gone";
  const HTREEITEM again = Insert(TVI_ROOT, "A", TVI_FIRST);
  for (HTREEITEM old : {a_, a1_, a2_, a2x_}) EXPECT_NE(again, old);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"A", "B", "C"}));
  TVINSERTSTRUCT stray{b_, c_, {TVIF_TEXT, nullptr, 0, 0, const_cast<LPSTR>("x"), 0, 0, 0, 0, 0}};
  EXPECT_EQ(SendMessage(tree_, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&stray)), 0)
      << "insert-after must be a child of the parent";
}

TEST_F(TreeView, HitTestsAndRectanglesFollowTheFixedLayout) {
  // Root items start one indent (19) in, with TVS_LINESATROOT; "A" is 8 wide, its label 12.
  const struct {
    const char* name;
    bool images;
    POINT at;
    UINT flags;
    HTREEITEM TreeView::*item;
  } rows[] = {
      {.name = "A's button", .images = false, .at = {5, 5}, .flags = TVHT_ONITEMBUTTON, .item = &TreeView::a_},
      {.name = "B has no button", .images = false, .at = {5, 16 + 5}, .flags = TVHT_ONITEMINDENT, .item = &TreeView::b_},
      {.name = "label", .images = false, .at = {19, 5}, .flags = TVHT_ONITEMLABEL, .item = &TreeView::a_},
      {.name = "label's end", .images = false, .at = {30, 5}, .flags = TVHT_ONITEMLABEL, .item = &TreeView::a_},
      {.name = "right of it", .images = false, .at = {31, 5}, .flags = TVHT_ONITEMRIGHT, .item = &TreeView::a_},
      {.name = "below the last row", .images = false, .at = {20, 3 * 16}, .flags = TVHT_NOWHERE, .item = nullptr},
      {.name = "left", .images = false, .at = {-1, 5}, .flags = TVHT_TOLEFT, .item = nullptr},
      {.name = "below and right", .images = false, .at = {200, 160}, .flags = TVHT_BELOW | TVHT_TORIGHT,
       .item = nullptr},
      // A state list 13 wide and an image list 16 wide come before the label.
      {.name = "state icon", .images = true, .at = {19, 5}, .flags = TVHT_ONITEMSTATEICON, .item = &TreeView::a_},
      {.name = "icon", .images = true, .at = {19 + 13, 5}, .flags = TVHT_ONITEMICON, .item = &TreeView::a_},
      {.name = "label after both", .images = true, .at = {19 + 13 + 16, 5}, .flags = TVHT_ONITEMLABEL,
       .item = &TreeView::a_},
  };
  HIMAGELIST state = ImageList_Create(13, 13, ILC_COLOR32, 0, 1), normal = ImageList_Create(16, 16, ILC_COLOR32, 0, 1);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    SendMessage(tree_, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(row.images ? state : nullptr));
    SendMessage(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(row.images ? normal : nullptr));
    TVHITTESTINFO hit{row.at, 0xdeadbeef, reinterpret_cast<HTREEITEM>(0xdeadbeef)};
    const auto result = reinterpret_cast<HTREEITEM>(SendMessage(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    const HTREEITEM expected = row.item != nullptr ? this->*row.item : nullptr;
    EXPECT_EQ(hit.flags, row.flags);
    EXPECT_EQ(hit.hItem, expected);
    EXPECT_EQ(result, expected);
  }
  SendMessage(tree_, TVM_SETIMAGELIST, TVSIL_STATE, 0);
  SendMessage(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
  ImageList_Destroy(state);
  ImageList_Destroy(normal);

  RECT r{};
  *reinterpret_cast<HTREEITEM*>(&r) = b_;
  ASSERT_TRUE(SendMessage(tree_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
  EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}), std::vector<LONG>({19, 16, 31, 32}));
  *reinterpret_cast<HTREEITEM*>(&r) = b_;
  ASSERT_TRUE(SendMessage(tree_, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&r)));
  EXPECT_EQ(std::vector<LONG>({r.left, r.right}), std::vector<LONG>({0, 200})) << "the whole row";
  *reinterpret_cast<HTREEITEM*>(&r) = a1_;
  EXPECT_FALSE(SendMessage(tree_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r))) << "under a collapsed parent";
}

TEST_F(TreeView, ScrollingMovesTheRowsAndIsKeptInTheScrollBars) {
  for (int i = 0; i < 20; ++i) Insert(TVI_ROOT, ("item " + std::to_string(i)).c_str());
  Pump();  // 23 rows, 10 shown
  EXPECT_EQ(GetScrollPos(tree_, SB_VERT), 0);
  SendMessage(tree_, WM_VSCROLL, SB_LINEDOWN, 0);
  SendMessage(tree_, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(GetScrollPos(tree_, SB_VERT), 2);
  EXPECT_EQ(Next(TVGN_FIRSTVISIBLE), c_);
  TVHITTESTINFO hit{{20, 5}, 0, nullptr};
  SendMessage(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  EXPECT_EQ(hit.hItem, c_) << "the top row is the third item now";
  SendMessage(tree_, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(GetScrollPos(tree_, SB_VERT), 23 - 10) << "no further than the last page";
  SendMessage(tree_, WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(GetScrollPos(tree_, SB_VERT), 12);
  EXPECT_TRUE(Send(TVM_ENSUREVISIBLE, 0, a_));
  EXPECT_EQ(GetScrollPos(tree_, SB_VERT), 0);
  // Selecting an item below the page scrolls it into the last row.
  Send(TVM_SELECTITEM, TVGN_CARET, Next(TVGN_LASTVISIBLE));
  EXPECT_EQ(GetScrollPos(tree_, SB_VERT), 13);
  // Horizontally in pixels, 8 a line.
  SendMessage(tree_, WM_HSCROLL, SB_LINERIGHT, 0);
  EXPECT_EQ(GetScrollPos(tree_, SB_HORZ), 0) << "nothing wider than the client area";
}

TEST_F(TreeView, ALeftPressSelectsThenClicksOrDrags) {
  // A click: the caret, then NM_CLICK once the release is read; the release goes no further.
  ClickAt(19 + 2, 16 + 5);  // B's label
  EXPECT_EQ(g_told, (std::vector<Told>{{TVN_SELCHANGING, nullptr, b_, TVC_BYMOUSE},
                                       {TVN_SELCHANGED, nullptr, b_, TVC_BYMOUSE},
                                       {NM_CLICK}}));
  EXPECT_EQ(GetFocus(), tree_);
  EXPECT_EQ(GetCapture(), nullptr);

  // A press that moves beyond the drag distance while held: TVN_BEGINDRAG, no click.
  g_told.clear();
  sandbox::MovePointer(19 + 2, 2 * 16 + 5);  // C
  sandbox::PressButton(MouseButton::kLeft);
  sandbox::QueueAnswer("Capture", {0, "", [](void*) { sandbox::MovePointer(19 + 2 + 5, 2 * 16 + 5); }});
  Pump();
  EXPECT_EQ(g_told, (std::vector<Told>{{TVN_SELCHANGING, b_, c_, TVC_BYMOUSE},
                                       {TVN_SELCHANGED, b_, c_, TVC_BYMOUSE},
                                       {TVN_BEGINDRAG, nullptr, c_, 0}}));
  sandbox::ReleaseButton(MouseButton::kLeft);
  Pump();

  // Moving within the drag distance is no drag; empty space gives a click without selection.
  g_told.clear();
  sandbox::MovePointer(100, 120);
  sandbox::PressButton(MouseButton::kLeft);
  sandbox::QueueAnswer("Capture", {0, "", [](void*) {
                                     sandbox::MovePointer(104, 124);
                                     sandbox::ReleaseButton(MouseButton::kLeft);
                                   }});
  Pump();
  EXPECT_EQ(g_told, (std::vector<Told>{{NM_CLICK}}));
  EXPECT_EQ(Next(TVGN_CARET), c_);
}

TEST_F(TreeView, ARightClickAsksForAContextMenuUnlessTheParentTookIt) {
  ClickAt(19 + 2, 16 + 5, MouseButton::kRight);
  EXPECT_EQ(g_told, (std::vector<Told>{{NM_RCLICK}})) << "a right press selects nothing";
  EXPECT_EQ(g_contextMenus, 1) << "WM_CONTEXTMENU, passed on to the parent";
  g_answers[NM_RCLICK] = 1;
  ClickAt(19 + 2, 16 + 5, MouseButton::kRight);
  EXPECT_EQ(g_contextMenus, 1);
  // Dragged with the right button: TVN_BEGINRDRAG.
  g_told.clear();
  sandbox::MovePointer(19 + 2, 5);
  sandbox::PressButton(MouseButton::kRight);
  sandbox::QueueAnswer("Capture", {0, "", [](void*) { sandbox::MovePointer(19 + 2, 5 + 5); }});
  Pump();
  EXPECT_EQ(g_told, (std::vector<Told>{{TVN_BEGINRDRAG, nullptr, a_, 0}}));
  sandbox::ReleaseButton(MouseButton::kRight);
  Pump();
}

TEST_F(TreeView, ADoubleClickTellsTheParentThenToggles) {
  ClickAt(19 + 2, 5);
  ClickAt(19 + 2, 5);  // within the double-click time and rectangle
  std::vector<UINT> codes;
  for (const Told& t : g_told) codes.push_back(t.code);
  EXPECT_EQ(codes, (std::vector<UINT>{TVN_SELCHANGING, TVN_SELCHANGED, NM_CLICK, NM_DBLCLK, TVN_ITEMEXPANDING,
                                      TVN_ITEMEXPANDED}));
  EXPECT_EQ(State(a_) & TVIS_EXPANDED, static_cast<UINT>(TVIS_EXPANDED));
  g_answers[NM_DBLCLK] = 1;
  sandbox::AdvanceClock(1000);
  ClickAt(19 + 2, 5);
  ClickAt(19 + 2, 5);
  EXPECT_EQ(State(a_) & TVIS_EXPANDED, static_cast<UINT>(TVIS_EXPANDED)) << "the parent took it";
}

TEST_F(TreeView, KeysMoveTheCaretAndExpand) {
  SetFocus(tree_);
  const struct {
    int key;
    HTREEITEM TreeView::*caret;
    bool aExpanded;
  } rows[] = {
      {VK_DOWN, &TreeView::a_, false},  // no caret yet: the first row
      {VK_RIGHT, &TreeView::a_, true},  {VK_RIGHT, &TreeView::a1_, true}, {VK_DOWN, &TreeView::a2_, true},
      {VK_LEFT, &TreeView::a_, true},   {VK_LEFT, &TreeView::a_, false},  {VK_END, &TreeView::c_, false},
      {VK_UP, &TreeView::b_, false},    {VK_HOME, &TreeView::a_, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.key);
    sandbox::TypeKey(row.key);
    Pump();
    EXPECT_EQ(Next(TVGN_CARET), this->*row.caret);
    EXPECT_EQ((State(a_) & TVIS_EXPANDED) != 0, row.aExpanded);
  }
  EXPECT_EQ(g_told.back().action, static_cast<UINT>(TVC_BYKEYBOARD));
}

TEST_F(TreeView, ALabelEditAsksTheUserAndKeepsTheTextOnlyWhenTheParentAgrees) {
  const struct {
    const char* name;
    bool queued;
    int result;
    const char* typed;
    LRESULT beginAnswer, endAnswer;
    std::vector<UINT> told;
    const char* edited;  // TVN_ENDLABELEDIT's text
    const char* text;    // the item's text after
  } rows[] = {
      {.name = "entered, kept", .queued = true, .result = IDOK, .typed = "Apple", .beginAnswer = 0, .endAnswer = TRUE,
       .told = {TVN_BEGINLABELEDIT, TVN_ENDLABELEDIT}, .edited = "Apple", .text = "Apple"},
      {.name = "entered, refused", .queued = true, .result = IDOK, .typed = "Pear", .beginAnswer = 0, .endAnswer = 0,
       .told = {TVN_BEGINLABELEDIT, TVN_ENDLABELEDIT}, .edited = "Pear", .text = "B"},
      {.name = "cancelled", .queued = true, .result = IDCANCEL, .typed = "", .beginAnswer = 0, .endAnswer = TRUE,
       .told = {TVN_BEGINLABELEDIT, TVN_ENDLABELEDIT}, .edited = "(null)", .text = "B"},
      {.name = "nobody answers", .queued = false, .result = 0, .typed = "", .beginAnswer = 0, .endAnswer = TRUE,
       .told = {TVN_BEGINLABELEDIT, TVN_ENDLABELEDIT}, .edited = "(null)", .text = "B"},
      {.name = "the parent refuses the edit", .queued = false, .result = 0, .typed = "", .beginAnswer = TRUE,
       .endAnswer = TRUE, .told = {TVN_BEGINLABELEDIT}, .edited = "", .text = "B"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    SetUp();
    g_answers[TVN_BEGINLABELEDIT] = row.beginAnswer;
    g_answers[TVN_ENDLABELEDIT] = row.endAnswer;
    g_editedText.clear();
    sandbox::ClearModals();
    if (row.queued) sandbox::QueueAnswer("LabelEdit", {row.result, row.typed});
    EXPECT_EQ(Send(TVM_EDITLABEL, 0, b_), 0) << "no edit control outlives the call";
    std::vector<UINT> codes;
    for (const Told& t : g_told) codes.push_back(t.code);
    EXPECT_EQ(codes, row.told);
    EXPECT_EQ(g_editedText, row.edited);
    EXPECT_EQ(Text(b_), row.text);
    const auto modals = sandbox::Modals();
    ASSERT_EQ(modals.size(), row.beginAnswer ? 0u : 1u);
    if (!modals.empty()) {
      EXPECT_EQ(modals[0].kind, "LabelEdit");
      EXPECT_EQ(modals[0].text, "B");
    }
    DestroyWindow(parent_);
  }
}

TEST_F(TreeView, AClickOnTheCaretsLabelEditsItAfterTheDoubleClickTime) {
  g_answers[TVN_ENDLABELEDIT] = TRUE;
  ClickAt(19 + 2, 16 + 5);  // B becomes the caret: no edit
  sandbox::AdvanceClock(1000);
  Pump();
  EXPECT_TRUE(sandbox::Modals().empty());
  sandbox::QueueAnswer("LabelEdit", {IDOK, "Berry"});
  ClickAt(19 + 2, 16 + 5);  // the caret's label, in a focused tree
  EXPECT_TRUE(sandbox::Modals().empty()) << "not before the double-click time";
  sandbox::AdvanceClock(500);
  Pump();
  EXPECT_EQ(Text(b_), "Berry");
  // A double-click in between cancels the edit.
  sandbox::AdvanceClock(1000);
  ClickAt(19 + 2, 16 + 5);
  ClickAt(19 + 2, 16 + 5);
  sandbox::AdvanceClock(1000);
  Pump();
  EXPECT_EQ(sandbox::Modals().size(), 1u);
}

int CALLBACK ByDataDescending(LPARAM a, LPARAM b, LPARAM sign) { return static_cast<int>((b - a) * sign); }

TEST_F(TreeView, SortingOrdersChildrenByCallbackOrText) {
  const HTREEITEM d = Insert(TVI_ROOT, "d", TVI_LAST, 1);
  Insert(TVI_ROOT, "b2", TVI_SORT, 3);  // after "B", case-insensitive
  TVITEM data{TVIF_PARAM, a_, 0, 0, nullptr, 0, 0, 0, 0, 2};
  SendMessage(tree_, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&data));
  EXPECT_EQ(Shown(), (std::vector<std::string>{"A", "B", "b2", "C", "d"}));
  TVSORTCB sort{TVI_ROOT, ByDataDescending, 1};
  EXPECT_TRUE(SendMessage(tree_, TVM_SORTCHILDRENCB, FALSE, reinterpret_cast<LPARAM>(&sort)));
  // Data: b2 3, A 2, d 1, B and C 0 in their order (a stable sort).
  EXPECT_EQ(Shown(), (std::vector<std::string>{"b2", "A", "d", "B", "C"}));
  EXPECT_TRUE(Send(TVM_SORTCHILDREN, FALSE, TVI_ROOT));
  EXPECT_EQ(Shown(), (std::vector<std::string>{"A", "B", "b2", "C", "d"}));
  EXPECT_EQ(Next(TVGN_LASTVISIBLE), d);
}

TEST_F(TreeView, TheSelectionIsHighlightedWhileFocusedOrWithShowSelAlways) {
  Send(TVM_SELECTITEM, TVGN_CARET, b_);
  const struct {
    const char* name;
    bool focused, showSelAlways;
    COLORREF label;
  } rows[] = {
      {.name = "focused", .focused = true, .showSelAlways = false, .label = GetSysColor(COLOR_HIGHLIGHT)},
      {.name = "not focused", .focused = false, .showSelAlways = false, .label = GetSysColor(COLOR_WINDOW)},
      {.name = "not focused, always shown", .focused = false, .showSelAlways = true,
       .label = GetSysColor(COLOR_BTNFACE)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    SetFocus(row.focused ? tree_ : parent_);
    const LONG style = GetWindowLong(tree_, GWL_STYLE);
    SetWindowLong(tree_, GWL_STYLE, row.showSelAlways ? style | TVS_SHOWSELALWAYS : style & ~TVS_SHOWSELALWAYS);
    const sandbox::Picture picture = sandbox::WindowPicture(parent_);
    EXPECT_EQ(picture.At(19 + 1, 16 + 1), row.label) << "inside B's label";
    EXPECT_EQ(picture.At(19 + 1, 1), GetSysColor(COLOR_WINDOW)) << "A is not selected";
    EXPECT_EQ(picture.At(5, 4), GetSysColor(COLOR_BTNSHADOW)) << "A's button, a 9 x 9 box";
  }
}

}  // namespace
