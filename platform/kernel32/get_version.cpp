// GetVersion: the platform GetVersionEx reports (sandbox/system.h), packed into one DWORD as
// documented: the low word holds the major version (low byte) and the minor version (high
// byte); the high word holds the build number in its low 15 bits, and its high bit is set on
// every platform but Windows NT (Win32s, Windows 95/98/Me).
#include <windows.h>

extern "C" {

WINBASEAPI DWORD WINAPI GetVersion() {
  const DWORD saved = GetLastError();
  OSVERSIONINFO info{};
  info.dwOSVersionInfoSize = sizeof info;
  GetVersionEx(&info);
  SetLastError(saved);
  // Windows 95/98/Me keep the version in the high word of dwBuildNumber; the build is the low one.
  const DWORD build = info.dwBuildNumber & 0x7FFF;
  const DWORD notNt = info.dwPlatformId == VER_PLATFORM_WIN32_NT ? 0 : 0x80000000;
  return notNt | (build << 16) | ((info.dwMinorVersion & 0xFF) << 8) | (info.dwMajorVersion & 0xFF);
}

}  // extern "C"
