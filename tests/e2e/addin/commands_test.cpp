// The add-in's three commands and its handling of an opened workspace, run in the IDE as the user
// runs them, over copies of the sample's projects.
#include <commctrl.h>

#include "commands_support.h"

namespace e2e_test {
namespace {

const char kAddComponent[] = "SablewingAddInAddComponent";
const char kUpgradeProject[] = "SablewingAddInUpgradeProject";
const char kSetPreferences[] = "SablewingAddInSetPreferences";
const char kThermo[] = "P:\\Thermo\\Thermo.dsw";
const char kReloadQuestion[] = "MessageBox Microsoft Visual C++: The project file 'P:\\Thermo\\Thermo.dsp' has been "
                               "modified outside of Microsoft Visual C++.\nDo you want to reload it?";

// The user checks the "User Interface" category (its components and what they need) and presses
// Finish.
sandbox::Answer CheckUserInterface() {
  return {IDOK, "", [](void* wizard) { sandbox::ClickTreeItemImage(wizard, 1020, "User Interface"); }};
}

TEST_F(CommandTest, TheComponentsCommandAddsAndAgainOnlyMakesBackups) {
  Open(kThermo);
  sandbox::QueueAnswer("Dialog", CheckUserInterface());
  sandbox::QueueAnswer("MessageBox", sandbox::kLeaveAlone);
  EXPECT_EQ(Run(kAddComponent), S_OK);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"Dialog Sablewing Components Wizard: #5108", kReloadQuestion}));
  EXPECT_EQ(sandbox::Modals().back().result, IDYES) << "answered by the add-in";
  for (const auto& [file, bytes] : ProjectFiles("Thermo", "Thermo")) {
    SCOPED_TRACE(file);
    EXPECT_EQ(bytes, Golden("tests/e2e/addin/golden/add_user_interface/" + file));
  }
  EXPECT_EQ(Backups("Thermo"), (std::vector<std::string>{"Thermo_sablewing_001.dsp", "Thermo_sablewing_001.dsw"}));
  ExpectFrameUndone();

  // Again, with the selection the project has: only backups change.
  const std::map<std::string, std::string> after = ProjectFiles("Thermo", "Thermo");
  sandbox::ClearModals();
  sandbox::QueueAnswer("Dialog", IDOK);
  EXPECT_EQ(Run(kAddComponent), S_OK);
  EXPECT_EQ(Shown(), std::vector<std::string>{"Dialog Sablewing Components Wizard: #5108"});
  EXPECT_EQ(ProjectFiles("Thermo", "Thermo"), after);
  EXPECT_EQ(Backups("Thermo"), (std::vector<std::string>{"Thermo_sablewing_001.dsp", "Thermo_sablewing_001.dsw",
                                                          "Thermo_sablewing_002.dsp", "Thermo_sablewing_002.dsw"}));
  EXPECT_EQ(sandbox::msdev::WorkspacePath(), kThermo);
}

// The thread that answers the reopened workspace's questions runs the add-in's code: while it runs
// the module may not go, even with every object of the add-in released.
TEST_F(CommandTest, TheModuleStaysWhileTheAnsweringThreadRuns) {
  Open(kThermo);
  sandbox::QueueAnswer("Dialog", CheckUserInterface());
  EXPECT_EQ(sandbox::msdev::RunCommand(kAddComponent), S_OK);
  sandbox::msdev::StopIde();
  const auto canUnloadNow = reinterpret_cast<LPFNCANUNLOADNOW>(
      reinterpret_cast<void (*)()>(GetProcAddress(LoadedAddIn(), "DllCanUnloadNow")));
  ASSERT_NE(canUnloadNow, nullptr);
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "the clock has not moved: the thread's three seconds are not over";
  HRESULT answer = S_FALSE;
  for (int i = 0; i < 5000 && answer != S_OK; ++i) {
    sandbox::AdvanceClock(1000);
    ::Sleep(1);
    answer = canUnloadNow();
  }
  EXPECT_EQ(answer, S_OK);
}

