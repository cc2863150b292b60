// Tokens of a preprocessed script line. Strings keep their raw bytes (escapes undecoded) and the
// code page of their line, because what an escape or a double-byte character means depends on
// where the string is used (string table text, or a file name).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics.h"

namespace rc {

enum class TokenKind { Identifier, Number, String, Punct };

struct Token {
  TokenKind kind = TokenKind::Punct;
  std::string text;  // identifier, punctuator, number as written, or the bytes between the quotes
  int64_t number = 0;
  unsigned codePage = 1252;
  Location where;

  bool Is(TokenKind k, std::string_view t) const { return kind == k && text == t; }
  bool IsPunct(std::string_view t) const { return Is(TokenKind::Punct, t); }
  // Keywords of the script language match in any case.
  bool IsKeyword(std::string_view keyword) const;
};

// Splits one line (comments already removed). Throws Error on a byte that starts no token, an
// unterminated string or a malformed number.
std::vector<Token> Tokenize(std::string_view line, const Location& where, unsigned codePage);

}  // namespace rc
