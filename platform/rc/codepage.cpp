// Script text to UTF-16. Code page 1252 is a table (bytes 0x80-0x9F differ from Latin-1; the five
// undefined ones map to the same-valued control characters, as the platform's converter does),
// 932 goes through the host's iconv (its CP932 is the platform's table), UTF-8 is decoded here.
#include "codepage.h"

#include <iconv.h>

#include <cerrno>
#include <memory>
#include <vector>

namespace rc {
namespace {

constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::u16string FromCp1252(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (unsigned char b : bytes) out.push_back(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t{b});
  return out;
}

std::optional<std::u16string> FromUtf8(std::string_view bytes) {
  std::u16string out;
  for (size_t i = 0; i < bytes.size();) {
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || i + extra >= bytes.size()) return std::nullopt;
    char32_t c = extra == 0 ? b : b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      const unsigned char t = static_cast<unsigned char>(bytes[i + k]);
      if ((t & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (t & 0x3F);
    }
    static constexpr char32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
    if (c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
    i += extra + 1;
  }
  return out;
}

std::optional<std::u16string> FromIconv(std::string_view bytes, const char* fromCode) {
  iconv_t cd = iconv_open("UTF-16LE", fromCode);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::unique_ptr<void, int (*)(iconv_t)> closer(cd, iconv_close);
  std::string input(bytes);
  std::vector<char> output(input.size() * 2 + 4);
  char* in = input.data();
  size_t inLeft = input.size();
  char* outPtr = output.data();
  size_t outLeft = output.size();
  if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return std::nullopt;
  std::u16string out;
  const size_t produced = output.size() - outLeft;
  for (size_t i = 0; i + 1 < produced; i += 2)
    out.push_back(static_cast<char16_t>(static_cast<unsigned char>(output[i]) |
                                        (static_cast<unsigned char>(output[i + 1]) << 8)));
  return out;
}

}  // namespace

bool IsSupportedCodePage(unsigned codePage) { return codePage == 1252 || codePage == 932 || codePage == 65001; }

bool IsLeadByte(unsigned codePage, unsigned char byte) {
  return codePage == 932 && ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
}

std::optional<std::u16string> ToUtf16(std::string_view bytes, unsigned codePage) {
  switch (codePage) {
    case 1252:
      return FromCp1252(bytes);
    case 65001:
      return FromUtf8(bytes);
    case 932:
      return FromIconv(bytes, "CP932");
    default:
      return std::nullopt;
  }
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace rc
