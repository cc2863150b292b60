// The registrar's language and its run (registrar.h, statreg.h).
//
// Tokens are separated by white space (so "{", "}" and "=" stand apart from their neighbours, as
// the scripts are written); a token in single quotes may hold anything, '' standing for one
// quote. Replacements (%NAME%, %% for a percent sign) are made inside each token after it was
// cut out, so a replaced path holding a quote or a blank stays one name or value.
#include "registrar.h"

#include "ole32/class_keys.h"
#include "oleaut32/registry_tree.h"

#include <oleauto.h>

#include <optional>
#include <vector>

namespace atl {

bool NoCaseLess::operator()(const std::string& a, const std::string& b) const {
  return lstrcmpi(a.c_str(), b.c_str()) < 0;
}

namespace {

// --- The script as parsed -------------------------------------------------------------------

struct Value {
  DWORD type = REG_SZ;  // REG_SZ or REG_DWORD
  std::string text;
  DWORD number = 0;
};

struct Key {
  enum Kind { kPlain, kForceRemove, kNoRemove };
  Kind kind = kPlain;
  std::string name;
  std::optional<Value> defaultValue;
  std::vector<std::pair<std::string, Value>> values;  // the "val" lines, in order
  std::vector<Key> children;
};

struct Root {
  HKEY key;
  std::vector<Key> keys;
};

// --- Tokens ---------------------------------------------------------------------------------

struct Token {
  enum Kind { kWord, kQuoted, kOpen, kClose, kEquals, kEnd };
  Kind kind = kEnd;
  std::string text;
  int line = 0;
};

struct ParseError {
  int line;
  std::string what;
};

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

class Tokenizer {
 public:
  Tokenizer(std::string_view text, const Replacements& replacements) : text_(text), replacements_(replacements) {}

  Token Next() {
    SkipSpace();
    Token token;
    token.line = line_;
    if (pos_ >= text_.size()) return token;
    std::string raw;
    if (text_[pos_] == '\'') {
      ++pos_;
      for (;;) {
        if (pos_ >= text_.size()) throw ParseError{token.line, "a quoted text is not closed"};
        const char c = text_[pos_++];
        if (c == '\n') ++line_;
        if (c != '\'') {
          raw += c;
        } else if (pos_ < text_.size() && text_[pos_] == '\'') {
          raw += '\'';
          ++pos_;
        } else {
          break;
        }
      }
      if (pos_ < text_.size() && !IsSpace(text_[pos_]))
        throw ParseError{line_, "a closing quote must be followed by a blank or a line break"};
      token.kind = Token::kQuoted;
      token.text = Replace(raw, token.line);
      return token;
    }
    while (pos_ < text_.size() && !IsSpace(text_[pos_])) raw += text_[pos_++];
    token.text = raw;
    if (raw == "{") {
      token.kind = Token::kOpen;
    } else if (raw == "}") {
      token.kind = Token::kClose;
    } else if (raw == "=") {
      token.kind = Token::kEquals;
    } else {
      if (raw.find('\'') != std::string::npos)
        throw ParseError{token.line, "\"" + raw + "\" holds a quote: write the whole name in quotes"};
      token.kind = Token::kWord;
      token.text = Replace(raw, token.line);
    }
    return token;
  }

 private:
  void SkipSpace() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) {
      if (text_[pos_] == '\n') ++line_;
      ++pos_;
    }
  }

  std::string Replace(const std::string& raw, int line) const {
    std::string out;
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] != '%') {
        out += raw[i];
        continue;
      }
      const size_t close = raw.find('%', i + 1);
      if (close == std::string::npos) throw ParseError{line, "a % without its closing % (write %% for a percent sign)"};
      const std::string name = raw.substr(i + 1, close - i - 1);
      if (name.empty()) {
        out += '%';
      } else {
        const auto found = replacements_.find(name);
        if (found == replacements_.end()) throw ParseError{line, "%" + name + "% has no replacement"};
        out += found->second;
      }
      i = close;
    }
    return out;
  }

  std::string_view text_;
  const Replacements& replacements_;
  size_t pos_ = 0;
  int line_ = 1;
};

// --- The parser -----------------------------------------------------------------------------

class Parser {
 public:
  Parser(std::string_view text, const Replacements& replacements) : tokens_(text, replacements) { Advance(); }

  std::vector<Root> Script() {
    std::vector<Root> roots;
    while (current_.kind != Token::kEnd) {
      if (current_.kind != Token::kWord) throw Unexpected("a root key (HKCR, HKCU, HKLM or HKU)");
      const HKEY root = RootKey(current_.text);
      if (root == NULL)
        throw ParseError{current_.line, "\"" + current_.text + "\" is not a root key (HKCR, HKCU, HKLM or HKU)"};
      Advance();
      Root parsed{root, {}};
      Block(nullptr, parsed.keys);
      roots.push_back(std::move(parsed));
    }
    return roots;
  }

