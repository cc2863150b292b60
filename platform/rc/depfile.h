// Make-style dependency files: the one clang writes for the headers a script includes, and the one
// the build reads back (Ninja's DEPFILE) for everything a module's resources were made from.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rc {

// The prerequisites of the one rule in `text` ("target: a b \<newline> c"), with '\ ' an escaped
// blank and "$$" a dollar.
std::vector<std::filesystem::path> ReadDepfile(std::string_view text);
// "target: dep dep ...", escaped so that ReadDepfile and Ninja read the same names back.
std::string FormatDepfile(const std::filesystem::path& target, const std::vector<std::filesystem::path>& deps);

}  // namespace rc
