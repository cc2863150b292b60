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

  explicit CDspLineTokens(const CString& line) : m_line(line) {}

  // True when the line's first tokens are `keywords`, followed by no further token
  // (nothingAfter), at least one (textAfter) or whatever (anythingAfter).
  bool Is(std::initializer_list<LPCTSTR> keywords, After after) const;

 private:
  const CString& m_line;
};

// The first byte at or after `p` that is not white space.
LPCTSTR SkipDspBlanks(LPCTSTR p);

// Skips white space, then takes `keyword` (plain ASCII) when it is the whole next token: the
// position just after it, or NULL when the next token is something else or there is none.
LPCTSTR SkipDspKeyword(LPCTSTR p, LPCTSTR keyword);

// Appends the argument tokens of `text` to `tokens`: runs of non-white characters, where white
// space between a double quote and the next one belongs to the token, so that a quoted path with
// blanks stays one argument. A quote that no other quote follows groups nothing. A lead byte
// keeps its trail byte.
void SplitDspArguments(LPCTSTR text, std::vector<CString>& tokens);

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

// The text between the first two double quotes at or after `start`; empty when there are fewer.
CString QuotedTextAfter(const CString& line, int start = 0);
