// Line-by-line preprocessing. Comment state carries across lines; string state does not (an rc
// string never spans lines), and within a string a double-byte character is kept whole so that a
// trail byte never reads as a backslash, a quote or a slash.
#include "preprocessor.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

#include "codepage.h"
#include "expression.h"

namespace rc {
namespace fs = std::filesystem;
namespace {

struct Macro {
  std::string body;
  bool functionLike = false;
  unsigned codePage = 1252;
  Location definedAt;
};

struct Conditional {
  bool active;        // lines of the current branch are read
  bool taken;         // some branch of this #if was (or, inside a skipped block, must not be) taken
  bool sawElse = false;
  Location where;
};

bool IsHeaderName(const fs::path& path) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext == ".h" || ext == ".hh" || ext == ".hpp" || ext == ".hxx" || ext == ".inl";
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::string StripComments(const std::string& line, bool& inComment, unsigned codePage) {
  std::string out;
  bool inString = false;
  for (size_t i = 0; i < line.size();) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if (inComment) {
      const size_t close = line.find("*/", i);
      if (close == std::string::npos) break;
      inComment = false;
      out += ' ';
      i = close + 2;
    } else if (inString) {
      const size_t width = (IsLeadByte(codePage, c) || c == '\\') && i + 1 < line.size() ? 2 : 1;
      if (c == '"') inString = false;
      out += line.substr(i, width);
      i += width;
    } else if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') {
      break;
    } else if (c == '/' && i + 1 < line.size() && line[i + 1] == '*') {
      inComment = true;
      i += 2;
    } else {
      if (c == '"') inString = true;
      out += static_cast<char>(c);
      ++i;
    }
  }
  return out;
}

std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return std::string(s.substr(b, e - b));
}

// Splits "name rest" at the end of the leading identifier.
std::pair<std::string, std::string> SplitIdentifier(const std::string& s) {
  size_t i = 0;
  while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '_')) ++i;
  return {s.substr(0, i), s.substr(i)};
}

class Preprocessor {
 public:
  Preprocessor(SourceFiles& files, const std::vector<std::pair<std::string, std::string>>& defines) : files_(files) {
    macros_["RC_INVOKED"] = Macro{"1", false, 1252, {"<built-in>", 0}};
    macros_["_WIN32"] = Macro{"1", false, 1252, {"<built-in>", 0}};
    for (const auto& [name, value] : defines) macros_[name] = Macro{value, false, 1252, {"<command line>", 0}};
  }

  PreprocessedScript Run(const fs::path& script) {
    std::optional<OpenedFile> main = files_.OpenMain(script);
    if (!main) throw Error({script.string(), 0}, "cannot open resource script");
    const int lines = ProcessFile(*main, /*header=*/false);
    return PreprocessedScript{std::move(out_), Location{main->path.string(), lines + 1}};
  }

