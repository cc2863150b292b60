// Modules as the host's dynamic loader sees them: dl_iterate_phdr lists the mapped objects in
// load order (the main program first), dladdr finds the object that holds an address. Both give
// the same base: the start of the object's first loadable segment.
#include "host_loader.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace kernel32::loader {
namespace {

std::string MainProgramPath() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}

uintptr_t BaseOf(const dl_phdr_info& info) {
  uintptr_t lowest = UINTPTR_MAX;
  for (int i = 0; i < info.dlpi_phnum; ++i)
    if (info.dlpi_phdr[i].p_type == PT_LOAD && info.dlpi_phdr[i].p_vaddr < lowest) lowest = info.dlpi_phdr[i].p_vaddr;
  if (lowest == UINTPTR_MAX) return 0;
  const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  return info.dlpi_addr + (lowest & ~(page - 1));
}

}  // namespace

std::vector<LoadedModule> LoadedModules() {
  struct Walk {
    std::vector<LoadedModule> modules;
    bool first = true;
  } walk;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* data) -> int {
        auto& w = *static_cast<Walk*>(data);
        const bool main = w.first;
        w.first = false;
        std::string path = main ? MainProgramPath() : std::string(info->dlpi_name ? info->dlpi_name : "");
        // Objects without a file (the kernel's vDSO) are no modules.
        if (path.empty() || (path[0] != '/' && path.find('/') == std::string::npos)) return 0;
        std::error_code ec;
        path = std::filesystem::absolute(path, ec).lexically_normal().string();
        const uintptr_t base = BaseOf(*info);
        if (base != 0) w.modules.push_back({reinterpret_cast<HMODULE>(base), path});
        return 0;
      },
      &walk);
  return walk.modules;
}

HMODULE MainModule() {
  const std::vector<LoadedModule> modules = LoadedModules();
  return modules.empty() ? nullptr : modules.front().base;
}

HMODULE ModuleContaining(const void* address) {
  Dl_info info{};
  if (address == nullptr || dladdr(address, &info) == 0 || info.dli_fbase == nullptr) return nullptr;
  return static_cast<HMODULE>(info.dli_fbase);
}

std::optional<std::string> ModuleHostPath(HMODULE module) {
  if (module == nullptr) return std::nullopt;
  for (const LoadedModule& m : LoadedModules())
    if (m.base == module) return m.hostPath;
  return std::nullopt;
}

}  // namespace kernel32::loader
