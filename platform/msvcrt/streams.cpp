// The run time's stream calls that take a Windows path: fopen over CreateFile (so the mapping
// point, sharing, read-only files and injected failures apply as to any file), remove and rename.
#include <windows.h>
#include <standin_stdio.h>

#include <cerrno>
#include <cstring>

#include "crt_errno.h"
#include "host_streams.h"
#include "sandbox/internal.h"

namespace {

struct OpenMode {
  bool read = false;
  bool write = false;
  bool create = false;  // "w": created or truncated
  bool text = true;
  const char* hostMode = "r";
};

// "r" or "w", then any of '+', 'b', 't' (one of b and t). false for anything else.
bool ParseMode(const char* mode, OpenMode& out) {
  if (mode == nullptr) return false;
  if (mode[0] == 'r') {
    out.read = true;
  } else if (mode[0] == 'w') {
    out.write = out.create = true;
  } else {
    return false;
  }
  bool plus = false, typed = false;
  for (const char* p = mode + 1; *p != '\0'; ++p) {
    if (*p == '+' && !plus) {
      plus = true;
    } else if ((*p == 'b' || *p == 't') && !typed) {
      typed = true;
      out.text = *p == 't';
    } else {
      return false;
    }
  }
  if (plus) out.read = out.write = true;
  out.hostMode = mode[0] == 'r' ? (plus ? "r+" : "r") : (plus ? "w+" : "w");
  return true;
}

}  // namespace

extern "C" {

STANDIN_API FILE* msvcrt_fopen(const char* path, const char* mode) {
  if (mode != nullptr && mode[0] == 'a') STANDIN_UNMODELLED_RETURN(nullptr);  // append mode
  OpenMode parsed;
  if (path == nullptr || !ParseMode(mode, parsed)) {
    errno = EINVAL;
    return nullptr;
  }
  const DWORD access = (parsed.read ? GENERIC_READ : 0) | (parsed.write ? GENERIC_WRITE : 0);
  HANDLE file = CreateFile(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           parsed.create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    msvcrt::FailFromLastError();
    return nullptr;
  }
  return msvcrt::OpenHostStream(file, parsed.text, parsed.read, parsed.write, parsed.hostMode);
}

STANDIN_API int msvcrt_remove(const char* path) {
  if (path == nullptr) return errno = EINVAL, -1;
  return DeleteFile(path) ? 0 : msvcrt::FailFromLastError();
}

STANDIN_API int msvcrt_rename(const char* oldName, const char* newName) {
  if (oldName == nullptr || newName == nullptr) return errno = EINVAL, -1;
  return MoveFile(oldName, newName) ? 0 : msvcrt::FailFromLastError();
}

}  // extern "C"
