// Drive maps handed to a program that runs as its own process: the variable SABLEWING_DRIVES,
// read from the host's environment when the module loads, maps each "X=<host folder>" entry
// (entries separated by ';') as sandbox::MapDrive does; sandbox::DrivesEnvironment() writes the
// variable for the drives mapped now. A sandbox reset goes back to Z: alone, as for a program
// that started without the variable.
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include "file_mapping.h"
#include "file_state.h"
#include "sandbox/files.h"

namespace {

constexpr const char* kVariable = "SABLEWING_DRIVES";

void MapFromEnvironment(std::string_view text) {
  while (!text.empty()) {
    const size_t end = text.find(';');
    const std::string_view entry = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (entry.empty()) continue;
    try {
      if (entry.size() < 3 || entry[1] != '=') throw std::invalid_argument("not \"X=<host folder>\"");
      sandbox::MapDrive(entry[0], std::string(entry.substr(2)));
    } catch (const std::invalid_argument& e) {
      std::fprintf(stderr, "kernel32: %s: entry \"%.*s\" ignored: %s\n", kVariable, static_cast<int>(entry.size()),
                   entry.data(), e.what());
    }
  }
}

[[maybe_unused]] const bool kMapped = [] {
  if (const char* value = std::getenv(kVariable)) MapFromEnvironment(value);
  return true;
}();

}  // namespace

namespace sandbox {

std::string DrivesEnvironment() {
  std::string value;
  std::lock_guard<std::recursive_mutex> g(kernel32::files::StateLock());
  for (const auto& [letter, folder] : kernel32::files::State().map.drives) {
    if (letter == 'Z' && folder == "/") continue;  // every process starts with that
    if (folder.find(';') != std::string::npos)
      throw std::invalid_argument("DrivesEnvironment: a host folder holding ';' cannot be passed on: " + folder);
    if (!value.empty()) value += ';';
    value += std::string(1, letter) + "=" + folder;
  }
  return std::string(kVariable) + "=" + value;
}

}  // namespace sandbox
