// Where a piece of the script came from, and the one error type of the compiler: every refusal
// names the file and line it is about.
#pragma once

#include <stdexcept>
#include <string>

namespace rc {

struct Location {
  std::string file;
  int line = 0;
};

class Error : public std::runtime_error {
 public:
  Error(const Location& where, const std::string& what)
      : std::runtime_error(where.file + ":" + std::to_string(where.line) + ": " + what), where_(where), message_(what) {}
  const Location& where() const { return where_; }
  const std::string& message() const { return message_; }  // without the location

 private:
  Location where_;
  std::string message_;
};

}  // namespace rc
