// The AppWizard modules' bases end to end: the IDE's New Project dialog runs TestWizard.awx (a
// custom AppWizard over the host library) from disk, which hands its steps, templates and
// customization to TestPlugIn.dll (a plug-in over the plug-in interface base). The project of
// each kind is written with what the plug-in's CustomizeProject recorded, as a golden file; both
// readers read it back; cancelling anywhere and a refused template leave no file. The plug-in
// interface base's own promises are checked on the loaded plug-in.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "dsp/DspFile.h"
#include "dsp/DspFileBuilder.h"
#include "plugin/CustomAppWizard.h"
#include "sandbox/msdev.h"
#include "sandbox/test_support.h"
#include "sandbox/wizard.h"

namespace {

const std::string kGolden = sandbox::testing::SourceRoot() + "/wycwizard/tests/golden/newproject/";
constexpr int64_t kStart = 946684800000;  // 2000-01-01 00:00:00 UTC
constexpr int kKindApplication = 1001, kKindDll = 1002, kKindLibrary = 1003, kKindConsole = 1004, kKindMfcDll = 1005,
              kKindBroken = 1006;

// The user's choices in the New Project dialog.
sandbox::Answer NewProjectAnswer(int result = IDOK) {
  return {result, "", [](void* dialog) {
            sandbox::SelectItem(dialog, sandbox::msdev::kNewProjectTypes, "TestWizard");
            sandbox::TypeText(dialog, sandbox::msdev::kNewProjectName, "Thermo");
            sandbox::TypeText(dialog, sandbox::msdev::kNewProjectLocation, "C:\\Projects");
            sandbox::SetCheck(dialog, sandbox::msdev::kNewProjectOther, BST_CHECKED);
          }};
}

// The wizard: the kind on the plug-in's step, then Finish (an MFC DLL goes on to step 8 first).
sandbox::Answer WizardAnswer(int kind, int result = sandbox::kWizardFinish) {
  return {result, "", [kind](void* frame) {
            sandbox::SetCheck(sandbox::WizardStep(frame), kind, BST_CHECKED);
            if (kind != kKindMfcDll) return;
            sandbox::ClickButton(frame, sandbox::kWizardNext);
            // The plug-in counted the steps: the last of two has Back and Finish, not Next.
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(static_cast<HWND>(frame), sandbox::kWizardBack)));
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(static_cast<HWND>(frame), sandbox::kWizardNext)));
            sandbox::SetCheck(sandbox::WizardStep(frame), sandbox::kMfcDllAutomation, BST_CHECKED);
          }};
}

class NewProject : public sandbox::testing::TempDriveTest<'C'> {
 protected:
  void SetUp() override {
    TempDriveTest::SetUp();
    sandbox::SetClock(kStart);
    ASSERT_TRUE(CreateDirectory("C:\\Templates", nullptr));
    ASSERT_TRUE(CopyFile(sandbox::WindowsPath(TEST_WIZARD_FILE).c_str(), "C:\\Templates\\TestWizard.awx", TRUE));
    ASSERT_TRUE(CopyFile(sandbox::WindowsPath(TEST_PLUGIN_FILE).c_str(), "C:\\Templates\\TestPlugIn.dll", TRUE));
    sandbox::msdev::SetTemplateFolder("C:\\Templates");
    sandbox::msdev::StartIde();
  }

  bool Run(std::string* error = nullptr) {
    sandbox::ClearDebugOutput();
    return sandbox::msdev::NewProject(error);
  }

  // What the two modules were told, in order, without their names.
  static std::vector<std::string> Calls() {
    std::vector<std::string> calls;
    for (const std::string& line : sandbox::DebugOutput())
      if (line.rfind("TestWizard: ", 0) == 0 || line.rfind("TestPlugIn: ", 0) == 0) calls.push_back(line);
    return calls;
  }

  bool NothingWritten() { return !OnDisk("C:\\Projects"); }
};

