// Running the build's external tools (clang, llvm-rc) as child processes.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace rc {

struct ToolRun {
  int exitCode = -1;   // -1: it could not be started or did not exit normally
  std::string output;  // what it wrote to standard output and standard error
};

// Runs argv[0] (a path) with the arguments in `directory`, its output going to `log` and read back.
ToolRun RunTool(const std::vector<std::string>& argv, const std::filesystem::path& directory,
                const std::filesystem::path& log);

}  // namespace rc
