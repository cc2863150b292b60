// The ANSI code page (process-wide; 1252 by default, 932 selectable by the sandbox), double-byte
// lead-byte tests, and MultiByteToWideChar/WideCharToMultiByte.
#include "codepage.h"

#include <atomic>
#include <cstdint>
#include <cstring>

#include "sandbox/internal.h"

namespace kernel32 {
namespace {

std::atomic<UINT> g_codePage{1252};

// cp1252 0x80..0x9F; the five bytes without a character map to the C1 control of the same value,
// as the platform's table does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

struct ResetHook {
  ResetHook() {
    sandbox::internal::RegisterReset("kernel32.codepage", [] { g_codePage = 1252; });
  }
} g_resetHook;

}  // namespace

char16_t Cp1252ToUnicode(unsigned char b) { return (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : b; }

int UnicodeToCp1252(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == c) return 0x80 + i;
  return -1;
}

UINT Resolve(UINT codePage) { return (codePage == CP_ACP || codePage == CP_OEMCP) ? ActiveCodePage() : codePage; }

UINT ActiveCodePage() { return g_codePage.load(); }

bool IsLeadByteIn(UINT codePage, BYTE b) {
  switch (Resolve(codePage)) {
    case 932:
      return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    default:
      return false;
  }
}

bool DecodeToUtf16(UINT codePage, const std::string& bytes, std::u16string& out, bool strict) {
  codePage = Resolve(codePage);
  if (codePage == 1252) {
    out.clear();
    out.reserve(bytes.size());
    for (unsigned char b : bytes) out.push_back(Cp1252ToUnicode(b));
    return true;
  }
  return HostDecode(codePage, bytes, out, strict);
}

std::string EncodeFromUtf16(UINT codePage, const std::u16string& text, char defaultChar, bool* usedDefault) {
  codePage = Resolve(codePage);
  if (usedDefault) *usedDefault = false;
  if (codePage == 1252) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) {
      int b = UnicodeToCp1252(c);
      if (b < 0) {
        b = static_cast<unsigned char>(defaultChar);
        if (usedDefault) *usedDefault = true;
      }
      out.push_back(static_cast<char>(b));
    }
    return out;
  }
  return HostEncode(codePage, text, defaultChar, usedDefault);
}

}  // namespace kernel32

namespace sandbox {
SANDBOX_API void SetCodePage(unsigned codePage) {
  if (codePage != 1252 && codePage != 932) {
    internal::Fail("SetCodePage: only code pages 1252 and 932 are modelled");
    return;
  }
  kernel32::g_codePage = codePage;
}
}  // namespace sandbox

