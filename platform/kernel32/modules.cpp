// Module handles and names: GetModuleHandle and GetModuleFileName over the loaded modules.
#include <windows.h>

#include <cstring>
#include <string>

#include "file_mapping.h"
#include "host_loader.h"
#include "host_system_modules.h"
#include "loader_tricks.h"
#include "sandbox/internal.h"

namespace kernel32 {
namespace {

// A module's file in Windows form, through the one mapping point (mapped drives first, Z: for
// the rest of the host).
std::string WindowsPathOf(const std::string& hostPath) {
  std::string path = files::WindowsFormOfHost(hostPath);
  if (path.empty()) {  // Z: unmapped by the sandbox: still name the file
    path = "Z:" + hostPath;
    for (char& c : path)
      if (c == '/') c = '\\';
  }
  return path;
}

std::string FileNamePart(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace
}  // namespace kernel32

extern "C" {

// GetModuleHandle: NULL is the main program. A name without an extension gets ".dll"; a
// trailing '.' means no extension. A name with a path matches the module's full path, a bare
// name its file name (or, for a system module, its stand-in); both without regard to case. Not loaded -> NULL, ERROR_MOD_NOT_FOUND.
WINBASEAPI HMODULE WINAPI GetModuleHandle(LPCSTR moduleName) {
  if (moduleName == nullptr) return kernel32::loader::MainModule();
  std::string wanted(moduleName);
  for (char& c : wanted)
    if (c == '/') c = '\\';
  const std::string wantedFile = kernel32::FileNamePart(wanted);
  if (!wantedFile.empty() && wantedFile.back() == '.')
    wanted.pop_back();
  else if (wantedFile.find('.') == std::string::npos)
    wanted += ".dll";
  const bool withPath = wanted.find('\\') != std::string::npos;
  const std::optional<std::string> system =
      withPath ? std::nullopt : kernel32::loader::SystemModuleFile(kernel32::loader::tricks::KeyOf(wanted));
  for (const kernel32::loader::LoadedModule& m : kernel32::loader::LoadedModules()) {
    if (system && m.hostPath == *system) return m.base;
    const std::string path = kernel32::WindowsPathOf(m.hostPath);
    if (lstrcmpi((withPath ? path : kernel32::FileNamePart(path)).c_str(), wanted.c_str()) == 0) return m.base;
  }
  ::SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

// GetModuleHandleEx, without counting a reference (GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT):
// the module by name as GetModuleHandle finds it, or with GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS the
// module whose mapping holds the address. Not found -> FALSE, *module NULL, ERROR_MOD_NOT_FOUND.
// Counting a reference or pinning the module is not modelled.
WINBASEAPI BOOL WINAPI GetModuleHandleEx(DWORD flags, LPCSTR moduleName, HMODULE* module) {
  if (module == nullptr) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *module = nullptr;
  if (flags & ~(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT) ||
      !(flags & GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT))
    STANDIN_UNMODELLED_LASTERROR(FALSE);
  *module = (flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) ? kernel32::loader::ModuleContaining(moduleName)
                                                             : GetModuleHandle(moduleName);
  if (*module != nullptr) return TRUE;
  ::SetLastError(ERROR_MOD_NOT_FOUND);
  return FALSE;
}

// GetModuleFileName: the full Windows path, NUL-terminated. A buffer too small receives the
// first size-1 characters and a NUL; the call then returns size with ERROR_INSUFFICIENT_BUFFER.
WINBASEAPI DWORD WINAPI GetModuleFileName(HMODULE module, LPSTR fileName, DWORD size) {
  const std::optional<std::string> host =
      kernel32::loader::ModuleHostPath(module ? module : kernel32::loader::MainModule());
  if (!host) {
    ::SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (size == 0 || fileName == nullptr) {
    ::SetLastError(size == 0 ? ERROR_INSUFFICIENT_BUFFER : ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::string path = kernel32::WindowsPathOf(*host);
  if (path.size() < size) {
    std::memcpy(fileName, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
  }
  std::memcpy(fileName, path.data(), size - 1);
  fileName[size - 1] = '\0';
  ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return size;
}

}  // extern "C"
