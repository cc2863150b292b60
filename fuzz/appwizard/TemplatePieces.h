// The template harness's input: templates as pieces of one text, separated by form feeds; a
// piece's first line (a CR before its LF dropped; up to a NUL) is the template's name, the rest
// its text.
// Pieces without a name are left out. Shared by FuzzWizard.awx, which serves the templates, and
// the harness, which checks what is said of them.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace fuzz_appwizard {

inline std::vector<std::pair<std::string, std::string>> TemplatePieces(const std::string& input) {
  std::vector<std::pair<std::string, std::string>> pieces;
  for (size_t at = 0; at <= input.size();) {
    size_t end = input.find('\f', at);
    if (end == std::string::npos) end = input.size();
    const std::string piece = input.substr(at, end - at);
    at = end + 1;
    const size_t line = piece.find('\n');
    std::string name = piece.substr(0, line);
    if (!name.empty() && name.back() == '\r') name.pop_back();
    name.resize(std::char_traits<char>::length(name.c_str()));  // a name is a C string
    if (!name.empty()) pieces.emplace_back(name, line == std::string::npos ? "" : piece.substr(line + 1));
  }
  return pieces;
}

}  // namespace fuzz_appwizard
