// The template language and the NEWPROJ.INF list (template_language.h).
#include "template_language.h"

#include <windows.h>

#include <cctype>

namespace mfcapwz {
namespace {

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

// The length of a macro reference "$$name$$" at the start of `s`, 0 when there is none.
size_t MacroAt(std::string_view s) {
  if (s.substr(0, 2) != "$$") return 0;
  size_t end = 2;
  while (end < s.size() && IsNameChar(s[end])) ++end;
  if (end == 2 || s.substr(end, 2) != "$$") return 0;
  return end + 2;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

enum class Directive { kNone, kComment, kIf, kElif, kElse, kEndif, kUnknown };

// What a line is: text, or one of the directives (with its name for $$IF and $$ELIF). A line
// that starts with "$$" other than a macro reference is a directive, known or not.
Directive Classify(std::string_view line, std::string& name) {
  const std::string_view s = TrimBlanks(line);
  if (s.substr(0, 2) != "$$" || MacroAt(s) != 0) return Directive::kNone;
  if (s.substr(0, 4) == "$$//") return Directive::kComment;
  if (s == "$$ELSE") return Directive::kElse;
  if (s == "$$ENDIF") return Directive::kEndif;
  Directive kind;
  std::string_view rest;
  if (s.substr(0, 5) == "$$IF(") {
    kind = Directive::kIf;
    rest = s.substr(5);
  } else if (s.substr(0, 7) == "$$ELIF(") {
    kind = Directive::kElif;
    rest = s.substr(7);
  } else {
    return Directive::kUnknown;
  }
  size_t end = 0;
  while (end < rest.size() && IsNameChar(rest[end])) ++end;
  if (end == 0 || rest.substr(end) != ")") return Directive::kUnknown;
  name.assign(rest.substr(0, end));
  return kind;
}

// One open $$IF block.
struct Block {
  int line;          // of its $$IF
  bool outerActive;  // the lines around the block are written
  bool taken;        // one of its branches was true already
  bool active;       // the branch now open is written
  bool sawElse;
};

bool Has(const CMapStringToString& dictionary, const std::string& name) { return InDictionary(dictionary, name.c_str()); }

// The line with its macros replaced. "$$" that starts no reference stays as it is; a value is
// written as it is, "$$" and line breaks included.
void ExpandLine(std::string_view line, const CMapStringToString& dictionary, std::string& out) {
  size_t at = 0;
  while (at < line.size()) {
    const size_t mark = line.find("$$", at);
    if (mark == std::string_view::npos) {
      out.append(line.substr(at));
      return;
    }
    out.append(line.substr(at, mark - at));
    const size_t length = MacroAt(line.substr(mark));
    if (length == 0) {
      out.append("$$");
      at = mark + 2;
      continue;
    }
    CString value;
    if (dictionary.Lookup(std::string(line.substr(mark + 2, length - 4)).c_str(), value))
      out.append(static_cast<LPCTSTR>(value), static_cast<size_t>(value.GetLength()));
    at = mark + length;
  }
}

bool Refuse(TemplateError& error, int line, std::string what) {
  error.line = line;
  error.what = std::move(what);
  return false;
}

size_t Count(std::string_view s, char c) {
  size_t n = 0;
  for (char x : s) n += x == c;
  return n;
}

}  // namespace

bool ExpandTemplate(std::string_view text, const CMapStringToString& dictionary, std::string& out,
                    TemplateError& error, std::vector<int>* sourceLines) {
  std::string expanded;
  std::vector<int> lines;
  std::vector<Block> blocks;
  int number = 0;
  size_t at = 0;
  while (at < text.size()) {
    ++number;
    size_t end = text.find('\n', at);
    const bool broken = end != std::string_view::npos;
    if (!broken) end = text.size();
    std::string_view line = text.substr(at, end - at);
    at = broken ? end + 1 : end;
    if (broken && !line.empty() && line.back() == '\r') line.remove_suffix(1);

    const bool active = blocks.empty() || blocks.back().active;
    std::string name;
    switch (Classify(line, name)) {
      case Directive::kComment:
        continue;
      case Directive::kIf: {
        const bool truth = active && Has(dictionary, name);
        blocks.push_back({number, active, truth, truth, false});
        continue;
      }
      case Directive::kElif: {
        if (blocks.empty()) return Refuse(error, number, "$$ELIF without $$IF");
        Block& b = blocks.back();
        if (b.sawElse) return Refuse(error, number, "$$ELIF after $$ELSE");
        b.active = b.outerActive && !b.taken && Has(dictionary, name);
        b.taken = b.taken || b.active;
        continue;
      }
      case Directive::kElse: {
        if (blocks.empty()) return Refuse(error, number, "$$ELSE without $$IF");
        Block& b = blocks.back();
        if (b.sawElse) return Refuse(error, number, "a second $$ELSE");
        b.sawElse = true;
        b.active = b.outerActive && !b.taken;
        b.taken = true;
        continue;
      }
      case Directive::kEndif:
        if (blocks.empty()) return Refuse(error, number, "$$ENDIF without $$IF");
        blocks.pop_back();
        continue;
      case Directive::kUnknown:
        return Refuse(error, number, "unknown directive \"" + std::string(TrimBlanks(line)) + "\"");
      case Directive::kNone:
        break;
    }
    if (!active) continue;
    const size_t before = expanded.size();
    ExpandLine(line, dictionary, expanded);
    if (broken) expanded.push_back('\n');
    // Each output line this source line made (a value may hold line breaks).
    const size_t made = Count(std::string_view(expanded).substr(before), '\n') + (broken ? 0 : 1);
    lines.insert(lines.end(), made, number);
  }
  if (!blocks.empty()) return Refuse(error, blocks.back().line, "$$IF without $$ENDIF");
  out.append(expanded);
  if (sourceLines != nullptr) sourceLines->insert(sourceLines->end(), lines.begin(), lines.end());
  return true;
}

bool ParseNewProjectList(std::string_view expanded, const std::vector<int>& sourceLines,
                         std::vector<NewProjectFile>& files, TemplateError& error) {
  std::vector<NewProjectFile> parsed;
  size_t index = 0;
  for (size_t at = 0; at < expanded.size(); ++index) {
    size_t end = expanded.find('\n', at);
    if (end == std::string_view::npos) end = expanded.size();
    std::string_view line = expanded.substr(at, end - at);
    at = end + 1;
    const int number = index < sourceLines.size() ? sourceLines[index] : static_cast<int>(index) + 1;
    if (TrimBlanks(line).empty()) continue;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return Refuse(error, number, "no tab between the template and its file");
    NewProjectFile file;
    file.line = number;
    std::string_view name = TrimBlanks(line.substr(0, tab));
    for (;;) {
      if (!name.empty() && name.front() == '=' && !file.copy) {
        file.copy = true;
      } else if (!name.empty() && name.front() == ':' && !file.resource) {
        file.resource = true;
      } else {
        break;
      }
      name.remove_prefix(1);
    }
    file.templateName.assign(name);
    std::string path(TrimBlanks(line.substr(tab + 1)));
    for (char& c : path)
      if (c == '/') c = '\\';
    if (file.templateName.empty()) return Refuse(error, number, "no template named");
    if (path.empty()) return Refuse(error, number, "no file named for " + file.templateName);
    // Inside the project's folder: relative, without a drive, a root or a step up.
    bool inside = path.front() != '\\' && path.find(':') == std::string::npos;
    for (size_t part = 0; inside && part <= path.size();) {
      const size_t next = std::min(path.find('\\', part), path.size());
      const std::string_view piece = std::string_view(path).substr(part, next - part);
      inside = piece != "..";
      part = next + 1;
    }
    if (!inside) return Refuse(error, number, "the file \"" + path + "\" is not inside the project's folder");
    for (const NewProjectFile& earlier : parsed)
      if (lstrcmpi(earlier.file.c_str(), path.c_str()) == 0)
        return Refuse(error, number, "the file \"" + path + "\" is listed twice");
    file.file = std::move(path);
    parsed.push_back(std::move(file));
  }
  files.insert(files.end(), parsed.begin(), parsed.end());
  return true;
}

}  // namespace mfcapwz
