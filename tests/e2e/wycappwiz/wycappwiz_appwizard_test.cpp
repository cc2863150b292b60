// SablewingAppWizard.awx and WycAppWiz.dll from end to end: the IDE's New Project dialog runs the
// host from the IDE's template folder, which finds the Wyc plug-in in the product's "appwizards"
// folder of a temporary copy of the sample installation. The user picks "Harrowgate/Wyc
// Application" and goes through the plug-in's steps; new and converted projects are compared with
// the plug-in's goldens byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "sandbox/modules.h"
#include "sandbox/msdev.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_support.h"
#include "sandbox/wizard.h"

namespace {

using Texts = std::vector<std::string>;
using Step = std::function<void(void* frame)>;

constexpr int64_t kStart = 946684800000;  // 2000-01-01 00:00:00 UTC
const char kTemplateFolder[] = "C:\\DevStudio\\Common\\MSDev98\\Template";
const char kPlugIn[] = "C:\\Sablewing\\appwizards\\WycAppWiz.dll";
const char kProject[] = "T:\\Work\\Meter\\";
const std::string kGolden = std::string(GOLDEN_DIR) + "wycappwiz/";
// The host's project-type step; the plug-in's first and code steps.
constexpr int kRadioWyc = 1003;
constexpr int kActionConvert = 1004, kActionLabel = 1005, kTarget = 1010, kPrjPath = 1012, kLanguageC = 1020;

const std::string kSampleUnlocated =
    "The Wizard was unable to locate the following Function Panel\nModules referenced by your project:\n\n"
    "  metercal_close.fp\n  metercal_init.fp\n  metercal_reset.fp\n  wycosc_close.fp\n  wycosc_init.fp\n"
    "  wycosc_reset.fp\n\nYou might need to add the source for these modules to \nyour project manually.";

std::string BuiltModule(const std::string& file) { return sandbox::WindowsPath(std::string(MODULES_FOLDER) + "/" + file); }

void* Page(void* frame) { return sandbox::WizardStep(frame); }
bool Enabled(void* frame, int id) { return IsWindowEnabled(GetDlgItem(static_cast<HWND>(frame), id)) != FALSE; }

// The host's project-type step: the Wyc application, Next into the plug-in, then `steps`.
Step ThroughTheHost(const Step& steps) {
  return [steps](void* frame) {
    ASSERT_TRUE(Enabled(Page(frame), kRadioWyc));
    sandbox::SetCheck(Page(frame), kRadioWyc, BST_CHECKED);
    sandbox::ClickButton(frame, sandbox::kWizardNext);
    ASSERT_NE(GetDlgItem(static_cast<HWND>(Page(frame)), kPrjPath), nullptr) << "the plug-in's first step";
    steps(frame);
  };
}

class WycAppWizard : public sandbox::testing::TempDriveTest<'C'> {
 protected:
  void SetUp() override {
    TempDriveTest::SetUp();
    sandbox::MapTempDrive('T');
    sandbox::SetClock(kStart);
    sandbox::SetSleepMovesClock(true);
    const std::string sample = sandbox::testing::SourceRoot() + "/sample";
    CopyToDisk(sample, "");
    // The sample's forms get the write times that the goldens' callback-table records hold.
    sandbox::testing::SetWriteTime("C:\\Projects\\WycMeter\\meter.uir", {1299897281, 31295732});
    sandbox::testing::SetWriteTime("C:\\Projects\\WycMeter\\panels\\setup.uir", {1299900561, 31295732});
    std::string error;
    ASSERT_TRUE(sandbox::RegistryLoad(sample + "/sablewing.reg", &error)) << error;
    ASSERT_TRUE(CreateDirectory(kTemplateFolder, nullptr));
    ASSERT_TRUE(CopyFile(BuiltModule("SablewingAppWizard.awx").c_str(),
                         (std::string(kTemplateFolder) + "\\SablewingAppWizard.awx").c_str(), TRUE));
    ASSERT_TRUE(CreateDirectory("C:\\Sablewing\\appwizards", nullptr));
    ASSERT_TRUE(CopyFile(BuiltModule("WycAppWiz.dll").c_str(), kPlugIn, TRUE));
    ASSERT_TRUE(CreateDirectory("T:\\rt", nullptr));
    ASSERT_TRUE(CopyFile(sandbox::WindowsPath(WYCRTE_LIBRARY_FILE).c_str(), "T:\\rt\\wycrte.dll", TRUE));
    sandbox::SetModuleSearchPath({"T:\\rt"});
    ASSERT_TRUE(CreateDirectory("T:\\Work", nullptr));
    sandbox::msdev::StartIde();
  }

  // The New Project dialog makes "Meter" in T:\Work with the host; `steps` on the plug-in's
  // pages, then `result`; the project's information confirmed.
  bool Run(const Step& steps, int result = sandbox::kWizardFinish) {
    sandbox::ClearModals();
    sandbox::QueueAnswer("NewProject", {IDOK, "", [](void* dialog) {
                                          sandbox::SelectItem(dialog, sandbox::msdev::kNewProjectTypes, "SablewingAppWizard");
                                          sandbox::TypeText(dialog, sandbox::msdev::kNewProjectName, "Meter");
                                          sandbox::TypeText(dialog, sandbox::msdev::kNewProjectLocation, "T:\\Work");
                                        }});
    sandbox::QueueAnswer("AppWizard", {result, "", ThroughTheHost(steps)});
    if (result == sandbox::kWizardFinish) sandbox::QueueAnswer("NewProjectInformation", {IDOK});
    std::string error;
    const bool made = sandbox::msdev::NewProject(&error);
    EXPECT_EQ(sandbox::PendingAnswers(), 0u);
    return made;
  }

