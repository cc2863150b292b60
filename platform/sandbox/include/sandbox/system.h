// Sandbox control of what the system reports about itself (GetVersionEx). Implemented by kernel32.
//
// On sandbox::Reset(): Windows NT 4.0, build 1381, "Service Pack 6". An NT platform by default,
// so that code which branches on it (the VXIplug&play "WinNT" folder) takes its usual path unless a
// test asks for Windows 95/98.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <cstdint>
#include <string>

#include "sandbox/core.h"

namespace sandbox {

// The platform GetVersionEx reports: platformId 0 (Win32s), 1 (Windows 95/98/Me) or 2 (Windows
// NT); build as the build number (on Windows 95/98/Me GetVersionEx puts the version into the high
// word of dwBuildNumber itself); servicePack as szCSDVersion (at most 127 characters). Throws
// std::invalid_argument for another platform id or a longer text, and changes nothing then.
SANDBOX_API void SetWindowsVersion(uint32_t platformId, uint32_t major, uint32_t minor, uint32_t build,
                                   const std::string& servicePack = "");

}  // namespace sandbox
