// The run-time's path functions: _splitpath, _makepath, _fullpath. Splitting and joining keep a
// double-byte character of the process code page whole, so its trail byte is never a separator.
#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "crt_errno.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLead(char c) { return IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE; }

// Copies [begin, end) into `out` (when not null), cut to `capacity - 1` bytes without splitting
// a double-byte character.
void CopyPart(const char* begin, const char* end, char* out, size_t capacity) {
  if (out == nullptr) return;
  size_t n = 0;
  for (const char* p = begin; p < end;) {
    const size_t step = (IsLead(*p) && p + 1 < end) ? 2 : 1;
    if (n + step > capacity - 1) break;
    std::memcpy(out + n, p, step);
    n += step;
    p += step;
  }
  out[n] = '\0';
}

// Appends `text` to `out` while it fits a _MAX_PATH buffer.
void Append(std::string& out, const char* text, size_t length) {
  const size_t room = _MAX_PATH - 1 - std::min<size_t>(out.size(), _MAX_PATH - 1);
  out.append(text, std::min(length, room));
}

}  // namespace

extern "C" {

// _splitpath: drive (the letter and ':'), directory (up to and with the last '\' or '/'), file
// name, and extension (from the last '.' of the name on, with the '.'). Null outputs are skipped.
STANDIN_API void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext) {
  if (path == nullptr) path = "";
  const char* p = path;
  if (p[0] != '\0' && p[1] == ':') {
    CopyPart(p, p + 2, drive, _MAX_DRIVE);
    p += 2;
  } else {
    CopyPart(p, p, drive, _MAX_DRIVE);
  }
  const char* lastSeparator = nullptr;  // one past it
  const char* lastDot = nullptr;
  const char* end = p;
  while (*end != '\0') {
    if (IsLead(*end) && end[1] != '\0') {
      end += 2;
      continue;
    }
    if (IsSeparator(*end)) {
      lastSeparator = end + 1;
      lastDot = nullptr;
    } else if (*end == '.') {
      lastDot = end;
    }
    ++end;
  }
  const char* name = lastSeparator ? lastSeparator : p;
  CopyPart(p, name, dir, _MAX_DIR);
  const char* dot = lastDot ? lastDot : end;
  CopyPart(name, dot, fname, _MAX_FNAME);
  CopyPart(dot, end, ext, _MAX_EXT);
}

// _makepath: drive letter plus ':', directory plus a '\' when it lacks a final separator, file
// name, and extension with a '.' put before it when it has none. Null or empty parts are left
// out; the result is cut to fit _MAX_PATH.
STANDIN_API void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext) {
  if (path == nullptr) return;
  std::string out;
  if (drive && *drive) {
    out += drive[0];
    out += ':';
  }
  if (dir && *dir) {
    Append(out, dir, std::strlen(dir));
    // Is the last character (not a trail byte) a separator?
    bool endsWithSeparator = false;
    for (const char* p = dir; *p;) {
      const bool doubleByte = IsLead(*p) && p[1] != '\0';
      endsWithSeparator = !doubleByte && IsSeparator(*p);
      p += doubleByte ? 2 : 1;
    }
    if (!endsWithSeparator) Append(out, "\\", 1);
  }
  if (fname && *fname) Append(out, fname, std::strlen(fname));
  if (ext && *ext) {
    if (*ext != '.') Append(out, ".", 1);
    Append(out, ext, std::strlen(ext));
  }
  std::memcpy(path, out.c_str(), out.size() + 1);
}

// _fullpath: GetFullPathName into `absPath`, or into a malloc'ed _MAX_PATH buffer when it is
// null; a null or empty relative path gives the current directory. Too long -> NULL, ERANGE.
STANDIN_API char* _fullpath(char* absPath, const char* relPath, size_t maxLength) {
  const bool allocate = absPath == nullptr;
  if (allocate) maxLength = _MAX_PATH;
  if (relPath == nullptr || *relPath == '\0') {
    if (allocate) {
      char* buffer = _getcwd(nullptr, _MAX_PATH);
      if (buffer && std::strlen(buffer) + 1 > maxLength) {
        std::free(buffer);
        errno = ERANGE;
        return nullptr;
      }
      return buffer;
    }
    return _getcwd(absPath, static_cast<int>(std::min<size_t>(maxLength, 0x7FFFFFFF)));
  }
  char* buffer = allocate ? static_cast<char*>(std::malloc(maxLength)) : absPath;
  if (buffer == nullptr) {
    errno = ENOMEM;
    return nullptr;
  }
  const DWORD n = GetFullPathName(relPath, static_cast<DWORD>(std::min<size_t>(maxLength, 0xFFFFFFFF)), buffer, nullptr);
  if (n == 0 || n >= maxLength) {
    if (n == 0)
      msvcrt::FailFromLastError();
    else
      errno = ERANGE;
    if (allocate) std::free(buffer);
    return nullptr;
  }
  return buffer;
}

}  // extern "C"