extern "C" {

WINBASEAPI UINT WINAPI GetACP() { return kernel32::ActiveCodePage(); }

WINBASEAPI BOOL WINAPI IsDBCSLeadByte(BYTE testChar) { return kernel32::IsLeadByteIn(CP_ACP, testChar); }

WINBASEAPI BOOL WINAPI IsDBCSLeadByteEx(UINT codePage, BYTE testChar) {
  return kernel32::IsLeadByteIn(codePage, testChar);
}

// CharNext never steps past the terminating NUL and keeps a lead byte with its trail byte.
WINBASEAPI LPSTR WINAPI CharNext(LPCSTR current) {
  if (*current == '\0') return const_cast<LPSTR>(current);
  if (IsDBCSLeadByte(static_cast<BYTE>(*current)) && current[1] != '\0') return const_cast<LPSTR>(current + 2);
  return const_cast<LPSTR>(current + 1);
}

// CharPrev walks from the start, so a trail byte is never taken for a character.
WINBASEAPI LPSTR WINAPI CharPrev(LPCSTR start, LPCSTR current) {
  if (current <= start) return const_cast<LPSTR>(start);
  LPCSTR p = start, prev = start;
  while (p < current) {
    prev = p;
    p = CharNext(p);
    if (p == prev) break;
  }
  return const_cast<LPSTR>(prev);
}

WINBASEAPI int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR multiByte, int multiByteLength,
                                          LPWSTR wide, int wideLength) {
  if (multiByte == nullptr || multiByteLength == 0 || wideLength < 0 || (wideLength > 0 && wide == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const size_t n = multiByteLength < 0 ? std::strlen(multiByte) + 1 : static_cast<size_t>(multiByteLength);
  if (kernel32::Resolve(codePage) == 1252) {
    // One byte, one unit: converted straight into the caller's buffer.
    if (wideLength == 0) return static_cast<int>(n);
    if (n > static_cast<size_t>(wideLength)) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return 0;
    }
    for (size_t i = 0; i < n; ++i) wide[i] = kernel32::Cp1252ToUnicode(static_cast<unsigned char>(multiByte[i]));
    return static_cast<int>(n);
  }
  std::u16string out;
  if (!kernel32::DecodeToUtf16(codePage, std::string(multiByte, n), out, (flags & MB_ERR_INVALID_CHARS) != 0)) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  if (wideLength == 0) return static_cast<int>(out.size());
  if (out.size() > static_cast<size_t>(wideLength)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(wide, out.data(), out.size() * sizeof(char16_t));
  return static_cast<int>(out.size());
}

WINBASEAPI int WINAPI WideCharToMultiByte(UINT codePage, DWORD, LPCWSTR wide, int wideLength, LPSTR multiByte,
                                          int multiByteLength, LPCSTR defaultChar, LPBOOL usedDefaultChar) {
  if (wide == nullptr || wideLength == 0 || multiByteLength < 0 || (multiByteLength > 0 && multiByte == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t n = 0;
  if (wideLength < 0) {
    while (wide[n] != 0) ++n;
    ++n;
  } else {
    n = static_cast<size_t>(wideLength);
  }
  const char fallback = defaultChar ? *defaultChar : '?';
  if (kernel32::Resolve(codePage) == 1252) {
    // One unit, one byte: converted straight into the caller's buffer (or only looked at, for the
    // size and the default-character report).
    if (multiByteLength > 0 && n > static_cast<size_t>(multiByteLength)) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return 0;
    }
    bool used = false;
    for (size_t i = 0; i < n;) {
      // Four ASCII units at a time, the common case.
      uint64_t four;
      if (n - i >= 4 && (std::memcpy(&four, wide + i, 8), (four & 0xFF80FF80FF80FF80ull) == 0)) {
        if (multiByteLength > 0)
          for (int k = 0; k < 4; ++k) multiByte[i + k] = static_cast<char>(wide[i + k]);
        i += 4;
        continue;
      }
      int b = kernel32::UnicodeToCp1252(wide[i]);
      if (b < 0) {
        b = static_cast<unsigned char>(fallback);
        used = true;
      }
      if (multiByteLength > 0) multiByte[i] = static_cast<char>(b);
      ++i;
    }
    if (usedDefaultChar) *usedDefaultChar = used ? TRUE : FALSE;
    return static_cast<int>(n);
  }
  bool used = false;
  const std::string out = kernel32::EncodeFromUtf16(codePage, std::u16string(wide, n), fallback, &used);
  if (usedDefaultChar) *usedDefaultChar = used ? TRUE : FALSE;
  if (multiByteLength == 0) return static_cast<int>(out.size());
  if (out.size() > static_cast<size_t>(multiByteLength)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(multiByte, out.data(), out.size());
  return static_cast<int>(out.size());
}

WINBASEAPI int WINAPI lstrlen(LPCSTR text) { return text ? static_cast<int>(std::strlen(text)) : 0; }

// Copies at most maxLength - 1 bytes and always terminates.
WINBASEAPI LPSTR WINAPI lstrcpyn(LPSTR target, LPCSTR source, int maxLength) {
  if (target == nullptr || source == nullptr || maxLength <= 0) return nullptr;
  int i = 0;
  for (; i < maxLength - 1 && source[i]; ++i) target[i] = source[i];
  target[i] = '\0';
  return target;
}

WINBASEAPI int WINAPI lstrcmp(LPCSTR a, LPCSTR b) {
  const int r = std::strcmp(a ? a : "", b ? b : "");
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

// Case-insensitive over ASCII letters; bytes of double-byte characters compare as they are.
WINBASEAPI int WINAPI lstrcmpi(LPCSTR a, LPCSTR b) {
  a = a ? a : "";
  b = b ? b : "";
  for (;; ++a, ++b) {
    unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
}

}  // extern "C"
