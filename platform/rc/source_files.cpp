// Search order of the names in a script, and reading from the host disk with the case-insensitive
// fallback (the first match in byte order when several names differ only in case).
#include "source_files.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <system_error>

namespace rc {
namespace fs = std::filesystem;
namespace {

bool EqualsNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The host path of `path` with each missing component replaced by a case-insensitive match.
std::optional<fs::path> FindNoCase(const fs::path& path) {
  std::error_code ec;
  if (fs::exists(path, ec)) return path;
  fs::path current = path.is_absolute() ? path.root_path() : fs::path(".");
  for (const fs::path& part : path.relative_path()) {
    fs::path exact = current / part;
    if (fs::exists(exact, ec)) {
      current = exact;
      continue;
    }
    std::vector<std::string> matches;
    for (fs::directory_iterator it(current, ec), end; !ec && it != end; it.increment(ec))
      if (EqualsNoCase(it->path().filename().string(), part.string())) matches.push_back(it->path().filename().string());
    if (matches.empty()) return std::nullopt;
    std::sort(matches.begin(), matches.end());
    current /= matches.front();
  }
  return path.is_absolute() ? current : current.lexically_normal();
}

}  // namespace

std::optional<std::string> ReadHostFile(const fs::path& path) {
  const std::optional<fs::path> found = FindNoCase(path);
  std::error_code ec;
  if (!found || !fs::is_regular_file(*found, ec)) return std::nullopt;
  std::ifstream in(*found, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

SourceFiles::SourceFiles(FileReader reader, std::vector<fs::path> includeDirs)
    : reader_(reader ? std::move(reader) : FileReader(ReadHostFile)), includeDirs_(std::move(includeDirs)) {}

std::optional<OpenedFile> SourceFiles::Read(const fs::path& path) {
  std::optional<std::string> bytes = reader_(path);
  if (!bytes) return std::nullopt;
  if (std::find(dependencies_.begin(), dependencies_.end(), path) == dependencies_.end()) dependencies_.push_back(path);
  return OpenedFile{path, std::move(*bytes)};
}

std::optional<OpenedFile> SourceFiles::OpenMain(const fs::path& path) {
  mainDir_ = path.parent_path();
  return Read(path);
}

std::optional<OpenedFile> SourceFiles::Open(std::string_view name, const fs::path& namingFile, bool besideFirst) {
  std::string hostName(name);
  std::replace(hostName.begin(), hostName.end(), '\\', '/');
  const fs::path relative(hostName);
  if (relative.is_absolute()) return Read(relative);
  std::vector<fs::path> candidates;
  if (besideFirst) {
    candidates.push_back(namingFile.parent_path() / relative);
    candidates.push_back(mainDir_ / relative);
  }
  for (const fs::path& dir : includeDirs_) candidates.push_back(dir / relative);
  for (const fs::path& candidate : candidates)
    if (auto file = Read(candidate.lexically_normal())) return file;
  return std::nullopt;
}

}  // namespace rc