 private:
  // Returns the number of lines read.
  int ProcessFile(const OpenedFile& file, bool header) {
    if (includeDepth_ > 32) throw Error({file.path.string(), 0}, "#include nested too deeply");
    const std::string display = file.path.string();
    std::string_view text = file.bytes;
    if (text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF")
      throw Error({display, 1}, "UTF-16 files are not supported; save the file in its code page");
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {  // a UTF-8 signature says what the code page is
      text.remove_prefix(3);
      codePage_ = 65001;
    }
    const std::vector<std::string> lines = SplitLines(std::string(text));
    std::vector<Conditional> conds;
    bool inComment = false;
    for (size_t i = 0; i < lines.size(); ++i) {
      const Location where{display, static_cast<int>(i + 1)};
      std::string line = StripComments(lines[i], inComment, codePage_);
      const std::string trimmed = Trim(line);
      if (!trimmed.empty() && trimmed[0] == '#') {
        std::string directive = trimmed;
        while (!directive.empty() && directive.back() == '\\' && i + 1 < lines.size()) {
          directive.pop_back();
          directive += StripComments(lines[++i], inComment, codePage_);
        }
        Directive(Trim(std::string_view(directive).substr(1)), where, file, header, conds);
        continue;
      }
      if (header || !Active(conds)) continue;
      ExpandInto(Tokenize(line, where, codePage_), out_, {});
    }
    if (!conds.empty()) throw Error(conds.back().where, "#if without #endif");
    if (inComment) throw Error({display, static_cast<int>(lines.size())}, "unterminated comment");
    return static_cast<int>(lines.size());
  }

  static bool Active(const std::vector<Conditional>& conds) { return conds.empty() || conds.back().active; }

  void Directive(const std::string& text, const Location& where, const OpenedFile& file, bool header,
                 std::vector<Conditional>& conds) {
    auto [name, restRaw] = SplitIdentifier(text);
    const std::string rest = Trim(restRaw);
    if (name == "if" || name == "ifdef" || name == "ifndef") {
      if (!Active(conds)) {
        conds.push_back({false, true, false, where});
        return;
      }
      const bool value = name == "if" ? Condition(rest, where) : Defined(rest, where, "#" + name) == (name == "ifdef");
      conds.push_back({value, value, false, where});
      return;
    }
    if (name == "elif" || name == "else") {
      if (conds.empty()) throw Error(where, "#" + name + " without #if");
      Conditional& c = conds.back();
      if (c.sawElse) throw Error(where, "#" + name + " after #else");
      const bool parentActive = conds.size() < 2 || conds[conds.size() - 2].active;
      if (name == "else") c.sawElse = true;
      if (c.taken || !parentActive) {
        c.active = false;
        return;
      }
      c.active = name == "else" || Condition(rest, where);
      c.taken = c.active;
      return;
    }
    if (name == "endif") {
      if (conds.empty()) throw Error(where, "#endif without #if");
      conds.pop_back();
      return;
    }
    if (!Active(conds)) return;
    if (name.empty() && rest.empty()) return;  // the null directive
    if (name == "define") return Define(rest, where);
    if (name == "undef") {
      macros_.erase(RequireIdentifier(rest, where, "#undef"));
      return;
    }
    if (name == "include") return Include(rest, where, file);
    if (name == "pragma") return Pragma(rest, where, header);
    if (name == "error") throw Error(where, "#error " + rest);
    if (header) return;  // other directives of C headers mean nothing to resources
    throw Error(where, "unknown directive #" + (name.empty() ? rest : name));
  }

  static std::string RequireIdentifier(const std::string& rest, const Location& where, const std::string& directive) {
    auto [id, after] = SplitIdentifier(rest);
    if (id.empty() || std::isdigit(static_cast<unsigned char>(id[0])) || !Trim(after).empty())
      throw Error(where, directive + " expects one identifier");
    return id;
  }

  bool Defined(const std::string& rest, const Location& where, const std::string& directive) {
    return macros_.count(RequireIdentifier(rest, where, directive)) != 0;
  }

  bool Condition(const std::string& text, const Location& where) {
    const std::vector<Token> raw = Tokenize(text, where, codePage_);
    std::vector<Token> resolved;
    for (size_t i = 0; i < raw.size(); ++i) {
      if (!raw[i].Is(TokenKind::Identifier, "defined")) {
        resolved.push_back(raw[i]);
        continue;
      }
      const bool paren = i + 1 < raw.size() && raw[i + 1].IsPunct("(");
      const size_t nameAt = i + (paren ? 2 : 1);
      if (nameAt >= raw.size() || raw[nameAt].kind != TokenKind::Identifier ||
          (paren && (nameAt + 1 >= raw.size() || !raw[nameAt + 1].IsPunct(")"))))
        throw Error(where, "malformed defined() in #if");
      Token value = raw[i];
      value.kind = TokenKind::Number;
      value.number = macros_.count(raw[nameAt].text) ? 1 : 0;
      value.text = std::to_string(value.number);
      resolved.push_back(value);
      i = nameAt + (paren ? 1 : 0);
    }
    std::vector<Token> expanded;
    ExpandInto(resolved, expanded, {});
    if (expanded.empty()) throw Error(where, "#if with no expression");
    TokenCursor cursor(expanded, where);
    const int64_t value = EvaluateExpression(cursor, UndefinedSymbols::AreZero);
    if (!cursor.AtEnd()) throw Error(where, "unexpected '" + cursor.Peek()->text + "' in #if");
    return value != 0;
  }

  void Define(const std::string& rest, const Location& where) {
    auto [name, after] = SplitIdentifier(rest);
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) throw Error(where, "#define expects a name");
    Macro m;
    m.functionLike = !after.empty() && after[0] == '(';
    m.body = Trim(after);
    m.codePage = codePage_;
    m.definedAt = where;
    macros_[name] = std::move(m);
  }

