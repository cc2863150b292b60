// The macros the host library puts into a custom AppWizard's dictionary before its
// InitCustomAppWiz (docs/STANDINS.md lists them). Exported for the library's tests.
#pragma once

#include <afxcoll.h>

#include <string>

namespace mfcapwz {

// root: the project's name as typed; Root: its first letter upper-case; ROOT: all upper-case;
// SAFE_ROOT: ROOT with every character a C name cannot hold as "_"; FULL_DIR_PATH: the project's
// folder ending in a backslash; LIBID and LIBID_ODL: a new identifier (CoCreateGuid) braced and
// bare, for a type library; YEAR and DATE ("M/D/YYYY"): the local date on the sandbox clock.
STANDIN_API void SetHostMacros(CMapStringToString& dictionary, const std::string& name, const std::string& folder);

}  // namespace mfcapwz
