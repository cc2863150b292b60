// The script's tokens: C-like identifiers, numbers (decimal, 0x hex, leading-0 octal, with L/U
// suffixes) and punctuators, and rc strings where "" is a quote and a double-byte character is
// never split (its trail byte may be a backslash or any other ASCII byte).
#include "lexer.h"

#include <array>
#include <cctype>
#include <cstdio>

#include "codepage.h"

namespace rc {
namespace {

bool IsIdentStart(unsigned char c) { return std::isalpha(c) || c == '_'; }
bool IsIdentChar(unsigned char c) { return std::isalnum(c) || c == '_'; }

constexpr std::array<std::string_view, 8> kTwoCharPuncts = {"<<", ">>", "<=", ">=", "==", "!=", "&&", "||"};
constexpr std::string_view kOneCharPuncts = "(),+-*/%|&^~!<>{}=?:";

Token ScanNumber(std::string_view line, size_t& i, const Location& where) {
  const size_t start = i;
  int base = 10;
  if (line[i] == '0' && i + 1 < line.size() && (line[i + 1] == 'x' || line[i + 1] == 'X')) {
    base = 16;
    i += 2;
  } else if (line[i] == '0') {
    base = 8;
  }
  const size_t digitsStart = i;
  uint64_t value = 0;
  while (i < line.size() && std::isalnum(static_cast<unsigned char>(line[i]))) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(line[i])));
    int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
    if (digit < 0 || digit >= base) break;
    value = value * base + digit;
    if (value > 0xFFFFFFFFull) throw Error(where, "number too large: " + std::string(line.substr(start, i + 1 - start)));
    ++i;
  }
  if (base == 16 && i == digitsStart) throw Error(where, "malformed number: " + std::string(line.substr(start, i - start)));
  while (i < line.size() && (line[i] == 'L' || line[i] == 'l' || line[i] == 'U' || line[i] == 'u')) ++i;
  if (i < line.size() && IsIdentChar(static_cast<unsigned char>(line[i]))) {
    size_t end = i;
    while (end < line.size() && IsIdentChar(static_cast<unsigned char>(line[end]))) ++end;
    throw Error(where, "malformed number: " + std::string(line.substr(start, end - start)));
  }
  Token t;
  t.kind = TokenKind::Number;
  t.text = std::string(line.substr(start, i - start));
  t.number = static_cast<int64_t>(value);
  return t;
}

Token ScanString(std::string_view line, size_t& i, const Location& where, unsigned codePage) {
  ++i;  // opening quote
  std::string raw;
  while (true) {
    if (i >= line.size()) throw Error(where, "unterminated string");
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if (IsLeadByte(codePage, c) && i + 1 < line.size()) {
      raw += line.substr(i, 2);
      i += 2;
    } else if (c == '\\' && i + 1 < line.size()) {
      raw += line.substr(i, 2);
      i += 2;
    } else if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      raw += "\"\"";
      i += 2;
    } else if (c == '"') {
      ++i;
      break;
    } else {
      raw += static_cast<char>(c);
      ++i;
    }
  }
  Token t;
  t.kind = TokenKind::String;
  t.text = std::move(raw);
  return t;
}

}  // namespace

bool Token::IsKeyword(std::string_view keyword) const {
  if (kind != TokenKind::Identifier || text.size() != keyword.size()) return false;
  for (size_t i = 0; i < text.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(text[i])) != keyword[i]) return false;
  return true;
}

std::vector<Token> Tokenize(std::string_view line, const Location& where, unsigned codePage) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < line.size()) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
      ++i;
      continue;
    }
    Token t;
    if (c == 'L' && i + 1 < line.size() && line[i + 1] == '"')
      throw Error(where, "wide string literals (L\"...\") are not supported");
    if (IsIdentStart(c)) {
      const size_t start = i;
      while (i < line.size() && IsIdentChar(static_cast<unsigned char>(line[i]))) ++i;
      t.kind = TokenKind::Identifier;
      t.text = std::string(line.substr(start, i - start));
    } else if (std::isdigit(c)) {
      t = ScanNumber(line, i, where);
    } else if (c == '"') {
      t = ScanString(line, i, where, codePage);
    } else {
      bool matched = false;
      for (std::string_view p : kTwoCharPuncts)
        if (line.substr(i, 2) == p) {
          t.text = std::string(p);
          i += 2;
          matched = true;
          break;
        }
      if (!matched) {
        if (kOneCharPuncts.find(static_cast<char>(c)) == std::string_view::npos) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "0x%02X", c);
          throw Error(where, std::string("unexpected character ") +
                                 (c >= 0x20 && c < 0x7F ? "'" + std::string(1, static_cast<char>(c)) + "'" : buf));
        }
        t.text = std::string(1, static_cast<char>(c));
        ++i;
      }
      t.kind = TokenKind::Punct;
    }
    t.codePage = codePage;
    t.where = where;
    tokens.push_back(std::move(t));
  }
  return tokens;
}

}  // namespace rc
