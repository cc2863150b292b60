// kernel32: last error, messages, local memory, time, code page, modules and resources.
// File and directory calls are in fileapi.h.
#pragma once

#include "windef.h"
#include "winerror.h"

extern "C" {

// Last error, per thread.
WINBASEAPI DWORD WINAPI GetLastError();
WINBASEAPI void WINAPI SetLastError(DWORD error);

// FormatMessage.
#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_FROM_STRING 0x00000400
#define FORMAT_MESSAGE_FROM_HMODULE 0x00000800
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000
#define FORMAT_MESSAGE_MAX_WIDTH_MASK 0x000000FF
WINBASEAPI DWORD WINAPI FormatMessage(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId,
                                      LPSTR buffer, DWORD size, void* arguments);

// Local memory.
#define LMEM_FIXED 0x0000
#define LMEM_ZEROINIT 0x0040
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)
WINBASEAPI HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes);
WINBASEAPI HLOCAL WINAPI LocalFree(HLOCAL memory);

// Global memory: fixed blocks (the handle is the address) and moveable ones (GlobalLock gives the
// address). GlobalFree returns NULL when it freed the block, else the handle.
#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)
WINBASEAPI HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes);
WINBASEAPI LPVOID WINAPI GlobalLock(HGLOBAL memory);
WINBASEAPI BOOL WINAPI GlobalUnlock(HGLOBAL memory);
WINBASEAPI SIZE_T WINAPI GlobalSize(HGLOBAL memory);
WINBASEAPI HGLOBAL WINAPI GlobalFree(HGLOBAL memory);

// Time, on the sandbox clock.
WINBASEAPI void WINAPI GetSystemTimeAsFileTime(LPFILETIME time);
WINBASEAPI void WINAPI GetSystemTime(LPSYSTEMTIME time);
WINBASEAPI void WINAPI GetLocalTime(LPSYSTEMTIME time);
WINBASEAPI BOOL WINAPI FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime);
WINBASEAPI BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* systemTime, LPFILETIME fileTime);
WINBASEAPI BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* fileTime, LPFILETIME localFileTime);
WINBASEAPI BOOL WINAPI LocalFileTimeToFileTime(const FILETIME* localFileTime, LPFILETIME fileTime);
WINBASEAPI LONG WINAPI CompareFileTime(const FILETIME* a, const FILETIME* b);
WINBASEAPI DWORD WINAPI GetTickCount();
// number * numerator / denominator through a 64-bit product, rounded to the nearest; -1 for a zero
// denominator or a result that does not fit.
WINBASEAPI int WINAPI MulDiv(int number, int numerator, int denominator);

// Code page and double-byte text (the process's ANSI code page).
#define CP_ACP 0
#define CP_OEMCP 1
#define CP_UTF8 65001
#define MB_PRECOMPOSED 0x00000001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_NO_BEST_FIT_CHARS 0x00000400
WINBASEAPI UINT WINAPI GetACP();
WINBASEAPI BOOL WINAPI IsDBCSLeadByte(BYTE testChar);
WINBASEAPI BOOL WINAPI IsDBCSLeadByteEx(UINT codePage, BYTE testChar);
WINBASEAPI LPSTR WINAPI CharNext(LPCSTR current);
WINBASEAPI LPSTR WINAPI CharPrev(LPCSTR start, LPCSTR current);
WINBASEAPI int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR multiByte, int multiByteLength,
                                          LPWSTR wide, int wideLength);
WINBASEAPI int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideLength,
                                          LPSTR multiByte, int multiByteLength, LPCSTR defaultChar,
                                          LPBOOL usedDefaultChar);
WINBASEAPI int WINAPI lstrlen(LPCSTR text);
WINBASEAPI LPSTR WINAPI lstrcpyn(LPSTR target, LPCSTR source, int maxLength);
WINBASEAPI int WINAPI lstrcmpi(LPCSTR a, LPCSTR b);
WINBASEAPI int WINAPI lstrcmp(LPCSTR a, LPCSTR b);

// Modules and resources. A module handle is the module's base address, as on Windows.
typedef INT_PTR(WINAPI* FARPROC)();
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3
#define RT_STRING MAKEINTRESOURCE(6)
WINBASEAPI HMODULE WINAPI LoadLibrary(LPCSTR fileName);
WINBASEAPI BOOL WINAPI FreeLibrary(HMODULE module);
WINBASEAPI FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR procName);
WINBASEAPI BOOL WINAPI DisableThreadLibraryCalls(HMODULE module);
// A module's entry point: exported under its plain name so that the loader finds and calls it.
STANDIN_API BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
WINBASEAPI HMODULE WINAPI GetModuleHandle(LPCSTR moduleName);
WINBASEAPI DWORD WINAPI GetModuleFileName(HMODULE module, LPSTR fileName, DWORD size);
#define GET_MODULE_HANDLE_EX_FLAG_PIN 0x00000001
#define GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT 0x00000002
#define GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS 0x00000004
WINBASEAPI BOOL WINAPI GetModuleHandleEx(DWORD flags, LPCSTR moduleName, HMODULE* module);
WINBASEAPI HRSRC WINAPI FindResource(HMODULE module, LPCSTR name, LPCSTR type);
WINBASEAPI HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
WINBASEAPI LPVOID WINAPI LockResource(HGLOBAL resourceData);
WINBASEAPI DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);

// Threads.
WINBASEAPI DWORD WINAPI GetCurrentThreadId();
WINBASEAPI DWORD WINAPI GetCurrentProcessId();
WINBASEAPI void WINAPI Sleep(DWORD milliseconds);

// Debug output (goes to standard error).
WINBASEAPI void WINAPI OutputDebugString(LPCSTR text);
// No debugger is attached: the break is recorded for the sandbox and the program goes on.
WINBASEAPI void WINAPI DebugBreak();

// The process's environment, as the sandbox sets it. The length of the value without its NUL when
// it fits into `size` characters; else the size it needs (with the NUL), the buffer untouched; 0
// with ERROR_ENVVAR_NOT_FOUND for a variable that is not set.
WINBASEAPI DWORD WINAPI GetEnvironmentVariable(LPCSTR name, LPSTR buffer, DWORD size);
// Ends the process, in the platform's terms; here the end is recorded for the sandbox and the call
// returns, so a test goes on (sandbox/process.h).
WINBASEAPI void WINAPI ExitProcess(UINT exitCode);

// The version of the system. dwOSVersionInfoSize must be set to the size of the structure before
// the call.
#define VER_PLATFORM_WIN32s 0
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2
typedef struct _OSVERSIONINFO {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  CHAR szCSDVersion[128];
} OSVERSIONINFO, *POSVERSIONINFO, *LPOSVERSIONINFO;
WINBASEAPI BOOL WINAPI GetVersionEx(LPOSVERSIONINFO versionInfo);
// The same packed into one value: major version in the low byte, minor in the next, the build in
// the low 15 bits of the high word, whose high bit is set on every platform but Windows NT.
WINBASEAPI DWORD WINAPI GetVersion();

}  // extern "C"
