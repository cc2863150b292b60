// The code pages a script may be written in (#pragma code_page): 1252 (the default), 932
// (double-byte) and 65001 (UTF-8). Text is converted to UTF-16 the way the platform converts it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rc {

bool IsSupportedCodePage(unsigned codePage);
// A byte that starts a two-byte character in that code page (only 932 has them).
bool IsLeadByte(unsigned codePage, unsigned char byte);
// nullopt when the bytes are not valid text in that code page.
std::optional<std::u16string> ToUtf16(std::string_view bytes, unsigned codePage);
// UTF-16 (valid, as ToUtf16 makes it) to UTF-8, for host file names.
std::string ToUtf8(std::u16string_view text);

}  // namespace rc