// Each failure shows one box or dialog with its text, leaves the files as they were and the
// workspace open, and undoes the frame. The registry is set before the IDE starts: the add-in
// keeps the installation's paths once it found them.
TEST_F(CommandTest, TheComponentsCommandsFailures) {
  std::filesystem::create_directories(host_ + "/Empty/Components");
  auto noInstallation = [] {};
  struct Row {
    const char* name;
    std::function<void()> installation;  // before the IDE starts
    std::function<void()> project;       // once the workspace is open
    std::vector<std::pair<std::string, int>> answers;  // kind, button
    std::vector<std::string> shown;
  } const rows[] = {
      {"no project", noInstallation, [] { sandbox::msdev::CloseWorkspace(); }, {{"MessageBox", IDOK}},
       {"MessageBox Sablewing: You must load a project before you can use this wizard."}},
      {"a read-only project file", noInstallation,
       [] { ASSERT_TRUE(::SetFileAttributes("P:\\Thermo\\Thermo.dsp", FILE_ATTRIBUTE_READONLY)); },
       {{"Dialog", IDOK}, {"MessageBox", IDOK}},
       {"Dialog Sablewing Components Wizard: #5108",
        "MessageBox Sablewing: The project file(s) are read-only. You cannot modify the project."}},
      {"the workspace file gone", noInstallation, [] { ASSERT_TRUE(::DeleteFile("P:\\Thermo\\Thermo.dsw")); },
       {{"Dialog", IDOK}, {"MessageBox", IDOK}},
       {"Dialog Sablewing Components Wizard: #5108",
        "MessageBox Sablewing: Could not convert project\n\nP:\\Thermo\\Thermo.dsw:\nThe file could not be located."}},
      {"a project file that does not parse", noInstallation,
       [this] { sandbox::testing::WriteHostFile(host_ + "/Thermo/Thermo.dsp", "not a project\r\n"); },
       {{"MessageBox", IDOK}}, {"MessageBox Sablewing: Unknown/invalid project file format."}},
      {"an empty catalogue",
       [] {
         sandbox::RegistrySetString(kProductKey, "InstallDir", "P:\\Empty");
         sandbox::RegistryDeleteKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\VXIPNP_Alliance");
         sandbox::RegistryDeleteKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vellacott\\Wyc");
       },
       [] {}, {{"Dialog", IDCANCEL}}, {"Dialog Sablewing Components Wizard: #5109"}},
      {"no product path",
       [] { sandbox::RegistryImport("REGEDIT4\r\n[" + std::string(kProductKey) + "]\r\n\"InstallDir\"=-\r\n"); },
       [] {}, {{"Dialog", IDCANCEL}}, {"Dialog Sablewing: #5113"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::msdev::StopIde();
    std::string error;
    ASSERT_TRUE(sandbox::RegistryLoad(sandbox::testing::SourceRoot() + "/sample/sablewing.reg", &error)) << error;
    ASSERT_EQ(Regsvr32({"/s", AddInPath()}), kRegsvr32Done);
    row.installation();
    std::filesystem::remove_all(host_ + "/Thermo");
    CopyProjects("Projects/Thermo", "Thermo");
    sandbox::msdev::StartIde();
    Open(kThermo);
    row.project();
    const std::map<std::string, std::string> before = ProjectFiles("Thermo", "Thermo");
    sandbox::ClearModals();
    for (const auto& [kind, button] : row.answers) sandbox::QueueAnswer(kind, button);
    EXPECT_EQ(Run(kAddComponent), S_OK);
    EXPECT_EQ(Shown(), row.shown);
    EXPECT_EQ(ProjectFiles("Thermo", "Thermo"), before);
    EXPECT_EQ(sandbox::msdev::WorkspacePath(), std::string(row.name) == "no project" ? "" : kThermo);
    ExpectFrameUndone();
    ::SetFileAttributes("P:\\Thermo\\Thermo.dsp", FILE_ATTRIBUTE_NORMAL);
  }
}

// "Do not prompt or convert" leaves a 1.0 project alone as its workspace opens, but the components
// command still offers the conversion, then shows the converted project's components.
TEST_F(CommandTest, TheComponentsCommandOffersTheConversionOfA10Project) {
  UseLegacyProduct();
  sandbox::RegistrySetDword(kPreferences, "UpgradeOptions", 2);
  Open("P:\\LegacyApp\\LegacyApp.dsw");
  Settle();
  EXPECT_TRUE(sandbox::Modals().empty());
  sandbox::QueueAnswer("Dialog", IDOK);      // Yes to the conversion
  sandbox::QueueAnswer("Dialog", IDCANCEL);  // the success dialog's OK
  sandbox::QueueAnswer("Dialog", IDCANCEL);  // the components wizard left
  sandbox::QueueAnswer("MessageBox", sandbox::kLeaveAlone);
  EXPECT_EQ(Run(kAddComponent), S_OK);
  std::vector<std::string> dialogs;
  for (const sandbox::Modal& modal : sandbox::Modals())
    if (modal.kind == "Dialog") dialogs.push_back(modal.text);
  EXPECT_EQ(dialogs, (std::vector<std::string>{"#129", "#5111", "#5108"}));
  for (const auto& [file, bytes] : ProjectFiles("LegacyApp", "LegacyApp")) {
    SCOPED_TRACE(file);
    EXPECT_EQ(bytes, Golden("addin/tests/golden/upgrade/LegacyApp/" + file));
  }
  EXPECT_EQ(sandbox::msdev::WorkspacePath(), "P:\\LegacyApp\\LegacyApp.dsw") << "reopened after the conversion";
  ExpectFrameUndone();
}

TEST_F(CommandTest, TheConversionCommandOnA60Project) {
  Open(kThermo);
  sandbox::QueueAnswer("MessageBox", IDOK);
  EXPECT_EQ(Run(kUpgradeProject), S_OK);
  EXPECT_EQ(Shown(), std::vector<std::string>{"MessageBox Sablewing: This project is already in the Sablewing 6.0 format."});
  ExpectFrameUndone();
}

// Converting 1.0 projects: the application loses the MFC static libraries, the DLL keeps them; the
// success dialog lists the two backups, the workspace's first. No changes nothing.
TEST_F(CommandTest, TheConversionCommandOn10Projects) {
  UseLegacyProduct();
  for (const char* name : {"LegacyApp", "LegacyDll"}) {
    SCOPED_TRACE(name);
    const std::string folder = name;
    Open("P:\\" + folder + "\\" + folder + ".dsw");
    const std::map<std::string, std::string> before = ProjectFiles(folder, folder);

    sandbox::ClearModals();
    sandbox::QueueAnswer("Dialog", IDCANCEL);  // No
    EXPECT_EQ(Run(kUpgradeProject), S_OK);
    EXPECT_EQ(Shown(), std::vector<std::string>{"Dialog Sablewing Conversion Confirmation: #132"});
    EXPECT_EQ(ProjectFiles(folder, folder), before);

    sandbox::ClearModals();
    std::vector<std::string> listed;
    sandbox::QueueAnswer("Dialog", IDOK);  // Yes
    sandbox::QueueAnswer("Dialog", {IDCANCEL, "", [&listed](void* dialog) { listed = sandbox::ControlItems(dialog, 1017); }});
    sandbox::QueueAnswer("MessageBox", sandbox::kLeaveAlone);
    EXPECT_EQ(Run(kUpgradeProject), S_OK);
    const std::vector<std::string> shown = Shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], "Dialog Sablewing Conversion Confirmation: #132");
    EXPECT_EQ(shown[1], "Dialog Sablewing: #5111");
    EXPECT_EQ(listed, (std::vector<std::string>{"P:\\" + folder + "\\Sablewing_Backup\\" + folder + "_sablewing_001.dsw",
                                                "P:\\" + folder + "\\Sablewing_Backup\\" + folder + "_sablewing_001.dsp"}));
    for (const auto& [file, bytes] : ProjectFiles(folder, folder)) {
      SCOPED_TRACE(file);
      EXPECT_EQ(bytes, Golden("addin/tests/golden/upgrade/" + folder + "/" + file));
    }
    ExpectFrameUndone();
  }
}

