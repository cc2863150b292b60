// A window whose procedure answers WM_NCCALCSIZE with a smaller client area has a frame: its
// window rectangle holds the client area and the frame, its children and its drawing are placed
// in the client area. Code that works out a control's place in a framed window from
// GetWindowRect and the frame's system metrics (the wizard pages) relies on this.
#include <windows.h>

#include <gtest/gtest.h>

#include "recording_window.h"

namespace {

using namespace testing_user32;

// The frame a dialog with a caption has: the dialog frame each side, the caption above.
LRESULT CALLBACK FramedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCALCSIZE) {
    auto* r = reinterpret_cast<RECT*>(lParam);
    const int border = GetSystemMetrics(SM_CXDLGFRAME);
    r->left += border;
    r->right -= border;
    r->top += GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME);
    r->bottom -= GetSystemMetrics(SM_CYDLGFRAME);
    return 0;
  }
  return RecordingProc(window, message, wParam, lParam);
}

class WindowFrame : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    WNDCLASS wc{};
    wc.lpfnWndProc = FramedProc;
    wc.lpszClassName = "Framed";
    ASSERT_NE(RegisterClass(&wc), 0);
  }
};

RECT WindowRect(HWND window) {
  RECT r{};
  EXPECT_TRUE(GetWindowRect(window, &r));
  return r;
}

void ExpectRect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST_F(WindowFrame, TheClientAreaLiesInsideTheWindowRectangle) {
  HWND framed = CreateWindowEx(0, "Framed", "framed", WS_POPUP, 100, 50, 300, 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(framed, nullptr);
  ExpectRect(WindowRect(framed), 100, 50, 400, 250);
  RECT client{};
  GetClientRect(framed, &client);
  ExpectRect(client, 0, 0, 300 - 2 * 3, 200 - 22 - 3);
  POINT origin{0, 0};
  ClientToScreen(framed, &origin);
  EXPECT_EQ(origin.x, 103);
  EXPECT_EQ(origin.y, 72);

  // A child is placed in the client area: the page's arithmetic (window left - frame left - the
  // dialog frame; window top - frame top - caption - dialog frame) gives back its position.
  HWND child = CreateWindowEx(0, kRecorder, "child", WS_CHILD | WS_VISIBLE, 40, 30, 75, 23, framed, nullptr, nullptr,
                              nullptr);
  const RECT c = WindowRect(child);
  EXPECT_EQ(c.left - WindowRect(framed).left - GetSystemMetrics(SM_CXDLGFRAME), 40);
  EXPECT_EQ(c.top - WindowRect(framed).top - GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYDLGFRAME), 30);

  // Moving and sizing speak of the window rectangle; the client area keeps the frame inside it.
  Log().Take();
  ASSERT_TRUE(SetWindowPos(framed, nullptr, 10, 10, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE));
  ExpectRect(WindowRect(framed), 10, 10, 210, 110);
  GetClientRect(framed, &client);
  ExpectRect(client, 0, 0, 194, 75);
  for (const Seen& seen : Log().Take()) {
    if (seen.window != framed) continue;
    if (seen.message == WM_SIZE) {
      EXPECT_EQ(seen.lParam, MAKELPARAM(194, 75));
    } else if (seen.message == WM_MOVE) {
      EXPECT_EQ(seen.lParam, MAKELPARAM(13, 32));
    }
  }
  ExpectRect(WindowRect(child), 53, 62, 128, 85);

  // The frame is no client area to the pointer.
  EXPECT_EQ(SendMessage(framed, WM_NCHITTEST, 0, MAKELPARAM(50, 20)), HTCAPTION);
  EXPECT_EQ(SendMessage(framed, WM_NCHITTEST, 0, MAKELPARAM(11, 60)), HTBORDER);
  EXPECT_EQ(SendMessage(framed, WM_NCHITTEST, 0, MAKELPARAM(50, 60)), HTCLIENT);
}

// F1 in a control reaches the window that gives help: DefWindowProc passes WM_HELP from a child to
// its parent, and from a top-level window to its owner.
TEST_F(WindowFrame, HelpGoesUpToTheParentThenTheOwner) {
  HWND owner = Make("owner");
  HWND top = Make("top", WS_POPUP, owner);
  HWND child = Make("child", WS_CHILD, top, 7);
  Log().Take();
  SendMessage(child, WM_HELP, 0, 1234);
  std::vector<HWND> reached;
  for (const Seen& seen : Log().Take())
    if (seen.message == WM_HELP) {
      reached.push_back(seen.window);
      EXPECT_EQ(seen.lParam, 1234);
    }
  EXPECT_EQ(reached, (std::vector<HWND>{child, top, owner}));
}

}  // namespace
