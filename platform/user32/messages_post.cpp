// Posting: PostMessage, PostThreadMessage, PostQuitMessage. Thread-safe; the receiving thread is
// woken.
#include "message_queue.h"

using namespace user32;

extern "C" {

WINUSERAPI BOOL WINAPI PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == HWND_BROADCAST) STANDIN_UNMODELLED_LASTERROR(FALSE);
  if (window == nullptr) return PostThreadMessage(GetCurrentThreadId(), message, wParam, lParam);
  const DWORD now = GetTickCount();
  std::shared_ptr<ThreadQueue> queue;
  {
    std::lock_guard<std::mutex> g(Lock());
    auto w = FindLocked(window);
    if (!w) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    queue = QueueOfLocked(w->thread);
    if (!queue) return Fail(ERROR_ACCESS_DENIED, FALSE);  // the desktop: no thread reads its messages
    queue->posted.push_back(MSG{window, message, wParam, lParam, now, {0, 0}});
  }
  Wake(*queue);
  return TRUE;
}

WINUSERAPI BOOL WINAPI PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  if (threadId == GetCurrentThreadId()) MyQueue();
  const DWORD now = GetTickCount();
  std::shared_ptr<ThreadQueue> queue;
  {
    std::lock_guard<std::mutex> g(Lock());
    queue = QueueOfLocked(threadId);
    if (!queue) return Fail(ERROR_INVALID_THREAD_ID, FALSE);
    queue->posted.push_back(MSG{nullptr, message, wParam, lParam, now, {0, 0}});
  }
  Wake(*queue);
  return TRUE;
}

WINUSERAPI void WINAPI PostQuitMessage(int exitCode) {
  auto queue = MyQueue();
  {
    std::lock_guard<std::mutex> g(Lock());
    queue->quit = true;
    queue->quitCode = exitCode;
  }
  Wake(*queue);
}

}  // extern "C"
