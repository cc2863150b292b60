// Sandbox view of the help viewer (platform/hhctrl): every request made of "hhctrl.ocx", in order.
// Implemented by the hhviewer module, which stays mapped while hhctrl.ocx comes and goes.
//
// On sandbox::Reset(): nothing recorded (the help window went with the window manager's reset).
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <cstdint>
#include <string>
#include <vector>

#include "sandbox/core.h"

namespace sandbox {

// One HtmlHelp call, as the program made it, and the window it answered (null: none).
struct HtmlHelpRequest {
  const void* owner = nullptr;
  std::string path;  // a null path is recorded as ""
  unsigned command = 0;
  uintptr_t data = 0;
  const void* window = nullptr;
};
SANDBOX_API std::vector<HtmlHelpRequest> HtmlHelpRequests();

}  // namespace sandbox
