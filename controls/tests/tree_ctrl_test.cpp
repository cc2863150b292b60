// CtqTreeCtrl in single-selection mode (as every tree of this system runs): node ownership, the
// order of top-level insertion, clicks, keys and label edits as the native control behaves, the
// right button, context menus, tooltips, and the drop target and drag source.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sandbox/comctl32.h"
#include "sandbox/window_manager.h"
#include "tree_fixture.h"

namespace {

using sandbox::MouseButton;
using tree_testing::CTestNode;
using tree_testing::CTestTree;
using tree_testing::Nodes;
using tree_testing::Pump;

class TreeCtrl : public tree_testing::TreeTest<CTestTree> {
 protected:
  void SetUp() override {
    TreeTest::SetUp();
    Subclass();
    // A (A1, A2 (A2x)), B; rows 0 and 1 while nothing is expanded.
    a_ = Add("A", 1);
    a1_ = Add("A1", 11, a_);
    a2_ = Add("A2", 12, a_);
    a2x_ = Add("A2x", 121, a2_);
    b_ = Add("B", 2);
    parent_.Take();
  }
  // The point on a root item's label in row `row` (root labels start at the indent, 8).
  static CPoint Label(int row) { return CPoint(8 + 3, row * 16 + 5); }

  CTestNode *a_ = nullptr, *a1_ = nullptr, *a2_ = nullptr, *a2x_ = nullptr, *b_ = nullptr;
};

TEST_F(TreeCtrl, SubclassingAndCreatingSetTheControlUp) {
  const DWORD styles = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                       TVS_EDITLABELS | TVS_SHOWSELALWAYS;
  EXPECT_EQ(tree_.GetStyle() & styles, styles);
  EXPECT_EQ(tree_.GetIndent(), 8u);
  EXPECT_EQ(::RegisterDragDrop(tree_.m_hWnd, &tree_), DRAGDROP_E_ALREADYREGISTERED) << "registered as drop target";
  EXPECT_EQ(tree_.GetRefCount(), 2u) << "OLE holds the target";

  CTestTree created;
  ASSERT_TRUE(created.Create(WS_CHILD, CRect(0, 0, 100, 100), &parent_, 8));
  EXPECT_TRUE(created.IsKindOf(RUNTIME_CLASS(CtqTreeCtrl)));
  EXPECT_EQ(created.GetStyle() & styles, styles);
  EXPECT_EQ(created.GetIndent(), 8u);
  created.DestroyWindow();
  EXPECT_EQ(created.GetRefCount(), 1u) << "revoked at WM_DESTROY";
  std::unique_ptr<CObject> dynamic(RUNTIME_CLASS(CtqTreeCtrl)->CreateObject());
  EXPECT_NE(dynamic, nullptr);
}

TEST_F(TreeCtrl, TheTreeOwnsItsNodesAndRemovesThemChildrenFirst) {
  EXPECT_EQ(Nodes().alive, 5);
  // A node that cannot be inserted stays its caller's.
  CTestNode stray(&tree_, "stray", 9);
  CtqTreeItem gone(&tree_, reinterpret_cast<HTREEITEM>(0x1));
  EXPECT_FALSE(tree_.InsertNode(&stray, gone, false));
  EXPECT_EQ(tree_.GetNode(stray.GetHandle()), nullptr);

  // The subtrees below A leave the map children first, and the current item among them is
  // forgotten with its node.
  tree_.SetCurrentItem(a2x_->GetHandle());
  tree_.m_nodeMap.RemoveChildren(a_->GetHandle());
  EXPECT_EQ(tree_.m_deleted, (std::vector<DWORD_PTR>{11, 121, 12}));
  EXPECT_EQ(tree_.GetCurrentItem(), nullptr);
  EXPECT_EQ(Nodes().alive, 3);

  tree_.SetCurrentItem(b_->GetHandle());
  tree_.DeleteAllNodes();
  EXPECT_EQ(tree_.m_deleted, (std::vector<DWORD_PTR>{11, 121, 12, 1, 2}));
  EXPECT_EQ(Nodes().alive, 1) << "only the stray one";
  EXPECT_EQ(tree_.GetCount(), 0u);
  EXPECT_EQ(tree_.GetCurrentItem(), nullptr);
  EXPECT_EQ(tree_.GetCurrentNode(), nullptr);
}

TEST_F(TreeCtrl, TopLevelNodesGoAfterTheFirstRootItem) {
  tree_.DeleteAllNodes();
  for (const char* text : {"A", "B", "C"}) EXPECT_TRUE(tree_.InsertTopLevelNode(new CTestNode(&tree_, text, 0)));
  EXPECT_EQ(Shown(), (std::vector<std::string>{"A", "C", "B"}));
}

TEST_F(TreeCtrl, NodesWithEqualDataAreTheirOwnItems) {
  // Categories and vendors all carry 0: the walk over selected nodes must still move on.
  tree_.DeleteAllNodes();
  CTestNode* first = Add("first", 0);
  CTestNode* second = Add("second", 0);
  for (CTestNode* node : {first, second}) tree_.CTreeCtrl::SetItemState(node->GetHandle(), TVIS_SELECTED, TVIS_SELECTED);
  EXPECT_EQ(tree_.GetItemOfNode(second), second->GetHandle());
  std::vector<CtqTreeNode*> walked;
  for (CtqTreeNode* node = tree_.GetFirstSelectedNode(); node != nullptr && walked.size() < 5;
       node = tree_.GetNextSelectedNode(node))
    walked.push_back(node);
  EXPECT_EQ(walked, (std::vector<CtqTreeNode*>{first, second}));
  // A probe is found by equality, the first in handle order.
  EXPECT_EQ(tree_.FindNodeByData(0), first);
  CTestNode probe(&tree_, "probe", 0);
  EXPECT_EQ(tree_.GetItemOfNode(&probe), first->GetHandle());
  EXPECT_EQ(tree_.FindNodeByData(77), nullptr);
}

TEST_F(TreeCtrl, AnItemsStateReadIsNeverWrittenBackAndACopyKeepsItsOwnText) {
  tree_.Expand(a_->GetHandle(), TVE_EXPAND);
  EXPECT_NE(a_->GetState(true) & TVIS_EXPANDED, 0u);
  tree_.Expand(a_->GetHandle(), TVE_COLLAPSE);
  a_->SetImage(3, true);  // sends the record again
  EXPECT_EQ(tree_.GetItemState(a_->GetHandle(), TVIS_EXPANDED), 0u) << "the old state came back";
  int image = 0, selected = 0;
  tree_.GetItemImage(a_->GetHandle(), image, selected);
  EXPECT_EQ(image, 3);

  CtqTreeItem copy(*a_);
  a_->SetText("changed");
  EXPECT_STREQ(copy.GetText(), "A");
  EXPECT_NE(copy.GetRecord().pszText, a_->GetRecord().pszText);
  EXPECT_STREQ(CtqTreeItem(*b_).GetText(true), "B") << "read from the control";
}

TEST_F(TreeCtrl, ClicksAndKeysBehaveAsTheNativeControlsAndMoveTheCurrentItem) {
  ClickAt(Label(1).x, Label(1).y);
  EXPECT_EQ(parent_.Take(), (std::vector<std::string>{"TVN_SELCHANGING", "TVN_SELCHANGED", "NM_CLICK"}));
  EXPECT_EQ(tree_.GetCurrentItem(), b_->GetHandle());
  EXPECT_EQ(tree_.GetCurrentNode(), b_);
  sandbox::TypeKey(VK_UP);
  Pump();
  EXPECT_EQ(tree_.GetCurrentItem(), a_->GetHandle());
  sandbox::TypeKey(VK_RIGHT);
  sandbox::TypeKey(VK_DOWN);
  Pump();
  EXPECT_EQ(tree_.GetCurrentNode(), a1_);
  EXPECT_FALSE(tree_.IsMultiSelect());
}

TEST_F(TreeCtrl, ALabelEditChangesNothingUnlessTheNodeDoes) {
  const struct {
    const char* name;
    BOOL canEdit;
    bool takeEdits;
    bool asked;
    const char* text;
  } rows[] = {
      {.name = "the node takes the text", .canEdit = TRUE, .takeEdits = true, .asked = true, .text = "Bee"},
      {.name = "the node leaves it", .canEdit = TRUE, .takeEdits = false, .asked = true, .text = "B"},
      {.name = "no edit allowed", .canEdit = FALSE, .takeEdits = true, .asked = false, .text = "B"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    b_->SetText("B", true);
    tree_.m_edited.clear();
    tree_.m_canEdit = row.canEdit;
    tree_.m_takeEdits = row.takeEdits;
    sandbox::ClearModals();
    tree_.SelectItem(b_->GetHandle());
    tree_.SetFocus();
    if (row.asked) sandbox::QueueAnswer("LabelEdit", {IDOK, "Bee"});
    sandbox::TypeKey(VK_F2);
    Pump();
    EXPECT_EQ(sandbox::Modals().size(), row.asked ? 1u : 0u);
    EXPECT_EQ(tree_.m_edited, row.asked ? std::vector<std::string>{"Bee"} : std::vector<std::string>{});
    EXPECT_EQ(std::string(tree_.GetItemText(b_->GetHandle())), row.text);
  }
}

TEST_F(TreeCtrl, ADoubleClickExpandsOnlyWhenTheNodeLetsIt) {
  const struct {
    const char* name;
    bool expands;
    std::vector<std::string> told;
  } rows[] = {
      {.name = "the node lets the tree expand", .expands = true,
       .told = {"NM_DBLCLK", "TVN_ITEMEXPANDING", "TVN_ITEMEXPANDED"}},
      {.name = "the node stops it", .expands = false, .told = {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    tree_.Expand(a_->GetHandle(), TVE_COLLAPSE);
    a_->m_doubleClickExpands = row.expands;
    sandbox::AdvanceClock(1000);
    ClickAt(Label(0).x, Label(0).y);
    parent_.Take();
    ClickAt(Label(0).x, Label(0).y);  // the double-click
    EXPECT_EQ(parent_.Take(), row.told);
    EXPECT_EQ(tree_.GetItemState(a_->GetHandle(), TVIS_EXPANDED) != 0, row.expands);
    EXPECT_EQ(tree_.GetCurrentNode(), a_);
  }
}

TEST_F(TreeCtrl, MenuEntriesTakeTheirStateFromTheCurrentNodeDownIntoSubmenus) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDM_NODE));
  CMenu* popup = menu.GetSubMenu(0);
  const auto disabled = [&](UINT id) { return (popup->GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED) != 0; };
  a_->m_enabledCommand = ID_DEEP;
  tree_.SetCurrentItem(a_->GetHandle());
  tree_.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup->m_hMenu), 0);
  EXPECT_FALSE(disabled(ID_DEEP)) << "the node enables the entry of the submenu";
  EXPECT_TRUE(disabled(ID_OPEN)) << "disabled unless the node says otherwise";
  EXPECT_TRUE(disabled(ID_PLAIN));
  EXPECT_EQ(popup->GetMenuState(1, MF_BYPOSITION) & MF_GRAYED, 0u) << "the separator is left alone";

  a_->m_enabledCommand = ID_PLAIN;
  tree_.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup->m_hMenu), 0);
  EXPECT_TRUE(disabled(ID_DEEP));
  EXPECT_FALSE(disabled(ID_PLAIN));
  menu.DestroyMenu();
}

