// Sandbox view of what the shell was asked to start (ShellExecute). Implemented by shell32.
//
// On sandbox::Reset(): nothing recorded, the answer 42.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <string>
#include <vector>

#include "sandbox/core.h"

namespace sandbox {

// One ShellExecute call; NULL texts are recorded as empty ones.
struct ShellExecution {
  std::string verb;
  std::string file;
  std::string parameters;
  std::string directory;
  int showCommand = 0;
  int result = 0;  // what the call answered
};
SANDBOX_API std::vector<ShellExecution> ShellExecutions();
// What every later ShellExecute answers (above 32: the shell accepted it; 2: file not found ...).
SANDBOX_API void SetShellExecuteResult(int result);

}  // namespace sandbox
