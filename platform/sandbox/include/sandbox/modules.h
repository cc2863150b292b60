// Sandbox control of the module loader (LoadLibrary and friends): where bare module names are
// searched after the program's folder and the current directory, what is loaded, and what a
// module exports. Implemented by kernel32.
//
// On sandbox::Reset(): the search path is empty and no loader trick is set (held loads are let
// go, counts start again). Loaded modules stay loaded, as they would in a running process: a test
// frees what it loads (LoadedModules() shows what it left behind).
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <cstdint>
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
  bool pinned;          // mapped by the process before its first LoadLibrary, or a system module's
                        // stand-in: no DllMain, never unmapped
};
SANDBOX_API std::vector<LoadedModule> LoadedModules();

// The names a module mapped into the process exports (its file's dynamic symbol table), sorted;
// the exports tests compare them with the module's exports list. Ordinal N is the symbol
// standin_ordinal_N (at the address of the export it numbers). Throws std::invalid_argument for
// a handle that is no module, std::runtime_error when its file cannot be read as a module.
SANDBOX_API std::vector<std::string> ModuleExports(const void* module);

// The libraries a module's file names as needed (its dynamic section's DT_NEEDED entries), in
// file order: what the host maps with it, as a Windows module's import table. Throws as
// ModuleExports does.
SANDBOX_API std::vector<std::string> ModuleNeededLibraries(const void* module);

// Loader tricks. Each is keyed by a module name as LoadLibrary reads its last component: case
// does not matter, ".dll" is added when the name has no extension, a path before it is ignored
// ("C:\RT\GMRTLINK" and "gmrtlink.dll" are one key). A stand-in of a system module also answers
// to its Windows name ("advapi32.dll").
//
// GetProcAddress on a module of that name answers `exportName` as missing (NULL,
// ERROR_PROC_NOT_FOUND), as a module built without it would. Several exports may be hidden.
SANDBOX_API void HideExport(const std::string& module, const std::string& exportName);
// Every LoadLibrary of that name fails before anything is searched or mapped, with `lastError`
// as the last error (0 included, which a careless caller takes for success).
SANDBOX_API void RefuseLoad(const std::string& module, uint32_t lastError);
// LoadLibrary calls of that name since the reset, whatever became of them (refused, held, failed).
SANDBOX_API unsigned LoadAttempts(const std::string& module);
// From now on every LoadLibrary of that name waits, before it takes the loader lock, until
// ReleaseLoads lets it (and every later one) go. HeldLoads counts the calls waiting right now.
SANDBOX_API void HoldLoads(const std::string& module);
SANDBOX_API unsigned HeldLoads(const std::string& module);
SANDBOX_API void ReleaseLoads(const std::string& module);

}  // namespace sandbox
