// Text rules for file names, pure: UTF-8 <-> UTF-16 (host names are UTF-8, the Windows side
// works in UTF-16 between code-page conversions), the case folding Windows applies when it
// compares names, and the find wildcards.
#pragma once

#include <string>
#include <string_view>

namespace kernel32::names {

// Invalid input (bad UTF-8, unpaired surrogates) becomes U+FFFD; nothing is dropped silently.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Upper case as the file system compares names: ASCII, the Latin-1 letters, and the other
// letters of code page 1252 (S/Z with caron, OE ligature, Y with diaeresis).
char16_t FoldCase(char16_t c);
bool EqualNoCase(std::u16string_view a, std::u16string_view b);
// Orders names as a directory listing does: by folded name, then by code unit for a stable
// order among names that differ only in case.
bool LessNoCase(std::u16string_view a, std::u16string_view b);

// The find wildcards, case-insensitively: '*' any run of characters; '?' one character, or none
// at a '.' or at the end of the name; "*.*" everything; "*." names without an extension;
// "name.*" also "name" itself; a '*' before a '.' stops at the name's last '.'.
// 8.3 short names are not modelled, so "*.htm" does not find "page.html" through its short name
// as it can on Windows.
bool MatchesWildcard(std::u16string_view pattern, std::u16string_view name);
bool HasWildcard(std::u16string_view pattern);

}  // namespace kernel32::names