TEST_F(TreeCtrl, TheRightButtonGivesOneContextMenuOrOneDrag) {
  a_->m_menuId = IDM_NODE;
  // Released inside: one menu, for the current item (the press only set the item's state bits).
  tree_.SetCurrentItem(a_->GetHandle());
  ClickAt(Label(1).x, Label(1).y, MouseButton::kRight);
  std::vector<sandbox::Modal> modals = sandbox::Modals();
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_EQ(modals[0].kind, "PopupMenu");
  EXPECT_EQ(tree_.GetCurrentItem(), a_->GetHandle());
  EXPECT_NE(tree_.GetItemState(b_->GetHandle(), TVIS_SELECTED | TVIS_FOCUSED), 0u);

  // Moved beyond the double-click rectangle (4 x 4) while held: one drag, no menu.
  sandbox::ClearModals();
  sandbox::AdvanceClock(1000);  // no double-click
  sandbox::MovePointer(Label(1).x, Label(1).y);
  sandbox::PressButton(MouseButton::kRight);
  Pump();
  sandbox::QueueAnswer("DragDrop", {0, "", [](void*) { sandbox::ReleaseButton(MouseButton::kRight); }});
  sandbox::MovePointer(Label(1).x + 3, Label(1).y);
  Pump();
  modals = sandbox::Modals();
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_EQ(modals[0].kind, "DragDrop");
  EXPECT_EQ(modals[0].style, static_cast<unsigned>(DROPEFFECT_COPY | DROPEFFECT_MOVE));
  EXPECT_EQ(tree_.m_data.Count(), 1u) << "the data object released once";
  Pump();
  EXPECT_EQ(sandbox::Modals().size(), 1u) << "and no menu after the drag";
}

