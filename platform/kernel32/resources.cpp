// Module resources: the tables the resource compiler links into each module register here when
// the module is loaded; FindResource, LoadResource, LockResource and SizeofResource read them.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "host_loader.h"
#include "sandbox/internal.h"
#include "standin_resources.h"

namespace kernel32 {
namespace {

struct Table {
  HMODULE module;
  const StandinResource* entries;
  size_t count;
};

struct Registry {
  std::mutex lock;
  std::vector<Table> tables;  // in registration (load) order
};

Registry& Tables() {
  static Registry* registry = new Registry;  // never destroyed: modules unregister during exit
  return *registry;
}

// A type or name argument: an integer id, "#123" (the same id), or a string compared without
// regard to case (the compiler stores string names in upper case).
struct Key {
  bool isNumber;
  WORD number;
  std::string name;
};

Key KeyOf(LPCSTR arg) {
  if (IS_INTRESOURCE(arg)) return {true, static_cast<WORD>(reinterpret_cast<ULONG_PTR>(arg)), {}};
  if (arg[0] == '#') {
    char* end = nullptr;
    const unsigned long id = std::strtoul(arg + 1, &end, 10);
    if (end != arg + 1 && *end == '\0' && id <= 0xFFFF) return {true, static_cast<WORD>(id), {}};
  }
  std::string upper(arg);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return {false, 0, upper};
}

bool Matches(const Key& key, WORD id, const char* name) {
  if (key.isNumber) return name == nullptr && id == key.number;
  if (name == nullptr) return false;
  std::string upper(name);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper == key.name;
}

// Whether `resource` is an entry of a registered table (caller holds the lock).
bool IsRegistered(const Registry& r, HRSRC resource) {
  const auto* entry = reinterpret_cast<const StandinResource*>(resource);
  return std::any_of(r.tables.begin(), r.tables.end(),
                     [&](const Table& t) { return entry >= t.entries && entry < t.entries + t.count; });
}

const StandinResource* CheckedEntry(HRSRC resource, const char* function) {
  if (resource == nullptr) {
    ::SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  {
    std::lock_guard<std::mutex> g(Tables().lock);
    if (IsRegistered(Tables(), resource)) return reinterpret_cast<const StandinResource*>(resource);
  }
  sandbox::internal::Fail(std::string(function) + ": the resource handle did not come from FindResource");
  ::SetLastError(ERROR_INVALID_HANDLE);
  return nullptr;
}

}  // namespace
}  // namespace kernel32

using kernel32::Tables;

extern "C" {

// Registration from the generated resource tables (standin_resources.h).
STANDIN_API void StandinRegisterResources(const void* anchor, const StandinResource* table, size_t count) {
  const HMODULE module = kernel32::loader::ModuleContaining(anchor);
  if (module == nullptr) {
    // Runs while the module loads, possibly before any test: say it where it cannot be missed.
    std::fprintf(stderr, "kernel32: resource table at %p lies in no loaded module; ignored\n", anchor);
    sandbox::internal::Fail("StandinRegisterResources: the table lies in no loaded module");
    return;
  }
  std::lock_guard<std::mutex> g(Tables().lock);
  Tables().tables.push_back({module, table, count});
}

STANDIN_API void StandinUnregisterResources(const void*, const StandinResource* table) {
  std::lock_guard<std::mutex> g(Tables().lock);
  auto& tables = Tables().tables;
  tables.erase(std::remove_if(tables.begin(), tables.end(), [&](const kernel32::Table& t) { return t.entries == table; }),
               tables.end());
}

// FindResource: NULL is the main program. A module without resources fails with
// ERROR_RESOURCE_DATA_NOT_FOUND, a missing type with ERROR_RESOURCE_TYPE_NOT_FOUND, a missing
// name with ERROR_RESOURCE_NAME_NOT_FOUND. Languages are not modelled: one per resource.
WINBASEAPI HRSRC WINAPI FindResource(HMODULE module, LPCSTR name, LPCSTR type) {
  if (module == nullptr) module = kernel32::loader::MainModule();
  const kernel32::Key nameKey = kernel32::KeyOf(name), typeKey = kernel32::KeyOf(type);
  std::lock_guard<std::mutex> g(Tables().lock);
  bool anyTable = false, typeFound = false;
  for (const kernel32::Table& t : Tables().tables) {
    if (t.module != module) continue;
    anyTable = true;
    for (size_t i = 0; i < t.count; ++i) {
      const StandinResource& r = t.entries[i];
      if (!kernel32::Matches(typeKey, r.typeId, r.typeName)) continue;
      typeFound = true;
      if (kernel32::Matches(nameKey, r.nameId, r.name))
        return reinterpret_cast<HRSRC>(const_cast<StandinResource*>(&r));
    }
  }
  ::SetLastError(!anyTable ? ERROR_RESOURCE_DATA_NOT_FOUND
                           : !typeFound ? ERROR_RESOURCE_TYPE_NOT_FOUND : ERROR_RESOURCE_NAME_NOT_FOUND);
  return nullptr;
}

// LoadResource: the "global handle" of a resource is its address in the module, which stays valid
// while the module is loaded; LockResource returns it as it is.
WINBASEAPI HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource) {
  const StandinResource* entry = kernel32::CheckedEntry(resource, "LoadResource");
  return entry ? const_cast<void*>(entry->data) : nullptr;
}

WINBASEAPI LPVOID WINAPI LockResource(HGLOBAL resourceData) { return resourceData; }

WINBASEAPI DWORD WINAPI SizeofResource(HMODULE, HRSRC resource) {
  const StandinResource* entry = kernel32::CheckedEntry(resource, "SizeofResource");
  return entry ? entry->size : 0;
}

}  // extern "C"