// With an empty catalogue the conversion converts nothing: the 1.0 library would go with nothing in
// its place.
TEST_F(CommandTest, AnEmptyCatalogueConvertsNothing) {
  std::filesystem::create_directories(host_ + "/Empty/Components");
  sandbox::RegistrySetString(kProductKey, "InstallDir", "P:\\Empty");
  sandbox::RegistryDeleteKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\VXIPNP_Alliance");
  sandbox::RegistryDeleteKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vellacott\\Wyc");
  sandbox::RegistrySetDword(kPreferences, "UpgradeOptions", 1);
  const std::map<std::string, std::string> before = ProjectFiles("LegacyApp", "LegacyApp");

  sandbox::QueueAnswer("Dialog", IDCANCEL);  // the empty catalogue, as the workspace opens
  Open("P:\\LegacyApp\\LegacyApp.dsw");
  sandbox::QueueAnswer("Dialog", IDOK);      // Yes to the conversion
  sandbox::QueueAnswer("Dialog", IDCANCEL);  // the empty catalogue
  EXPECT_EQ(Run(kUpgradeProject), S_OK);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"Dialog Sablewing Components Wizard: #5109",
                                               "Dialog Sablewing Conversion Confirmation: #132",
                                               "Dialog Sablewing Components Wizard: #5109"}));
  EXPECT_EQ(ProjectFiles("LegacyApp", "LegacyApp"), before);
  EXPECT_EQ(sandbox::msdev::WorkspacePath(), "P:\\LegacyApp\\LegacyApp.dsw");
}

