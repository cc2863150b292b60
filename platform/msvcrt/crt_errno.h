// How the run-time turns a Win32 error of a kernel32 call into errno.
#pragma once

#include <windows.h>

namespace msvcrt {

int ErrnoFromWin32(DWORD error);
// Sets errno from the last error and returns -1 (the run-time's failure result).
int FailFromLastError();

}  // namespace msvcrt
