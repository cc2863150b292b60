// Escapes are read byte by byte, but a double-byte character is stepped over whole: its trail
// byte may equal '\\' without starting an escape.
#include "literal.h"

#include <cctype>

#include "codepage.h"

namespace rc {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

}  // namespace

std::string DecodeText(const Token& literal) {
  const std::string& raw = literal.text;
  std::string out;
  for (size_t i = 0; i < raw.size();) {
    const unsigned char c = static_cast<unsigned char>(raw[i]);
    if (IsLeadByte(literal.codePage, c) && i + 1 < raw.size()) {
      out += raw.substr(i, 2);
      i += 2;
      continue;
    }
    if (c == '"') {  // the lexer only lets "" through
      out += '"';
      i += 2;
      continue;
    }
    if (c != '\\') {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    const char e = raw[i + 1];  // the lexer never ends a string on a lone backslash
    i += 2;
    switch (e) {
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case 'a': out += '\a'; break;
      case '\\': out += '\\'; break;
      case '"': out += '"'; break;
      case 'x': {
        int value = 0, digits = 0;
        while (digits < 2 && i < raw.size() && HexValue(raw[i]) >= 0) value = value * 16 + HexValue(raw[i++]), ++digits;
        if (digits == 0) throw Error(literal.where, "\\x without hex digits");
        out += static_cast<char>(value);
        break;
      }
      default:
        if (e >= '0' && e <= '7') {
          int value = e - '0', digits = 1;
          while (digits < 3 && i < raw.size() && raw[i] >= '0' && raw[i] <= '7') value = value * 8 + (raw[i++] - '0'), ++digits;
          if (value > 0xFF) throw Error(literal.where, "octal escape out of range");
          out += static_cast<char>(value);
          break;
        }
        throw Error(literal.where, std::string("unknown escape sequence \\") +
                                       (std::isprint(static_cast<unsigned char>(e)) ? std::string(1, e) : "?"));
    }
  }
  return out;
}

std::u16string DecodeTextToUtf16(const Token& literal) {
  std::optional<std::u16string> text = ToUtf16(DecodeText(literal), literal.codePage);
  if (!text) throw Error(literal.where, "string is not valid text in code page " + std::to_string(literal.codePage));
  return *text;
}

std::string DecodeFileName(const Token& literal) {
  const std::string& raw = literal.text;
  std::string out;
  for (size_t i = 0; i < raw.size();) {
    const unsigned char c = static_cast<unsigned char>(raw[i]);
    const bool twoBytes = i + 1 < raw.size() && IsLeadByte(literal.codePage, c);
    if (twoBytes) {
      out += raw.substr(i, 2);
    } else {
      out += static_cast<char>(c);
    }
    const bool doubled = i + 1 < raw.size() && (c == '"' || c == '\\') && raw[i + 1] == static_cast<char>(c);
    i += twoBytes || doubled ? 2 : 1;
  }
  std::optional<std::u16string> text = ToUtf16(out, literal.codePage);
  if (!text) throw Error(literal.where, "file name is not valid text in code page " + std::to_string(literal.codePage));
  return ToUtf8(*text);
}

}  // namespace rc
