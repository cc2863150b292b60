// GetVersionEx over the platform the sandbox sets (sandbox/system.h).
#include <windows.h>

#include <cstring>
#include <mutex>
#include <stdexcept>
#include <string>

#include "sandbox/internal.h"
#include "sandbox/system.h"

namespace {

struct Version {
  DWORD platformId = VER_PLATFORM_WIN32_NT;
  DWORD major = 4;
  DWORD minor = 0;
  DWORD build = 1381;
  std::string servicePack = "Service Pack 6";
};

std::mutex g_lock;
Version g_version;

// The extended structure (OSVERSIONINFOEX: service-pack numbers, suite and product type) that
// NT 4.0 SP6 also accepts; nothing here needs it, so asking for it is loud.
constexpr DWORD kExtendedSize = sizeof(OSVERSIONINFO) + 3 * sizeof(WORD) + 2 * sizeof(BYTE);

struct ResetHook {
  ResetHook() {
    sandbox::internal::RegisterReset("kernel32.version", [] {
      std::lock_guard<std::mutex> g(g_lock);
      g_version = Version();
    });
  }
} g_resetHook;

}  // namespace

namespace sandbox {

SANDBOX_API void SetWindowsVersion(uint32_t platformId, uint32_t major, uint32_t minor, uint32_t build,
                                   const std::string& servicePack) {
  if (platformId > VER_PLATFORM_WIN32_NT)
    throw std::invalid_argument("SetWindowsVersion: unknown platform id " + std::to_string(platformId));
  if (servicePack.size() >= sizeof(OSVERSIONINFO{}.szCSDVersion))
    throw std::invalid_argument("SetWindowsVersion: service-pack text longer than 127 characters");
  std::lock_guard<std::mutex> g(g_lock);
  g_version = Version{platformId, major, minor, build, servicePack};
}

}  // namespace sandbox

extern "C" {

// GetVersionEx: fills OSVERSIONINFO when dwOSVersionInfoSize is its size, else fails with
// ERROR_INSUFFICIENT_BUFFER and leaves the rest alone. On Windows 95/98/Me the high word of
// dwBuildNumber holds the major and minor version and the low word the build.
WINBASEAPI BOOL WINAPI GetVersionEx(LPOSVERSIONINFO info) {
  if (info == NULL) {
    sandbox::internal::Fail("GetVersionEx: NULL structure (the platform faults)");
    SetLastError(ERROR_NOACCESS);
    return FALSE;
  }
  if (info->dwOSVersionInfoSize == kExtendedSize) STANDIN_UNMODELLED_LASTERROR(FALSE);
  if (info->dwOSVersionInfoSize != sizeof(OSVERSIONINFO)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::lock_guard<std::mutex> g(g_lock);
  info->dwMajorVersion = g_version.major;
  info->dwMinorVersion = g_version.minor;
  info->dwPlatformId = g_version.platformId;
  info->dwBuildNumber = g_version.build;
  if (g_version.platformId == VER_PLATFORM_WIN32_WINDOWS)
    info->dwBuildNumber = ((g_version.major & 0xFF) << 24) | ((g_version.minor & 0xFF) << 16) |
                          (g_version.build & 0xFFFF);
  std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
  std::memcpy(info->szCSDVersion, g_version.servicePack.data(), g_version.servicePack.size());
  return TRUE;
}

}  // extern "C"
