// CBT hooks: refusing and renaming windows as they are made, the chain, and what is refused.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "recording_window.h"
#include "sandbox/sandbox.h"

namespace {

using namespace testing_user32;

constexpr DWORD kPoison = 0xdeadbeef;
constexpr char kIdeTitle[] = "Microsoft Visual C++";

std::vector<std::string> g_calls;

// The system's hook while it runs a command of the IDE synchronously: the IDE's message boxes
// must not come up, so their windows are refused as they are made.
LRESULT CALLBACK RefuseIdeBoxes(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const auto* cbt = reinterpret_cast<const CBT_CREATEWND*>(lParam);
    g_calls.push_back(std::string("refuser sees ") + (cbt->lpcs->lpszName ? cbt->lpcs->lpszName : ""));
    EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(wParam))) << "the window exists while the hook decides";
    if (cbt->lpcs->lpszName != nullptr && std::strstr(cbt->lpcs->lpszName, kIdeTitle) != nullptr) return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Another add-in's hook that renames windows as they are made.
LRESULT CALLBACK Renamer(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    auto* cbt = reinterpret_cast<CBT_CREATEWND*>(lParam);
    g_calls.push_back("renamer");
    static const char kName[] = "Renamed by an add-in";
    if (cbt->lpcs->lpszName != nullptr && std::strcmp(cbt->lpcs->lpszName, "rename me") == 0)
      cbt->lpcs->lpszName = kName;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class Hooks : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    g_calls.clear();
  }
};

