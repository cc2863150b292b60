// printf formatting as the platform's run time does it, whatever the host's sizes: 'h' is 16 bits,
// no prefix and 'l' are 32 bits, I64 (and ll) 64 bits, 'I' pointer size; %S and %ls take wide
// (UTF-16) text; %p prints the address as upper-case hex digits without "0x".
//
// The one formatter of the process: the run time's printf family and MFC's CString::Format and
// TRACE all format through it.
#pragma once

#include <windef.h>

#include <cstdarg>
#include <string>

namespace msvcrt {

// Appends the formatted text to `out`. A conversion that cannot be formatted (%n, an unknown
// type letter) is copied as written and reported as an assertion failure (debug builds).
STANDIN_API void FormatPlatformPrintf(std::string& out, const char* format, va_list args);

}  // namespace msvcrt
