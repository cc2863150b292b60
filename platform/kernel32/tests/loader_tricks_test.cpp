// The loader's sandbox tricks (hidden exports, refused, counted and held loads), system modules
// found by their Windows names, and the needed libraries of a module file. The test modules
// (loadmod/) sit beside this program.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "loadmod/loadmod.h"
#include "sandbox/sandbox.h"

namespace {

constexpr DWORD kPoison = 0xdeadbeef;
constexpr const char* kSubject = "M:\\LoadModSubject.dll";

std::string FileName(HMODULE module) {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileName(module, path, sizeof path);
  return std::string(path, n);
}

bool ListedByLoader(HMODULE module) {
  for (const sandbox::LoadedModule& m : sandbox::LoadedModules())
    if (m.handle == module) return true;
  return false;
}

// Waits (real time, bounded) until `count` loads of `module` are held.
bool WaitForHeld(const std::string& module, unsigned count) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (sandbox::HeldLoads(module) != count) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::yield();
  }
  return true;
}

class LoaderTricks : public testing::Test {
 protected:
  void SetUp() override {
    // M: is the program's folder, where the test modules are; T: is scratch.
    const std::string program = FileName(nullptr);
    sandbox::MapDrive('M', sandbox::HostPath(program.substr(0, program.rfind('\\'))));
    sandbox::MapTempDrive('T');
  }

  void TearDown() override {
    for (const sandbox::LoadedModule& m : sandbox::LoadedModules()) {
      if (m.pinned) continue;
      ADD_FAILURE() << "left loaded: " << m.path;
      for (unsigned i = 0; i < m.references; ++i) FreeLibrary(static_cast<HMODULE>(const_cast<void*>(m.handle)));
    }
  }
};

