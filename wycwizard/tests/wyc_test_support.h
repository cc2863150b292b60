// What the tests of the Wyc readers share: drive T: with the run-time engine stand-in installed
// where the loader searches for "wycrte.dll", the sample Wyc project copied to it, file times set
// by hand, and the clock standing still with Sleep moving it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "sandbox/test_support.h"

namespace wyctest {

inline const std::string kSample = sandbox::testing::SourceRoot() + "/sample";
inline const std::string kGolden = sandbox::testing::SourceRoot() + "/wycwizard/tests/golden/";
inline constexpr int64_t kStart = 946684800000;  // 2000-01-01 00:00:00 UTC

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

  static void SetWriteTime(const char* path, const FILETIME& time) {
    HANDLE file = CreateFile(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
    CloseHandle(file);
  }
};

}  // namespace wyctest
