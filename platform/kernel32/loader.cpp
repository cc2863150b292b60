// The module loader: LoadLibrary, FreeLibrary, GetProcAddress and DisableThreadLibraryCalls over
// the host's dynamic loader, with Windows' name search, reference counts and DllMain
// notifications, and the sandbox's view of it (sandbox/modules.h).
//
// The sandbox's loader tricks (loader_tricks.*) act at the start of LoadLibrary and in
// GetProcAddress; the stand-ins of system modules are found by their Windows names
// (host_system_modules.*).
//
// Not modelled: DLL_THREAD_ATTACH/DETACH (threads never notify DllMain, so DisableThreadLibraryCalls
// has nothing to switch off); DLL_PROCESS_DETACH at process exit for modules still loaded; DllMain
// of the modules a loaded module imports (only the module LoadLibrary names is notified).
//
// Ordinals: a module exports ordinal N as the symbol standin_ordinal_N at the address of the
// export it numbers (the build defines it from the exports list's "Name @N" line).
#include <windows.h>

#include <cstdio>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "file_mapping.h"
#include "host_dlopen.h"
#include "host_loader.h"
#include "host_system_modules.h"
#include "loader_tricks.h"
#include "sandbox/internal.h"
#include "sandbox/modules.h"

namespace kernel32::loader {
namespace {

using DllEntryPoint = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);

struct Entry {
  HMODULE base;
  void* handle;  // the host reference this entry holds
  std::string hostPath;
  unsigned references;
  // Mapped before its first LoadLibrary, or a system module's stand-in: the process owns it,
  // DllMain is not ours to call, and it is never unmapped.
  bool pinned;
  DllEntryPoint dllMain;
};

struct LoaderState {
  // The loader lock: held across mapping, DllMain and unmapping, as on Windows, so a DllMain that
  // loads or frees other modules (same thread) works and other threads wait. Recursive for that.
  std::recursive_mutex lock;
  std::vector<Entry> entries;  // load order
  // Modules whose last reference went while an unmap is under way, checked when it has ended.
  std::vector<std::string> unmapping;
  int unmapDepth = 0;
  std::vector<std::string> searchPath;
};

LoaderState& State() {
  static LoaderState* state = new LoaderState;  // never destroyed: modules may be freed during exit
  return *state;
}

Entry* FindEntry(HMODULE base) {
  for (Entry& e : State().entries)
    if (e.base == base) return &e;
  return nullptr;
}

template <class T>
T Fail(DWORD error, T result) {
  ::SetLastError(error);
  return result;
}

// Restores the caller's last error around look-ups whose own errors are no answer.
struct KeepLastError {
  DWORD saved = ::GetLastError();
  ~KeepLastError() { ::SetLastError(saved); }
};

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// "C:\x", "C:/x" or "\\server\share\x": a path that names one file whatever the current directory.
bool IsAbsolute(const std::string& path) {
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return true;
  return path.size() >= 3 && path[1] == ':' && IsSeparator(path[2]);
}

// How LoadLibrary reads a name: a module name that has no extension gets ".dll"; a trailing '.'
// says it has none (the path rules then drop the dot). Empty when nothing names a file.
std::string WithDefaultExtension(const std::string& name) {
  const std::string file = winpath::SplitLast(name, files::LeadBytes()).second;
  if (file.empty()) return {};
  if (file.back() == '.' || file.find('.') != std::string::npos) return name;
  return name + ".dll";
}

// Where a name without an absolute path is looked for: the program's folder, the current
// directory, then the sandbox's search path (standing for the system folders and PATH).
std::vector<std::string> SearchFolders() {
  std::vector<std::string> folders;
  if (auto program = ModuleHostPath(MainModule())) {
    const std::string folder = program->substr(0, program->rfind('/'));
    if (std::string windows = files::WindowsFormOfHost(folder.empty() ? "/" : folder); !windows.empty())
      folders.push_back(windows);
  }
  folders.push_back(files::CurrentDirectory().ToString());
  for (const std::string& folder : State().searchPath) folders.push_back(folder);
  return folders;
}

std::string Join(const std::string& folder, const std::string& name) {
  return !folder.empty() && IsSeparator(folder.back()) ? folder + name : folder + "\\" + name;
}

// The host file a Windows path names when it is an existing file. A form the path rules do not
// model is reported (through the mapping point) and ends the search with its error.
std::optional<std::string> ExistingFile(const std::string& windowsPath, DWORD& fatal) {
  const auto mapped = files::MapPath(windowsPath.c_str(), "LoadLibrary");
  if (!mapped) {
    if (::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) fatal = ERROR_CALL_NOT_IMPLEMENTED;
    return std::nullopt;
  }
  if (!mapped->exists || mapped->stat.directory) return std::nullopt;
  return mapped->host;
}

bool CallDllMain(DllEntryPoint dllMain, HMODULE module, DWORD reason, const std::string& hostPath) {
  try {
    // lpvReserved is NULL for LoadLibrary and FreeLibrary.
    return dllMain(module, reason, nullptr) != FALSE;
  } catch (...) {
    sandbox::internal::Fail("DllMain of " + hostPath + " let an exception escape; taken as FALSE");
    return false;
  }
}

// Drops the entry and its host reference; a module of our own must then be gone from the process.
// A module freed while another one unmaps (by its static destructors) goes when the outer unmap
// has finished, as the host loader defers it: it is checked then.
void Unload(HMODULE base) {
  auto& entries = State().entries;
  for (auto it = entries.begin(); it != entries.end(); ++it) {
    if (it->base != base) continue;
    const Entry entry = *it;
    entries.erase(it);
    if (!entry.pinned) State().unmapping.push_back(entry.hostPath);
    ++State().unmapDepth;
    CloseModule(entry.handle);
    if (--State().unmapDepth > 0) return;
    std::vector<std::string> unmapped;
    unmapped.swap(State().unmapping);
    for (const std::string& path : unmapped)
      if (IsMapped(path))
        sandbox::internal::Fail("FreeLibrary: " + path +
                                " stays mapped after its last reference (a unique symbol or a host reference holds it)");
    return;
  }
}

// `systemModule`: a stand-in of a system module, which stays mapped once mapped.
HMODULE LoadHostFile(const std::string& hostPath, const char* requested, bool systemModule = false) {
  // The program itself is always loaded and never unloaded.
  if (ModuleHostPath(MainModule()) == hostPath) return MainModule();
  if (const DWORD error = CheckModuleFile(hostPath); error != ERROR_SUCCESS) return Fail(error, HMODULE{});

  HostModule mapped;
  if (OpenMapped(hostPath, mapped)) {
    if (Entry* e = FindEntry(mapped.base)) {
      ++e->references;
      CloseModule(mapped.handle);
    } else {
      State().entries.push_back({mapped.base, mapped.handle, hostPath, 1, true, nullptr});
    }
    return mapped.base;
  }

  std::string message;
  if (const DWORD error = OpenModule(hostPath, systemModule, mapped, message); error != ERROR_SUCCESS) {
    std::fprintf(stderr, "kernel32: LoadLibrary(\"%s\"): %s\n", requested, message.c_str());
    return Fail(error, HMODULE{});
  }
  if (systemModule) {
    State().entries.push_back({mapped.base, mapped.handle, hostPath, 1, true, nullptr});
    return mapped.base;
  }
  const auto dllMain = reinterpret_cast<DllEntryPoint>(OwnSymbol(mapped.handle, mapped.base, "DllMain"));
  State().entries.push_back({mapped.base, mapped.handle, hostPath, 1, false, dllMain});
  // Documented: a FALSE from DLL_PROCESS_ATTACH gets DLL_PROCESS_DETACH at once, then the unload.
  if (dllMain != nullptr && !CallDllMain(dllMain, mapped.base, DLL_PROCESS_ATTACH, hostPath)) {
    CallDllMain(dllMain, mapped.base, DLL_PROCESS_DETACH, hostPath);
    Unload(mapped.base);
    return Fail(ERROR_DLL_INIT_FAILED, HMODULE{});
  }
  return mapped.base;
}

// Whether the sandbox hides the export, by the module's file name or its system module's name.
bool HiddenBySandbox(HMODULE module, const char* procName) {
  if (!tricks::AnyHidden()) return false;
  const std::optional<std::string> path = ModuleHostPath(module);
  if (!path) return false;
  std::vector<std::string> keys{tricks::KeyOf(path->substr(path->rfind('/') + 1))};
  if (auto system = SystemModuleKey(*path)) keys.push_back(*system);
  return tricks::Hidden(keys, procName);
}

struct Registration {
  Registration() {
    sandbox::internal::RegisterReset("kernel32.loader", [] {
      std::lock_guard<std::recursive_mutex> g(State().lock);
      State().searchPath.clear();
    });
  }
} g_registration;

}  // namespace
}  // namespace kernel32::loader

