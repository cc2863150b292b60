// What windows are told, and in which order: creation, destruction, titles, styles, positions,
// activation and focus, subclassing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_window.h"
#include "sandbox/sandbox.h"

namespace {

using namespace testing_user32;

using WindowMessages = WindowTest;

TEST_F(WindowMessages, CreationSendsItsMessagesInOrder) {
  HWND hidden = Make("hidden");
  ExpectSequence(Log().Take(), {{WM_NCCREATE}, {WM_NCCALCSIZE}, {WM_CREATE}, {WM_SIZE}, {WM_MOVE}}, "a hidden window");
  HWND shown = Make("shown", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ExpectSequence(Log().Take(),
                 {{WM_NCCREATE, shown}, {WM_NCCALCSIZE, shown}, {WM_CREATE, shown}, {WM_SIZE, shown}, {WM_MOVE, shown},
                  {WM_SHOWWINDOW, shown}, {WM_ACTIVATE, shown}, {WM_SETFOCUS, shown}},
                 "a visible top-level window is shown and activated");
  HWND child = Make("child", WS_CHILD | WS_VISIBLE, shown, 5);
  const std::vector<Seen> seen = Log().Take();
  ExpectSequence(seen,
                 {{WM_NCCREATE, child}, {WM_NCCALCSIZE, child}, {WM_CREATE, child}, {WM_SIZE, child}, {WM_MOVE, child},
                  {WM_PARENTNOTIFY, shown}, {WM_SHOWWINDOW, child}},
                 "a visible child tells its parent and is not activated");
  for (const Seen& s : seen)
    if (s.message == WM_PARENTNOTIFY) {
      EXPECT_EQ(s.wParam, MAKEWPARAM(WM_CREATE, 5));
      EXPECT_EQ(s.lParam, reinterpret_cast<LPARAM>(child));
    }
  EXPECT_EQ(GetActiveWindow(), shown);
  EXPECT_EQ(GetFocus(), shown);
  EXPECT_EQ(GetForegroundWindow(), shown);
  EXPECT_NE(hidden, nullptr);
}

TEST_F(WindowMessages, CreationFailsWhenTheWindowSaysSo) {
  struct Row {
    const char* name;
    UINT message;
    LRESULT answer;
    std::vector<Expected> sequence;
  } rows[] = {
      {.name = "WM_NCCREATE answers FALSE",
       .message = WM_NCCREATE,
       .answer = FALSE,
       .sequence = {{WM_NCCREATE}, {WM_DESTROY}, {WM_NCDESTROY}}},
      {.name = "WM_CREATE answers -1",
       .message = WM_CREATE,
       .answer = -1,
       .sequence = {{WM_NCCREATE}, {WM_NCCALCSIZE}, {WM_CREATE}, {WM_DESTROY}, {WM_NCDESTROY}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Answers() = {{row.message, row.answer}};
    EXPECT_EQ(CreateWindowEx(0, kRecorder, "refused", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                             nullptr, nullptr),
              nullptr);
    ExpectSequence(Log().Take(), row.sequence, row.name);
    EXPECT_EQ(GetTopWindow(nullptr), nullptr) << "nothing is left";
  }
}

TEST_F(WindowMessages, DestructionGoesDownWithWmDestroyAndUpWithWmNcDestroy) {
  HWND frame = Make("frame");
  HWND a = Make("a", WS_CHILD, frame);
  HWND a1 = Make("a1", WS_CHILD, a);
  HWND b = Make("b", WS_CHILD, frame);
  HWND owned = Make("owned", WS_POPUP, frame);
  Log().Take();
  ASSERT_TRUE(DestroyWindow(frame));
  ExpectSequence(Log().Take(),
                 {{WM_DESTROY, owned}, {WM_NCDESTROY, owned},  // owned windows go first
                  {WM_DESTROY, frame}, {WM_DESTROY, a}, {WM_DESTROY, a1}, {WM_DESTROY, b},
                  {WM_NCDESTROY, a1}, {WM_NCDESTROY, a}, {WM_NCDESTROY, b}, {WM_NCDESTROY, frame}},
                 "destroying a frame");
  for (HWND w : {frame, a, a1, b, owned}) EXPECT_FALSE(IsWindow(w));
}

// A window that looks at itself while it is being destroyed: during WM_DESTROY it and its
// children are still there; during its WM_NCDESTROY its children are gone.
struct DestroyView {
  static inline bool childDuringDestroy = false;
  static inline bool childDuringNcDestroy = true;
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_DESTROY) childDuringDestroy = IsWindow(GetWindow(w, GW_CHILD));
    if (m == WM_NCDESTROY) childDuringNcDestroy = GetWindow(w, GW_CHILD) != nullptr;
    return DefWindowProc(w, m, wp, lp);
  }
};

TEST_F(WindowMessages, ChildrenOutliveTheirParentsWmDestroyButNotItsWmNcDestroy) {
  HWND parent = Make("parent");
  Make("child", WS_CHILD, parent);
  SetWindowLongPtr(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DestroyView::Proc));
  DestroyWindow(parent);
  EXPECT_TRUE(DestroyView::childDuringDestroy);
  EXPECT_FALSE(DestroyView::childDuringNcDestroy);
}

TEST_F(WindowMessages, TitlesGoThroughTheWindowsMessages) {
  HWND window = Make("first");
  Log().Take();
  EXPECT_TRUE(SetWindowText(window, "second"));
  char text[64];
  EXPECT_EQ(GetWindowText(window, text, sizeof text), 6);
  EXPECT_STREQ(text, "second");
  EXPECT_EQ(GetWindowTextLength(window), 6);
  EXPECT_EQ(GetWindowText(window, text, 4), 3) << "cut to the buffer, with its NUL";
  EXPECT_STREQ(text, "sec");
  ExpectSequence(Log().Take(), {{WM_SETTEXT}, {WM_GETTEXT}, {WM_GETTEXTLENGTH}, {WM_GETTEXT}}, "titles");

  // A window that answers WM_GETTEXT itself decides what the title reads.
  Answers() = {{WM_GETTEXT, 0}};
  EXPECT_EQ(GetWindowText(window, text, sizeof text), 0);
  EXPECT_STREQ(text, "");
}

TEST_F(WindowMessages, TitlesNeverSplitADoubleByteCharacter) {
  sandbox::SetCodePage(932);
  HWND window = Make("a\x93\xfa\x96\x7b");
  char text[8];
  EXPECT_EQ(GetWindowText(window, text, 3), 1) << "room for 2 bytes: 'a' and not half of the next character";
  EXPECT_STREQ(text, "a");
}

TEST_F(WindowMessages, WmCloseDestroysAndTheSystemCloseCommandSendsIt) {
  HWND window = Make("closing");
  Log().Take();
  SendMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  ExpectSequence(Log().Take(), {{WM_SYSCOMMAND}, {WM_CLOSE}, {WM_DESTROY}, {WM_NCDESTROY}}, "SC_CLOSE");
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowMessages, StylesAndPositionsAreAnnounced) {
  HWND window = Make("w");
  Log().Take();
  SetWindowLong(window, GWL_STYLE, WS_POPUP);
  SetWindowPos(window, nullptr, 1, 2, 30, 40, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(window, nullptr, 1, 2, 30, 40, SWP_NOZORDER | SWP_NOACTIVATE);
  ExpectSequence(Log().Take(),
                 {{WM_STYLECHANGING}, {WM_STYLECHANGED},
                  {WM_WINDOWPOSCHANGING}, {WM_WINDOWPOSCHANGED}, {WM_SIZE}, {WM_MOVE},
                  {WM_WINDOWPOSCHANGING}, {WM_WINDOWPOSCHANGED}},
                 "moving to where it already is changes nothing");
  EXPECT_EQ(static_cast<DWORD>(GetWindowLong(window, GWL_STYLE)), static_cast<DWORD>(WS_POPUP));
}

TEST_F(WindowMessages, ActivationAndFocusMoveBetweenWindows) {
  HWND one = Make("one", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND two = Make("two", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND edit = Make("edit", WS_CHILD | WS_VISIBLE, two);
  Log().Take();
  EXPECT_EQ(SetFocus(edit), two);
  EXPECT_EQ(SetActiveWindow(one), two);
  ExpectSequence(Log().Take(),
                 {{WM_KILLFOCUS, two}, {WM_SETFOCUS, edit},
                  {WM_ACTIVATE, two}, {WM_ACTIVATE, one}, {WM_KILLFOCUS, edit}, {WM_SETFOCUS, one}},
                 "focus, then activation");
  EXPECT_EQ(GetFocus(), one);
  // Disabling the window with the focus takes the focus away.
  EnableWindow(one, FALSE);
  EXPECT_EQ(GetFocus(), nullptr);
  EnableWindow(one, TRUE);
  // The active window's destruction activates its owner.
  HWND popup = Make("popup", WS_POPUP | WS_VISIBLE, one);
  EXPECT_EQ(GetActiveWindow(), popup);
  DestroyWindow(popup);
  EXPECT_EQ(GetActiveWindow(), one);
}

LRESULT CALLBACK Shouting(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  static WNDPROC previous;
  if (m == WM_NULL) {  // the test hands over the procedure it replaced
    previous = reinterpret_cast<WNDPROC>(lp);
    return 0;
  }
  if (m == WM_GETTEXT) {
    const LRESULT n = CallWindowProc(previous, w, m, wp, lp);
    char* text = reinterpret_cast<char*>(lp);
    for (LRESULT i = 0; i < n; ++i) text[i] = static_cast<char>(toupper(static_cast<unsigned char>(text[i])));
    return n;
  }
  return CallWindowProc(previous, w, m, wp, lp);
}

TEST_F(WindowMessages, SubclassingChainsToThePreviousProcedure) {
  HWND window = Make("quiet");
  const LONG_PTR previous = SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Shouting));
  EXPECT_EQ(previous, reinterpret_cast<LONG_PTR>(RecordingProc));
  Shouting(window, WM_NULL, 0, previous);
  Log().Take();
  char text[16];
  GetWindowText(window, text, sizeof text);
  EXPECT_STREQ(text, "QUIET");
  ExpectSequence(Log().Take(), {{WM_GETTEXT}}, "the recorder still sees the message");
}

}  // namespace
