// Reading the .res file llvm-rc writes: after an empty first entry, one entry per resource, each a
// header (data size, header size, type, name, then version, memory flags, language, version and
// characteristics) followed by the data, every header and every data block starting on a DWORD.
// Type and name are 0xFFFF followed by an integer id, or a NUL-terminated UTF-16 string.
#pragma once

#include <string_view>
#include <vector>

#include "resources.h"

namespace rc {

// The resources in file order. The type names DLGINIT and TOOLBAR become kDlgInitType and
// kToolbarType; other names stay strings. Throws Error on a malformed file, on a name beyond
// ASCII (FindResource takes names in the process code page), and on two resources with the same
// type and name (languages are not kept apart: one resource per type and name).
std::vector<Resource> ReadResFile(std::string_view bytes);

}  // namespace rc
