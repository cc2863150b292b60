// The Wyc installations: which versions are offered, and what one installation gives: its
// folders, library panels, extlib libraries and the VXIplug&play folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/WycInstallation.h"
#include "sandbox/sandbox.h"
#include "wyc_test_support.h"

namespace {

using wyctest::kSample;
using Texts = std::vector<std::string>;

const char kWycKey[] = "HKLM\\Software\\Vellacott\\Wyc";
const char kUserKey[] = "HKCU\\Software\\Vellacott\\Wyc\\6.0";
const char kVxipnpKey[] = "HKLM\\Software\\VXIPNP_Alliance\\VXIPNP\\CurrentVersion";

Texts TextsOf(const std::vector<CString>& names) { return Texts(names.begin(), names.end()); }
Texts TextsOf(const CPathSet* set) { return Texts(set->begin(), set->end()); }

template <class Body>
int Thrown(Body body) {
  try {
    body();
  } catch (CWycInstallationExc e) {
    return e;
  }
  return -1;
}

// Drive T: holds a copy of the sample Wyc installation; the registry names it as version 6.0.
class WycInstallationTest : public wyctest::WycTest {
 protected:
  void SetUp() override {
    WycTest::SetUp();
    CopyToDisk(kSample + "/Wyc", "Wyc");
    sandbox::RegistrySetString(std::string(kWycKey) + "\\6.0", "CompatibilityMode", "msvc");
    sandbox::RegistrySetString(std::string(kWycKey) + "\\6.0", "InstallDir", "T:\\Wyc");
    sandbox::RegistrySetString(kVxipnpKey, "VXIPNPPATH", "T:\\VXIPNP\\");
  }
  void ExpectEmpty(const CWycInstallation& installation) {
    CString text = "poison";
    installation.GetInstallDir(text);
    EXPECT_EQ(text, "");
    installation.GetRunTimeLibrary(text);
    EXPECT_EQ(text, "");
    EXPECT_FALSE(installation.GetVXIPNPPath(text));
    EXPECT_TRUE(installation.GetIncludePaths()->empty());
    EXPECT_TRUE(installation.GetLibraryFPFiles()->empty());
  }
};

TEST_F(WycInstallationTest, OfferedAreTheVersionsInMicrosoftCompatibilityMode) {
  sandbox::RegistryClear();
  ASSERT_TRUE(sandbox::RegistryLoad(kSample + "/sablewing.reg"));
  std::vector<CString> names{"stale"};
  EXPECT_EQ(CWycInstallation::FindInstallations(names), 2);
  EXPECT_EQ(TextsOf(names), (Texts{"5.5", "6.0"})) << "5.0 is native, 6.0dev never offered";

  sandbox::RegistryDeleteKey(kWycKey);
  const struct {
    const char* name;
    const char* mode;  // nullptr: no value
  } versions[] = {
      {"4.0", "MSVC"},
      {"4.1", "msvc6"},
      {"4.2", "MsVc"},
      {"4.3", "msvc98rev2"},   // 11 bytes with its NUL: does not fit in 10
      {"4.4", "msvc98rev"},    // 10 bytes: fits
      {"4.5", nullptr},
      {"4.6", "native"},
      {"4.7dev", "msvc"},
      {"4.8", "ms"},
      {"4.9.10.11x", "msvc"},  // a name of 10 characters: skipped, the list goes on
      {"5.0", "msvc"},
  };
  for (const auto& version : versions) {
    const std::string key = std::string(kWycKey) + "\\" + version.name;
    if (version.mode != nullptr)
      sandbox::RegistrySetString(key, "CompatibilityMode", version.mode);
    else
      sandbox::RegistrySetString(key, "InstallDir", "T:\\Wyc");
  }
  EXPECT_EQ(CWycInstallation::FindInstallations(names), 5);
  EXPECT_EQ(TextsOf(names), (Texts{"4.0", "4.1", "4.2", "4.4", "5.0"}));
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);

  sandbox::RegistryInjectFailure(std::string(kWycKey) + "\\4.2", "open", ERROR_ACCESS_DENIED);
  EXPECT_EQ(Thrown([&] { CWycInstallation::FindInstallations(names); }), WYCINST_EXC_REGISTRY);
  sandbox::RegistryInjectFailure(kWycKey, "open", ERROR_ACCESS_DENIED);
  EXPECT_EQ(Thrown([&] { CWycInstallation::FindInstallations(names); }), WYCINST_EXC_REGISTRY);
  sandbox::RegistryClearFailures();
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
  sandbox::RegistryDeleteKey(kWycKey);
  EXPECT_EQ(CWycInstallation::FindInstallations(names), 0) << "no key: no installation, no error";
  EXPECT_TRUE(names.empty());
}

