// A message box is a window: other threads find it among the top-level windows, and a box the
// scripted user leaves alone stays up in its modal loop until the program answers it.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "recording_window.h"
#include "sandbox/sandbox.h"

namespace {

using namespace testing_user32;

constexpr char kIdeTitle[] = "Microsoft Visual C++";

// Runs `act` on another thread as soon as a box titled `caption` is up (shown).
std::thread WhenBoxIsUp(const char* caption, std::function<void(HWND box)> act) {
  return std::thread([caption, act] {
    HWND box;
    while ((box = FindWindow("#32770", caption)) == nullptr || !IsWindowVisible(box)) std::this_thread::yield();
    act(box);
  });
}

using MessageBoxWindow = WindowTest;

TEST_F(MessageBoxWindow, TheBoxIsAnOwnedTopLevelWindowAndItsOwnerIsDisabledWhileItIsUp) {
  HWND frame = Make("Developer Studio", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND child = Make("child", WS_CHILD | WS_VISIBLE, frame);
  sandbox::QueueAnswer("MessageBox", {sandbox::kLeaveAlone, {}});
  std::string className, title;
  HWND owner = nullptr;
  BOOL ownerEnabled = TRUE, onTop = FALSE;
  std::thread user = WhenBoxIsUp(kIdeTitle, [&](HWND box) {
    char text[64];
    GetClassName(box, text, sizeof text);
    className = text;
    GetWindowText(box, text, sizeof text);
    title = text;
    owner = GetWindow(box, GW_OWNER);
    ownerEnabled = IsWindowEnabled(frame);
    onTop = GetTopWindow(nullptr) == box;
    PostMessage(box, WM_COMMAND, IDYES, 0);
  });
  EXPECT_EQ(MessageBox(child, "Save changes?", kIdeTitle, MB_YESNOCANCEL), IDYES);
  user.join();
  EXPECT_EQ(className, "#32770");
  EXPECT_EQ(title, kIdeTitle);
  EXPECT_EQ(owner, frame) << "owned by the top-level window of the window given";
  EXPECT_FALSE(ownerEnabled);
  EXPECT_TRUE(onTop);
  EXPECT_TRUE(IsWindowEnabled(frame)) << "enabled again";
  EXPECT_EQ(FindWindow("#32770", nullptr), nullptr) << "the box is gone";
  EXPECT_EQ(GetActiveWindow(), frame) << "its owner is active again";
  const std::vector<sandbox::Modal> modals = sandbox::Modals();
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_TRUE(modals[0].answered);
  EXPECT_EQ(modals[0].result, IDYES) << "the record has the answer that ended the box";
}

TEST_F(MessageBoxWindow, ALeftAloneBoxEndsWithWhatReachesIt) {
  struct Row {
    const char* name;
    UINT type;
    std::function<void(HWND)> act;
    int result;
  } rows[] = {
      {.name = "a posted button", .type = MB_YESNO,
       .act = [](HWND box) { PostMessage(box, WM_COMMAND, IDNO, 0); }, .result = IDNO},
      {.name = "a sent button", .type = MB_OKCANCEL,
       .act = [](HWND box) { SendMessage(box, WM_COMMAND, IDOK, 0); }, .result = IDOK},
      {.name = "WM_CLOSE is the cancel answer", .type = MB_YESNO,
       .act = [](HWND box) { PostMessage(box, WM_CLOSE, 0, 0); }, .result = IDNO},
      {.name = "a command that is no button of the box changes nothing",
       .type = MB_ABORTRETRYIGNORE,
       .act =
           [](HWND box) {
             PostMessage(box, WM_COMMAND, IDYES, 0);
             PostMessage(box, WM_COMMAND, MAKEWPARAM(IDRETRY, 0), 0);
           },
       .result = IDRETRY},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::ClearModals();
    sandbox::QueueAnswer("MessageBox", {sandbox::kLeaveAlone, {}});
    std::thread user = WhenBoxIsUp("Question", row.act);
    EXPECT_EQ(MessageBox(nullptr, "Go on?", "Question", row.type), row.result);
    user.join();
    ASSERT_EQ(sandbox::Modals().size(), 1u);
    EXPECT_EQ(sandbox::Modals()[0].result, row.result);
  }
}

TEST_F(MessageBoxWindow, TheModalLoopKeepsTheThreadsOtherWindowsGoing) {
  HWND frame = Make("frame");
  Log().Take();
  sandbox::QueueAnswer("MessageBox", {sandbox::kLeaveAlone, {}});
  std::thread user = WhenBoxIsUp("Busy", [frame](HWND box) {
    SendMessage(frame, WM_USER, 1, 0);  // served by the loop before the send returns
    PostMessage(frame, WM_USER, 2, 0);
    PostMessage(box, WM_COMMAND, IDOK, 0);  // taken after the post before it
  });
  EXPECT_EQ(MessageBox(frame, "Working...", "Busy", MB_OK), IDOK);
  user.join();
  std::vector<WPARAM> frameGot;
  for (const Seen& s : Log().Take())
    if (s.window == frame && s.message == WM_USER) frameGot.push_back(s.wParam);
  EXPECT_EQ(frameGot, (std::vector<WPARAM>{1, 2}));
}

TEST_F(MessageBoxWindow, WmQuitEndsTheBoxAndIsPostedAgain) {
  sandbox::QueueAnswer("MessageBox", {sandbox::kLeaveAlone, {}});
  const DWORD ui = GetCurrentThreadId();
  std::thread user = WhenBoxIsUp("Quitting", [ui](HWND) { PostThreadMessage(ui, WM_QUIT, 5, 0); });
  EXPECT_EQ(MessageBox(nullptr, "Bye?", "Quitting", MB_YESNOCANCEL), IDCANCEL);
  user.join();
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 5u);
}

// The system's worker: for three sandbox seconds it walks the top-level windows and answers
// every box titled exactly as the IDE titles its boxes, pausing between passes.
struct Worker {
  std::atomic<int> passes{0};
  std::atomic<int> answered{0};
};

DWORD WINAPI AnswerIdeBoxes(LPVOID parameter) {
  auto* worker = static_cast<Worker*>(parameter);
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 3000) {
    for (HWND w = GetTopWindow(GetDesktopWindow()); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
      char title[256];
      GetWindowText(w, title, sizeof title);
      if (std::string(title) == kIdeTitle && PostMessage(w, WM_COMMAND, IDYES, 0)) ++worker->answered;
    }
    ++worker->passes;
    Sleep(50);
  }
  return 0;
}

