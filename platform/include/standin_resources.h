// How a module's resource tables reach kernel32. The resource build (llvm-rc, then platform/rc)
// turns a module's .rc script into a table of these entries plus a static object that registers
// the table when the module is loaded and unregisters it when the module is unloaded;
// FindResource then finds them under the module's HMODULE (its base address, as on Windows).
#pragma once

#include <cstddef>

#include "windef.h"

extern "C" {

// One resource. A type or name is either an integer id (typeName / name null) or a string
// (upper case, as the resource compiler stores it; FindResource compares case-insensitively).
struct StandinResource {
  WORD typeId;
  const char* typeName;
  WORD nameId;
  const char* name;
  const void* data;  // in the platform's binary format of the type (string tables: UTF-16 bundles of
                     // 16 length-prefixed strings; bitmaps: DIBs without the file header ...)
  DWORD size;        // bytes
};

// Registers `count` resources of the module that contains `anchor` (any address inside the
// module: the generated code passes the table itself). Several tables per module are searched in
// registration order.
STANDIN_API void StandinRegisterResources(const void* anchor, const StandinResource* table, size_t count);
// Drops a table registered before (the module is being unloaded).
STANDIN_API void StandinUnregisterResources(const void* anchor, const StandinResource* table);

}  // extern "C"
