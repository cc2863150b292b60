// The Windows path rules (see winpath.h): parsing, lexical "." and "..", name validation, and the
// drive map in both directions. Pure: no disk, no process state.
#include "winpath.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kernel32::winpath {
namespace {

constexpr size_t kMaxPath = 260;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

// Whether `c` starts a double-byte character. Lead bytes are never ASCII in any code page, so
// the predicate is asked only about the others (most names are ASCII throughout).
bool IsLead(const LeadBytePredicate& isLead, unsigned char c) { return c >= 0x80 && isLead && isLead(c); }

// Splits at separators, keeping a double-byte character (whose trail byte may be 0x5C) whole.
// Empty segments (doubled separators) are kept so the caller can see where the text began.
void Segments(std::string_view text, const LeadBytePredicate& isLead, std::vector<std::string_view>& out) {
  out.clear();
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (IsLead(isLead, c) && i + 1 < text.size()) {
      ++i;
    } else if (IsSeparator(static_cast<char>(c))) {
      out.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  out.push_back(text.substr(start));
}

// Windows drops trailing dots and blanks of a name ("file." is "file"); "." and ".." stay.
std::string_view StripTrailingDotsAndBlanks(std::string_view segment) {
  if (segment == "." || segment == "..") return segment;
  size_t end = segment.size();
  while (end > 0 && (segment[end - 1] == '.' || segment[end - 1] == ' ')) --end;
  return segment.substr(0, end);
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9, with or without an extension, open devices on Windows.
bool IsDeviceName(std::string_view name) {
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  if (base.size() < 3 || base.size() > 7) return false;
  if (!std::strchr("CcPpAaNnLl", base[0])) return false;  // no device name starts otherwise
  const std::string upper = AsciiUpper(base);
  static constexpr std::array<std::string_view, 6> kPlain = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  if (std::find(kPlain.begin(), kPlain.end(), upper) != kPlain.end()) return true;
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
         upper[3] <= '9';
}

bool IsForbiddenChar(unsigned char c) {
  return c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*';
}

// Appends one segment to `path`, resolving "." and "..". Returns the error for a bad name.
uint32_t Append(WinPath& path, std::string_view segment, const LeadBytePredicate& isLead, const ParseOptions& options,
                std::string& reason) {
  const std::string_view name = StripTrailingDotsAndBlanks(segment);
  if (name.empty() || name == ".") return kOk;
  if (name == "..") {
    if (!path.components.empty()) path.components.pop_back();
    return kOk;
  }
  if (options.validateNames) {
    if (!IsValidComponent(name, isLead)) return kInvalidName;
    if (IsDeviceName(name)) {
      reason = "device name \"" + std::string(name) + "\"";
      return kNotImplemented;
    }
  }
  path.components.emplace_back(name);
  return kOk;
}

// Host path components, ignoring empty ones ("/a//b/" -> a, b).
std::vector<std::string_view> HostComponents(std::string_view path) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i < path.size()) {
    while (i < path.size() && path[i] == '/') ++i;
    const size_t start = i;
    while (i < path.size() && path[i] != '/') ++i;
    if (i > start) out.push_back(path.substr(start, i - start));
  }
  return out;
}

}  // namespace

std::string WinPath::Root() const {
  if (IsUnc()) return "\\\\" + server + "\\" + share;
  return std::string(1, drive) + ":";
}

size_t WinPath::TextLength() const {
  size_t length = IsUnc() ? 3 + server.size() + share.size() : 2;
  if (components.empty()) return length + 1;
  for (const auto& c : components) length += 1 + c.size();
  return length;
}

std::string WinPath::ToString() const {
  std::string out = Root();
  if (components.empty()) return out + "\\";
  for (const auto& c : components) out += "\\" + c;
  return out;
}

WinPath WinPath::Parent() const {
  WinPath parent = *this;
  parent.trailingSeparator = false;
  if (!parent.components.empty()) parent.components.pop_back();
  return parent;
}

WinPath WinPath::Child(const std::string& name) const {
  WinPath child = *this;
  child.trailingSeparator = false;
  child.components.push_back(name);
  return child;
}

bool IsValidComponent(std::string_view name, const LeadBytePredicate& isLead) {
  if (name.empty() || name == "." || name == "..") return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (IsLead(isLead, c) && i + 1 < name.size()) {
      ++i;  // the trail byte belongs to the character
      continue;
    }
    if (IsForbiddenChar(c) || c == '\\' || c == '/') return false;
  }
  return true;
}