// The IDE's frame: a message it posted to itself shows its box from the handler.
int g_boxResult = 0;
LRESULT CALLBACK IdeFrame(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_USER + 100) g_boxResult = MessageBox(w, "The project has changed. Reload it?", kIdeTitle, MB_YESNO);
  return DefWindowProc(w, m, wp, lp);
}

TEST_F(MessageBoxWindow, AWorkerOnAStandingClockAnswersTheIdesBoxAndEndsWhenTheClockMoves) {
  sandbox::SetClock(1000000);
  HWND frame = Make("Developer Studio", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  SetWindowLongPtr(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(IdeFrame));
  g_boxResult = 0;
  sandbox::QueueAnswer("MessageBox", {sandbox::kLeaveAlone, {}});
  Worker worker;
  HANDLE thread = CreateThread(nullptr, 0, AnswerIdeBoxes, &worker, 0, nullptr);
  PostMessage(frame, WM_USER + 100, 0, 0);
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);  // the box's loop runs inside

  EXPECT_EQ(g_boxResult, IDYES);
  ASSERT_EQ(sandbox::Modals().size(), 1u);
  EXPECT_EQ(sandbox::Modals()[0].result, IDYES);
  const int passes = worker.passes;
  while (worker.passes < passes + 2) std::this_thread::yield();
  EXPECT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the clock stands: it goes on";
  sandbox::AdvanceClock(3000);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_GE(worker.answered, 1);
  CloseHandle(thread);
}

