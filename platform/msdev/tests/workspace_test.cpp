// A workspace read from real files: its projects, their full paths and configurations through
// the collections, the active project, and what the IDE does with files it cannot read.
#include "msdev_test_support.h"

namespace msdev_test {
namespace {

using WorkspaceTest = IdeTest;

std::vector<std::string> ConfigurationNames(IGenericProject* project) {
  IBuildProjectPtr build(project);
  IConfigurationsPtr configurations;
  EXPECT_EQ(build->get_Configurations(&configurations), S_OK);
  LONG count = -1;
  EXPECT_EQ(configurations->get_Count(&count), S_OK);
  std::vector<std::string> names;
  for (LONG i = 1; i <= count; ++i) {
    IConfigurationPtr configuration;
    EXPECT_EQ(configurations->Item(i % 2 ? I2(static_cast<short>(i)) : I4(i), &configuration), S_OK);
    names.push_back(StringProperty([&](BSTR* name) { return configuration->get_Name(name); }));
  }
  return names;
}

TEST_F(WorkspaceTest, ProjectsWithPathsAndConfigurationsCountingFromOne) {
  IApplicationPtr app = Application();
  OpenInstruments();
  struct Expected {
    const char* name;
    const char* fullPath;
    std::vector<std::string> configurations;
  };
  const Expected expected[] = {
      {"BenchConsole", "T:\\Instruments\\BenchConsole\\BenchConsole.dsp",
       {"BenchConsole - Win32 Release", "BenchConsole - Win32 Debug"}},
      {"MeterDll", "T:\\Instruments\\MeterDll\\MeterDll.dsp", {"MeterDll - Win32 Release", "MeterDll - Win32 Debug"}},
      {"ScopeView", "T:\\Instruments\\Scope View\\ScopeView.dsp",
       {"ScopeView - Win32 Release", "ScopeView - Win32 Debug"}},
      {"ScopeDrv", "T:\\Instruments\\ScopeDrv\\ScopeDrv.dsp",
       {"ScopeDrv - Win32 Release", "ScopeDrv - Win32 Debug", "ScopeDrv - Win32 (ALPHA) Release",
        "ScopeDrv - Win32 (ALPHA) Debug"}},
  };
  IDispatch* dispatch = nullptr;
  ASSERT_EQ(app->get_Projects(&dispatch), S_OK);
  IProjectsPtr projects;
  projects.Attach(static_cast<IProjects*>(dispatch));
  LONG count = 0;
  ASSERT_EQ(projects->get_Count(&count), S_OK);
  ASSERT_EQ(count, 4);
  for (short i = 1; i <= 4; ++i) {
    const Expected& e = expected[i - 1];
    SCOPED_TRACE(e.name);
    IGenericProjectPtr byI2, byI4, byName;
    ASSERT_EQ(projects->Item(I2(i), &byI2), S_OK);
    ASSERT_EQ(projects->Item(I4(i), &byI4), S_OK);
    ASSERT_EQ(projects->Item(Name(e.name), &byName), S_OK);
    for (IGenericProject* project : {byI2.GetInterfacePtr(), byI4.GetInterfacePtr(), byName.GetInterfacePtr()})
      EXPECT_EQ(StringProperty([&](BSTR* name) { return project->get_Name(name); }), e.name);
    EXPECT_EQ(StringProperty([&](BSTR* path) { return byI2->get_FullName(path); }), e.fullPath);
    EXPECT_EQ(StringProperty([&](BSTR* type) { return byI2->get_Type(type); }), DS_BUILD_PROJECT);
    EXPECT_EQ(ConfigurationNames(byI2), e.configurations);
  }
  LONG index = 2;  // an index passed by reference, as script callers do
  VARIANT byRef;
  byRef.vt = VT_I4 | VT_BYREF;
  byRef.plVal = &index;
  IGenericProjectPtr second;
  ASSERT_EQ(projects->Item(byRef, &second), S_OK);
  EXPECT_EQ(StringProperty([&](BSTR* name) { return second->get_Name(name); }), "MeterDll");
}

TEST_F(WorkspaceTest, BadIndexesAreRefusedWithANullProject) {
  IApplicationPtr app = Application();
  OpenInstruments();
  IDispatch* dispatch = nullptr;
  ASSERT_EQ(app->get_Projects(&dispatch), S_OK);
  IProjectsPtr projects;
  projects.Attach(static_cast<IProjects*>(dispatch));
  IGenericProjectPtr scopeDrv = ProjectAt(app, Name("scopedrv"));  // names compare without case
  ASSERT_NE(scopeDrv, nullptr);
  IBuildProjectPtr build(scopeDrv);
  IConfigurationsPtr configurations;
  ASSERT_EQ(build->get_Configurations(&configurations), S_OK);
  struct Case {
    const char* name;
    _variant_t index;
    HRESULT expected;
  };
  const Case projectCases[] = {
      {.name = "zero", .index = I4(0), .expected = E_INVALIDARG},
      {.name = "past the end", .index = I2(5), .expected = E_INVALIDARG},
      {.name = "negative", .index = I4(-1), .expected = E_INVALIDARG},
      {.name = "unknown name", .index = Name("Nowhere"), .expected = E_INVALIDARG},
      {.name = "a real number", .index = _variant_t(1.0), .expected = DISP_E_TYPEMISMATCH},
  };
  for (const Case& c : projectCases) {
    SCOPED_TRACE(c.name);
    IGenericProject* project = reinterpret_cast<IGenericProject*>(0xdeadbeef);
    EXPECT_EQ(projects->Item(c.index, &project), c.expected);
    EXPECT_EQ(project, nullptr);
  }
  const Case configurationCases[] = {
      {.name = "zero", .index = I2(0), .expected = E_INVALIDARG},
      {.name = "past the end", .index = I4(5), .expected = E_INVALIDARG},
      {.name = "a configuration of another project", .index = Name("MeterDll - Win32 Debug"),
       .expected = E_INVALIDARG},
  };
  for (const Case& c : configurationCases) {
    SCOPED_TRACE(c.name);
    IConfiguration* configuration = reinterpret_cast<IConfiguration*>(0xdeadbeef);
    EXPECT_EQ(configurations->Item(c.index, &configuration), c.expected);
    EXPECT_EQ(configuration, nullptr);
  }
  EXPECT_EQ(projects->Item(I4(1), nullptr), E_POINTER);
}

TEST_F(WorkspaceTest, ActiveProjectIsTheFirstUntilSet) {
  IApplicationPtr app = Application();
  IDispatch* active = reinterpret_cast<IDispatch*>(0xdeadbeef);
  ASSERT_EQ(app->get_ActiveProject(&active), S_OK) << "no workspace: no active project, no error";
  EXPECT_EQ(active, nullptr);
  ASSERT_EQ(app->get_ActiveConfiguration(&active), S_OK);
  EXPECT_EQ(active, nullptr);

  OpenInstruments();
  ASSERT_EQ(app->get_ActiveProject(&active), S_OK);
  IGenericProjectPtr first;
  first.Attach(static_cast<IGenericProject*>(active));
  EXPECT_EQ(StringProperty([&](BSTR* name) { return first->get_Name(name); }), "BenchConsole");
  IDispatch* configuration = nullptr;
  ASSERT_EQ(app->get_ActiveConfiguration(&configuration), S_OK);
  IConfigurationPtr activeConfiguration;
  activeConfiguration.Attach(static_cast<IConfiguration*>(configuration));
  EXPECT_EQ(StringProperty([&](BSTR* name) { return activeConfiguration->get_Name(name); }),
            "BenchConsole - Win32 Debug")
      << "the project file's CFG= line names the default configuration";

  IGenericProjectPtr third = ProjectAt(app, I4(3));
  ASSERT_EQ(app->put_ActiveProject(third), S_OK);
  EXPECT_EQ(sandbox::msdev::ActiveProject(), "ScopeView");
  EXPECT_EQ(app->put_ActiveProject(nullptr), E_INVALIDARG);
  EXPECT_EQ(app->put_ActiveProject(app), E_INVALIDARG) << "not a project";
  EXPECT_EQ(sandbox::msdev::ActiveProject(), "ScopeView");

  // Choosing a configuration of another project makes that project active too.
  IConfigurationPtr release = ConfigurationAt(ProjectAt(app, Name("ScopeDrv")), Name("ScopeDrv - Win32 Release"));
  ASSERT_EQ(app->put_ActiveConfiguration(release), S_OK);
  EXPECT_EQ(sandbox::msdev::ActiveProject(), "ScopeDrv");
  EXPECT_EQ(sandbox::msdev::Projects()[3].activeConfiguration, "ScopeDrv - Win32 Release");
}

TEST_F(WorkspaceTest, AMissingProjectFileLeavesThatProjectWithoutConfigurations) {
  std::filesystem::remove(HostPath("Instruments/MeterDll/MeterDll.dsp"));
  IApplicationPtr app = Application();
  OpenInstruments();
  IGenericProjectPtr meter = ProjectAt(app, I4(2));
  EXPECT_EQ(StringProperty([&](BSTR* name) { return meter->get_Name(name); }), "MeterDll");
  EXPECT_EQ(ConfigurationNames(meter), std::vector<std::string>{});
  EXPECT_EQ(ConfigurationNames(ProjectAt(app, I4(1))).size(), 2u) << "the other projects are read";
  const std::vector<std::string> messages = sandbox::msdev::WorkspaceMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("T:\\Instruments\\MeterDll\\MeterDll.dsp"), std::string::npos) << messages[0];
}

TEST_F(WorkspaceTest, AWorkspaceThatCannotBeReadChangesNothing) {
  IApplicationPtr app = Application();
  OpenInstruments();
  const EventLog events = NewEventLog();
  EventRecorder* sink = new EventRecorder("", events);
  Advise(app, sink);
  sink->Release();
  Copy("dsw_refuse_empty.dsw", HostPath("Bad/Empty.dsw"));
  Write("Bad/NotAWorkspace.dsw", "# Microsoft Developer Studio Project File - Name=\"X\"\r\n");
  Write("Bad/BadLine.dsw",
        "Microsoft Developer Studio Workspace File, Format Version 6.00\r\n\r\nProject: Unquoted=.\\x.dsp - Package "
        "Owner=<4>\r\n");
  for (const char* path : {"T:\\Bad\\Missing.dsw", "T:\\Bad\\Empty.dsw", "T:\\Bad\\NotAWorkspace.dsw",
                           "T:\\Bad\\BadLine.dsw", "T:\\Bad"}) {
    SCOPED_TRACE(path);
    std::string error;
    EXPECT_FALSE(sandbox::msdev::OpenWorkspace(path, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(sandbox::msdev::WorkspacePath(), "T:\\Instruments\\Instruments.dsw");
    EXPECT_EQ(sandbox::msdev::Projects().size(), 4u);
  }
  EXPECT_EQ(*events, std::vector<std::string>{}) << "no workspace closed or opened";
}

// Files converted to LF by version control, a project without any !MESSAGE list, cp1252 names,
// an unquoted path with blanks, and the double-byte code page keeping its bytes.
TEST_F(WorkspaceTest, LineEndsSingleConfigurationsAndNameBytesAsWritten) {
  Copy("dsw_edge_cases.dsw", HostPath("Edge/Edge.dsw"));
  Write("Edge/Gr\xC3\xBCn Filter/Gr\xC3\xBCnfilter.dsp",
        "# Microsoft Developer Studio Project File - Name=\"Gr\xFCnfilter\" - Package Owner=<4>\n"
        "# Microsoft Developer Studio Generated Build File, Format Version 6.00\n"
        "CFG=Gr\xFCnfilter - Win32 Release\n"
        "# Begin Project\n# Begin Target\n\n# Name \"Gr\xFCnfilter - Win32 Release\"\n# End Target\n# End Project\n");
  std::string error;
  ASSERT_TRUE(sandbox::msdev::OpenWorkspace("T:\\Edge\\Edge.dsw", &error)) << error;
  IApplicationPtr app = Application();
  IGenericProjectPtr project = ProjectAt(app, I4(1));
  EXPECT_EQ(StringProperty([&](BSTR* name) { return project->get_Name(name); }), "Gr\xFCnfilter");
  EXPECT_EQ(StringProperty([&](BSTR* path) { return project->get_FullName(path); }),
            "T:\\Edge\\Gr\xFCn Filter\\Gr\xFCnfilter.dsp");
  EXPECT_EQ(ConfigurationNames(project), std::vector<std::string>{"Gr\xFCnfilter - Win32 Release"});

  Write("Plain/Plain.dsw",
        "Microsoft Developer Studio Workspace File, Format Version 6.00\n\n"
        "Project: \"Two Words\"=.\\Two Words\\Two Words.dsp - Package Owner=<4>\n\n"
        "Project: \"Tiny\"=\"..\\Tiny.dsp\" - Package Owner=<4>\n");
  Write("Plain/Two Words/Two Words.dsp",
        "# Microsoft Developer Studio Project File - Name=\"Two Words\" - Package Owner=<4>\n"
        "!MESSAGE \"Two Words - Win32 Release\" (based on \"Win32 (x86) Console Application\")\n"
        "!MESSAGE \"Two Words - Win32 Debug\" (based on \"Win32 (x86) Console Application\")\n"
        "!MESSAGE NMAKE /f \"Two Words.mak\" CFG=\"Two Words - Win32 Debug\"\n");
  Copy("dsp_refuse_single_config.dsp", HostPath("Tiny.dsp"));
  ASSERT_TRUE(sandbox::msdev::OpenWorkspace("T:\\Plain\\Plain.dsw", &error)) << error;
  const std::vector<sandbox::msdev::Project> projects = sandbox::msdev::Projects();
  ASSERT_EQ(projects.size(), 2u);
  EXPECT_EQ(projects[0].fullPath, "T:\\Plain\\Two Words\\Two Words.dsp");
  EXPECT_EQ(projects[0].configurations,
            (std::vector<std::string>{"Two Words - Win32 Release", "Two Words - Win32 Debug"}));
  EXPECT_EQ(projects[1].fullPath, "T:\\Tiny.dsp");
  EXPECT_EQ(projects[1].configurations, std::vector<std::string>{"Tiny - Win32 Release"});
}

// A project's Type comes from its header's first TARGTYPE line: a utility project (code 0x010a)
// is no "Build" project.
TEST_F(WorkspaceTest, AUtilityProjectIsNoBuildProject) {
  struct Row {
    const char* name;
    const char* targetTypes;
    const char* type;
  };
  const Row rows[] = {
      {"Utility", "# TARGTYPE \"Win32 (x86) Generic Project\" 0x010a\r\n", "Utility"},
      {"Application", "# TARGTYPE \"Win32 (x86) Application\" 0x0101\r\n", "Build"},
      {"Mixed", "# TARGTYPE \"Win32 (x86) Static Library\" 0x0104\r\n# TARGTYPE \"Win32 (x86) Generic Project\" 0x010a\r\n",
       "Build"},
      {"Unmarked", "", "Build"},
  };
  std::string workspace = "Microsoft Developer Studio Workspace File, Format Version 6.00\r\n\r\n";
  for (const Row& row : rows) {
    workspace += std::string("Project: \"") + row.name + "\"=.\\" + row.name + ".dsp - Package Owner=<4>\r\n";
    Write(std::string("Kinds/") + row.name + ".dsp",
          std::string("# Microsoft Developer Studio Project File - Name=\"") + row.name +
              "\" - Package Owner=<4>\r\n# Microsoft Developer Studio Generated Build File, Format Version 6.00\r\n" +
              row.targetTypes + "\r\nCFG=" + row.name + " - Win32 Debug\r\n");
  }
  Write("Kinds/Kinds.dsw", workspace);
  std::string error;
  ASSERT_TRUE(sandbox::msdev::OpenWorkspace("T:\\Kinds\\Kinds.dsw", &error)) << error;
  IApplicationPtr app = Application();
  for (const Row& row : rows) {
    IGenericProjectPtr project = ProjectAt(app, Name(row.name));
    ASSERT_NE(project, nullptr) << row.name;
    EXPECT_EQ(StringProperty([&](BSTR* type) { return project->get_Type(type); }), row.type) << row.name;
  }
}

}  // namespace
}  // namespace msdev_test
