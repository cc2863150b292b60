// Sandbox control of the module loader (LoadLibrary and friends): where bare module names are
// searched after the program's folder and the current directory, what is loaded, and what a
// module exports. Implemented by kernel32.
//
// On sandbox::Reset(): the search path is empty. Loaded modules stay loaded, as they would in a
// running process: a test frees what it loads (LoadedModules() shows what it left behind).
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <string>
#include <vector>

#include "sandbox/core.h"

namespace sandbox {

// The folders (absolute Windows paths) searched, in this order, for a module name without an
// absolute path once the program's folder and the current directory have not had it; they stand
// for the system folders and PATH. Folders need not exist. Throws std::invalid_argument for a
// path that is not absolute (nothing changes then).
SANDBOX_API void SetModuleSearchPath(const std::vector<std::string>& windowsFolders);
SANDBOX_API std::vector<std::string> ModuleSearchPath();

// A module loaded through LoadLibrary and not yet freed as often, in load order.
struct LoadedModule {
  std::string path;     // Windows form of its file, as GetModuleFileName gives it
  const void* handle;   // its HMODULE
  unsigned references;  // LoadLibrary calls not yet matched by FreeLibrary
  bool pinned;          // mapped by the process before its first LoadLibrary: no DllMain, never unmapped
};
SANDBOX_API std::vector<LoadedModule> LoadedModules();

// The names a module mapped into the process exports (its file's dynamic symbol table), sorted;
// the exports tests compare them with the module's exports list. Throws std::invalid_argument for
// a handle that is no module, std::runtime_error when its file cannot be read as a module.
SANDBOX_API std::vector<std::string> ModuleExports(const void* module);

}  // namespace sandbox
