// Registry names: case-insensitive comparison (ASCII letters), sorted as upper case, and the two
// path syntaxes (API sub-keys, full regedit-style paths).
#include "registry_names.h"

#include <array>

namespace advapi32 {
namespace {

unsigned char FoldAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

struct RootName {
  std::string_view full;
  std::string_view shortName;
};
constexpr std::array<RootName, 4> kRoots{{
    {"HKEY_LOCAL_MACHINE", "HKLM"},
    {"HKEY_CURRENT_USER", "HKCU"},
    {"HKEY_CLASSES_ROOT", "HKCR"},
    {"HKEY_USERS", "HKU"},
}};

}  // namespace

int CompareNames(std::string_view a, std::string_view b) {
  // Bytes compared equal so far are identical whenever one of them was >= 0x80, so both strings
  // agree on which byte is a trail byte.
  bool trailByte = false;
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(a[i]);
    const auto cb = static_cast<unsigned char>(b[i]);
    const unsigned char fa = trailByte ? ca : FoldAscii(ca);
    const unsigned char fb = trailByte ? cb : FoldAscii(cb);
    if (fa != fb) return fa < fb ? -1 : 1;
    trailByte = !trailByte && ca >= 0x80;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool PathsEqual(const KeyPath& a, const KeyPath& b) { return a.size() == b.size() && PathIsWithin(a, b); }

bool PathIsWithin(const KeyPath& path, const KeyPath& ancestor) {
  if (path.size() < ancestor.size()) return false;
  for (size_t i = 0; i < ancestor.size(); ++i)
    if (!NamesEqual(path[i], ancestor[i])) return false;
  return true;
}

LONG SplitSubKey(const char* subKey, std::vector<std::string>& components) {
  components.clear();
  if (subKey == nullptr || *subKey == '\0') return ERROR_SUCCESS;
  std::string_view rest(subKey);
  if (rest.front() == '\\') return ERROR_BAD_PATHNAME;
  if (rest.back() == '\\') rest.remove_suffix(1);
  while (true) {
    const size_t cut = rest.find('\\');
    const std::string_view part = rest.substr(0, cut);
    if (part.empty()) {
      components.clear();
      return ERROR_BAD_PATHNAME;
    }
    components.emplace_back(part);
    if (cut == std::string_view::npos) return ERROR_SUCCESS;
    rest.remove_prefix(cut + 1);
  }
}

const KeyPath& ClassesRootTarget() {
  static const KeyPath target{"HKEY_LOCAL_MACHINE", "SOFTWARE", "Classes"};
  return target;
}

std::optional<KeyPath> ParseFullPath(std::string_view text, std::string* error, std::string* rootAlias) {
  auto fail = [&](std::string why) -> std::optional<KeyPath> {
    if (error) *error = std::move(why);
    return std::nullopt;
  };
  const size_t cut = text.find('\\');
  const std::string_view rootText = text.substr(0, cut);
  const RootName* root = nullptr;
  for (const RootName& r : kRoots)
    if (NamesEqual(rootText, r.full) || NamesEqual(rootText, r.shortName)) root = &r;
  if (root == nullptr) return fail("\"" + std::string(text) + "\" does not start with a registry root (HKEY_...)");
  if (rootAlias) *rootAlias = std::string(root->full);

  KeyPath path;
  if (root->full == "HKEY_CLASSES_ROOT")
    path = ClassesRootTarget();
  else
    path.emplace_back(root->full);
  if (cut == std::string_view::npos) return path;

  std::string_view rest = text.substr(cut + 1);
  while (true) {
    const size_t next = rest.find('\\');
    const std::string_view part = rest.substr(0, next);
    if (part.empty()) return fail("\"" + std::string(text) + "\" has an empty key name");
    path.emplace_back(part);
    if (next == std::string_view::npos) return path;
    rest.remove_prefix(next + 1);
  }
}

}  // namespace advapi32
