// Sandbox control of the process's environment variables, and the record of what the program did
// that would stop it in a debugger or end it. Implemented by kernel32.
//
// On sandbox::Reset(): no environment variable is set (the host's environment is never seen, so
// a variable of the machine running the tests cannot change what the system reads), and nothing
// is recorded.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <cstdint>
#include <string>
#include <vector>

#include "sandbox/core.h"

namespace sandbox {

// Sets a variable of the process's environment, as GetEnvironmentVariable reads it (names are
// matched without regard to case, as on Windows). Throws std::invalid_argument for an empty name
// or one holding '='.
SANDBOX_API void SetEnvironmentValue(const std::string& name, const std::string& value);
SANDBOX_API void RemoveEnvironmentValue(const std::string& name);

// DebugBreak calls since the reset. With no debugger attached here, a break is recorded and the
// program goes on, instead of raising the breakpoint exception.
SANDBOX_API unsigned DebugBreaks();
// The exit codes of the ExitProcess calls since the reset, in call order. The process does not
// end: the call is recorded and returns, so a test sees that the program would have ended there.
SANDBOX_API std::vector<uint32_t> ProgramEnds();

}  // namespace sandbox
