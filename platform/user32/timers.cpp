// Timers: SetTimer and KillTimer. A timer lives in its thread's queue and is due on the sandbox
// clock; the queue makes its WM_TIMER when it has nothing else (message_queue.cpp).
#include <algorithm>

#include "message_queue.h"

using namespace user32;
using sandbox::internal::ClockDeadline;

extern "C" {

WINUSERAPI UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR idEvent, UINT elapse, TIMERPROC timerFunc) {
  elapse = std::clamp<UINT>(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  auto queue = MyQueue();
  std::lock_guard<std::mutex> g(Lock());
  if (window != nullptr) {
    auto w = FindLocked(window);
    if (!w) return Fail<UINT_PTR>(ERROR_INVALID_WINDOW_HANDLE, 0);
    if (w->thread != queue->thread) return Fail<UINT_PTR>(ERROR_ACCESS_DENIED, 0);
  }
  Timer* timer = nullptr;
  for (Timer& t : queue->timers)
    if (t.window == window && t.id == idEvent && (window != nullptr || idEvent != 0)) timer = &t;
  if (timer == nullptr) {
    queue->timers.push_back(Timer{window, idEvent, 0, nullptr, {}});
    timer = &queue->timers.back();
    if (window == nullptr) {  // a new thread timer gets an id of its own
      auto used = [&](UINT_PTR id) {
        for (const Timer& t : queue->timers)
          if (t.window == nullptr && t.id == id && &t != timer) return true;
        return false;
      };
      while (queue->nextTimerId == 0 || used(queue->nextTimerId)) ++queue->nextTimerId;
      timer->id = queue->nextTimerId++;
    }
  }
  timer->interval = elapse;
  timer->proc = timerFunc;
  timer->due = ClockDeadline::After(elapse);
  return window != nullptr && timer->id == 0 ? 1 : timer->id;
}

// FALSE when there is no such timer (of the window's thread, or of the calling thread without a
// window); the last error is left as it was.
WINUSERAPI BOOL WINAPI KillTimer(HWND window, UINT_PTR idEvent) {
  std::lock_guard<std::mutex> g(Lock());
  DWORD thread = GetCurrentThreadId();
  if (window != nullptr) {
    auto w = FindLocked(window);
    if (!w) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    thread = w->thread;
  }
  auto queue = QueueOfLocked(thread);
  if (!queue) return FALSE;
  return std::erase_if(queue->timers, [&](const Timer& t) { return t.window == window && t.id == idEvent; }) > 0;
}

}  // extern "C"
