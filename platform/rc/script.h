// What a compiled script holds: resources keyed by type and name, each an integer id or an
// upper-case string, with their bytes as they lie in a module (little-endian, UTF-16 text).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "diagnostics.h"

namespace rc {

struct ResourceId {
  uint16_t number = 0;
  std::string name;  // empty for an integer id

  bool IsNumber() const { return name.empty(); }
  std::string Describe() const { return IsNumber() ? std::to_string(number) : name; }
  friend bool operator==(const ResourceId&, const ResourceId&) = default;
};

constexpr uint16_t kStringType = 6;  // RT_STRING

struct Resource {
  ResourceId type;
  ResourceId name;
  std::vector<uint8_t> data;
  Location where;
};

struct CompiledScript {
  std::vector<Resource> resources;
  std::vector<std::filesystem::path> dependencies;  // the script and every file it read
};

}  // namespace rc
