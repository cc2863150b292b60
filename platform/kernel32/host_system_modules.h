// The Windows system modules that have a stand-in: a bare name such as "advapi32.dll" names the
// stand-in's file beside kernel32's own (lib<name>.so, or the Windows name itself), as the system
// folder's known modules come before any search on Windows.
#pragma once

#include <optional>
#include <string>

namespace kernel32::loader {

// The host file of the stand-in a module key (tricks::KeyOf) names, when it is a system module
// whose stand-in was built; nullopt otherwise.
std::optional<std::string> SystemModuleFile(const std::string& key);
// The key of the system module a stand-in's host file stands for ("advapi32.dll"), or nullopt.
std::optional<std::string> SystemModuleKey(const std::string& hostPath);

}  // namespace kernel32::loader
