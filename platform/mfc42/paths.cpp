// Path pieces for the file classes.
#include "paths.h"

#include <algorithm>
#include <vector>

namespace mfc42 {

namespace {
int LastSeparator(const CString& path) { return std::max(path.ReverseFind('\\'), path.ReverseFind('/')); }
}  // namespace

CString FullPath(LPCTSTR lpszFileName) {
  if (lpszFileName == NULL) return CString();
  std::vector<char> buffer(MAX_PATH);
  DWORD n = GetFullPathName(lpszFileName, static_cast<DWORD>(buffer.size()), buffer.data(), NULL);
  if (n >= buffer.size()) {
    buffer.resize(n + 1);
    n = GetFullPathName(lpszFileName, static_cast<DWORD>(buffer.size()), buffer.data(), NULL);
  }
  if (n == 0 || n >= buffer.size()) return CString(lpszFileName);
  return CString(buffer.data(), static_cast<int>(n));
}

CString FileNameOf(const CString& path) { return path.Mid(LastSeparator(path) + 1); }

CString TitleOf(const CString& fileName) {
  const int dot = fileName.ReverseFind('.');
  return dot > 0 ? fileName.Left(dot) : fileName;
}

CString DirectoryOf(const CString& path) {
  const int separator = LastSeparator(path);
  return separator >= 0 ? path.Left(separator) : path;
}

}  // namespace mfc42
