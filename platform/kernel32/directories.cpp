// kernel32 directories: create and remove, the process's current directory, full path names,
// temporary files, and the Windows folders.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "file_mapping.h"
#include "file_objects.h"
#include "sandbox/internal.h"

using namespace kernel32;
using namespace kernel32::files;

namespace {

// CreateDirectory takes at most MAX_PATH - 12 characters, room for an 8.3 name inside.
constexpr size_t kMaxDirectoryPath = MAX_PATH - 12;

// The return convention of GetCurrentDirectory and its kin: the length without the NUL when the
// text fits, else the size needed including the NUL (and the buffer is left alone).
DWORD CopyOut(const std::string& text, LPSTR buffer, DWORD size) {
  if (buffer == nullptr || size < text.size() + 1) return static_cast<DWORD>(text.size() + 1);
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<DWORD>(text.size());
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

extern "C" {

// CreateDirectory: ERROR_ALREADY_EXISTS when the name exists (file or directory),
// ERROR_PATH_NOT_FOUND when the parent does not, ERROR_ACCESS_DENIED in a read-only folder.
WINBASEAPI BOOL WINAPI CreateDirectory(LPCSTR pathName, LPSECURITY_ATTRIBUTES) {
  std::lock_guard<std::recursive_mutex> g(StateLock());
  auto parsed = ParsePath(pathName, "CreateDirectory");
  if (!parsed) return FALSE;
  if (parsed->ToString().size() > kMaxDirectoryPath) return Fail(ERROR_FILENAME_EXCED_RANGE, FALSE);
  auto mapped = MapParsed(*parsed);
  if (!mapped) return FALSE;
  if (InjectedFailure(mapped->windows, "mkdir")) return FALSE;
  if (mapped->exists) return Fail(ERROR_ALREADY_EXISTS, FALSE);
  if (FolderRefusesNewEntries(*mapped)) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (DWORD error = host::MakeDirectory(mapped->host); error != ERROR_SUCCESS) return Fail(error, FALSE);
  return TRUE;
}

// RemoveDirectory: only an empty directory (ERROR_DIR_NOT_EMPTY); a file -> ERROR_DIRECTORY; a
// missing one -> ERROR_FILE_NOT_FOUND; a read-only one -> ERROR_ACCESS_DENIED; the current
// directory (or a parent of it) is held open by the process -> ERROR_SHARING_VIOLATION.
WINBASEAPI BOOL WINAPI RemoveDirectory(LPCSTR pathName) {
  std::lock_guard<std::recursive_mutex> g(StateLock());
  auto mapped = MapPath(pathName, "RemoveDirectory");
  if (!mapped) return FALSE;
  if (InjectedFailure(mapped->windows, "delete")) return FALSE;
  if (!mapped->exists) return Fail(ERROR_FILE_NOT_FOUND, FALSE);
  if (!mapped->stat.directory) return Fail(ERROR_DIRECTORY, FALSE);
  if (mapped->windows.components.empty() || !mapped->stat.ownerWritable) return Fail(ERROR_ACCESS_DENIED, FALSE);
  const DWORD saved = GetLastError();
  if (auto current = MapParsed(CurrentDirectory()); current && current->exists) {
    if (current->host == mapped->host || current->host.starts_with(mapped->host + "/"))
      return Fail(ERROR_SHARING_VIOLATION, FALSE);
  }
  SetLastError(saved);
  if (DWORD error = host::RemoveDirectory(mapped->host); error != ERROR_SUCCESS) return Fail(error, FALSE);
  SetKeptAttributes(mapped->stat, 0);
  return TRUE;
}

// GetCurrentDirectory: the process-wide current directory in Windows form.
WINBASEAPI DWORD WINAPI GetCurrentDirectory(DWORD bufferLength, LPSTR buffer) {
  return CopyOut(CurrentDirectory().ToString(), buffer, bufferLength);
}

// SetCurrentDirectory: a missing directory -> ERROR_FILE_NOT_FOUND (ERROR_PATH_NOT_FOUND for a
// missing parent), a file -> ERROR_DIRECTORY. The path is kept as written, made absolute.
WINBASEAPI BOOL WINAPI SetCurrentDirectory(LPCSTR pathName) {
  std::lock_guard<std::recursive_mutex> g(StateLock());
  auto mapped = MapPath(pathName, "SetCurrentDirectory");
  if (!mapped) return FALSE;
  if (!mapped->exists) return Fail(ERROR_FILE_NOT_FOUND, FALSE);
  if (!mapped->stat.directory) return Fail(ERROR_DIRECTORY, FALSE);
  SetCurrentDirectoryPath(mapped->windows);
  return TRUE;
}

// GetFullPathName: the text made absolute against the current directory, "." and ".." resolved,
// without looking at the disk (wildcards pass through, a trailing separator stays). `filePart`
// points at the last component, or is NULL when the path ends with a separator.
WINBASEAPI DWORD WINAPI GetFullPathName(LPCSTR fileName, DWORD bufferLength, LPSTR buffer, LPSTR* filePart) {
  winpath::ParseOptions lexical;
  lexical.validateNames = false;
  auto parsed = ParsePath(fileName, "GetFullPathName", lexical);
  if (!parsed) return 0;
  std::string full = parsed->ToString();
  const bool endsWithSeparator = parsed->components.empty() || parsed->trailingSeparator;
  if (parsed->trailingSeparator && !parsed->components.empty()) full += "\\";
  const DWORD result = CopyOut(full, buffer, bufferLength);
  if (filePart && result == full.size()) {
    *filePart = endsWithSeparator ? nullptr : buffer + full.size() - parsed->components.back().size();
  }
  return result;
}

// GetTempPath: the sandbox's own temporary folder (made on first use, removed on reset), in
// Windows form with a trailing backslash.
WINBASEAPI DWORD WINAPI GetTempPath(DWORD bufferLength, LPSTR buffer) {
  std::string path = WindowsFormOfHost(TempFolderHost());
  if (path.empty()) path = WindowsFormOfHost(host::TempDirectory());
  if (path.empty()) return Fail(ERROR_PATH_NOT_FOUND, DWORD{0});
  if (!IsSeparator(path.back())) path += "\\";
  return CopyOut(path, buffer, bufferLength);
}

// GetTempFileName: <path>\<first three characters of prefix><hex number>.TMP. With `unique` 0 it
// picks a number whose file does not exist yet and creates the file empty; otherwise it only
// makes the name. A path that is not an existing directory -> ERROR_DIRECTORY.
WINBASEAPI UINT WINAPI GetTempFileName(LPCSTR pathName, LPCSTR prefix, UINT unique, LPSTR tempFileName) {
  if (pathName == nullptr || tempFileName == nullptr) return Fail(ERROR_INVALID_PARAMETER, UINT{0});
  {
    std::lock_guard<std::recursive_mutex> g(StateLock());
    auto mapped = MapPath(pathName, "GetTempFileName");
    if (!mapped || !mapped->exists || !mapped->stat.directory) return Fail(ERROR_DIRECTORY, UINT{0});
  }
  std::string base = pathName;
  if (!base.empty() && !IsSeparator(base.back())) base += "\\";
  base += std::string(prefix ? prefix : "").substr(0, 3);
  auto nameFor = [&](UINT number) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", number & 0xFFFF);
    return base + hex + ".TMP";
  };
  if (nameFor(0xFFFF).size() >= MAX_PATH) return Fail(ERROR_BUFFER_OVERFLOW, UINT{0});
  if (unique != 0) {
    std::strcpy(tempFileName, nameFor(unique).c_str());
    return unique;
  }
  const UINT start = GetTickCount();
  for (UINT i = 0; i < 0xFFFF; ++i) {
    const UINT number = (start + i) % 0xFFFF + 1;  // 1..0xFFFF: 0 means "do not create"
    const std::string name = nameFor(number);
    HANDLE file = CreateFile(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      std::strcpy(tempFileName, name.c_str());
      SetLastError(ERROR_SUCCESS);
      return number;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return 0;
  }
  return Fail(ERROR_FILE_EXISTS, UINT{0});
}

// GetWindowsDirectory/GetSystemDirectory: the folders of a standard installation. Nothing lives
// there unless a test maps C: and puts it there.
WINBASEAPI UINT WINAPI GetWindowsDirectory(LPSTR buffer, UINT size) { return CopyOut("C:\\WINDOWS", buffer, size); }

WINBASEAPI UINT WINAPI GetSystemDirectory(LPSTR buffer, UINT size) {
  return CopyOut("C:\\WINDOWS\\SYSTEM32", buffer, size);
}

}  // extern "C"
