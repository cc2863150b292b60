// What the tests of the Wyc readers share: drive T: with the run-time engine stand-in installed
// where the loader searches for "wycrte.dll", the sample Wyc project copied to it, file times set
// by hand, and the clock standing still with Sleep moving it.
#pragma once

#include <windows.h>
#include <comdef.h>
#include <objmodel/appauto.h>
#include <objmodel/bldauto.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sandbox/test_support.h"

_COM_SMARTPTR_TYPEDEF(IApplication, __uuidof(IApplication));
_COM_SMARTPTR_TYPEDEF(IProjects, __uuidof(IProjects));
_COM_SMARTPTR_TYPEDEF(IGenericProject, __uuidof(IGenericProject));
_COM_SMARTPTR_TYPEDEF(IBuildProject, __uuidof(IBuildProject));

namespace wyctest {

// The first project of the running IDE's workspace, through the object model as a client sees it.
inline IBuildProjectPtr FirstProject() {
  IApplicationPtr app;
  EXPECT_EQ(app.CreateInstance(CLSID_Application, nullptr, CLSCTX_LOCAL_SERVER), S_OK);
  IDispatch* projectsDispatch = nullptr;
  EXPECT_EQ(app->get_Projects(&projectsDispatch), S_OK);
  IProjectsPtr projects;
  projects.Attach(static_cast<IProjects*>(projectsDispatch));
  IGenericProjectPtr project;
  EXPECT_EQ(projects->Item(_variant_t(static_cast<LONG>(1), VT_I4), &project), S_OK);
  return IBuildProjectPtr(project);
}

inline const std::string kSample = sandbox::testing::SourceRoot() + "/sample";
inline const std::string kGolden = sandbox::testing::SourceRoot() + "/wycwizard/tests/golden/";
inline constexpr int64_t kStart = 946684800000;  // 2000-01-01 00:00:00 UTC

// A panel file: magic, version, the name-table offset at 36, then the table at that offset (a
// count, then per entry its length and bytes).
struct Panel {
  uint32_t magic = 0x73FE01BA;
  uint32_t version = 5;
  uint32_t tableOffset = 64;
  std::vector<std::string> entries = {"meter_init_fp", "meter_close_fp"};  // each with a NUL added
  uint32_t count = 0xFFFFFFFF;  // the entries' number unless set
  size_t cut = 0;               // bytes dropped from the end

  static void Put(std::string& bytes, size_t at, uint32_t value) {
    if (bytes.size() < at + 4) bytes.resize(at + 4, '\0');
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
  }
  std::string Bytes() const {
    std::string bytes(40, '\0');
    Put(bytes, 0, magic);
    Put(bytes, 4, version);
    Put(bytes, 36, tableOffset);
    if (tableOffset != 0) {
      bytes.resize(tableOffset, '\0');
      Put(bytes, tableOffset, count != 0xFFFFFFFF ? count : static_cast<uint32_t>(entries.size()));
      for (const std::string& entry : entries) {
        Put(bytes, bytes.size(), static_cast<uint32_t>(entry.size() + 1));
        bytes += entry;
        bytes += '\0';
      }
    }
    bytes.resize(bytes.size() - cut);
    return bytes;
  }
};

inline FILETIME Time(DWORD high, DWORD low) { return FILETIME{low, high}; }

class WycTest : public sandbox::testing::TempDriveTest<'T'> {
 protected:
  void SetUp() override {
    TempDriveTest::SetUp();
    sandbox::SetClock(kStart);
    sandbox::SetSleepMovesClock(true);
    ASSERT_TRUE(CreateDirectory("T:\\rt", nullptr));
    ASSERT_TRUE(CopyFile(sandbox::WindowsPath(WYCRTE_LIBRARY_FILE).c_str(), "T:\\rt\\wycrte.dll", TRUE));
    sandbox::SetModuleSearchPath({"T:\\rt"});
  }

  // The sample Wyc project at T:\Projects\WycMeter.
  void CopyMeter() { CopyToDisk(kSample + "/Projects/WycMeter", "Projects/WycMeter"); }

  static void SetWriteTime(const char* path, const FILETIME& time) { sandbox::testing::SetWriteTime(path, time); }
};

}  // namespace wyctest
