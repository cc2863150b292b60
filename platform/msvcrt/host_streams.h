// The host's C library side of the run time's FILE streams: a host FILE whose reads, writes,
// seeks and close are served by a StreamBuffer over a kernel32 handle.
#pragma once

#include <windows.h>

#include <cstdio>

namespace msvcrt {

// A FILE over `file` (owned from now on: fclose closes it), or NULL with errno (the handle is
// closed then). `mode` is the host's mode string for the same access ("r", "w", "r+", "w+").
FILE* OpenHostStream(HANDLE file, bool text, bool canRead, bool canWrite, const char* mode);

}  // namespace msvcrt
