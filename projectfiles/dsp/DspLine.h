// How the project-file reader looks at one line: its leading keywords for the line tests, and
// the argument tokens of a setting line.
#pragma once

#include "stdafx.h"

#include <cstring>
#include <initializer_list>
#include <vector>

// The keyword tests of the reader. Tokens are those of the string stream: runs of non-white
// bytes (white is blank and '\t' to '\r'; bytes from 0x80 up never are; quotes do not group).
// The line is matched in place, token by token, so that testing a line allocates nothing.
class CDspLineTokens {
 public:
  enum After { nothingAfter, textAfter, anythingAfter };

  explicit CDspLineTokens(const CString& line) : m_text(line) {}
  // The rest of a line from `text` on (as after SkipDspKeyword).
  explicit CDspLineTokens(LPCTSTR text) : m_text(text) {}

  // True when the line's first tokens are `keywords`, followed by no further token
  // (nothingAfter), at least one (textAfter) or whatever (anythingAfter).
  bool Is(std::initializer_list<LPCTSTR> keywords, After after) const;

 private:
  LPCTSTR m_text;
};

// The string stream's white-space test: bytes from 0x80 up are never white.
inline bool IsDspBlank(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  return b == ' ' || (b >= '\t' && b <= '\r');
}

// Skips white space, then takes `keyword` (plain ASCII) when it is the whole next token: the
// position just after it, or NULL when the next token is something else or there is none.
inline LPCTSTR SkipDspKeyword(LPCTSTR p, LPCTSTR keyword) {
  while (IsDspBlank(*p)) ++p;
  while (*keyword != '\0' && *p == *keyword) {
    ++p;
    ++keyword;
  }
  // The token must end where the keyword does (keywords are plain ASCII: no lead bytes).
  if (*keyword != '\0' || (*p != '\0' && !IsDspBlank(*p))) return NULL;
  return p;
}

// Appends the argument tokens of `text` to `tokens`: runs of non-white characters, where white
// space between a double quote and the next one belongs to the token, so that a quoted path with
// blanks stays one argument. A quote that no other quote follows groups nothing. A lead byte
// keeps its trail byte.
void SplitDspArguments(LPCTSTR text, std::vector<CString>& tokens);

// The double quotes of `text` as the split sees them: a quote byte that is the trail byte of a
// double-byte character is none.
int CountDspQuotes(LPCTSTR text);
// The same for the first `length` bytes of `text` (a token of a line; a lead byte ends a token
// only at the end of its line).
int CountDspQuotes(LPCTSTR text, int length);

// An argument token where it stands in its line, valid while the line is: the reader splits a
// line into these and makes a string only for what it keeps.
struct CDspToken {
  LPCTSTR text;
  int length;

  bool Is(LPCTSTR expected) const {
    const size_t size = std::strlen(expected);
    return static_cast<size_t>(length) == size && std::memcmp(text, expected, size) == 0;
  }
  CString ToString() const { return CString(text, length); }
};
void SplitDspArguments(LPCTSTR text, std::vector<CDspToken>& tokens);

// Byte-for-byte, case-sensitive equality up to the first NUL, as strcmp compares: every
// comparison of the project-file layer is one. Most comparisons fail on the first two bytes,
// which are looked at before strcmp is called.
inline bool IsText(const CString& text, LPCTSTR expected) {
  LPCTSTR p = text;
  if (p[0] != expected[0]) return false;
  if (p[0] == '\0') return true;
  if (p[1] != expected[1]) return false;
  return p[1] == '\0' || std::strcmp(p + 2, expected + 2) == 0;
}

// IsText against a literal, whose length is known, so that no call is made: equal when the
// literal's bytes are the text's first ones and the text ends (or holds a NUL) right after them.
template <size_t N>
inline bool IsDspLiteral(const CString& text, const char (&expected)[N]) {
  LPCTSTR p = text;
  return static_cast<size_t>(text.GetLength()) >= N - 1 && std::memcmp(p, expected, N - 1) == 0 && p[N - 1] == '\0';
}

// IsDspLiteral for a line of `length` bytes (followed by a NUL).
template <size_t N>
inline bool IsDspLiteral(LPCTSTR line, int length, const char (&expected)[N]) {
  return static_cast<size_t>(length) >= N - 1 && std::memcmp(line, expected, N - 1) == 0 && line[N - 1] == '\0';
}

// "/D" and "/I": the compiler switches that take the next token as their value.
inline bool IsDspValueSwitch(LPCTSTR token, int length) {
  return length == 2 && token[0] == '/' && (token[1] == 'D' || token[1] == 'I');
}
inline bool IsDspValueSwitch(const CString& token) { return IsText(token, "/D") || IsText(token, "/I"); }

// The text between the first two double quotes at or after `start`; empty when there are fewer.
CString QuotedTextAfter(const CString& line, int start = 0);