TEST_F(Hooks, ARefusedWindowIsNeverSeenAndItsMessageBoxReturnsZero) {
  HWND frame = Make("frame");
  Log().Take();
  HHOOK hook = SetWindowsHookEx(WH_CBT, RefuseIdeBoxes, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  EXPECT_EQ(CreateWindowEx(0, kRecorder, kIdeTitle, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_TRUE(Log().Take().empty()) << "a refused window gets no message at all";
  sandbox::QueueAnswer("MessageBox", {IDYES, {}});
  EXPECT_EQ(MessageBox(frame, "Reload the workspace?", kIdeTitle, MB_YESNO), 0);
  EXPECT_TRUE(sandbox::Modals().empty()) << "nobody saw the box";
  EXPECT_EQ(sandbox::PendingAnswers(), 1u) << "and the answer is still there for the next one";
  EXPECT_EQ(GetTopWindow(nullptr), frame);
  EXPECT_EQ(FindWindow("#32770", nullptr), nullptr);
  EXPECT_TRUE(IsWindowEnabled(frame)) << "the owner was never disabled";
  EXPECT_TRUE(UnhookWindowsHookEx(hook));

  EXPECT_EQ(MessageBox(frame, "Reload the workspace?", kIdeTitle, MB_YESNO), IDYES) << "unhooked: the box comes up";
  EXPECT_EQ(g_calls, (std::vector<std::string>{"refuser sees Microsoft Visual C++",
                                               "refuser sees Microsoft Visual C++"}));
}

TEST_F(Hooks, AHookRenamesTheWindowBeingMadeAndTheChainRunsLatestFirst) {
  HHOOK refuser = SetWindowsHookEx(WH_CBT, RefuseIdeBoxes, nullptr, GetCurrentThreadId());
  HHOOK renamer = SetWindowsHookEx(WH_CBT, Renamer, nullptr, GetCurrentThreadId());
  HWND window = Make("rename me");
  char title[64];
  GetWindowText(window, title, sizeof title);
  EXPECT_STREQ(title, "Renamed by an add-in") << "the title is taken after the hooks ran";
  EXPECT_EQ(g_calls, (std::vector<std::string>{"renamer", "refuser sees Renamed by an add-in"}));
  UnhookWindowsHookEx(renamer);
  UnhookWindowsHookEx(refuser);
}

TEST_F(Hooks, ThreadHooksRunOnlyOnTheirThreadAndProcessHooksEverywhere) {
  HHOOK mine = SetWindowsHookEx(WH_CBT, Renamer, nullptr, GetCurrentThreadId());
  std::thread([] {
    CreateWindowEx(0, kRecorder, "worker's", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }).join();
  EXPECT_TRUE(g_calls.empty()) << "another thread's window does not reach this thread's hook";
  UnhookWindowsHookEx(mine);
  HHOOK everywhere = SetWindowsHookEx(WH_CBT, Renamer, GetModuleHandle(nullptr), 0);
  ASSERT_NE(everywhere, nullptr);
  std::thread([] {
    CreateWindowEx(0, kRecorder, "worker's", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }).join();
  EXPECT_EQ(g_calls, std::vector<std::string>{"renamer"});
  UnhookWindowsHookEx(everywhere);
}

LRESULT CALLBACK Keeper(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_DESTROYWND) return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(Hooks, DestructionCanBeRefusedToo) {
  HWND window = Make("kept");
  HHOOK hook = SetWindowsHookEx(WH_CBT, Keeper, nullptr, GetCurrentThreadId());
  Log().Take();
  EXPECT_FALSE(DestroyWindow(window));
  EXPECT_TRUE(IsWindow(window));
  EXPECT_TRUE(Log().Take().empty());
  UnhookWindowsHookEx(hook);
  EXPECT_TRUE(DestroyWindow(window));
}

HWND g_keepOut = nullptr;
LRESULT CALLBACK NoActivation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && reinterpret_cast<HWND>(wParam) == g_keepOut) return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(Hooks, ActivationCanBeRefused) {
  HWND active = Make("active", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  g_keepOut = Make("kept out");
  HHOOK hook = SetWindowsHookEx(WH_CBT, NoActivation, nullptr, GetCurrentThreadId());
  Log().Take();
  EXPECT_EQ(SetActiveWindow(g_keepOut), nullptr);
  EXPECT_EQ(GetActiveWindow(), active);
  EXPECT_TRUE(Log().Take().empty()) << "nobody was told anything";
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(SetActiveWindow(g_keepOut), active);
}

TEST_F(Hooks, RefusesWhatItCannotInstallAndStaleHandles) {
  struct Row {
    const char* name;
    int type;
    HOOKPROC proc;
    HINSTANCE module;
    DWORD thread;
    DWORD error;
  } rows[] = {
      {.name = "no such type", .type = 99, .proc = Renamer, .module = nullptr, .thread = GetCurrentThreadId(),
       .error = ERROR_INVALID_HOOK_FILTER},
      {.name = "no procedure", .type = WH_CBT, .proc = nullptr, .module = nullptr, .thread = GetCurrentThreadId(),
       .error = ERROR_INVALID_FILTER_PROC},
      {.name = "every thread without a module", .type = WH_CBT, .proc = Renamer, .module = nullptr, .thread = 0,
       .error = ERROR_HOOK_NEEDS_HMOD},
      {.name = "a type that is not modelled", .type = WH_KEYBOARD, .proc = Renamer, .module = nullptr,
       .thread = GetCurrentThreadId(), .error = ERROR_CALL_NOT_IMPLEMENTED},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SetLastError(kPoison);
    EXPECT_EQ(SetWindowsHookEx(row.type, row.proc, row.module, row.thread), nullptr);
    EXPECT_EQ(GetLastError(), row.error);
  }
  EXPECT_EQ(sandbox::UnmodelledCalls(), std::vector<std::string>{"SetWindowsHookEx"});
  HHOOK hook = SetWindowsHookEx(WH_CBT, Renamer, nullptr, GetCurrentThreadId());
  EXPECT_TRUE(UnhookWindowsHookEx(hook));
  SetLastError(kPoison);
  EXPECT_FALSE(UnhookWindowsHookEx(hook));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HOOK_HANDLE));
  EXPECT_EQ(CallNextHookEx(nullptr, HCBT_CREATEWND, 0, 0), 0) << "outside a chain there is nothing next";
}

}  // namespace