 private:
  static HKEY RootKey(const std::string& word) {
    const std::string name = Lower(word);
    if (name == "hkcr" || name == "hkey_classes_root") return HKEY_CLASSES_ROOT;
    if (name == "hkcu" || name == "hkey_current_user") return HKEY_CURRENT_USER;
    if (name == "hklm" || name == "hkey_local_machine") return HKEY_LOCAL_MACHINE;
    if (name == "hku" || name == "hkey_users") return HKEY_USERS;
    return NULL;
  }

  void Advance() { current_ = tokens_.Next(); }

  static std::string Describe(const Token& token) {
    switch (token.kind) {
      case Token::kEnd: return "the end of the script";
      case Token::kOpen: return "\"{\"";
      case Token::kClose: return "\"}\"";
      case Token::kEquals: return "\"=\"";
      case Token::kQuoted: return "'" + token.text + "'";
      case Token::kWord: return "\"" + token.text + "\"";
    }
    return "?";
  }

  ParseError Unexpected(const std::string& expected) const {
    return ParseError{current_.line, "expected " + expected + ", found " + Describe(current_)};
  }

  // "{" entries "}": the keys of a root (owner null) or of a key.
  void Block(Key* owner, std::vector<Key>& keys) {
    if (current_.kind != Token::kOpen) throw Unexpected("\"{\"");
    const int opened = current_.line;
    Advance();
    for (;;) {
      if (current_.kind == Token::kClose) {
        Advance();
        return;
      }
      if (current_.kind == Token::kEnd)
        throw ParseError{current_.line, "the block opened on line " + std::to_string(opened) + " is not closed"};
      Entry(owner, keys);
    }
  }

  void Entry(Key* owner, std::vector<Key>& keys) {
    const std::string keyword = current_.kind == Token::kWord ? Lower(current_.text) : std::string();
    if (keyword == "val") {
      const int line = current_.line;
      Advance();
      if (owner == nullptr) throw ParseError{line, "a value must stand inside a key"};
      std::string name = Name("a value name", /*allowEmpty=*/false);
      if (current_.kind != Token::kEquals) throw Unexpected("\"=\" after the value's name");
      Advance();
      owner->values.emplace_back(std::move(name), ParseValue());
      if (current_.kind == Token::kOpen) throw ParseError{current_.line, "a value has no keys below it"};
      return;
    }
    if (keyword == "delete")
      throw ParseError{current_.line, "\"Delete\" is not supported (keys are removed when the script unregisters)"};
    Key key;
    if (keyword == "forceremove" || keyword == "noremove") {
      key.kind = keyword == "forceremove" ? Key::kForceRemove : Key::kNoRemove;
      Advance();
    }
    key.name = Name("a key name", /*allowEmpty=*/false);
    if (current_.kind == Token::kEquals) {
      Advance();
      key.defaultValue = ParseValue();
    }
    if (current_.kind == Token::kOpen) Block(&key, key.children);
    keys.push_back(std::move(key));
  }

  std::string Name(const char* what, bool allowEmpty) {
    if (current_.kind != Token::kWord && current_.kind != Token::kQuoted) throw Unexpected(what);
    const Token token = current_;
    if (token.text.empty() && !allowEmpty) throw ParseError{token.line, std::string(what) + " is empty"};
    if (token.text.find('\\') != std::string::npos)
      throw ParseError{token.line, Describe(token) + " holds a backslash: write each key as an entry of its own"};
    Advance();
    return token.text;
  }

  // "s" 'text' or "d" number.
  Value ParseValue() {
    if (current_.kind != Token::kWord) throw Unexpected("a value type (s or d)");
    const std::string type = Lower(current_.text);
    const int line = current_.line;
    Advance();
    Value value;
    if (type == "s") {
      if (current_.kind != Token::kQuoted) throw Unexpected("a string in single quotes");
      value.text = current_.text;
    } else if (type == "d") {
      if (current_.kind != Token::kWord && current_.kind != Token::kQuoted) throw Unexpected("a number");
      value.type = REG_DWORD;
      value.number = Number(current_.text, current_.line);
    } else {
      throw ParseError{line, "\"" + type + "\" is not a value type (s for a string, d for a number)"};
    }
    Advance();
    return value;
  }

  static DWORD Number(const std::string& text, int line) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const size_t start = hex ? 2 : 0;
    unsigned long long value = 0;
    if (text.size() == start) throw ParseError{line, "\"" + text + "\" is not a number"};
    for (size_t i = start; i < text.size(); ++i) {
      const char c = text[i];
      int digit;
      if (c >= '0' && c <= '9')
        digit = c - '0';
      else if (hex && c >= 'a' && c <= 'f')
        digit = c - 'a' + 10;
      else if (hex && c >= 'A' && c <= 'F')
        digit = c - 'A' + 10;
      else
        throw ParseError{line, "\"" + text + "\" is not a number"};
      value = value * (hex ? 16 : 10) + static_cast<unsigned long long>(digit);
      if (value > 0xFFFFFFFFull) throw ParseError{line, "\"" + text + "\" does not fit in 32 bits"};
    }
    return static_cast<DWORD>(value);
  }

  Tokenizer tokens_;
  Token current_;
};

