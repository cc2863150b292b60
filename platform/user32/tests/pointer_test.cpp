// The pointer the sandbox moves: which window gets the mouse messages, double-clicks, hover and
// leave tracking on the sandbox clock, and cursors.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_window.h"
#include "resource.h"
#include "sandbox/sandbox.h"

namespace {

using sandbox::MouseButton;
using testing_user32::Log;
using testing_user32::Seen;

constexpr char kDoubleClicks[] = "DoubleClicks";

// Windows of the recorder class (no CS_DBLCLKS) and of a CS_DBLCLKS class that records too.
class Pointer : public testing_user32::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = testing_user32::RecordingProc;
    wc.lpszClassName = kDoubleClicks;
    ASSERT_NE(RegisterClass(&wc), 0);
    sandbox::SetClock(1'000'000);
    // A top-level window at (10, 20), 300 x 200, with a child at (50, 40) in it, 100 x 50.
    top_ = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    child_ = Make("child", WS_CHILD | WS_VISIBLE, top_, 7);
    MoveWindow(child_, 50, 40, 100, 50, FALSE);
    Pump();
    Log().Take();
  }

  // Dispatches what is queued and returns the mouse messages seen (WM_SETCURSOR is sent at once,
  // the rest posted).
  std::vector<Seen> Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    std::vector<Seen> mouse;
    for (const Seen& s : Log().Take())
      if (s.message == WM_SETCURSOR || (s.message >= WM_MOUSEMOVE && s.message <= WM_RBUTTONDBLCLK) ||
          s.message == WM_MOUSEHOVER || s.message == WM_MOUSELEAVE)
        mouse.push_back(s);
    return mouse;
  }

  HWND top_ = nullptr, child_ = nullptr;
};

TEST_F(Pointer, TheWindowUnderItGetsSetCursorThenThePostedMessage) {
  sandbox::MovePointer(10 + 60, 20 + 45);  // (10, 5) in the child
  EXPECT_EQ(WindowFromPoint({70, 65}), child_);
  POINT at{};
  ASSERT_TRUE(GetCursorPos(&at));
  EXPECT_EQ(at.x, 70);
  EXPECT_EQ(at.y, 65);
  sandbox::PressButton(MouseButton::kLeft);
  EXPECT_NE(GetAsyncKeyState(VK_LBUTTON) & 0x8000, 0);
  EXPECT_EQ(GetAsyncKeyState(VK_RBUTTON), 0);
  sandbox::ReleaseButton(MouseButton::kLeft);
  EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), 0);
  const std::vector<Seen> seen = Pump();
  // WM_SETCURSOR is sent to the child and by DefWindowProc to its parent, before the posts arrive.
  const struct {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  } expected[] = {
      {child_, WM_SETCURSOR, reinterpret_cast<WPARAM>(child_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)},
      {top_, WM_SETCURSOR, reinterpret_cast<WPARAM>(child_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)},
      {child_, WM_SETCURSOR, reinterpret_cast<WPARAM>(child_), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)},
      {top_, WM_SETCURSOR, reinterpret_cast<WPARAM>(child_), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)},
      {child_, WM_SETCURSOR, reinterpret_cast<WPARAM>(child_), MAKELPARAM(HTCLIENT, WM_LBUTTONUP)},
      {top_, WM_SETCURSOR, reinterpret_cast<WPARAM>(child_), MAKELPARAM(HTCLIENT, WM_LBUTTONUP)},
      {child_, WM_MOUSEMOVE, 0, MAKELPARAM(10, 5)},
      {child_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5)},
      {child_, WM_LBUTTONUP, 0, MAKELPARAM(10, 5)},
  };
  ASSERT_EQ(seen.size(), std::size(expected));
  for (size_t i = 0; i < seen.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(seen[i].window, expected[i].window);
    EXPECT_EQ(seen[i].message, expected[i].message);
    EXPECT_EQ(seen[i].wParam, expected[i].wParam);
    EXPECT_EQ(seen[i].lParam, expected[i].lParam);
  }
}

