// Text between the process code page and UTF-16, for the names COM hands over.
#pragma once

#include <windows.h>

#include <string>

namespace atl {

std::string Ansi(LPCOLESTR text);
std::u16string Wide(const std::string& text);

}  // namespace atl
