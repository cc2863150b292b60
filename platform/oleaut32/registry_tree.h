// Deleting a registry key with everything below it, as type library and registrar scripts
// unregister (RegDeleteKey deletes only a key without sub-keys). Exported for the atl stand-in.
#pragma once

#include <windows.h>

#include <string>

namespace oleaut32 {

// ERROR_SUCCESS also when `name` is not there under `parent`.
STANDIN_API LONG DeleteRegistryTree(HKEY parent, const std::string& name);

}  // namespace oleaut32
