// kernel32 operations on files by name: attributes, copy, move, delete.
#include <windows.h>

#include "file_mapping.h"
#include "file_objects.h"
#include "sandbox/internal.h"

using namespace kernel32;
using namespace kernel32::files;

namespace {

constexpr DWORD kAllShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A missing last component: ERROR_FILE_NOT_FOUND (a missing parent already failed the mapping
// with ERROR_PATH_NOT_FOUND).
bool Missing(const Mapped& m) { return !m.exists; }

std::string HostParent(const std::string& hostPath) {
  const size_t slash = hostPath.rfind('/');
  return slash == 0 ? "/" : hostPath.substr(0, slash);
}

bool SameFile(const Mapped& a, const Mapped& b) {
  return a.exists && b.exists && a.stat.device == b.stat.device && a.stat.inode == b.stat.inode;
}

// The host name `target` gets: the folder found on disk plus the last component as written (a
// rename that only changes case keeps the new spelling).
std::string HostNameAsWritten(const Mapped& target) {
  const std::string parent = HostParent(target.host);
  return (parent == "/" ? "" : parent) + "/" + AnsiToHost(target.windows.components.back());
}

// Gives the file now at `targetHost` the kept attributes of the file `source` (a copy or a move
// across volumes makes a new host file).
void CarryKeptAttributes(const host::FileStat& source, const std::string& targetHost) {
  host::FileStat target;
  if (host::Stat(targetHost, target) == ERROR_SUCCESS) SetKeptAttributes(target, KeptAttributes(source));
}

}  // namespace

extern "C" {

// GetFileAttributes: DIRECTORY, ARCHIVE, READONLY (owner-write bit off); a missing file gives
// INVALID_FILE_ATTRIBUTES with ERROR_FILE_NOT_FOUND, a missing folder on the way
// ERROR_PATH_NOT_FOUND.
WINBASEAPI DWORD WINAPI GetFileAttributes(LPCSTR fileName) {
  std::lock_guard<std::recursive_mutex> g(StateLock());
  auto mapped = MapPath(fileName, "GetFileAttributes");
  if (!mapped) return INVALID_FILE_ATTRIBUTES;
  if (Missing(*mapped)) return Fail(ERROR_FILE_NOT_FOUND, INVALID_FILE_ATTRIBUTES);
  if (mapped->windows.trailingSeparator && !mapped->stat.directory) return Fail(ERROR_INVALID_NAME, INVALID_FILE_ATTRIBUTES);
  return AttributesOf(mapped->stat);
}

// SetFileAttributes: READONLY sets or clears the owner-write bit; HIDDEN and SYSTEM are kept by
// the stand-in (see kKeptAttributes); ARCHIVE and NORMAL are taken (the archive bit is not kept:
// files always report ARCHIVE). TEMPORARY is not modelled.
WINBASEAPI BOOL WINAPI SetFileAttributes(LPCSTR fileName, DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_TEMPORARY) STANDIN_UNMODELLED_LASTERROR(FALSE);
  std::lock_guard<std::recursive_mutex> g(StateLock());
  auto mapped = MapPath(fileName, "SetFileAttributes");
  if (!mapped) return FALSE;
  if (InjectedFailure(mapped->windows, "attributes")) return FALSE;
  if (Missing(*mapped)) return Fail(ERROR_FILE_NOT_FOUND, FALSE);
  if (DWORD error = host::SetWritable(mapped->host, (attributes & FILE_ATTRIBUTE_READONLY) == 0); error != ERROR_SUCCESS)
    return Fail(error, FALSE);
  SetKeptAttributes(mapped->stat, attributes);
  return TRUE;
}

// DeleteFile: a missing file -> ERROR_FILE_NOT_FOUND; a directory or a read-only file ->
// ERROR_ACCESS_DENIED; a file open without FILE_SHARE_DELETE -> ERROR_SHARING_VIOLATION.
// (Windows keeps the name of a file deleted while open until its last handle closes; here the
// name goes at once.)
WINBASEAPI BOOL WINAPI DeleteFile(LPCSTR fileName) {
  std::lock_guard<std::recursive_mutex> g(StateLock());
  auto mapped = MapPath(fileName, "DeleteFile");
  if (!mapped) return FALSE;
  if (InjectedFailure(mapped->windows, "delete")) return FALSE;
  if (Missing(*mapped)) return Fail(ERROR_FILE_NOT_FOUND, FALSE);
  if (mapped->stat.directory || !mapped->stat.ownerWritable) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (DWORD error = CheckSharing(mapped->stat.device, mapped->stat.inode, {false, false, true, kAllShare}))
    return Fail(error, FALSE);
  if (DWORD error = host::Unlink(mapped->host); error != ERROR_SUCCESS) return Fail(error, FALSE);
  SetKeptAttributes(mapped->stat, 0);
  return TRUE;
}

// CopyFile: contents, the attributes and the last write time of the source. An existing target is
// replaced unless `failIfExists` (ERROR_FILE_EXISTS); a read-only, hidden or directory target ->
// ERROR_ACCESS_DENIED; a source open for writing, or a target open at all, or a file copied
// onto itself -> ERROR_SHARING_VIOLATION. A copy that fails half-way leaves no new target.
WINBASEAPI BOOL WINAPI CopyFile(LPCSTR existingFileName, LPCSTR newFileName, BOOL failIfExists) {
  std::lock_guard<std::recursive_mutex> g(StateLock());
  auto source = MapPath(existingFileName, "CopyFile");
  if (!source) return FALSE;
  auto target = MapPath(newFileName, "CopyFile");
  if (!target) return FALSE;
  if (InjectedFailure(source->windows, target->windows, "copy")) return FALSE;
  if (Missing(*source)) return Fail(ERROR_FILE_NOT_FOUND, FALSE);
  if (source->stat.directory) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (target->windows.components.empty()) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (DWORD error = CheckSharing(source->stat.device, source->stat.inode, {true, false, false, FILE_SHARE_READ}))
    return Fail(error, FALSE);
  if (target->exists) {
    if (failIfExists) return Fail(ERROR_FILE_EXISTS, FALSE);
    if (target->stat.directory || !target->stat.ownerWritable || (KeptAttributes(target->stat) & FILE_ATTRIBUTE_HIDDEN))
      return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (SameFile(*source, *target)) return Fail(ERROR_SHARING_VIOLATION, FALSE);
    if (DWORD error = CheckSharing(target->stat.device, target->stat.inode, {false, true, false, 0}))
      return Fail(error, FALSE);
  }
  if (DWORD error = host::CopyContents(source->host, target->host); error != ERROR_SUCCESS) {
    if (!target->exists) host::Unlink(target->host);
    return Fail(error, FALSE);
  }
  CarryKeptAttributes(source->stat, target->host);
  return TRUE;
}

// MoveFileEx: renames a file or directory. An existing target -> ERROR_ALREADY_EXISTS unless
// MOVEFILE_REPLACE_EXISTING (files only; a read-only target -> ERROR_ACCESS_DENIED); the file
// then takes the target's name as written, whatever case the replaced file's name had. Each drive
// is its own volume: across drives a file moves only with MOVEFILE_COPY_ALLOWED (copy, then
// delete) and a directory never (ERROR_NOT_SAME_DEVICE). A source open without
// FILE_SHARE_DELETE -> ERROR_SHARING_VIOLATION; a directory holding open files, or a new name in
// a read-only folder -> ERROR_ACCESS_DENIED. Delayed moves (at reboot) are not modelled.
WINBASEAPI BOOL WINAPI MoveFileEx(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags) {
  if (newFileName == nullptr || (flags & ~(MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH)))
    STANDIN_UNMODELLED_LASTERROR(FALSE);
  std::lock_guard<std::recursive_mutex> g(StateLock());
  auto source = MapPath(existingFileName, "MoveFileEx");
  if (!source) return FALSE;
  auto target = MapPath(newFileName, "MoveFileEx");
  if (!target) return FALSE;
  if (InjectedFailure(source->windows, target->windows, "move")) return FALSE;
  if (Missing(*source)) return Fail(ERROR_FILE_NOT_FOUND, FALSE);
  if (source->windows.components.empty() || target->windows.components.empty()) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (DWORD error = CheckSharing(source->stat.device, source->stat.inode, {false, false, true, kAllShare}))
    return Fail(error, FALSE);
  if (source->stat.directory && AnyOpenUnder(source->host)) return Fail(ERROR_ACCESS_DENIED, FALSE);

  if (SameFile(*source, *target)) {
    // The same file under another spelling: only the case of the name changes.
    const std::string renamed = HostNameAsWritten(*target);
    if (renamed == source->host) return TRUE;
    if (DWORD error = host::Rename(source->host, renamed); error != ERROR_SUCCESS) return Fail(error, FALSE);
    return TRUE;
  }
  if (target->exists) {
    if (!(flags & MOVEFILE_REPLACE_EXISTING)) return Fail(ERROR_ALREADY_EXISTS, FALSE);
    if (target->stat.directory || source->stat.directory || !target->stat.ownerWritable)
      return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (DWORD error = CheckSharing(target->stat.device, target->stat.inode, {false, false, true, kAllShare}))
      return Fail(error, FALSE);
  }
  if (!target->exists && FolderRefusesNewEntries(*target)) return Fail(ERROR_ACCESS_DENIED, FALSE);
  const bool otherVolume = source->windows.Root() != target->windows.Root();
  if (otherVolume && (source->stat.directory || !(flags & MOVEFILE_COPY_ALLOWED)))
    return Fail(ERROR_NOT_SAME_DEVICE, FALSE);

  DWORD error = host::Rename(source->host, target->host);
  if (error == ERROR_SUCCESS && target->exists) SetKeptAttributes(target->stat, 0);  // the replaced file is gone
  if (error == ERROR_NOT_SAME_DEVICE && otherVolume) {
    // The drives are on different host file systems: copy, then delete, as Windows does.
    error = host::CopyContents(source->host, target->host);
    if (error == ERROR_SUCCESS) {
      CarryKeptAttributes(source->stat, target->host);
      error = host::Unlink(source->host);
      if (error == ERROR_SUCCESS) SetKeptAttributes(source->stat, 0);
    }
  }
  if (error != ERROR_SUCCESS) return Fail(error, FALSE);
  if (target->exists) {
    // The replaced file's name on disk may differ in case from the name written: the new file
    // bears the name as written.
    const std::string renamed = HostNameAsWritten(*target);
    if (renamed != target->host && (error = host::Rename(target->host, renamed)) != ERROR_SUCCESS)
      return Fail(error, FALSE);
  }
  return TRUE;
}

// MoveFile: MoveFileEx that may copy across drives and never replaces.
WINBASEAPI BOOL WINAPI MoveFile(LPCSTR existingFileName, LPCSTR newFileName) {
  return MoveFileEx(existingFileName, newFileName, MOVEFILE_COPY_ALLOWED);
}

}  // extern "C"
