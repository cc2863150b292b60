// The registrar: runs a registration script (.rgs text) against the registry. The whole script
// is parsed first, so a malformed one writes nothing; statreg.h describes the language.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>

namespace atl {

// %NAME% -> text; names compare without regard to case.
struct NoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const;
};
using Replacements = std::map<std::string, std::string, NoCaseLess>;

// Registers (or unregisters) what `script` says. `source` names the script in an error
// ("REGISTRY 101"). A script that does not parse: DISP_E_EXCEPTION, nothing written, and the
// error "<source> line <n>: <what>" left as the thread's error info and written to the debugger
// output. A registry call that fails: its error as an HRESULT (what was written before stays).
HRESULT RunScript(std::string_view script, const Replacements& replacements, bool registering,
                  const std::string& source);

}  // namespace atl
