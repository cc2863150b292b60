// Thread queues: posting and taking messages in the platform's order, filters, quitting, sending
// across threads, and timers on the sandbox clock.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "recording_window.h"
#include "sandbox/sandbox.h"

namespace {

using namespace testing_user32;

constexpr DWORD kPoison = 0xdeadbeef;

// Takes every message there is now, dispatching each, and returns what was taken.
std::vector<UINT> Drain() {
  std::vector<UINT> taken;
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    taken.push_back(msg.message);
    if (msg.message == WM_QUIT) break;
    DispatchMessage(&msg);
  }
  return taken;
}

using Queue = WindowTest;

TEST_F(Queue, PostedMessagesComeInOrderThenQuitThenTimers) {
  sandbox::SetClock(1000000);
  HWND window = Make("w");
  SetTimer(window, 1, 100, nullptr);
  sandbox::AdvanceClock(100);
  PostQuitMessage(3);
  PostMessage(window, WM_USER + 1, 0, 0);
  PostThreadMessage(GetCurrentThreadId(), WM_USER + 2, 0, 0);
  EXPECT_EQ(Drain(), (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_QUIT}));
  EXPECT_EQ(Drain(), std::vector<UINT>{WM_TIMER}) << "a due timer comes when nothing else is left";
  EXPECT_EQ(Drain(), std::vector<UINT>{}) << "and comes again only when due again";
}

TEST_F(Queue, FiltersPickByWindowAndRangeButWmQuitPassesAll) {
  HWND one = Make("one");
  HWND two = Make("two");
  PostMessage(one, WM_USER, 0, 0);
  PostMessage(two, WM_USER + 5, 0, 0);
  PostThreadMessage(GetCurrentThreadId(), WM_APP, 0, 0);
  MSG msg;
  EXPECT_TRUE(PeekMessage(&msg, two, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 5));
  EXPECT_TRUE(PeekMessage(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE)) << "-1: messages of the thread";
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP));
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_USER + 1, WM_USER + 4, PM_REMOVE));
  EXPECT_TRUE(GetMessage(&msg, nullptr, WM_USER + 1, WM_USER + 9));
  EXPECT_EQ(msg.hwnd, two);
  PostQuitMessage(7);
  EXPECT_FALSE(GetMessage(&msg, one, WM_USER + 1, WM_USER + 9)) << "WM_QUIT ends GetMessage whatever the filter";
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_TRUE(GetMessage(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.hwnd, one) << "what the filters passed over is still there";

  SetLastError(kPoison);
  EXPECT_EQ(GetMessage(&msg, reinterpret_cast<HWND>(0x1234), 0, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  SetLastError(kPoison);
  EXPECT_FALSE(PostThreadMessage(GetCurrentThreadId() + 4000, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_THREAD_ID));
}

// A due timer that the filter keeps out does not come; GetMessage waits for what the filter takes,
// and the timer is still due afterwards.
TEST_F(Queue, AFilterKeepsADueTimerOutAndItStaysDue) {
  sandbox::SetClock(1000000);
  HWND window = Make("w");
  SetTimer(window, 1, 10, nullptr);
  sandbox::AdvanceClock(10);
  std::thread poster([window] {
    Sleep(20);  // on the standing clock: 20 ms of real time, while GetMessage waits
    PostMessage(window, WM_USER, 0, 0);
  });
  MSG msg;
  EXPECT_TRUE(GetMessage(&msg, nullptr, WM_USER, WM_USER));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  poster.join();
  EXPECT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER)) << "still due";
}

TEST_F(Queue, MessagesOfADestroyedWindowAreDropped) {
  HWND window = Make("w");
  PostMessage(window, WM_USER, 0, 0);
  DestroyWindow(window);
  EXPECT_EQ(Drain(), std::vector<UINT>{});
}