  static Texts BoxTexts() {
    Texts texts;
    for (const sandbox::Modal& modal : sandbox::Modals())
      if (modal.kind == "MessageBox") texts.push_back(modal.text);
    return texts;
  }
  static Texts ProjectFolder() { return sandbox::testing::FolderNames(kProject); }
  void ExpectGolden(const std::string& file, const std::string& golden) {
    EXPECT_EQ(DiskBytes(std::string(kProject) + file), sandbox::testing::ReadHostFile(kGolden + golden)) << golden;
  }
  static bool Mapped(const std::string& windowsPath) {
    for (const sandbox::LoadedModule& module : sandbox::LoadedModules())
      if (_stricmp(module.path.c_str(), windowsPath.c_str()) == 0) return true;
    return false;
  }
};

// A new C DLL: its starter file and header, project file and workspace, as the plug-in writes
// them under the test wizard; the plug-in is unloaded with the host when the dialog ends.
TEST_F(WycAppWizard, ANewDllProject) {
  bool pluginLoaded = false;
  ASSERT_TRUE(Run([&](void* frame) {
    pluginLoaded = Mapped(kPlugIn);
    static_cast<void>(SendDlgItemMessage(static_cast<HWND>(Page(frame)), kTarget, CB_SETCURSEL, 1, 0));
    sandbox::ClickButton(frame, sandbox::kWizardNext);
    sandbox::ClickButton(Page(frame), kLanguageC);
  }));
  EXPECT_TRUE(pluginLoaded);
  EXPECT_FALSE(Mapped(kPlugIn));
  EXPECT_EQ(ProjectFolder(), (Texts{"Meter.c", "Meter.dsp", "Meter.dsw", "Meter.h"}));
  ExpectGolden("Meter.c", "dll_c.c");
  ExpectGolden("Meter.dsp", "dll.dsp");
  ExpectGolden("Meter.dsw", "Meter.dsw");
  EXPECT_EQ(BoxTexts(), Texts{});
  ASSERT_FALSE(sandbox::msdev::OpenDocuments().empty()) << "the starter file is opened";
  EXPECT_EQ(sandbox::msdev::OpenDocuments().back().fullPath, std::string(kProject) + "Meter.c");
}

// The sample Wyc project converted: its files, settings, resource script and callback table.
TEST_F(WycAppWizard, TheSampleProjectIsConverted) {
  ASSERT_TRUE(Run([](void* frame) {
    sandbox::ClickButton(Page(frame), kActionConvert);
    sandbox::TypeText(Page(frame), kPrjPath, "C:\\Projects\\WycMeter\\WycMeter.prj");
  }));
  EXPECT_EQ(BoxTexts(), Texts{kSampleUnlocated});
  EXPECT_EQ(ProjectFolder(), (Texts{"Meter.dsp", "Meter.dsw", "Meter.hga", "Meter.rc", "UIRCallbackTable.c", "resource.h"}));
  ExpectGolden("Meter.dsp", "WycMeter.dsp");
  ExpectGolden("Meter.rc", "WycMeter.rc");
  ExpectGolden("Meter.hga", "Meter.hga");
  ExpectGolden("UIRCallbackTable.c", "../UIRCallbackTable_meter.c");
  ASSERT_EQ(sandbox::msdev::Projects().size(), 1u);
  EXPECT_EQ(sandbox::msdev::Projects()[0].activeConfiguration, "Meter - Win32 Debug");
}

// With the host and the Wyc add-in loaded, and the program carrying the plug-in's numbers with
// other texts, the first step (dialog 129), its labels (strings 3 and 5) and the missing project's
// box (string 12) are the plug-in's own.
TEST_F(WycAppWizard, ThePagesAndBoxesShowThePlugInsOwnTexts) {
  const HMODULE addIn = LoadLibrary(sandbox::WindowsPath(HGWYCADDIN_FILE).c_str());
  ASSERT_NE(addIn, nullptr);
  bool checked = false;
  EXPECT_FALSE(Run(
      [&](void* frame) {
        void* page = Page(frame);
        EXPECT_EQ(GetDlgItem(static_cast<HWND>(page), 1000), nullptr) << "another module's dialog 129";
        EXPECT_EQ(sandbox::ControlText(page, kActionLabel), "What would you like to do?");
        EXPECT_EQ(sandbox::ControlText(page, kActionConvert),
                  "Convert an existing Harrowgate/Wyc project into a new Visual C++ project");
        sandbox::ClickButton(page, kActionConvert);
        sandbox::TypeText(page, kPrjPath, "T:\\Nowhere\\Gone.prj");
        sandbox::QueueAnswer("MessageBox", {IDOK});
        sandbox::ClickButton(frame, sandbox::kWizardFinish);
        EXPECT_EQ(Page(frame), page) << "the page stays";
        checked = true;
      },
      sandbox::kWizardCancel));
  EXPECT_TRUE(checked);
  EXPECT_EQ(BoxTexts(), (Texts{"The Harrowgate/Wyc project file you specified for \nconversion does not exist on your "
                               "system.\n\nPlease choose a valid file or create a new project."}));
  FreeLibrary(addIn);
}

}  // namespace
