// A thread's queue: serving sent messages, taking posted ones, WM_QUIT and timers, in the
// platform's order.
#include "message_queue.h"
#include "keyboard.h"
#include "painting.h"
#include "pointer.h"

namespace user32 {

using sandbox::internal::ClockDeadline;

void ServeIncoming(const std::shared_ptr<ThreadQueue>& queue) {
  for (;;) {
    std::shared_ptr<SentMessage> sent;
    WNDPROC proc = nullptr;
    {
      std::lock_guard<std::mutex> g(Lock());
      if (queue->incoming.empty()) return;
      sent = queue->incoming.front();
      queue->incoming.pop_front();
      if (auto window = FindLocked(sent->window)) proc = window->proc;
    }
    const LRESULT result = proc != nullptr ? proc(sent->window, sent->message, sent->wParam, sent->lParam) : 0;
    {
      std::lock_guard<std::mutex> g(Lock());
      sent->result = result;
      sent->done = true;
    }
    Wake(*sent->sender);
  }
}

Fetched Fetch(const std::shared_ptr<ThreadQueue>& queue, MSG& msg, HWND filter, UINT filterMin, UINT filterMax,
              bool remove) {
  ServeIncoming(queue);
  pointer::PostDueHover();
  const DWORD now = GetTickCount();
  std::lock_guard<std::mutex> g(Lock());
  const auto inRange = [&](UINT message) {
    return (filterMin == 0 && filterMax == 0) || (message >= filterMin && message <= filterMax);
  };
  const HWND threadOnly = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));
  const auto forWindow = [&](HWND window) {
    return filter == nullptr || (filter == threadOnly ? window == nullptr : window == filter);
  };
  for (auto it = queue->posted.begin(); it != queue->posted.end(); ++it) {
    if (it->message != WM_QUIT && !(inRange(it->message) && forWindow(it->hwnd))) continue;
    msg = *it;
    if (remove) {
      queue->posted.erase(it);
      keyboard::NoteRetrievedLocked(*queue, msg);
    }
    queue->lastMessageTime = msg.time;
    return msg.message == WM_QUIT ? Fetched::kQuit : Fetched::kMessage;
  }
  if (queue->quit) {
    msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue->quitCode), 0, now, {0, 0}};
    if (remove) queue->quit = false;
    queue->lastMessageTime = now;
    return Fetched::kQuit;
  }
  // WM_PAINT stays in the queue until the window's update region is validated.
  if (inRange(WM_PAINT) && filter != threadOnly) {
    if (HWND window = PendingPaintLocked(queue->thread, filter)) {
      msg = MSG{window, WM_PAINT, 0, 0, now, {0, 0}};
      queue->lastMessageTime = now;
      return Fetched::kMessage;
    }
  }
  if (inRange(WM_TIMER)) {
    for (Timer& timer : queue->timers) {
      if (!forWindow(timer.window) || !timer.due.Passed()) continue;
      msg = MSG{timer.window, WM_TIMER, timer.id, reinterpret_cast<LPARAM>(timer.proc), now, {0, 0}};
      if (remove) timer.due = ClockDeadline::After(timer.interval);
      queue->lastMessageTime = now;
      return Fetched::kMessage;
    }
  }
  return Fetched::kNothing;
}

bool HasInputLocked(const ThreadQueue& queue, DWORD wakeMask) {
  if ((wakeMask & (QS_POSTMESSAGE | QS_ALLPOSTMESSAGE)) && (!queue.posted.empty() || queue.quit)) return true;
  if ((wakeMask & QS_SENDMESSAGE) && !queue.incoming.empty()) return true;
  if ((wakeMask & QS_PAINT) && PendingPaintLocked(queue.thread, nullptr) != nullptr) return true;
  if (wakeMask & QS_TIMER)
    for (const Timer& timer : queue.timers)
      if (timer.due.Passed()) return true;
  return false;
}

ClockDeadline NextTimerLocked(const ThreadQueue& queue) {
  ClockDeadline next = ClockDeadline::Never();
  for (const Timer& timer : queue.timers)
    if (!timer.due.Passed()) next = ClockDeadline::Earlier(next, timer.due);
  return next;
}

void WaitForQueue(const ThreadQueue& queue, const ClockDeadline& deadline) {
  ClockDeadline until = deadline;
  {
    std::lock_guard<std::mutex> g(Lock());
    until = ClockDeadline::Earlier(until, NextTimerLocked(queue));
    until = ClockDeadline::Earlier(until, pointer::HoverDeadlineLocked(queue.thread));
  }
  WaitForSingleObject(queue.wake, until.RemainingMs());
}

}  // namespace user32
