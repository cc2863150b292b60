// The module loader through the Windows surface: LoadLibrary's name search, reference counts,
// DllMain notifications, GetProcAddress on a module's own exports, resources of a loaded module,
// and a real unload. The test modules (loadmod/) sit beside this program; LoadModRecorder.dll
// records the DllMain calls of the others and outlives them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <ostream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "loadmod/loadmod.h"
#include "sandbox/sandbox.h"

namespace {

constexpr DWORD kPoison = 0xdeadbeef;

template <class Function>
Function Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

struct Event {
  HMODULE module;
  DWORD reason;
  bool reservedWasNull;
  bool operator==(const Event&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Event& e) {
  const char* reason = e.reason == DLL_PROCESS_ATTACH   ? "PROCESS_ATTACH"
                       : e.reason == DLL_PROCESS_DETACH ? "PROCESS_DETACH"
                                                        : "other";
  return out << "{" << static_cast<const void*>(e.module) << " " << reason
             << (e.reservedWasNull ? "" : " reserved!=NULL") << "}";
}

Event Attach(HMODULE m) { return {m, DLL_PROCESS_ATTACH, true}; }
Event Detach(HMODULE m) { return {m, DLL_PROCESS_DETACH, true}; }

std::string FileName(HMODULE module) {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileName(module, path, sizeof path);
  return std::string(path, n);
}

class Loader : public testing::Test {
 protected:
  void SetUp() override {
    recorder_ = LoadLibrary(LOADMOD_RECORDER);
    ASSERT_NE(recorder_, nullptr) << "error " << GetLastError();
    eventCount_ = Entry<LoadModEventCountProc>(recorder_, "LoadModEventCount");
    eventAt_ = Entry<LoadModEventAtProc>(recorder_, "LoadModEventAt");
    ASSERT_NE(eventCount_, nullptr);
    ASSERT_NE(eventAt_, nullptr);
    Entry<LoadModClearEventsProc>(recorder_, "LoadModClearEvents")();

    // M: is the program's folder, where the test modules are; T: and S: are scratch drives.
    const std::string program = FileName(nullptr);
    const std::string folder = sandbox::HostPath(program.substr(0, program.rfind('\\')));
    ASSERT_FALSE(folder.empty());
    sandbox::MapDrive('M', folder);
    sandbox::MapTempDrive('T');
    sandbox::MapTempDrive('S');
  }

  void TearDown() override {
    if (recorder_ != nullptr) {
      EXPECT_TRUE(FreeLibrary(recorder_));
    }
    // Whatever a test left loaded would leak into the next one (and keep its resources registered).
    for (const sandbox::LoadedModule& m : sandbox::LoadedModules()) {
      if (m.pinned) continue;
      ADD_FAILURE() << "left loaded: " << m.path << " (" << m.references << " references)";
      for (unsigned i = 0; i < m.references; ++i) FreeLibrary(static_cast<HMODULE>(const_cast<void*>(m.handle)));
    }
  }

  std::vector<Event> Events() const {
    std::vector<Event> events;
    for (DWORD i = 0; i < eventCount_(); ++i) {
      HINSTANCE module = nullptr;
      DWORD reason = kPoison;
      BOOL reservedWasNull = FALSE;
      if (!eventAt_(i, &module, &reason, &reservedWasNull)) break;
      events.push_back({module, reason, reservedWasNull != FALSE});
    }
    return events;
  }

  // Modules loaded through LoadLibrary besides the recorder.
  size_t OthersLoaded() const {
    const std::vector<sandbox::LoadedModule> loaded = sandbox::LoadedModules();
    return std::count_if(loaded.begin(), loaded.end(), [&](const sandbox::LoadedModule& m) { return m.handle != recorder_; });
  }

  // References that LoadLibrary holds on `module` (0: not loaded through it).
  static unsigned References(HMODULE module) {
    for (const sandbox::LoadedModule& m : sandbox::LoadedModules())
      if (m.handle == module) return m.references;
    return 0;
  }

  static void Copy(const char* from, const char* to) {
    ASSERT_TRUE(CopyFile(from, to, TRUE)) << from << " -> " << to << ": error " << GetLastError();
  }

  static void Write(const char* path, const std::string& bytes) {
    HANDLE file = CreateFile(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    EXPECT_TRUE(CloseHandle(file));
  }

  static std::string Head(const char* path, DWORD size) {
    HANDLE file = CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
    std::string bytes(size, '\0');
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(file, bytes.data(), size, &read, nullptr));
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
  }

