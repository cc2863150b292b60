// Sandbox core: resetting the world, strict mode, unmodelled calls, the clock, the code page.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#define SANDBOX_API __attribute__((visibility("default")))

namespace sandbox {

// Puts every stand-in back into its start state: empty registry, default drives and current
// directory, code page 1252, real clock, no queued answers, no injected failures, strict off.
// Modules reset newest first (the reverse of their loading), so a module built on others finds
// them working while it puts itself back.
SANDBOX_API void Reset();

// In strict mode an unmodelled platform call or a modal moment without a queued answer fails
// the running test (through the failure handler) instead of only being recorded.
SANDBOX_API void SetStrict(bool strict);
SANDBOX_API bool IsStrict();
using FailureHandler = std::function<void(const std::string& message)>;
SANDBOX_API void SetFailureHandler(FailureHandler handler);

// Platform calls that a stand-in does not model, each recorded once, in call order.
SANDBOX_API std::vector<std::string> UnmodelledCalls();
SANDBOX_API void ClearUnmodelledCalls();

// The sandbox clock, in milliseconds since 1970-01-01 00:00:00 UTC. By default it follows the
// host's clock; once set it stands still until set or advanced again.
//
// Waits follow it (Sleep, timed waits, timers): on the real clock they last their time; on a
// standing clock a wait of N ms ends as soon as the test moves the clock N ms past the wait's
// start, or after N ms of real time at the latest, so a wait never hangs and a loop that waits
// for N sandbox seconds runs until the test advances the clock.
SANDBOX_API void SetClock(int64_t unixMilliseconds);
SANDBOX_API void AdvanceClock(int64_t milliseconds);
SANDBOX_API void UseRealClock();
SANDBOX_API int64_t ClockNow();
// With the switch on, a Sleep while the clock stands moves the clock by its length at once and
// returns, as if that time had passed (code that waits a fixed time then costs a test nothing).
// Other waits are not affected; on the real clock Sleep lasts its time. Off after a reset.
SANDBOX_API void SetSleepMovesClock(bool on);
// Offset of local time from UTC in minutes (0 by default), as the time-zone setting of the machine.
SANDBOX_API void SetTimeZoneBias(int minutesEastOfUtc);

// The process's ANSI code page: 1252 (default) or 932 (double-byte).
SANDBOX_API void SetCodePage(unsigned codePage);

}  // namespace sandbox
