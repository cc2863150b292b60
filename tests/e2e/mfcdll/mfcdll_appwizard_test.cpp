// SablewingAppWizard.awx and TqMFCDLLAppWizard.dll from end to end: the IDE's New Project dialog
// runs the host from the IDE's template folder, which finds the plug-in in the product's
// "appwizards" folder of a temporary copy of the sample installation. The user picks "Sablewing
// MFC DLL", goes through the plug-in's steps and confirms; the project is generated, customized
// with the chosen components and reopened.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "sandbox/html_help.h"
#include "sandbox/msdev.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_support.h"
#include "sandbox/wizard.h"

namespace {

constexpr int64_t kStart = 946684800000;  // 2000-01-01 00:00:00 UTC
const char kProductKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vellacott\\Sablewing\\VC";
const char kTemplateFolder[] = "C:\\DevStudio\\Common\\MSDev98\\Template";
constexpr int kRadioMfcDll = 1002, kStepText = 1000, kComponentTree = 2002, kUseDefaults = 1019;
const std::string kGolden = std::string(E2E_TEST_DIR) + "/golden/";
// The files of the new project that the goldens hold, as the IDE wrote them and the customizer
// changed them, and the backups the customizer made.
const char* const kProjectFiles[] = {"Thermo.clw", "Thermo.cpp", "Thermo.h", "Thermo.def", "StdAfx.h", "StdAfx.cpp",
                                     "Thermo.rc", "Resource.h", "res\\Thermo.rc2", "Thermo.dsp", "Thermo.dsw",
                                     "TqIncludes.h"};

std::string BuiltModule(const std::string& file) { return sandbox::WindowsPath(std::string(MODULES_FOLDER) + "/" + file); }

sandbox::Answer NewProjectAnswer(int result = IDOK) {
  return {result, "", [](void* dialog) {
            sandbox::SelectItem(dialog, sandbox::msdev::kNewProjectTypes, "SablewingAppWizard");
            sandbox::TypeText(dialog, sandbox::msdev::kNewProjectName, "Thermo");
            sandbox::TypeText(dialog, sandbox::msdev::kNewProjectLocation, "C:\\Work");
          }};
}

HWND FrameItem(void* frame, int id) { return GetDlgItem(static_cast<HWND>(frame), id); }
bool Enabled(void* frame, int id) { return IsWindowEnabled(FrameItem(frame, id)) != FALSE; }

// Opens every item with children, as a user opens them one after the other.
void ExpandAll(HWND tree) {
  for (auto h = reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); h != NULL;
       h = reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(h))))
    SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(h));
}

// The user's way through the wizard: "Sablewing MFC DLL"; on the component step the defaults
// (which the tree shows with what they need), TqUtility, the hardware category and the driver
// tqswitch (whose warning is answered); step 8 as it comes; Finish.
sandbox::Answer ChooseComponents(int result = sandbox::kWizardFinish, bool projectMade = false) {
  return {result, "", [projectMade](void* frame) {
            sandbox::SetCheck(sandbox::WizardStep(frame), kRadioMfcDll, BST_CHECKED);
            sandbox::ClickButton(frame, sandbox::kWizardNext);
            void* step = sandbox::WizardStep(frame);
            ASSERT_NE(GetDlgItem(static_cast<HWND>(step), kComponentTree), nullptr);
            sandbox::ClickTreeItemImage(step, kComponentTree, "TqUtility");
            sandbox::PressSpaceOnTreeItem(step, kComponentTree, "Hardware APIs");
            ExpandAll(GetDlgItem(static_cast<HWND>(step), kComponentTree));
            sandbox::QueueAnswer("MessageBox", {IDOK});
            sandbox::ClickTreeItemImage(step, kComponentTree, "tqswitch");
            // The IDE's question after the customized workspace reopens is the program's to answer.
            if (projectMade) sandbox::QueueAnswer("MessageBox", {sandbox::kLeaveAlone});
            sandbox::ClickButton(frame, sandbox::kWizardNext);
            // Step 8, the last of the three the plug-in counts.
            EXPECT_TRUE(Enabled(frame, sandbox::kWizardBack));
            EXPECT_FALSE(Enabled(frame, sandbox::kWizardNext));
          }};
}

