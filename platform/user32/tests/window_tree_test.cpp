// Windows as objects: classes, creation, the tree and the z-order, stale handles, finding and
// enumerating windows, window data.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "recording_window.h"
#include "sandbox/sandbox.h"

namespace {

using namespace testing_user32;

constexpr DWORD kPoison = 0xdeadbeef;

std::string Title(HWND window) {
  char text[128];
  GetWindowText(window, text, sizeof text);
  return text;
}

// The top-level windows from the top of the z-order down, as the worker that answers the IDE's
// boxes walks them.
std::vector<std::string> TopLevelTitles() {
  std::vector<std::string> titles;
  for (HWND w = GetTopWindow(GetDesktopWindow()); w != nullptr; w = GetWindow(w, GW_HWNDNEXT))
    titles.push_back(Title(w));
  return titles;
}

using WindowTree = WindowTest;

TEST_F(WindowTree, NewTopLevelWindowsGoOnTopAndNewChildrenBelowTheirSiblings) {
  HWND first = Make("first");
  HWND second = Make("second");
  HWND third = Make("third");
  EXPECT_EQ(TopLevelTitles(), (std::vector<std::string>{"third", "second", "first"}));
  EXPECT_EQ(GetWindow(third, GW_HWNDFIRST), third);
  EXPECT_EQ(GetWindow(third, GW_HWNDLAST), first);
  EXPECT_EQ(GetWindow(first, GW_HWNDPREV), second);
  EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), nullptr);

  HWND a = Make("a", WS_CHILD, second, 1);
  HWND b = Make("b", WS_CHILD, second, 2);
  EXPECT_EQ(GetWindow(second, GW_CHILD), a) << "children keep the order they were made in";
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  EXPECT_EQ(GetTopWindow(second), a);
  EXPECT_EQ(GetParent(a), second);
  EXPECT_EQ(GetAncestor(b, GA_ROOT), second);
  EXPECT_EQ(GetAncestor(second, GA_PARENT), GetDesktopWindow());
  EXPECT_TRUE(IsChild(second, b));
  EXPECT_FALSE(IsChild(first, b));

  SetWindowPos(first, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(TopLevelTitles(), (std::vector<std::string>{"first", "third", "second"}));
  SetWindowPos(first, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(TopLevelTitles(), (std::vector<std::string>{"third", "second", "first"}));
}

TEST_F(WindowTree, OwnedWindowsAreTopLevelAndPopupsNameTheirOwnerAsParent) {
  HWND frame = Make("frame");
  HWND child = Make("child", WS_CHILD, frame);
  HWND popup = Make("popup", WS_POPUP, child);
  HWND overlapped = Make("overlapped", WS_OVERLAPPED, frame);
  EXPECT_EQ(GetWindow(popup, GW_OWNER), frame) << "the owner is the given window's top-level window";
  EXPECT_EQ(GetParent(popup), frame) << "GetParent answers a popup's owner";
  EXPECT_EQ(GetParent(overlapped), nullptr) << "but not an overlapped window's";
  EXPECT_EQ(GetAncestor(popup, GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(GetAncestor(popup, GA_ROOTOWNER), frame);
  EXPECT_FALSE(IsChild(frame, popup));
  EXPECT_EQ(GetWindowLongPtr(popup, GWLP_HWNDPARENT), reinterpret_cast<LONG_PTR>(frame));
}

TEST_F(WindowTree, DestroyedHandlesAreNeverReused) {
  HWND window = Make("gone");
  ASSERT_TRUE(DestroyWindow(window));
  HWND next = Make("next");
  EXPECT_NE(next, window);
  EXPECT_FALSE(IsWindow(window));
  char text[16] = "poison";
  struct Row {
    const char* name;
    bool ok;
  } rows[] = {
      {.name = "GetWindowText", .ok = GetWindowText(window, text, sizeof text) != 0 || text[0] != '\0'},
      {.name = "SetWindowText", .ok = SetWindowText(window, "x") != FALSE},
      {.name = "PostMessage", .ok = PostMessage(window, WM_USER, 0, 0) != FALSE},
      {.name = "DestroyWindow", .ok = DestroyWindow(window) != FALSE},
      {.name = "GetParent", .ok = GetParent(window) != nullptr},
      {.name = "ShowWindow", .ok = ShowWindow(window, SW_SHOW) != FALSE},
  };
  for (const Row& row : rows) EXPECT_FALSE(row.ok) << row.name;
  for (auto call : {+[](HWND w) { return SendMessage(w, WM_USER, 0, 0) != 0; },
                    +[](HWND w) { return GetWindowLongPtr(w, GWL_STYLE) != 0; },
                    +[](HWND w) { return GetWindowThreadProcessId(w, nullptr) != 0; }}) {
    SetLastError(kPoison);
    EXPECT_FALSE(call(window));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  }
}

TEST_F(WindowTree, FindWindowComparesClassAndTitleWithoutCase) {
  HWND frame = Make("Microsoft Visual C++");
  Make("Other");
  HWND button = Make("&Yes", WS_CHILD, frame, IDYES);
  EXPECT_EQ(FindWindow(nullptr, "microsoft visual c++"), frame);
  EXPECT_EQ(FindWindow("RECORDER", "Microsoft Visual C++"), frame);
  EXPECT_EQ(FindWindow("#32770", "Microsoft Visual C++"), nullptr);
  EXPECT_EQ(FindWindow(nullptr, "Microsoft Visual"), nullptr) << "titles match whole";
  EXPECT_EQ(FindWindow(nullptr, "&Yes"), nullptr) << "FindWindow looks at top-level windows only";
  EXPECT_EQ(FindWindowEx(frame, nullptr, kRecorder, "&yes"), button);
  EXPECT_EQ(FindWindowEx(frame, button, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetDlgItem(frame, IDYES), button);
  EXPECT_EQ(GetDlgCtrlID(button), IDYES);
  SetLastError(kPoison);
  EXPECT_EQ(GetDlgItem(frame, IDNO), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND));
}

TEST_F(WindowTree, EnumerationsWalkTheTreeDepthFirstAndStopWhenAsked) {
  HWND frame = Make("frame");
  HWND a = Make("a", WS_CHILD, frame);
  Make("a1", WS_CHILD, a);
  Make("a2", WS_CHILD, a);
  Make("b", WS_CHILD, frame);
  HWND other = Make("other");
  std::vector<std::string> seen;
  auto collect = [](HWND w, LPARAM p) -> BOOL {
    reinterpret_cast<std::vector<std::string>*>(p)->push_back(Title(w));
    return TRUE;
  };
  EnumChildWindows(frame, collect, reinterpret_cast<LPARAM>(&seen));
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "a1", "a2", "b"}));
  seen.clear();
  EXPECT_TRUE(EnumWindows(collect, reinterpret_cast<LPARAM>(&seen)));
  EXPECT_EQ(seen, (std::vector<std::string>{"other", "frame"}));
  seen.clear();
  auto first = [](HWND w, LPARAM p) -> BOOL {
    reinterpret_cast<std::vector<std::string>*>(p)->push_back(Title(w));
    return FALSE;
  };
  EXPECT_FALSE(EnumWindows(first, reinterpret_cast<LPARAM>(&seen)));
  EXPECT_EQ(seen, std::vector<std::string>{"other"});

  seen.clear();
  EXPECT_TRUE(EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&seen)));
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_FALSE(EnumThreadWindows(GetCurrentThreadId() + 4000, collect, 0)) << "no windows: FALSE";

  // A callback that destroys a window not yet visited: it is skipped.
  seen.clear();
  static HWND victim;
  victim = frame;
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        reinterpret_cast<std::vector<std::string>*>(p)->push_back(Title(w));
        if (w != victim) DestroyWindow(victim);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&seen));
  EXPECT_EQ(seen, std::vector<std::string>{"other"});
  EXPECT_TRUE(IsWindow(other));
}

