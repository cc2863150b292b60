// How the registry compares, sorts and splits key and value names.
//
// Names compare without regard to the case of ASCII letters and sort as their upper-case forms
// (the order Windows enumerates in: "A_B" after "AZ"). A byte >= 0x80 and the byte right after it
// are compared exactly, so the trail byte of a double-byte character is never folded and the
// order does not depend on the code page. The price: in a single-byte code page an ASCII letter
// right after an accented letter is compared with its case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "winreg.h"

namespace advapi32 {

// Negative, zero or positive as a sorts before, with or after b.
int CompareNames(std::string_view a, std::string_view b);
inline bool NamesEqual(std::string_view a, std::string_view b) { return CompareNames(a, b) == 0; }

struct NameLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return CompareNames(a, b) < 0; }
};

// A key's place in the tree: its root's full name ("HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER",
// "HKEY_USERS") followed by the names below it. HKEY_CLASSES_ROOT paths are stored as the
// HKEY_LOCAL_MACHINE\SOFTWARE\Classes paths they are a view of.
using KeyPath = std::vector<std::string>;

bool PathsEqual(const KeyPath& a, const KeyPath& b);
bool PathIsWithin(const KeyPath& path, const KeyPath& ancestor);  // true for the ancestor itself

// Splits a sub-key argument of the API ("Software\\X"). Null or "" is the key itself; a trailing
// backslash is tolerated. A leading backslash or an empty component is ERROR_BAD_PATHNAME.
LONG SplitSubKey(const char* subKey, std::vector<std::string>& components);

// A full path as the sandbox and .reg files write it ("HKCU\\Software\\X"). On failure returns
// nullopt and says why in *error. `rootAlias` receives the root as written, expanded
// ("HKEY_CLASSES_ROOT" for "HKCR\\..."), for writing the path back in the caller's terms.
std::optional<KeyPath> ParseFullPath(std::string_view text, std::string* error, std::string* rootAlias = nullptr);

// The path below HKEY_LOCAL_MACHINE that HKEY_CLASSES_ROOT shows.
const KeyPath& ClassesRootTarget();

}  // namespace advapi32
