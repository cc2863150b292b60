// The host side of modules: which shared objects are mapped into the process, where, and from
// which file. A module handle is the base address of its mapping, as on Windows. LoadLibrary and
// FreeLibrary will sit on top of the same list (dlopen/dlclose add and remove entries).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace kernel32::loader {

struct LoadedModule {
  HMODULE base;
  std::string hostPath;  // absolute
};

// Every module mapped into the process, the main program first, then in load order.
std::vector<LoadedModule> LoadedModules();
// The main program.
HMODULE MainModule();
// The module whose mapping contains `address`, or nullptr.
HMODULE ModuleContaining(const void* address);
// The host file of a loaded module; nullopt when `module` is no loaded module's base.
std::optional<std::string> ModuleHostPath(HMODULE module);

}  // namespace kernel32::loader
