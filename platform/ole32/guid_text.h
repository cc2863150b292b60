// The text form of an identifier, "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", both ways.
#pragma once

#include <objbase.h>

#include <string>

namespace ole32 {

// Upper-case hex digits, braces included.
std::string GuidText(REFGUID guid);

// Exactly the braced form (hex digits of either case) and nothing after it.
bool ParseBracedGuid(const char* text, GUID& out);
bool ParseBracedGuid(const char16_t* text, GUID& out);

// The registry subkey "CLSID\{...}" of a class.
std::string ClassKey(REFCLSID clsid);

}  // namespace ole32
