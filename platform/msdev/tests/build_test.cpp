// What add-ins ask of the build: cleaning and building configurations, tool settings, custom
// build steps and file settings per configuration, files added to a project.
#include "msdev_test_support.h"

namespace msdev_test {
namespace {

class BuildTest : public IdeTest {
 protected:
  void SetUp() override {
    IdeTest::SetUp();
    app_ = Application();
    OpenInstruments();
  }
  void TearDown() override {
    app_ = nullptr;
    IdeTest::TearDown();
  }
  IApplicationPtr app_;
};

TEST_F(BuildTest, CleanByNameOrObjectIsRecordedAndUnknownNamesRefused) {
  EXPECT_EQ(app_->Clean(Name("MeterDll - Win32 Release")), S_OK);
  EXPECT_EQ(app_->Clean(Name("scopedrv - win32 (alpha) debug")), S_OK) << "any case";
  IConfigurationPtr debug = ConfigurationAt(ProjectAt(app_, Name("BenchConsole")), I4(2));
  EXPECT_EQ(app_->Clean(_variant_t(static_cast<IDispatch*>(debug))), S_OK);
  EXPECT_EQ(app_->Clean(_variant_t()), S_OK) << "no argument: the active configuration";

  EXPECT_EQ(app_->Clean(Name("MeterDll - Win32 Profile")), E_INVALIDARG);
  EXPECT_EQ(app_->Clean(Name("")), E_INVALIDARG);
  EXPECT_EQ(app_->Clean(_variant_t(static_cast<IDispatch*>(app_))), E_INVALIDARG) << "not a configuration";
  EXPECT_EQ(app_->Clean(I4(1)), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(sandbox::msdev::CleanedConfigurations(),
            (std::vector<std::string>{"MeterDll - Win32 Release", "ScopeDrv - Win32 (ALPHA) Debug",
                                      "BenchConsole - Win32 Debug", "BenchConsole - Win32 Debug"}));
  for (const auto& project : sandbox::msdev::Projects()) EXPECT_FALSE(project.modified) << project.name;
}

TEST_F(BuildTest, BuildsAreRecordedBetweenTheirTwoEvents) {
  const EventLog events = NewEventLog();
  EventRecorder* sink = new EventRecorder("", events);
  Advise(app_, sink);
  sink->Release();
  EXPECT_EQ(app_->Build(Name("MeterDll - Win32 Debug")), S_OK);
  EXPECT_EQ(app_->RebuildAll(Name("ScopeView - Win32 Release")), S_OK);
  EXPECT_EQ(app_->Build(Name("Nowhere - Win32 Debug")), E_INVALIDARG);
  EXPECT_EQ(sandbox::msdev::Builds(),
            (std::vector<std::string>{"Build MeterDll - Win32 Debug", "RebuildAll ScopeView - Win32 Release"}));
  EXPECT_EQ(*events, (std::vector<std::string>{"BeforeBuildStart", "BuildFinish(0,0)", "BeforeBuildStart",
                                               "BuildFinish(0,0)"}));
  // The user's Build command builds the active project's active configuration, which the user
  // may switch to another project.
  events->clear();
  EXPECT_TRUE(sandbox::msdev::Build());
  ASSERT_TRUE(sandbox::msdev::SetActiveProject("scopeview"));
  EXPECT_FALSE(sandbox::msdev::SetActiveProject("Nowhere"));
  EXPECT_EQ(sandbox::msdev::ActiveProject(), "ScopeView");
  EXPECT_TRUE(sandbox::msdev::Build());
  const std::vector<std::string> builds = sandbox::msdev::Builds();
  ASSERT_EQ(builds.size(), 4u);
  EXPECT_EQ(builds[2], "Build " + sandbox::msdev::Projects()[0].activeConfiguration);
  EXPECT_EQ(builds[3], "Build ScopeView - Win32 Debug");
  EXPECT_EQ(*events, (std::vector<std::string>{"BeforeBuildStart", "BuildFinish(0,0)", "BeforeBuildStart",
                                               "BuildFinish(0,0)"}));
  ASSERT_TRUE(sandbox::msdev::CloseWorkspace());
  EXPECT_FALSE(sandbox::msdev::Build()) << "no active project";
  EXPECT_EQ(sandbox::msdev::Builds().size(), 4u);
  LONG errors = -1, warnings = -1;
  EXPECT_EQ(app_->get_Errors(&errors), S_OK);
  EXPECT_EQ(app_->get_Warnings(&warnings), S_OK);
  EXPECT_EQ(errors + warnings, 0);
}

TEST_F(BuildTest, SettingsAreRecordedPerConfigurationInCallOrder) {
  IGenericProjectPtr meter = ProjectAt(app_, Name("MeterDll"));
  IConfigurationPtr release = ConfigurationAt(meter, I4(1));
  IConfigurationPtr debug = ConfigurationAt(meter, I4(2));
  const _variant_t none;
  EXPECT_EQ(release->AddToolSettings(_bstr_t("cl.exe"), _bstr_t("/I \"C:\\Tq\\include\""), none), S_OK);
  EXPECT_EQ(debug->AddToolSettings(_bstr_t("link.exe"), _bstr_t("tqrt.lib"), none), S_OK);
  EXPECT_EQ(release->RemoveToolSettings(_bstr_t("RC.EXE"), _bstr_t("/d NDEBUG"), none), S_OK);
  EXPECT_EQ(release->AddCustomBuildStep(_bstr_t("copy $(TargetPath) C:\\Tq"), _bstr_t("C:\\Tq\\MeterDll.dll"),
                                        _bstr_t("Installing"), none),
            S_OK);
  EXPECT_EQ(debug->AddCustomBuildStepToFile(_bstr_t("meter.uir"), _bstr_t("uirtoc meter.uir"), _bstr_t("meter.c"),
                                            _bstr_t("Converting"), none),
            S_OK);
  EXPECT_EQ(release->AddFileSettings(_bstr_t("meter.c"), _bstr_t("/Yu\"stdafx.h\""), none), S_OK);
  EXPECT_EQ(release->RemoveFileSettings(_bstr_t("meter.c"), _bstr_t("/Yc"), none), S_OK);

  struct Refused {
    const char* name;
    HRESULT hr;
  };
  const Refused refused[] = {
      {"unknown tool", release->AddToolSettings(_bstr_t("gcc"), _bstr_t("-O2"), none)},
      {"no tool", release->RemoveToolSettings(_bstr_t(""), _bstr_t("/O2"), none)},
      {"no command", release->AddCustomBuildStep(_bstr_t(""), _bstr_t("x"), _bstr_t("y"), none)},
      {"no file", release->AddFileSettings(_bstr_t(""), _bstr_t("/O2"), none)},
      {"no command for the file",
       release->AddCustomBuildStepToFile(_bstr_t("a.c"), _bstr_t(""), _bstr_t("b"), _bstr_t("c"), none)},
  };
  for (const Refused& r : refused) EXPECT_EQ(r.hr, E_INVALIDARG) << r.name;

  using Change = sandbox::msdev::SettingChange;
  const std::string r = "MeterDll - Win32 Release", d = "MeterDll - Win32 Debug";
  EXPECT_EQ(sandbox::msdev::SettingChanges(r),
            (std::vector<Change>{
                {r, "AddToolSettings", {"cl.exe", "/I \"C:\\Tq\\include\""}},
                {r, "RemoveToolSettings", {"RC.EXE", "/d NDEBUG"}},
                {r, "AddCustomBuildStep", {"copy $(TargetPath) C:\\Tq", "C:\\Tq\\MeterDll.dll", "Installing"}},
                {r, "AddFileSettings", {"meter.c", "/Yu\"stdafx.h\""}},
                {r, "RemoveFileSettings", {"meter.c", "/Yc"}},
            }));
  EXPECT_EQ(sandbox::msdev::SettingChanges(d),
            (std::vector<Change>{
                {d, "AddToolSettings", {"link.exe", "tqrt.lib"}},
                {d, "AddCustomBuildStepToFile", {"meter.uir", "uirtoc meter.uir", "meter.c", "Converting"}},
            }));
  EXPECT_EQ(sandbox::msdev::SettingChanges().size(), 7u);
  const auto projects = sandbox::msdev::Projects();
  EXPECT_TRUE(projects[1].modified);
  EXPECT_FALSE(projects[0].modified);
}

TEST_F(BuildTest, FilesAddedToAProjectMarkItModified) {
  IBuildProjectPtr scope(ProjectAt(app_, Name("ScopeView")));
  EXPECT_EQ(scope->AddFile(_bstr_t("T:\\Instruments\\Scope View\\trace.c"), _variant_t()), S_OK);
  EXPECT_EQ(scope->AddFile(_bstr_t("trace.h"), _variant_t()), S_OK);
  EXPECT_EQ(scope->AddFile(_bstr_t(""), _variant_t()), E_INVALIDARG);
  const auto projects = sandbox::msdev::Projects();
  EXPECT_EQ(projects[2].addedFiles, (std::vector<std::string>{"T:\\Instruments\\Scope View\\trace.c", "trace.h"}));
  EXPECT_TRUE(projects[2].modified);
  EXPECT_TRUE(projects[3].addedFiles.empty());

  // Saving everything takes the changes in.
  IDispatch* documents = nullptr;
  ASSERT_EQ(app_->get_Documents(&documents), S_OK);
  IDocumentsPtr docs;
  docs.Attach(static_cast<IDocuments*>(documents));
  DsSaveStatus saved = dsSaveCanceled;
  ASSERT_EQ(docs->SaveAll(_variant_t(), &saved), S_OK);
  EXPECT_EQ(saved, dsSaveSucceeded);
  EXPECT_FALSE(sandbox::msdev::Projects()[2].modified);
}

// A configuration kept after its workspace closed stands for nothing any more.
TEST_F(BuildTest, ObjectsOfAClosedWorkspaceAreDisconnected) {
  IConfigurationPtr release = ConfigurationAt(ProjectAt(app_, I4(1)), I4(1));
  sandbox::msdev::CloseWorkspace();
  EXPECT_EQ(release->AddToolSettings(_bstr_t("cl.exe"), _bstr_t("/O2"), _variant_t()), RPC_E_DISCONNECTED);
  EXPECT_EQ(app_->Clean(_variant_t(static_cast<IDispatch*>(release))), E_INVALIDARG);
  EXPECT_TRUE(sandbox::msdev::SettingChanges().empty());
  EXPECT_TRUE(sandbox::msdev::CleanedConfigurations().empty());
}

}  // namespace
}  // namespace msdev_test
