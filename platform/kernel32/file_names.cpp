// Text rules for file names (see file_names.h).
#include "file_names.h"

#include <vector>

namespace kernel32::names {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

// One token of a find pattern, after the conversion Windows applies to the text: '?' always
// matches like DOS_QM, a '*' before a '.' like DOS_STAR, a '.' before a wildcard or at the end
// like DOS_DOT.
enum class Kind { Literal, Star, DosStar, DosQm, DosDot };
struct Token {
  Kind kind;
  char16_t c = 0;
};

std::vector<Token> Tokenize(std::u16string_view p) {
  std::vector<Token> out;
  if (p == u"*.*") return {{Kind::Star}};
  for (size_t i = 0; i < p.size(); ++i) {
    const bool last = i + 1 == p.size();
    const char16_t next = last ? 0 : p[i + 1];
    switch (p[i]) {
      case u'?': out.push_back({Kind::DosQm}); break;
      case u'*': out.push_back({next == u'.' ? Kind::DosStar : Kind::Star}); break;
      case u'.':
        if (last || next == u'?' || next == u'*')
          out.push_back({Kind::DosDot});
        else
          out.push_back({Kind::Literal, u'.'});
        break;
      default: out.push_back({Kind::Literal, FoldCase(p[i])});
    }
  }
  return out;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    int extra = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (b < 0x80) {
      cp = b;
    } else if ((b & 0xE0) == 0xC0) {
      extra = 1, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3, cp = b & 0x07, min = 0x10000;
    } else {
      AppendUtf16(out, kReplacement);
      ++i;
      continue;
    }
    size_t j = i + 1;
    bool ok = true;
    for (int k = 0; k < extra; ++k, ++j) {
      if (j >= s.size() || (static_cast<unsigned char>(s[j]) & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (static_cast<unsigned char>(s[j]) & 0x3F);
    }
    if (!ok || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      AppendUtf16(out, kReplacement);
      i = ok ? j : i + 1;
      continue;
    }
    AppendUtf16(out, cp);
    i = j;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

char16_t FoldCase(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  switch (c) {
    case 0xFF: return 0x178;   // y diaeresis
    case 0x161: return 0x160;  // s caron
    case 0x17E: return 0x17D;  // z caron
    case 0x153: return 0x152;  // oe
    default: return c;
  }
}

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

bool LessNoCase(std::u16string_view a, std::u16string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const char16_t x = FoldCase(a[i]), y = FoldCase(b[i]);
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

bool HasWildcard(std::u16string_view pattern) { return pattern.find_first_of(u"*?") != std::u16string_view::npos; }

bool MatchesWildcard(std::u16string_view pattern, std::u16string_view name) {
  const std::vector<Token> tokens = Tokenize(pattern);
  const size_t T = tokens.size(), N = name.size();
  const size_t lastDot = name.rfind(u'.');
  // memo[i * (N + 1) + j]: 0 unknown, 1 no, 2 yes. Iterative over j descending keeps it simple:
  // match[i][j] depends only on larger i or larger j.
  std::vector<char> match((T + 1) * (N + 1), 0);
  auto at = [&](size_t i, size_t j) -> char& { return match[i * (N + 1) + j]; };
  at(T, N) = 1;
  for (size_t i = T; i-- > 0;) {
    for (size_t j = N + 1; j-- > 0;) {
      const Token& t = tokens[i];
      const bool end = j == N;
      bool ok = false;
      switch (t.kind) {
        case Kind::Literal: ok = !end && FoldCase(name[j]) == t.c && at(i + 1, j + 1); break;
        case Kind::Star: ok = at(i + 1, j) || (!end && at(i, j + 1)); break;
        case Kind::DosStar: ok = at(i + 1, j) || (!end && j != lastDot && at(i, j + 1)); break;
        case Kind::DosQm: ok = (end || name[j] == u'.') ? at(i + 1, j) : at(i + 1, j + 1); break;
        case Kind::DosDot: ok = end ? at(i + 1, j) : (name[j] == u'.' && at(i + 1, j + 1)); break;
      }
      at(i, j) = ok ? 1 : 0;
    }
  }
  return at(0, 0) == 1;
}

}  // namespace kernel32::names
