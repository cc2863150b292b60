// CtqSelectableTreeCtrl: check marks that go down to the descendants and up through the ancestors,
// by a click on the mark, the space bar and double-clicks, with every item's image showing its
// node's state after every step, and a picture of the tree.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "sandbox/test_canvas.h"
#include "tree_fixture.h"

namespace {

using tree_testing::CCheckNode;
using tree_testing::CCheckTree;
using tree_testing::Pump;

class CheckTree : public tree_testing::TreeTest<CCheckTree> {
 public:  // the rows of the tables act through the fixture
  void SetUp() override {
    TreeTest::SetUp();
    Subclass();
    Build();
  }
  // Cat (X, Y, Z (Z1, Z2)), Other; Cat and Z expanded: rows Cat 0, X 1, Y 2, Z 3, Z1 4, Z2 5, Other 6.
  void Build() {
    cat_ = Add<CCheckNode>("Cat", 1);
    x_ = Add<CCheckNode>("X", 2, cat_);
    y_ = Add<CCheckNode>("Y", 3, cat_);
    z_ = Add<CCheckNode>("Z", 4, cat_);
    z1_ = Add<CCheckNode>("Z1", 5, z_);
    z2_ = Add<CCheckNode>("Z2", 6, z_);
    other_ = Add<CCheckNode>("Other", 7);
    tree_.Expand(cat_->GetHandle(), TVE_EXPAND);
    tree_.Expand(z_->GetHandle(), TVE_EXPAND);
  }
  std::vector<CCheckNode*> All() { return {cat_, x_, y_, z_, z1_, z2_, other_}; }
  // Every node's state in the order of All(), and a failure for each item whose image differs.
  std::vector<int> States() {
    std::vector<int> states;
    for (CCheckNode* node : All()) {
      int image = -1, selected = -1;
      tree_.GetItemImage(node->GetHandle(), image, selected);
      EXPECT_EQ(image, node->GetCheckState()) << node->m_name << "'s image";
      EXPECT_EQ(selected, node->GetCheckState()) << node->m_name << "'s selected image";
      states.push_back(node->GetCheckState());
    }
    return states;
  }
  // The point on the check mark (the image, 13 wide after the indent) of the item in `row` at
  // `depth`, or on its label.
  static CPoint Mark(int row, int depth) { return CPoint(8 * (depth + 1) + 6, row * 16 + 8); }
  static CPoint Label(int row, int depth) { return CPoint(8 * (depth + 1) + 13 + 4, row * 16 + 8); }
  void Click(CPoint at) {
    sandbox::AdvanceClock(1000);  // never a double-click with the click before
    ClickAt(at.x, at.y);
  }

