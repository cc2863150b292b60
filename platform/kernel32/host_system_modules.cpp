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

// Windows' own modules that the platform folder stands in for: the name LoadLibrary reads (its
// key) and the stand-in's file. Most are platform modules (lib<name>.so); the help viewer's
// control is built under its Windows name, since programs also load it by its full path.
struct SystemModule {
  std::string_view key;
  std::string_view file;
};
constexpr SystemModule kSystemModules[] = {
    {"advapi32.dll", "libadvapi32.so"}, {"comctl32.dll", "libcomctl32.so"}, {"gdi32.dll", "libgdi32.so"},
    {"kernel32.dll", "libkernel32.so"}, {"mfc42.dll", "libmfc42.so"},       {"msvcrt.dll", "libmsvcrt.so"},
    {"ole32.dll", "libole32.so"},       {"oleaut32.dll", "liboleaut32.so"}, {"shell32.dll", "libshell32.so"},
    {"user32.dll", "libuser32.so"},     {"hhctrl.ocx", "hhctrl.ocx"},
};

std::string StandInFolder() {
  static const std::string folder = [] {
    const std::optional<std::string> own = ModuleHostPath(ModuleContaining(reinterpret_cast<const void*>(&LoadLibrary)));
    return own ? std::filesystem::path(*own).parent_path().string() : std::string();
  }();
  return folder;
}

}  // namespace

std::optional<std::string> SystemModuleFile(const std::string& key) {
  for (const SystemModule& module : kSystemModules) {
    if (key != module.key) continue;
    const std::string folder = StandInFolder();
    if (folder.empty()) return std::nullopt;
    const std::string file = folder + "/" + std::string(module.file);
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
  for (const SystemModule& module : kSystemModules)
    if (file == module.file) return std::string(module.key);
  return std::nullopt;
}

}  // namespace kernel32::loader
