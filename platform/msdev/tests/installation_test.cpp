// The IDE and its installation: its program file held while it runs, and the defaults it writes
// for a user who never ran it.
#include <windows.h>

#include "msdev_test_support.h"

namespace msdev_test {
namespace {

constexpr const char* kSetupKey = "HKLM\\SOFTWARE\\Microsoft\\VisualStudio\\6.0\\Setup";
constexpr const char* kDirectoriesKey =
    "HKCU\\Software\\Microsoft\\DevStudio\\6.0\\Build System\\Components\\Platforms\\Win32 (x86)\\Directories";
constexpr const char* kToolsKey = "HKCU\\Software\\Microsoft\\DevStudio\\6.0\\Tools";
constexpr const char* kProgram = "T:\\DevStudio\\Common\\MSDev98\\Bin\\MSDEV.EXE";

class InstallationTest : public IdeTest {
 protected:
  void SetUp() override {
    IdeTest::SetUp();
    Write("DevStudio/Common/MSDev98/Bin/MSDEV.EXE", "program");
    sandbox::RegistrySetString(kSetupKey, "VsCommonDir", "T:\\DevStudio\\Common\\");
  }

  // What an exclusive open of the program file answers: 0 when it opens, else the error.
  static DWORD ExclusiveOpen() {
    const HANDLE file = CreateFile(kProgram, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    CloseHandle(file);
    return 0;
  }
};

TEST_F(InstallationTest, TheRunningIdeHoldsItsProgramFileUnshared) {
  EXPECT_EQ(ExclusiveOpen(), 0u);
  Application()->Quit();
  EXPECT_EQ(ExclusiveOpen(), 0u) << "let go at the quit";

  sandbox::msdev::StartIde();
  EXPECT_EQ(ExclusiveOpen(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  const HANDLE reader =
      CreateFile(kProgram, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(reader, INVALID_HANDLE_VALUE) << "not even for reading: the IDE shares it with nobody";
  if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
  sandbox::msdev::StopIde();
  EXPECT_EQ(ExclusiveOpen(), 0u);
}

TEST_F(InstallationTest, AQuitWritesTheDefaultsOfAUserWhoNeverRanTheIde) {
  struct Row {
    const char* name;
    const char* commonDir;  // null: the installation names none
    const char* include;
    const char* library;
    const char* firstTool;
  } rows[] = {
      {.name = "installed", .commonDir = "T:\\DevStudio\\Common\\",
       .include = "T:\\DevStudio\\VC98\\INCLUDE;T:\\DevStudio\\VC98\\MFC\\INCLUDE;T:\\DevStudio\\VC98\\ATL\\INCLUDE",
       .library = "T:\\DevStudio\\VC98\\LIB;T:\\DevStudio\\VC98\\MFC\\LIB",
       .firstTool = "T:\\DevStudio\\Common\\Tools\\MODVIEW.EXE"},
      {.name = "no common folder", .commonDir = nullptr, .include = "", .library = "",
       .firstTool = "\\Tools\\MODVIEW.EXE"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::RegistryDeleteKey("HKCU\\Software\\Microsoft");
    sandbox::RegistryDeleteKey(kSetupKey);
    if (row.commonDir) sandbox::RegistrySetString(kSetupKey, "VsCommonDir", row.commonDir);
    Application()->Quit();
    EXPECT_EQ(sandbox::RegistryGetString(kDirectoriesKey, "Include Dirs"), row.include);
    EXPECT_EQ(sandbox::RegistryGetString(kDirectoriesKey, "Library Dirs"), row.library);
    EXPECT_EQ(sandbox::RegistryGetDword(kToolsKey, "NumTools"), 3u);
    EXPECT_EQ(sandbox::RegistryGetString(kToolsKey, "MenuName#0"), "&Module Viewer");
    EXPECT_EQ(sandbox::RegistryGetString(kToolsKey, "PathName#0"), row.firstTool);
    EXPECT_EQ(sandbox::RegistryGetString(kToolsKey, "MenuName#2"), "&Error Finder");
    EXPECT_EQ(sandbox::RegistryGetDword(kToolsKey, "GUITool#2"), 1u);
    EXPECT_EQ(sandbox::RegistryGetDword(kToolsKey, "AskArgument#2"), 0u);
  }
}

TEST_F(InstallationTest, WhatTheUserHasStaysAsItIs) {
  // A user with directory lists keeps them, and keeps a Tools menu of their own.
  sandbox::RegistrySetString(kDirectoriesKey, "Include Dirs", "D:\\Mine");
  sandbox::RegistrySetDword(kToolsKey, "NumTools", 0);
  Application()->Quit();
  EXPECT_EQ(sandbox::RegistryGetString(kDirectoriesKey, "Include Dirs"), "D:\\Mine");
  EXPECT_EQ(sandbox::RegistryGetString(kDirectoriesKey, "Library Dirs"), std::nullopt);
  EXPECT_EQ(sandbox::RegistryGetDword(kToolsKey, "NumTools"), 0u);

  // Without "Include Dirs" the lists are written, but a Tools menu the user has stays.
  sandbox::RegistryDeleteKey(kDirectoriesKey);
  Application()->Quit();
  EXPECT_NE(sandbox::RegistryGetString(kDirectoriesKey, "Include Dirs"), std::nullopt);
  EXPECT_EQ(sandbox::RegistryGetDword(kToolsKey, "NumTools"), 0u);
  EXPECT_EQ(sandbox::RegistryGetString(kToolsKey, "MenuName#0"), std::nullopt);
}

}  // namespace
}  // namespace msdev_test
