// The sandbox's loader tricks (sandbox/modules.h): hidden exports, refused loads, counted and held
// loads, each keyed by a module name as LoadLibrary reads its last component.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace kernel32::loader::tricks {

// The key of a module name: its last component (a trail byte 0x5C is no separator), ".dll" added
// when it has no extension, a trailing '.' dropped, ASCII letters in lower case. "" for a name
// that ends in a separator.
std::string KeyOf(const std::string& name);

// Called by LoadLibrary before it takes the loader lock: counts the attempt, waits while loads of
// that key are held, and gives the last error when loads of that key are refused.
std::optional<DWORD> BeforeLoad(const std::string& key);

// Whether the sandbox hides any export at all (a cheap look before finding a module's names).
bool AnyHidden();
// Whether the sandbox hides `exportName` of a module known by any of `moduleKeys`.
bool Hidden(const std::vector<std::string>& moduleKeys, const char* exportName);

}  // namespace kernel32::loader::tricks
