// The host side of LoadLibrary: checking that a file is a module of this machine, the dynamic
// loader's open/close/lookup, and the names a module file exports. Paths are host paths; results
// are Win32 error codes (0 for success), so the loader never sees dlerror() or errno.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kernel32::loader {

// Whether `path` is a shared object for this machine (ELF, this class, byte order and machine,
// type ET_DYN). ERROR_BAD_EXE_FORMAT when it is not (text, an empty file, another machine),
// ERROR_ACCESS_DENIED when it cannot be read, ERROR_MOD_NOT_FOUND when it is gone.
DWORD CheckModuleFile(const std::string& path);

// A module opened through the host's dynamic loader: its handle and base (the HMODULE).
struct HostModule {
  void* handle = nullptr;
  HMODULE base = nullptr;
};

// Maps `path` with every import bound now and its symbols kept out of the global scope (Windows
// modules share nothing by name); `keep` maps it for the life of the process (a stand-in, whose
// state the sandbox resets). On failure returns the Win32 error and leaves the host's
// message in `message`: a missing dependency -> ERROR_MOD_NOT_FOUND, a missing import ->
// ERROR_PROC_NOT_FOUND, anything else -> ERROR_BAD_EXE_FORMAT.
DWORD OpenModule(const std::string& path, bool keep, HostModule& out, std::string& message);
// One more host reference to a file that is mapped already (its binding left as it is); false
// when it is not mapped.
bool OpenMapped(const std::string& path, HostModule& out);
// Gives back one host reference; the host unmaps the module with its last one.
void CloseModule(void* handle);
// Whether the file is mapped right now (without keeping a reference).
bool IsMapped(const std::string& path);
// A handle for looking up symbols of the main program.
void* MainProgramHandle();

// The address `name` has in `module` itself, or nullptr: a symbol that the lookup finds in one
// of the module's dependencies (an import) is not the module's.
void* OwnSymbol(void* handle, HMODULE module, const char* name);

// The names the module file defines in its dynamic symbol table with default or protected
// visibility: what it exports. Sorted. On failure returns the Win32 error and `names` is empty.
DWORD ExportedNames(const std::string& path, std::vector<std::string>& names);

// The libraries the module file names as needed (DT_NEEDED), in file order. On failure returns
// the Win32 error and `names` is empty.
DWORD NeededNames(const std::string& path, std::vector<std::string>& names);

}  // namespace kernel32::loader
