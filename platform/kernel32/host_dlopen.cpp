// The host's dynamic loader under LoadLibrary (dlopen, dlclose, dlsym, dladdr) and the ELF
// reading that tells a module file from any other file and lists what a module exports.
#include "host_dlopen.h"

#include <dlfcn.h>
#include <elf.h>
#include <link.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

#include "host_loader.h"

namespace kernel32::loader {
namespace {

#if defined(__x86_64__)
constexpr uint16_t kMachine = EM_X86_64;
#elif defined(__aarch64__)
constexpr uint16_t kMachine = EM_AARCH64;
#else
#error "kernel32 loader: unknown host machine"
#endif

constexpr unsigned char kByteOrder =
    __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? ELFDATA2LSB : ELFDATA2MSB;

bool IsModuleHeader(const Elf64_Ehdr& h) {
  return std::memcmp(h.e_ident, ELFMAG, SELFMAG) == 0 && h.e_ident[EI_CLASS] == ELFCLASS64 &&
         h.e_ident[EI_DATA] == kByteOrder && h.e_type == ET_DYN && h.e_machine == kMachine;
}

DWORD OpenError(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return ERROR_ACCESS_DENIED;
    case ENOENT:
    case ENOTDIR:
      return ERROR_MOD_NOT_FOUND;
    default:
      return ERROR_BAD_EXE_FORMAT;
  }
}

HMODULE BaseOfHandle(void* handle) {
  link_map* map = nullptr;
  if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) return nullptr;
  // The dynamic section lies inside the object's mapping, so dladdr names its base.
  return ModuleContaining(map->l_ld);
}

// The host's words are the only account of why dlopen failed; they decide the Win32 code.
DWORD ErrorOfMessage(const std::string& message) {
  if (message.find("cannot open shared object file") != std::string::npos) return ERROR_MOD_NOT_FOUND;
  if (message.find("undefined symbol") != std::string::npos) return ERROR_PROC_NOT_FOUND;
  return ERROR_BAD_EXE_FORMAT;
}

// A bounds-checked view of a whole module file.
struct Image {
  std::vector<char> bytes;

  DWORD Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return OpenError(errno);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return ERROR_SUCCESS;
  }

  template <class T>
  const T* At(uint64_t offset, uint64_t count = 1) const {
    if (offset > bytes.size() || count > (bytes.size() - offset) / sizeof(T)) return nullptr;
    return reinterpret_cast<const T*>(bytes.data() + offset);
  }

  // The NUL-terminated string at `offset` of a string table; nullopt when it leaves the table.
  std::optional<std::string> String(const Elf64_Shdr& strtab, uint64_t offset) const {
    const char* strings = At<char>(strtab.sh_offset, strtab.sh_size);
    if (strings == nullptr || offset >= strtab.sh_size) return std::nullopt;
    const size_t length = strnlen(strings + offset, strtab.sh_size - offset);
    if (length == strtab.sh_size - offset) return std::nullopt;  // no terminating NUL
    return std::string(strings + offset, length);
  }

  // Calls `visit(section, its string table)` for each section of `type`; false when the file is
  // no module of this machine or a visit found it malformed.
  template <class Visit>
  bool ForEachSection(uint32_t type, Visit visit) const {
    const auto* header = At<Elf64_Ehdr>(0);
    if (header == nullptr || !IsModuleHeader(*header) || header->e_shentsize != sizeof(Elf64_Shdr)) return false;
    const auto* sections = At<Elf64_Shdr>(header->e_shoff, header->e_shnum);
    if (sections == nullptr) return false;
    for (uint16_t i = 0; i < header->e_shnum; ++i) {
      if (sections[i].sh_type != type) continue;
      if (sections[i].sh_link >= header->e_shnum) return false;
      if (!visit(sections[i], sections[sections[i].sh_link])) return false;
    }
    return true;
  }
};

}  // namespace

DWORD CheckModuleFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return OpenError(errno);
  Elf64_Ehdr header{};
  if (!in.read(reinterpret_cast<char*>(&header), sizeof header)) return ERROR_BAD_EXE_FORMAT;
  return IsModuleHeader(header) ? ERROR_SUCCESS : ERROR_BAD_EXE_FORMAT;
}

