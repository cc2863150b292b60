// LoadString: a string of a module's string table (bundles of 16 UTF-16 strings, bundle
// id/16 + 1, each length-prefixed), converted to the ANSI code page.
#include <windows.h>

#include <cstring>
#include <string>

#include "sandbox/internal.h"

namespace {

// The string `id` from its bundle; false when absent (an empty slot counts as absent).
bool FindString(HINSTANCE instance, UINT id, std::u16string& text) {
  if (id > 0xFFFF) {
    ::SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return false;
  }
  HRSRC bundle = ::FindResource(instance, MAKEINTRESOURCE((id >> 4) + 1), RT_STRING);
  if (bundle == nullptr) return false;  // FindResource's error stands
  const auto* data = static_cast<const unsigned char*>(::LockResource(::LoadResource(instance, bundle)));
  const DWORD size = ::SizeofResource(instance, bundle);
  size_t at = 0;
  for (UINT slot = 0; data != nullptr && slot < 16; ++slot) {
    if (at + 2 > size) break;
    const size_t length = data[at] | (data[at + 1] << 8);
    at += 2;
    if (at + length * 2 > size) break;
    if (slot == (id & 15)) {
      if (length == 0) {
        ::SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return false;
      }
      text.resize(length);
      for (size_t k = 0; k < length; ++k)
        text[k] = static_cast<char16_t>(data[at + 2 * k] | (data[at + 2 * k + 1] << 8));
      return true;
    }
    at += length * 2;
  }
  sandbox::internal::Fail("LoadString: string bundle " + std::to_string((id >> 4) + 1) + " is malformed");
  ::SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
  return false;
}

}  // namespace

extern "C" {

// LoadString (A form): at most bufferMax - 1 bytes, never half a double-byte character, then a
// NUL; returns the bytes copied. A missing string returns 0 with the last error of the lookup
// and leaves an empty string. bufferMax 0 asks the W form for a read-only pointer to the
// resource; the A form has no such pointer to give and returns 0, leaving the buffer alone.
WINUSERAPI int WINAPI LoadString(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
  if (buffer == nullptr || bufferMax <= 0) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::u16string text;
  if (!FindString(instance, id, text)) {
    buffer[0] = '\0';
    return 0;
  }
  const int needed = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(needed > 0 ? needed : 0), '\0');
  if (needed > 0)
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), needed, nullptr, nullptr);
  size_t keep = 0;
  while (keep < ansi.size()) {
    const size_t width = ::IsDBCSLeadByte(static_cast<BYTE>(ansi[keep])) && keep + 1 < ansi.size() ? 2 : 1;
    if (keep + width > static_cast<size_t>(bufferMax - 1)) break;
    keep += width;
  }
  std::memcpy(buffer, ansi.data(), keep);
  buffer[keep] = '\0';
  return static_cast<int>(keep);
}

}  // extern "C"
