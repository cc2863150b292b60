// kernel32 file handles: CreateFile and what works on the handle it returns, and CloseHandle.
#include <windows.h>

#include "file_mapping.h"
#include "file_objects.h"
#include "sandbox/internal.h"

using namespace kernel32;
using namespace kernel32::files;

namespace {

constexpr DWORD kReadAccess = GENERIC_READ | GENERIC_EXECUTE | GENERIC_ALL | 0x0001 /* FILE_READ_DATA */;
constexpr DWORD kWriteAccess = GENERIC_WRITE | GENERIC_ALL | 0x0002 /* FILE_WRITE_DATA */ | 0x0004 /* FILE_APPEND_DATA */;
constexpr DWORD kShareModes = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Attributes and caching hints CreateFile takes; anything else (overlapped I/O, backup
// semantics, delete-on-close) is not modelled.
constexpr DWORD kModelledFlags = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                 FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_TEMPORARY |
                                 FILE_FLAG_WRITE_THROUGH | FILE_FLAG_RANDOM_ACCESS | FILE_FLAG_SEQUENTIAL_SCAN;

uint64_t Ticks(const FILETIME& t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

// A host file descriptor closed with its holder unless released.
struct HostFile {
  int fd = -1;
  HostFile() = default;
  HostFile(const HostFile&) = delete;
  HostFile& operator=(const HostFile&) = delete;
  ~HostFile() {
    if (fd >= 0) host::Close(fd);
  }
  int Release() { return std::exchange(fd, -1); }
};

std::shared_ptr<OpenFile> FileOf(HANDLE handle) {
  auto file = LookupHandleAs<OpenFile>(handle);
  if (!file) SetLastError(ERROR_INVALID_HANDLE);
  return file;
}

}  // namespace

extern "C" {

// CreateFile: the five dispositions, GENERIC_READ/WRITE, sharing between the process's handles,
// the read-only attribute (checked here: the host user is root and could write anyway), and the
// hidden and system attributes: a new file gets those asked for; CREATE_ALWAYS over a hidden or
// system file must ask for its attributes (else ERROR_ACCESS_DENIED) and gives it those asked for.
// A read-only folder takes no new file.
WINBASEAPI HANDLE WINAPI CreateFile(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                                    LPSECURITY_ATTRIBUTES, DWORD creationDisposition, DWORD flagsAndAttributes,
                                    HANDLE templateFile) {
  if (templateFile != nullptr || (flagsAndAttributes & ~kModelledFlags) != 0)
    STANDIN_UNMODELLED_LASTERROR(INVALID_HANDLE_VALUE);
  if (creationDisposition < CREATE_NEW || creationDisposition > TRUNCATE_EXISTING || (shareMode & ~kShareModes))
    return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  const bool read = (desiredAccess & kReadAccess) != 0;
  const bool write = (desiredAccess & kWriteAccess) != 0;
  if (creationDisposition == TRUNCATE_EXISTING && !write) return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);

  std::lock_guard<std::recursive_mutex> g(StateLock());
  auto parsed = ParsePath(fileName, "CreateFile");
  if (!parsed) return INVALID_HANDLE_VALUE;
  host::OpenRequest request;
  request.read = read;
  request.write = write;
  // An existing file opened without truncation is most often named as it lies on disk: opening
  // it as written first saves the look-up's status call. An injected action must run before the
  // file opens, so with failures set the file is looked up first, as every other call does.
  HostFile opened;
  std::optional<Mapped> mapped;
  if ((creationDisposition == OPEN_EXISTING || creationDisposition == OPEN_ALWAYS) &&
      !parsed->trailingSeparator && !InjectionsSet())
    mapped = OpenAsWritten(*parsed, request, opened.fd);
  if (!mapped) mapped = MapParsed(*parsed);
  if (!mapped) return INVALID_HANDLE_VALUE;
  if (mapped->windows.components.empty() || (mapped->exists && mapped->stat.directory))
    return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);  // a directory is not opened as a file
  if (mapped->windows.trailingSeparator) return Fail(ERROR_INVALID_NAME, INVALID_HANDLE_VALUE);
  if (InjectedFailure(mapped->windows, "open")) return INVALID_HANDLE_VALUE;

  const bool wantsReadOnly = (flagsAndAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  DWORD successError = ERROR_SUCCESS;
  if (mapped->exists) {
    if (creationDisposition == CREATE_NEW) return Fail(ERROR_FILE_EXISTS, INVALID_HANDLE_VALUE);
    const bool truncates = creationDisposition == CREATE_ALWAYS || creationDisposition == TRUNCATE_EXISTING;
    if ((write || truncates) && !mapped->stat.ownerWritable) return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    if (creationDisposition == CREATE_ALWAYS && (KeptAttributes(mapped->stat) & ~flagsAndAttributes) != 0)
      return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    const DWORD sharing = CheckSharing(mapped->stat.device, mapped->stat.inode, {read, write || truncates, false, shareMode});
    if (sharing != ERROR_SUCCESS) return Fail(sharing, INVALID_HANDLE_VALUE);
    request.truncate = truncates;
    if (creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS) successError = ERROR_ALREADY_EXISTS;
  } else {
    if (creationDisposition == OPEN_EXISTING || creationDisposition == TRUNCATE_EXISTING)
      return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
    if (FolderRefusesNewEntries(*mapped)) return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    request.create = true;
    request.exclusive = true;
    request.readOnly = wantsReadOnly;
  }

  auto file = std::make_shared<OpenFile>();
  host::FileStat stat = mapped->stat;  // the status of the file opened as written
  if (opened.fd < 0) {
    if (DWORD error = host::Open(mapped->host, request, opened.fd); error != ERROR_SUCCESS) {
      opened.fd = -1;
      return Fail(error, INVALID_HANDLE_VALUE);
    }
    if (mapped->exists && creationDisposition == CREATE_ALWAYS && wantsReadOnly) host::SetWritable(mapped->host, false);
    if (DWORD error = host::StatHandle(opened.fd, stat); error != ERROR_SUCCESS) return Fail(error, INVALID_HANDLE_VALUE);
  }
  if (request.create || creationDisposition == CREATE_ALWAYS) SetKeptAttributes(stat, flagsAndAttributes);
  file->fd = opened.Release();
  file->canRead = read;
  file->canWrite = write;
  file->share = shareMode;
  file->path = std::move(mapped->windows);
  file->host = std::move(mapped->host);
  file->device = stat.device;
  file->inode = stat.inode;
  file->written = request.create || request.truncate;
  HANDLE handle = InsertHandle(std::move(file));
  SetLastError(successError);
  return handle;
}

// ReadFile: synchronous reads from the handle's file pointer; at the end of the file it succeeds
// with 0 bytes read.
WINBASEAPI BOOL WINAPI ReadFile(HANDLE handle, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
                                void* overlapped) {
  if (overlapped != nullptr) STANDIN_UNMODELLED_LASTERROR(FALSE);
  if (bytesRead == nullptr) {
    sandbox::internal::Fail("ReadFile: lpNumberOfBytesRead is NULL without an OVERLAPPED");
    return Fail(ERROR_INVALID_PARAMETER, FALSE);
  }
  *bytesRead = 0;
  auto file = FileOf(handle);
  if (!file) return FALSE;
  if (!file->canRead) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (buffer == nullptr && bytesToRead > 0) return Fail(ERROR_NOACCESS, FALSE);
  if (InjectedFailure(FileCallSite{.operation = "read", .path = file->path, .key = &file->failureKey})) return FALSE;
  std::lock_guard<std::mutex> g(file->lock);
  uint32_t done = 0;
  if (DWORD error = host::ReadAt(file->fd, buffer, bytesToRead, file->position, done); error != ERROR_SUCCESS)
    return Fail(error, FALSE);
  file->position += done;
  *bytesRead = done;
  return TRUE;
}

// WriteFile: synchronous writes at the file pointer (a pointer past the end extends the file).
WINBASEAPI BOOL WINAPI WriteFile(HANDLE handle, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
                                 void* overlapped) {
  if (overlapped != nullptr) STANDIN_UNMODELLED_LASTERROR(FALSE);
  if (bytesWritten == nullptr) {
    sandbox::internal::Fail("WriteFile: lpNumberOfBytesWritten is NULL without an OVERLAPPED");
    return Fail(ERROR_INVALID_PARAMETER, FALSE);
  }
  *bytesWritten = 0;
  auto file = FileOf(handle);
  if (!file) return FALSE;
  if (!file->canWrite) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (buffer == nullptr && bytesToWrite > 0) return Fail(ERROR_NOACCESS, FALSE);
  if (InjectedFailure(FileCallSite{.operation = "write", .path = file->path, .key = &file->failureKey})) return FALSE;
  std::lock_guard<std::mutex> g(file->lock);
  if (bytesToWrite == 0) return TRUE;  // a zero-length write changes nothing
  uint32_t done = 0;
  const DWORD error = host::WriteAt(file->fd, buffer, bytesToWrite, file->position, done);
  file->position += done;
  file->written = file->written || done > 0;
  *bytesWritten = done;
  return error == ERROR_SUCCESS ? TRUE : Fail(error, FALSE);
}

// SetFilePointer: 32-bit distance, or 64-bit with the high part; a position before the start
// fails with ERROR_NEGATIVE_SEEK. Success with a low part of 0xFFFFFFFF leaves NO_ERROR as the
// last error so that callers can tell it from INVALID_SET_FILE_POINTER.
WINBASEAPI DWORD WINAPI SetFilePointer(HANDLE handle, LONG distance, PLONG distanceHigh, DWORD moveMethod) {
  auto file = FileOf(handle);
  if (!file) return INVALID_SET_FILE_POINTER;
  if (moveMethod > FILE_END) return Fail(ERROR_INVALID_PARAMETER, INVALID_SET_FILE_POINTER);
  const int64_t move = distanceHigh ? static_cast<int64_t>((uint64_t(uint32_t(*distanceHigh)) << 32) | uint32_t(distance))
                                    : static_cast<int64_t>(distance);
  std::lock_guard<std::mutex> g(file->lock);
  int64_t base = 0;
  if (moveMethod == FILE_CURRENT) {
    base = static_cast<int64_t>(file->position);
  } else if (moveMethod == FILE_END) {
    host::FileStat stat;
    if (DWORD error = host::StatHandle(file->fd, stat); error != ERROR_SUCCESS)
      return Fail(error, INVALID_SET_FILE_POINTER);
    base = static_cast<int64_t>(stat.size);
  }
  const int64_t target = base + move;
  if (target < 0) return Fail(ERROR_NEGATIVE_SEEK, INVALID_SET_FILE_POINTER);
  if (!distanceHigh && target > 0xFFFFFFFFLL) return Fail(ERROR_INVALID_PARAMETER, INVALID_SET_FILE_POINTER);
  file->position = static_cast<uint64_t>(target);
  if (distanceHigh) *distanceHigh = static_cast<LONG>(static_cast<uint64_t>(target) >> 32);
  const DWORD low = static_cast<DWORD>(target);
  if (low == INVALID_SET_FILE_POINTER) SetLastError(NO_ERROR);
  return low;
}

// SetEndOfFile: the file ends at the file pointer (cut or extended with zeros).
WINBASEAPI BOOL WINAPI SetEndOfFile(HANDLE handle) {
  auto file = FileOf(handle);
  if (!file) return FALSE;
  if (!file->canWrite) return Fail(ERROR_ACCESS_DENIED, FALSE);
  std::lock_guard<std::mutex> g(file->lock);
  if (DWORD error = host::Truncate(file->fd, file->position); error != ERROR_SUCCESS) return Fail(error, FALSE);
  file->written = true;
  return TRUE;
}

// FlushFileBuffers: needs write access; data reach the disk.
WINBASEAPI BOOL WINAPI FlushFileBuffers(HANDLE handle) {
  auto file = FileOf(handle);
  if (!file) return FALSE;
  if (!file->canWrite) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (InjectedFailure(FileCallSite{.operation = "flush", .path = file->path, .key = &file->failureKey})) return FALSE;
  if (DWORD error = host::Sync(file->fd); error != ERROR_SUCCESS) return Fail(error, FALSE);
  return TRUE;
}

// GetFileSize: low part returned, high part through the pointer; a low part of 0xFFFFFFFF on
// success leaves NO_ERROR as the last error.
WINBASEAPI DWORD WINAPI GetFileSize(HANDLE handle, LPDWORD sizeHigh) {
  auto file = FileOf(handle);
  if (!file) return INVALID_FILE_SIZE;
  host::FileStat stat;
  if (DWORD error = host::StatHandle(file->fd, stat); error != ERROR_SUCCESS) return Fail(error, INVALID_FILE_SIZE);
  if (sizeHigh) *sizeHigh = static_cast<DWORD>(stat.size >> 32);
  const DWORD low = static_cast<DWORD>(stat.size);
  if (low == INVALID_FILE_SIZE) SetLastError(NO_ERROR);
  return low;
}

// GetFileTime: creation from the host's status-change time, access and write from atime/mtime.
WINBASEAPI BOOL WINAPI GetFileTime(HANDLE handle, LPFILETIME creation, LPFILETIME lastAccess, LPFILETIME lastWrite) {
  auto file = FileOf(handle);
  if (!file) return FALSE;
  host::FileStat stat;
  if (DWORD error = host::StatHandle(file->fd, stat); error != ERROR_SUCCESS) return Fail(error, FALSE);
  if (creation) *creation = ToFileTime(stat.creationTime);
  if (lastAccess) *lastAccess = ToFileTime(stat.accessTime);
  if (lastWrite) *lastWrite = ToFileTime(stat.writeTime);
  return TRUE;
}

// SetFileTime: needs write access; a null pointer or a zero FILETIME leaves that time alone, and
// a write time set here stays through later writes on the handle. The host keeps no creation
// time, so a new one is recorded as unmodelled and not kept.
WINBASEAPI BOOL WINAPI SetFileTime(HANDLE handle, const FILETIME* creation, const FILETIME* lastAccess,
                                   const FILETIME* lastWrite) {
  auto file = FileOf(handle);
  if (!file) return FALSE;
  if (!file->canWrite) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (creation && Ticks(*creation) != 0) sandbox::internal::ReportUnmodelled("SetFileTime (creation time)");
  std::optional<uint64_t> access, write;
  if (lastAccess && Ticks(*lastAccess) != 0) access = Ticks(*lastAccess);
  if (lastWrite && Ticks(*lastWrite) != 0) write = Ticks(*lastWrite);
  std::lock_guard<std::mutex> g(file->lock);
  if (DWORD error = host::SetTimes(file->fd, access, write); error != ERROR_SUCCESS) return Fail(error, FALSE);
  if (write) {
    file->fixedWriteTime = write;
    file->written = false;
  }
  return TRUE;
}

// GetFileInformationByHandle: attributes, times, size, link count; the volume serial number and
// file index come from the host's device and inode numbers.
WINBASEAPI BOOL WINAPI GetFileInformationByHandle(HANDLE handle, LPBY_HANDLE_FILE_INFORMATION info) {
  auto file = FileOf(handle);
  if (!file) return FALSE;
  if (info == nullptr) return Fail(ERROR_NOACCESS, FALSE);
  host::FileStat stat;
  if (DWORD error = host::StatHandle(file->fd, stat); error != ERROR_SUCCESS) return Fail(error, FALSE);
  info->dwFileAttributes = AttributesOf(stat);
  info->ftCreationTime = ToFileTime(stat.creationTime);
  info->ftLastAccessTime = ToFileTime(stat.accessTime);
  info->ftLastWriteTime = ToFileTime(stat.writeTime);
  info->dwVolumeSerialNumber = static_cast<DWORD>(stat.device);
  info->nFileSizeHigh = static_cast<DWORD>(stat.size >> 32);
  info->nFileSizeLow = static_cast<DWORD>(stat.size);
  info->nNumberOfLinks = static_cast<DWORD>(stat.links);
  info->nFileIndexHigh = static_cast<DWORD>(stat.inode >> 32);
  info->nFileIndexLow = static_cast<DWORD>(stat.inode);
  return TRUE;
}

// LockFile/UnlockFile: byte-range locks are not kept. They only exclude other handles and
// processes from a range, which nothing in this single-process sandbox contends for, so both
// check the handle and succeed.
WINBASEAPI BOOL WINAPI LockFile(HANDLE handle, DWORD, DWORD, DWORD, DWORD) { return FileOf(handle) ? TRUE : FALSE; }

WINBASEAPI BOOL WINAPI UnlockFile(HANDLE handle, DWORD, DWORD, DWORD, DWORD) { return FileOf(handle) ? TRUE : FALSE; }

// CloseHandle: closes a kernel object's handle; a handle that is not open (or a find handle,
// which only FindClose takes) fails with ERROR_INVALID_HANDLE. A file written through the handle
// gets the sandbox clock's time as its last write time, as the file system stamps it.
WINBASEAPI BOOL WINAPI CloseHandle(HANDLE handle) {
  auto object = RemoveHandle(handle, [](KernelObject& o) { return o.ClosedByCloseHandle(); });
  if (!object) return Fail(ERROR_INVALID_HANDLE, FALSE);
  auto* file = dynamic_cast<OpenFile*>(object.get());
  if (!file) return TRUE;
  DWORD error = ERROR_SUCCESS;
  {
    std::lock_guard<std::mutex> g(file->lock);
    if (file->fixedWriteTime)
      error = host::SetTimes(file->fd, std::nullopt, file->fixedWriteTime);
    else if (file->written)
      error = host::SetTimes(file->fd, std::nullopt, sandbox::internal::FileTimeNow());
    if (DWORD closeError = host::Close(file->fd); error == ERROR_SUCCESS) error = closeError;
    file->fd = -1;
  }
  if (InjectedFailure(FileCallSite{.operation = "close", .path = file->path, .key = &file->failureKey})) return FALSE;
  return error == ERROR_SUCCESS ? TRUE : Fail(error, FALSE);
}

}  // extern "C"
