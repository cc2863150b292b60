// What the message calls share: serving messages other threads sent, taking the next message of
// a queue, and what a queue has to offer.
#pragma once

#include "user_state.h"

namespace user32 {

// Calls the window procedure for every message other threads sent to this thread, in order, and
// lets each sender go on.
void ServeIncoming(const std::shared_ptr<ThreadQueue>& queue);

enum class Fetched { kNothing, kMessage, kQuit };
// Serves sent messages, then takes (or, without `remove`, looks at) the next posted message
// within the filter, else WM_QUIT, else a WM_PAINT (left in the queue until the window is
// validated), else a due timer's WM_TIMER.
Fetched Fetch(const std::shared_ptr<ThreadQueue>& queue, MSG& msg, HWND filter, UINT filterMin, UINT filterMax,
              bool remove);

// With the lock held: whether the queue has what the QS_* mask names, and when its next timer
// becomes due (never without one that is still to come; a due timer a filter keeps out must not
// end every wait at once).
bool HasInputLocked(const ThreadQueue& queue, DWORD wakeMask);
sandbox::internal::ClockDeadline NextTimerLocked(const ThreadQueue& queue);

// Sleeps until something arrives for the thread or the deadline (or a timer) is due.
void WaitForQueue(const ThreadQueue& queue, const sandbox::internal::ClockDeadline& deadline);

}  // namespace user32
