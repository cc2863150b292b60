// SendMessage and SendMessageTimeout: a direct call for a window of the calling thread; for a
// window of another thread the message waits in that thread's queue, and the sender serves what
// is sent to it until its own message is answered.
#include "message_queue.h"

namespace user32 {
namespace {

using sandbox::internal::ClockDeadline;

struct Target {
  WNDPROC proc = nullptr;
  DWORD thread = 0;
  std::shared_ptr<ThreadQueue> queue;
};

bool Resolve(HWND window, Target& target) {
  std::lock_guard<std::mutex> g(Lock());
  auto w = FindLocked(window);
  if (!w) return Fail(ERROR_INVALID_WINDOW_HANDLE, false);
  target.proc = w->proc;
  target.thread = w->thread;
  target.queue = QueueOfLocked(w->thread);
  return true;
}

enum class Outcome { kAnswered, kTimedOut };

Outcome SendAcross(const Target& target, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                   const ClockDeadline& deadline, bool serveWhileWaiting, LRESULT& result) {
  auto me = MyQueue();
  auto sent = std::make_shared<SentMessage>();
  *sent = SentMessage{window, message, wParam, lParam, 0, false, false, me};
  {
    std::lock_guard<std::mutex> g(Lock());
    if (QueueOfLocked(target.thread) != target.queue) {  // the thread ended meanwhile
      result = 0;
      return Outcome::kAnswered;
    }
    target.queue->incoming.push_back(sent);
  }
  Wake(*target.queue);
  for (;;) {
    if (serveWhileWaiting) ServeIncoming(me);
    {
      std::lock_guard<std::mutex> g(Lock());
      if (sent->done) {
        result = sent->result;
        return Outcome::kAnswered;
      }
      if (deadline.Passed()) {
        std::erase(target.queue->incoming, sent);
        sent->withdrawn = true;
        return Outcome::kTimedOut;
      }
    }
    WaitForSingleObject(me->wake, deadline.RemainingMs());
  }
}

}  // namespace
}  // namespace user32

using namespace user32;

extern "C" {

WINUSERAPI LRESULT WINAPI SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == HWND_BROADCAST) STANDIN_UNMODELLED_LASTERROR(0);
  Target target;
  if (!Resolve(window, target)) return 0;
  if (target.thread == 0 || target.thread == GetCurrentThreadId())
    return target.proc != nullptr ? target.proc(window, message, wParam, lParam) : 0;
  LRESULT result = 0;
  SendAcross(target, window, message, wParam, lParam, sandbox::internal::ClockDeadline::Never(), true, result);
  return result;
}

WINUSERAPI LRESULT WINAPI SendMessageTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                                             UINT timeout, PDWORD_PTR result) {
  if (window == HWND_BROADCAST) STANDIN_UNMODELLED_LASTERROR(0);
  Target target;
  if (!Resolve(window, target)) return 0;
  LRESULT answer = 0;
  if (target.thread == 0 || target.thread == GetCurrentThreadId()) {
    answer = target.proc != nullptr ? target.proc(window, message, wParam, lParam) : 0;
  } else if (SendAcross(target, window, message, wParam, lParam, sandbox::internal::ClockDeadline::After(timeout),
                        (flags & SMTO_BLOCK) == 0, answer) == Outcome::kTimedOut) {
    return Fail(ERROR_TIMEOUT, 0);
  }
  if (result != nullptr) *result = static_cast<DWORD_PTR>(answer);
  return 1;
}

}  // extern "C"
