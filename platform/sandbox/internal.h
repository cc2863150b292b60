// What stand-in modules use of the sandbox core. Not part of any public surface.
#pragma once

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
// A modal moment: records it and returns the queued answer of its kind, or cancelResult.
SANDBOX_API Answer Ask(Modal modal, int cancelResult);
// The sandbox clock as 100-nanosecond intervals since 1601-01-01 UTC (Windows FILETIME scale).
SANDBOX_API uint64_t FileTimeNow();
SANDBOX_API int TimeZoneBiasMinutes();

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