// A task-modal box without an owner disables every top-level window of its thread (and only
// those that were enabled are enabled again); with an owner it is application-modal.
TEST_F(MessageBoxWindow, TaskModalWithoutOwnerDisablesTheThreadsTopLevelWindows) {
  HWND frame = Make("Developer Studio", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND palette = Make("Palette", WS_OVERLAPPEDWINDOW);
  HWND disabled = Make("Disabled", WS_OVERLAPPEDWINDOW | WS_DISABLED);
  HWND child = Make("child", WS_CHILD | WS_VISIBLE, frame);
  struct Seen {
    BOOL frame = TRUE, palette = TRUE, child = FALSE;
  };
  const auto showAndLook = [&](HWND owner, Seen& seen) {
    sandbox::QueueAnswer("MessageBox", {sandbox::kLeaveAlone, {}});
    std::thread user = WhenBoxIsUp("Assertion Failed!", [&](HWND box) {
      seen.frame = IsWindowEnabled(frame);
      seen.palette = IsWindowEnabled(palette);
      seen.child = IsWindowEnabled(child);
      PostMessage(box, WM_COMMAND, IDIGNORE, 0);
    });
    EXPECT_EQ(MessageBox(owner, "File x, Line 1", "Assertion Failed!", MB_ABORTRETRYIGNORE | MB_TASKMODAL),
              IDIGNORE);
    user.join();
  };
  Seen alone;
  showAndLook(nullptr, alone);
  EXPECT_FALSE(alone.frame);
  EXPECT_FALSE(alone.palette);
  EXPECT_TRUE(alone.child) << "children are not disabled themselves";
  EXPECT_TRUE(IsWindowEnabled(frame));
  EXPECT_TRUE(IsWindowEnabled(palette));
  EXPECT_FALSE(IsWindowEnabled(disabled)) << "it was disabled before the box";

  Seen owned;
  showAndLook(palette, owned);
  EXPECT_TRUE(owned.frame) << "with an owner only the owner is disabled";
  EXPECT_FALSE(owned.palette);
}

// GetLastActivePopup: the owned window that was activated last, else the window itself.
TEST_F(MessageBoxWindow, LastActivePopupIsTheOwnedWindowActivatedLast) {
  HWND frame = Make("Developer Studio", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  EXPECT_EQ(GetLastActivePopup(frame), frame) << "nothing owned yet";
  HWND dialog = CreateWindowEx(0, kRecorder, "Dialog", WS_POPUP, 0, 0, 50, 50, frame, nullptr, nullptr, nullptr);
  HWND nested = CreateWindowEx(0, kRecorder, "Nested", WS_POPUP, 0, 0, 50, 50, dialog, nullptr, nullptr, nullptr);
  HWND other = Make("Other", WS_OVERLAPPEDWINDOW);
  EXPECT_EQ(GetLastActivePopup(frame), frame) << "owned but never activated";
  SetActiveWindow(dialog);
  EXPECT_EQ(GetLastActivePopup(frame), dialog);
  SetActiveWindow(nested);
  EXPECT_EQ(GetLastActivePopup(frame), nested) << "owned through the dialog";
  EXPECT_EQ(GetLastActivePopup(dialog), dialog) << "an owned window answers itself";
  SetActiveWindow(other);
  EXPECT_EQ(GetLastActivePopup(frame), nested) << "another window's activation changes nothing";
  SetActiveWindow(frame);
  EXPECT_EQ(GetLastActivePopup(frame), frame);
  SetActiveWindow(dialog);
  DestroyWindow(nested);
  DestroyWindow(dialog);
  EXPECT_EQ(GetLastActivePopup(frame), frame) << "the popup is gone";
  SetLastError(0);
  EXPECT_EQ(GetLastActivePopup(dialog), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

}  // namespace