TEST_F(Queue, PostingFromAnotherThreadWakesAWaitingGetMessage) {
  HWND window = Make("w");
  std::thread poster([window] { EXPECT_TRUE(PostMessage(window, WM_USER + 3, 11, 22)); });
  MSG msg;
  ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
  poster.join();
  EXPECT_EQ(msg.hwnd, window);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 3));
  EXPECT_EQ(msg.wParam, 11u);
  EXPECT_EQ(msg.lParam, 22);
}

// The window's thread runs a message loop on a worker; the test thread sends to it.
class ForeignWindow {
 public:
  ForeignWindow() {
    thread_ = std::thread([this] {
      window_ =
          CreateWindowEx(0, kRecorder, "foreign", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
      thread_id_ = GetCurrentThreadId();
      ready_ = true;
      MSG msg;
      while (GetMessage(&msg, nullptr, 0, 0) > 0) DispatchMessage(&msg);
    });
    while (!ready_) std::this_thread::yield();
  }
  ~ForeignWindow() {
    PostMessage(window_, WM_CLOSE, 0, 0);
    PostThreadMessage(thread_id_, WM_QUIT, 0, 0);
    thread_.join();
  }
  HWND window() const { return window_; }

 private:
  std::atomic<bool> ready_{false};
  HWND window_ = nullptr;
  DWORD thread_id_ = 0;
  std::thread thread_;
};

TEST_F(Queue, SendingToAnotherThreadRunsTheProcedureThereAndWaitsForTheAnswer) {
  ForeignWindow foreign;
  Log().Take();
  Answers() = {{WM_USER + 7, 1234}};
  EXPECT_EQ(SendMessage(foreign.window(), WM_USER + 7, 0, 0), 1234);
  EXPECT_TRUE(SetWindowText(foreign.window(), "renamed")) << "WM_SETTEXT crosses threads too";
  char text[32];
  EXPECT_EQ(GetWindowText(foreign.window(), text, sizeof text), 7) << "read without a message";
  EXPECT_STREQ(text, "renamed");
  const std::vector<Seen> seen = Log().Take();
  ExpectSequence(seen, {{WM_USER + 7}, {WM_SETTEXT}}, "only the sent messages reach the window");
}

// The other thread's window sends back to the sender's window while it handles the message: the
// sender serves that send while it waits, instead of both waiting for each other.
HWND g_back = nullptr;
LRESULT CALLBACK SendsBack(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_USER + 1) return SendMessage(g_back, WM_USER + 2, 0, 0) + 1;
  return DefWindowProc(w, m, wp, lp);
}

TEST_F(Queue, ASenderServesWhatIsSentToItWhileItWaits) {
  ForeignWindow foreign;
  SetWindowLongPtr(foreign.window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SendsBack));
  g_back = Make("back");
  Answers() = {{WM_USER + 2, 41}};
  EXPECT_EQ(SendMessage(foreign.window(), WM_USER + 1, 0, 0), 42);
}

TEST_F(Queue, SendMessageTimeoutGivesUpOnTheSandboxClock) {
  sandbox::SetClock(1000000);
  HANDLE go = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  std::atomic<HWND> window{nullptr};
  std::thread owner([&] {
    window = CreateWindowEx(0, kRecorder, "busy", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    WaitForSingleObject(go, INFINITE);  // busy: serves nothing until the test lets it go
    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
  });
  while (window == nullptr) std::this_thread::yield();
  std::atomic<bool> done{false};
  LRESULT answer = 1;
  DWORD error = 0;
  DWORD_PTR result = kPoison;
  std::thread sender([&] {
    answer = SendMessageTimeout(window, WM_USER, 0, 0, SMTO_NORMAL, 3600 * 1000, &result);
    error = GetLastError();
    done = true;
  });
  while (!done) {
    sandbox::AdvanceClock(3600 * 1000);
    std::this_thread::yield();
  }
  sender.join();
  SetEvent(go);
  owner.join();
  EXPECT_EQ(answer, 0);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_TIMEOUT));
  EXPECT_EQ(result, kPoison);
  for (const Seen& s : Log().Take()) EXPECT_NE(s.message, static_cast<UINT>(WM_USER)) << "withdrawn, never served";
  CloseHandle(go);
}

