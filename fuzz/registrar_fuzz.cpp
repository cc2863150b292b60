// Registration scripts (.rgs text), run by the registrar (CRegObject) on an empty registry. A
// script refused is DISP_E_EXCEPTION with "script line <n>: ..." as the thread's error info, n a
// line of the script, and the registry exported before and after is the same. A script accepted
// registers and unregisters with S_OK; afterwards no key is left but the script's NoRemove keys
// and the keys above them, the NoRemove keys have lost the values the script gave them, and a
// second unregistration succeeds and makes nothing. (A script that would remove a key every
// registry has, HKLM\SOFTWARE or HKEY_CLASSES_ROOT's key, fails there with access denied.) No key
// handle stays open either way.
#include <objbase.h>
#include <oleauto.h>
#include <statreg.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "harness.h"
#include "sandbox/sandbox.h"

namespace {

// The replacement a module's scripts are given: its path, with a blank and a quote. A name cannot
// hold it (it holds backslashes), so in the names of a script accepted "%%" is the only one.
const char kModule[] = "F:\\Server Dir\\Bob's.dll";

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::u16string Wide(const std::string& text) {
  std::u16string out(text.size() + 1, u'\0');
  const int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out.data(), static_cast<int>(out.size()));
  out.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
  return out;
}

std::string Ansi(const char16_t* text) {
  if (text == nullptr) return "";
  const int n = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 1), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), n, nullptr, nullptr);
  out.resize(out.size() - 1);
  return out;
}

// The input's bytes, read through the file stand-in as a module reads a file.
std::string ReadInput(const std::string& path) {
  const HANDLE file = ::CreateFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  fuzz::Check(file != INVALID_HANDLE_VALUE, "the input does not open");
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, NULL) && read > 0) bytes.append(buffer, read);
  ::CloseHandle(file);
  return bytes;
}

// --- The registry as a whole, read through the API (key names may hold what an export cannot) --

struct Snapshot {
  std::set<std::string> keys;                                   // full paths, lower-cased
  std::map<std::string, std::set<std::string>> values;          // key -> lower-cased value names
  bool operator==(const Snapshot&) const = default;
};

