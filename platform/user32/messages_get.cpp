// Taking messages: GetMessage, PeekMessage, WaitMessage, MsgWaitForMultipleObjects, and
// dispatching them.
#include <vector>

#include "capture.h"
#include "message_queue.h"

using namespace user32;
using sandbox::internal::ClockDeadline;

namespace {

const HWND kThreadMessages = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));

bool ValidFilter(HWND filter) { return filter == nullptr || filter == kThreadMessages || IsWindow(filter); }

}  // namespace

extern "C" {

WINUSERAPI BOOL WINAPI GetMessage(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
  if (msg == nullptr) return Fail(ERROR_INVALID_PARAMETER, -1);
  if (!ValidFilter(window)) return Fail(ERROR_INVALID_WINDOW_HANDLE, -1);
  auto queue = MyQueue();
  for (;;) {
    switch (Fetch(queue, *msg, window, filterMin, filterMax, true)) {
      case Fetched::kMessage: return TRUE;
      case Fetched::kQuit: return FALSE;
      case Fetched::kNothing: break;
    }
    if (capture::AnswerCapturedWait()) continue;
    WaitForQueue(*queue, ClockDeadline::Never());
  }
}

// PM_QS_* flags (which kinds of message to look at) are not modelled.
WINUSERAPI BOOL WINAPI PeekMessage(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if ((removeFlags & ~(PM_REMOVE | PM_NOYIELD)) != 0) STANDIN_UNMODELLED_LASTERROR(FALSE);
  if (msg == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  if (!ValidFilter(window)) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  return Fetch(MyQueue(), *msg, window, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) != Fetched::kNothing;
}

WINUSERAPI BOOL WINAPI WaitMessage() {
  auto queue = MyQueue();
  for (;;) {
    {
      std::lock_guard<std::mutex> g(Lock());
      if (HasInputLocked(*queue, QS_ALLINPUT)) return TRUE;
    }
    if (capture::AnswerCapturedWait()) continue;
    WaitForQueue(*queue, ClockDeadline::Never());
  }
}

WINUSERAPI DWORD WINAPI MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                                  DWORD wakeMask) {
  if (waitAll) STANDIN_UNMODELLED_LASTERROR(WAIT_FAILED);
  if (count >= MAXIMUM_WAIT_OBJECTS || (count > 0 && handles == nullptr))
    return Fail(ERROR_INVALID_PARAMETER, WAIT_FAILED);
  auto queue = MyQueue();
  std::vector<HANDLE> all(handles, handles + count);
  all.push_back(queue->wake);
  const ClockDeadline deadline = milliseconds == INFINITE ? ClockDeadline::Never() : ClockDeadline::After(milliseconds);
  for (;;) {
    if (count > 0) {
      const DWORD signalled = WaitForMultipleObjects(count, handles, FALSE, 0);
      if (signalled != WAIT_TIMEOUT) return signalled;  // one of them, or WAIT_FAILED
    }
    ClockDeadline until = deadline;
    {
      std::lock_guard<std::mutex> g(Lock());
      if (HasInputLocked(*queue, wakeMask)) return WAIT_OBJECT_0 + count;
      if (wakeMask & QS_TIMER) until = ClockDeadline::Earlier(until, NextTimerLocked(*queue));
    }
    if (deadline.Passed()) return WAIT_TIMEOUT;
    const DWORD woken = WaitForMultipleObjects(count + 1, all.data(), FALSE, until.RemainingMs());
    if (woken == WAIT_FAILED) return WAIT_FAILED;
    if (woken < WAIT_OBJECT_0 + count) return woken;
  }
}

WINUSERAPI LRESULT WINAPI DispatchMessage(const MSG* msg) {
  if (msg == nullptr) return Fail(ERROR_INVALID_PARAMETER, 0);
  if (msg->message == WM_TIMER && msg->lParam != 0) {
    // Only a timer the thread set calls its procedure: a posted WM_TIMER cannot name code to run.
    const auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    bool known = false;
    {
      std::lock_guard<std::mutex> g(Lock());
      if (auto queue = QueueOfLocked(GetCurrentThreadId()))
        for (const Timer& timer : queue->timers)
          known = known || (timer.window == msg->hwnd && timer.id == msg->wParam && timer.proc == proc);
    }
    if (known) proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
    return 0;
  }
  if (msg->hwnd == nullptr) return 0;
  WNDPROC proc = nullptr;
  {
    std::lock_guard<std::mutex> g(Lock());
    auto window = FindLocked(msg->hwnd);
    if (!window) return Fail(ERROR_INVALID_WINDOW_HANDLE, 0);
    if (window->thread != 0 && window->thread != GetCurrentThreadId()) return Fail(ERROR_WINDOW_OF_OTHER_THREAD, 0);
    proc = window->proc;
  }
  return proc != nullptr ? proc(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

WINUSERAPI LONG WINAPI GetMessageTime() {
  std::lock_guard<std::mutex> g(Lock());
  auto queue = QueueOfLocked(GetCurrentThreadId());
  return queue ? static_cast<LONG>(queue->lastMessageTime) : 0;
}

WINUSERAPI UINT WINAPI RegisterWindowMessage(LPCSTR name) {
  if (name == nullptr || name[0] == '\0') return Fail(ERROR_INVALID_PARAMETER, 0u);
  std::lock_guard<std::mutex> g(Lock());
  const ATOM atom = AtomLocked(name, true);
  return atom != 0 ? atom : Fail(ERROR_NOT_ENOUGH_MEMORY, 0u);
}

}  // extern "C"