TEST_F(TreeCtrl, ContextMenusShowOnlyWhatTheNodeOffersAndLeaveNoMenuBehind) {
  const size_t menusBefore = sandbox::LiveMenus();
  const struct {
    const char* name;
    bool current;
    bool hasMenu;
    UINT menuId;
    UINT enabled;
    int pick;  // the scripted user's choice
    bool shown;
    std::vector<std::string> commands;
  } rows[] = {
      {.name = "no current node", .current = false, .hasMenu = true, .menuId = IDM_NODE, .enabled = 0, .pick = 0,
       .shown = false, .commands = {}},
      {.name = "the node has none", .current = true, .hasMenu = false, .menuId = IDM_NODE, .enabled = 0, .pick = 0,
       .shown = false, .commands = {}},
      {.name = "id 0", .current = true, .hasMenu = true, .menuId = 0, .enabled = 0, .pick = 0, .shown = false,
       .commands = {}},
      {.name = "a missing resource", .current = true, .hasMenu = true, .menuId = 999, .enabled = 0, .pick = 0,
       .shown = false, .commands = {}},
      {.name = "a menu without a submenu", .current = true, .hasMenu = true, .menuId = IDM_FLAT, .enabled = 0,
       .pick = 0, .shown = false, .commands = {}},
      {.name = "an enabled pick", .current = true, .hasMenu = true, .menuId = IDM_NODE, .enabled = ID_PLAIN,
       .pick = ID_PLAIN, .shown = true, .commands = {"A 105"}},
      {.name = "nothing picked", .current = true, .hasMenu = true, .menuId = IDM_NODE, .enabled = ID_PLAIN, .pick = 0,
       .shown = true, .commands = {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::ClearModals();
    Nodes().commands.clear();
    a_->m_hasMenu = row.hasMenu;
    a_->m_menuId = row.menuId;
    a_->m_enabledCommand = row.enabled;
    tree_.SetCurrentItem(row.current ? a_->GetHandle() : NULL);
    if (row.shown) sandbox::QueueAnswer("PopupMenu", {row.pick});
    tree_.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree_.m_hWnd), MAKELPARAM(-1, -1));
    const std::vector<sandbox::Modal> modals = sandbox::Modals();
    ASSERT_EQ(modals.size(), row.shown ? 1u : 0u);
    if (row.shown) {
      // Owner-drawn, and disabled unless the node enables them; "More" follows its commands.
      EXPECT_EQ(modals[0].items,
                (std::vector<std::string>{"(owner-drawn) [grayed] [disabled]", "(owner-drawn)",
                                          "(owner-drawn) [grayed] [disabled] [checked]",
                                          "(owner-drawn) [grayed] [disabled]", "(owner-drawn) >",
                                          "(owner-drawn)"}));
    }
    EXPECT_EQ(Nodes().commands, row.commands);
    EXPECT_EQ(sandbox::LiveMenus(), menusBefore) << "no menu left alive";
  }
}