// The components whose marks show checked: the leaves of the tree whose image is the checked
// one, by name, sorted. Every item is opened first.
void CollectMarks(HWND tree, HTREEITEM item, std::vector<std::string>& names) {
  for (; item != NULL; item = reinterpret_cast<HTREEITEM>(
                           SendMessage(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    const auto child = reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    if (child != NULL) {
      CollectMarks(tree, child, names);
      continue;
    }
    char text[128] = "";
    TVITEM record{};
    record.mask = TVIF_TEXT | TVIF_IMAGE;
    record.hItem = item;
    record.pszText = text;
    record.cchTextMax = sizeof text;
    SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&record));
    if (record.iImage == 1) names.emplace_back(text);
  }
}

std::vector<std::string> Marks(HWND tree) {
  ExpandAll(tree);
  std::vector<std::string> names;
  CollectMarks(tree, reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)), names);
  std::sort(names.begin(), names.end());
  return names;
}

class MfcDllAppWizard : public sandbox::testing::TempDriveTest<'C'> {
 protected:
  void SetUp() override {
    TempDriveTest::SetUp();
    sandbox::SetClock(kStart);
    const std::string sample = sandbox::testing::SourceRoot() + "/sample";
    CopyToDisk(sample, "");
    std::string error;
    ASSERT_TRUE(sandbox::RegistryLoad(sample + "/sablewing.reg", &error)) << error;
    ASSERT_TRUE(CreateDirectory(kTemplateFolder, nullptr));
    ASSERT_TRUE(CopyFile(BuiltModule("SablewingAppWizard.awx").c_str(),
                         (std::string(kTemplateFolder) + "\\SablewingAppWizard.awx").c_str(), TRUE));
    ASSERT_TRUE(CreateDirectory("C:\\Sablewing\\appwizards", nullptr));
    ASSERT_TRUE(CopyFile(BuiltModule("TqMFCDLLAppWizard.dll").c_str(), "C:\\Sablewing\\appwizards\\TqMFCDLLAppWizard.dll",
                         TRUE));
    sandbox::msdev::StartIde();
  }

  bool Run(std::string* error = nullptr) { return sandbox::msdev::NewProject(error); }

  static std::string ReadGolden(const std::string& name) {
    std::string file = name;
    for (char& c : file)
      if (c == '\\') c = '/';
    return sandbox::testing::ReadHostFile(kGolden + file);
  }
  // The names in a folder, one a line, sorted.
  std::string Folder(const std::string& windowsFolder) {
    std::string text;
    for (const std::string& name : sandbox::testing::FolderNames(windowsFolder)) text += name + "\n";
    return text;
  }

  static std::vector<std::string> HelpPaths() {
    std::vector<std::string> paths;
    for (const sandbox::HtmlHelpRequest& request : sandbox::HtmlHelpRequests()) paths.push_back(request.path);
    return paths;
  }

  static bool ModuleMapped(const std::string& windowsPath) {
    for (const sandbox::LoadedModule& module : sandbox::LoadedModules())
      if (_stricmp(module.path.c_str(), windowsPath.c_str()) == 0) return true;
    return false;
  }

  static size_t MessageBoxes() {
    size_t boxes = 0;
    for (const sandbox::Modal& modal : sandbox::Modals()) boxes += modal.kind == "MessageBox";
    return boxes;
  }
};

