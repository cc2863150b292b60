// The generation engine: the template macros in the host's dictionary, a converted project's
// settings as macros, the function-panel modules and the problem sets, and the customization of
// a project the IDE holds (files, include paths, libraries, build settings, copy step, active
// configuration, callback table).
#include <afxwin.h>
#include <comdef.h>
#include <objmodel/appauto.h>
#include <objmodel/bldauto.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "InformationDepot.h"
#include "engine/Engine.h"
#include "plugin/CurrentDepot.h"
#include "sandbox/msdev.h"
#include "sandbox/registry.h"
#include "wyc_test_support.h"

namespace {

using wyctest::kSample;
using wyctest::Panel;
using Texts = std::vector<std::string>;
using Change = sandbox::msdev::SettingChange;
using Dictionary = std::map<std::string, std::string>;

bool Has(CMapStringToString& map, LPCTSTR key) {
  CString value;
  return map.Lookup(key, value) != FALSE;
}

const char kLibrariesKey[] = "HKCU\\Software\\Vellacott\\Wyc\\6.0\\Libraries";

Dictionary Contents(CMapStringToString& map) {
  Dictionary d;
  CString key, value;
  for (POSITION pos = map.GetStartPosition(); pos != NULL;) {
    map.GetNextAssoc(pos, key, value);
    d[std::string(key)] = std::string(value);
  }
  return d;
}

Texts TextsOf(const CPathSet& set) { return Texts(set.begin(), set.end()); }

template <class Body>
int Thrown(Body body) {
  try {
    body();
  } catch (CEngineExc e) {
    return e;
  }
  return -1;
}

// C: is the sample installation with its registry; T: holds the new project's folder.
class EngineTest : public wyctest::WycTest {
 protected:
  void SetUp() override {
    WycTest::SetUp();
    sandbox::MapDrive('C', kSample);
    ASSERT_TRUE(sandbox::RegistryLoad(kSample + "/sablewing.reg"));
    g_pCurrentDepot = &depot_;
    dictionary_.SetAt("root", "Meter");
    dictionary_.SetAt("FULL_DIR_PATH", "T:\\New\\Meter\\");
    dictionary_.SetAt("PROJTYPE_DLL", "VAL_UNUSED");  // the host's, before the plug-in was chosen
    ASSERT_TRUE(CreateDirectory("T:\\New", nullptr));
    ASSERT_TRUE(CreateDirectory("T:\\New\\Meter", nullptr));
  }
  void TearDown() override {
    if (sandbox::msdev::IdeRunning()) sandbox::msdev::StopIde();
    if (comInitialized_) CoUninitialize();
    g_pCurrentDepot = NULL;
  }

  // The IDE holding the sample's converted meter project, copied to T: (under another name when
  // one is given).
  IBuildProjectPtr OpenProject(const std::string& name = "WycMeter") {
    if (!comInitialized_) {
      EXPECT_EQ(CoInitialize(nullptr), S_OK);
      comInitialized_ = true;
    }
    CopyMeter();
    for (const char* extension : {".dsp", ".dsw"}) {
      std::string bytes = DiskBytes(std::string("T:\\Projects\\WycMeter\\WycMeter") + extension);
      for (size_t at = bytes.find("WycMeter"); at != std::string::npos; at = bytes.find("WycMeter", at + name.size()))
        bytes.replace(at, 8, name);
      WriteDisk("Projects/WycMeter/" + name + extension, bytes);
    }
    std::string error;
    EXPECT_TRUE(sandbox::msdev::OpenWorkspace("T:\\Projects\\WycMeter\\" + name + ".dsw", &error)) << error;
    return wyctest::FirstProject();
  }