  void Include(const std::string& rest, const Location& where, const OpenedFile& from) {
    if (rest.size() < 2 || !((rest.front() == '"' && rest.back() == '"') || (rest.front() == '<' && rest.back() == '>')))
      throw Error(where, "#include expects \"file\" or <file>");
    const std::string name = rest.substr(1, rest.size() - 2);
    std::optional<OpenedFile> file = files_.Open(name, from.path, rest.front() == '"');
    if (!file) throw Error(where, "cannot open include file '" + name + "'");
    ++includeDepth_;
    ProcessFile(*file, IsHeaderName(file->path));
    --includeDepth_;
  }

  void Pragma(const std::string& rest, const Location& where, bool header) {
    const std::vector<Token> t = Tokenize(rest, where, codePage_);
    if (!t.empty() && t[0].Is(TokenKind::Identifier, "code_page")) {
      if (t.size() != 4 || !t[1].IsPunct("(") || !t[3].IsPunct(")") ||
          !(t[2].kind == TokenKind::Number || t[2].IsKeyword("DEFAULT")))
        throw Error(where, "malformed #pragma code_page");
      const unsigned codePage = t[2].kind == TokenKind::Number ? static_cast<unsigned>(t[2].number) : 1252;
      if (!IsSupportedCodePage(codePage))
        throw Error(where, "unsupported code page " + std::to_string(codePage) + " (1252, 932 and 65001 are)");
      codePage_ = codePage;
      return;
    }
    if (header) return;  // #pragma once and the like
    throw Error(where, "unknown #pragma " + rest);
  }

  void ExpandInto(const std::vector<Token>& in, std::vector<Token>& out, std::vector<std::string> expanding) {
    for (const Token& t : in) {
      auto m = t.kind == TokenKind::Identifier ? macros_.find(t.text) : macros_.end();
      if (m == macros_.end() || std::find(expanding.begin(), expanding.end(), t.text) != expanding.end()) {
        out.push_back(t);
        continue;
      }
      const Macro& macro = m->second;
      const std::string origin = macro.definedAt.file + ":" + std::to_string(macro.definedAt.line);
      if (macro.functionLike) throw Error(t.where, "function-like macro " + t.text + " is not supported");
      std::vector<Token> body;
      try {
        body = Tokenize(macro.body, t.where, macro.codePage);
      } catch (const Error& e) {
        throw Error(t.where, "in macro " + t.text + " (defined at " + origin + "): " + e.message());
      }
      expanding.push_back(t.text);
      ExpandInto(body, out, expanding);
      expanding.pop_back();
    }
  }

  SourceFiles& files_;
  std::map<std::string, Macro> macros_;
  unsigned codePage_ = 1252;
  int includeDepth_ = 0;
  std::vector<Token> out_;
};

}  // namespace

PreprocessedScript Preprocess(const fs::path& script, SourceFiles& files,
                              const std::vector<std::pair<std::string, std::string>>& defines) {
  return Preprocessor(files, defines).Run(script);
}

}  // namespace rc