// With no component installed the plug-in's step is the notice, on which only Cancel is usable.
TEST_F(MfcDllAppWizard, AnEmptyCatalogueShowsTheNotice) {
  std::filesystem::remove_all(sandbox::HostPath("C:\\Sablewing\\Components"));
  std::filesystem::remove_all(sandbox::HostPath("C:\\Sablewing\\instr"));
  ASSERT_TRUE(CreateDirectory("C:\\Sablewing\\Components", nullptr));
  sandbox::RegistryDeleteKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\VXIPNP_Alliance");
  sandbox::RegistryDeleteKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vellacott\\Wyc");
  const std::string registry = sandbox::RegistryExport();
  sandbox::QueueAnswer("NewProject", NewProjectAnswer());
  sandbox::QueueAnswer("AppWizard", {sandbox::kWizardCancel, "", [](void* frame) {
                                       sandbox::SetCheck(sandbox::WizardStep(frame), kRadioMfcDll, BST_CHECKED);
                                       sandbox::ClickButton(frame, sandbox::kWizardNext);
                                       EXPECT_EQ(sandbox::ControlText(sandbox::WizardStep(frame), kStepText),
                                                 "No Sablewing components were found on this system.  Please "
                                                 "install a Sablewing component and try the wizard again.");
                                       EXPECT_FALSE(IsWindowVisible(FrameItem(frame, sandbox::kWizardHelp)));
                                       for (int id : {sandbox::kWizardBack, sandbox::kWizardNext, sandbox::kWizardFinish})
                                         EXPECT_FALSE(Enabled(frame, id)) << id;
                                       EXPECT_TRUE(Enabled(frame, sandbox::kWizardCancel));
                                       // The notice has no topic: F1 opens the help folder itself.
                                       sandbox::PressF1(frame);
                                     }});
  std::string error;
  EXPECT_FALSE(Run(&error));
  EXPECT_EQ(error, "cancelled");
  EXPECT_FALSE(OnDisk("C:\\Work"));
  EXPECT_EQ(MessageBoxes(), 0u);
  EXPECT_EQ(sandbox::RegistryExport(), registry);
  EXPECT_EQ(HelpPaths(), (std::vector<std::string>{"C:\\Sablewing\\Help"}));
}

// F1 and the frame's Help button open the topic of the step shown (the host library's step 8
// reports none of its own: the component step's stays); the component step's Use Default
// Components takes the user's changes back and marks what the defaults need.
TEST_F(MfcDllAppWizard, HelpOnEveryStepOpensItsTopic) {
  std::vector<std::string> marksAfterDefaults;
  sandbox::QueueAnswer("NewProject", NewProjectAnswer());
  sandbox::QueueAnswer("AppWizard", {sandbox::kWizardCancel, "", [&](void* frame) {
                                       sandbox::PressF1(frame);
                                       sandbox::SetCheck(sandbox::WizardStep(frame), kRadioMfcDll, BST_CHECKED);
                                       sandbox::ClickButton(frame, sandbox::kWizardNext);
                                       void* step = sandbox::WizardStep(frame);
                                       sandbox::PressF1(frame);
                                       sandbox::ClickButton(frame, sandbox::kWizardHelp);
                                       sandbox::ClickTreeItemImage(step, kComponentTree, "TqUtility");
                                       sandbox::ClickTreeItemImage(step, kComponentTree, "Analysis");
                                       sandbox::ClickButton(step, kUseDefaults);
                                       marksAfterDefaults = Marks(GetDlgItem(static_cast<HWND>(step), kComponentTree));
                                       sandbox::ClickButton(frame, sandbox::kWizardNext);
                                       sandbox::PressF1(frame);
                                     }});
  EXPECT_FALSE(Run());
  const std::string topic = "C:\\Sablewing\\Help\\tqvcmain.chm::\\";
  EXPECT_EQ(HelpPaths(), (std::vector<std::string>{topic + "appwizard1.htm", topic + "appwizard.htm",
                                                   topic + "appwizard.htm", topic + "appwizard.htm"}));
  for (const sandbox::HtmlHelpRequest& request : sandbox::HtmlHelpRequests()) {
    EXPECT_EQ(request.owner, GetDesktopWindow());
    EXPECT_EQ(request.command, 0u);
  }
  // The defaults TqAnalysis, TqCore and TqGraph, with TqControls, which TqGraph needs (TqCoreRuntime,
  // which TqCore needs, is hidden).
  EXPECT_EQ(marksAfterDefaults, (std::vector<std::string>{"TqAnalysis", "TqControls", "TqCore", "TqGraph"}));
}

