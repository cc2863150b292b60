// The plug-in utilities: the debug trace with and without an application object, and the
// controls and title of the AppWizard frame reached through a step dialog.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sandbox/sandbox.h"
#include "toolbox/FrameUtil.h"

namespace {

TEST(DebugTrace, FormatsWithThePlatformSizesAndCutsAt511Characters) {
  ASSERT_EQ(AfxGetApp(), nullptr);
  const std::string long600(600, 'x');
  DebugTrace("%d items in %s\n", 3, "C:\\Wyc");
  DebugTrace("%ld|%s", static_cast<LONG>(-1), long600.c_str());
  EXPECT_EQ(sandbox::DebugOutput(), (std::vector<std::string>{"3 items in C:\\Wyc\n", "-1|" + long600.substr(0, 508)}));
}

TEST(DebugTrace, PutsTheApplicationsNameInFront) {
  CWinApp app("WycAppWiz");
  const std::string long600(600, 'y');
  DebugTrace("step %d\n", 2);
  DebugTrace("%s", long600.c_str());
  EXPECT_EQ(sandbox::DebugOutput(),
            (std::vector<std::string>{"WycAppWiz: step 2\n", "WycAppWiz: " + long600.substr(0, 511)}));
}

const UINT kNext = 0x3024;

class FrameTest : public testing::Test {
 protected:
  void SetUp() override {
    frame_ = CreateWindowEx(0, "#32770", "AppWizard", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                            nullptr, nullptr);
    next_ = CreateWindowEx(0, "#32770", "Next >", WS_CHILD | WS_VISIBLE, 10, 250, 60, 20, frame_,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kNext)), nullptr, nullptr);
    step_ = CreateWindowEx(0, "#32770", "Step", WS_CHILD | WS_VISIBLE, 0, 0, 400, 240, frame_,
                           reinterpret_cast<HMENU>(1), nullptr, nullptr);
    ASSERT_NE(step_, nullptr);
  }
  void TearDown() override { DestroyWindow(frame_); }

  std::string Title(HWND window) {
    char text[64] = {};
    GetWindowText(window, text, sizeof text);
    return text;
  }

  HWND frame_ = nullptr, next_ = nullptr, step_ = nullptr;
};

TEST_F(FrameTest, ControlsAndTitleOfTheDialogsParent) {
  CWnd* step = CWnd::FromHandle(step_);
  EXPECT_EQ(EnableFrameItem(step, kNext, FALSE), 1);
  EXPECT_FALSE(IsWindowEnabled(next_));
  EXPECT_TRUE(IsWindowEnabled(step_));
  EXPECT_EQ(EnableFrameItem(step, kNext, TRUE), 1);
  EXPECT_TRUE(IsWindowEnabled(next_));
  EXPECT_EQ(FocusFrameItem(step, kNext), 1);
  EXPECT_EQ(GetFocus(), next_);
  EXPECT_EQ(SetFrameTitle(step, "Wyc AppWizard - Step 2 of 3"), 1);
  EXPECT_EQ(Title(frame_), "Wyc AppWizard - Step 2 of 3");
  EXPECT_EQ(Title(step_), "Step");
}

TEST_F(FrameTest, NothingHappensWithoutTheParentOrTheControl) {
  CWnd* step = CWnd::FromHandle(step_);
  CWnd* frame = CWnd::FromHandle(frame_);
  EXPECT_EQ(EnableFrameItem(step, 999, FALSE), 0);
  EXPECT_EQ(FocusFrameItem(step, 999), 0);
  EXPECT_EQ(EnableFrameItem(frame, kNext, FALSE), 0);  // the frame itself has no parent
  EXPECT_EQ(SetFrameTitle(frame, "x"), 0);
  EXPECT_EQ(EnableFrameItem(nullptr, kNext, FALSE), 0);
  EXPECT_EQ(SetFrameTitle(nullptr, "x"), 0);
  EXPECT_TRUE(IsWindowEnabled(next_));
  EXPECT_EQ(Title(frame_), "AppWizard");
}

}  // namespace
