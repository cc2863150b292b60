// Reads REGEDIT4 text into a list of changes. Nothing is applied until the whole text parsed,
// so malformed text leaves the registry as it was.
#include <charconv>

#include "regedit_text.h"

namespace advapi32 {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && NamesEqual(s.substr(0, prefix.size()), prefix);
}

// One logical line: physical lines joined where one ends with a backslash.
struct Line {
  size_t number = 0;  // of its first physical line
  std::string text;
};

class LineReader {
 public:
  explicit LineReader(std::string_view text) : rest_(text) {}

  bool Next(Line& line, std::string* error) {
    std::string_view physical;
    if (!NextPhysical(physical)) return false;
    line.number = number_;
    line.text.assign(TrimRight(physical));
    if (TrimLeft(line.text).starts_with(';')) return true;  // comments never continue
    while (!line.text.empty() && line.text.back() == '\\') {
      line.text.pop_back();
      if (!NextPhysical(physical)) {
        *error = "line " + std::to_string(line.number) + ": the text ends inside a continued line";
        return false;
      }
      line.text += TrimRight(TrimLeft(physical));
    }
    return true;
  }

 private:
  bool NextPhysical(std::string_view& physical) {
    if (done_) return false;
    const size_t cut = rest_.find('\n');
    physical = rest_.substr(0, cut);
    ++number_;
    if (cut == std::string_view::npos) {
      done_ = true;
      if (physical.empty()) return false;  // the text ended with a line break
    } else {
      rest_.remove_prefix(cut + 1);
    }
    return true;
  }

  std::string_view rest_;
  size_t number_ = 0;
  bool done_ = false;
};

// Reads a quoted text at the start of `s` (escapes: \\ and \"); advances past the closing quote.
bool ReadQuoted(std::string_view& s, std::string& out, std::string& why) {
  s.remove_prefix(1);  // the opening quote
  out.clear();
  while (!s.empty()) {
    const char c = s.front();
    s.remove_prefix(1);
    if (c == '"') return true;
    if (c == '\\') {
      if (s.empty() || (s.front() != '\\' && s.front() != '"')) {
        why = s.empty() ? "a backslash ends the quoted text" : std::string("unknown escape \\") + s.front();
        return false;
      }
      out += s.front();
      s.remove_prefix(1);
      continue;
    }
    out += c;
  }
  why = "the quoted text has no closing quote";
  return false;
}

bool ParseHexNumber(std::string_view s, uint32_t& number) {
  if (s.empty() || s.size() > 8) return false;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), number, 16);
  return ec == std::errc() && end == s.data() + s.size();
}

bool ParseHexList(std::string_view s, std::vector<uint8_t>& bytes, std::string& why) {
  bytes.clear();
  if (TrimLeft(s).empty()) return true;
  while (true) {
    const size_t comma = s.find(',');
    const std::string_view token = TrimRight(TrimLeft(s.substr(0, comma)));
    uint32_t byte = 0;
    if (token.size() > 2 || !ParseHexNumber(token, byte)) {
      why = token.empty() ? "an empty entry in the hex list" : "\"" + std::string(token) + "\" is not a hex byte";
      return false;
    }
    bytes.push_back(static_cast<uint8_t>(byte));
    if (comma == std::string_view::npos) return true;
    s.remove_prefix(comma + 1);
  }
}

// The data after '=': fills the change (SetValue or DeleteValue).
bool ParseData(std::string_view s, RegChange& change, std::string& why) {
  change.kind = RegChange::Kind::SetValue;
  if (s.starts_with('"')) {
    std::string text;
    if (!ReadQuoted(s, text, why)) return false;
    if (!TrimLeft(s).empty()) {
      why = "text after the closing quote";
      return false;
    }
    change.value.type = REG_SZ;
    change.value.data.assign(text.begin(), text.end());
    change.value.data.push_back(0);
    return true;
  }
  if (s == "-") {
    change.kind = RegChange::Kind::DeleteValue;
    return true;
  }
  if (StartsWithNoCase(s, "dword:")) {
    uint32_t number = 0;
    if (!ParseHexNumber(s.substr(6), number)) {
      why = "dword: needs 1 to 8 hex digits";
      return false;
    }
    change.value.type = REG_DWORD;
    change.value.data = {static_cast<uint8_t>(number), static_cast<uint8_t>(number >> 8),
                         static_cast<uint8_t>(number >> 16), static_cast<uint8_t>(number >> 24)};
    return true;
  }
  if (StartsWithNoCase(s, "hex:")) {
    change.value.type = REG_BINARY;
    return ParseHexList(s.substr(4), change.value.data, why);
  }
  if (StartsWithNoCase(s, "hex(")) {
    const size_t close = s.find("):");
    uint32_t type = 0;
    if (close == std::string_view::npos || !ParseHexNumber(s.substr(4, close - 4), type)) {
      why = "hex(N): needs a hex type number N";
      return false;
    }
    change.value.type = type;
    return ParseHexList(s.substr(close + 2), change.value.data, why);
  }
  why = "unrecognised value data (expected \"text\", dword:, hex:, hex(N): or -)";
  return false;
}

}  // namespace