TEST_F(WindowTree, ClassesAreKeptPerModuleAndRefuseWhatTheyCannotHold) {
  SetLastError(kPoison);
  WNDCLASS wc{};
  wc.lpfnWndProc = DefWindowProc;
  wc.lpszClassName = "recorder";
  EXPECT_EQ(RegisterClass(&wc), 0) << "names compare without case";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

  WNDCLASS info{};
  ASSERT_TRUE(GetClassInfo(nullptr, kRecorder, &info));
  EXPECT_EQ(info.lpfnWndProc, &RecordingProc);
  EXPECT_EQ(info.cbWndExtra, 16);
  ASSERT_TRUE(GetClassInfo(nullptr, "#32770", &info)) << "the dialog class is the system's";
  EXPECT_EQ(info.lpfnWndProc, &DefDlgProc);

  HWND window = Make("w");
  char name[64];
  EXPECT_EQ(GetClassName(window, name, sizeof name), 8);
  EXPECT_STREQ(name, kRecorder);
  SetLastError(kPoison);
  EXPECT_FALSE(UnregisterClass(kRecorder, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
  DestroyWindow(window);
  EXPECT_TRUE(UnregisterClass(kRecorder, nullptr));
  SetLastError(kPoison);
  EXPECT_FALSE(GetClassInfo(nullptr, kRecorder, &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST));
  // The sandbox can make registration fail, as a system out of resources does.
  wc.lpszClassName = kRecorder;
  sandbox::FailRegisterClass(true);
  EXPECT_EQ(RegisterClass(&wc), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  sandbox::FailRegisterClass(false);
  SetLastError(kPoison);
  EXPECT_EQ(CreateWindowEx(0, kRecorder, "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
  SetLastError(kPoison);
  EXPECT_EQ(CreateWindowEx(0, "#32770", "", WS_CHILD, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));
}

TEST_F(WindowTree, WindowDataAndRectangles) {
  HWND frame = Make("frame", WS_OVERLAPPEDWINDOW);
  HWND child = Make("child", WS_CHILD | WS_VISIBLE, frame, 7);
  EXPECT_EQ(GetWindowLongPtr(child, GWLP_ID), 7);
  EXPECT_EQ(GetWindowLong(child, GWL_STYLE) & WS_CHILD, WS_CHILD);
  EXPECT_EQ(SetWindowLongPtr(child, GWLP_USERDATA, 1234), 0);
  EXPECT_EQ(GetWindowLongPtr(child, GWLP_USERDATA), 1234);
  EXPECT_EQ(SetWindowLongPtr(child, 8, 99), 0) << "the class's window bytes";
  EXPECT_EQ(GetWindowLongPtr(child, 8), 99);
  SetLastError(kPoison);
  EXPECT_EQ(GetWindowLongPtr(child, 9), 0) << "past the 16 bytes";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  SetLastError(kPoison);
  EXPECT_EQ(GetWindowLong(child, GWLP_WNDPROC), 0) << "a pointer does not fit a LONG";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  DWORD process = kPoison;
  EXPECT_EQ(GetWindowThreadProcessId(child, &process), GetCurrentThreadId());
  EXPECT_EQ(process, GetCurrentProcessId());

  RECT r;
  ASSERT_TRUE(GetWindowRect(child, &r));
  EXPECT_EQ(r.left, 20) << "the child's (10, 20) inside the frame at (10, 20)";
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right - r.left, 300);
  ASSERT_TRUE(MoveWindow(child, 5, 6, 50, 60, TRUE));
  ASSERT_TRUE(GetClientRect(child, &r));
  EXPECT_EQ(r.right, 50);
  EXPECT_EQ(r.bottom, 60);
  POINT p{1, 1};
  ClientToScreen(child, &p);
  EXPECT_EQ(p.x, 16);
  EXPECT_EQ(p.y, 27);

  EXPECT_FALSE(IsWindowVisible(child)) << "a visible child of a hidden frame is not visible";
  EXPECT_FALSE(ShowWindow(frame, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(child));
  EXPECT_TRUE(ShowWindow(frame, SW_HIDE)) << "it was visible";
  EXPECT_FALSE(EnableWindow(child, FALSE)) << "it was enabled";
  EXPECT_FALSE(IsWindowEnabled(child));
  EXPECT_TRUE(EnableWindow(child, TRUE)) << "it was disabled";

  EXPECT_TRUE(SetProp(child, "Answer", reinterpret_cast<HANDLE>(42)));
  EXPECT_EQ(GetProp(child, "ANSWER"), reinterpret_cast<HANDLE>(42));
  EXPECT_EQ(RemoveProp(child, "answer"), reinterpret_cast<HANDLE>(42));
  EXPECT_EQ(GetProp(child, "Answer"), nullptr);
}

TEST_F(WindowTree, SetParentMovesASubtreeAndRefusesACycle) {
  HWND one = Make("one");
  HWND two = Make("two");
  HWND child = Make("child", WS_CHILD, one);
  HWND grandchild = Make("grandchild", WS_CHILD, child);
  EXPECT_EQ(SetParent(child, two), one);
  EXPECT_EQ(GetParent(child), two);
  EXPECT_EQ(GetWindow(one, GW_CHILD), nullptr);
  EXPECT_TRUE(IsChild(two, grandchild));
  SetLastError(kPoison);
  EXPECT_EQ(SetParent(child, grandchild), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(GetParent(child), two) << "nothing changed";
}

TEST_F(WindowTree, OnlyTheWindowsThreadDestroysItAndItGoesWithItsThread) {
  HWND window = Make("main");
  HWND fromWorker = nullptr;
  BOOL destroyed = TRUE;
  DWORD error = 0;
  std::thread([&] {
    destroyed = DestroyWindow(window);
    error = GetLastError();
    fromWorker = CreateWindowEx(0, kRecorder, "worker's", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                nullptr);
    EXPECT_TRUE(IsWindow(fromWorker));
  }).join();
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(IsWindow(window));
  EXPECT_NE(fromWorker, nullptr);
  EXPECT_FALSE(IsWindow(fromWorker)) << "a thread's windows end with it";
  EXPECT_EQ(TopLevelTitles(), std::vector<std::string>{"main"});
}

}  // namespace
