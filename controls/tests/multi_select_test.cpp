// CtqTreeCtrl with multi-selection switched on: SetItemState's caret and selection rules with
// vetoes, Shift and Ctrl with clicks and arrows, what a collapse does to the selection, and the
// rubber band.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tree_fixture.h"

namespace {

using sandbox::MouseButton;
using tree_testing::CTestNode;
using tree_testing::CTestTree;
using tree_testing::Pump;

class MultiSelect : public tree_testing::TreeTest<CTestTree> {
 public:  // the rows of the tables act through the fixture
  void SetUp() override {
    TreeTest::SetUp();
    Subclass();
    for (int i = 0; i < 14; ++i) items_.push_back(Add(("I" + std::to_string(i)).c_str(), static_cast<DWORD_PTR>(i)));
    tree_.SetMultiSelect(true);
    parent_.Take();
  }
  HTREEITEM Item(int i) { return items_[static_cast<size_t>(i)]->GetHandle(); }
  // The caret and the selected items, as "I2 {I1 I2}" ("-" for no caret).
  std::string Selection() {
    const HTREEITEM caret = tree_.GetSelectedItem();
    std::string text = caret != NULL ? static_cast<LPCTSTR>(tree_.GetItemText(caret)) : "-";
    text += " {";
    std::string inside;
    for (HTREEITEM h = tree_.CTreeCtrl::GetRootItem(); h != NULL; h = tree_.GetNextVisibleItem(h))
      if (tree_.IsSelected(h)) inside += (inside.empty() ? "" : " ") + std::string(tree_.GetItemText(h));
    return text + inside + "}";
  }
  // Sets the caret (-1: none) and the selected items natively, without the control's rules.
  void Start(int caret, std::vector<int> selected) {
    tree_.CTreeCtrl::SelectItem(caret >= 0 ? Item(caret) : NULL);
    for (size_t i = 0; i < items_.size(); ++i) tree_.CTreeCtrl::SetItemState(Item(static_cast<int>(i)), 0, TVIS_SELECTED);
    for (int i : selected) tree_.CTreeCtrl::SetItemState(Item(i), TVIS_SELECTED, TVIS_SELECTED);
    parent_.Take();
  }
  // A click on the label of row `row` with the keys held.
  void ClickRow(int row, std::vector<int> keys = {}) {
    sandbox::AdvanceClock(1000);  // never a double-click
    for (int key : keys) sandbox::PressKey(key);
    ClickAt(6 + 8, row * 16 + 5);
    for (int key : keys) sandbox::ReleaseKey(key);
    Pump();
  }