  CMapStringToString dictionary_;
  CInformationDepot depot_;
  bool comInitialized_ = false;
};

TEST_F(EngineTest, MacrosAreSetAsValUnusedAndRemovedWhenFalse) {
  CEngine engine(&dictionary_);
  engine.ReadDictionary();
  EXPECT_EQ(engine.GetCreateNewProject(), 1);
  EXPECT_EQ(engine.GetProjectType(), CEngine::NO_TYPE);
  engine.SetCreateNewProject(1);
  engine.SetProjectType(CEngine::STATIC_LIBRARY);
  engine.SetInstrSup(true);
  engine.SetExportIncludes(false);
  Dictionary d = Contents(dictionary_);
  EXPECT_EQ(d["CREATE_NEW_PROJECT"], "VAL_UNUSED");
  EXPECT_EQ(d["GENERATE_CODE"], "VAL_UNUSED");
  EXPECT_EQ(d["GENERATE_CPP"], "VAL_UNUSED");
  EXPECT_EQ(d["PROJTYPE_LIB"], "VAL_UNUSED");
  EXPECT_EQ(d["INSTRSUP"], "VAL_UNUSED");
  for (const char* gone : {"GENERATE_C", "PROJTYPE_DLL", "PROJTYPE_EXE", "EXPORT_INCLUDES"})
    EXPECT_EQ(d.count(gone), 0u) << gone;

  // Code generation off, then on again with C: C++ stays removed.
  engine.SetGenerateCode(false, true);
  EXPECT_FALSE(Has(dictionary_, "GENERATE_CODE"));
  EXPECT_TRUE(Has(dictionary_, "GENERATE_CPP")) << "turning generation off leaves the language";
  engine.SetGenerateCode(true, false);
  EXPECT_FALSE(Has(dictionary_, "GENERATE_CPP"));
  EXPECT_TRUE(Has(dictionary_, "GENERATE_C"));

  engine.SetCreateNewProject(0);
  EXPECT_FALSE(Has(dictionary_, "CREATE_NEW_PROJECT"));
  EXPECT_FALSE(Has(dictionary_, "GENERATE_CODE"));
  engine.SetProjectType(7);
  for (const char* type : {"PROJTYPE_EXE", "PROJTYPE_DLL", "PROJTYPE_LIB", "PROJTYPE_CON"})
    EXPECT_FALSE(Has(dictionary_, type)) << type;

  sandbox::SetClock(978307200000 + 86400000LL * 40);  // 2001-02-10
  engine.SetTimeStamp();
  EXPECT_EQ(Contents(dictionary_)["TIMESTAMP"], "2/10/2001");
}

TEST_F(EngineTest, ResetMacrosRestoresTheSnapshotTakenAtConstruction) {
  const Dictionary before = Contents(dictionary_);
  CEngine engine(&dictionary_);
  engine.SetCreateNewProject(1);
  engine.SetProjectType(CEngine::EXECUTABLE);  // removes the host's PROJTYPE_DLL
  dictionary_.SetAt("root", "Changed");        // the host changed an entry after the snapshot
  engine.ResetMacros();
  EXPECT_EQ(Contents(dictionary_), before);
}

TEST_F(EngineTest, AConvertedProjectsSettingsBecomeMacrosAndClearConversionTakesThemAway) {
  CEngine engine(&dictionary_);
  engine.ReadDictionary();
  engine.SelectInstallation("6.0");
  EXPECT_FALSE(engine.ReadProjectToConvert("C:\\Projects\\WycMeter\\Missing.prj"));
  ASSERT_TRUE(engine.ReadProjectToConvert("C:\\Projects\\WycMeter\\WycMeterDll.prj"));
  Dictionary d = Contents(dictionary_);
  EXPECT_EQ(d["PROJTYPE_DLL"], "VAL_UNUSED");
  EXPECT_EQ(d["EXPORT_INCLUDES"], "VAL_UNUSED");
  EXPECT_EQ(d["VERSION_INFO"], "VAL_UNUSED");
  EXPECT_EQ(d["NEED_RESOURCE_FILE"], "VAL_UNUSED");
  EXPECT_FALSE(d["ICON_FILE"].empty());
  EXPECT_FALSE(d["NUMERIC_FILE_VERSION"].empty());
  EXPECT_EQ(engine.GetProjectType(), CEngine::DLL);

  engine.ClearConversion();
  d = Contents(dictionary_);
  for (const char* gone : {"PROJTYPE_DLL", "EXPORT_INCLUDES", "VERSION_INFO", "NEED_RESOURCE_FILE", "ICON_FILE",
                           "NUMERIC_FILE_VERSION", "INSTRSUP"})
    EXPECT_EQ(d.count(gone), 0u) << gone;

  // Only one of the numeric versions and no icon: no version macros and no resource file.
  std::string prj = sandbox::testing::ReadHostFile(kSample + "/Projects/WycMeter/WycMeter.prj");
  const auto cut = [&](const std::string& line) {
    for (size_t at = prj.find(line); at != std::string::npos; at = prj.find(line))
      prj.erase(at, prj.find('\n', at) + 1 - at);
  };
  cut("Numeric Prod Version");
  cut("Icon File");
  WriteDisk("Projects/WycMeter/Partial.prj", prj);
  CopyMeter();
  ASSERT_TRUE(engine.ReadProjectToConvert("T:\\Projects\\WycMeter\\Partial.prj"));
  d = Contents(dictionary_);
  for (const char* gone : {"VERSION_INFO", "NUMERIC_FILE_VERSION", "NEED_RESOURCE_FILE", "ICON_FILE"})
    EXPECT_EQ(d.count(gone), 0u) << gone;

  // Reader failures become the engine's codes.
  const struct {
    const char* text;
    int code;
  } bad[] = {
      {"[Project Header]\r\nVersion = 600\r\nTarget Type = \"Nothing\"\r\n", ENGINE_EXC_NOT_PROJECT},
  };
  for (const auto& row : bad) {
    WriteDisk("Projects/WycMeter/Bad.prj", row.text);
    EXPECT_EQ(Thrown([&] { engine.ReadProjectToConvert("T:\\Projects\\WycMeter\\Bad.prj"); }), row.code) << row.text;
  }
}

TEST_F(EngineTest, InstallationErrorsBecomeEngineCodes) {
  CEngine engine(&dictionary_);
  std::vector<CString> names;
  EXPECT_EQ(engine.FindInstallations(names), 2);
  sandbox::RegistryDeleteKey("HKLM\\Software\\Vellacott\\Wyc");
  EXPECT_EQ(Thrown([&] { engine.FindInstallations(names); }), ENGINE_EXC_NO_INSTALLATION);
  EXPECT_EQ(Thrown([&] { engine.SelectInstallation("6.0"); }), ENGINE_EXC_REGISTRY);
  CString text = "kept";
  CEngine::GetErrorText(9, text);
  EXPECT_EQ(text, "kept");
  CEngine::GetErrorText(ENGINE_EXC_NO_INSTALLATION, text);
  EXPECT_EQ(text.Left(37), "The Harrowgate/Wyc AppWizard did not\n");
}

// Modules of the installation's library panels (so also for a new project): each outcome filed
// once in its set, a module with only its object file added, a cycle checked once.
TEST_F(EngineTest, FunctionPanelModulesAreFiledInTheirSets) {
  const auto module = [&](const std::string& folder, const std::string& name, std::vector<std::string> names,
                          std::vector<std::string> companions) {
    std::vector<std::string> entries;
    for (const std::string& n : names) entries.push_back(n + "_fp");
    WriteDisk("Mods/" + folder + "/" + name + ".fp", Panel{.entries = entries}.Bytes());
    for (const std::string& c : companions) WriteDisk("Mods/" + folder + "/" + c, "x");
  };
  module("a", "alpha", {"beta", "ghost"}, {"alpha.c", "alpha.h"});  // names beta and an unknown one
  module("a", "beta", {"alpha", "objonly"}, {"beta.c"});             // back to alpha: a cycle; no header
  module("a", "objonly", {}, {"objonly.obj", "objonly.h"});          // only its object file
  module("a", "nocode", {}, {"nocode.h"});
  WriteDisk("Mods/a/broken.fp", "not a panel");
  WriteDisk("Mods/a/broken.c", "x");
  int n = 1;
  for (const char* name : {"alpha", "nocode", "broken"})
    sandbox::RegistrySetString(kLibrariesKey, "LibraryFPFile" + std::to_string(n++),
                               std::string("T:\\Mods\\a\\") + name + ".fp");

  CEngine engine(&dictionary_);
  engine.ReadDictionary();
  engine.SelectInstallation("6.0");
  EXPECT_FALSE(engine.CheckFunctionPanels());
  const CPathSet *source, *header, *unlocated, *invalid;
  engine.GetProblemLists(&source, &header, &unlocated, &invalid);
  EXPECT_EQ(TextsOf(*source), Texts{"nocode.fp"});
  EXPECT_EQ(TextsOf(*header), Texts{"beta.fp"});
  EXPECT_EQ(TextsOf(*unlocated), Texts{"ghost.fp"});
  EXPECT_EQ(TextsOf(*invalid), Texts{"broken.fp"});

  // What was found goes into the project with its files.
  IBuildProjectPtr project = OpenProject();
  ASSERT_TRUE(engine.AttachProject(project));
  EXPECT_TRUE(engine.AddProjectFiles());
  const Texts added = sandbox::msdev::Projects()[0].addedFiles;
  for (const char* file : {"T:\\Mods\\a\\alpha.c", "T:\\Mods\\a\\alpha.h", "T:\\Mods\\a\\beta.c",
                           "T:\\Mods\\a\\objonly.obj", "T:\\Mods\\a\\objonly.h"})
    EXPECT_EQ(std::count(added.begin(), added.end(), file), 1) << file;
  EXPECT_EQ(added.size(), 5u);
  engine.DetachProject();
}

// The sample project converted as a DLL whose copy target is the VXIplug&play folder.
TEST_F(EngineTest, AConvertedDllIsCustomizedOnEveryConfiguration) {
  CEngine engine(&dictionary_);
  engine.ReadDictionary();
  engine.SelectInstallation("6.0");
  ASSERT_TRUE(engine.ReadProjectToConvert("C:\\Projects\\WycMeter\\WycMeterDll.prj"));
  IBuildProjectPtr project = OpenProject();
  ASSERT_TRUE(engine.AttachProject(project));
  engine.CheckFunctionPanels();
  EXPECT_TRUE(engine.AddProjectFiles());
  EXPECT_TRUE(engine.AddIncludePaths());
  EXPECT_TRUE(engine.AddLibraries());
  EXPECT_TRUE(engine.SetUpUIRCallbackTable());
  EXPECT_TRUE(engine.AdjustBuildSettings());
  engine.DetachProject();
  EXPECT_EQ(sandbox::msdev::LiveObjects().count("Configuration"), 0u) << "every reference released";

  const std::string release = "WycMeter - Win32 Release";
  Texts settings;
  for (const Change& c : sandbox::msdev::SettingChanges(release))
    if (c.method != "AddCustomBuildStepToFile") settings.push_back(c.method + " " + c.arguments[0] + " " + c.arguments[1]);
  // Include folders sorted and without duplicates: the installation's, the project's and the
  // folders of its function panels.
  const Texts expected = {
      "AddToolSettings cl.exe /I \"C:\\Projects\\WycMeter\"",
      "AddToolSettings cl.exe /I \"C:\\Projects\\WycMeter\\panels\"",
      "AddToolSettings cl.exe /I \"C:\\Wyc\\include\"",
      "AddToolSettings cl.exe /I \"C:\\Wyc\\instr\"",
      "AddToolSettings cl.exe /I \"C:\\Wyc\\toolslib\"",
      "AddToolSettings cl.exe /I \"C:\\Wyc\\toolslib\\custctrl\"",
      "AddToolSettings cl.exe /I \"C:\\Wyc\\toolslib\\custctrl\\custsupp\"",
      "AddToolSettings cl.exe /I \"C:\\Wyc\\toolslib\\localui\"",
      "AddToolSettings cl.exe /I \"C:\\Wyc\\toolslib\\printing\"",
      "AddToolSettings cl.exe /I \"C:\\Wyc\\toolslib\\reportgen\"",
      "AddToolSettings cl.exe /I \"C:\\Wyc\\toolslib\\toolbox\"",
      "AddToolSettings link.exe \"C:\\Wyc\\extlib\\wycanalysis.lib\"",
      "AddToolSettings link.exe \"C:\\Wyc\\extlib\\wycrt.lib\"",
      "AddToolSettings link.exe /NODEFAULTLIB:libc",
      "RemoveToolSettings cl.exe /D \"_AFXDLL\"",
      "RemoveToolSettings rc.exe /D \"_AFXDLL\"",
      "AddToolSettings link.exe kernel32.lib user32.lib gdi32.lib advapi32.lib",
      "AddCustomBuildStep copy \"$(TargetPath)\" \"C:\\VXIPNP\\WinNT\\bin\" C:\\VXIPNP\\WinNT\\bin\\$(TargetName).dll",
      "AddToolSettings link.exe kernel32.lib user32.lib gdi32.lib advapi32.lib",
  };
  EXPECT_EQ(settings, expected);
  EXPECT_EQ(sandbox::msdev::SettingChanges("WycMeter - Win32 Debug").size(),
            sandbox::msdev::SettingChanges(release).size());
  EXPECT_EQ(sandbox::msdev::Projects()[0].activeConfiguration, "WycMeter - Win32 Debug");
  EXPECT_FALSE(DiskBytes("T:\\New\\Meter\\UIRCallbackTable.c").empty());
  EXPECT_FALSE(DiskBytes("T:\\New\\Meter\\Meter.hga").empty());
}

// The copy step by the DLL's copy target, and the library the instrument support chooses.
TEST_F(EngineTest, TheCopyStepFollowsTheCopyTargetAndInstrumentSupportItsLibrary) {
  const struct {
    const char* where;
    Texts step;  // command, output, description; empty: no step
  } rows[] = {
      {"Windows System directory",
       {"copy \"$(TargetPath)\" \"C:\\WINDOWS\\SYSTEM32\"", "C:\\WINDOWS\\SYSTEM32\\$(TargetName).dll",
        "Copy dll to the system directory"}},
      {"Nowhere", {}},
  };
  std::string prj = sandbox::testing::ReadHostFile(kSample + "/Projects/WycMeter/WycMeterDll.prj");
  const std::string vxipnp = "\"VXIplug&play directory\"";
  const size_t at = prj.find(vxipnp);
  ASSERT_NE(at, std::string::npos);
  IBuildProjectPtr project = OpenProject();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.where);
    std::string text = prj;
    text.replace(at, vxipnp.size(), std::string("\"") + row.where + "\"");
    WriteDisk("Projects/WycMeter/Copy.prj", text);
    CEngine engine(&dictionary_);
    engine.SelectInstallation("6.0");
    ASSERT_TRUE(engine.ReadProjectToConvert("T:\\Projects\\WycMeter\\Copy.prj"));
    ASSERT_TRUE(engine.AttachProject(project));
    const size_t before = sandbox::msdev::SettingChanges("WycMeter - Win32 Debug").size();
    EXPECT_TRUE(engine.AdjustBuildSettings());
    Texts step;
    const std::vector<Change> changes = sandbox::msdev::SettingChanges("WycMeter - Win32 Debug");
    for (size_t i = before; i < changes.size(); ++i)
      if (changes[i].method == "AddCustomBuildStep")
        step = Texts(changes[i].arguments.begin(), changes[i].arguments.begin() + 3);
    EXPECT_EQ(step, row.step);

