#include "dsp/DspLine.h"

#include <cstring>
#include <type_traits>

namespace {

// The next character: plain ASCII is never a lead byte, so only the upper half asks the code page.
LPCTSTR NextChar(LPCTSTR p) { return static_cast<unsigned char>(*p) >= 0x80 ? CharNext(p) : p + 1; }

}  // namespace

bool CDspLineTokens::Is(std::initializer_list<LPCTSTR> keywords, After after) const {
  LPCTSTR p = m_text;
  for (LPCTSTR keyword : keywords) {
    p = SkipDspKeyword(p, keyword);
    if (p == NULL) return false;
  }
  while (IsDspBlank(*p)) ++p;
  switch (after) {
    case nothingAfter:
      return *p == '\0';
    case textAfter:
      return *p != '\0';
    default:
      return true;
  }
}

namespace {

// The bytes the argument split stops at, by kind; every other byte is plain text.
enum ByteKind : unsigned char { plainByte, endByte, blankByte, quoteByte, upperByte };

struct ByteKinds {
  unsigned char kinds[256];
  constexpr ByteKinds() : kinds() {
    for (int b = 0; b < 256; ++b) kinds[b] = plainByte;
    kinds[0] = endByte;
    kinds[static_cast<unsigned char>(' ')] = blankByte;
    for (int b = '\t'; b <= '\r'; ++b) kinds[b] = blankByte;
    kinds[static_cast<unsigned char>('"')] = quoteByte;
    for (int b = 0x80; b < 256; ++b) kinds[b] = upperByte;  // may lead a double-byte character
  }
  unsigned char operator[](char c) const { return kinds[static_cast<unsigned char>(c)]; }
};
constexpr ByteKinds kByteKinds;

template <typename Token>
void SplitArguments(LPCTSTR text, std::vector<Token>& tokens) {
  // The last quote, found stepping by characters; without a quote byte at all there is none.
  LPCTSTR lastQuote = NULL;
  for (LPCTSTR p = std::strchr(text, '"') != NULL ? text : "";;) {
    while (kByteKinds[*p] == plainByte || kByteKinds[*p] == blankByte) ++p;
    if (*p == '\0') break;
    if (*p == '"') lastQuote = p;
    p = NextChar(p);
  }
  LPCTSTR p = text;
  for (;;) {
    while (IsDspBlank(*p)) ++p;
    if (*p == '\0') return;
    LPCTSTR start = p;
    bool quoted = false;
    for (;;) {
      if (!quoted)
        while (kByteKinds[*p] == plainByte) ++p;
      else
        while (kByteKinds[*p] == plainByte || kByteKinds[*p] == blankByte) ++p;
      if (*p == '\0' || (!quoted && IsDspBlank(*p))) break;
      // An opening quote groups only when a closing one follows.
      if (*p == '"' && (quoted || p < lastQuote)) quoted = !quoted;
      p = NextChar(p);
    }
    if constexpr (std::is_same_v<Token, CString>)
      tokens.emplace_back(start, static_cast<int>(p - start));
    else
      tokens.push_back(Token{start, static_cast<int>(p - start)});
  }
}

}  // namespace

int CountDspQuotes(LPCTSTR text, int length) {
  if (std::memchr(text, '"', static_cast<size_t>(length)) == NULL) return 0;
  int quotes = 0;
  for (LPCTSTR p = text, end = text + length; p < end; p = NextChar(p))
    if (*p == '"') ++quotes;
  return quotes;
}

int CountDspQuotes(LPCTSTR text) { return CountDspQuotes(text, static_cast<int>(std::strlen(text))); }

void SplitDspArguments(LPCTSTR text, std::vector<CString>& tokens) { SplitArguments(text, tokens); }
void SplitDspArguments(LPCTSTR text, std::vector<CDspToken>& tokens) { SplitArguments(text, tokens); }

CString QuotedTextAfter(const CString& line, int start) {
  const int open = line.Find('"', start);
  if (open < 0) return CString();
  const int close = line.Find('"', open + 1);
  if (close < 0) return CString();
  return line.Mid(open + 1, close - open - 1);
}
