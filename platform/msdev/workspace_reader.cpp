// Reading workspace and project files the way the IDE lists them. A .dsw line
//   Project: "Name"=.\rel\path\Name.dsp - Package Owner=<4>
// names a project; the path is relative to the workspace's folder, may be quoted and may hold
// blanks. A .dsp starts with
//   # Microsoft Developer Studio Project File - Name="X" - Package Owner=<4>
// and lists its configurations in the header as !MESSAGE "X - Win32 Debug" (based on "...")
// (localised IDEs write their own words after the name, so only the quoted name and the opening
// parenthesis are relied on).
#include "workspace_reader.h"

#include "file_io.h"

#include <objmodel/appdefs.h>

#include <windows.h>

#include <algorithm>
#include <optional>

namespace msdev {
namespace {

constexpr std::string_view kWorkspaceHeader = "Microsoft Developer Studio Workspace File";
constexpr std::string_view kProjectHeader = "# Microsoft Developer Studio Project File - Name=";

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(text[i]) != lower(prefix[i])) return false;
  }
  return true;
}

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

std::string_view Trim(std::string_view text) {
  text = TrimLeft(text);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The text between a leading double quote and the next one; nullopt without both quotes.
// *rest is what follows the closing quote.
std::optional<std::string_view> Quoted(std::string_view text, std::string_view* rest = nullptr) {
  if (text.empty() || text.front() != '"') return std::nullopt;
  const size_t close = text.find('"', 1);
  if (close == std::string_view::npos) return std::nullopt;
  if (rest) *rest = text.substr(close + 1);
  return text.substr(1, close - 1);
}

bool IsAbsolute(std::string_view path) {
  return (path.size() >= 2 && path[1] == ':') || StartsWith(path, "\\\\") || StartsWith(path, "//");
}

// "Project: "Name"=path - Package Owner=<4>" -> name and path as written.
bool ParseProjectLine(std::string_view line, std::string& name, std::string& path) {
  std::string_view rest = TrimLeft(line.substr(std::string_view("Project:").size()));
  const auto quotedName = Quoted(rest, &rest);
  if (!quotedName || quotedName->empty() || rest.empty() || rest.front() != '=') return false;
  rest.remove_prefix(1);
  std::string_view pathText;
  if (const auto quotedPath = Quoted(rest)) {
    pathText = *quotedPath;
  } else {
    const size_t owner = rest.rfind(" - Package Owner=");
    pathText = Trim(rest.substr(0, owner));
  }
  if (pathText.empty()) return false;
  name.assign(*quotedName);
  path.assign(pathText);
  return true;
}

// A configuration name in double quotes at the start of `text`, with the rest of the line
// starting (after blanks) with `next` ("" for anything).
std::optional<std::string> QuotedName(std::string_view text, std::string_view next) {
  std::string_view rest;
  const auto name = Quoted(TrimLeft(text), &rest);
  if (!name || name->empty()) return std::nullopt;
  if (!next.empty() && !StartsWith(TrimLeft(rest), next)) return std::nullopt;
  return std::string(*name);
}

// The code of a "# TARGTYPE "..." 0x0101" line: the hexadecimal number in its last six
// characters; 0 when there is none.
unsigned long TargetTypeCode(std::string_view line) {
  std::string_view code = Trim(line.substr(line.size() >= 6 ? line.size() - 6 : 0));
  if (StartsWithNoCase(code, "0x")) code.remove_prefix(2);
  unsigned long value = 0;
  for (const char c : code) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0) return 0;
    value = value * 16 + static_cast<unsigned long>(digit);
  }
  return value;
}

void AddOnce(std::vector<std::string>& names, std::string name) {
  if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
}

}  // namespace

bool ParseWorkspace(std::string_view text, const std::string& folder, std::vector<WorkspaceEntry>& projects,
                    std::string* error) {
  const std::vector<std::string_view> lines = Lines(text);
  if (lines.empty() || !StartsWith(lines.front(), kWorkspaceHeader)) {
    if (error) *error = "not a workspace file: the first line is not \"" + std::string(kWorkspaceHeader) + ", ...\"";
    return false;
  }
  std::vector<WorkspaceEntry> found;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!StartsWith(lines[i], "Project:")) continue;
    std::string name, path;
    if (!ParseProjectLine(lines[i], name, path)) {
      if (error) *error = "line " + std::to_string(i + 1) + ": malformed project line";
      return false;
    }
    const std::string joined = IsAbsolute(path) ? path : folder + "\\" + path;
    std::string full = FullWindowsPath(joined);
    if (full.empty()) {
      if (error) *error = "line " + std::to_string(i + 1) + ": project path cannot be resolved: " + path;
      return false;
    }
    found.push_back({std::move(name), std::move(full)});
  }
  projects = std::move(found);
  return true;
}

bool ParseProject(std::string_view text, ProjectFileInfo& info, std::string* error) {
  const std::vector<std::string_view> lines = Lines(text);
  std::optional<std::string> name;
  if (!lines.empty() && StartsWith(lines.front(), kProjectHeader))
    name = QuotedName(lines.front().substr(kProjectHeader.size()), "");
  if (!name) {
    if (error) *error = "not a project file: the first line is not \"# Microsoft Developer Studio Project File - Name=\"...\"\"";
    return false;
  }
  ProjectFileInfo result;
  result.name = std::move(*name);
  std::vector<std::string> fromNameLines;
  std::optional<std::string> cfg;
  std::optional<unsigned long> targetType;
  bool inHeader = true;
  for (std::string_view line : lines) {
    if (StartsWith(line, "# Begin Project")) inHeader = false;
    if (inHeader && !targetType && StartsWith(line, "# TARGTYPE ")) {
      targetType = TargetTypeCode(line);
    } else if (inHeader && StartsWith(line, "!MESSAGE ")) {
      if (auto configuration = QuotedName(line.substr(9), "(")) AddOnce(result.configurations, std::move(*configuration));
    } else if (inHeader && StartsWithNoCase(line, "CFG=") && !cfg) {
      std::string_view value = Trim(line.substr(4));
      if (const auto quoted = Quoted(value)) value = *quoted;
      if (!value.empty()) cfg = std::string(value);
    } else if (StartsWith(line, "# Name ")) {
      if (auto configuration = QuotedName(line.substr(7), "")) AddOnce(fromNameLines, std::move(*configuration));
    }
  }
  if (result.configurations.empty()) result.configurations = std::move(fromNameLines);
  if (result.configurations.empty() && cfg) result.configurations.push_back(*cfg);
  if (cfg && std::find(result.configurations.begin(), result.configurations.end(), *cfg) != result.configurations.end())
    result.defaultConfiguration = *cfg;
  result.type = targetType && (*targetType & 0xFF) == 0x0A ? kUtilityProjectType : DS_BUILD_PROJECT;
  info = std::move(result);
  return true;
}

bool ReadWorkspaceFile(const std::string& path, std::string& fullPath, std::vector<WorkspaceEntry>& projects,
                       std::string* error) {
  const std::string full = FullWindowsPath(path);
  std::string text;
  unsigned long code = 0;
  if (full.empty() || !ReadWholeFile(full, text, &code)) {
    if (error) *error = "cannot read the workspace " + path + " (error " + std::to_string(code) + ")";
    return false;
  }
  std::vector<WorkspaceEntry> entries;
  std::string problem;
  if (!ParseWorkspace(text, full.substr(0, full.find_last_of("\\/")), entries, &problem)) {
    if (error) *error = full + ": " + problem;
    return false;
  }
  fullPath = full;
  projects = std::move(entries);
  return true;
}

}  // namespace msdev
