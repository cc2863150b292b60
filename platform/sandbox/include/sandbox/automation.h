// Sandbox control of OLE Automation (oleaut32): how many BSTRs and SAFEARRAYs are alive, and
// failures injected into the array calls. Implemented by oleaut32.
//
// On sandbox::Reset(): no failure is pending. The counts are the process's and are not reset:
// a test compares them before and after what it checks.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <cstddef>
#include <cstdint>
#include <string>

#include "sandbox/core.h"

namespace sandbox {

// BSTRs allocated by the Sys*String calls and not yet freed.
SANDBOX_API size_t LiveBstrs();
// SAFEARRAYs created (SafeArrayCreate, SafeArrayCreateVector, SafeArrayCopy) and not destroyed.
SANDBOX_API size_t LiveSafeArrays();

// The next `count` calls (-1: every call until cleared) of `function` fail with `result` and
// change nothing:
//   "SafeArrayCreate"      SafeArrayCreate and SafeArrayCreateVector return NULL
//   "SafeArrayPutElement"  returns `result`, the element keeps its value
//   "SafeArrayAccessData"  returns `result`, the array stays unlocked
// Throws std::invalid_argument for another function or a result that is not a failure.
SANDBOX_API void InjectAutomationFailure(const std::string& function, int32_t result = static_cast<int32_t>(0x8007000E),
                                         int count = 1);
SANDBOX_API void ClearAutomationFailures();

}  // namespace sandbox
