// Sandbox control of kernel32's synchronisation objects: how many mutexes are open, and failing
// their creation. Implemented by kernel32.
//
// On sandbox::Reset(): no failure is pending and mutex handles still open are closed.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <cstddef>
#include <cstdint>

#include "sandbox/core.h"

namespace sandbox {

// Mutex handles that CreateMutex returned and CloseHandle has not closed yet.
SANDBOX_API size_t LiveMutexes();
// The next `count` CreateMutex calls return NULL with last error `error` (not 0) and create
// nothing.
SANDBOX_API void FailMutexCreation(uint32_t error = 8 /* ERROR_NOT_ENOUGH_MEMORY */, int count = 1);

}  // namespace sandbox