TEST_F(WycInstallationTest, ReadGivesTheFoldersLibrariesAndPanels) {
  sandbox::RegistrySetString(std::string(kUserKey) + "\\IncludePaths", "InclPath1", "T:\\Shared\\include");
  sandbox::RegistrySetString(std::string(kUserKey) + "\\IncludePaths", "InclPath2", "T:\\Wyc\\include");
  sandbox::RegistrySetString(std::string(kUserKey) + "\\IncludePaths", "InclPath4", "T:\\Never");
  sandbox::RegistrySetString(std::string(kUserKey) + "\\InstrumentDirectories", "InstrDir1", "T:\\Drivers");
  const std::string libraries = std::string(kUserKey) + "\\Libraries";
  sandbox::RegistrySetString(libraries, "LibraryFPFile1", "T:\\Wyc\\toolslib\\toolbox\\toolbox.fp");
  sandbox::RegistrySetString(libraries, "LibraryFPFile2", "T:\\Wyc\\toolslib\\reportgen\\report.fp");
  sandbox::RegistrySetString(libraries, "LibraryFPFile3", "T:\\Wyc\\toolslib\\gone\\gone.fp");
  sandbox::RegistrySetString(libraries, "LibraryFPFile4", "T:\\Wyc\\instr\\wycosc.fp");
  SetWriteTime("T:\\Wyc\\toolslib\\reportgen\\report.fp", wyctest::Time(0, 1));
  SetWriteTime("T:\\Wyc\\toolslib\\toolbox\\toolbox.fp", wyctest::Time(0, 2));
  SetWriteTime("T:\\Wyc\\instr\\wycosc.fp", wyctest::Time(0, 3));

  CWycInstallation installation;
  installation.Read("6.0");
  CString text;
  installation.GetInstallDir(text);
  EXPECT_EQ(text, "T:\\Wyc");
  installation.GetRunTimeLibrary(text);
  EXPECT_EQ(text, "T:\\Wyc\\extlib\\wycrt.lib");
  installation.GetInstrSupLibrary(text);
  EXPECT_EQ(text, "T:\\Wyc\\extlib\\instrsup.lib");
  EXPECT_EQ(TextsOf(installation.GetExtLibraries()), (Texts{"T:\\Wyc\\extlib\\wycanalysis.lib"}));
  EXPECT_EQ(TextsOf(installation.GetIncludePaths()),
            (Texts{"T:\\Shared\\include", "T:\\Wyc\\include", "T:\\Wyc\\instr", "T:\\Wyc\\toolslib",
                   "T:\\Wyc\\toolslib\\custctrl", "T:\\Wyc\\toolslib\\custctrl\\custsupp", "T:\\Wyc\\toolslib\\localui",
                   "T:\\Wyc\\toolslib\\printing", "T:\\Wyc\\toolslib\\reportgen", "T:\\Wyc\\toolslib\\toolbox"}))
      << "in byte order, once each; InclPath4 is not read after the missing 3";
  EXPECT_EQ(TextsOf(installation.GetInstrumentDirectories()),
            (Texts{"T:\\Drivers", "T:\\Wyc\\instr", "T:\\Wyc\\toolslib", "T:\\Wyc\\toolslib\\custctrl",
                   "T:\\Wyc\\toolslib\\custctrl\\custsupp", "T:\\Wyc\\toolslib\\localui", "T:\\Wyc\\toolslib\\printing",
                   "T:\\Wyc\\toolslib\\reportgen", "T:\\Wyc\\toolslib\\toolbox"}))
      << "no include folder among them";
  Texts panels;
  for (const CFileStamp& stamp : *installation.GetLibraryFPFiles()) {
    EXPECT_TRUE(stamp.m_flag);
    panels.push_back(std::string(stamp.m_path));
  }
  EXPECT_EQ(panels, (Texts{"T:\\Wyc\\toolslib\\reportgen\\report.fp", "T:\\Wyc\\toolslib\\toolbox\\toolbox.fp",
                           "T:\\Wyc\\instr\\wycosc.fp"}))
      << "by time; number 3 is gone and skipped, number 4 still read";
  EXPECT_TRUE(installation.GetVXIPNPPath(text));
  EXPECT_EQ(text, "T:\\VXIPNP\\WinNT");
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

TEST_F(WycInstallationTest, TheVXIplugAndPlayFolderFromTheRegistryOrTheEnvironment) {
  const struct {
    const char* what;
    const char* registry;     // nullptr: no value
    const char* environment;  // nullptr: not set
    bool windows95;
    const char* folder;       // nullptr: none
  } rows[] = {
      {.what = "with its backslash", .registry = "C:\\VXIPNP\\", .environment = nullptr, .windows95 = false,
       .folder = "C:\\VXIPNP\\WinNT"},
      {.what = "without one", .registry = "C:\\VXIPNP", .environment = nullptr, .windows95 = false,
       .folder = "C:\\VXIPNP\\WinNT"},
      {.what = "on Windows 95", .registry = "C:\\VXIPNP\\", .environment = nullptr, .windows95 = true,
       .folder = "C:\\VXIPNP\\Win95"},
      {.what = "the registry wins", .registry = "C:\\VXIPNP\\", .environment = "D:\\Other\\", .windows95 = false,
       .folder = "C:\\VXIPNP\\WinNT"},
      {.what = "an empty value: the environment", .registry = "", .environment = "D:\\VXI\\", .windows95 = false,
       .folder = "D:\\VXI\\WinNT"},
      {.what = "from the environment without a backslash", .registry = nullptr, .environment = "D:\\VXI",
       .windows95 = false, .folder = "D:\\VXI\\WinNT"},
      {.what = "an environment value too long for 260 characters", .registry = nullptr,
       .environment = "D:\\VXI\\xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                      "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                      "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
       .windows95 = false, .folder = nullptr},
      {.what = "nowhere", .registry = nullptr, .environment = nullptr, .windows95 = false, .folder = nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    sandbox::RegistryDeleteKey(kVxipnpKey);
    if (row.registry != nullptr) sandbox::RegistrySetString(kVxipnpKey, "VXIPNPPATH", row.registry);
    sandbox::RemoveEnvironmentValue("VXIPNPPATH");
    if (row.environment != nullptr) sandbox::SetEnvironmentValue("VXIPNPPATH", row.environment);
    if (row.windows95)
      sandbox::SetWindowsVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0x040A08AE);
    else
      sandbox::SetWindowsVersion(VER_PLATFORM_WIN32_NT, 4, 0, 1381);
    CWycInstallation installation;
    installation.Read("6.0");
    CString folder = "untouched";
    EXPECT_EQ(installation.GetVXIPNPPath(folder), row.folder != nullptr);
    EXPECT_EQ(std::string(folder), row.folder != nullptr ? row.folder : "untouched");
  }
}

TEST_F(WycInstallationTest, FailuresLeaveTheObjectEmpty) {
  const struct {
    const char* what;
    void (*set)();
    const char* version;
    int thrown;
  } rows[] = {
      {.what = "no instrsup.lib", .set = [] { DeleteFile("T:\\Wyc\\extlib\\instrsup.lib"); },
       .version = "6.0", .thrown = WYCINST_EXC_EXTLIB},
      {.what = "the run-time library only in capitals",
       .set = [] { MoveFile("T:\\Wyc\\extlib\\wycrt.lib", "T:\\Wyc\\extlib\\WYCRT.LIB"); },
       .version = "6.0", .thrown = WYCINST_EXC_EXTLIB},
      {.what = "no extlib folder", .set = [] {
         DeleteFile("T:\\Wyc\\extlib\\wycrt.lib");
         DeleteFile("T:\\Wyc\\extlib\\instrsup.lib");
         DeleteFile("T:\\Wyc\\extlib\\wycanalysis.lib");
         RemoveDirectory("T:\\Wyc\\extlib");
       }, .version = "6.0", .thrown = WYCINST_EXC_EXTLIB},
      {.what = "no such version", .set = [] {}, .version = "7.0", .thrown = WYCINST_EXC_REGISTRY},
      {.what = "no InstallDir", .set = [] {
         sandbox::RegistryDeleteKey(std::string(kWycKey) + "\\6.0");
         sandbox::RegistrySetString(std::string(kWycKey) + "\\6.0", "CompatibilityMode", "msvc");
       }, .version = "6.0", .thrown = WYCINST_EXC_REGISTRY},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    sandbox::Reset();
    SetUp();
    CWycInstallation installation;
    installation.Read("6.0");
    row.set();
    EXPECT_EQ(Thrown([&] { installation.Read(row.version); }), row.thrown);
    ExpectEmpty(installation);
    EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
    EXPECT_EQ(sandbox::OpenFileHandles(), 0u) << "the file search is closed";
  }
  CWycInstallation installation;
  installation.AddExtLibrary("T:\\Wyc\\extlib\\WYCRT.LIB");
  installation.AddExtLibrary("T:\\Wyc\\extlib\\myinstrsup.lib");
  CString text;
  installation.GetInstrSupLibrary(text);
  EXPECT_EQ(text, "T:\\Wyc\\extlib\\myinstrsup.lib") << "the last 12 characters count";
  EXPECT_EQ(TextsOf(installation.GetExtLibraries()), (Texts{"T:\\Wyc\\extlib\\WYCRT.LIB"}));
}

}  // namespace
