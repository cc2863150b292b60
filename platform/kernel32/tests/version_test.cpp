// GetVersionEx over the platform the sandbox sets: the structure-size contract, the NT default,
// and the Windows 95 packing of the version into the build number.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "sandbox/sandbox.h"

namespace {

constexpr DWORD kPoison = 0xdeadbeef;

OSVERSIONINFO Poisoned(DWORD size) {
  OSVERSIONINFO info;
  std::memset(&info, 0xcd, sizeof info);
  info.dwOSVersionInfoSize = size;
  info.dwMajorVersion = info.dwMinorVersion = info.dwBuildNumber = info.dwPlatformId = kPoison;
  return info;
}

TEST(GetVersionEx, DefaultIsWindowsNT4) {
  OSVERSIONINFO info = Poisoned(sizeof(OSVERSIONINFO));
  SetLastError(kPoison);
  ASSERT_TRUE(GetVersionEx(&info));
  EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
  EXPECT_EQ(info.dwMajorVersion, 4u);
  EXPECT_EQ(info.dwMinorVersion, 0u);
  EXPECT_EQ(info.dwBuildNumber, 1381u);
  EXPECT_STREQ(info.szCSDVersion, "Service Pack 6");
  EXPECT_EQ(info.dwOSVersionInfoSize, sizeof(OSVERSIONINFO)) << "the size is the caller's and stays";
  EXPECT_EQ(GetLastError(), kPoison) << "success leaves the last error alone";
}

TEST(GetVersionEx, ReportsThePlatformTheSandboxSets) {
  const struct {
    const char* name;
    DWORD platformId, major, minor, build;
    const char* servicePack;
    DWORD expectedBuild;
  } rows[] = {
      {.name = "NT 4.0 SP3", .platformId = VER_PLATFORM_WIN32_NT, .major = 4, .minor = 0, .build = 1381,
       .servicePack = "Service Pack 3", .expectedBuild = 1381},
      {.name = "Windows 2000", .platformId = VER_PLATFORM_WIN32_NT, .major = 5, .minor = 0, .build = 2195,
       .servicePack = "", .expectedBuild = 2195},
      // Windows 95/98/Me keep the version in the high word of the build number; code that reads
      // the whole DWORD as a build (as a careless check does) sees 0x040A07CE here.
      {.name = "Windows 98", .platformId = VER_PLATFORM_WIN32_WINDOWS, .major = 4, .minor = 10, .build = 1998,
       .servicePack = " A ", .expectedBuild = 0x040A07CE},
      {.name = "Windows 95", .platformId = VER_PLATFORM_WIN32_WINDOWS, .major = 4, .minor = 0, .build = 950,
       .servicePack = "", .expectedBuild = 0x040003B6},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::SetWindowsVersion(row.platformId, row.major, row.minor, row.build, row.servicePack);
    OSVERSIONINFO info = Poisoned(sizeof(OSVERSIONINFO));
    ASSERT_TRUE(GetVersionEx(&info));
    EXPECT_EQ(info.dwPlatformId, row.platformId);
    EXPECT_EQ(info.dwMajorVersion, row.major);
    EXPECT_EQ(info.dwMinorVersion, row.minor);
    EXPECT_EQ(info.dwBuildNumber, row.expectedBuild);
    EXPECT_STREQ(info.szCSDVersion, row.servicePack);
  }
}

TEST(GetVersionEx, WrongStructureSizeFailsAndWritesNothing) {
  for (DWORD size : {DWORD{0}, DWORD{sizeof(OSVERSIONINFO) - 1}, DWORD{sizeof(OSVERSIONINFO) + 1}}) {
    SCOPED_TRACE(size);
    OSVERSIONINFO info = Poisoned(size);
    SetLastError(kPoison);
    EXPECT_FALSE(GetVersionEx(&info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(info.dwMajorVersion, kPoison);
    EXPECT_EQ(info.dwPlatformId, kPoison);
  }
}

TEST(GetVersionEx, ResetRestoresTheDefault) {
  sandbox::SetWindowsVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000, "");
  sandbox::Reset();
  OSVERSIONINFO info = Poisoned(sizeof(OSVERSIONINFO));
  ASSERT_TRUE(GetVersionEx(&info));
  EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
  EXPECT_EQ(info.dwMajorVersion, 4u);
}

TEST(GetVersionEx, SandboxRefusesWhatTheStructureCannotHold) {
  EXPECT_THROW(sandbox::SetWindowsVersion(3, 4, 0, 1381), std::invalid_argument);
  EXPECT_THROW(sandbox::SetWindowsVersion(VER_PLATFORM_WIN32_NT, 4, 0, 1381, std::string(128, 'x')),
               std::invalid_argument);
  OSVERSIONINFO info = Poisoned(sizeof(OSVERSIONINFO));
  ASSERT_TRUE(GetVersionEx(&info));
  EXPECT_EQ(info.dwBuildNumber, 1381u) << "a refused setting changes nothing";
  EXPECT_STREQ(info.szCSDVersion, "Service Pack 6");
}

// The packed form: major, minor, build, and the high bit for every platform but NT. The real-time
// link library takes exactly 0x80000A03 (Win32s 3.10) as its sign to skip the registry.
TEST(GetVersion, PacksTheSandboxPlatform) {
  const struct {
    const char* name;
    DWORD platformId, major, minor, build;
    DWORD expected;
  } rows[] = {
      {.name = "Win32s 3.10", .platformId = VER_PLATFORM_WIN32s, .major = 3, .minor = 10, .build = 0,
       .expected = 0x80000A03},
      {.name = "NT 4.0", .platformId = VER_PLATFORM_WIN32_NT, .major = 4, .minor = 0, .build = 1381,
       .expected = 0x05650004},
      {.name = "Windows 98", .platformId = VER_PLATFORM_WIN32_WINDOWS, .major = 4, .minor = 10, .build = 1998,
       .expected = 0x87CE0A04},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::SetWindowsVersion(row.platformId, row.major, row.minor, row.build);
    SetLastError(kPoison);
    EXPECT_EQ(GetVersion(), row.expected);
    EXPECT_EQ(GetLastError(), kPoison);
  }
}

}  // namespace
