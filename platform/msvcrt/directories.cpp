// The run-time's directory calls, all through kernel32: the same mapping point and the same
// process-wide current directory as every Win32 call.
#include <windows.h>

#include <cerrno>
#include <cstdlib>

#include "crt_errno.h"

using msvcrt::FailFromLastError;

extern "C" {

// _getcwd: with a null buffer it allocates (with malloc) at least `maxLength` bytes, enough for
// the path; a buffer smaller than the path -> NULL with ERANGE.
STANDIN_API char* _getcwd(char* buffer, int maxLength) {
  const DWORD needed = GetCurrentDirectory(0, nullptr);  // including the NUL
  if (needed == 0) {
    FailFromLastError();
    return nullptr;
  }
  if (buffer == nullptr) {
    const size_t size = maxLength > 0 && static_cast<DWORD>(maxLength) > needed ? static_cast<size_t>(maxLength) : needed;
    char* allocated = static_cast<char*>(std::malloc(size));
    if (allocated == nullptr) {
      errno = ENOMEM;
      return nullptr;
    }
    GetCurrentDirectory(static_cast<DWORD>(size), allocated);
    return allocated;
  }
  if (maxLength <= 0 || static_cast<DWORD>(maxLength) < needed) {
    errno = ERANGE;
    return nullptr;
  }
  GetCurrentDirectory(static_cast<DWORD>(maxLength), buffer);
  return buffer;
}

// _chdir: SetCurrentDirectory; a missing directory -> ENOENT.
STANDIN_API int _chdir(const char* dirName) {
  if (dirName == nullptr) return errno = EINVAL, -1;
  return SetCurrentDirectory(dirName) ? 0 : FailFromLastError();
}

// _mkdir: CreateDirectory; an existing name -> EEXIST, a missing parent -> ENOENT.
STANDIN_API int _mkdir(const char* dirName) {
  if (dirName == nullptr) return errno = EINVAL, -1;
  return CreateDirectory(dirName, nullptr) ? 0 : FailFromLastError();
}

// _rmdir: RemoveDirectory; not a directory, not empty, or the current directory -> ENOTEMPTY
// (as the run-time documents), a missing one -> ENOENT.
STANDIN_API int _rmdir(const char* dirName) {
  if (dirName == nullptr) return errno = EINVAL, -1;
  if (RemoveDirectory(dirName)) return 0;
  switch (GetLastError()) {
    case ERROR_DIR_NOT_EMPTY:
    case ERROR_DIRECTORY:
    case ERROR_SHARING_VIOLATION:
      errno = ENOTEMPTY;
      return -1;
    default:
      return FailFromLastError();
  }
}

// _access: mode 0 existence, 2 write, 4 read, 6 both. A read-only file fails mode 2 with EACCES;
// a directory is always readable and writable (only its existence is checked).
STANDIN_API int _access(const char* path, int mode) {
  if (path == nullptr || (mode & ~6) != 0) return errno = EINVAL, -1;
  const DWORD attributes = GetFileAttributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return FailFromLastError();
  if ((mode & 2) && (attributes & FILE_ATTRIBUTE_READONLY) && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return errno = EACCES, -1;
  return 0;
}

}  // extern "C"