  CCheckNode *cat_ = nullptr, *x_ = nullptr, *y_ = nullptr, *z_ = nullptr, *z1_ = nullptr, *z2_ = nullptr,
             *other_ = nullptr;
};

TEST_F(CheckTree, MarksGoDownToTheDescendantsAndUpThroughTheAncestors) {
  const struct {
    const char* name;
    std::function<void(CheckTree&)> act;
    std::vector<int> states;  // Cat, X, Y, Z, Z1, Z2, Other
  } steps[] = {
      {.name = "a click on X's mark", .act = [](CheckTree& t) { t.Click(Mark(1, 1)); },
       .states = {2, 1, 0, 0, 0, 0, 0}},
      {.name = "a click on Y's label changes nothing", .act = [](CheckTree& t) { t.Click(Label(2, 1)); },
       .states = {2, 1, 0, 0, 0, 0, 0}},
      {.name = "space on the caret (Y)",
       .act = [](CheckTree& t) {
         t.tree_.SetFocus();
         sandbox::TypeKey(VK_SPACE);
         Pump();
       },
       .states = {2, 1, 1, 0, 0, 0, 0}},
      {.name = "checking Z checks its children and Cat", .act = [](CheckTree& t) { t.Click(Mark(3, 1)); },
       .states = {1, 1, 1, 1, 1, 1, 0}},
      {.name = "unchecking Z2 makes Z and Cat mixed", .act = [](CheckTree& t) { t.Click(Mark(5, 2)); },
       .states = {2, 1, 1, 2, 1, 0, 0}},
      {.name = "toggling the mixed Cat unchecks everything below it", .act = [](CheckTree& t) { t.Click(Mark(0, 0)); },
       .states = {0, 0, 0, 0, 0, 0, 0}},
      {.name = "checking the last unchecked children",
       .act = [](CheckTree& t) {
         for (HTREEITEM h : {t.x_->GetHandle(), t.y_->GetHandle(), t.z1_->GetHandle()}) t.tree_.ToggleCheck(h);
         t.tree_.ToggleCheck(t.z2_->GetHandle());
       },
       .states = {1, 1, 1, 1, 1, 1, 0}},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    step.act(*this);
    EXPECT_EQ(States(), step.states);
  }
  // A root item without a selectable parent goes nowhere; space without a caret does nothing.
  tree_.ToggleCheck(other_->GetHandle());
  EXPECT_EQ(States(), (std::vector<int>{1, 1, 1, 1, 1, 1, 1}));
  tree_.SelectItem(NULL);
  tree_.SendMessage(WM_CHAR, ' ', 1);
  EXPECT_EQ(States(), (std::vector<int>{1, 1, 1, 1, 1, 1, 1}));
}

TEST_F(CheckTree, InsertionUnderACheckedParentShowsIt) {
  tree_.ToggleCheck(cat_->GetHandle());
  EXPECT_EQ(cat_->GetCheckState(), 1);
  CCheckNode* late = Add<CCheckNode>("Late", 8, cat_);
  EXPECT_EQ(late->GetCheckState(), 0);
  EXPECT_EQ(cat_->GetCheckState(), 2) << "an unchecked child under a checked parent";
  // A parent whose only child is no selectable node keeps its state.
  CCheckNode* lonely = Add<CCheckNode>("Lonely", 9);
  lonely->SetCheckState(1);
  ASSERT_TRUE(tree_.InsertNode(new tree_testing::CTestNode(&tree_, "plain", 10), *lonely, false));
  EXPECT_EQ(lonely->GetCheckState(), 1);
  tree_.ToggleCheck(tree_.GetChildItem(lonely->GetHandle()));  // not selectable: ignored
  EXPECT_EQ(lonely->GetCheckState(), 1);
}

TEST_F(CheckTree, ADoubleClickOnAMarkTogglesItTwice) {
  const struct {
    const char* name;
    std::function<void(CheckTree&)> prepare;
    CCheckNode* CheckTree::*node;
    CPoint at;
    int before, after;
  } rows[] = {
      {.name = "unchecked", .prepare = [](CheckTree&) {}, .node = &CheckTree::x_, .at = Mark(1, 1), .before = 0,
       .after = 0},
      {.name = "checked", .prepare = [](CheckTree& t) { t.tree_.ToggleCheck(t.y_->GetHandle()); },
       .node = &CheckTree::y_, .at = Mark(2, 1), .before = 1, .after = 1},
      {.name = "mixed becomes checked", .prepare = [](CheckTree& t) { t.tree_.ToggleCheck(t.z1_->GetHandle()); },
       .node = &CheckTree::z_, .at = Mark(3, 1), .before = 2, .after = 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    row.prepare(*this);
    EXPECT_EQ((this->*row.node)->GetCheckState(), row.before);
    sandbox::AdvanceClock(1000);
    ClickAt(row.at.x, row.at.y);
    ClickAt(row.at.x, row.at.y);  // the double-click
    EXPECT_EQ((this->*row.node)->GetCheckState(), row.after);
    States();
  }
}

TEST_F(CheckTree, APictureShowsTheThreeMarks) {
  tree_.ToggleCheck(x_->GetHandle());  // Cat mixed, X checked, the rest unchecked
  tree_.SelectItem(NULL);
  const sandbox::Picture picture = sandbox::WindowPicture(parent_.m_hWnd);
  sandbox::SavePicture(picture, sandbox::testing::PictureFolder() + "/check_tree.png");
  const auto tickPixels = [&](int row, int depth, COLORREF ink) {
    int count = 0;
    for (int y = row * 16 + 2; y < row * 16 + 13; ++y)  // inside the frame
      for (int x = 8 * (depth + 1) + 1; x < 8 * (depth + 1) + 12; ++x) count += picture.At(x, y) == ink;
    return count;
  };
  const COLORREF black = RGB(0, 0, 0), grey = RGB(128, 128, 128), window = ::GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(tickPixels(1, 1, black), 14) << "X's mark: a black tick of 7 columns, 2 high";
  EXPECT_EQ(tickPixels(0, 0, grey), 14) << "Cat's mark: the grey tick of the mixed state";
  EXPECT_EQ(tickPixels(2, 1, black) + tickPixels(2, 1, grey), 0) << "Y's mark: empty";
  EXPECT_EQ(picture.At(8 * 2 + 6, 2 * 16 + 8), window) << "the mark's white shows the window behind it";
  EXPECT_EQ(picture.At(8 * 2, 2 * 16 + 8), grey) << "the mark's frame";
}

TEST(CheckTreeCreated, ATreeMadeByCreateShowsTheMarksToo) {
  ASSERT_EQ(::OleInitialize(NULL), S_OK);
  ::InitCommonControls();
  {
    tree_testing::CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "Parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, NULL, NULL));
    CCheckTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 160), &parent, 7));
    EXPECT_EQ(tree.GetImageList(TVSIL_NORMAL)->GetSafeHandle(), tree.GetCheckImages().GetSafeHandle());
    auto* node = new CCheckNode(&tree, "N", 1);
    CtqTreeItem root(&tree);
    ASSERT_TRUE(tree.InsertNode(node, root, false));
    node->SetCheckState(1);
    const sandbox::Picture picture = sandbox::WindowPicture(parent.m_hWnd);
    EXPECT_GT(sandbox::testing::CountPixels(picture, RGB(0, 0, 0)), 14) << "the tick and the label";
    tree.DestroyWindow();
    parent.DestroyWindow();
  }
  ::OleUninitialize();
}

}  // namespace
