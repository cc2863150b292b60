#include "preprocessed_script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>
#include <system_error>

#include "diagnostics.h"

namespace fs = std::filesystem;

namespace rc {
namespace {

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

bool ConsumeWord(std::string_view& s, std::string_view word) {
  s = TrimLeft(s);
  if (s.substr(0, word.size()) != word) return false;
  s.remove_prefix(word.size());
  return true;
}

bool EndsWithInsensitive(std::string_view s, std::string_view suffix) {
  if (s.size() < suffix.size()) return false;
  return std::equal(suffix.begin(), suffix.end(), s.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                    [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b)); });
}

// Where the lines come from, as clang's line markers say: `# 12 "file" flags` or `#line 12 "file"`.
struct Position {
  std::string file;
  int line = 1;
  bool InHeader() const { return EndsWithInsensitive(file, ".h") || EndsWithInsensitive(file, ".c"); }
};

// A line marker's quoted file name, with the escapes clang writes (\\ and \").
std::string MarkerFileName(std::string_view s) {
  std::string name;
  const size_t open = s.find('"');
  if (open == std::string_view::npos) return name;
  for (size_t i = open + 1; i < s.size() && s[i] != '"'; ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) ++i;
    name.push_back(s[i]);
  }
  return name;
}

// Handles one directive line (after its '#'): a line marker moves `next` (the position of the next
// line); a code-page pragma other than 1252 is refused.
void Directive(std::string_view rest, const Position& here, Position& next) {
  std::string_view s = rest;
  ConsumeWord(s, "line");
  s = TrimLeft(s);
  if (!s.empty() && std::isdigit(static_cast<unsigned char>(s.front()))) {
    int line = 0;
    std::from_chars(s.data(), s.data() + s.size(), line);
    next.line = line;
    if (s.find('"') != std::string_view::npos) next.file = MarkerFileName(s);
    return;
  }
  s = rest;
  if (!ConsumeWord(s, "pragma") || !ConsumeWord(s, "code_page") || !ConsumeWord(s, "(")) return;
  std::string page(TrimLeft(s).substr(0, TrimLeft(s).find(')')));
  while (!page.empty() && (page.back() == ' ' || page.back() == '\t')) page.pop_back();
  std::string upper = page;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper == "1252" || upper == "DEFAULT") return;
  throw Error(here.file, here.line,
              "#pragma code_page(" + page +
                  ") is not honoured: llvm-rc 14 reads the whole script as code page 1252; write other text "
                  "as wide strings with UTF-16 escapes (L\"\\x65e5\")");
}

// The quoted texts of a script line; "" inside quotes is a quote, as the script language has it.
std::vector<std::string> QuotedTexts(std::string_view line) {
  std::vector<std::string> texts;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '"') continue;
    std::string text;
    size_t j = i + 1;
    for (; j < line.size(); ++j) {
      if (line[j] != '"') {
        text.push_back(line[j]);
      } else if (j + 1 < line.size() && line[j + 1] == '"') {
        text.push_back('"');
        ++j;
      } else {
        break;
      }
    }
    if (j >= line.size()) break;  // not closed: llvm-rc refuses the line
    texts.push_back(std::move(text));
    i = j;
  }
  return texts;
}

bool IsRegularFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

// The file a quoted text names, found as llvm-rc looks for it, or an empty path.
fs::path FindNamedFile(const std::string& text, const std::vector<fs::path>& searchDirs) {
  constexpr size_t kLongestName = 1024;
  if (text.empty() || text.size() > kLongestName ||
      std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
    return {};
  const fs::path name(text);
  if (name.is_absolute()) return IsRegularFile(name) ? name.lexically_normal() : fs::path();
  for (const fs::path& dir : searchDirs) {
    const fs::path candidate = dir / name;
    if (IsRegularFile(candidate)) return fs::absolute(candidate).lexically_normal();
  }
  return {};
}

}  // namespace

std::vector<fs::path> ScanPreprocessedScript(std::string_view text, const std::vector<fs::path>& searchDirs) {
  std::vector<fs::path> files;
  Position next;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const Position here = next;
    ++next.line;
    const std::string_view trimmed = TrimLeft(line);
    if (!trimmed.empty() && trimmed.front() == '#') {
      Directive(trimmed.substr(1), here, next);
      continue;
    }
    if (here.InHeader()) continue;
    for (const std::string& quoted : QuotedTexts(line)) {
      const fs::path file = FindNamedFile(quoted, searchDirs);
      if (!file.empty() && std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
    }
  }
  return files;
}

}  // namespace rc