  HMODULE recorder_ = nullptr;
  LoadModEventCountProc eventCount_ = nullptr;
  LoadModEventAtProc eventAt_ = nullptr;
};

constexpr const char* kSubject = "M:\\LoadModSubject.dll";

struct NameCase {
  const char* name;
  const char* fileName;  // loaded: the module's file; nullptr: LoadLibrary fails
  DWORD error;           // when it fails
};

TEST_F(Loader, FindsModulesByTheWindowsNameRules) {
  Copy(kSubject, "T:\\Renamed.mod");
  Copy(kSubject, "T:\\NoExt");
  Write("T:\\NotAModule.dll", "MZ this is text, not a module\r\n");
  Write("T:\\Empty.dll", "");
  // A module's first bytes: the header passes, the host loader refuses the rest.
  Write("T:\\Truncated.dll", Head(kSubject, 64));
  ASSERT_TRUE(CreateDirectory("T:\\Folder.dll", nullptr));

  const NameCase cases[] = {
      {.name = "LoadModSubject", .fileName = kSubject, .error = 0},
      {.name = "LoadModSubject.dll", .fileName = kSubject, .error = 0},
      {.name = "LOADMODSUBJECT.DLL", .fileName = kSubject, .error = 0},
      {.name = "M:\\LoadModSubject.dll", .fileName = kSubject, .error = 0},
      {.name = "m:\\loadmodsubject", .fileName = kSubject, .error = 0},
      {.name = "M:/LoadModSubject.dll", .fileName = kSubject, .error = 0},
      {.name = "T:\\Renamed.mod", .fileName = "T:\\Renamed.mod", .error = 0},
      {.name = "T:\\Renamed", .fileName = nullptr, .error = ERROR_MOD_NOT_FOUND},
      {.name = "T:\\NoExt.", .fileName = "T:\\NoExt", .error = 0},
      {.name = "T:\\NoExt", .fileName = nullptr, .error = ERROR_MOD_NOT_FOUND},
      {.name = "NoSuchModule", .fileName = nullptr, .error = ERROR_MOD_NOT_FOUND},
      {.name = "T:\\Missing\\LoadModSubject.dll", .fileName = nullptr, .error = ERROR_MOD_NOT_FOUND},
      {.name = "Q:\\LoadModSubject.dll", .fileName = nullptr, .error = ERROR_MOD_NOT_FOUND},
      {.name = "T:\\Folder.dll", .fileName = nullptr, .error = ERROR_MOD_NOT_FOUND},
      {.name = "T:\\NotAModule.dll", .fileName = nullptr, .error = ERROR_BAD_EXE_FORMAT},
      {.name = "T:\\Empty.dll", .fileName = nullptr, .error = ERROR_BAD_EXE_FORMAT},
      {.name = "T:\\Truncated.dll", .fileName = nullptr, .error = ERROR_BAD_EXE_FORMAT},
      {.name = nullptr, .fileName = nullptr, .error = ERROR_INVALID_PARAMETER},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.name ? c.name : "(null)");
    SetLastError(kPoison);
    HMODULE module = LoadLibrary(c.name);
    if (c.fileName == nullptr) {
      EXPECT_EQ(module, nullptr);
      EXPECT_EQ(GetLastError(), c.error);
      EXPECT_EQ(OthersLoaded(), 0u);
      continue;
    }
    ASSERT_NE(module, nullptr) << "error " << GetLastError();
    EXPECT_EQ(FileName(module), c.fileName);
    EXPECT_EQ(References(module), 1u);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(References(module), 0u);
  }
}

// An empty name is refused before any search, with the error of a module that is not there: no
// file called ".dll" in some folder can answer it. Code that builds a name from an empty setting
// (an add-in path read from the registry) then reports "module not found".
TEST_F(Loader, EmptyNameIsAMissingModule) {
  Copy(kSubject, "T:\\.dll");  // would be found if "" became ".dll"
  ASSERT_TRUE(SetCurrentDirectory("T:\\"));
  SetLastError(kPoison);
  EXPECT_EQ(LoadLibrary(""), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(Loader, SearchesProgramFolderThenCurrentDirectoryThenSearchPath) {
  ASSERT_TRUE(CreateDirectory("S:\\sub", nullptr));
  Copy(kSubject, "T:\\LoadModSubject.dll");  // the program's folder comes first
  Copy(kSubject, "T:\\CwdFirst.dll");
  Copy(kSubject, "S:\\CwdFirst.dll");
  Copy(kSubject, "S:\\PathOnly.dll");
  Copy(kSubject, "S:\\sub\\Nested.dll");
  ASSERT_TRUE(SetCurrentDirectory("T:\\"));
  sandbox::SetModuleSearchPath({"Q:\\missing", "S:\\"});

  const NameCase cases[] = {
      {.name = "LoadModSubject", .fileName = kSubject, .error = 0},
      {.name = "CwdFirst", .fileName = "T:\\CwdFirst.dll", .error = 0},
      {.name = "pathonly", .fileName = "S:\\PathOnly.dll", .error = 0},
      {.name = "sub\\Nested", .fileName = "S:\\sub\\Nested.dll", .error = 0},
      {.name = "Nested", .fileName = nullptr, .error = ERROR_MOD_NOT_FOUND},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetLastError(kPoison);
    HMODULE module = LoadLibrary(c.name);
    if (c.fileName == nullptr) {
      EXPECT_EQ(module, nullptr);
      EXPECT_EQ(GetLastError(), c.error);
      continue;
    }
    ASSERT_NE(module, nullptr) << "error " << GetLastError();
    EXPECT_EQ(FileName(module), c.fileName);
    EXPECT_TRUE(FreeLibrary(module));
  }

  sandbox::SetModuleSearchPath({});
  SetLastError(kPoison);
  EXPECT_EQ(LoadLibrary("PathOnly"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(Loader, BareNameOfALoadedModuleNeedsNoSearch) {
  Copy(kSubject, "S:\\PathOnly.dll");
  HMODULE module = LoadLibrary("S:\\PathOnly.dll");
  ASSERT_NE(module, nullptr);
  // S: is on no search path, yet the name finds the module already in memory.
  EXPECT_EQ(LoadLibrary("PATHONLY"), module);
  EXPECT_EQ(References(module), 2u);
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(Loader, CountsReferencesAndNotifiesDllMainOnFirstLoadAndLastFree) {
  HMODULE module = LoadLibrary("LoadModSubject");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(Events(), (std::vector<Event>{Attach(module)}));
  const std::vector<sandbox::LoadedModule> loaded = sandbox::LoadedModules();
  ASSERT_EQ(loaded.size(), 2u);  // the recorder, then this one
  EXPECT_EQ(loaded[1].path, kSubject);
  EXPECT_EQ(loaded[1].handle, module);
  EXPECT_EQ(loaded[1].references, 1u);
  EXPECT_FALSE(loaded[1].pinned);

  EXPECT_EQ(LoadLibrary("m:\\LOADMODSUBJECT.dll"), module) << "the same file is the same module";
  EXPECT_EQ(References(module), 2u);
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(References(module), 1u);
  EXPECT_EQ(GetModuleHandle("LoadModSubject"), module);
  EXPECT_EQ(Events(), (std::vector<Event>{Attach(module)})) << "DllMain runs once per load, not per reference";

  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(Events(), (std::vector<Event>{Attach(module), Detach(module)}));
  SetLastError(kPoison);
  EXPECT_EQ(GetModuleHandle("LoadModSubject"), nullptr) << "unmapped with the last reference";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  SetLastError(kPoison);
  EXPECT_FALSE(FreeLibrary(module));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(Loader, FalseFromDllMainDetachesUnloadsAndFails) {
  for (int attempt = 1; attempt <= 2; ++attempt) {
    SCOPED_TRACE(attempt);
    SetLastError(kPoison);
    EXPECT_EQ(LoadLibrary("LoadModFailInit"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
    const std::vector<Event> events = Events();
    ASSERT_EQ(events.size(), 2u * attempt);
    const HMODULE module = events[events.size() - 2].module;
    EXPECT_NE(module, nullptr);
    EXPECT_EQ(std::vector<Event>(events.end() - 2, events.end()), (std::vector<Event>{Attach(module), Detach(module)}));
    EXPECT_EQ(GetModuleHandle("LoadModFailInit"), nullptr);
    EXPECT_EQ(OthersLoaded(), 0u);
  }
}

TEST_F(Loader, UnloadReallyDropsTheModuleState) {
  Copy(kSubject, "T:\\Twin.dll");
  HMODULE module = LoadLibrary("LoadModSubject");
  ASSERT_NE(module, nullptr);
  auto bump = Entry<LoadModBumpProc>(module, "LoadModBump");
  ASSERT_NE(bump, nullptr);
  EXPECT_EQ(bump(), 1);
  EXPECT_EQ(bump(), 2);

  // The same bytes under another file name are another module with statics of its own.
  HMODULE twin = LoadLibrary("T:\\Twin.dll");
  ASSERT_NE(twin, nullptr);
  EXPECT_NE(twin, module);
  EXPECT_EQ(Entry<LoadModBumpProc>(twin, "LoadModBump")(), 1);
  EXPECT_TRUE(FreeLibrary(twin));

  EXPECT_TRUE(FreeLibrary(module));
  module = LoadLibrary("LoadModSubject");
  ASSERT_NE(module, nullptr);
  bump = Entry<LoadModBumpProc>(module, "LoadModBump");
  ASSERT_NE(bump, nullptr);
  EXPECT_EQ(bump(), 1) << "a reloaded module starts with fresh statics";
  EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(Loader, GetProcAddressFindsOnlyTheModulesOwnExports) {
  HMODULE module = LoadLibrary("LoadModSubject");
  ASSERT_NE(module, nullptr);
  HMODULE kernel32 = GetModuleHandle("libkernel32.so");
  ASSERT_NE(kernel32, nullptr);
  const struct {
    const char* what;
    HMODULE module;
    const char* name;
    DWORD error;  // 0: found
  } cases[] = {
      {.what = "own export", .module = module, .name = "LoadModBump", .error = 0},
      {.what = "DllMain", .module = module, .name = "DllMain", .error = 0},
      {.what = "names are case-sensitive", .module = module, .name = "loadmodbump", .error = ERROR_PROC_NOT_FOUND},
      {.what = "visible but not listed", .module = module, .name = "LoadModUnlisted", .error = ERROR_PROC_NOT_FOUND},
      {.what = "imported from the C library", .module = module, .name = "malloc", .error = ERROR_PROC_NOT_FOUND},
      {.what = "imported from kernel32", .module = module, .name = "GetModuleHandle", .error = ERROR_PROC_NOT_FOUND},
      {.what = "empty name", .module = module, .name = "", .error = ERROR_PROC_NOT_FOUND},
      {.what = "a platform module's own", .module = kernel32, .name = "GetModuleHandle", .error = 0},
      {.what = "a platform module's import", .module = kernel32, .name = "malloc", .error = ERROR_PROC_NOT_FOUND},
      {.what = "NULL is the program", .module = nullptr, .name = "LoadModBump", .error = ERROR_PROC_NOT_FOUND},
      {.what = "no module", .module = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x1000)), .name = "LoadModBump",
       .error = ERROR_MOD_NOT_FOUND},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetLastError(kPoison);
    FARPROC proc = GetProcAddress(c.module, c.name);
    if (c.error != 0) {
      EXPECT_EQ(proc, nullptr);
      EXPECT_EQ(GetLastError(), c.error);
    } else {
      EXPECT_NE(proc, nullptr);
    }
  }

  // What is found is the module's: calling it reaches the module (and its imports work).
  using GetModuleHandleProc = HMODULE(WINAPI*)(LPCSTR);
  EXPECT_EQ(Entry<GetModuleHandleProc>(kernel32, "GetModuleHandle")("LoadModSubject"), module);
  using DuplicateProc = char*(WINAPI*)(const char*);
  using ReleaseProc = void(WINAPI*)(char*);
  char* copy = Entry<DuplicateProc>(module, "LoadModDuplicate")("heap text");
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy, "heap text");
  Entry<ReleaseProc>(module, "LoadModRelease")(copy);

  SetLastError(kPoison);
  EXPECT_EQ(GetProcAddress(module, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(FreeLibrary(module));
}

// Ordinals come from the exports list ("LoadModBump @3"); the name and the number are one entry.
TEST_F(Loader, GetProcAddressFindsExportsByOrdinal) {
  HMODULE module = LoadLibrary("LoadModSubject");
  ASSERT_NE(module, nullptr);
  const struct {
    const char* what;
    WORD ordinal;
  } missing[] = {{.what = "a number the list gives no export", .ordinal = 4},
                 {.what = "the highest ordinal", .ordinal = 0xFFFF}};
  for (const auto& c : missing) {
    SCOPED_TRACE(c.what);
    SetLastError(kPoison);
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCE(c.ordinal)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  }
  const FARPROC byOrdinal = GetProcAddress(module, MAKEINTRESOURCE(3));
  ASSERT_NE(byOrdinal, nullptr);
  EXPECT_EQ(byOrdinal, GetProcAddress(module, "LoadModBump"));
  EXPECT_EQ(reinterpret_cast<LoadModBumpProc>(reinterpret_cast<void (*)()>(byOrdinal))(), 1);
  EXPECT_TRUE(sandbox::UnmodelledCalls().empty());
  EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(Loader, ResourcesComeAndGoWithTheModule) {
  HMODULE module = LoadLibrary("LoadModSubject");
  ASSERT_NE(module, nullptr);
  HRSRC found = FindResource(module, MAKEINTRESOURCE(IDR_LOADMOD_TEMPLATE), "TEMPLATE");
  ASSERT_NE(found, nullptr) << "error " << GetLastError();
  const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(std::string(data, SizeofResource(module, found)), "the loaded module's template\n");
  SetLastError(kPoison);
  EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(IDR_LOADMOD_TEMPLATE), "TEMPLATE"), nullptr)
      << "the module's resources are not the program's";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));

  EXPECT_TRUE(FreeLibrary(module));
  SetLastError(kPoison);
  EXPECT_EQ(FindResource(module, MAKEINTRESOURCE(IDR_LOADMOD_TEMPLATE), "TEMPLATE"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
}

TEST_F(Loader, ModulesTheProcessMappedItselfArePinned) {
  // K32ResMod.dll is linked into this program: loading it only counts, freeing never unmaps it.
  HMODULE linked = GetModuleHandle("K32ResMod");
  ASSERT_NE(linked, nullptr);
  EXPECT_EQ(LoadLibrary("K32ResMod"), linked);
  const std::vector<sandbox::LoadedModule> loaded = sandbox::LoadedModules();
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_TRUE(loaded[1].pinned);
  EXPECT_EQ(loaded[1].references, 1u);
  EXPECT_TRUE(Events().empty()) << "no DllMain of ours to call";
  EXPECT_TRUE(FreeLibrary(linked));
  EXPECT_EQ(GetModuleHandle("K32ResMod"), linked);

  HMODULE kernel32 = GetModuleHandle("libkernel32.so");
  EXPECT_TRUE(FreeLibrary(kernel32)) << "a module the program imports: nothing to give back";
  EXPECT_EQ(GetModuleHandle("libkernel32.so"), kernel32);
  EXPECT_TRUE(FreeLibrary(GetModuleHandle(nullptr)));
  // The program's file has no extension: the trailing '.' keeps ".dll" off.
  EXPECT_EQ(LoadLibrary((FileName(nullptr) + ".").c_str()), GetModuleHandle(nullptr)) << "the program itself";
  EXPECT_EQ(OthersLoaded(), 0u);
}

TEST_F(Loader, DisableThreadLibraryCallsAcceptsAnyModule) {
  HMODULE module = LoadLibrary("LoadModSubject");
  ASSERT_NE(module, nullptr);
  EXPECT_TRUE(DisableThreadLibraryCalls(module));
  EXPECT_TRUE(DisableThreadLibraryCalls(GetModuleHandle("libkernel32.so")));
  SetLastError(kPoison);
  EXPECT_FALSE(DisableThreadLibraryCalls(reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x1000))));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  SetLastError(kPoison);
  EXPECT_FALSE(FreeLibrary(nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(Loader, ConcurrentLoadsAndFreesKeepOneAttachPerLoad) {
  constexpr int kThreads = 8, kRounds = 40;
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < kRounds; ++i) {
        HMODULE module = LoadLibrary("LoadModSubject");
        if (module == nullptr || GetProcAddress(module, "LoadModBump") == nullptr || !FreeLibrary(module)) ++failures;
      }
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(GetModuleHandle("LoadModSubject"), nullptr);
  // However the threads interleaved, the module went through whole attach/detach cycles.
  const std::vector<Event> events = Events();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.size() % 2, 0u);
  for (size_t i = 0; i < events.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(events[i].reason, i % 2 == 0 ? DWORD{DLL_PROCESS_ATTACH} : DWORD{DLL_PROCESS_DETACH});
  }
}

TEST_F(Loader, SandboxListsExportsAndChecksTheSearchPath) {
  HMODULE module = LoadLibrary("LoadModSubject");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(sandbox::ModuleExports(module),
            (std::vector<std::string>{"DllMain", "LoadModBump", "LoadModDuplicate", "LoadModRelease",
                                      "standin_ordinal_3"}));
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_THROW(sandbox::ModuleExports(reinterpret_cast<void*>(0x1000)), std::invalid_argument);

  sandbox::SetModuleSearchPath({"S:\\", "\\\\server\\share\\bin"});
  EXPECT_THROW(sandbox::SetModuleSearchPath({"C:\\ok", "relative\\bin"}), std::invalid_argument);
  EXPECT_EQ(sandbox::ModuleSearchPath(), (std::vector<std::string>{"S:\\", "\\\\server\\share\\bin"}))
      << "a refused path changes nothing";
  sandbox::Reset();
  EXPECT_TRUE(sandbox::ModuleSearchPath().empty());
}

}  // namespace
