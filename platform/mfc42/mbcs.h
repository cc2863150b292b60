// The process code page as the string classes see it: which bytes lead a double-byte character,
// and the single-byte case mappings. One snapshot serves a whole operation.
#pragma once

#include <windows.h>

#include <cstddef>

namespace mfc42 {

class CodePage {
 public:
  // The tables of GetACP(), built once per code page and thread.
  static const CodePage& Current();

  UINT Id() const { return m_id; }
  bool IsDoubleByte() const { return m_doubleByte; }
  bool IsLead(char c) const { return m_lead[static_cast<unsigned char>(c)]; }

  // Bytes of the character at p (1 or 2): a lead byte pairs with the next byte unless that is
  // the end of the text or a NUL, as CharNext does.
  size_t CharLength(const char* p, const char* end) const {
    return (IsLead(*p) && p + 1 < end && p[1] != '\0') ? 2 : 1;
  }

  char ToUpper(char c) const { return static_cast<char>(m_upper[static_cast<unsigned char>(c)]); }
  char ToLower(char c) const { return static_cast<char>(m_lower[static_cast<unsigned char>(c)]); }

  // The value of the character at p as the multi-byte run time orders characters: a single byte,
  // or lead * 256 + trail.
  unsigned CharValue(const char* p, size_t length) const {
    const auto b = static_cast<unsigned char>(p[0]);
    return length == 2 ? (b << 8) | static_cast<unsigned char>(p[1]) : b;
  }

 private:
  explicit CodePage(UINT id);
  friend struct CodePageCache;

  UINT m_id;
  bool m_doubleByte = false;
  bool m_lead[256] = {};
  unsigned char m_upper[256];
  unsigned char m_lower[256];
};

// Helpers over [begin, end) that step by character.

// Whether the character [c, c + length) is one of the characters of the NUL-terminated set.
bool SetHasChar(const CodePage& cp, const char* set, const char* c, size_t length);
// Byte offset of the first character in [begin, end) starting at or after `from` whose start is
// a character boundary; `from` inside a double-byte character moves to the next character.
size_t AlignToChar(const CodePage& cp, const char* begin, const char* end, size_t from);

// Copies src into dst[0 .. max - 1] and terminates it, cutting the text short (never inside a
// double-byte character) when it does not fit. Nothing is written when max is 0.
void CopyTruncated(char* dst, const char* src, size_t max);

}  // namespace mfc42
