#include "uir_text.h"

#include <cctype>
#include <string_view>

namespace wycrte {
namespace {

constexpr std::string_view kHeader = "WycUIR 1";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view line) {
  while (!line.empty() && (IsBlank(line.front()))) line.remove_prefix(1);
  while (!line.empty() && (IsBlank(line.back()) || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

bool IsIdentifier(std::string_view word) {
  if (word.empty() || std::isdigit(static_cast<unsigned char>(word.front()))) return false;
  for (char c : word)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  return true;
}

// Splits "Keyword [callback]": false when more than one word follows or it is no identifier.
bool Split(std::string_view line, std::string_view& keyword, std::string& callback) {
  size_t end = 0;
  while (end < line.size() && !IsBlank(line[end])) ++end;
  keyword = line.substr(0, end);
  std::string_view rest = Trimmed(line.substr(end));
  callback.clear();
  if (rest.empty()) return true;
  if (!IsIdentifier(rest)) return false;
  callback = rest;
  return true;
}

}  // namespace

UirFile ParseUir(const std::string& bytes) {
  UirFile file;
  bool headerSeen = false;
  UirObject* block = nullptr;
  bool blockIsPanel = false;
  size_t at = 0;
  while (at < bytes.size()) {
    size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    const std::string_view line = Trimmed(std::string_view(bytes).substr(at, end - at));
    at = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (!headerSeen) {
      if (line != kHeader) {
        file.malformed = true;
        return file;
      }
      headerSeen = true;
      continue;
    }
    std::string_view keyword;
    std::string callback;
    const bool wellFormed = Split(line, keyword, callback);
    if (keyword == "Panel" || keyword == "MenuBar") {
      blockIsPanel = keyword == "Panel";
      auto& list = blockIsPanel ? file.panels : file.menuBars;
      list.emplace_back();
      block = &list.back();
      block->callback = callback;
      block->malformed = !wellFormed;
      continue;
    }
    if (block == nullptr) {
      file.malformed = true;
      return file;
    }
    if (!wellFormed || keyword != (blockIsPanel ? "Control" : "Item")) {
      block->malformed = true;
      continue;
    }
    block->children.push_back(callback);
  }
  if (!headerSeen) file.malformed = true;
  return file;
}

}  // namespace wycrte
