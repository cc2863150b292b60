// Capture (where the mouse messages go, WM_CAPTURECHANGED, a captured thread's wait answered by the
// scripted user), the keyboard (focus, GetKeyState in step with the messages read, WM_CHAR from
// TranslateMessage) and the scroll-bar values.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "recording_window.h"
#include "sandbox/sandbox.h"

namespace {

using sandbox::MouseButton;
using testing_user32::Log;
using testing_user32::Seen;

class Input : public testing_user32::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    // Two top-level windows side by side: a at (0, 0) and b at (200, 0), 100 x 100 each.
    a_ = CreateWindowEx(0, testing_user32::kRecorder, "a", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                        nullptr, nullptr);
    b_ = CreateWindowEx(0, testing_user32::kRecorder, "b", WS_POPUP | WS_VISIBLE, 200, 0, 100, 100, nullptr, nullptr,
                        nullptr, nullptr);
    Pump();
    Log().Take();
  }

  static void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }

  // The messages of the kinds named, in order.
  static std::vector<Seen> Taken(std::initializer_list<UINT> kinds) {
    std::vector<Seen> out;
    for (const Seen& s : Log().Take())
      for (UINT kind : kinds)
        if (s.message == kind) out.push_back(s);
    return out;
  }

  HWND a_ = nullptr, b_ = nullptr;
};

TEST_F(Input, TheCaptureWindowGetsTheMouseWhereverThePointerIs) {
  EXPECT_EQ(SetCapture(a_), nullptr);
  EXPECT_EQ(GetCapture(), a_);
  sandbox::MovePointer(250, 50);  // over b
  sandbox::PressButton(MouseButton::kLeft);
  Pump();
  std::vector<Seen> seen = Taken({WM_SETCURSOR, WM_MOUSEMOVE, WM_LBUTTONDOWN});
  ASSERT_EQ(seen.size(), 2u) << "no WM_SETCURSOR while captured";
  EXPECT_EQ(seen[0].window, a_);
  EXPECT_EQ(seen[0].lParam, MAKELPARAM(250, 50)) << "a's client coordinates";
  EXPECT_EQ(seen[1].message, static_cast<UINT>(WM_LBUTTONDOWN));
  EXPECT_EQ(seen[1].window, a_);

  // Another window takes it: a is told who; releasing tells b with NULL.
  EXPECT_EQ(SetCapture(b_), a_);
  EXPECT_EQ(SetCapture(b_), b_) << "taking it again changes nothing";
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(GetCapture(), nullptr);
  seen = Taken({WM_CAPTURECHANGED});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].window, a_);
  EXPECT_EQ(seen[0].lParam, reinterpret_cast<LPARAM>(b_));
  EXPECT_EQ(seen[1].window, b_);
  EXPECT_EQ(seen[1].lParam, 0);

  // Released, the window under the pointer gets the messages again.
  sandbox::ReleaseButton(MouseButton::kLeft);
  Pump();
  seen = Taken({WM_LBUTTONUP});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].window, b_);
}

TEST_F(Input, DestroyingTheCaptureWindowOrItsParentReleasesIt) {
  for (bool parent : {false, true}) {
    SCOPED_TRACE(parent ? "its parent" : "the window");
    HWND top = CreateWindowEx(0, testing_user32::kRecorder, "top", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                              nullptr);
    HWND child = CreateWindowEx(0, testing_user32::kRecorder, "child", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr,
                                nullptr);
    SetCapture(child);
    Log().Take();
    DestroyWindow(parent ? top : child);
    EXPECT_EQ(GetCapture(), nullptr);
    const std::vector<Seen> seen = Taken({WM_CAPTURECHANGED, WM_DESTROY});
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_CAPTURECHANGED)) << "before the window goes";
    EXPECT_EQ(seen[0].window, child);
    if (!parent) DestroyWindow(top);
  }
}

TEST_F(Input, AnotherThreadDoesNotSeeTheCapture) {
  SetCapture(a_);
  HWND seen = a_;
  std::thread([&] { seen = GetCapture(); }).join();
  EXPECT_EQ(seen, nullptr);
  EXPECT_EQ(GetCapture(), a_);
}

// A tracking loop as controls write it: read messages while the window holds the capture.
std::vector<UINT> TrackWhileCaptured(HWND window) {
  std::vector<UINT> got;
  SetCapture(window);
  MSG msg;
  while (GetCapture() == window && GetMessage(&msg, nullptr, 0, 0)) {
    got.push_back(msg.message);
    if (msg.message == WM_LBUTTONUP) ReleaseCapture();
  }
  return got;
}

TEST_F(Input, AWaitUnderCaptureAsksTheUserWhoseActionGivesTheInput) {
  sandbox::MovePointer(50, 50);
  Pump();
  sandbox::QueueAnswer("Capture", {0, "", [this](void* window) {
                                     EXPECT_EQ(window, a_);
                                     sandbox::MovePointer(60, 50);
                                   }});
  sandbox::QueueAnswer("Capture", {0, "", [](void*) { sandbox::Click(MouseButton::kLeft); }});
  EXPECT_EQ(TrackWhileCaptured(a_), (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}));
  const auto modals = sandbox::Modals();
  ASSERT_EQ(modals.size(), 2u);
  EXPECT_EQ(modals[0].kind, "Capture");
  EXPECT_EQ(modals[0].caption, "a");
  EXPECT_TRUE(modals[1].answered);
}

TEST_F(Input, AWaitUnderCaptureWithNobodyActingLosesTheCaptureInsteadOfHanging) {
  EXPECT_EQ(TrackWhileCaptured(a_), (std::vector<UINT>{WM_NULL}));
  EXPECT_EQ(GetCapture(), nullptr);
  const std::vector<Seen> seen = Taken({WM_CAPTURECHANGED});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].lParam, 0);
  const auto modals = sandbox::Modals();
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_FALSE(modals[0].answered);
}