TEST_F(TreeCtrl, TheTooltipShowsEachNodesTextOnceAndGoesOverEmptySpace) {
  a_->m_tip = "Tip A";
  b_->m_tip = "Tip B";
  const auto moveTo = [](CPoint at) {
    sandbox::MovePointer(at.x, at.y);
    Pump();
  };
  const auto shownAfterDelay = [&]() {
    sandbox::AdvanceClock(500);
    Pump();
    return sandbox::ToolTipOf(tree_.m_toolTip.m_hWnd);
  };
  moveTo(Label(0));
  ASSERT_NE(tree_.m_toolTip.GetSafeHwnd(), nullptr) << "made on first use";
  sandbox::ToolTipView view = shownAfterDelay();
  EXPECT_TRUE(view.visible);
  EXPECT_EQ(view.text, "Tip A");
  // Back and forth over the same node: the tip stays as it is.
  moveTo(CPoint(Label(0).x + 2, Label(0).y));
  moveTo(Label(0));
  EXPECT_TRUE(sandbox::ToolTipOf(tree_.m_toolTip.m_hWnd).visible);
  // Another node: hidden, then shown with its text.
  moveTo(Label(1));
  EXPECT_FALSE(sandbox::ToolTipOf(tree_.m_toolTip.m_hWnd).visible);
  view = shownAfterDelay();
  EXPECT_TRUE(view.visible);
  EXPECT_EQ(view.text, "Tip B");
  // Empty space: hidden, and the node forgotten, so B shows again when the pointer comes back.
  moveTo(CPoint(150, 120));
  EXPECT_FALSE(sandbox::ToolTipOf(tree_.m_toolTip.m_hWnd).visible);
  moveTo(Label(1));
  EXPECT_TRUE(shownAfterDelay().visible);
  // An item without a node is empty space too.
  tree_.CTreeCtrl::InsertItem("bare");
  moveTo(Label(2));
  EXPECT_FALSE(sandbox::ToolTipOf(tree_.m_toolTip.m_hWnd).visible);
}