DWORD OpenModule(const std::string& path, bool keep, HostModule& out, std::string& message) {
  out = {};
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | (keep ? RTLD_NODELETE : 0));
  if (handle == nullptr) {
    const char* why = dlerror();
    message = why ? why : "";
    return ErrorOfMessage(message);
  }
  const HMODULE base = BaseOfHandle(handle);
  if (base == nullptr) {
    dlclose(handle);
    message = "the host loader opened the file but names no mapping for it";
    return ERROR_BAD_EXE_FORMAT;
  }
  out = {handle, base};
  return ERROR_SUCCESS;
}

bool OpenMapped(const std::string& path, HostModule& out) {
  out = {};
  void* handle = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL | RTLD_NOLOAD);
  if (handle == nullptr) {
    dlerror();
    return false;
  }
  const HMODULE base = BaseOfHandle(handle);
  if (base == nullptr) {
    dlclose(handle);
    return false;
  }
  out = {handle, base};
  return true;
}

void CloseModule(void* handle) {
  if (handle != nullptr) dlclose(handle);
}

bool IsMapped(const std::string& path) {
  HostModule mapped;
  if (!OpenMapped(path, mapped)) return false;
  dlclose(mapped.handle);
  return true;
}

void* MainProgramHandle() {
  static void* const handle = dlopen(nullptr, RTLD_LAZY);
  return handle;
}

void* OwnSymbol(void* handle, HMODULE module, const char* name) {
  dlerror();
  void* symbol = dlsym(handle, name);
  if (symbol == nullptr) return nullptr;
  return ModuleContaining(symbol) == module ? symbol : nullptr;
}

namespace {

// The names that `nameOf` picks from the entries (of type T) of each section of `type`: it gives
// the offset of an entry's name in the section's string table, or nothing to pass the entry by.
template <class T, class NameOf>
DWORD NamesInSections(const std::string& path, uint32_t type, std::vector<std::string>& names, NameOf nameOf) {
  names.clear();
  Image image;
  if (const DWORD error = image.Read(path)) return error;
  const bool read = image.ForEachSection(type, [&](const Elf64_Shdr& table, const Elf64_Shdr& strtab) {
    const uint64_t count = table.sh_size / sizeof(T);
    const T* entries = table.sh_entsize == sizeof(T) ? image.At<T>(table.sh_offset, count) : nullptr;
    if (entries == nullptr) return false;
    for (uint64_t i = 0; i < count; ++i) {
      const std::optional<uint64_t> offset = nameOf(entries[i]);
      if (!offset) continue;
      const std::optional<std::string> name = image.String(strtab, *offset);
      if (!name) return false;
      names.push_back(*name);
    }
    return true;
  });
  if (read) return ERROR_SUCCESS;
  names.clear();
  return ERROR_BAD_EXE_FORMAT;
}

}  // namespace

DWORD ExportedNames(const std::string& path, std::vector<std::string>& names) {
  const DWORD error = NamesInSections<Elf64_Sym>(path, SHT_DYNSYM, names, [](const Elf64_Sym& sym) -> std::optional<uint64_t> {
    const unsigned bind = ELF64_ST_BIND(sym.st_info), type = ELF64_ST_TYPE(sym.st_info);
    const unsigned visibility = ELF64_ST_VISIBILITY(sym.st_other);
    if (sym.st_shndx == SHN_UNDEF || type == STT_SECTION || type == STT_FILE) return std::nullopt;
    if (bind != STB_GLOBAL && bind != STB_WEAK && bind != STB_GNU_UNIQUE) return std::nullopt;
    if (visibility != STV_DEFAULT && visibility != STV_PROTECTED) return std::nullopt;
    return sym.st_name;
  });
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return error;
}

DWORD NeededNames(const std::string& path, std::vector<std::string>& names) {
  return NamesInSections<Elf64_Dyn>(path, SHT_DYNAMIC, names, [](const Elf64_Dyn& entry) -> std::optional<uint64_t> {
    if (entry.d_tag != DT_NEEDED) return std::nullopt;
    return entry.d_un.d_val;
  });
}

}  // namespace kernel32::loader
