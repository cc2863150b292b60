// What the real-time link library's tests share: a run-time installation on drive T: (registry
// entries and driver folders), loading GmRTDLL.dll and RtLinkProbe.dll fresh, and what the
// loader shows of the driver library.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sandbox/gmrtlink.h"
#include "sandbox/sandbox.h"

namespace rtlink_test {

inline constexpr const char* kRunTimeKey = "HKLM\\Software\\Vellacott\\Glimmer Run-Time";
using Bytes = std::vector<uint8_t>;

template <class Function>
Function Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Makes the Windows folder with its parents.
inline void CreateFolders(const std::string& folder) {
  for (size_t at = folder.find('\\', 3); ; at = folder.find('\\', at + 1)) {
    const std::string prefix = folder.substr(0, at);
    CreateDirectory(prefix.c_str(), nullptr);
    if (at == std::string::npos) break;
  }
}

// Puts a copy of the driver library into the folder.
inline void InstallDriver(const std::string& folder) {
  CreateFolders(folder);
  const std::string target = folder + "\\gmrtlink.dll";
  ASSERT_TRUE(CopyFile(sandbox::WindowsPath(GMRTLINK_DRIVER_FILE).c_str(), target.c_str(), FALSE))
      << target << ": error " << GetLastError();
}

inline std::string RunTimeFolder(const std::string& version) { return "T:\\RT\\" + version; }

// A run-time version's registry entry; its folder holds the driver when `withDriver`.
inline void InstallRunTime(const std::string& version, bool withDriver = true) {
  sandbox::RegistrySetString(std::string(kRunTimeKey) + "\\" + version, "Path", RunTimeFolder(version));
  if (withDriver) InstallDriver(RunTimeFolder(version));
}

class RtLinkTest : public testing::Test {
 protected:
  void SetUp() override { sandbox::MapTempDrive('T'); }

  void TearDown() override {
    FreeLoaded();
    for (const sandbox::LoadedModule& m : sandbox::LoadedModules()) {
      if (m.pinned) continue;
      ADD_FAILURE() << "left loaded: " << m.path << " (" << m.references << " references)";
      for (unsigned i = 0; i < m.references; ++i) FreeLibrary(static_cast<HMODULE>(const_cast<void*>(m.handle)));
    }
  }

  // A new world for the next row of a table: what was loaded goes, the sandbox resets, T: is new.
  void FreshWorld() {
    FreeLoaded();
    sandbox::Reset();
    sandbox::MapTempDrive('T');
  }

  // Loads a freshly built module from its host file; the test frees it (or TearDown does).
  HMODULE Load(const char* hostFile) {
    HMODULE module = LoadLibrary(sandbox::WindowsPath(hostFile).c_str());
    EXPECT_NE(module, nullptr) << hostFile << ": error " << GetLastError();
    if (module != nullptr) loaded_.push_back(module);
    return module;
  }
  HMODULE LoadGmRtDll() { return Load(GMRTDLL_FILE); }
  HMODULE LoadProbe() { return Load(RTLINK_PROBE_FILE); }

  void Free(HMODULE module) {
    for (auto it = loaded_.begin(); it != loaded_.end(); ++it) {
      if (*it != module) continue;
      loaded_.erase(it);
      EXPECT_TRUE(FreeLibrary(module));
      return;
    }
    ADD_FAILURE() << "Free: not loaded by the test";
  }

  void FreeLoaded() {
    while (!loaded_.empty()) Free(loaded_.back());
  }

  static int Call(HMODULE gmRtDll, const char* exportName) {
    auto function = Entry<int (*)()>(gmRtDll, exportName);
    if (function == nullptr) {
      ADD_FAILURE() << "no export " << exportName;
      return -1;
    }
    return function();
  }

  // The Windows path of the driver library the process has loaded, "" when none.
  static std::string LoadedDriver() {
    for (const sandbox::LoadedModule& m : sandbox::LoadedModules()) {
      const size_t slash = m.path.rfind('\\');
      if (lstrcmpi(m.path.substr(slash + 1).c_str(), "gmrtlink.dll") == 0) return m.path;
    }
    return "";
  }

  // Whether LoadLibrary holds a reference on the registry stand-in.
  static bool RegistryLoaded() {
    HMODULE advapi32 = GetModuleHandle("advapi32.dll");
    for (const sandbox::LoadedModule& m : sandbox::LoadedModules())
      if (m.handle == advapi32) return true;
    return false;
  }

  std::vector<HMODULE> loaded_;
};

}  // namespace rtlink_test