TEST_F(TreeCtrl, TheDropTargetAsksTheNodeAndHoldsTheDataOnlyWhileOver) {
  a_->m_dropEffect = DROPEFFECT_COPY;
  b_->m_dropEffect = DROPEFFECT_MOVE | DROPEFFECT_LINK;
  sandbox::testing::CountedDataObject data;
  const struct {
    const char* name;
    CPoint at;
    DWORD allowed;
    DWORD effect;
    CtqTreeNode* highlighted;
  } rows[] = {
      {.name = "over A", .at = Label(0), .allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE, .effect = DROPEFFECT_COPY,
       .highlighted = a_},
      {.name = "over B, masked by what is allowed", .at = Label(1), .allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE,
       .effect = DROPEFFECT_MOVE, .highlighted = b_},
      {.name = "over B, nothing it can do allowed", .at = Label(1), .allowed = DROPEFFECT_COPY,
       .effect = DROPEFFECT_NONE, .highlighted = nullptr},
      {.name = "over empty space", .at = CPoint(150, 120), .allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE,
       .effect = DROPEFFECT_NONE, .highlighted = nullptr},
  };
  IDropTarget* target = &tree_;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const POINTL pt{row.at.x, row.at.y};
    DWORD effect = row.allowed;
    EXPECT_EQ(target->DragEnter(&data, MK_LBUTTON, pt, &effect), S_OK);
    EXPECT_EQ(effect, row.effect);
    EXPECT_EQ(data.Count(), 2u) << "held while over the tree";
    EXPECT_EQ(tree_.GetDropHilightItem(), row.highlighted != nullptr ? row.highlighted->GetHandle() : nullptr);
    effect = row.allowed;
    EXPECT_EQ(target->DragOver(MK_LBUTTON, pt, &effect), S_OK);
    EXPECT_EQ(effect, row.effect);
    effect = row.allowed;
    EXPECT_EQ(target->Drop(&data, 0, pt, &effect), S_OK);
    EXPECT_EQ(effect, row.effect) << "the drop answers what the node would do";
    EXPECT_EQ(tree_.GetDropHilightItem(), nullptr);
    EXPECT_EQ(data.Count(), 1u) << "let go at the drop";
  }
  DWORD effect = DROPEFFECT_COPY;
  target->DragEnter(&data, MK_LBUTTON, POINTL{Label(0).x, Label(0).y}, &effect);
  target->DragLeave();
  EXPECT_EQ(data.Count(), 1u) << "let go when the drag leaves";
  EXPECT_EQ(tree_.GetDropHilightItem(), nullptr);
}

