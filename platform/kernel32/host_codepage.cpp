// Code pages other than 1252 are converted by the host's iconv, one character at a time so that
// an unmappable or malformed character affects only itself.
#include <errno.h>
#include <iconv.h>


#include "codepage.h"

namespace kernel32 {
namespace {

const char* IconvName(UINT codePage) {
  switch (codePage) {
    case 932:
      return "CP932";
    case CP_UTF8:
      return "UTF-8";
    case 1252:
      return "CP1252";
    default:
      return nullptr;
  }
}

// One conversion descriptor for the length of a call.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(from && to ? iconv_open(to, from) : Invalid()) {}
  ~Converter() {
    if (cd_ != Invalid()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in` completely (one character) or reports failure.
  bool operator()(const char* in, size_t inLen, std::string& out) {
    if (cd_ == Invalid()) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buf[16];
    char* src = const_cast<char*>(in);
    char* dst = buf;
    size_t srcLeft = inLen, dstLeft = sizeof buf;
    const size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
    if (r == static_cast<size_t>(-1) || srcLeft != 0) return false;
    out.assign(buf, sizeof buf - dstLeft);
    return true;
  }

 private:
  static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }
  iconv_t cd_;
};

}  // namespace

bool HostDecode(UINT codePage, const std::string& bytes, std::u16string& out, bool strict) {
  const char* name = IconvName(codePage);
  if (name == nullptr) return false;
  out.clear();
  Converter convert("UTF-16LE", name);
  for (size_t i = 0; i < bytes.size();) {
    size_t len = 1;
    if (codePage == CP_UTF8) {
      const unsigned char b = static_cast<unsigned char>(bytes[i]);
      len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 1;
    } else if (IsLeadByteIn(codePage, static_cast<BYTE>(bytes[i]))) {
      len = 2;
    }
    if (i + len > bytes.size()) len = bytes.size() - i;
    std::string utf16;
    if (convert(bytes.data() + i, len, utf16)) {
      for (size_t k = 0; k + 1 < utf16.size(); k += 2)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(utf16[k]) |
                                            (static_cast<unsigned char>(utf16[k + 1]) << 8)));
    } else {
      if (strict) return false;
      out.push_back(u'\xFFFD');
    }
    i += len;
  }
  return true;
}

std::string HostEncode(UINT codePage, const std::u16string& text, char defaultChar, bool* usedDefault) {
  const char* name = IconvName(codePage);
  std::string out;
  if (usedDefault) *usedDefault = false;
  Converter convert(name, "UTF-16LE");
  for (size_t i = 0; i < text.size(); ++i) {
    size_t units = (text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size()) ? 2 : 1;
    char in[4];
    for (size_t k = 0; k < units; ++k) {
      in[2 * k] = static_cast<char>(text[i + k] & 0xFF);
      in[2 * k + 1] = static_cast<char>(text[i + k] >> 8);
    }
    std::string bytes;
    if (convert(in, units * 2, bytes)) {
      out += bytes;
    } else {
      out.push_back(defaultChar);
      if (usedDefault) *usedDefault = true;
    }
    i += units - 1;
  }
  return out;
}

}  // namespace kernel32