  std::vector<CTestNode*> items_;
};

TEST_F(MultiSelect, SetItemStateKeepsCaretAndSelectionApartAndHonoursVetoes) {
  const std::vector<std::string> native = {"TVN_SELCHANGING", "TVN_SELCHANGED"};
  const std::vector<std::string> both = {"TVN_SELCHANGING", "TVN_SELCHANGED", "TVN_SELCHANGING", "TVN_SELCHANGED"};
  const struct {
    const char* name;
    int caret;
    std::vector<int> selected;
    int item;
    UINT state, mask;
    bool veto;  // the parent vetoes TVN_SELCHANGING
    BOOL result;
    const char* after;
    std::vector<std::string> told;
  } rows[] = {
      {.name = "caret and selected", .caret = -1, .selected = {}, .item = 1, .state = TVIS_SELECTED | TVIS_FOCUSED,
       .mask = TVIS_SELECTED | TVIS_FOCUSED, .veto = false, .result = TRUE, .after = "I1 {I1}", .told = native},
      {.name = "caret only: a selected caret elsewhere stays selected, the new one is not", .caret = 1,
       .selected = {1}, .item = 3, .state = TVIS_FOCUSED, .mask = TVIS_FOCUSED, .veto = false, .result = TRUE,
       .after = "I3 {I1}",
       .told = {"TVN_SELCHANGING", "TVN_SELCHANGED", "TVN_SELCHANGING", "TVN_SELCHANGED", "TVN_SELCHANGING",
                "TVN_SELCHANGED"}},
      {.name = "no longer the caret: the selection stays", .caret = 1, .selected = {1}, .item = 1, .state = 0,
       .mask = TVIS_FOCUSED, .veto = false, .result = TRUE, .after = "- {I1}", .told = native},
      {.name = "no longer the caret but selected, not selected before", .caret = 1, .selected = {}, .item = 1,
       .state = TVIS_SELECTED, .mask = TVIS_SELECTED | TVIS_FOCUSED, .veto = false, .result = TRUE, .after = "- {I1}",
       .told = both},
      {.name = "selected beside the caret", .caret = 1, .selected = {1}, .item = 2, .state = TVIS_SELECTED,
       .mask = TVIS_SELECTED, .veto = false, .result = TRUE, .after = "I1 {I1 I2}", .told = native},
      {.name = "a vetoed selection", .caret = 1, .selected = {1}, .item = 2, .state = TVIS_SELECTED,
       .mask = TVIS_SELECTED, .veto = true, .result = FALSE, .after = "I1 {I1}", .told = {"TVN_SELCHANGING"}},
      {.name = "deselected", .caret = 1, .selected = {1, 2}, .item = 2, .state = 0, .mask = TVIS_SELECTED,
       .veto = false, .result = TRUE, .after = "I1 {I1}", .told = native},
      {.name = "a vetoed caret move", .caret = 1, .selected = {1}, .item = 2, .state = TVIS_FOCUSED,
       .mask = TVIS_FOCUSED, .veto = true, .result = FALSE, .after = "I1 {I1}",
       .told = {"TVN_SELCHANGING", "TVN_SELCHANGING"}},
      {.name = "other bits only", .caret = 1, .selected = {1}, .item = 2, .state = TVIS_BOLD, .mask = TVIS_BOLD,
       .veto = false, .result = TRUE, .after = "I1 {I1}", .told = {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Start(row.caret, row.selected);
    if (row.veto) parent_.m_vetoes[TVN_SELCHANGING] = TRUE;
    EXPECT_EQ(tree_.SetItemState(Item(row.item), row.state, row.mask), row.result);
    parent_.m_vetoes.clear();
    EXPECT_EQ(Selection(), row.after);
    EXPECT_EQ(parent_.Take(), row.told);
  }
  EXPECT_NE(tree_.CTreeCtrl::GetItemState(Item(2), TVIS_BOLD), 0u);
}

TEST_F(MultiSelect, ShiftAndCtrlExtendTheSelectionFromTheAnchorWithClicksAndArrows) {
  tree_.SetFocus();
  const struct {
    const char* name;
    std::vector<int> keys;
    int row;     // a click on this row, or -1 for the key below
    int arrow;   // VK_UP or VK_DOWN with the keys held
    const char* after;
  } steps[] = {
      {.name = "click", .keys = {}, .row = 2, .arrow = 0, .after = "I2 {I2}"},
      {.name = "Ctrl-click adds", .keys = {VK_CONTROL}, .row = 4, .arrow = 0, .after = "I2 {I2 I4}"},
      {.name = "Shift-click: from the caret", .keys = {VK_SHIFT}, .row = 6, .arrow = 0, .after = "I2 {I2 I3 I4 I5 I6}"},
      {.name = "Shift-click again keeps the anchor", .keys = {VK_SHIFT}, .row = 3, .arrow = 0, .after = "I2 {I2 I3}"},
      {.name = "Ctrl-Shift-click keeps the others", .keys = {VK_CONTROL, VK_SHIFT}, .row = 0, .arrow = 0,
       .after = "I2 {I0 I1 I2 I3}"},
      {.name = "Ctrl-click takes one away", .keys = {VK_CONTROL}, .row = 1, .arrow = 0, .after = "I2 {I0 I2 I3}"},
      {.name = "a plain click starts again", .keys = {}, .row = 5, .arrow = 0, .after = "I5 {I5}"},
      {.name = "Shift-Down", .keys = {VK_SHIFT}, .row = -1, .arrow = VK_DOWN, .after = "I5 {I5 I6}"},
      {.name = "Shift-Down again", .keys = {VK_SHIFT}, .row = -1, .arrow = VK_DOWN, .after = "I5 {I5 I6 I7}"},
      {.name = "Shift-Up", .keys = {VK_SHIFT}, .row = -1, .arrow = VK_UP, .after = "I5 {I5 I6}"},
      {.name = "Down alone moves the caret", .keys = {}, .row = -1, .arrow = VK_DOWN, .after = "I6 {I6}"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    if (step.row >= 0) {
      ClickRow(step.row, step.keys);
    } else {
      for (int key : step.keys) sandbox::PressKey(key);
      sandbox::TypeKey(step.arrow);
      for (int key : step.keys) sandbox::ReleaseKey(key);
      Pump();
    }
    EXPECT_EQ(Selection(), step.after);
  }
}

TEST_F(MultiSelect, APressOnAnItemEndsAsAClickOrADrag) {
  tree_.m_offerData = false;  // a drag stops at the notification
  const struct {
    const char* name;
    int moveBy;  // how far the pointer moves while the button is down; 0: it is released
    bool noDrag;  // TVS_DISABLEDRAGDROP
    std::vector<std::string> told;
  } rows[] = {
      {.name = "released: a click", .moveBy = 0, .noDrag = false,
       .told = {"TVN_SELCHANGING", "TVN_SELCHANGED", "NM_CLICK"}},
      {.name = "within the drag distance, then released", .moveBy = 4, .noDrag = false,
       .told = {"TVN_SELCHANGING", "TVN_SELCHANGED", "NM_CLICK"}},
      // A drag selects the item again, which is told again.
      {.name = "moved beyond it: a drag", .moveBy = 5, .noDrag = false,
       .told = {"TVN_SELCHANGING", "TVN_SELCHANGED", "TVN_SELCHANGING", "TVN_SELCHANGED", "TVN_BEGINDRAG"}},
      {.name = "a drag where dragging is off", .moveBy = 5, .noDrag = true,
       .told = {"TVN_SELCHANGING", "TVN_SELCHANGED", "TVN_SELCHANGING", "TVN_SELCHANGED"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Start(-1, {});
    tree_.ModifyStyle(row.noDrag ? 0 : TVS_DISABLEDRAGDROP, row.noDrag ? TVS_DISABLEDRAGDROP : 0);
    sandbox::AdvanceClock(1000);
    const CPoint press(14, 3 * 16 + 5);
    if (row.moveBy > 0)
      sandbox::QueueAnswer("Capture", {0, "", [&](void*) { sandbox::MovePointer(press.x + row.moveBy, press.y); }});
    if (row.moveBy < 5)
      sandbox::QueueAnswer("Capture", {0, "", [](void*) { sandbox::ReleaseButton(MouseButton::kLeft); }});
    sandbox::MovePointer(press.x, press.y);
    sandbox::PressButton(MouseButton::kLeft);
    Pump();
    EXPECT_EQ(sandbox::PendingAnswers(), 0u);
    EXPECT_EQ(parent_.Take(), row.told);
    EXPECT_EQ(Selection(), "I3 {I3}");
    EXPECT_EQ(GetCapture(), nullptr);
    if (row.moveBy >= 5) {
      sandbox::ReleaseButton(MouseButton::kLeft);
      Pump();
    }
  }
}

TEST_F(MultiSelect, ACollapseDeselectsWhatItHidesAndClearsAHiddenCaret) {
  const struct {
    const char* name;
    bool parentSelected;
    const char* after;
  } rows[] = {
      {.name = "the collapsing item unselected", .parentSelected = false, .after = "- {}"},
      {.name = "the collapsing item selected: the caret comes to it", .parentSelected = true, .after = "P {P}"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    tree_.DeleteAllNodes();
    CTestNode* p = Add("P", 100);
    CTestNode* c1 = Add("C1", 101, p);
    CTestNode* c2 = Add("C2", 102, p);
    CTestNode* c2a = Add("C2a", 103, c2);
    tree_.Expand(p->GetHandle(), TVE_EXPAND);
    tree_.Expand(c2->GetHandle(), TVE_EXPAND);
    tree_.CTreeCtrl::SelectItem(c2a->GetHandle());
    tree_.CTreeCtrl::SetItemState(c1->GetHandle(), TVIS_SELECTED, TVIS_SELECTED);
    tree_.CTreeCtrl::SetItemState(p->GetHandle(), row.parentSelected ? TVIS_SELECTED : 0, TVIS_SELECTED);
    // The user's collapse (P's button, in its indent cell [0, 8)) is always notified.
    sandbox::AdvanceClock(1000);
    ClickAt(4, 8);
    EXPECT_EQ(tree_.GetItemState(p->GetHandle(), TVIS_EXPANDED), 0u);
    EXPECT_EQ(Selection(), row.after);
    EXPECT_FALSE(tree_.IsSelected(c2a->GetHandle()));
  }
}

TEST_F(MultiSelect, TheRubberBandSelectsWhatItCoversAndCtrlRestoresWhenItMovesAway) {
  // Rows are 16 high and the whole row counts; a press right of the labels starts the band.
  Start(1, {1, 3});
  std::vector<std::string> seen;
  sandbox::QueueAnswer("Capture", {0, "", [](void*) { sandbox::MovePointer(120, 40); }});  // rows 0 to 2
  sandbox::QueueAnswer("Capture", {0, "", [&](void*) {
                                     seen.push_back(Selection());
                                     sandbox::MovePointer(120, 10);  // row 0 only
                                   }});
  sandbox::QueueAnswer("Capture", {0, "", [&](void*) {
                                     seen.push_back(Selection());
                                     sandbox::ReleaseButton(MouseButton::kLeft);
                                   }});
  sandbox::PressKey(VK_CONTROL);
  sandbox::MovePointer(150, 5);
  sandbox::PressButton(MouseButton::kLeft);
  Pump();
  sandbox::ReleaseKey(VK_CONTROL);
  Pump();
  // Under the band I0 and I2 join and I1, selected before, goes; moved away, I1 comes back.
  EXPECT_EQ(seen, (std::vector<std::string>{"I1 {I0 I2 I3}", "I1 {I0 I1 I3}"}));
  EXPECT_EQ(Selection(), "I1 {I0 I1 I3}");
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(parent_.Take().back(), "NM_CLICK");

  // Without keys the band starts from nothing.
  sandbox::AdvanceClock(1000);
  sandbox::QueueAnswer("Capture", {0, "", [](void*) {
                                     sandbox::MovePointer(120, 20);
                                     sandbox::ReleaseButton(MouseButton::kLeft);
                                   }});
  sandbox::MovePointer(150, 5);
  sandbox::PressButton(MouseButton::kLeft);
  Pump();
  EXPECT_EQ(Selection(), "I1 {I0 I1}");

  // A press that never becomes a band deselects everything.
  sandbox::AdvanceClock(1000);
  ClickAt(150, 5);
  EXPECT_EQ(Selection(), "I1 {}");
}

TEST_F(MultiSelect, TheBandScrollsWhileThePointerRestsOutsideAndEscapeDropsEverything) {
  Start(-1, {});
  sandbox::QueueAnswer("Capture", {0, "", [](void*) { sandbox::MovePointer(120, 170); }});  // below the tree
  sandbox::QueueAnswer("Capture", {0, "", [](void*) { sandbox::AdvanceClock(75); }});    // resting there
  sandbox::QueueAnswer("Capture", {0, "", [&](void*) {
                                     EXPECT_GE(tree_.GetScrollPos(SB_VERT), 2) << "a line per move and per tick";
                                     EXPECT_TRUE(tree_.IsSelected(Item(6))) << "the band's start";
                                     EXPECT_TRUE(tree_.IsSelected(Item(12))) << "scrolled into the band";
                                     EXPECT_FALSE(tree_.IsSelected(Item(5)));
                                     sandbox::TypeKey(VK_ESCAPE);
                                   }});
  sandbox::MovePointer(150, 100);  // row 6
  sandbox::PressButton(MouseButton::kLeft);
  Pump();
  EXPECT_EQ(Selection(), "- {}") << "Escape deselected everything";
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(sandbox::PendingAnswers(), 0u);
  sandbox::ReleaseButton(MouseButton::kLeft);
  Pump();
}

}  // namespace
