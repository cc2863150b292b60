// Locations and whole-file input and output through kernel32 (see location.h).
#include "location.h"

#include <windows.h>

#include <algorithm>

namespace msxml {
namespace {

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char16_t c = text[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

bool IsDrive(std::u16string_view s) { return s.size() >= 2 && IsLetter(s[0]) && s[1] == u':'; }

// A URL scheme: two or more letters (one letter and a colon is a drive) before ':'.
bool HasNetworkScheme(std::u16string_view s) {
  size_t i = 0;
  while (i < s.size() && (IsLetter(s[i]) || (i > 0 && (s[i] == u'+' || s[i] == u'-' || s[i] == u'.')))) ++i;
  return i >= 2 && i < s.size() && s[i] == u':';
}

}  // namespace

bool ResolveLocation(std::u16string_view url, Location& out) {
  out = Location{};
  std::u16string path;
  if (StartsWithNoCase(url, u"file:")) {
    std::u16string_view rest = url.substr(5);
    if (rest.starts_with(u"///")) {
      rest.remove_prefix(3);
      // file:///C:/dir/x.xml names C:/dir/x.xml; file:///\\server\share\x.xml (a UNC path written
      // after the prefix, as the reader does) that share; file:///dir/x.xml the root of the
      // current drive.
      const bool unc = rest.size() >= 2 && (rest[0] == u'\\' || rest[0] == u'/') && (rest[1] == u'\\' || rest[1] == u'/');
      path = (IsDrive(rest) || unc) ? std::u16string(rest) : u"\\" + std::u16string(rest);
    } else if (rest.starts_with(u"//")) {
      path = u"\\\\" + std::u16string(rest.substr(2));  // file://server/share/x: a UNC path
    } else {
      path = rest;
    }
  } else if (HasNetworkScheme(url)) {
    out.network = true;
    return true;
  } else {
    path = url;
  }
  if (path.empty()) return false;
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.data(), static_cast<int>(path.size()),
                                       nullptr, 0, nullptr, nullptr);
  if (size <= 0) return false;
  out.path.resize(static_cast<size_t>(size));
  BOOL usedDefault = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.data(), static_cast<int>(path.size()), out.path.data(), size,
                      nullptr, &usedDefault);
  return !usedDefault && out.path.find('\0') == std::string::npos;
}

namespace {

// Closes the handle however the caller leaves.
class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() {
    if (valid()) CloseHandle(h_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  // Closes now and tells whether the final flush succeeded.
  DWORD Close() {
    const BOOL ok = CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return ok ? ERROR_SUCCESS : GetLastError();
  }

 private:
  HANDLE h_;
};

}  // namespace

DWORD ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  FileHandle file(CreateFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return GetLastError();
  DWORD high = 0;
  const DWORD low = GetFileSize(file.get(), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS) return GetLastError();
  if (high != 0) return ERROR_NOT_ENOUGH_MEMORY;  // no description file comes near 4 GiB
  bytes.resize(low);
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr))
      return GetLastError();
    if (got == 0) break;  // the file shrank while being read
    done += got;
  }
  bytes.resize(done);
  return ERROR_SUCCESS;
}

DWORD WriteWholeFile(const std::string& path, std::string_view bytes) {
  const DWORD attributes = GetFileAttributes(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
    return ERROR_ACCESS_DENIED;
  const std::string temporary = path + ".~sav";
  DWORD error = ERROR_SUCCESS;
  {
    FileHandle file(CreateFile(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                               nullptr));
    if (!file.valid()) return GetLastError();
    size_t done = 0;
    while (error == ERROR_SUCCESS && done < bytes.size()) {
      DWORD wrote = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
      if (!WriteFile(file.get(), bytes.data() + done, chunk, &wrote, nullptr)) {
        error = GetLastError();
      } else {
        done += wrote;
      }
    }
    const DWORD closed = file.Close();
    if (error == ERROR_SUCCESS) error = closed;
  }
  if (error == ERROR_SUCCESS && !MoveFileEx(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
    error = GetLastError();
  if (error != ERROR_SUCCESS) DeleteFile(temporary.c_str());
  return error;
}

std::u16string SystemMessage(DWORD error) {
  char text[512];
  const DWORD n = FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                sizeof text, nullptr);
  std::u16string out;
  if (n == 0) {
    const std::string fallback = "Error " + std::to_string(error) + ".";
    out.assign(fallback.begin(), fallback.end());
    return out;
  }
  WCHAR wide[512];
  const int w = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(n), wide, 512);
  out.assign(wide, static_cast<size_t>(std::max(w, 0)));
  while (!out.empty() && (out.back() == u'\n' || out.back() == u'\r' || out.back() == u' ')) out.pop_back();
  return out;
}

}  // namespace msxml