// A customizer that fails after the project was made says so once; the project stays as the IDE
// wrote it and "DSW Path" was never written.
TEST_F(MfcDllAppWizard, ACustomizerFailureGivesOneBox) {
  sandbox::InjectFileFailure("C:\\Work\\Thermo\\Thermo.dsp.~new", "write", ERROR_DISK_FULL);
  sandbox::QueueAnswer("NewProject", NewProjectAnswer());
  sandbox::QueueAnswer("AppWizard", {sandbox::kWizardFinish, "", [](void* frame) {
                                       sandbox::SetCheck(sandbox::WizardStep(frame), kRadioMfcDll, BST_CHECKED);
                                       sandbox::ClickButton(frame, sandbox::kWizardNext);
                                       sandbox::ClickButton(frame, sandbox::kWizardNext);
                                     }});
  sandbox::QueueAnswer("NewProjectInformation", {IDOK});
  sandbox::QueueAnswer("MessageBox", {IDOK});
  std::string error;
  ASSERT_TRUE(Run(&error)) << error;
  EXPECT_EQ(MessageBoxes(), 1u);
  const sandbox::Modal box = sandbox::Modals().back();
  EXPECT_EQ(box.text, "Could not convert project\n\nC:\\Work\\Thermo\\Thermo.dsp:\nThe disk is full.");
  EXPECT_EQ(box.caption, "Sablewing");
  EXPECT_EQ(DiskBytes("C:\\Work\\Thermo\\Thermo.dsp"), ReadGolden("Sablewing_Backup\\Thermo_sablewing_001.dsp"));
  EXPECT_FALSE(OnDisk("C:\\Work\\Thermo\\TqIncludes.h"));
  EXPECT_EQ(sandbox::RegistryGetString(kProductKey, "DSW Path"), std::nullopt);
}

// Each run loads the host and, through it, the plug-in afresh from disk, and frees both when it
// ends; the second run's plug-in starts from its static initialisation.
TEST_F(MfcDllAppWizard, EachRunLoadsThePlugInAfresh) {
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    sandbox::QueueAnswer("NewProject", NewProjectAnswer());
    sandbox::QueueAnswer("AppWizard", {sandbox::kWizardCancel, "", [](void* frame) {
                                         sandbox::SetCheck(sandbox::WizardStep(frame), kRadioMfcDll, BST_CHECKED);
                                         sandbox::ClickButton(frame, sandbox::kWizardNext);
                                         EXPECT_TRUE(ModuleMapped("C:\\Sablewing\\appwizards\\TqMFCDLLAppWizard.dll"));
                                         // The plug-in's first step, whatever the run before left.
                                         EXPECT_NE(GetDlgItem(static_cast<HWND>(sandbox::WizardStep(frame)), kComponentTree),
                                                   nullptr);
                                         sandbox::ClickButton(frame, sandbox::kWizardNext);
                                       }});
    EXPECT_FALSE(Run());
    EXPECT_FALSE(ModuleMapped("C:\\Sablewing\\appwizards\\TqMFCDLLAppWizard.dll"));
    EXPECT_FALSE(ModuleMapped(std::string(kTemplateFolder) + "\\SablewingAppWizard.awx"));
  }
}

