#include "depfile.h"

namespace rc {
namespace {

std::string Escape(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == ' ' || c == '#' || c == '\\') out += '\\';
    if (c == '$') out += '$';
    out += c;
  }
  return out;
}

}  // namespace

std::vector<std::filesystem::path> ReadDepfile(std::string_view text) {
  std::vector<std::filesystem::path> deps;
  std::string word;
  bool afterColon = false;
  auto endWord = [&] {
    if (afterColon && !word.empty()) deps.emplace_back(word);
    word.clear();
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const char following = i + 1 < text.size() ? text[i + 1] : '\0';
    if (c == '\\' && (following == '\n' || following == '\r')) {
      endWord();
      ++i;
    } else if (c == '\\' && (following == ' ' || following == '#' || following == '\\')) {
      word += following;
      ++i;
    } else if (c == '$' && following == '$') {
      word += '$';
      ++i;
    } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      endWord();
    } else if (c == ':' && !afterColon && (following == ' ' || following == '\n' || following == '\0')) {
      afterColon = true;
      word.clear();
    } else {
      word += c;
    }
  }
  endWord();
  return deps;
}

std::string FormatDepfile(const std::filesystem::path& target, const std::vector<std::filesystem::path>& deps) {
  std::string out = Escape(target.string()) + ":";
  for (const std::filesystem::path& dep : deps) out += " \\\n  " + Escape(dep.string());
  return out + "\n";
}

}  // namespace rc
