// The run-time's multi-byte helpers over the process code page: lead bytes from kernel32, trail
// byte ranges of the double-byte code pages, and character-wise search.
#include <windows.h>

#include <cstring>

namespace {

const unsigned char* Next(const unsigned char* p) { return _mbsinc(p); }

// The value of the character at `p`: lead << 8 | trail for a double-byte character.
unsigned int CharAt(const unsigned char* p) {
  if (_ismbblead(p[0]) && p[1] != '\0') return (static_cast<unsigned int>(p[0]) << 8) | p[1];
  return p[0];
}

}  // namespace

extern "C" {

// _ismbblead: a lead byte of the process code page.
STANDIN_API int _ismbblead(unsigned int c) { return c <= 0xFF && IsDBCSLeadByte(static_cast<BYTE>(c)) ? 1 : 0; }

// _ismbbtrail: a byte that may follow a lead byte in the process code page (none in 1252).
STANDIN_API int _ismbbtrail(unsigned int c) {
  if (c > 0xFF) return 0;
  switch (GetACP()) {
    case 932: return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
    case 936: return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFE);
    case 949: return (c >= 0x41 && c <= 0x5A) || (c >= 0x61 && c <= 0x7A) || (c >= 0x81 && c <= 0xFE);
    case 950: return (c >= 0x40 && c <= 0x7E) || (c >= 0xA1 && c <= 0xFE);
    default: return 0;
  }
}

// _mbsinc: the next character (a lead byte followed by the terminator counts as one byte, so the
// terminator is never skipped).
STANDIN_API unsigned char* _mbsinc(const unsigned char* current) {
  if (_ismbblead(current[0]) && current[1] != '\0') return const_cast<unsigned char*>(current + 2);
  return const_cast<unsigned char*>(current + 1);
}

// _mbsdec: the character before `current`, found by walking from `start`; NULL when `current`
// is not after `start`.
STANDIN_API unsigned char* _mbsdec(const unsigned char* start, const unsigned char* current) {
  if (start == nullptr || current == nullptr || current <= start) return nullptr;
  const unsigned char* previous = start;
  for (const unsigned char* p = start; p < current; p = Next(p)) previous = p;
  return const_cast<unsigned char*>(previous);
}

// _mbclen: 2 for a lead byte, else 1.
STANDIN_API size_t _mbclen(const unsigned char* c) { return _ismbblead(*c) ? 2 : 1; }

// _mbschr: the first character equal to `c` (a double-byte character as lead << 8 | trail); 0
// finds the terminator.
STANDIN_API unsigned char* _mbschr(const unsigned char* str, unsigned int c) {
  for (const unsigned char* p = str;; p = Next(p)) {
    if (CharAt(p) == c) return const_cast<unsigned char*>(p);
    if (*p == '\0') return nullptr;
  }
}

// _mbsrchr: the last character equal to `c`.
STANDIN_API unsigned char* _mbsrchr(const unsigned char* str, unsigned int c) {
  const unsigned char* found = nullptr;
  for (const unsigned char* p = str;; p = Next(p)) {
    if (CharAt(p) == c) found = p;
    if (*p == '\0') return const_cast<unsigned char*>(found);
  }
}

// _mbsstr: the first occurrence of `substr` that starts on a character boundary. The bytes are
// searched as bytes; a hit counts when the characters from the last boundary lead up to it (at
// once when none of the bytes before it can be a lead byte, which are all 0x81 or above).
STANDIN_API unsigned char* _mbsstr(const unsigned char* str, const unsigned char* substr) {
  if (*substr == '\0') return const_cast<unsigned char*>(str);
  for (const unsigned char* from = str;;) {
    const auto* hit = reinterpret_cast<const unsigned char*>(
        std::strstr(reinterpret_cast<const char*>(from), reinterpret_cast<const char*>(substr)));
    if (hit == nullptr) return nullptr;
    const unsigned char* p = from;
    while (p < hit && *p < 0x80) ++p;
    while (p < hit) p = Next(p);
    if (p == hit) return const_cast<unsigned char*>(hit);
    from = p;  // the hit began inside a double-byte character
  }
}

// _mbscmp: character by character, a double-byte character ordered by its value (lead << 8 |
// trail), so it sorts after every single-byte character.
STANDIN_API int _mbscmp(const unsigned char* a, const unsigned char* b) {
  for (;; a = Next(a), b = Next(b)) {
    const unsigned int x = CharAt(a), y = CharAt(b);
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
}

}  // extern "C"
