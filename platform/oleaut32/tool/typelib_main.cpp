// typelib <description> <resource>: checks a module's type library description and writes the
// TYPELIB resource that its resource script names (the description in its plain form). A
// malformed description stops the build with "<file>:<line>: error: <what>" and writes nothing.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "typelib_description.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: typelib <description> <resource>\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << argv[1] << ": error: cannot be read\n";
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  typelib::Library library;
  std::string error;
  if (!typelib::Parse(text.str(), library, &error)) {
    // "line N: what" -> "file:N: error: what"
    const size_t colon = error.find(':');
    if (error.rfind("line ", 0) == 0 && colon != std::string::npos)
      std::cerr << argv[1] << ":" << error.substr(5, colon - 5) << ": error:" << error.substr(colon + 1) << "\n";
    else
      std::cerr << argv[1] << ": error: " << error << "\n";
    return 1;
  }
  const std::filesystem::path target(argv[2]);
  const std::filesystem::path temporary = target.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << typelib::Write(library);
    if (!out.flush()) {
      std::cerr << argv[2] << ": error: cannot be written\n";
      return 1;
    }
  }
  std::error_code code;
  std::filesystem::rename(temporary, target, code);
  if (code) {
    std::cerr << argv[2] << ": error: " << code.message() << "\n";
    return 1;
  }
  return 0;
}