void Walk(HKEY key, const std::string& path, Snapshot& snapshot) {
  snapshot.keys.insert(Lower(path));
  std::vector<char> name(1 << 16);
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(name.size());
    if (::RegEnumValue(key, index, name.data(), &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
    snapshot.values[Lower(path)].insert(Lower(std::string(name.data(), length)));
  }
  std::vector<std::string> children;
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(name.size());
    if (::RegEnumKeyEx(key, index, name.data(), &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
    children.emplace_back(name.data(), length);
  }
  for (const std::string& child : children) {
    HKEY sub = NULL;
    fuzz::Check(::RegOpenKeyEx(key, child.c_str(), 0, KEY_READ, &sub) == ERROR_SUCCESS, "a listed key does not open");
    Walk(sub, path + "\\" + child, snapshot);
    ::RegCloseKey(sub);
  }
}

Snapshot Take() {
  Snapshot snapshot;
  Walk(HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", snapshot);
  Walk(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", snapshot);
  Walk(HKEY_USERS, "HKEY_USERS", snapshot);
  return snapshot;
}

// --- The NoRemove keys of a script the registrar accepted ---------------------------------------
// A reading of the language just deep enough to name each key with its kind; it is only given
// scripts that parsed, so it checks nothing of their form.

struct Token {
  std::string text;
  bool quoted = false;
};

// A name with its replacements made: each "%%" a percent sign.
std::string Replaced(const std::string& raw) {
  std::string out;
  for (size_t i = 0; i < raw.size(); ++i) {
    out += raw[i];
    if (raw[i] == '%') ++i;
  }
  return out;
}

std::vector<Token> Tokens(const std::string& text) {
  std::vector<Token> tokens;
  const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  size_t at = 0;
  for (;;) {
    while (at < text.size() && space(text[at])) ++at;
    if (at >= text.size()) return tokens;
    Token token;
    std::string raw;
    if (text[at] == '\'') {
      token.quoted = true;
      for (++at; at < text.size(); ++at) {
        if (text[at] != '\'') {
          raw += text[at];
        } else if (at + 1 < text.size() && text[at + 1] == '\'') {
          raw += '\'';
          ++at;
        } else {
          ++at;
          break;
        }
      }
    } else {
      while (at < text.size() && !space(text[at])) raw += text[at++];
    }
    token.text = (!token.quoted && (raw == "{" || raw == "}" || raw == "=")) ? raw : Replaced(raw);
    tokens.push_back(token);
  }
}

struct Keys {
  std::set<std::string> kept;                              // the NoRemove keys and the keys above them
  std::set<std::pair<std::string, std::string>> values;    // the values given to NoRemove keys
  std::set<std::string> removed;                           // the other keys, which unregistering removes
};

class ScriptKeys {
 public:
  explicit ScriptKeys(const std::string& text) : tokens_(Tokens(text)) {
    while (at_ < tokens_.size()) {
      const std::string root = Lower(tokens_[at_++].text);
      std::string path = root == "hkcr" || root == "hkey_classes_root" ? "hkey_local_machine\\software\\classes"
                         : root == "hkcu"                              ? "hkey_current_user"
                         : root == "hklm"                              ? "hkey_local_machine"
                         : root == "hku"                               ? "hkey_users"
                                                                       : root;
      Block(path, false);
    }
  }
  const Keys& Result() const { return result_; }

 private:
  bool Is(const char* word) const {
    return at_ < tokens_.size() && !tokens_[at_].quoted && tokens_[at_].text == word;
  }

  void Block(const std::string& path, bool noRemove) {
    ++at_;  // "{"
    while (at_ < tokens_.size() && !Is("}")) {
      const std::string keyword = tokens_[at_].quoted ? "" : Lower(tokens_[at_].text);
      if (keyword == "val") {
        const std::string name = tokens_[at_ + 1].text;
        at_ += 5;  // val name = type value
        if (noRemove) result_.values.insert({path, Lower(name)});
        continue;
      }
      bool kept = false;
      if (keyword == "noremove" || keyword == "forceremove") {
        kept = keyword == "noremove";
        ++at_;
      }
      const std::string key = path + "\\" + Lower(tokens_[at_++].text);
      if (kept) {
        for (size_t slash = key.find('\\'); slash != std::string::npos; slash = key.find('\\', slash + 1))
          result_.kept.insert(key.substr(0, slash));
        result_.kept.insert(key);
      } else {
        result_.removed.insert(key);
      }
      if (Is("=")) at_ += 3;  // = type value
      if (Is("{")) Block(key, kept);
    }
    ++at_;  // "}"
  }

  std::vector<Token> tokens_;
  size_t at_ = 0;
  Keys result_;
};

std::string Describe(const std::set<std::string>& keys) {
  std::string text;
  for (const std::string& key : keys) text += "\n  " + key;
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Initialise();
  static const bool apartment = ::CoInitialize(NULL) == S_OK;
  fuzz::Check(apartment, "no apartment");
  sandbox::RegistryClear();
  sandbox::ClearDebugOutput();
  const Snapshot empty = Take();
  const std::string exported = sandbox::RegistryExport();

  const std::string path = fuzz::PutInput("Input.rgs", data, size);
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::u16string script = Wide(ReadInput(path));
  // The registrar is given the text up to its first NUL, as a resource's text reaches it.
  script.resize(std::char_traits<char16_t>::length(script.c_str()));

  CRegObject registrar;
  registrar.AddReplacement(u"MODULE", Wide(kModule).c_str());
  ::SetErrorInfo(0, NULL);
  const HRESULT registered = registrar.StringRegister(script.c_str());
  fuzz::Check(sandbox::RegistryOpenHandles() == 0, "registering left a key handle open");
  if (registered == DISP_E_EXCEPTION) {
    fuzz::Check(sandbox::RegistryExport() == exported, "a refused script wrote to the registry");
    IErrorInfo* info = NULL;
    fuzz::Check(::GetErrorInfo(0, &info) == S_OK && info != NULL, "a refused script left no error info");
    BSTR description = NULL;
    info->GetDescription(&description);
    const std::string said = Ansi(description);
    ::SysFreeString(description);
    info->Release();
    const std::string text = Ansi(script.c_str());
    size_t lines = 1;
    for (char c : text) lines += c == '\n';
    int line = 0;
    fuzz::Check(said.rfind("script line ", 0) == 0 && std::sscanf(said.c_str(), "script line %d: ", &line) == 1 &&
                    line >= 1 && static_cast<size_t>(line) <= lines && said.find(": ") != std::string::npos,
                "a refusal that does not name a line of the script: " + said);
    fuzz::Check(registrar.StringUnregister(script.c_str()) == DISP_E_EXCEPTION &&
                    sandbox::RegistryExport() == exported,
                "a refused script was unregistered");
  } else {
    const Keys keys = ScriptKeys(Ansi(script.c_str())).Result();
    // The keys every registry has (HKLM\SOFTWARE and HKEY_CLASSES_ROOT's key) cannot be removed:
    // a script that would remove one fails there, with what it did before it kept.
    bool permanent = false;
    for (const std::string& key : keys.removed) permanent = permanent || empty.keys.count(key) != 0;
    const auto documented = [&](HRESULT result, const char* what) {
      fuzz::Check(result == S_OK || (permanent && result == HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)),
                  std::string(what) + " answers " + std::to_string(result));
      return result == S_OK;
    };
    if (documented(registered, "registering") &&
        documented(registrar.StringUnregister(script.c_str()), "unregistering")) {
      const Snapshot after = Take();
      std::set<std::string> left;
      for (const std::string& key : after.keys)
        if (empty.keys.count(key) == 0 && keys.kept.count(key) == 0) left.insert(key);
      fuzz::Check(left.empty(), "unregistering left keys that are not NoRemove:" + Describe(left));
      for (const auto& [key, name] : keys.values) {
        const auto values = after.values.find(key);
        fuzz::Check(values == after.values.end() || values->second.count(name) == 0,
                    "unregistering left the value " + name + " of the NoRemove key " + key);
      }
      // Again: nothing is missing, nothing comes back. (A key the script names twice, plain and
      // NoRemove, may go only now: the plain entry found the other's keys below it the first time.)
      fuzz::Check(registrar.StringUnregister(script.c_str()) == S_OK, "a second unregistration fails");
      const Snapshot again = Take();
      fuzz::Check(std::includes(after.keys.begin(), after.keys.end(), again.keys.begin(), again.keys.end()),
                  "a second unregistration made keys");
    }
  }
  fuzz::Check(sandbox::RegistryOpenHandles() == 0, "a key handle was left open");
  fuzz::CheckNoHandles();
  fuzz::Check(fuzz::DiskBytes(path) == input, "the script's file changed");
  return 0;
}
