// Sandbox view of the debugger output (OutputDebugString). Implemented by kernel32.
//
// On sandbox::Reset(): nothing recorded.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <string>
#include <vector>

#include "sandbox/core.h"

namespace sandbox {

// The texts written with OutputDebugString since the last reset or clear, one per call, in call
// order (from every thread). Each is also written to standard error as it comes.
SANDBOX_API std::vector<std::string> DebugOutput();
SANDBOX_API void ClearDebugOutput();

}  // namespace sandbox