TEST_F(Pointer, TransparentHiddenAndDisabledChildrenLetThePointerThrough) {
  const struct {
    const char* name;
    void (*change)(HWND child);
  } rows[] = {
      {.name = "hidden", .change = [](HWND child) { ShowWindow(child, SW_HIDE); }},
      {.name = "disabled", .change = [](HWND child) { EnableWindow(child, FALSE); }},
      {.name = "transparent", .change = [](HWND) { testing_user32::Answers()[WM_NCHITTEST] = HTTRANSPARENT; }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    HWND child = Make("other", WS_CHILD | WS_VISIBLE, top_, 8);
    MoveWindow(child, 200, 100, 50, 50, FALSE);
    row.change(child);
    Pump();
    if (testing_user32::Answers().count(WM_NCHITTEST)) {
      // Every recorder is transparent now; the pointer falls through to the desktop.
      EXPECT_EQ(WindowFromPoint({10 + 210, 20 + 110}), nullptr);
    } else {
      EXPECT_EQ(WindowFromPoint({10 + 210, 20 + 110}), top_);
      sandbox::MovePointer(10 + 210, 20 + 110);
      const std::vector<Seen> seen = Pump();
      ASSERT_FALSE(seen.empty());
      EXPECT_EQ(seen.back().window, top_);
      EXPECT_EQ(seen.back().lParam, MAKELPARAM(210, 110));
    }
    DestroyWindow(child);
    testing_user32::Answers().clear();
  }
}

TEST_F(Pointer, TwoPressesCloseInTimeAndPlaceOnADoubleClickClassMakeADoubleClick) {
  const struct {
    const char* name;
    bool doubleClickClass;
    int64_t delay;  // between the first two presses, sandbox milliseconds
    int dx;         // how far the second press is from the first
    MouseButton button;
    UINT second;    // what the second press posts
    UINT third;     // what a third press right after it posts
  } rows[] = {
      {.name = "fast", .doubleClickClass = true, .delay = 500, .dx = 2, .button = MouseButton::kLeft,
       .second = WM_LBUTTONDBLCLK, .third = WM_LBUTTONDOWN},
      {.name = "right button", .doubleClickClass = true, .delay = 100, .dx = 0, .button = MouseButton::kRight,
       .second = WM_RBUTTONDBLCLK, .third = WM_RBUTTONDOWN},
      {.name = "too slow", .doubleClickClass = true, .delay = 501, .dx = 0, .button = MouseButton::kLeft,
       .second = WM_LBUTTONDOWN, .third = WM_LBUTTONDBLCLK},
      {.name = "too far", .doubleClickClass = true, .delay = 10, .dx = 3, .button = MouseButton::kLeft,
       .second = WM_LBUTTONDOWN, .third = WM_LBUTTONDBLCLK},
      {.name = "class without CS_DBLCLKS", .doubleClickClass = false, .delay = 10, .dx = 0,
       .button = MouseButton::kLeft, .second = WM_LBUTTONDOWN, .third = WM_LBUTTONDOWN},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    HWND window = CreateWindowEx(0, row.doubleClickClass ? kDoubleClicks : testing_user32::kRecorder, "w",
                                 WS_POPUP | WS_VISIBLE, 400, 400, 100, 100, nullptr, nullptr, nullptr, nullptr);
    sandbox::MovePointer(450, 450);
    sandbox::Click(row.button);
    sandbox::AdvanceClock(row.delay);
    sandbox::MovePointer(450 + row.dx, 450);
    sandbox::Click(row.button);
    sandbox::Click(row.button);
    std::vector<UINT> presses;
    for (const Seen& s : Pump())
      if (s.message != WM_SETCURSOR && s.message != WM_MOUSEMOVE && s.message != WM_LBUTTONUP &&
          s.message != WM_RBUTTONUP)
        presses.push_back(s.message);
    const UINT first = row.button == MouseButton::kLeft ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
    EXPECT_EQ(presses, (std::vector<UINT>{first, row.second, row.third}));
    DestroyWindow(window);
  }
}

TEST_F(Pointer, HoverComesAfterRestingItsTimeAndLeaveWhenThePointerGoes) {
  sandbox::MovePointer(70, 65);
  Pump();
  TRACKMOUSEEVENT track{sizeof track, TME_HOVER | TME_LEAVE, child_, 50};
  ASSERT_TRUE(TrackMouseEvent(&track));
  sandbox::AdvanceClock(30);
  sandbox::MovePointer(72, 63);  // within the hover rectangle: still resting
  sandbox::AdvanceClock(19);
  Pump();
  EXPECT_TRUE(Pump().empty());
  sandbox::AdvanceClock(1);
  std::vector<Seen> seen = Pump();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_MOUSEHOVER));
  EXPECT_EQ(seen[0].window, child_);
  EXPECT_EQ(seen[0].lParam, MAKELPARAM(12, 3));
  sandbox::AdvanceClock(100);
  EXPECT_TRUE(Pump().empty()) << "one hover per request";
  TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
  ASSERT_TRUE(TrackMouseEvent(&query));
  EXPECT_EQ(query.dwFlags, static_cast<DWORD>(TME_LEAVE));
  EXPECT_EQ(query.hwndTrack, child_);

  // Moving more than 2 pixels starts the rest again.
  ASSERT_TRUE(TrackMouseEvent(&track));
  sandbox::AdvanceClock(40);
  sandbox::MovePointer(75, 65);
  sandbox::AdvanceClock(40);
  for (const Seen& s : Pump()) EXPECT_NE(s.message, static_cast<UINT>(WM_MOUSEHOVER));
  sandbox::AdvanceClock(10);
  seen = Pump();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_MOUSEHOVER));

  sandbox::MovePointer(15, 25);  // onto the parent
  seen = Pump();
  ASSERT_EQ(seen.size(), 3u);  // WM_SETCURSOR sent to the parent, then what was posted
  EXPECT_EQ(seen[1].message, static_cast<UINT>(WM_MOUSELEAVE));
  EXPECT_EQ(seen[1].window, child_);
  EXPECT_EQ(seen[2].message, static_cast<UINT>(WM_MOUSEMOVE));
  EXPECT_EQ(seen[2].window, top_);
  query.dwFlags = TME_QUERY;
  ASSERT_TRUE(TrackMouseEvent(&query));
  EXPECT_EQ(query.hwndTrack, nullptr) << "leaving ends the tracking";

  // Asking while the pointer is elsewhere: it has left already.
  ASSERT_TRUE(TrackMouseEvent(&track));
  seen = Pump();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_MOUSELEAVE));
}