std::vector<UINT_PTR> g_fired;
void CALLBACK OnTimer(HWND, UINT message, UINT_PTR id, DWORD) {
  EXPECT_EQ(message, static_cast<UINT>(WM_TIMER));
  g_fired.push_back(id);
}

TEST_F(Queue, TimersFireWhenTheStandingClockPassesThem) {
  sandbox::SetClock(1000000);
  g_fired.clear();
  HWND window = Make("w");
  Log().Take();
  EXPECT_EQ(SetTimer(window, 5, 60 * 1000, nullptr), 5u);
  const UINT_PTR threadTimer = SetTimer(nullptr, 0, 120 * 1000, OnTimer);
  EXPECT_NE(threadTimer, 0u);
  EXPECT_EQ(Drain(), std::vector<UINT>{}) << "the clock stands";
  sandbox::AdvanceClock(60 * 1000);
  EXPECT_EQ(Drain(), std::vector<UINT>{WM_TIMER});
  ExpectSequence(Log().Take(), {{WM_TIMER, window}}, "the window's timer");
  sandbox::AdvanceClock(60 * 1000);
  EXPECT_EQ(Drain(), (std::vector<UINT>{WM_TIMER, WM_TIMER}));
  EXPECT_EQ(g_fired, std::vector<UINT_PTR>{threadTimer}) << "DispatchMessage calls a TIMERPROC";

  EXPECT_TRUE(KillTimer(window, 5));
  EXPECT_FALSE(KillTimer(window, 5));
  EXPECT_TRUE(KillTimer(nullptr, threadTimer));
  sandbox::AdvanceClock(600 * 1000);
  EXPECT_EQ(Drain(), std::vector<UINT>{});

  // A WM_TIMER posted with a procedure that no timer has runs nothing.
  PostMessage(nullptr, WM_TIMER, 9, reinterpret_cast<LPARAM>(OnTimer));
  EXPECT_EQ(Drain(), std::vector<UINT>{WM_TIMER});
  EXPECT_EQ(g_fired.size(), 1u);
}

TEST_F(Queue, GetMessageWaitingForATimerWakesWhenTheClockMoves) {
  sandbox::SetClock(1000000);
  std::atomic<bool> done{false};
  UINT message = 0;
  std::thread loop([&] {
    SetTimer(nullptr, 0, 3600 * 1000, nullptr);
    MSG msg;
    GetMessage(&msg, nullptr, 0, 0);
    message = msg.message;
    done = true;
  });
  while (!done) {
    sandbox::AdvanceClock(3600 * 1000);
    std::this_thread::yield();
  }
  loop.join();
  EXPECT_EQ(message, static_cast<UINT>(WM_TIMER));
}

TEST_F(Queue, MsgWaitForMultipleObjectsWaitsForHandlesOrInput) {
  HANDLE event = CreateEvent(nullptr, TRUE, TRUE, nullptr);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 0, QS_ALLINPUT), static_cast<DWORD>(WAIT_OBJECT_0));
  ResetEvent(event);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 0, QS_ALLINPUT), static_cast<DWORD>(WAIT_TIMEOUT));
  HWND window = Make("w");
  std::thread([window] { PostMessage(window, WM_USER, 0, 0); }).join();
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_POSTMESSAGE),
            static_cast<DWORD>(WAIT_OBJECT_0 + 1));
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 0, QS_SENDMESSAGE), static_cast<DWORD>(WAIT_TIMEOUT))
      << "a posted message is not a sent one";
  CloseHandle(event);
}

TEST_F(Queue, RegisteredMessagesAreSharedByName) {
  const UINT a = RegisterWindowMessage("StandIn.Ping");
  EXPECT_GE(a, 0xC000u);
  EXPECT_EQ(RegisterWindowMessage("standin.ping"), a);
  EXPECT_NE(RegisterWindowMessage("StandIn.Pong"), a);
  SetLastError(kPoison);
  EXPECT_EQ(RegisterWindowMessage(""), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