// --- The run --------------------------------------------------------------------------------

HRESULT FromStatus(LONG status) { return HRESULT_FROM_WIN32(static_cast<uint32_t>(status)); }

LONG SetValue(HKEY key, const std::string& name, const Value& value) {
  if (value.type == REG_DWORD)
    return RegSetValueEx(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value.number),
                         sizeof value.number);
  return RegSetValueEx(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text.c_str()),
                       static_cast<DWORD>(value.text.size() + 1));
}

LONG RegisterKey(HKEY parent, const Key& entry) {
  if (entry.kind == Key::kForceRemove)
    if (const LONG status = oleaut32::DeleteRegistryTree(parent, entry.name)) return status;
  HKEY key = NULL;
  LONG status = RegCreateKeyEx(parent, entry.name.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
  if (status != ERROR_SUCCESS) return status;
  if (entry.defaultValue) status = SetValue(key, "", *entry.defaultValue);
  for (size_t i = 0; status == ERROR_SUCCESS && i < entry.values.size(); ++i)
    status = SetValue(key, entry.values[i].first, entry.values[i].second);
  for (size_t i = 0; status == ERROR_SUCCESS && i < entry.children.size(); ++i)
    status = RegisterKey(key, entry.children[i]);
  RegCloseKey(key);
  return status;
}

bool HasSubkeys(HKEY parent, const std::string& name) {
  HKEY key = NULL;
  if (RegOpenKeyEx(parent, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  char child[256];
  DWORD length = sizeof child;
  const bool any = RegEnumKeyEx(key, 0, child, &length, NULL, NULL, NULL, NULL) != ERROR_NO_MORE_ITEMS;
  RegCloseKey(key);
  return any;
}

// A ForceRemove key goes with everything below it; a plain key loses the script's keys below it
// and then goes unless keys of others remain; a NoRemove key stays and loses only the script's
// keys and values below it. What is not there is no failure.
LONG UnregisterKey(HKEY parent, const Key& entry) {
  if (entry.kind == Key::kForceRemove) return oleaut32::DeleteRegistryTree(parent, entry.name);
  HKEY key = NULL;
  LONG status = RegOpenKeyEx(parent, entry.name.c_str(), 0, KEY_READ | KEY_WRITE, &key);
  if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (status != ERROR_SUCCESS) return status;
  for (size_t i = 0; status == ERROR_SUCCESS && i < entry.children.size(); ++i)
    status = UnregisterKey(key, entry.children[i]);
  if (entry.kind == Key::kNoRemove) {
    for (size_t i = 0; status == ERROR_SUCCESS && i < entry.values.size(); ++i) {
      const LONG deleted = RegDeleteValue(key, entry.values[i].first.c_str());
      if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) status = deleted;
    }
  }
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || entry.kind == Key::kNoRemove || HasSubkeys(parent, entry.name)) return status;
  return RegDeleteKey(parent, entry.name.c_str());
}

std::vector<Root> Parse(std::string_view script, const Replacements& replacements, std::string& error) {
  try {
    Parser parser(script.substr(0, script.find('\0')), replacements);
    return parser.Script();
  } catch (const ParseError& e) {
    error = "line " + std::to_string(e.line) + ": " + e.what;
    return {};
  }
}

// The parse error as the thread's error info, for the caller of DllRegisterServer to show.
void LeaveErrorInfo(const std::string& message) {
  ICreateErrorInfo* create = NULL;
  if (FAILED(CreateErrorInfo(&create))) return;
  std::u16string wide = ole32::ToWide(message);
  create->SetDescription(wide.data());
  create->SetSource(const_cast<LPOLESTR>(u"ATL Registrar"));
  IErrorInfo* info = NULL;
  if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
    SetErrorInfo(0, info);
    info->Release();
  }
  create->Release();
}

}  // namespace

HRESULT RunScript(std::string_view script, const Replacements& replacements, bool registering,
                  const std::string& source) {
  std::string error;
  const std::vector<Root> roots = Parse(script, replacements, error);
  if (!error.empty()) {
    const std::string message = source + " " + error;
    OutputDebugString(("Registrar: " + message).c_str());
    LeaveErrorInfo(message);
    return DISP_E_EXCEPTION;
  }
  for (const Root& root : roots) {
    for (const Key& key : root.keys) {
      const LONG status = registering ? RegisterKey(root.key, key) : UnregisterKey(root.key, key);
      if (status != ERROR_SUCCESS) return FromStatus(status);
    }
  }
  return S_OK;
}

}  // namespace atl
