// REGEDIT4 text: writing a subtree, and reading a whole text into a list of changes that is
// applied only once all of it parsed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry_tree.h"

namespace advapi32 {

inline constexpr std::string_view kRegeditHeader = "REGEDIT4\r\n";

// A key or value name REGEDIT4 cannot hold: one with a line break or a NUL. The writer leaves such
// a name out, so the reader refuses it: a name that loads must also save.
inline bool HasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos;
}

// Appends the sections of `node` and everything below it, the node's section named
// `displayName` ("HKEY_CLASSES_ROOT\\CLSID"). A name the format cannot hold (line break, NUL)
// is left out and described in *problems.
void WriteRegeditSections(const Node& node, const std::string& displayName, std::string& out,
                          std::vector<std::string>* problems);

struct RegChange {
  enum class Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
  Kind kind = Kind::CreateKey;
  KeyPath key;
  std::string name;  // value name; "" is the default value
  Value value;
};

// nullopt on malformed text, with *error "line N: what is wrong".
std::optional<std::vector<RegChange>> ParseRegedit(std::string_view text, std::string* error);
void ApplyChanges(Tree& tree, const std::vector<RegChange>& changes);

}  // namespace advapi32
