// A module's resource script in, its resource table out. clang preprocesses the script (as llvm-rc
// would run it: a Windows target, C mode, RC_INVOKED defined) and lists the headers it read;
// llvm-rc compiles the preprocessed script to a .res in code page 1252; the .res is read into
// resources, and the preprocessed script gives the files the script names. The table becomes C++
// source that the build links into the module (GenerateCpp).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "diagnostics.h"
#include "resources.h"

namespace rc {

struct CompileOptions {
  std::filesystem::path clang;
  std::filesystem::path llvmRc;
  // Searched after the script's own folder, by clang for #include and by llvm-rc for named files.
  std::vector<std::filesystem::path> includeDirs;
  // The intermediate files are this path plus ".i.rc" (preprocessed), ".res", ".clang.d" and ".log".
  std::filesystem::path workPrefix;
};

struct CompiledScript {
  std::vector<Resource> resources;
  std::vector<std::filesystem::path> dependencies;  // the script, the headers it included, the files it named
  std::string messages;                             // warnings the tools printed
};

// Throws Error with the tools' own messages when either refuses the script.
CompiledScript CompileScript(const std::filesystem::path& script, const CompileOptions& options);

// A C++ source defining the resource table and a static object that registers it with kernel32
// (standin_resources.h) while the module is loaded.
std::string GenerateCpp(const CompiledScript& script, const std::string& scriptName);

}  // namespace rc