TEST_F(MfcDllAppWizard, TheNewProjectHasTheChosenComponents) {
  sandbox::QueueAnswer("NewProject", NewProjectAnswer());
  sandbox::QueueAnswer("AppWizard", ChooseComponents(sandbox::kWizardFinish, true));
  sandbox::QueueAnswer("NewProjectInformation", {IDOK});
  std::optional<std::string> dswPathDuring;
  std::string openDuring;
  sandbox::BeforeNthRegistryCall("delete", 1, [&] {
    dswPathDuring = sandbox::RegistryGetString(kProductKey, "DSW Path");
    openDuring = sandbox::msdev::WorkspacePath();
  });
  std::string error;
  ASSERT_TRUE(Run(&error)) << error;
  EXPECT_EQ(dswPathDuring, "C:\\Work\\Thermo\\Thermo.dsw");
  EXPECT_EQ(openDuring, "C:\\Work\\Thermo\\Thermo.dsw");
  EXPECT_EQ(sandbox::RegistryGetString(kProductKey, "DSW Path"), std::nullopt);

  std::string information;
  for (const sandbox::Modal& modal : sandbox::Modals())
    if (modal.kind == "NewProjectInformation") information = modal.text;
  EXPECT_EQ(information, ReadGolden("Information.txt"));
  for (const char* file : kProjectFiles) {
    SCOPED_TRACE(file);
    EXPECT_EQ(DiskBytes(std::string("C:\\Work\\Thermo\\") + file), ReadGolden(file));
  }
  EXPECT_EQ(Folder("C:\\Work\\Thermo\\Sablewing_Backup"), ReadGolden("Backups.txt"));
  for (const char* backup : {"Thermo_sablewing_001.dsp", "Thermo_sablewing_001.dsw"}) {
    SCOPED_TRACE(backup);
    EXPECT_EQ(DiskBytes(std::string("C:\\Work\\Thermo\\Sablewing_Backup\\") + backup),
              ReadGolden(std::string("Sablewing_Backup\\") + backup));
  }

  // The IDE asked whether to reload the project the customizer rewrote; the plug-in's answer was
  // Yes, so the IDE holds the project as it is on disk.
  const std::vector<sandbox::Modal> modals = sandbox::Modals();
  ASSERT_FALSE(modals.empty());
  EXPECT_EQ(modals.back().text, sandbox::msdev::ReloadProjectPrompt("C:\\Work\\Thermo\\Thermo.dsp"));
  EXPECT_EQ(modals.back().result, IDYES);
  EXPECT_EQ(sandbox::PendingAnswers(), 0u);
  const std::vector<sandbox::msdev::Project> projects = sandbox::msdev::Projects();
  ASSERT_EQ(projects.size(), 1u);
  EXPECT_FALSE(projects[0].modified);
}

// Cancelling before the project is made leaves no file, no message and no registry value.
TEST_F(MfcDllAppWizard, CancellingBeforeTheProjectIsMadeLeavesNothing) {
  struct Row {
    const char* name;
    std::vector<std::pair<std::string, sandbox::Answer>> answers;
  } rows[] = {
      {"in the New Project dialog", {{"NewProject", NewProjectAnswer(IDCANCEL)}}},
      {"on the project-type step", {{"NewProject", NewProjectAnswer()}, {"AppWizard", {sandbox::kWizardCancel}}}},
      {"Back from the project-type step", {{"NewProject", NewProjectAnswer()}, {"AppWizard", {sandbox::kWizardBack}}}},
      {"on step 8, after choosing components",
       {{"NewProject", NewProjectAnswer()}, {"AppWizard", ChooseComponents(sandbox::kWizardCancel)}}},
      {"on the project's information, then in the wizard",
       {{"NewProject", NewProjectAnswer()},
        {"AppWizard", {sandbox::kWizardCancel, "",
                       [](void* frame) {
                         ChooseComponents().action(frame);
                         sandbox::ClickButton(frame, sandbox::kWizardFinish);
                       }}},
        {"NewProjectInformation", {IDCANCEL}}}},
  };
  const std::string registry = sandbox::RegistryExport();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::ClearModals();
    for (const auto& [kind, answer] : row.answers) sandbox::QueueAnswer(kind, answer);
    std::string error;
    EXPECT_FALSE(Run(&error));
    EXPECT_EQ(error, "cancelled");
    EXPECT_EQ(sandbox::PendingAnswers(), 0u);
    EXPECT_FALSE(OnDisk("C:\\Work"));
    // Only the driver's warning, which the user saw while choosing.
    EXPECT_LE(MessageBoxes(), 1u);
    EXPECT_EQ(sandbox::RegistryExport(), registry);
  }
}

}  // namespace
