// The tooltip control: relayed moves resting on a tool for the initial delay show its tip, and
// what hides it again.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "resource.h"
#include "sandbox/comctl32.h"
#include "sandbox/sandbox.h"

namespace {

class ToolTips : public testing::Test {
 public:  // the rows of a table act through the fixture
  void SetUp() override {
    sandbox::SetClock(1'000'000);
    InitCommonControls();
    WNDCLASS wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "Plain";
    ASSERT_NE(RegisterClass(&wc), 0);
    owner_ = CreateWindowEx(0, "Plain", "", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, nullptr, nullptr, nullptr,
                            nullptr);
    tool_ = CreateWindowEx(0, "Plain", "", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, owner_, nullptr, nullptr, nullptr);
    tip_ = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, owner_,
                          nullptr, nullptr, nullptr);
    ASSERT_NE(tip_, nullptr) << GetLastError();
    Add("Tip text");
  }

  void Add(LPCSTR text) {
    TOOLINFO info{sizeof info, TTF_IDISHWND, owner_, reinterpret_cast<UINT_PTR>(tool_), {}, nullptr,
                  const_cast<LPSTR>(text), 0};
    info.hinst = GetModuleHandle(nullptr);
    ASSERT_TRUE(SendMessage(tip_, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info)));
  }
  void Update(LPCSTR text) {
    TOOLINFO info{sizeof info, 0, owner_, reinterpret_cast<UINT_PTR>(tool_), {}, nullptr, const_cast<LPSTR>(text), 0};
    SendMessage(tip_, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&info));
  }
  // The pointer moves onto a point of `window` and the move is relayed to the tooltip.
  void Relay(HWND window, int x, int y, UINT message = WM_MOUSEMOVE) {
    POINT at{x, y};
    ClientToScreen(window, &at);
    sandbox::MovePointer(at.x, at.y);
    MSG msg{window, message, 0, MAKELPARAM(x, y), 0, at};
    SendMessage(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
  }
  // Lets the clock go on and the thread serve its timers.
  bool ShownAfter(int64_t milliseconds) {
    sandbox::AdvanceClock(milliseconds);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    return sandbox::ToolTipOf(tip_).visible;
  }

  HWND owner_ = nullptr, tool_ = nullptr, tip_ = nullptr;
};

TEST_F(ToolTips, ShowsOnceTheRelayedMovesRestTheInitialDelay) {
  EXPECT_EQ(GetDoubleClickTime(), 500u);
  Relay(tool_, 5, 5);
  EXPECT_FALSE(ShownAfter(499));
  Relay(tool_, 6, 5);  // a move starts the rest again
  EXPECT_FALSE(ShownAfter(499));
  EXPECT_TRUE(ShownAfter(1));
  const sandbox::ToolTipView view = sandbox::ToolTipOf(tip_);
  EXPECT_EQ(view.text, "Tip text");
  EXPECT_EQ(view.width, 8 * 8 + 2 * 4) << "the text and 4 pixels each side";
  RECT where{};
  GetWindowRect(tip_, &where);
  EXPECT_EQ(where.left, 100 + 10 + 6);
  EXPECT_EQ(where.top, 100 + 10 + 5 + 20) << "just below the pointer";
  EXPECT_EQ(where.bottom - where.top, 16 + 2 * 2);
  const sandbox::Picture picture = sandbox::WindowPicture(tip_);
  EXPECT_EQ(picture.At(1, 1), GetSysColor(COLOR_INFOBK));

  Relay(tool_, 7, 5);
  EXPECT_TRUE(sandbox::ToolTipOf(tip_).visible) << "moving within the tool keeps it";
  Update("Longer tip text");
  EXPECT_EQ(sandbox::ToolTipOf(tip_).text, "Longer tip text");
  EXPECT_EQ(sandbox::ToolTipOf(tip_).width, 15 * 8 + 8);
  EXPECT_FALSE(ShownAfter(5000)) << "it pops by itself after ten initial delays";
}

TEST_F(ToolTips, WhatHidesItOrKeepsItHidden) {
  const struct {
    const char* name;
    void (*act)(ToolTips& t);
    bool shownAfterDelay;  // when the act came after the tip showed
  } rows[] = {
      {.name = "pop", .act = [](ToolTips& t) { SendMessage(t.tip_, TTM_POP, 0, 0); }, .shownAfterDelay = false},
      {.name = "a button goes down",
       .act = [](ToolTips& t) { t.Relay(t.tool_, 6, 6, WM_LBUTTONDOWN); },
       .shownAfterDelay = false},
      {.name = "the pointer leaves the tool", .act = [](ToolTips& t) { t.Relay(t.owner_, 190, 90); },
       .shownAfterDelay = false},
      {.name = "deactivated", .act = [](ToolTips& t) { SendMessage(t.tip_, TTM_ACTIVATE, FALSE, 0); },
       .shownAfterDelay = false},
      {.name = "an empty text", .act = [](ToolTips& t) { t.Update(""); }, .shownAfterDelay = false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    SendMessage(tip_, TTM_ACTIVATE, TRUE, 0);
    Update("Tip text");
    Relay(tool_, 5, 5);
    ASSERT_TRUE(ShownAfter(500));
    row.act(*this);
    EXPECT_FALSE(sandbox::ToolTipOf(tip_).visible);
    EXPECT_FALSE(IsWindowVisible(tip_));
    // Nothing more happens until the pointer moves on the tool again.
    EXPECT_EQ(ShownAfter(500), row.shownAfterDelay);
    SendMessage(tip_, TTM_POP, 0, 0);
  }
  // Relaying while deactivated or with an empty text shows nothing.
  SendMessage(tip_, TTM_ACTIVATE, FALSE, 0);
  Relay(tool_, 5, 5);
  EXPECT_FALSE(ShownAfter(500));
  SendMessage(tip_, TTM_ACTIVATE, TRUE, 0);
  Update("");
  Relay(tool_, 6, 5);
  EXPECT_FALSE(ShownAfter(500));
}

TEST_F(ToolTips, MaximumWidthBreaksTheTextAndTextsComeFromResources) {
  EXPECT_EQ(SendMessage(tip_, TTM_SETMAXTIPWIDTH, 0, 64), -1);
  EXPECT_EQ(SendMessage(tip_, TTM_GETMAXTIPWIDTH, 0, 0), 64);
  Update("one two three");
  Relay(tool_, 5, 5);
  ASSERT_TRUE(ShownAfter(500));
  EXPECT_EQ(sandbox::ToolTipOf(tip_).maxWidth, 64);
  RECT where{};
  GetWindowRect(tip_, &where);
  EXPECT_LE(where.right - where.left, 64 + 8);
  EXPECT_EQ(where.bottom - where.top, 2 * 16 + 4) << "two lines: \"one two\", \"three\"";

  SendMessage(tip_, TTM_POP, 0, 0);
  TOOLINFO info{sizeof info, 0, owner_, reinterpret_cast<UINT_PTR>(tool_), {}, GetModuleHandle(nullptr),
                MAKEINTRESOURCE(IDS_TIP), 0};
  SendMessage(tip_, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&info));
  Relay(tool_, 6, 5);
  ASSERT_TRUE(ShownAfter(500));
  EXPECT_EQ(sandbox::ToolTipOf(tip_).text, "From the resource");
  EXPECT_EQ(SendMessage(tip_, TTM_GETTOOLCOUNT, 0, 0), 1);
}

}  // namespace
