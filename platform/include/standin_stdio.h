// The C run time's stream and printf calls that the system's code makes, as the platform's run
// time answers them. A system module's stdafx.h includes this header; it is the one way these
// calls reach the stand-ins:
//
// - A stream is a FILE of the host's C library whose reads, writes, seeks and close go through
//   msvcrt's StreamBuffer over a kernel32 handle (the buffering and text mode of CStdioFile), so
//   fgets, fread, fwrite, fputs, fflush, ferror and fclose are the host's own calls on it and
//   standard output is the host's.
// - The calls that take a Windows path or format with the platform's sizes are renamed here to
//   msvcrt's: fopen, remove and rename (through kernel32's path mapping point) and the printf
//   family (through the one formatter: %ld is 32 bits, exponents have three digits, "1e+020").
//   The renaming macros are function-like, so only calls are renamed.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdio>

#include "windef.h"

extern "C" {

// Modes "r", "w" with optional '+' and 'b' (binary) or 't' (text, the default): text mode writes
// "\n" as CR LF, reads CR LF as "\n" and ends at Ctrl-Z. The file is opened with CreateFile
// sharing reading and writing, so a directory never opens, a read-only file does not open for
// writing, and injected failures apply. NULL with errno on failure.
STANDIN_API FILE* msvcrt_fopen(const char* path, const char* mode);
// DeleteFile and MoveFile (an existing new name fails, EACCES): 0, or -1 with errno.
STANDIN_API int msvcrt_remove(const char* path);
STANDIN_API int msvcrt_rename(const char* oldName, const char* newName);

STANDIN_API int msvcrt_printf(const char* format, ...);
STANDIN_API int msvcrt_vprintf(const char* format, va_list args);
STANDIN_API int msvcrt_fprintf(FILE* stream, const char* format, ...);
STANDIN_API int msvcrt_vfprintf(FILE* stream, const char* format, va_list args);
STANDIN_API int msvcrt_sprintf(char* buffer, const char* format, ...);
STANDIN_API int msvcrt_vsprintf(char* buffer, const char* format, va_list args);
// At most `count` characters; the terminating NUL only when there is room for it; -1 when the
// text was cut.
STANDIN_API int _snprintf(char* buffer, size_t count, const char* format, ...);
STANDIN_API int _vsnprintf(char* buffer, size_t count, const char* format, va_list args);

}  // extern "C"

#define fopen(...) msvcrt_fopen(__VA_ARGS__)
#define remove(...) msvcrt_remove(__VA_ARGS__)
#define rename(...) msvcrt_rename(__VA_ARGS__)
#define printf(...) msvcrt_printf(__VA_ARGS__)
#define vprintf(...) msvcrt_vprintf(__VA_ARGS__)
#define fprintf(...) msvcrt_fprintf(__VA_ARGS__)
#define vfprintf(...) msvcrt_vfprintf(__VA_ARGS__)
#define sprintf(...) msvcrt_sprintf(__VA_ARGS__)
#define vsprintf(...) msvcrt_vsprintf(__VA_ARGS__)