TEST_F(TreeCtrl, TheDragSourceAndTheComPartsAnswerAsDocumented) {
  IDropSource* source = &tree_;
  const struct {
    BOOL escape;
    DWORD keys;
    HRESULT answer;
  } decisions[] = {
      {TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL},
      {FALSE, 0, DRAGDROP_S_DROP},
      {FALSE, MK_SHIFT, DRAGDROP_S_DROP},
      {FALSE, MK_LBUTTON, S_OK},
      {FALSE, MK_RBUTTON, S_OK},
  };
  for (const auto& row : decisions) EXPECT_EQ(source->QueryContinueDrag(row.escape, row.keys), row.answer);
  EXPECT_EQ(source->GiveFeedback(DROPEFFECT_MOVE), DRAGDROP_S_USEDEFAULTCURSORS);

  const ULONG start = tree_.GetRefCount();
  void* part = nullptr;
  ASSERT_EQ(source->QueryInterface(IID_IDropTarget, &part), S_OK);
  EXPECT_EQ(part, static_cast<IDropTarget*>(&tree_));
  ASSERT_EQ(static_cast<IDropTarget*>(part)->QueryInterface(IID_IDropSource, &part), S_OK);
  EXPECT_EQ(part, static_cast<IDropSource*>(&tree_));
  ASSERT_EQ(source->QueryInterface(IID_IUnknown, &part), S_OK);
  EXPECT_EQ(part, static_cast<IUnknown*>(static_cast<CtqIUnknown*>(&tree_)));
  EXPECT_EQ(tree_.GetRefCount(), start + 3);
  part = reinterpret_cast<void*>(0xdeadbeef);
  EXPECT_EQ(source->QueryInterface(IID_IDataObject, &part), E_NOINTERFACE);
  EXPECT_EQ(part, nullptr);
  for (int i = 0; i < 3; ++i) source->Release();
  EXPECT_EQ(tree_.GetRefCount(), start) << "the window's owner keeps the object: no release deletes it";

  // A left drag of a node whose tree offers no data starts nothing.
  tree_.m_offerData = false;
  sandbox::MovePointer(Label(1).x, Label(1).y);
  sandbox::PressButton(MouseButton::kLeft);
  sandbox::QueueAnswer("Capture", {0, "", [&](void*) { sandbox::MovePointer(Label(1).x + 10, Label(1).y); }});
  Pump();
  EXPECT_EQ(parent_.Take(), (std::vector<std::string>{"TVN_SELCHANGING", "TVN_SELCHANGED", "TVN_BEGINDRAG"}));
  EXPECT_EQ(tree_.GetCurrentNode(), b_);
  for (const auto& modal : sandbox::Modals()) EXPECT_NE(modal.kind, "DragDrop");
  sandbox::ReleaseButton(MouseButton::kLeft);
  Pump();
}

}  // namespace