TEST_F(LoaderTricks, RefusedLoadFailsWithTheChosenErrorAndMapsNothing) {
  for (DWORD error : {DWORD{ERROR_ACCESS_DENIED}, DWORD{0}}) {
    SCOPED_TRACE(error);
    sandbox::RefuseLoad("loadmodsubject", error);
    for (const char* name : {"LoadModSubject", kSubject, "T:\\elsewhere\\LOADMODSUBJECT.DLL"}) {
      SCOPED_TRACE(name);
      SetLastError(kPoison);
      EXPECT_EQ(LoadLibrary(name), nullptr);
      EXPECT_EQ(GetLastError(), error);
    }
    EXPECT_EQ(GetModuleHandle("LoadModSubject"), nullptr);
    HMODULE recorder = LoadLibrary(LOADMOD_RECORDER);
    EXPECT_NE(recorder, nullptr) << "other modules load as before";
    EXPECT_TRUE(FreeLibrary(recorder));
  }
  sandbox::Reset();
  HMODULE module = LoadLibrary("LoadModSubject");
  EXPECT_NE(module, nullptr) << "a reset ends the refusal";
  EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(LoaderTricks, CountsEveryLoadAttemptByName) {
  EXPECT_EQ(sandbox::LoadAttempts("LoadModSubject.dll"), 0u);
  HMODULE module = LoadLibrary("loadmodsubject");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(LoadLibrary(kSubject), module);
  EXPECT_EQ(LoadLibrary("T:\\missing\\LoadModSubject.dll"), nullptr);
  EXPECT_EQ(LoadLibrary("LoadModSubject."), nullptr) << "a trailing '.' means no extension: another name";
  sandbox::RefuseLoad("LoadModSubject", ERROR_ACCESS_DENIED);
  EXPECT_EQ(LoadLibrary("LoadModSubject"), nullptr);
  EXPECT_EQ(sandbox::LoadAttempts("LOADMODSUBJECT"), 4u) << "found, again, not found, refused";
  EXPECT_EQ(sandbox::LoadAttempts("LoadModRecorder"), 0u);
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_TRUE(FreeLibrary(module));
  sandbox::Reset();
  EXPECT_EQ(sandbox::LoadAttempts("LoadModSubject"), 0u);
  EXPECT_THROW(sandbox::LoadAttempts("T:\\folder\\"), std::invalid_argument);
}

TEST_F(LoaderTricks, HiddenExportIsMissingOnlyInModulesOfThatName) {
  sandbox::HideExport("LoadModSubject", "LoadModBump");
  ASSERT_TRUE(CopyFile(kSubject, "T:\\Twin.dll", TRUE));
  HMODULE module = LoadLibrary(kSubject);
  HMODULE twin = LoadLibrary("T:\\Twin.dll");
  ASSERT_NE(module, nullptr);
  ASSERT_NE(twin, nullptr);
  SetLastError(kPoison);
  EXPECT_EQ(GetProcAddress(module, "LoadModBump"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_NE(GetProcAddress(module, "LoadModDuplicate"), nullptr) << "only the one export is hidden";
  EXPECT_NE(GetProcAddress(twin, "LoadModBump"), nullptr) << "the same file under another name keeps it";
  EXPECT_TRUE(FreeLibrary(twin));
  EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(LoaderTricks, HeldLoadWaitsOutsideTheLoaderLockUntilReleased) {
  sandbox::HoldLoads("LoadModSubject");
  auto held = std::async(std::launch::async, [] { return LoadLibrary("LoadModSubject"); });
  ASSERT_TRUE(WaitForHeld("LoadModSubject", 1));
  EXPECT_EQ(GetModuleHandle("LoadModSubject"), nullptr) << "nothing mapped while held";
  HMODULE recorder = LoadLibrary(LOADMOD_RECORDER);
  EXPECT_NE(recorder, nullptr) << "other loads go on meanwhile";
  EXPECT_TRUE(FreeLibrary(recorder));

  sandbox::ReleaseLoads("LoadModSubject");
  HMODULE module = held.get();
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(sandbox::HeldLoads("LoadModSubject"), 0u);
  EXPECT_EQ(LoadLibrary("LoadModSubject"), module) << "released for later loads too";
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_TRUE(FreeLibrary(module));

  // A reset lets a held load go as well.
  sandbox::HoldLoads("LoadModSubject");
  auto second = std::async(std::launch::async, [] { return LoadLibrary("LoadModSubject"); });
  ASSERT_TRUE(WaitForHeld("LoadModSubject", 1));
  sandbox::Reset();
  module = second.get();
  EXPECT_NE(module, nullptr);
  if (module != nullptr) {
    EXPECT_TRUE(FreeLibrary(module));
  }
}

// A module that imports nothing but kernel32 binds the registry by name at run time.
TEST_F(LoaderTricks, SystemModuleIsItsStandInBeforeAnySearch) {
  // A file of that name in the current directory does not take the system module's place.
  ASSERT_TRUE(CopyFile(kSubject, "T:\\advapi32.dll", TRUE));
  ASSERT_TRUE(SetCurrentDirectory("T:\\"));

  HMODULE advapi32 = LoadLibrary("ADVAPI32");
  ASSERT_NE(advapi32, nullptr) << "error " << GetLastError();
  EXPECT_NE(FileName(advapi32).find("libadvapi32.so"), std::string::npos) << FileName(advapi32);
  EXPECT_EQ(GetModuleHandle("advapi32.dll"), advapi32);
  EXPECT_EQ(LoadLibrary("advapi32.dll"), advapi32);
  EXPECT_EQ(LoadLibrary("kernel32.dll"), GetModuleHandle("libkernel32.so"));
  EXPECT_TRUE(FreeLibrary(GetModuleHandle("kernel32")));

  for (const char* name : {"RegOpenKeyExA", "RegQueryInfoKeyA", "RegEnumKeyExA", "RegQueryValueExA", "RegCloseKey"}) {
    SCOPED_TRACE(name);
    EXPECT_NE(GetProcAddress(advapi32, name), nullptr);
  }
  auto open = reinterpret_cast<decltype(&RegOpenKeyEx)>(reinterpret_cast<void (*)()>(GetProcAddress(advapi32, "RegOpenKeyExA")));
  auto close = reinterpret_cast<decltype(&RegCloseKey)>(reinterpret_cast<void (*)()>(GetProcAddress(advapi32, "RegCloseKey")));
  ASSERT_NE(open, nullptr);
  ASSERT_NE(close, nullptr);
  HKEY key = nullptr;
  ASSERT_EQ(open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes", 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(close(key), ERROR_SUCCESS);

  sandbox::HideExport("advapi32.dll", "RegCloseKey");
  SetLastError(kPoison);
  EXPECT_EQ(GetProcAddress(advapi32, "RegCloseKey"), nullptr) << "tricks know a stand-in by its Windows name";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));

  EXPECT_TRUE(FreeLibrary(advapi32));
  EXPECT_TRUE(ListedByLoader(advapi32));
  EXPECT_TRUE(FreeLibrary(advapi32));
  EXPECT_FALSE(ListedByLoader(advapi32)) << "the last reference is given back";
  EXPECT_EQ(GetModuleHandle("advapi32.dll"), advapi32) << "a stand-in stays mapped: it is one per process";
}

TEST_F(LoaderTricks, ListsTheLibrariesAModuleNeeds) {
  HMODULE module = LoadLibrary(kSubject);
  ASSERT_NE(module, nullptr);
  const std::vector<std::string> needed = sandbox::ModuleNeededLibraries(module);
  EXPECT_NE(std::find(needed.begin(), needed.end(), "libkernel32.so"), needed.end());
  EXPECT_EQ(std::find(needed.begin(), needed.end(), "libadvapi32.so"), needed.end());
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_THROW(sandbox::ModuleNeededLibraries(reinterpret_cast<void*>(0x1000)), std::invalid_argument);
}

}  // namespace
