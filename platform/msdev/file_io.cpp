// The IDE's file access (file_io.h).
#include "file_io.h"

#include <windows.h>

#include <algorithm>

namespace msdev {

bool ReadWholeFile(const std::string& windowsPath, std::string& bytes, unsigned long* error) {
  const HANDLE file = CreateFile(windowsPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (error) *error = GetLastError();
    return false;
  }
  std::string content;
  char buffer[16384];
  DWORD read = 0;
  bool ok = true;
  for (;;) {
    if (!ReadFile(file, buffer, sizeof buffer, &read, nullptr)) {
      ok = false;
      if (error) *error = GetLastError();
      break;
    }
    if (read == 0) break;
    content.append(buffer, read);
  }
  CloseHandle(file);
  if (ok) bytes = std::move(content);
  return ok;
}

std::string FullWindowsPath(const std::string& path) {
  char buffer[MAX_PATH * 4];
  const DWORD length = GetFullPathName(path.c_str(), sizeof buffer, buffer, nullptr);
  if (length == 0 || length >= sizeof buffer) return "";
  return std::string(buffer, length);
}

bool WriteWholeFile(const std::string& windowsPath, const std::string& bytes, unsigned long* error) {
  const std::string beside = windowsPath + ".~ide";
  const HANDLE file =
      CreateFile(beside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (error) *error = GetLastError();
    return false;
  }
  bool ok = true;
  for (size_t done = 0; ok && done < bytes.size();) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    ok = WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
    done += written;
  }
  ok = ok && FlushFileBuffers(file);
  DWORD code = ok ? ERROR_SUCCESS : GetLastError();
  if (!CloseHandle(file) && ok) {
    ok = false;
    code = GetLastError();
  }
  if (ok && !MoveFileEx(beside.c_str(), windowsPath.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    ok = false;
    code = GetLastError();
  }
  if (!ok) {
    DeleteFile(beside.c_str());
    if (error) *error = code;
  }
  return ok;
}

std::string FileTitle(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  std::string title = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = title.rfind('.');
  return dot == std::string::npos ? title : title.substr(0, dot);
}

}  // namespace msdev
