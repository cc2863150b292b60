// What HKEY_CLASSES_ROOT says about classes and ProgIDs.
#pragma once

#include <objbase.h>

#include <optional>
#include <string>

namespace ole32 {

// The default value (REG_SZ or REG_EXPAND_SZ, unexpanded) of HKCR\<subKey>; nullopt when the
// key or its default value is missing or holds another type.
std::optional<std::string> ClassesRootDefault(const std::string& subKey);
bool ClassesRootKeyExists(const std::string& subKey);

// ANSI (process code page) to OLECHAR and back, whole strings. ToAnsi and ToWide are also the
// conversions of the modules built on ole32 (oleaut32, atl).
STANDIN_API std::string ToAnsi(LPCOLESTR text);
STANDIN_API std::u16string ToWide(const std::string& ansi);
LPOLESTR TaskCopyOf(const std::string& ansi);  // CoTaskMemAlloc'ed, null when out of memory

}  // namespace ole32
