// CControlToolTip: when its timer shows or hides the tip, where the tip goes, how it paints, and
// its window class.
#include "small/ControlToolTip.h"
#include "small/NewLabel.h"

#include <gtest/gtest.h>

#include <string>

#include "sandbox/sandbox.h"
#include "sandbox/test_canvas.h"
#include "sandbox/test_support.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kYellow = RGB(255, 255, 0);

// A tip that can say whether it shows.
class CTestToolTip : public CControlToolTip {
 public:
  bool Shows() const { return m_hWnd != NULL && (GetStyle() & WS_VISIBLE) != 0; }
  void Tick() { SendMessage(WM_TIMER, 1); }
};

class ControlToolTips : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dialog_.CreateEx(0, NULL, "Dialog", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, NULL, NULL));
    ASSERT_TRUE(other_.CreateEx(0, NULL, "Other", WS_POPUP | WS_VISIBLE, 400, 100, 200, 100, NULL, NULL));
    owner_ = Child(dialog_, 10, 10, "Owner");
    sibling_ = Child(dialog_, 10, 50, "Sibling");
    stranger_ = Child(other_, 10, 10, "Stranger");
  }
  void TearDown() override {
    dialog_.DestroyWindow();
    other_.DestroyWindow();
  }
  static HWND Child(CWnd& parent, int x, int y, const char* text) {
    return ::CreateWindowEx(0, WC_STATIC, text, WS_CHILD | WS_VISIBLE | SS_NOTIFY, x, y, 80, 20, parent, NULL, NULL,
                            NULL);
  }

  CWnd dialog_, other_;
  HWND owner_ = nullptr, sibling_ = nullptr, stranger_ = nullptr;
};

