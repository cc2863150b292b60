// The resource compiler's entry points: a script in, the module's resource table out, as data
// (for tests) or as the C++ source that the build links into the module.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "script.h"
#include "source_files.h"

namespace rc {

struct CompileOptions {
  std::vector<std::filesystem::path> includeDirs;
  std::vector<std::pair<std::string, std::string>> defines;
  FileReader reader;  // empty: the host disk
};

// Throws Error ("file:line: what") on anything it does not accept.
CompiledScript CompileScript(const std::filesystem::path& script, const CompileOptions& options);

// A C++ source defining the resource table and a static object that registers it with kernel32
// (standin_resources.h) while the module is loaded.
std::string GenerateCpp(const CompiledScript& script, const std::string& scriptName);

}  // namespace rc
