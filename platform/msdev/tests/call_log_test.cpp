// The call log, injected failures, and the live objects a caller leaves behind.
#include "msdev_test_support.h"

namespace msdev_test {
namespace {

using CallLogTest = IdeTest;

TEST_F(CallLogTest, EveryAutomationCallIsOneLineInCallOrder) {
  IApplicationPtr app = Application();
  OpenInstruments();
  sandbox::msdev::ClearCallLog();
  IGenericProjectPtr project = ProjectAt(app, I2(2));
  EXPECT_EQ(app->Clean(Name("Nowhere")), E_INVALIDARG);
  EXPECT_EQ(app->PrintToOutputWindow(_bstr_t("done")), S_OK);
  EXPECT_EQ(app->EnableModeless(VARIANT_FALSE), S_OK);
  EXPECT_EQ(sandbox::msdev::CallLog(), (std::vector<std::string>{
                                           "IApplication::get_Projects() -> S_OK",
                                           "IProjects::Item(2) -> S_OK",
                                           "IApplication::Clean(\"Nowhere\") -> E_INVALIDARG",
                                           "IApplication::PrintToOutputWindow(\"done\") -> S_OK",
                                           "IApplication::EnableModeless(false) -> S_OK",
                                       }));
  sandbox::msdev::ClearCallLog();
  EXPECT_TRUE(sandbox::msdev::CallLog().empty());
}

// A call that an event handler makes while the IDE fires an event comes after the call that
// fired it, since lines are written when calls begin.
TEST_F(CallLogTest, NestedCallsFollowTheCallThatCausedThem) {
  IApplicationPtr app = Application();
  OpenInstruments();
  EventRecorder* reporter = new EventRecorder("", NewEventLog());
  reporter->onEvent = [&](const std::string& event) {
    if (event == "BuildFinish(0,0)") app->PrintToOutputWindow(_bstr_t("built"));
  };
  Advise(app, reporter);
  reporter->Release();
  sandbox::msdev::ClearCallLog();
  ASSERT_EQ(app->Build(Name("MeterDll - Win32 Debug")), S_OK);
  EXPECT_EQ(sandbox::msdev::CallLog(),
            (std::vector<std::string>{"IApplication::Build(\"MeterDll - Win32 Debug\") -> S_OK",
                                      "IApplication::PrintToOutputWindow(\"built\") -> S_OK"}));
  sandbox::msdev::StopIde();  // lets the sink go before `app` does
}

TEST_F(CallLogTest, InjectedFailuresChangeNothingAndNullTheirOutputs) {
  IApplicationPtr app = Application();
  OpenInstruments();
  IDispatch* dispatch = nullptr;
  ASSERT_EQ(app->get_Projects(&dispatch), S_OK);
  IProjectsPtr projects;
  projects.Attach(static_cast<IProjects*>(dispatch));
  IConfigurationPtr debug = ConfigurationAt(ProjectAt(app, I4(1)), I4(2));

  sandbox::msdev::InjectFailure("IProjects::Item", E_FAIL, 2);
  sandbox::msdev::InjectFailure("IConfiguration::AddToolSettings", E_OUTOFMEMORY);
  sandbox::msdev::InjectFailure("IApplication::Clean", RPC_E_DISCONNECTED, -1);
  for (int i = 0; i < 2; ++i) {
    IGenericProject* project = reinterpret_cast<IGenericProject*>(0xdeadbeef);
    EXPECT_EQ(projects->Item(I4(1), &project), E_FAIL);
    EXPECT_EQ(project, nullptr);
  }
  IGenericProjectPtr third;
  EXPECT_EQ(projects->Item(I4(3), &third), S_OK) << "the count ran out";
  EXPECT_EQ(debug->AddToolSettings(_bstr_t("cl.exe"), _bstr_t("/O2"), _variant_t()), E_OUTOFMEMORY);
  EXPECT_EQ(debug->AddToolSettings(_bstr_t("cl.exe"), _bstr_t("/Od"), _variant_t()), S_OK);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(app->Clean(Name("MeterDll - Win32 Debug")), RPC_E_DISCONNECTED);
  EXPECT_TRUE(sandbox::msdev::CleanedConfigurations().empty());
  ASSERT_EQ(sandbox::msdev::SettingChanges().size(), 1u);
  EXPECT_EQ(sandbox::msdev::SettingChanges()[0].arguments[1], "/Od");

  LONG count = 99;
  sandbox::msdev::InjectFailure("IProjects::get_Count", E_UNEXPECTED);
  EXPECT_EQ(projects->get_Count(&count), E_UNEXPECTED);
  EXPECT_EQ(count, 0);
  sandbox::msdev::ClearFailures();
  EXPECT_EQ(app->Clean(Name("MeterDll - Win32 Debug")), S_OK);
  const std::vector<std::string> log = sandbox::msdev::CallLog();
  EXPECT_NE(std::find(log.begin(), log.end(), "IProjects::Item(1) -> E_FAIL"), log.end());
}

TEST_F(CallLogTest, ACallerThatReleasesWhatItObtainedLeavesNoObjectAlive) {
  {
    IApplicationPtr app = Application();
    OpenInstruments();
    IGenericProjectPtr project = ProjectAt(app, I4(4));
    IConfigurationPtr configuration = ConfigurationAt(project, I4(3));
    IDispatch* parent = nullptr;
    ASSERT_EQ(configuration->get_Parent(&parent), S_OK);
    IBuildProjectPtr parentProject(parent);
    parent->Release();
    EXPECT_EQ(StringProperty([&](BSTR* name) { return parentProject->get_Name(name); }), "ScopeDrv");
    IDispatch* documents = nullptr;
    ASSERT_EQ(app->get_Documents(&documents), S_OK);
    documents->Release();
    IConnectionPointContainerPtr container(app);
    IConnectionPointPtr point;
    ASSERT_EQ(container->FindConnectionPoint(IID_IApplicationEvents, &point), S_OK);
    const auto live = sandbox::msdev::LiveObjects();
    EXPECT_EQ(live.at("Project"), 2);
    EXPECT_EQ(live.at("Configuration"), 1);
    EXPECT_EQ(live.at("ConnectionPoint"), 1);
    EXPECT_EQ(live.count("Documents"), 0u);
  }
  EXPECT_EQ(sandbox::msdev::LiveObjects(), (std::map<std::string, int>{{"Application", 1}}));
  EXPECT_EQ(sandbox::msdev::ApplicationReferences(), 0);
  sandbox::msdev::StopIde();
  EXPECT_TRUE(sandbox::msdev::LiveObjects().empty());
}

}  // namespace
}  // namespace msdev_test
