// UTF-8 <-> UTF-16 (see utf.h).
#include "utf.h"

#include <cstdint>
#include <cstring>

namespace msxml {

size_t Utf8ToUtf16(std::string_view utf8, char16_t* out) {
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* end = p + utf8.size();
  char16_t* o = out;
  while (p < end) {
    // Names and most texts are ASCII: eight bytes at a time while none has its high bit set.
    uint64_t eight;
    if (end - p >= 8 && (std::memcpy(&eight, p, 8), (eight & 0x8080808080808080ull) == 0)) {
      for (int i = 0; i < 8; ++i) o[i] = p[i];
      o += 8;
      p += 8;
      continue;
    }
    const unsigned c = *p;
    if (c < 0x80) {
      *o++ = static_cast<char16_t>(c);
      ++p;
    } else if (c < 0xE0 && p + 1 < end) {
      *o++ = static_cast<char16_t>(((c & 0x1F) << 6) | (p[1] & 0x3F));
      p += 2;
    } else if (c < 0xF0 && p + 2 < end) {
      *o++ = static_cast<char16_t>(((c & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
      p += 3;
    } else if (p + 3 < end) {
      const uint32_t cp = ((c & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
      *o++ = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      *o++ = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
      p += 4;
    } else {
      *o++ = u'\uFFFD';  // truncated sequence: cannot come from the parser
      break;
    }
  }
  return static_cast<size_t>(o - out);
}

void AppendUtf8(std::u16string_view text, std::string& out) {
  out.reserve(out.size() + text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDFFF) {
      const bool paired = c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
      if (!paired) {
        out.push_back(static_cast<char>(0xFF));
        continue;
      }
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
}

}  // namespace msxml