// Opening a workspace of two 1.0 projects and a static library: one prompt unless the preference
// converts without asking, the workspace file backed up once and each project file once, one
// success dialog listing the three; with "Do not prompt or convert" nothing happens.
TEST_F(CommandTest, OpeningAWorkspaceOfOldProjects) {
  UseLegacyProduct();
  struct Row {
    uint32_t option;
    bool prompt;
    bool converts;
  } const rows[] = {{0, true, true}, {7, true, true}, {1, false, true}, {2, false, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.option);
    // A fresh IDE: the one before would ask whether to reload the project files copied anew.
    sandbox::msdev::StopIde();
    for (const char* folder : {"LegacyApp", "LegacyDll", "LegacySuite"}) std::filesystem::remove_all(host_ + "/" + folder);
    CopyProjects("Legacy/Projects", "");
    const std::map<std::string, std::string> app = ProjectFiles("LegacyApp", "LegacyApp");
    sandbox::RegistrySetDword(kPreferences, "UpgradeOptions", row.option);
    sandbox::msdev::StartIde();
    sandbox::ClearModals();
    std::vector<std::string> listed;
    if (row.prompt) sandbox::QueueAnswer("Dialog", IDOK);
    if (row.converts) {
      sandbox::QueueAnswer("Dialog", {IDCANCEL, "", [&listed](void* dialog) { listed = sandbox::ControlItems(dialog, 1017); }});
      sandbox::QueueAnswer("MessageBox", sandbox::kLeaveAlone);
      sandbox::QueueAnswer("MessageBox", sandbox::kLeaveAlone);
    }
    Open("P:\\LegacySuite\\LegacySuite.dsw");
    Settle();
    std::vector<std::string> dialogs;
    for (const sandbox::Modal& modal : sandbox::Modals())
      if (modal.kind == "Dialog") dialogs.push_back(modal.text);
    std::vector<std::string> expected;
    if (row.prompt) expected.push_back("#129");
    if (row.converts) expected.push_back("#5111");
    EXPECT_EQ(dialogs, expected);
    if (row.converts) {
      EXPECT_EQ(listed, (std::vector<std::string>{"P:\\LegacySuite\\Sablewing_Backup\\LegacySuite_sablewing_001.dsw",
                                                  "P:\\LegacyApp\\Sablewing_Backup\\LegacyApp_sablewing_001.dsp",
                                                  "P:\\LegacyDll\\Sablewing_Backup\\LegacyDll_sablewing_001.dsp"}));
      EXPECT_EQ(Backups("LegacySuite"), std::vector<std::string>{"LegacySuite_sablewing_001.dsw"});
      EXPECT_EQ(Backups("LegacyApp"), std::vector<std::string>{"LegacyApp_sablewing_001.dsp"});
      EXPECT_EQ(Backups("LegacyDll"), std::vector<std::string>{"LegacyDll_sablewing_001.dsp"});
      EXPECT_EQ(ProjectFiles("LegacyApp", "LegacyApp")["LegacyApp.dsp"],
                Golden("addin/tests/golden/upgrade/LegacyApp/LegacyApp.dsp"));
    } else {
      EXPECT_EQ(ProjectFiles("LegacyApp", "LegacyApp"), app);
      EXPECT_TRUE(Backups("LegacySuite").empty());
    }
    EXPECT_EQ(sandbox::msdev::WorkspacePath(), "P:\\LegacySuite\\LegacySuite.dsw");
    ExpectFrameUndone();
  }
}

// A workspace without projects is no reason to say anything.
TEST_F(CommandTest, OpeningAWorkspaceWithoutProjectsShowsNothing) {
  sandbox::testing::WriteHostFile(host_ + "/Empty/Empty.dsw",
                                  "Microsoft Developer Studio Workspace File, Format Version 6.00\r\n");
  Open("P:\\Empty\\Empty.dsw");
  Settle();
  EXPECT_TRUE(sandbox::Modals().empty());
  ExpectFrameUndone();
}

TEST_F(CommandTest, ThePreferencesAreSavedOnOkOnly) {
  auto change = [](void* dialog) {
    sandbox::SetCheck(dialog, 1010, BST_UNCHECKED);
    sandbox::SelectItem(dialog, 1000, "Automatically convert");
  };
  sandbox::QueueAnswer("Dialog", {IDCANCEL, "", change});
  EXPECT_EQ(Run(kSetPreferences), S_OK);
  EXPECT_EQ(Shown(), std::vector<std::string>{"Dialog Sablewing Preferences: #5110"});
  EXPECT_NE(sandbox::RegistryGetDword(kPreferences, "BackupProjectFiles"), 0u);
  EXPECT_NE(sandbox::RegistryGetDword(kPreferences, "UpgradeOptions"), 1u);
  ExpectFrameUndone();

  sandbox::QueueAnswer("Dialog", {IDOK, "", change});
  EXPECT_EQ(Run(kSetPreferences), S_OK);
  EXPECT_EQ(sandbox::RegistryGetDword(kPreferences, "BackupProjectFiles"), 0u);
  EXPECT_EQ(sandbox::RegistryGetDword(kPreferences, "UpgradeOptions"), 1u);
}

}  // namespace
}  // namespace e2e_test