TEST_F(ControlToolTips, TheTimerShowsTheTipWhileThePointerIsOnItsOwnerInItsDialog) {
  const struct {
    const char* name;
    bool inside;         // the pointer on the owner
    int button;          // 0 none, 1 left, 2 right down
    bool buttonRule;     // only while a button is down
    bool leftButton;     // which button the rule wants
    bool focusHere;      // the focus in the owner's dialog (else in another one)
    bool shownBefore;
    bool shownAfter;
  } rows[] = {
      {.name = "pressed on the owner", .inside = true, .button = 1, .buttonRule = true, .leftButton = true,
       .focusHere = true, .shownBefore = false, .shownAfter = true},
      {.name = "no button", .inside = true, .button = 0, .buttonRule = true, .leftButton = true, .focusHere = true,
       .shownBefore = false, .shownAfter = false},
      {.name = "no button, no rule", .inside = true, .button = 0, .buttonRule = false, .leftButton = true,
       .focusHere = true, .shownBefore = false, .shownAfter = true},
      {.name = "the wrong button", .inside = true, .button = 1, .buttonRule = true, .leftButton = false,
       .focusHere = true, .shownBefore = false, .shownAfter = false},
      {.name = "the right button", .inside = true, .button = 2, .buttonRule = true, .leftButton = false,
       .focusHere = true, .shownBefore = false, .shownAfter = true},
      {.name = "the focus elsewhere: not shown", .inside = true, .button = 1, .buttonRule = true,
       .leftButton = true, .focusHere = false, .shownBefore = false, .shownAfter = false},
      {.name = "the focus elsewhere: hidden", .inside = true, .button = 1, .buttonRule = true, .leftButton = true,
       .focusHere = false, .shownBefore = true, .shownAfter = false},
      {.name = "the pointer left", .inside = false, .button = 1, .buttonRule = true, .leftButton = true,
       .focusHere = true, .shownBefore = true, .shownAfter = false},
      {.name = "still wanted: stays", .inside = true, .button = 1, .buttonRule = true, .leftButton = true,
       .focusHere = true, .shownBefore = true, .shownAfter = true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    CTestToolTip tip;
    ASSERT_TRUE(tip.Create(CWnd::FromHandle(owner_), "Tip", CControlToolTip::kBelowOwner));
    tip.SetButtonRule(row.buttonRule, row.leftButton);
    if (row.shownBefore) tip.Show();
    ASSERT_EQ(tip.Shows(), row.shownBefore);
    ::SetFocus(row.focusHere ? sibling_ : stranger_);
    sandbox::MovePointer(row.inside ? 115 : 300, row.inside ? 115 : 300);
    const sandbox::MouseButton button = row.button == 1 ? sandbox::MouseButton::kLeft : sandbox::MouseButton::kRight;
    if (row.button != 0) sandbox::PressButton(button);
    tip.Tick();
    EXPECT_EQ(tip.Shows(), row.shownAfter);
    if (row.button != 0) sandbox::ReleaseButton(button);
    tip.HideAndDestroy();
    EXPECT_EQ(tip.m_hWnd, nullptr);
  }
}

TEST_F(ControlToolTips, ThePlacementsAndTheText) {
  // "Tip" is 24 x 16, with 2 pixels around it: 28 x 20. The owner's client area lies at (110, 110)
  // on the screen and is 20 high.
  const struct {
    const char* name;
    int placement;
    POINT at;
  } rows[] = {
      {.name = "over the owner's corner", .placement = CControlToolTip::kOverOwner, .at = {110, 110}},
      {.name = "below the owner", .placement = CControlToolTip::kBelowOwner, .at = {110, 130}},
      {.name = "above the owner", .placement = CControlToolTip::kAboveOwner, .at = {110, 90}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    CTestToolTip tip;
    ASSERT_TRUE(tip.Create(CWnd::FromHandle(owner_), "Tip", row.placement));
    tip.Show();
    ASSERT_TRUE(tip.Shows());
    CRect where;
    tip.GetWindowRect(where);
    EXPECT_EQ(where, CRect(row.at.x, row.at.y, row.at.x + 28, row.at.y + 20));
    EXPECT_NE(tip.GetExStyle() & WS_EX_TOPMOST, 0u);
  }
  CTestToolTip empty;
  ASSERT_TRUE(empty.Create(CWnd::FromHandle(owner_), "", CControlToolTip::kBelowOwner));
  empty.Show();
  EXPECT_FALSE(empty.Shows()) << "an empty text hides the tip";

  // The tooltip colours by default (the class's brush, black text), or its own.
  CTestToolTip painted;
  ASSERT_TRUE(painted.Create(CWnd::FromHandle(owner_), "Tip", CControlToolTip::kBelowOwner));
  painted.Show();
  sandbox::Picture picture = sandbox::WindowPicture(painted.m_hWnd);
  EXPECT_EQ(picture.At(0, 0), ::GetSysColor(COLOR_INFOBK));
  painted.SetColors(kRed, kYellow);
  painted.Invalidate();
  picture = sandbox::WindowPicture(painted.m_hWnd);
  EXPECT_EQ(picture.At(0, 0), kYellow);
  EXPECT_GT(sandbox::testing::CountPixels(picture, kRed), 0);
  sandbox::SavePicture(picture, sandbox::testing::PictureFolder() + "/control_tooltip.png");
}

TEST_F(ControlToolTips, ATipWithoutAWindowTouchesNoWindowAsItGoes) {
  CTestToolTip tip;
  ::SetLastError(0);
  tip.HideAndDestroy();
  EXPECT_EQ(::GetLastError(), 0u) << "no call on a window it does not have";
  EXPECT_TRUE(sandbox::UnmodelledCalls().empty());
}

TEST(ControlToolTipClass, AFailedRegistrationThrowsTheResourceException) {
  sandbox::FailRegisterClass(true);
  const std::string message = sandbox::testing::ThrownMessage<CResourceException>([] { CControlToolTip tip; });
  EXPECT_FALSE(message.empty());
  sandbox::testing::ThrownMessage<CResourceException>([] { CNewLabel label; });  // its tip is made with it
  sandbox::FailRegisterClass(false);
  CControlToolTip registered;
  WNDCLASS wc;
  ASSERT_TRUE(::GetClassInfo(AfxGetInstanceHandle(), "ControlToolTip", &wc));
  EXPECT_EQ(wc.style, static_cast<UINT>(CS_SAVEBITS | CS_DBLCLKS));
  EXPECT_EQ(wc.lpfnWndProc, &::DefWindowProc);
  EXPECT_EQ(wc.hCursor, ::LoadCursor(NULL, IDC_ARROW));
}

}  // namespace
