// Reading and writing type library descriptions (typelib_description.h).
#include "typelib_description.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace typelib {
namespace {

struct Error {
  std::string what;
};

bool IsHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

bool IsIdentifier(std::string_view text) {
  if (text.empty() || !(std::isalpha(static_cast<unsigned char>(text[0])) || text[0] == '_')) return false;
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; });
}

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" in upper case.
std::string Guid(std::string_view text) {
  constexpr int kGroups[5] = {8, 4, 4, 4, 12};
  bool ok = text.size() == 38 && text.front() == '{' && text.back() == '}';
  size_t pos = 1;
  for (int g = 0; ok && g < 5; ++g) {
    if (g > 0 && text[pos++] != '-') ok = false;
    for (int i = 0; ok && i < kGroups[g]; ++i) ok = IsHex(text[pos++]);
  }
  if (!ok) throw Error{"\"" + std::string(text) + "\" is not an identifier written {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}"};
  return Upper(std::string(text));
}

unsigned VersionPart(std::string_view text, std::string_view whole) {
  if (text.empty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    throw Error{"\"" + std::string(whole) + "\" is not a version <major>.<minor>"};
  const unsigned value = static_cast<unsigned>(std::stoul(std::string(text)));
  if (value > 0xFFFF) throw Error{"\"" + std::string(whole) + "\": a version number is at most 65535"};
  return value;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    if (pos >= line.size()) break;
    const size_t end = line.find_first_of(" \t", pos);
    words.push_back(line.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
    pos = end == std::string_view::npos ? line.size() : end;
  }
  return words;
}

std::string Name(std::string_view word, const char* what) {
  if (!IsIdentifier(word)) throw Error{"\"" + std::string(word) + "\" is not " + what + " (a C identifier)"};
  return std::string(word);
}

void Expect(const std::vector<std::string_view>& words, size_t count, const char* form) {
  if (words.size() != count) throw Error{std::string("expected \"") + form + "\""};
}

class Reader {
 public:
  void Line(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#') return;
    const std::vector<std::string_view> words = Words(line);
    const std::string_view keyword = words[0];
    if (keyword == "library") {
      if (seenLibrary_) throw Error{"a second library statement"};
      Expect(words, 4, "library <Name> {LIBID} <major>.<minor>");
      library_.name = Name(words[1], "a library name");
      library_.libid = Unique(Guid(words[2]));
      const size_t dot = words[3].find('.');
      if (dot == std::string_view::npos) throw Error{"\"" + std::string(words[3]) + "\" is not a version <major>.<minor>"};
      library_.major = VersionPart(words[3].substr(0, dot), words[3]);
      library_.minor = VersionPart(words[3].substr(dot + 1), words[3]);
      seenLibrary_ = true;
      Declared(library_.name);
      return;
    }
    if (!seenLibrary_) throw Error{"the description starts with \"library <Name> {LIBID} <major>.<minor>\""};
    if (keyword == "helpstring") {
      if (seenHelp_) throw Error{"a second helpstring"};
      const std::string_view rest = line.substr(line.find("helpstring") + 10);
      const size_t open = rest.find_first_not_of(" \t");
      const size_t close = rest.find_last_not_of(" \t");
      if (open == std::string_view::npos || open == close || rest[open] != '"' || rest[close] != '"' ||
          rest.substr(open + 1, close - open - 1).find('"') != std::string_view::npos)
        throw Error{"expected helpstring \"<text>\" (no double quote inside)"};
      library_.helpString = std::string(rest.substr(open + 1, close - open - 1));
      seenHelp_ = true;
    } else if (keyword == "importlib") {
      Expect(words, 2, "importlib <file>");
      library_.imports.emplace_back(words[1]);
    } else if (keyword == "dispinterface" || keyword == "dual") {
      Expect(words, 3, keyword == "dual" ? "dual <Name> {IID}" : "dispinterface <Name> {IID}");
      Interface declared;
      declared.kind = keyword == "dual" ? Interface::kDual : Interface::kDispatch;
      declared.name = Name(words[1], "an interface name");
      declared.iid = Unique(Guid(words[2]));
      Declared(declared.name);
      library_.interfaces.push_back(std::move(declared));
      current_ = kInInterface;
    } else if (keyword == "coclass") {
      Expect(words, 3, "coclass <Name> {CLSID}");
      CoClass declared;
      declared.name = Name(words[1], "a class name");
      declared.clsid = Unique(Guid(words[2]));
      Declared(declared.name);
      library_.coclasses.push_back(std::move(declared));
      current_ = kInClass;
    } else if (keyword == "method") {
      if (current_ != kInInterface) throw Error{"a method outside an interface"};
      Expect(words, 2, "method <Name>");
      Interface& owner = library_.interfaces.back();
      const std::string name = Name(words[1], "a method name");
      for (const std::string& other : owner.methods)
        if (Upper(other) == Upper(name)) throw Error{"the method " + name + " is listed twice in " + owner.name};
      owner.methods.push_back(name);
    } else if (keyword == "interface") {
      if (current_ != kInClass) throw Error{"an interface line outside a coclass"};
      Expect(words, 2, "interface <Name>");
      const std::string name = Name(words[1], "an interface name");
      const bool here = std::any_of(library_.interfaces.begin(), library_.interfaces.end(),
                                    [&](const Interface& i) { return i.name == name; });
      if (!here && library_.imports.empty())
        throw Error{"the interface " + name + " is neither declared in the library nor imported"};
      library_.coclasses.back().interfaces.push_back(name);
    } else {
      throw Error{"\"" + std::string(keyword) + "\" is not a statement of a type library description"};
    }
  }

  Library Finish() {
    if (!seenLibrary_) throw Error{"the description has no library statement"};
    return std::move(library_);
  }

 private:
  enum Place { kTop, kInInterface, kInClass };

  std::string Unique(std::string guid) {
    if (!guids_.insert(guid).second) throw Error{"the identifier " + guid + " is used twice"};
    return guid;
  }
  void Declared(const std::string& name) {
    if (!names_.insert(Upper(name)).second) throw Error{"the name " + name + " is declared twice"};
  }

  Library library_;
  bool seenLibrary_ = false;
  bool seenHelp_ = false;
  Place current_ = kTop;
  std::set<std::string> guids_;
  std::set<std::string> names_;
};

}  // namespace

bool Parse(std::string_view text, Library& library, std::string* error) {
  Reader reader;
  int number = 0;
  try {
    while (!text.empty()) {
      ++number;
      const size_t end = text.find('\n');
      std::string_view line = text.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      reader.Line(line);
      text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    library = reader.Finish();
    return true;
  } catch (const Error& e) {
    if (error) *error = (number > 0 ? "line " + std::to_string(number) + ": " : std::string()) + e.what;
    return false;
  }
}

std::string Write(const Library& library) {
  std::string out = "library " + library.name + " " + library.libid + " " + std::to_string(library.major) + "." +
                    std::to_string(library.minor) + "\n";
  if (!library.helpString.empty()) out += "helpstring \"" + library.helpString + "\"\n";
  for (const std::string& file : library.imports) out += "importlib " + file + "\n";
  for (const Interface& i : library.interfaces) {
    out += std::string(i.kind == Interface::kDual ? "dual " : "dispinterface ") + i.name + " " + i.iid + "\n";
    for (const std::string& method : i.methods) out += "  method " + method + "\n";
  }
  for (const CoClass& c : library.coclasses) {
    out += "coclass " + c.name + " " + c.clsid + "\n";
    for (const std::string& name : c.interfaces) out += "  interface " + name + "\n";
  }
  return out;
}

}  // namespace typelib
