// Reading the XML declaration from raw bytes (see xml_declaration.h).
#include "xml_declaration.h"

#include <cstdint>

namespace msxml {

DeclarationInfo ReadDeclaration(std::string_view bytes) {
  DeclarationInfo info;
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  size_t pos = 0;
  size_t width = 1;
  bool bigEndian = false;
  if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
    info.form = ByteForm::Utf8Bom;
    pos = 3;
  } else if (n >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
    info.form = ByteForm::Utf16LE;
    pos = 2;
  } else if (n >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
    info.form = ByteForm::Utf16BE;
    pos = 2;
  } else if (n >= 4 && b[0] == '<' && b[1] == 0 && b[2] == '?' && b[3] == 0) {
    info.form = ByteForm::Utf16LE;
  } else if (n >= 4 && b[0] == 0 && b[1] == '<' && b[2] == 0 && b[3] == '?') {
    info.form = ByteForm::Utf16BE;
  }
  if (info.form == ByteForm::Utf16LE || info.form == ByteForm::Utf16BE) {
    width = 2;
    bigEndian = info.form == ByteForm::Utf16BE;
  }
  // Characters of the declaration are ASCII in every encoding it can name.
  auto at = [&](size_t index) -> int {
    const size_t p = pos + index * width;
    if (p + width > n) return -1;
    const unsigned v = width == 1 ? b[p] : bigEndian ? (b[p] << 8 | b[p + 1]) : (b[p + 1] << 8 | b[p]);
    return v < 0x80 ? static_cast<int>(v) : -1;
  };
  const char* open = "<?xml";
  for (size_t i = 0; i < 5; ++i) {
    if (at(i) != open[i]) return info;
  }
  const int after = at(5);
  if (after != ' ' && after != '\t' && after != '\r' && after != '\n') return info;
  constexpr size_t kLongest = 1024;
  std::string data;
  for (size_t i = 6; i < kLongest; ++i) {
    const int c = at(i);
    if (c < 0) return info;
    if (c == '?' && at(i + 1) == '>') {
      while (!data.empty() && (data.back() == ' ' || data.back() == '\t' || data.back() == '\r' || data.back() == '\n'))
        data.pop_back();
      size_t start = 0;
      while (start < data.size() && (data[start] == ' ' || data[start] == '\t' || data[start] == '\r' || data[start] == '\n'))
        ++start;
      info.found = true;
      info.data = data.substr(start);
      return info;
    }
    data.push_back(static_cast<char>(c));
  }
  return info;
}

bool SameEncodingName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace msxml