// What a window saw of the keyboard: each WM_KEYDOWN, WM_KEYUP and WM_CHAR with the Shift state
// GetKeyState reported while it was handled.
struct Key {
  UINT message;
  WPARAM key;
  bool shiftDown;
  bool operator==(const Key&) const = default;
};
std::vector<Key> g_keys;

LRESULT CALLBACK KeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR)
    g_keys.push_back({message, wParam, GetKeyState(VK_SHIFT) < 0});
  return DefWindowProc(window, message, wParam, lParam);
}

TEST_F(Input, KeysGoToTheFocusAndGetKeyStateFollowsTheMessagesRead) {
  WNDCLASS wc{};
  wc.lpfnWndProc = KeyProc;
  wc.lpszClassName = "Keys";
  ASSERT_NE(RegisterClass(&wc), 0);
  HWND keys = CreateWindowEx(0, "Keys", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, a_, nullptr, nullptr, nullptr);
  SetFocus(keys);
  g_keys.clear();
  sandbox::PressKey(VK_SHIFT);
  sandbox::TypeKey('A');
  sandbox::ReleaseKey(VK_SHIFT);
  EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), 0);
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0) << "nothing read yet";
  Pump();
  const std::vector<Key> expected = {
      {WM_KEYDOWN, VK_SHIFT, true}, {WM_KEYDOWN, 'A', true}, {WM_CHAR, 'A', true},
      {WM_KEYUP, 'A', true},        {WM_KEYUP, VK_SHIFT, false},
  };
  EXPECT_EQ(g_keys, expected);

  // A mouse message carries the keys down when it was made.
  sandbox::PressKey(VK_CONTROL);
  sandbox::MovePointer(50, 50);  // over a, beside the key window
  sandbox::ReleaseKey(VK_CONTROL);
  Pump();
  std::vector<Seen> moves = Taken({WM_MOUSEMOVE});
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].wParam, static_cast<WPARAM>(MK_CONTROL));

  // Without a focus window keys go nowhere, but are down.
  SetFocus(nullptr);
  g_keys.clear();
  sandbox::PressKey('B');
  Pump();
  EXPECT_TRUE(g_keys.empty());
  EXPECT_LT(GetAsyncKeyState('B'), 0);
}

TEST_F(Input, TranslateMessageMakesTheCharactersOfTheUsLayout) {
  const struct {
    const char* name;
    bool shift = false, control = false, capsLock = false;
    int key;
    int character;  // 0: no WM_CHAR
  } rows[] = {
      {.name = "letter", .key = 'Q', .character = 'q'},
      {.name = "shifted letter", .shift = true, .key = 'Q', .character = 'Q'},
      {.name = "caps lock", .capsLock = true, .key = 'Q', .character = 'Q'},
      {.name = "caps lock and shift", .shift = true, .capsLock = true, .key = 'Q', .character = 'q'},
      {.name = "control letter", .control = true, .key = 'C', .character = 3},
      {.name = "digit", .key = '7', .character = '7'},
      {.name = "shifted digit", .shift = true, .key = '2', .character = '@'},
      {.name = "space", .key = VK_SPACE, .character = ' '},
      {.name = "escape", .key = VK_ESCAPE, .character = 0x1B},
      {.name = "arrow", .key = VK_DOWN, .character = 0},
      {.name = "function key", .key = VK_F2, .character = 0},
  };
  SetFocus(a_);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.capsLock) sandbox::TypeKey(VK_CAPITAL);
    if (row.shift) sandbox::PressKey(VK_SHIFT);
    if (row.control) sandbox::PressKey(VK_CONTROL);
    sandbox::TypeKey(row.key);
    if (row.shift) sandbox::ReleaseKey(VK_SHIFT);
    if (row.control) sandbox::ReleaseKey(VK_CONTROL);
    if (row.capsLock) sandbox::TypeKey(VK_CAPITAL);  // toggled off again
    Pump();
    const std::vector<Seen> chars = Taken({WM_CHAR});
    if (row.character == 0) {
      EXPECT_TRUE(chars.empty());
    } else {
      ASSERT_EQ(chars.size(), 1u);
      EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>(row.character));
    }
  }
}

TEST_F(Input, TheScrollPositionStaysWithinTheRangeLessThePage) {
  const struct {
    const char* name;
    int min, max;
    UINT page;
    int pos, expected;
  } rows[] = {
      {.name = "inside", .min = 0, .max = 99, .page = 10, .pos = 40, .expected = 40},
      {.name = "past the last page", .min = 0, .max = 99, .page = 10, .pos = 95, .expected = 90},
      {.name = "below the range", .min = 5, .max = 20, .page = 0, .pos = -3, .expected = 5},
      {.name = "a page larger than the range", .min = 0, .max = 9, .page = 50, .pos = 3, .expected = 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    SCROLLINFO info{sizeof info, SIF_ALL, row.min, row.max, row.page, row.pos, 0};
    EXPECT_EQ(SetScrollInfo(a_, SB_VERT, &info, FALSE), row.expected);
    EXPECT_EQ(GetScrollPos(a_, SB_VERT), row.expected);
  }
  SCROLLINFO range{sizeof range, SIF_RANGE | SIF_PAGE, 0, 99, 10, 0, 0};
  SetScrollInfo(a_, SB_VERT, &range, FALSE);
  EXPECT_EQ(SetScrollPos(a_, SB_VERT, 3, FALSE), 0) << "the position before";
  EXPECT_EQ(GetScrollPos(a_, SB_VERT), 3);
  EXPECT_EQ(GetScrollPos(b_, SB_HORZ), 0) << "never set";
}

}  // namespace
