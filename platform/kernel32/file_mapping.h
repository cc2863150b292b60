// The one mapping point from Windows paths to host paths, and the process-wide state behind it:
// the drive map, the current directory, injected failures. Every kernel32 file call (and through
// them the C run-time's) goes through MapPath.
#pragma once

#include <windows.h>

#include <mutex>
#include <optional>
#include <string>

#include "host_files.h"
#include "winpath.h"

namespace kernel32::files {

// Held by every call that reads or changes the file state (drive map, current directory,
// sharing of open files), so that a check and the change it guards are one step.
std::recursive_mutex& StateLock();

// A Windows path mapped onto the host.
struct Mapped {
  winpath::WinPath windows;  // full Windows path, components as the caller spelled them
  std::string host;          // host path: existing components as found on disk, the last as given
  bool exists = false;       // the last component exists
  host::FileStat stat;       // valid when `exists`
};

// Parses `path` (ANSI, code page) against the current directory, as file operations do. On
// failure sets the last error and returns nullopt; an unmodelled form is reported as
// `function` (for example "CreateFile") before failing with ERROR_CALL_NOT_IMPLEMENTED.
std::optional<winpath::WinPath> ParsePath(LPCSTR path, const char* function,
                                          const winpath::ParseOptions& options = {});
// Maps a parsed path: the root through the drive map, then each component: the exact name when
// it exists, else the first case-insensitive match in byte order. A missing (or non-directory)
// parent -> ERROR_PATH_NOT_FOUND; a missing last component is not an error (see `exists`).
std::optional<Mapped> MapParsed(const winpath::WinPath& path);
// ParsePath then MapParsed.
std::optional<Mapped> MapPath(LPCSTR path, const char* function);
// Opens an existing file the cheap way: the path as written, every component its own host name,
// with nothing looked up, then the open file's status. When it opens, what MapParsed would have
// mapped it to (every component exists as written), `path` moved into it, with `fd` open on it;
// else nullopt, `fd` -1, `path` and the last error untouched (the file may still exist under
// another case). `request` neither creates nor truncates.
std::optional<Mapped> OpenAsWritten(winpath::WinPath& path, const host::OpenRequest& request, int& fd);

// Code-page text <-> host (UTF-8) text, through MultiByteToWideChar/WideCharToMultiByte.
std::u16string AnsiToUtf16(const std::string& ansi);
std::string Utf16ToAnsi(const std::u16string& text);
std::string AnsiToHost(const std::string& ansi);
std::string HostToAnsi(const std::string& hostName);

// The Windows form of an absolute host path ("" when no drive or share covers it).
std::string WindowsFormOfHost(const std::string& hostPath);

winpath::WinPath CurrentDirectory();
void SetCurrentDirectoryPath(const winpath::WinPath& path);
winpath::LeadBytePredicate LeadBytes();

// The sandbox temporary folder that GetTempPath names (made on first use, removed on reset).
std::string TempFolderHost();

// The key under which failures on a path are kept: the full Windows path, case folded.
std::string FailureKey(const winpath::WinPath& path);

// Every call that an injected failure can fail comes through here once, at the point where it
// would change or read something: it is recorded while the sandbox records, counted by the n-th
// call switches, preceded by an action that is due, and failed (true, with the last error set)
// when an injected failure says so. `key`, when given, keeps FailureKey(path) between calls on
// one handle: it is made into it the first time a failure's path must be compared (under the
// state lock), so a handle costs nothing for it while no failure is set. `target` is the second
// path of a move or copy (its failures count too); `shown` what the record names instead of
// `path`.
struct FileCallSite {
  const char* operation;
  const winpath::WinPath& path;
  std::string* key = nullptr;  // empty until first needed; made from `path` when not given
  const winpath::WinPath* target = nullptr;
  const std::string* shown = nullptr;
};
bool InjectedFailure(const FileCallSite& call);
// True while an injected failure or action is set (calls may then fail or be acted before).
bool InjectionsSet();
// The call names one path.
bool InjectedFailure(const winpath::WinPath& path, const char* operation);
// A move or a copy: one call, failed by a failure on either path.
bool InjectedFailure(const winpath::WinPath& source, const winpath::WinPath& target, const char* operation);

// A folder whose read-only attribute is set (the owner-write bit off) stands for a folder whose
// security denies writing: no new entry may be made in it. True for the folder that would hold a
// new entry at `mapped`.
bool FolderRefusesNewEntries(const Mapped& mapped);

// The attributes Windows reports for a host file: DIRECTORY, or ARCHIVE as NTFS sets it on every
// written file; READONLY when the owner-write bit is off; HIDDEN and SYSTEM as kept below.
DWORD AttributesOf(const host::FileStat& stat);
// HIDDEN and SYSTEM have no host counterpart: they are kept in the file state per host file
// (device and inode), so they go with a file through renames as on Windows, and are forgotten
// when the stand-in deletes the file (or a reset comes). A file deleted on the host behind the
// stand-in's back may leave them to a new file that reuses its inode.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
DWORD KeptAttributes(const host::FileStat& stat);
// Sets the file's kept attributes to those in `attributes` (none forgets the file).
void SetKeptAttributes(const host::FileStat& stat, DWORD attributes);
FILETIME ToFileTime(uint64_t ticks);

// Sets the last error and returns `result` (for one-line failure returns).
template <class T>
T Fail(DWORD error, T result) {
  ::SetLastError(error);
  return result;
}

}  // namespace kernel32::files