ParseResult Parse(std::string_view text, const WinPath& current, const LeadBytePredicate& isLead,
                  const ParseOptions& options) {
  ParseResult result;
  if (text.empty()) {
    result.error = kPathNotFound;
    return result;
  }
  // Every file call parses a path: the thread's segment list keeps its room from one to the next.
  thread_local std::vector<std::string_view> segments;
  Segments(text, isLead, segments);
  const bool trailingSeparator = segments.size() > 1 && segments.back().empty();
  size_t first = 0;  // first segment holding components
  WinPath& path = result.path;

  if (segments.size() >= 3 && segments[0].empty() && segments[1].empty()) {
    // UNC: "" "" server share rest...
    const std::string_view server = segments[2];
    if (server == "?" || server == ".") {
      result.error = kNotImplemented;
      result.reason = "\\\\" + std::string(server) + "\\ name";
      return result;
    }
    if (server.empty() || segments.size() < 4 || segments[3].empty()) {
      result.error = kBadPathname;
      return result;
    }
    if (options.validateNames && (!IsValidComponent(server, isLead) || !IsValidComponent(segments[3], isLead))) {
      result.error = kInvalidName;
      return result;
    }
    path.drive = 0;
    path.server = server;
    path.share = segments[3];
    first = 4;
  } else if (segments[0].size() >= 2 && IsAsciiLetter(segments[0][0]) && segments[0][1] == ':') {
    const char drive = AsciiUpper(segments[0][0]);
    const bool absolute = segments.size() > 1 && segments[0].size() == 2;
    if (!absolute && current.drive == drive) {
      path = current;
    } else {
      path.drive = drive;
    }
    segments[0].remove_prefix(2);  // the rest of the first segment is relative ("C:foo")
    first = 0;
  } else if (segments[0].empty()) {
    // "\rooted": the root of the current drive or share.
    path.drive = current.drive;
    path.server = current.server;
    path.share = current.share;
    first = 1;
  } else {
    path = current;
  }
  path.trailingSeparator = trailingSeparator;
  path.components.reserve(path.components.size() + segments.size() - first);

  for (size_t i = first; i < segments.size(); ++i) {
    result.error = Append(path, segments[i], isLead, options, result.reason);
    if (result.error != kOk) return result;
  }
  return result;
}

std::pair<std::string, std::string> SplitLast(std::string_view text, const LeadBytePredicate& isLead) {
  size_t cut = std::string_view::npos;  // index just past the last separator (or the drive colon)
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsLead(isLead, static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
      ++i;
    } else if (IsSeparator(text[i])) {
      cut = i + 1;
    } else if (i == 1 && text[1] == ':' && IsAsciiLetter(text[0])) {
      cut = 2;
    }
  }
  if (cut == std::string_view::npos) return {"", std::string(text)};
  return {std::string(text.substr(0, cut)), std::string(text.substr(cut))};
}

std::string ShareKey(std::string_view server, std::string_view share) {
  return "\\\\" + AsciiUpper(server) + "\\" + AsciiUpper(share);
}

RootResult MapRoot(const WinPath& path, const DriveMap& map) {
  RootResult result;
  if (path.TextLength() >= kMaxPath) {
    result.error = kFilenameTooLong;
    return result;
  }
  if (path.IsUnc()) {
    auto it = map.shares.find(ShareKey(path.server, path.share));
    if (it == map.shares.end()) {
      result.error = kBadNetPath;
      return result;
    }
    result.hostFolder = it->second;
  } else {
    auto it = map.drives.find(path.drive);
    if (it == map.drives.end()) {
      result.error = kPathNotFound;
      return result;
    }
    result.hostFolder = it->second;
  }
  return result;
}

std::optional<HostToWindowsResult> HostToWindows(std::string_view hostPath, const DriveMap& map) {
  const std::vector<std::string_view> target = HostComponents(hostPath);
  std::optional<HostToWindowsResult> best;
  size_t bestLength = 0;
  auto consider = [&](const std::string& folder, const WinPath& root) {
    const std::vector<std::string_view> prefix = HostComponents(folder);
    if (prefix.size() > target.size() || !std::equal(prefix.begin(), prefix.end(), target.begin())) return;
    if (best && prefix.size() <= bestLength) return;
    bestLength = prefix.size();
    best = HostToWindowsResult{root, {target.begin() + static_cast<std::ptrdiff_t>(prefix.size()), target.end()}};
  };
  for (const auto& [letter, folder] : map.drives) {
    WinPath root;
    root.drive = letter;
    consider(folder, root);
  }
  for (const auto& [key, folder] : map.shares) {
    // key is "\\SERVER\SHARE"
    WinPath root;
    const size_t split = key.find('\\', 2);
    root.server = key.substr(2, split - 2);
    root.share = key.substr(split + 1);
    consider(folder, root);
  }
  return best;
}

}  // namespace kernel32::winpath
