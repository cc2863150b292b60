// The system message table: the texts FormatMessage answers for system error codes and HRESULTs.
#pragma once

#include <windows.h>

namespace kernel32 {

// The text of a system code without its trailing CR LF, or nullptr when the system has none.
const char* SystemMessageText(DWORD code);

}  // namespace kernel32
