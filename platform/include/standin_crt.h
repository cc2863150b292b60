// The C run-time's Windows-only functions the system calls: path splitting and joining, the
// directory calls (through kernel32, so the same mapping point and current directory), the
// multi-byte helpers of the process code page, and the underscore string helpers. Names that
// POSIX also defines (stricmp, mkdir, access, ...) are not declared again.
#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "windef.h"

#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

extern "C" {

// Paths (stdlib.h). _splitpath/_makepath keep a double-byte character whole: a trail byte 0x5C
// is no separator.
STANDIN_API void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
STANDIN_API void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext);
STANDIN_API char* _fullpath(char* absPath, const char* relPath, size_t maxLength);

// Directories (direct.h) and access (io.h). Failures return -1 (NULL for _getcwd) with errno.
STANDIN_API char* _getcwd(char* buffer, int maxLength);
STANDIN_API int _chdir(const char* dirName);
STANDIN_API int _mkdir(const char* dirName);
STANDIN_API int _rmdir(const char* dirName);
STANDIN_API int _access(const char* path, int mode);

// Multi-byte characters of the process code page (mbctype.h, mbstring.h).
STANDIN_API int _ismbblead(unsigned int c);
STANDIN_API int _ismbbtrail(unsigned int c);
STANDIN_API unsigned char* _mbsinc(const unsigned char* current);
STANDIN_API unsigned char* _mbsdec(const unsigned char* start, const unsigned char* current);
STANDIN_API size_t _mbclen(const unsigned char* c);
STANDIN_API unsigned char* _mbschr(const unsigned char* str, unsigned int c);
STANDIN_API unsigned char* _mbsrchr(const unsigned char* str, unsigned int c);
STANDIN_API unsigned char* _mbsstr(const unsigned char* str, const unsigned char* substr);
STANDIN_API int _mbscmp(const unsigned char* a, const unsigned char* b);

// Strings (string.h, stdlib.h), in the "C" locale: only ASCII letters change case.
STANDIN_API int _stricmp(const char* a, const char* b);
STANDIN_API int _strnicmp(const char* a, const char* b, size_t count);
STANDIN_API char* _strlwr(char* text);
STANDIN_API char* _strupr(char* text);
// `long` is 32 bits on Windows, hence LONG/ULONG.
STANDIN_API char* _itoa(int value, char* buffer, int radix);
STANDIN_API char* _ltoa(LONG value, char* buffer, int radix);
STANDIN_API char* _ultoa(ULONG value, char* buffer, int radix);

}  // extern "C"

// Formatted input from UTF-16 text (stdio.h, wchar.h), with the platform's sizes: for integers
// 'h' is 16 bits, no prefix and 'l' 32 bits, "ll"/"I64" 64 bits; for floating point no prefix
// stores a float and 'l' a double; %c and %s store UTF-16 characters (%hc, %hs the code page's
// bytes). Integers that do not fit wrap; no hexadecimal floating point, "inf" or "nan". The
// number of values stored, or EOF when the text ended before the first conversion. A null text
// is a fault of the caller (reported to the sandbox), as it faults on the platform.
STANDIN_API int swscanf(const char16_t* buffer, const char16_t* format, ...);