    engine.SetInstrSup(true);
    EXPECT_TRUE(engine.AddLibraries());
    EXPECT_EQ(sandbox::msdev::SettingChanges("WycMeter - Win32 Debug").back().arguments[1], "/NODEFAULTLIB:libc");
    const std::vector<Change> after = sandbox::msdev::SettingChanges("WycMeter - Win32 Debug");
    EXPECT_EQ(after[after.size() - 2].arguments[1], "\"C:\\Wyc\\extlib\\instrsup.lib\"");
    engine.DetachProject();
  }
}

// A folder written with its trailing backslash is quoted without it: the command line would read
// the backslash and quote as one escaped quote.
TEST_F(EngineTest, AnIncludeFolderLosesItsTrailingBackslash) {
  sandbox::RegistrySetString("HKCU\\Software\\Vellacott\\Wyc\\6.0\\IncludePaths", "InclPath1", "T:\\Extra\\");
  CEngine engine(&dictionary_);
  engine.SelectInstallation("6.0");
  IBuildProjectPtr project = OpenProject();
  ASSERT_TRUE(engine.AttachProject(project));
  EXPECT_TRUE(engine.AddIncludePaths());
  engine.DetachProject();
  const std::vector<Change> changes = sandbox::msdev::SettingChanges("WycMeter - Win32 Debug");
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes.back().arguments, (Texts{"cl.exe", "/I \"T:\\Extra\""}));
}

