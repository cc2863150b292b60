// The process's ANSI code page and conversions between it and UTF-16.
#pragma once

#include <windows.h>

#include <string>

namespace kernel32 {

UINT ActiveCodePage();
// CP_ACP and CP_OEMCP as the code page they stand for.
UINT Resolve(UINT codePage);
bool IsLeadByteIn(UINT codePage, BYTE b);

// cp1252, one byte to one UTF-16 unit; UnicodeToCp1252 is -1 for a unit the code page cannot hold.
char16_t Cp1252ToUnicode(unsigned char b);
int UnicodeToCp1252(char16_t c);

// Conversions of whole strings. Undecodable bytes become U+FFFD on the way in (or fail when
// `strict`); characters the code page cannot hold become `defaultChar` on the way out.
bool DecodeToUtf16(UINT codePage, const std::string& bytes, std::u16string& out, bool strict);
std::string EncodeFromUtf16(UINT codePage, const std::u16string& text, char defaultChar, bool* usedDefault);

// Host side (host_codepage.cpp): code pages done by iconv.
bool HostDecode(UINT codePage, const std::string& bytes, std::u16string& out, bool strict);
std::string HostEncode(UINT codePage, const std::u16string& text, char defaultChar, bool* usedDefault);

}  // namespace kernel32