using namespace kernel32::loader;

extern "C" {

// LoadLibrary: NULL -> ERROR_INVALID_PARAMETER; an empty name -> ERROR_MOD_NOT_FOUND. The sandbox
// may refuse or hold the load first (sandbox/modules.h). A name with an absolute path (or a
// drive, or a leading '\') names that file only; a bare name of a system module with a stand-in
// ("advapi32.dll") is that stand-in; another bare name is first matched against the loaded
// modules' file names, then it and a relative path are looked for in
// the program's folder, the current directory and the search path. ".dll" is appended to a file
// name without an extension. The same file again returns the same handle and counts up; the first
// load calls DllMain(DLL_PROCESS_ATTACH), FALSE -> ERROR_DLL_INIT_FAILED. Not found ->
// ERROR_MOD_NOT_FOUND; a file that is no module -> ERROR_BAD_EXE_FORMAT.
WINBASEAPI HMODULE WINAPI LoadLibrary(LPCSTR fileName) {
  if (fileName == nullptr) return Fail(ERROR_INVALID_PARAMETER, HMODULE{});
  // Refused before any search, so an empty name never finds a file called ".dll".
  const std::string name = WithDefaultExtension(fileName);
  if (name.empty()) return Fail(ERROR_MOD_NOT_FOUND, HMODULE{});
  const std::string key = tricks::KeyOf(name);
  if (const std::optional<DWORD> refused = tricks::BeforeLoad(key)) return Fail(*refused, HMODULE{});

  std::lock_guard<std::recursive_mutex> g(State().lock);
  const std::string folder = kernel32::winpath::SplitLast(name, kernel32::files::LeadBytes()).first;
  const bool fixed = IsAbsolute(name) || (name.size() >= 2 && name[1] == ':') || IsSeparator(name[0]);
  if (folder.empty()) {
    if (auto system = SystemModuleFile(key)) return LoadHostFile(*system, fileName, true);
    // A module of that name already loaded is the answer, whichever folder it came from.
    HMODULE loaded;
    {
      KeepLastError keep;
      loaded = GetModuleHandle(name.c_str());
    }
    if (loaded != nullptr) {
      // Another reference, even when the file has gone since it was mapped (a sandbox reset
      // removes a test's drive while a module loaded from it stays, as a binding kept for the
      // process's life does).
      if (Entry* e = FindEntry(loaded)) {
        ++e->references;
        return loaded;
      }
      if (auto path = ModuleHostPath(loaded)) return LoadHostFile(*path, fileName);
    }
  }
  std::vector<std::string> candidates;
  if (fixed)
    candidates.push_back(name);
  else
    for (const std::string& f : SearchFolders()) candidates.push_back(Join(f, name));
  for (const std::string& candidate : candidates) {
    DWORD fatal = ERROR_SUCCESS;
    if (auto host = ExistingFile(candidate, fatal)) return LoadHostFile(*host, fileName);
    if (fatal != ERROR_SUCCESS) return Fail(fatal, HMODULE{});
  }
  return Fail(ERROR_MOD_NOT_FOUND, HMODULE{});
}

// FreeLibrary: counts down; the last reference calls DllMain(DLL_PROCESS_DETACH) and unmaps the
// module. A module the process mapped itself (the program, what it imports) stays: TRUE. A handle
// that is no module -> ERROR_MOD_NOT_FOUND.
WINBASEAPI BOOL WINAPI FreeLibrary(HMODULE module) {
  std::lock_guard<std::recursive_mutex> g(State().lock);
  Entry* entry = FindEntry(module);
  if (entry == nullptr) return ModuleHostPath(module) ? TRUE : Fail(ERROR_MOD_NOT_FOUND, FALSE);
  if (--entry->references > 0) return TRUE;
  if (!entry->pinned && entry->dllMain != nullptr) {
    const DllEntryPoint dllMain = entry->dllMain;
    const std::string hostPath = entry->hostPath;
    CallDllMain(dllMain, module, DLL_PROCESS_DETACH, hostPath);
  }
  Unload(module);
  return TRUE;
}

// GetProcAddress: a name the module itself exports (case-sensitive) and the sandbox does not hide,
// or an ordinal it exports (MAKEINTRESOURCE(N)); what it imports from other modules is not its
// own. NULL is the program. Missing -> ERROR_PROC_NOT_FOUND; a handle that is no module ->
// ERROR_MOD_NOT_FOUND.
WINBASEAPI FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR procName) {
  if (procName == nullptr) return Fail(ERROR_INVALID_PARAMETER, FARPROC{});
  std::string ordinalSymbol;
  if (IS_INTRESOURCE(procName)) {
    ordinalSymbol = "standin_ordinal_" + std::to_string(reinterpret_cast<uintptr_t>(procName));
    procName = ordinalSymbol.c_str();
  }
  if (module == nullptr) module = MainModule();
  std::lock_guard<std::recursive_mutex> g(State().lock);
  void* handle = nullptr;
  HostModule borrowed;
  if (const Entry* entry = FindEntry(module)) {
    handle = entry->handle;
  } else if (module == MainModule()) {
    handle = MainProgramHandle();
  } else if (auto path = ModuleHostPath(module); path && OpenMapped(*path, borrowed)) {
    handle = borrowed.handle;
  } else {
    return Fail(ERROR_MOD_NOT_FOUND, FARPROC{});
  }
  const bool hidden = ordinalSymbol.empty() && HiddenBySandbox(module, procName);
  void* symbol = hidden ? nullptr : OwnSymbol(handle, module, procName);
  CloseModule(borrowed.handle);
  if (symbol == nullptr) return Fail(ERROR_PROC_NOT_FOUND, FARPROC{});
  return reinterpret_cast<FARPROC>(symbol);
}

