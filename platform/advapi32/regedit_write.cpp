// Writes keys as REGEDIT4 sections, the way regedit exports them: one section per key in
// enumeration order, strings quoted where the quoted form can hold them, everything else as a
// hex list wrapped before column 80.
#include <cstdio>

#include "regedit_text.h"

namespace advapi32 {
namespace {

constexpr size_t kWrapColumn = 76;

void AppendQuoted(std::string_view text, std::string& out) {
  out += '"';
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
}

// A REG_SZ fits the quoted form when it is text with exactly one NUL, at its end, and no line break.
bool FitsQuotedString(const Value& value) {
  if (value.type != REG_SZ || value.data.empty() || value.data.back() != 0) return false;
  const std::string_view text(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1);
  return !HasLineBreakOrNul(text);
}

void AppendHexList(const std::vector<uint8_t>& data, size_t lineLength, std::string& out) {
  char hex[4];
  for (size_t i = 0; i < data.size(); ++i) {
    std::snprintf(hex, sizeof hex, "%02x", data[i]);
    out += hex;
    lineLength += 2;
    if (i + 1 == data.size()) break;
    out += ',';
    ++lineLength;
    if (lineLength >= kWrapColumn) {
      out += "\\\r\n  ";
      lineLength = 2;
    }
  }
}

void AppendValue(const std::string& name, const Value& value, std::string& out) {
  const size_t lineStart = out.size();
  if (name.empty())
    out += '@';
  else
    AppendQuoted(name, out);
  out += '=';
  if (FitsQuotedString(value)) {
    AppendQuoted(std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1), out);
  } else if (value.type == REG_DWORD && value.data.size() == 4) {
    const uint32_t number = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                            (static_cast<uint32_t>(value.data[3]) << 24);
    char text[16];
    std::snprintf(text, sizeof text, "dword:%08x", number);
    out += text;
  } else {
    char prefix[24];
    if (value.type == REG_BINARY)
      std::snprintf(prefix, sizeof prefix, "hex:");
    else
      std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
    out += prefix;
    AppendHexList(value.data, out.size() - lineStart, out);
  }
  out += "\r\n";
}

}  // namespace

void WriteRegeditSections(const Node& node, const std::string& displayName, std::string& out,
                          std::vector<std::string>* problems) {
  out += '[';
  out += displayName;
  out += "]\r\n";
  for (const auto& [name, value] : node.values) {
    if (HasLineBreakOrNul(name)) {
      if (problems) problems->push_back("value name in [" + displayName + "] holds a line break or NUL");
      continue;
    }
    AppendValue(name, value, out);
  }
  out += "\r\n";
  for (const auto& [name, child] : node.children) {
    if (HasLineBreakOrNul(name)) {
      if (problems) problems->push_back("a key name below [" + displayName + "] holds a line break or NUL");
      continue;
    }
    WriteRegeditSections(*child, displayName + "\\" + name, out, problems);
  }
}

}  // namespace advapi32