TEST_F(Pointer, CursorsOfModulesAndClassesAndWhatTheSandboxSees) {
  const HMODULE module = GetModuleHandle(nullptr);
  const HCURSOR finger = LoadCursor(module, MAKEINTRESOURCE(IDC_FINGER));
  ASSERT_NE(finger, nullptr) << GetLastError();
  EXPECT_EQ(LoadCursor(module, MAKEINTRESOURCE(IDC_FINGER)), finger) << "one handle per resource";
  EXPECT_EQ(LoadCursor(module, MAKEINTRESOURCE(999)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  EXPECT_EQ(GetCursor(), arrow) << "the arrow after a reset";

  EXPECT_EQ(SetCursor(finger), arrow);
  sandbox::Cursor shown = sandbox::CurrentCursor();
  EXPECT_EQ(shown.handle, finger);
  EXPECT_EQ(shown.module, module);
  EXPECT_EQ(shown.name, "#300");
  EXPECT_EQ(shown.hotspotX, 5);
  EXPECT_EQ(shown.hotspotY, 1);

  // DefWindowProc's WM_SETCURSOR shows the class's cursor, unless the parent took the message.
  WNDCLASS wc{};
  wc.lpfnWndProc = DefWindowProc;
  wc.hCursor = LoadCursor(nullptr, IDC_HAND);
  wc.lpszClassName = "Hand";
  ASSERT_NE(RegisterClass(&wc), 0);
  HWND hand = CreateWindowEx(0, "Hand", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, top_, nullptr, nullptr, nullptr);
  sandbox::MovePointer(15, 25);
  EXPECT_EQ(sandbox::CurrentCursor().name, "IDC_HAND");
  SetCursor(nullptr);
  testing_user32::Answers()[WM_SETCURSOR] = TRUE;
  sandbox::MovePointer(16, 25);
  EXPECT_EQ(sandbox::CurrentCursor().handle, nullptr);
  DestroyWindow(hand);
}

}  // namespace
