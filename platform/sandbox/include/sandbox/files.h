// Sandbox control of the file stand-in: which host folder a drive letter or UNC share is, the
// mapping in both directions, and injected failures. Implemented by kernel32.
//
// On sandbox::Reset(): only Z: (the host's "/") is mapped, temporary drives are removed with
// their folders, no shares, the current directory is the Windows form of the host's working
// directory, no injected failures or actions, no record, and every open file and find handle is
// closed.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "sandbox/core.h"

namespace sandbox {

// Maps drive `letter` (either case) to an existing host folder; throws std::invalid_argument
// for a bad letter or a folder that does not exist.
SANDBOX_API void MapDrive(char letter, const std::string& hostFolder);
SANDBOX_API void UnmapDrive(char letter);
// Makes a fresh host temporary folder, maps `letter` to it and returns its host path. The
// folder is removed on sandbox::Reset() and at exit.
SANDBOX_API std::string MapTempDrive(char letter);
// The environment entry "SABLEWING_DRIVES=C=/host/a;T=/host/b" naming the drives mapped now (Z:
// when it is not "/"). A program started with it (sandbox/test_process.h) maps the same drives
// when it starts, so it finds the world this process set up; entries that name no folder are
// reported on standard error and left out. Throws std::invalid_argument for a host folder that
// holds ';'.
SANDBOX_API std::string DrivesEnvironment();
// Maps "\\server\share" (either case) to an existing host folder.
SANDBOX_API void MapUncShare(const std::string& serverShare, const std::string& hostFolder);

// The host path a Windows path maps to, with each existing component spelled as found on disk
// and the rest as written; "" when the path cannot be mapped (bad name, unmapped drive).
SANDBOX_API std::string HostPath(const std::string& windowsPath);
// The Windows form of a host path: the mapped folder with the longest prefix gives the drive
// (or share), else Z:; "" when no mapping covers it.
SANDBOX_API std::string WindowsPath(const std::string& hostPath);

// The next `count` calls of `operation` on `windowsPath` (compared as full paths, case-
// insensitively) fail with `error` and change nothing:
//   "open"   CreateFile                     "read", "write", "flush", "close"  on its handles
//   "delete" DeleteFile, RemoveDirectory    "move"  MoveFile(Ex), source or target
//   "copy"   CopyFile, source or target     "mkdir" CreateDirectory
//   "find"   FindFirstFile in that directory
//   "attributes"  SetFileAttributes
//   "*"      any of the above
// A failed "close" still closes the handle, as CloseHandle does when the final flush fails.
SANDBOX_API void InjectFileFailure(const std::string& windowsPath, const std::string& operation,
                                   uint32_t error, int count = 1);
// The same calls counted on any path, from now on: the n-th call (from 1) of `operation` ("*":
// of any kind) fails with `error`, or has `action` run just before it (the call then goes on).
// An action may read and copy files, through the stand-in or the host (to keep what a crash at
// that point would leave); what it does is neither counted nor recorded. Set several to act on
// several calls.
SANDBOX_API void FailNthFileCall(const std::string& operation, int n, uint32_t error);
SANDBOX_API void BeforeNthFileCall(const std::string& operation, int n, std::function<void()> action);
// Drops every injected failure and every pending action.
SANDBOX_API void ClearFileFailures();

// The record of those calls, in the order they came (across threads), while recording is on.
// Starting a record drops the one before; a count of calls of a kind is a count over the record.
struct FileCall {
  std::string operation;  // as above
  std::string path;       // the full Windows path as the caller spelled it (for "find": folder\pattern)
  std::string target;     // the second path of a "move" or "copy", else empty
  bool operator==(const FileCall&) const = default;
};
inline std::string ToString(const FileCall& call) {
  return call.operation + " " + call.path + (call.target.empty() ? "" : " -> " + call.target);
}
SANDBOX_API void RecordFileCalls(bool on);
SANDBOX_API std::vector<FileCall> RecordedFileCalls();

// File and find handles open right now.
SANDBOX_API size_t OpenFileHandles();

}  // namespace sandbox