// DisableThreadLibraryCalls: TRUE for any module (thread notifications are never sent here);
// a handle that is no module -> ERROR_MOD_NOT_FOUND.
WINBASEAPI BOOL WINAPI DisableThreadLibraryCalls(HMODULE module) {
  std::lock_guard<std::recursive_mutex> g(State().lock);
  if (FindEntry(module) != nullptr || ModuleHostPath(module)) return TRUE;
  return Fail(ERROR_MOD_NOT_FOUND, FALSE);
}

}  // extern "C"

namespace sandbox {

void SetModuleSearchPath(const std::vector<std::string>& windowsFolders) {
  for (const std::string& folder : windowsFolders)
    if (!IsAbsolute(folder))
      throw std::invalid_argument("SetModuleSearchPath: not an absolute Windows path: \"" + folder + "\"");
  std::lock_guard<std::recursive_mutex> g(State().lock);
  State().searchPath = windowsFolders;
}

std::vector<std::string> ModuleSearchPath() {
  std::lock_guard<std::recursive_mutex> g(State().lock);
  return State().searchPath;
}

std::vector<LoadedModule> LoadedModules() {
  KeepLastError keep;
  std::lock_guard<std::recursive_mutex> g(State().lock);
  std::vector<LoadedModule> modules;
  for (const Entry& e : State().entries) {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileName(e.base, path, sizeof path);
    modules.push_back({std::string(path, length), e.base, e.references, e.pinned});
  }
  return modules;
}

namespace {

// Names read from a module's file by `reader`, for the sandbox call `call`.
std::vector<std::string> NamesOfModule(const void* module, DWORD (*reader)(const std::string&, std::vector<std::string>&),
                                       const char* call) {
  const auto path = ModuleHostPath(static_cast<HMODULE>(const_cast<void*>(module)));
  if (!path) throw std::invalid_argument(std::string(call) + ": the handle is no module of this process");
  std::vector<std::string> names;
  if (reader(*path, names) != ERROR_SUCCESS)
    throw std::runtime_error(std::string(call) + ": cannot read the module file " + *path);
  return names;
}

}  // namespace

std::vector<std::string> ModuleExports(const void* module) {
  return NamesOfModule(module, ExportedNames, "ModuleExports");
}

std::vector<std::string> ModuleNeededLibraries(const void* module) {
  return NamesOfModule(module, NeededNames, "ModuleNeededLibraries");
}

}  // namespace sandbox