TEST_F(NewProject, TheWizardsCallsComeInTheirOrder) {
  sandbox::QueueAnswer("NewProject", NewProjectAnswer());
  sandbox::QueueAnswer("AppWizard", WizardAnswer(kKindApplication));
  sandbox::QueueAnswer("NewProjectInformation", sandbox::Answer{IDOK});
  std::string error;
  ASSERT_TRUE(Run(&error)) << error;
  const std::vector<std::string> expected = {
      "TestWizard: InitCustomAppWiz",
      "TestPlugIn: InitCustomAppWizard",
      "TestWizard: GetPlatforms",
      "TestPlugIn: GetPlatforms [Win32 (x86)]",  // Macintosh taken away by the custom AppWizard
      "TestPlugIn: Next",
      "TestPlugIn: OnDismiss",
      "TestPlugIn: LoadTemplate CONFIRM.INF",
      "TestPlugIn: ProcessTemplate",
      "TestPlugIn: LoadTemplate NEWPROJ.INF",
      "TestPlugIn: ProcessTemplate",
      "TestPlugIn: LoadTemplate root.cpp",
      "TestPlugIn: ProcessTemplate",
      "TestPlugIn: PostProcessTemplate root.cpp",
      "TestPlugIn: LoadTemplate root.h",
      "TestPlugIn: ProcessTemplate",
      "TestPlugIn: PostProcessTemplate root.h",
      "TestPlugIn: LoadTemplate root.rc",
      "TestPlugIn: ProcessTemplate",
      "TestPlugIn: PostProcessTemplate root.rc",
      "TestPlugIn: LoadTemplate resource.h",
      "TestPlugIn: CopyTemplate",
      "TestPlugIn: PostProcessTemplate resource.h",
      "TestPlugIn: LoadTemplate panel.uir",
      "TestPlugIn: CopyTemplate",
      "TestPlugIn: PostProcessTemplate panel.uir",
      "TestPlugIn: LoadTemplate readme.txt",
      "TestPlugIn: ProcessTemplate",
      "TestPlugIn: PostProcessTemplate readme.txt",
      "TestPlugIn: CustomizeProject",
      "TestWizard: ExitCustomAppWiz",
      "TestPlugIn: ExitCustomAppWizard (workspace written)",
  };
  EXPECT_EQ(Calls(), expected);
  EXPECT_EQ(sandbox::msdev::WorkspacePath(), "C:\\Projects\\Thermo\\Thermo.dsw");

  // The confirmation showed CONFIRM.INF expanded.
  std::string information;
  for (const sandbox::Modal& modal : sandbox::Modals())
    if (modal.kind == "NewProjectInformation") information = modal.text;
  EXPECT_EQ(information, "Project Thermo.dsp in C:\\Projects\\Thermo\\\nA Win32 application: Thermo.exe\n");

  // Processed templates are written in text mode, copied ones byte for byte.
  EXPECT_EQ(DiskBytes("C:\\Projects\\Thermo\\ReadMe.txt"), "Thermo: a project of the test custom AppWizard.\r\n");
  EXPECT_EQ(DiskBytes("C:\\Projects\\Thermo\\Resource.h"),
            "// Resource.h: copied as it is, $$root$$ and all.\n#define IDI_ICON1 101\n");
  EXPECT_EQ(DiskBytes("C:\\Projects\\Thermo\\panel.uir"),
            sandbox::testing::ReadHostFile(sandbox::testing::SourceRoot() + "/wycwizard/tests/appwiz/templates/panel.uir"));
  // The module and its plug-in are freed.
  for (const sandbox::LoadedModule& module : sandbox::LoadedModules())
    EXPECT_EQ(module.path.find("Templates"), std::string::npos) << module.path;
}

