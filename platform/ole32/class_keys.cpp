// Reading HKEY_CLASSES_ROOT through the registry API, as the platform's COM library does.
#include "class_keys.h"

#include <vector>

#include <winreg.h>

namespace ole32 {

std::optional<std::string> ClassesRootDefault(const std::string& subKey) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return std::nullopt;
  std::optional<std::string> result;
  DWORD type = 0, size = 0;
  if (RegQueryValueEx(key, "", nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    std::vector<BYTE> data(size + 1, 0);
    if (RegQueryValueEx(key, "", nullptr, &type, data.data(), &size) == ERROR_SUCCESS)
      result = std::string(reinterpret_cast<const char*>(data.data()));  // up to the first NUL
  }
  RegCloseKey(key);
  return result;
}

bool ClassesRootKeyExists(const std::string& subKey) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::string ToAnsi(LPCOLESTR text) {
  if (text == nullptr || text[0] == 0) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), n, nullptr, nullptr);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

std::u16string ToWide(const std::string& ansi) {
  if (ansi.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
  if (n <= 0) return {};
  std::u16string out(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, out.data(), n);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

LPOLESTR TaskCopyOf(const std::string& ansi) {
  int n = 1;
  if (!ansi.empty()) n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
  if (n <= 0) return nullptr;
  auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc(static_cast<SIZE_T>(n) * sizeof(OLECHAR)));
  if (copy == nullptr) return nullptr;
  copy[0] = 0;
  if (!ansi.empty()) MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, copy, n);
  return copy;
}

}  // namespace ole32
