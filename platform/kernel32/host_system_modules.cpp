// System modules by their Windows names: the stand-ins are one per process and live beside
// kernel32, so "advapi32.dll" is found there whatever the search path says, and whether or not
// the process has mapped it already.
#include "host_system_modules.h"

#include <windows.h>

#include <filesystem>
#include <string_view>

#include "host_loader.h"

namespace kernel32::loader {
namespace {

// Windows' own modules that the platform folder stands in for.
constexpr std::string_view kSystemModules[] = {"advapi32", "comctl32", "gdi32",   "kernel32", "mfc42",
                                               "msvcrt",   "ole32",    "oleaut32", "shell32",  "user32"};

std::string StandInFolder() {
  static const std::string folder = [] {
    const std::optional<std::string> own = ModuleHostPath(ModuleContaining(reinterpret_cast<const void*>(&LoadLibrary)));
    return own ? std::filesystem::path(*own).parent_path().string() : std::string();
  }();
  return folder;
}

}  // namespace

std::optional<std::string> SystemModuleFile(const std::string& key) {
  for (std::string_view name : kSystemModules) {
    if (key != std::string(name) + ".dll") continue;
    const std::string folder = StandInFolder();
    if (folder.empty()) return std::nullopt;
    const std::string file = folder + "/lib" + std::string(name) + ".so";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
    return file;
  }
  return std::nullopt;
}

std::optional<std::string> SystemModuleKey(const std::string& hostPath) {
  const std::filesystem::path path(hostPath);
  if (path.parent_path().string() != StandInFolder()) return std::nullopt;
  const std::string file = path.filename().string();
  for (std::string_view name : kSystemModules)
    if (file == "lib" + std::string(name) + ".so") return std::string(name) + ".dll";
  return std::nullopt;
}

}  // namespace kernel32::loader