// The project's build configuration is looked for in the platform part of each configuration's
// name: "Debugger - Win32 Release" is not the Debug configuration.
TEST_F(EngineTest, TheActiveConfigurationIsMatchedAfterTheProjectName) {
  CEngine engine(&dictionary_);
  engine.SelectInstallation("6.0");
  ASSERT_TRUE(engine.ReadProjectToConvert("C:\\Projects\\WycMeter\\WycMeter.prj"));  // Debug
  IBuildProjectPtr project = OpenProject("Debugger");
  ASSERT_TRUE(engine.AttachProject(project));
  EXPECT_TRUE(engine.AdjustBuildSettings());
  engine.DetachProject();
  EXPECT_EQ(sandbox::msdev::Projects()[0].activeConfiguration, "Debugger - Win32 Debug");
}

// A failing object-model call makes the operation answer false and the others still run.
TEST_F(EngineTest, AFailingCallIsReportedAndTheRestGoesOn) {
  CEngine engine(&dictionary_);
  engine.ReadDictionary();
  engine.SelectInstallation("6.0");
  IBuildProjectPtr project = OpenProject();
  sandbox::msdev::InjectFailure("IBuildProject::get_Configurations", E_FAIL);
  EXPECT_FALSE(engine.AttachProject(project));
  EXPECT_EQ(sandbox::msdev::LiveObjects().count("Configuration"), 0u);
  ASSERT_TRUE(engine.AttachProject(project));
  EXPECT_TRUE(engine.AddIncludePaths());
  const size_t calls = sandbox::msdev::SettingChanges().size();
  sandbox::msdev::InjectFailure("IConfiguration::AddToolSettings", E_FAIL);
  EXPECT_FALSE(engine.AddIncludePaths());
  EXPECT_EQ(sandbox::msdev::SettingChanges().size(), 2 * calls - 1) << "one call failed, the others made";
  engine.SetProjectType(CEngine::STATIC_LIBRARY);
  EXPECT_TRUE(engine.AdjustBuildSettings());
  for (const Change& c : sandbox::msdev::SettingChanges()) EXPECT_NE(c.method, "AddCustomBuildStep");
  engine.DetachProject();
}

}  // namespace
