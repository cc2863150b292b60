// What a module's resource table holds: resources keyed by type and name, each an integer id or an
// upper-case string, with their bytes in the platform's binary formats (little-endian, UTF-16 text).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rc {

struct ResourceId {
  uint16_t number = 0;
  std::string name;  // empty for an integer id

  bool IsNumber() const { return name.empty(); }
  std::string Describe() const { return IsNumber() ? std::to_string(number) : name; }
  friend bool operator==(const ResourceId&, const ResourceId&) = default;
};

// Types the platform's compiler writes as numbers although the script names them: MFC's dialog
// initialisation data and toolbars.
constexpr uint16_t kDlgInitType = 240;  // RT_DLGINIT
constexpr uint16_t kToolbarType = 241;  // RT_TOOLBAR

struct Resource {
  ResourceId type;
  ResourceId name;
  uint16_t language = 0;
  std::vector<uint8_t> data;
};

}  // namespace rc
