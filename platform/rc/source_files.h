// Finding and reading the files a script names: #include'd headers and scripts, and the files
// that file-based resources embed. Names are written Windows-style (either separator) and are
// matched case-insensitively on the host when the exact name is absent, as the IDE's file system
// would match them.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rc {

// Returns the bytes of a file, or nullopt when there is no such file. The default reads the disk.
using FileReader = std::function<std::optional<std::string>(const std::filesystem::path&)>;
std::optional<std::string> ReadHostFile(const std::filesystem::path& path);

struct OpenedFile {
  std::filesystem::path path;
  std::string bytes;
};

class SourceFiles {
 public:
  SourceFiles(FileReader reader, std::vector<std::filesystem::path> includeDirs);

  // The main script.
  std::optional<OpenedFile> OpenMain(const std::filesystem::path& path);
  // A name written in the script: looked up beside the file that names it (unless `besideFirst`
  // is false, as for #include <...>), then beside the main script, then in the include folders.
  std::optional<OpenedFile> Open(std::string_view name, const std::filesystem::path& namingFile, bool besideFirst);
  // Every file read, in order, without repeats (for the build's dependency list).
  const std::vector<std::filesystem::path>& Dependencies() const { return dependencies_; }

 private:
  std::optional<OpenedFile> Read(const std::filesystem::path& path);

  FileReader reader_;
  std::vector<std::filesystem::path> includeDirs_;
  std::filesystem::path mainDir_;
  std::vector<std::filesystem::path> dependencies_;
};

}  // namespace rc