std::optional<std::vector<RegChange>> ParseRegedit(std::string_view text, std::string* error) {
  std::vector<RegChange> changes;
  std::string failure;
  auto fail = [&](size_t line, const std::string& why) -> std::optional<std::vector<RegChange>> {
    if (error) *error = "line " + std::to_string(line) + ": " + why;
    return std::nullopt;
  };

  LineReader reader(text);
  Line line;
  bool headerSeen = false;
  bool inSection = false;
  bool inDeletedSection = false;
  KeyPath section;
  while (reader.Next(line, &failure)) {
    const std::string_view content = TrimLeft(line.text);
    if (content.empty() || content.starts_with(';')) continue;
    if (!headerSeen) {
      if (content != "REGEDIT4") return fail(line.number, "expected the REGEDIT4 header");
      headerSeen = true;
      continue;
    }
    if (content.starts_with('[')) {
      if (content.back() != ']') return fail(line.number, "a key section must end with ']'");
      std::string_view name = content.substr(1, content.size() - 2);
      const bool remove = name.starts_with('-');
      if (remove) name.remove_prefix(1);
      std::string why;
      auto path = ParseFullPath(name, &why);
      if (!path) return fail(line.number, why);
      for (const std::string& key : *path)
        if (HasLineBreakOrNul(key)) return fail(line.number, "a key name holds a carriage return or a NUL");
      section = *path;
      inSection = !remove;
      inDeletedSection = remove;
      RegChange change;
      change.kind = remove ? RegChange::Kind::DeleteKey : RegChange::Kind::CreateKey;
      change.key = section;
      changes.push_back(std::move(change));
      continue;
    }
    if (!inSection)
      return fail(line.number, inDeletedSection ? "a value under a deleted key section [-...]"
                                                : "a value outside any key section");

    RegChange change;
    change.key = section;
    std::string_view rest = content;
    std::string why;
    if (rest.starts_with('@')) {
      rest.remove_prefix(1);
    } else if (rest.starts_with('"')) {
      if (!ReadQuoted(rest, change.name, why)) return fail(line.number, "value name: " + why);  // "" is @
      if (HasLineBreakOrNul(change.name))
        return fail(line.number, "the value name holds a carriage return or a NUL");
    } else {
      return fail(line.number, "expected a quoted value name or @");
    }
    rest = TrimLeft(rest);
    if (!rest.starts_with('=')) return fail(line.number, "expected '=' after the value name");
    rest = TrimLeft(rest.substr(1));
    if (!ParseData(rest, change, why)) return fail(line.number, why);
    changes.push_back(std::move(change));
  }
  if (!failure.empty()) {
    if (error) *error = failure;
    return std::nullopt;
  }
  if (!headerSeen) return fail(line.number == 0 ? 1 : line.number, "expected the REGEDIT4 header");
  return changes;
}

void ApplyChanges(Tree& tree, const std::vector<RegChange>& changes) {
  for (const RegChange& change : changes) {
    switch (change.kind) {
      case RegChange::Kind::CreateKey:
        tree.Create(change.key);
        break;
      case RegChange::Kind::DeleteKey:
        if (auto node = tree.Find(change.key)) tree.DeleteSubtree(*node);
        break;
      case RegChange::Kind::SetValue:
        tree.Create(change.key)->SetValue(change.name, change.value);
        break;
      case RegChange::Kind::DeleteValue:
        if (auto node = tree.Find(change.key); node && node->values.erase(change.name)) node->Touch();
        break;
    }
  }
}

}  // namespace advapi32
