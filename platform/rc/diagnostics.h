// The one error type of the resource build: a message for the build log. Refusals that come from a
// place in the script name its file and line ("file:line: what"); what llvm-rc or clang reported
// is passed on as they wrote it.
#pragma once

#include <stdexcept>
#include <string>

namespace rc {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& what) : std::runtime_error(what) {}
  Error(const std::string& file, int line, const std::string& what)
      : std::runtime_error(file + ":" + std::to_string(line) + ": " + what) {}
};

}  // namespace rc
