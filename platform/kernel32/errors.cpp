// Last error: one value per thread, as GetLastError/SetLastError document.
#include <windows.h>

namespace {
thread_local DWORD t_lastError = ERROR_SUCCESS;
}

extern "C" {

WINBASEAPI DWORD WINAPI GetLastError() { return t_lastError; }

WINBASEAPI void WINAPI SetLastError(DWORD error) { t_lastError = error; }

}  // extern "C"