// Each kind of project, written as the IDE writes it, with the settings, files and custom build
// steps the plug-in recorded (one setting recorded twice, one the configuration had) rendered in.
TEST_F(NewProject, EachKindIsWrittenWithWhatTheCustomAppWizardRecorded) {
  struct Row {
    const char* name;
    int kind;
    bool systemReaderTakesIt;
  } rows[] = {
      {"Application", kKindApplication, true}, {"DynamicLibrary", kKindDll, true},
      {"StaticLibrary", kKindLibrary, false},  {"Console", kKindConsole, true},
      {"MfcDll", kKindMfcDll, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::msdev::CloseWorkspace();
    std::filesystem::remove_all(sandbox::HostPath("C:\\Projects"));
    sandbox::QueueAnswer("NewProject", NewProjectAnswer());
    sandbox::QueueAnswer("AppWizard", WizardAnswer(row.kind));
    sandbox::QueueAnswer("NewProjectInformation", sandbox::Answer{IDOK});
    std::string error;
    ASSERT_TRUE(Run(&error)) << error;
    const std::string project = DiskBytes("C:\\Projects\\Thermo\\Thermo.dsp");
    const std::string golden = kGolden + row.name + ".dsp";
    EXPECT_EQ(project, sandbox::testing::ReadHostFile(golden));
    EXPECT_EQ(DiskBytes("C:\\Projects\\Thermo\\Thermo.dsw"), sandbox::testing::ReadHostFile(kGolden + "Thermo.dsw"));

    // The IDE read it as the new workspace.
    const std::vector<sandbox::msdev::Project> projects = sandbox::msdev::Projects();
    ASSERT_EQ(projects.size(), 1u);
    EXPECT_EQ(projects[0].name, "Thermo");
    EXPECT_EQ(projects[0].configurations,
              (std::vector<std::string>{"Thermo - Win32 Release", "Thermo - Win32 Debug"}));
    EXPECT_EQ(projects[0].activeConfiguration, "Thermo - Win32 Debug");

    // The system's reader takes it and writes it back as it was (it refuses static libraries).
    CDspFile file;
    std::string refused;
    try {
      CDspFileBuilder("C:\\Projects\\Thermo\\Thermo.dsp").Build(file);
    } catch (CException* e) {
      refused = sandbox::testing::MessageOf(e);
      e->Delete();
    }
    EXPECT_EQ(refused.empty(), row.systemReaderTakesIt) << refused;
    if (!refused.empty()) continue;
    CStdioFile out;
    ASSERT_TRUE(out.Open("C:\\again.dsp", CFile::modeCreate | CFile::modeWrite | CFile::typeText));
    file.Write(out);
    out.Close();
    EXPECT_EQ(DiskBytes("C:\\again.dsp"), project);
  }
}

TEST_F(NewProject, CancellingOrARefusedTemplateLeavesNoFile) {
  struct Row {
    const char* name;
    std::vector<std::pair<std::string, sandbox::Answer>> answers;
    std::vector<std::string> lastCalls;  // what the wizard heard last
    std::string error = "cancelled";
  } rows[] = {
      {"Cancel in the New Project dialog", {{"NewProject", NewProjectAnswer(IDCANCEL)}}, {}},
      {"Cancel in the wizard",
       {{"NewProject", NewProjectAnswer()}, {"AppWizard", WizardAnswer(kKindApplication, sandbox::kWizardCancel)}},
       {"TestWizard: ExitCustomAppWiz", "TestPlugIn: ExitCustomAppWizard"}},
      {"Back from the first step leaves as Cancel does",
       {{"NewProject", NewProjectAnswer()}, {"AppWizard", sandbox::Answer{sandbox::kWizardBack}}},
       {"TestPlugIn: Back", "TestWizard: ExitCustomAppWiz", "TestPlugIn: ExitCustomAppWizard"}},
      {"Cancel on the project's information, then in the wizard",
       {{"NewProject", NewProjectAnswer()},
        {"AppWizard", sandbox::Answer{sandbox::kWizardCancel, "",
                                      [](void* frame) {
                                        // The plug-in has no step after this one: Next keeps it.
                                        void* step = sandbox::WizardStep(frame);
                                        sandbox::ClickButton(frame, sandbox::kWizardNext);
                                        EXPECT_EQ(sandbox::WizardStep(frame), step);
                                        sandbox::ClickButton(frame, sandbox::kWizardFinish);
                                        EXPECT_EQ(sandbox::WizardStep(frame), step);
                                      }}},
        {"NewProjectInformation", sandbox::Answer{IDCANCEL}}},
       {"TestWizard: ExitCustomAppWiz", "TestPlugIn: ExitCustomAppWizard"}},
      {"A template the language refuses, after the others were expanded",
       {{"NewProject", NewProjectAnswer()},
        {"AppWizard", sandbox::Answer{sandbox::kWizardFinish, "",
                                      [](void* frame) {
                                        sandbox::SetCheck(sandbox::WizardStep(frame), kKindBroken, BST_CHECKED);
                                      }}},
        {"NewProjectInformation", sandbox::Answer{IDOK}}},
       {"TestPlugIn: LoadTemplate broken.txt", "TestPlugIn: ProcessTemplate", "TestWizard: ExitCustomAppWiz",
        "TestPlugIn: ExitCustomAppWizard"},
       "The project was not made: broken.txt(2): $$IF without $$ENDIF"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    for (const auto& [kind, answer] : row.answers) sandbox::QueueAnswer(kind, answer);
    std::string error;
    EXPECT_FALSE(Run(&error));
    EXPECT_EQ(error, row.error);
    EXPECT_TRUE(NothingWritten());
    EXPECT_EQ(sandbox::PendingAnswers(), 0u);
    const std::vector<std::string> calls = Calls();
    ASSERT_GE(calls.size(), row.lastCalls.size());
    EXPECT_EQ(std::vector<std::string>(calls.end() - static_cast<long>(row.lastCalls.size()), calls.end()),
              row.lastCalls);
    EXPECT_TRUE(sandbox::msdev::WorkspacePath().empty());
  }
}

// F1 on a step goes through the frame's loop (the step's PreTranslateMessage sees the key) and
// reaches the frame as WM_HELP, while the depot holds the step's help topic.
TEST_F(NewProject, F1OnAStepIsHelpForTheStepsTopic) {
  sandbox::QueueAnswer("NewProject", NewProjectAnswer());
  sandbox::QueueAnswer("AppWizard", sandbox::Answer{sandbox::kWizardCancel, "", [](void* frame) { sandbox::PressF1(frame); }});
  EXPECT_FALSE(Run());
  const std::vector<std::string> calls = Calls();
  const auto f1 = std::find(calls.begin(), calls.end(), "TestPlugIn: PreTranslateMessage F1");
  ASSERT_NE(f1, calls.end());
  ASSERT_NE(f1 + 1, calls.end());
  EXPECT_EQ(*(f1 + 1), "TestPlugIn: WM_HELP test.chm::\\kind.htm");
}

using GetAppWizardFunction = CCustomAppWizard* (*)();

int LibraryRecordsOf(HMODULE module) {
  int records = 0;
  for (CDynLinkLibrary* library = AfxGetModuleState()->m_libraryList; library != nullptr; library = library->m_pNextDLL)
    records += library->m_hModule == module;
  return records;
}

// GetAppWizard gives the DLL's one object and puts the DLL into the resource chain once; the
// default LoadTemplate only names the plug-in's module.
TEST(PlugInBase, OneObjectOneLibraryRecordAndTheModuleForTemplates) {
  const HMODULE plugIn = LoadLibrary(sandbox::WindowsPath(TEST_PLUGIN_FILE).c_str());
  ASSERT_NE(plugIn, nullptr);
  const auto get = reinterpret_cast<GetAppWizardFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(plugIn, "GetAppWizard")));
  ASSERT_NE(get, nullptr);
  EXPECT_EQ(LibraryRecordsOf(plugIn), 0);
  CCustomAppWizard* object = get();
  EXPECT_EQ(get(), object);
  EXPECT_EQ(LibraryRecordsOf(plugIn), 1);
  EXPECT_EQ(object->GetName(), "Test Plug-In");
  EXPECT_EQ(object->m_pHostWizard, nullptr);
  EXPECT_EQ(object->m_pDepot, nullptr);
  EXPECT_EQ(object->m_nHostStepCount, 0);

  const LPCTSTR asked = "ROOT.CPP";
  LPCTSTR name = asked;
  DWORD size = 77;
  HINSTANCE module = nullptr;
  const LPCTSTR kNoText = "no text";
  LPCTSTR text = kNoText;
  EXPECT_TRUE(object->LoadTemplate(&name, &size, &module, &text));
  EXPECT_EQ(name, asked);
  EXPECT_EQ(size, 77u);
  EXPECT_EQ(text, kNoText);
  EXPECT_EQ(module, plugIn);
  FreeLibrary(plugIn);
  EXPECT_EQ(LibraryRecordsOf(plugIn), 0);
}

}  // namespace
