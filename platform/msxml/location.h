// Where load reads and save writes: a Windows path, or a "file:" URL whose path is taken
// literally (not percent-decoded, so '#' and '%' in a file name work), read and written through
// kernel32 (CreateFile / ReadFile / WriteFile) like any Windows path. Network URLs are refused:
// this DOM never opens a connection.
#pragma once

#include <string>
#include <string_view>

#include "windef.h"

namespace msxml {

struct Location {
  bool network = false;  // a URL with a scheme other than file:
  std::string path;      // the ANSI Windows path otherwise
};

// False when the text names no file the ANSI API can open (a character outside the code page).
bool ResolveLocation(std::u16string_view url, Location& out);

// Win32 error codes; ERROR_SUCCESS when done.
DWORD ReadWholeFile(const std::string& path, std::string& bytes);
// Writes beside the target and replaces it only when every byte is written, so a failed save
// leaves the old file as it was.
DWORD WriteWholeFile(const std::string& path, std::string_view bytes);

// The system's text for a Win32 error code.
std::u16string SystemMessage(DWORD error);

}  // namespace msxml
