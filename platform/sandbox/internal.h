// What stand-in modules use of the sandbox core. Not part of any public surface.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "sandbox/core.h"
#include "sandbox/user.h"

namespace sandbox::internal {

// Records an unmodelled call once and, in strict mode, fails the running test.
SANDBOX_API void ReportUnmodelled(const char* function);
// Reports a misuse of the platform that a real system would crash or misbehave on.
SANDBOX_API void Fail(const std::string& message);
// Every stand-in module registers how to put itself back into its start state.
SANDBOX_API void RegisterReset(const char* module, std::function<void()> reset);
// A modal moment: records it and returns the queued answer of its kind, or cancelResult. A modal
// that can stay up (a message box left alone) takes a ticket and reports how it ended with
// FinishModal; a ticket whose record was cleared meanwhile is ignored.
SANDBOX_API Answer Ask(Modal modal, int cancelResult, uint64_t* ticket = nullptr);
SANDBOX_API void FinishModal(uint64_t ticket, int result);
// The sandbox clock as 100-nanosecond intervals since 1601-01-01 UTC (Windows FILETIME scale).
SANDBOX_API uint64_t FileTimeNow();
// Sleep's question: with SetSleepMovesClock on and the clock standing, moves the clock by
// `milliseconds` (waking the waits on it) and answers true; else false, nothing changed.
SANDBOX_API bool SleepOnStandingClock(uint32_t milliseconds);
SANDBOX_API int TimeZoneBiasMinutes();
// Calls `listener` after every change of the sandbox clock (set, advanced, back to the real clock,
// reset), outside the sandbox's lock, so that waits on the clock can look again. Listeners stay
// for the life of the process.
SANDBOX_API void OnClockChange(std::function<void()> listener);

// The end of a wait of `milliseconds` on the sandbox clock: reached when the clock has moved that
// far past the wait's start, or when as much real time has passed (the real end bounds a wait on
// a standing clock, so nothing hangs). Host waits sleep until RealEnd() and look again whenever
// the clock changes (OnClockChange).
class ClockDeadline {
 public:
  using RealClock = std::chrono::steady_clock;
  static ClockDeadline Never() { return ClockDeadline(); }
  static ClockDeadline After(uint32_t milliseconds) {
    ClockDeadline d;
    d.finite_ = true;
    d.clockEnd_ = ClockNow() + milliseconds;
    d.realEnd_ = RealClock::now() + std::chrono::milliseconds(milliseconds);
    return d;
  }
  bool IsNever() const { return !finite_; }
  bool Passed() const { return finite_ && (RealClock::now() >= realEnd_ || ClockNow() >= clockEnd_); }
  RealClock::time_point RealEnd() const { return realEnd_; }
  // What is left, in milliseconds, by whichever end is nearer (0 once passed).
  uint32_t RemainingMs() const {
    if (!finite_) return 0xFFFFFFFF;
    const int64_t byClock = clockEnd_ - ClockNow();
    const int64_t byReal =
        std::chrono::ceil<std::chrono::milliseconds>(realEnd_ - RealClock::now()).count();
    return static_cast<uint32_t>(std::clamp<int64_t>(std::min(byClock, byReal), 0, 0xFFFFFFFE));
  }
  // The nearer of two ends.
  static ClockDeadline Earlier(const ClockDeadline& a, const ClockDeadline& b) {
    if (!a.finite_) return b;
    if (!b.finite_) return a;
    ClockDeadline d = a;
    d.clockEnd_ = std::min(a.clockEnd_, b.clockEnd_);
    d.realEnd_ = std::min(a.realEnd_, b.realEnd_);
    return d;
  }

 private:
  bool finite_ = false;
  int64_t clockEnd_ = 0;
  RealClock::time_point realEnd_{};
};

}  // namespace sandbox::internal

// An unmodelled call is loud, never a fake success: it is recorded, fails a strict test, and
// answers what the platform answers for a function that is not implemented.
#define STANDIN_UNMODELLED_LASTERROR(result)                     \
  do {                                                           \
    ::sandbox::internal::ReportUnmodelled(__func__);             \
    ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED);                  \
    return result;                                               \
  } while (0)
#define STANDIN_UNMODELLED_RETURN(result)            \
  do {                                               \
    ::sandbox::internal::ReportUnmodelled(__func__); \
    return result;                                   \
  } while (0)
