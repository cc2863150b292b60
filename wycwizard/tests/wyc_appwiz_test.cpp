// The Wyc plug-in end to end: the IDE's New Project dialog runs WycTestWizard.awx (a custom
// AppWizard over the host library with no steps of its own), which loads WycAppWiz.dll from disk
// and hands it its steps, templates and customization. New projects and conversions of the sample
// Wyc projects are written and compared; the pages, the problem report and the warnings are
// checked through what the user saw.
#include <afxdlgs.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "WycAppWiz/resource.h"
#include "sandbox/dialog_user.h"
#include "sandbox/modules.h"
#include "sandbox/msdev.h"
#include "sandbox/registry.h"
#include "sandbox/wizard.h"
#include "wyc_test_support.h"

namespace {

using wyctest::kSample;
using wyctest::Panel;
using Texts = std::vector<std::string>;
using Step = std::function<void(void* frame)>;

const std::string kGolden = wyctest::kGolden + "wycappwiz/";
const char kProject[] = "T:\\Work\\Meter\\";
const char kLibrariesKey[] = "HKCU\\Software\\Vellacott\\Wyc\\6.0\\Libraries";
const char kAddInKey[] = "HKCU\\Software\\Microsoft\\DevStudio\\6.0\\AddIns\\HgWycAddIn.HgWycAddIn.1";

// The box every conversion of the sample shows.
const std::string kSampleUnlocated =
    "The Wizard was unable to locate the following Function Panel\nModules referenced by your project:\n\n"
    "  metercal_close.fp\n  metercal_init.fp\n  metercal_reset.fp\n  wycosc_close.fp\n  wycosc_init.fp\n"
    "  wycosc_reset.fp\n\nYou might need to add the source for these modules to \nyour project manually.";

std::string String(UINT id) {
  char text[1024] = "";
  LoadString(GetModuleHandle(nullptr), id, text, sizeof text);
  return text;
}

sandbox::Answer NewProjectAnswer() {
  return {IDOK, "", [](void* dialog) {
            sandbox::SelectItem(dialog, sandbox::msdev::kNewProjectTypes, "WycTestWizard");
            sandbox::TypeText(dialog, sandbox::msdev::kNewProjectName, "Meter");
            sandbox::TypeText(dialog, sandbox::msdev::kNewProjectLocation, "T:\\Work");
          }};
}

void* Page(void* frame) { return sandbox::WizardStep(frame); }
bool Enabled(void* frame, int id) { return IsWindowEnabled(GetDlgItem(static_cast<HWND>(frame), id)) != FALSE; }
bool Visible(void* frame, int id) { return IsWindowVisible(GetDlgItem(static_cast<HWND>(frame), id)) != FALSE; }
std::string Title(void* frame) {
  char text[256] = "";
  GetWindowText(static_cast<HWND>(frame), text, sizeof text);
  return text;
}

// The user converts the project file at `path` (a Windows path) on the first step.
Step Convert(const std::string& path) {
  return [path](void* frame) {
    sandbox::ClickButton(Page(frame), IDC_ACTION_CONVERT);
    sandbox::TypeText(Page(frame), IDC_PRJ_PATH, path);
  };
}

class WycAppWizTest : public wyctest::WycTest {
 protected:
  void SetUp() override {
    WycTest::SetUp();
    // C: is a copy of the sample, so the .uir files can carry the times the .hga golden records
    // whatever the checkout gave them.
    CopyToDisk(kSample, "sample");
    sandbox::MapDrive('C', host_ + "/sample");
    SetWriteTime("C:\\Projects\\WycMeter\\meter.uir", wyctest::Time(31295732, 1299897281));
    SetWriteTime("C:\\Projects\\WycMeter\\panels\\setup.uir", wyctest::Time(31295732, 1299900561));
    ASSERT_TRUE(sandbox::RegistryLoad(kSample + "/sablewing.reg"));
    ASSERT_TRUE(CreateDirectory("T:\\Templates", nullptr));
    ASSERT_TRUE(CreateDirectory("T:\\Work", nullptr));
    ASSERT_TRUE(CopyFile(sandbox::WindowsPath(WYC_TEST_WIZARD_FILE).c_str(), "T:\\Templates\\WycTestWizard.awx", TRUE));
    ASSERT_TRUE(CopyFile(sandbox::WindowsPath(WYC_APPWIZ_FILE).c_str(), "T:\\Templates\\WycAppWiz.dll", TRUE));
    sandbox::msdev::SetTemplateFolder("T:\\Templates");
    sandbox::msdev::StartIde();
  }

  // The wizard: `steps` on the pages, then `result` (Finish unless said); the confirmation OK.
  bool Run(const Step& steps, int result = sandbox::kWizardFinish, std::string* error = nullptr) {
    sandbox::ClearModals();
    sandbox::QueueAnswer("NewProject", NewProjectAnswer());
    sandbox::QueueAnswer("AppWizard", sandbox::Answer{result, "", steps});
    if (result == sandbox::kWizardFinish) sandbox::QueueAnswer("NewProjectInformation", sandbox::Answer{IDOK});
    std::string ignored;
    return sandbox::msdev::NewProject(error != nullptr ? error : &ignored);
  }

  static std::vector<sandbox::Modal> Boxes() {
    std::vector<sandbox::Modal> boxes;
    for (const sandbox::Modal& modal : sandbox::Modals())
      if (modal.kind == "MessageBox") boxes.push_back(modal);
    return boxes;
  }
  static std::string Confirmation() {
    for (const sandbox::Modal& modal : sandbox::Modals())
      if (modal.kind == "NewProjectInformation") return modal.text;
    return "";
  }
  static Texts ProjectFolder() { return sandbox::testing::FolderNames(kProject); }
  void ExpectGolden(const std::string& file, const std::string& golden) {
    const std::string bytes = DiskBytes(std::string(kProject) + file);
    if (std::getenv("WYC_WRITE_GOLDENS") != nullptr) sandbox::testing::WriteHostFile(kGolden + golden, bytes);
    EXPECT_EQ(bytes, sandbox::testing::ReadHostFile(kGolden + golden)) << golden;
  }
  void Reset() {
    sandbox::msdev::CloseWorkspace();
    std::filesystem::remove_all(sandbox::HostPath("T:\\Work\\Meter"));
  }
};

// New projects: the generated files by target, code generation and language.
TEST_F(WycAppWizTest, NewProjectsGetTheirStarterFiles) {
  const struct Row {
    const char* name;
    int target;
    bool generate;
    bool cpp;
    Texts files;
    const char* golden;  // of the starter source, or nullptr
    const char* dsp;     // golden of the project file, or nullptr
  } rows[] = {
      {"executable, C++", 0, true, true, {"Meter.cpp", "Meter.dsp", "Meter.dsw"}, "exe_cpp.cpp", "exe.dsp"},
      {"executable, C", 0, true, false, {"Meter.c", "Meter.dsp", "Meter.dsw"}, nullptr, nullptr},
      {"executable, no code", 0, false, true, {"Meter.dsp", "Meter.dsw"}, nullptr, nullptr},
      {"DLL, C", 1, true, false, {"Meter.c", "Meter.dsp", "Meter.dsw", "Meter.h"}, "dll_c.c", "dll.dsp"},
      {"static library, C++", 2, true, true, {"Meter.cpp", "Meter.dsp", "Meter.dsw", "Meter.h"}, "lib_cpp.cpp",
       "lib.dsp"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Reset();
    const bool made = Run([&](void* frame) {
      static_cast<void>(SendDlgItemMessage(static_cast<HWND>(Page(frame)), IDC_TARGET, CB_SETCURSEL, row.target, 0));
      sandbox::ClickButton(frame, sandbox::kWizardNext);
      if (!row.generate) sandbox::ClickButton(Page(frame), IDC_GENERATE_CODE);
      if (!row.cpp) sandbox::ClickButton(Page(frame), IDC_LANGUAGE_C);
    });
    ASSERT_TRUE(made);
    EXPECT_EQ(ProjectFolder(), row.files);
    if (row.golden != nullptr) ExpectGolden(std::string("Meter.") + (row.cpp ? "cpp" : "c"), row.golden);
    if (row.dsp != nullptr) ExpectGolden("Meter.dsp", row.dsp);
    ExpectGolden("Meter.dsw", "Meter.dsw");
    if (row.generate) {
      ASSERT_FALSE(sandbox::msdev::OpenDocuments().empty()) << "the starter file is opened";
      EXPECT_EQ(sandbox::msdev::OpenDocuments().back().fullPath, std::string(kProject) + (row.cpp ? "Meter.cpp" : "Meter.c"));
    }
  }
  EXPECT_EQ(Confirmation(),
            "Harrowgate/Wyc project file Meter.dsp will be created in\n   T:\\Work\\Meter\\\n\n"
            "Target: Win32 Static Library (Meter.lib)\n\nFeatures:\n   + Starter source file Meter.cpp\n"
            "   + Project header Meter.h\n   + Include paths of the Harrowgate/Wyc installation\n");
}

// The sample project and its DLL variant converted: files, settings, the callback table.
TEST_F(WycAppWizTest, TheSampleProjectsAreConverted) {
  for (const char* name : {"WycMeter", "WycMeterDll"}) {
    SCOPED_TRACE(name);
    Reset();
    ASSERT_TRUE(Run(Convert(std::string("C:\\Projects\\WycMeter\\") + name + ".prj")));
    // The sample's panels name functions of their own in their name tables, which are looked for
    // as modules and not found.
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, kSampleUnlocated);
    ExpectGolden("Meter.dsp", std::string(name) + ".dsp");
    // The table is the one the callback-table manager writes for the sample's two .uir files.
    ExpectGolden("UIRCallbackTable.c", "../UIRCallbackTable_meter.c");
    ExpectGolden("Meter.hga", "Meter.hga");
    ExpectGolden("Meter.rc", std::string(name) + ".rc");
    EXPECT_EQ(sandbox::msdev::Projects()[0].activeConfiguration, "Meter - Win32 Debug");
  }
  EXPECT_EQ(ProjectFolder(), (Texts{"Meter.def", "Meter.dsp", "Meter.dsw", "Meter.hga", "Meter.rc", "UIRCallbackTable.c",
                                    "resource.h"}));
}

TEST_F(WycAppWizTest, TheFirstStep) {
  bool checked = false;
  ASSERT_TRUE(Run([&](void* frame) {
    void* page = Page(frame);
    EXPECT_EQ(Title(frame), String(IDS_FIRST_TITLE));
    EXPECT_EQ(sandbox::ControlItems(page, IDC_VERSION), (Texts{"5.5", "6.0"}));
    EXPECT_EQ(sandbox::SelectedItem(page, IDC_VERSION), 1) << "the last version is preselected";
    EXPECT_TRUE(Enabled(frame, sandbox::kWizardNext));
    EXPECT_TRUE(Enabled(frame, sandbox::kWizardFinish));
    EXPECT_FALSE(Enabled(frame, sandbox::kWizardBack));
    EXPECT_TRUE(Visible(frame, sandbox::kWizardHelp));

    // The static library leaves no choice of instrument support.
    sandbox::SetCheck(page, IDC_INSTR_SUPPORT, BST_CHECKED);
    sandbox::SelectItem(page, IDC_TARGET, String(IDS_TARGET_LIB));
    EXPECT_FALSE(Enabled(page, IDC_INSTR_SUPPORT));

    // A conversion without a path cannot finish; a missing file keeps the page.
    sandbox::ClickButton(page, IDC_ACTION_CONVERT);
    EXPECT_FALSE(Enabled(frame, sandbox::kWizardNext));
    EXPECT_FALSE(Enabled(frame, sandbox::kWizardFinish));
    EXPECT_FALSE(Enabled(page, IDC_TARGET));
    sandbox::QueueAnswer("FileDialog", sandbox::Answer{IDOK, "T:\\Nowhere\\Gone.prj"});
    sandbox::ClickButton(page, IDC_PRJ_BROWSE);
    EXPECT_EQ(sandbox::ControlText(page, IDC_PRJ_PATH), "T:\\Nowhere\\Gone.prj");
    EXPECT_TRUE(Enabled(frame, sandbox::kWizardFinish));
    sandbox::QueueAnswer("MessageBox", sandbox::Answer{IDOK});
    sandbox::ClickButton(frame, sandbox::kWizardFinish);
    EXPECT_EQ(Page(frame), page) << "the page stays";
    checked = true;

    // Back to a new static library, which is then made.
    sandbox::ClickButton(page, IDC_ACTION_NEW);
    sandbox::ClickButton(frame, sandbox::kWizardNext);
    EXPECT_EQ(Title(frame), String(IDS_CODE_TITLE));
    EXPECT_FALSE(Visible(frame, sandbox::kWizardHelp));
    EXPECT_FALSE(Enabled(frame, sandbox::kWizardNext));
    EXPECT_TRUE(Enabled(frame, sandbox::kWizardBack));
  }));
  ASSERT_TRUE(checked);
  const std::vector<sandbox::Modal> modals = sandbox::Modals();
  const auto dialog = std::find_if(modals.begin(), modals.end(), [](const sandbox::Modal& m) { return m.kind == "FileDialog"; });
  ASSERT_NE(dialog, modals.end());
  EXPECT_EQ(dialog->caption, "Please select a project file");
  EXPECT_EQ(dialog->text, "*.prj");
  EXPECT_EQ(dialog->items, (Texts{"Filter: Harrowgate/Wyc Project Files (*.prj)|*.prj||", "Default extension: prj", "OK: Select"}));
  EXPECT_EQ(dialog->style & (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT), unsigned{OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT});
  const std::vector<sandbox::Modal> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, String(IDS_PRJ_MISSING));
  EXPECT_EQ(boxes[0].style & MB_ICONMASK, unsigned{MB_ICONSTOP});
  // A static library: no instrument support, no libraries.
  EXPECT_EQ(Confirmation().find("instrument driver support"), std::string::npos);
  for (const sandbox::msdev::SettingChange& c : sandbox::msdev::SettingChanges())
    EXPECT_EQ(c.arguments[1].find("wycrt.lib"), std::string::npos) << c.arguments[1];
}

TEST_F(WycAppWizTest, NoCompatibleInstallationShowsTheErrorPage) {
  sandbox::RegistryDeleteKey("HKLM\\Software\\Vellacott\\Wyc");
  EXPECT_FALSE(Run(
      [&](void* frame) {
        EXPECT_EQ(Title(frame), String(IDS_ERROR_TITLE));
        EXPECT_EQ(sandbox::ControlText(Page(frame), IDC_ERROR_MESSAGE),
                  "The Harrowgate/Wyc AppWizard did not detect any Visual C++-compatible installations of "
                  "Harrowgate/Wyc.\n\nRun Sablewing setup to install Harrowgate/Wyc or change the Harrowgate/Wyc "
                  "Compatibility Mode  to Microsoft Visual C++.");
        for (int id : {sandbox::kWizardNext, sandbox::kWizardFinish, sandbox::kWizardBack})
          EXPECT_FALSE(Enabled(frame, id)) << id;
        EXPECT_TRUE(Enabled(frame, sandbox::kWizardCancel));
        EXPECT_FALSE(Visible(frame, sandbox::kWizardHelp));
      },
      sandbox::kWizardCancel));
}

// Back from the code step and from the first step restores the dictionary; a cancelled
// conversion leaves nothing to the new project made after it.
TEST_F(WycAppWizTest, BackAndACancelledConversionLeaveNoMacros) {
  sandbox::QueueAnswer("NewProject", NewProjectAnswer());
  sandbox::QueueAnswer("AppWizard", sandbox::Answer{sandbox::kWizardFinish, "", [](void* frame) {
                                                      Convert("C:\\Projects\\WycMeter\\WycMeterDll.prj")(frame);
                                                      sandbox::ClickButton(frame, sandbox::kWizardFinish);
                                                      // The confirmation was cancelled: a new executable.
                                                      sandbox::ClickButton(Page(frame), IDC_ACTION_NEW);
                                                      sandbox::ClickButton(frame, sandbox::kWizardNext);
                                                      sandbox::ClickButton(frame, sandbox::kWizardBack);
                                                      sandbox::ClickButton(frame, sandbox::kWizardNext);
                                                    }});
  sandbox::QueueAnswer("NewProjectInformation", sandbox::Answer{IDCANCEL});
  sandbox::QueueAnswer("NewProjectInformation", sandbox::Answer{IDOK});
  std::string error;
  ASSERT_TRUE(sandbox::msdev::NewProject(&error)) << error;
  EXPECT_EQ(ProjectFolder(), (Texts{"Meter.cpp", "Meter.dsp", "Meter.dsw"}));
  EXPECT_TRUE(sandbox::msdev::Projects()[0].addedFiles.empty());
}

// The problem report: one box per set in its order with its icon; a module with only its object
// file is not reported; modules naming each other are checked once.
TEST_F(WycAppWizTest, TheProblemReport) {
  WriteDisk("Mods/a/alpha.fp", Panel{.entries = {"beta_fp", "ghost_fp"}}.Bytes());
  WriteDisk("Mods/a/alpha.c", "x");
  WriteDisk("Mods/a/alpha.h", "x");
  WriteDisk("Mods/a/beta.fp", Panel{.entries = {"alpha_fp", "objonly_fp"}}.Bytes());
  WriteDisk("Mods/a/beta.c", "x");
  WriteDisk("Mods/a/objonly.fp", Panel{.entries = {}}.Bytes());
  WriteDisk("Mods/a/objonly.obj", "x");
  WriteDisk("Mods/a/objonly.h", "x");
  WriteDisk("Mods/a/nocode.fp", Panel{}.Bytes());
  WriteDisk("Mods/a/broken.fp", "not a panel");
  WriteDisk("Mods/a/broken.c", "x");
  int n = 1;
  for (const char* name : {"alpha", "nocode", "broken"})
    sandbox::RegistrySetString(kLibrariesKey, "LibraryFPFile" + std::to_string(n++), std::string("T:\\Mods\\a\\") + name + ".fp");
  ASSERT_TRUE(Run([](void*) {}));
  const std::vector<sandbox::Modal> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 4u);
  const struct {
    std::string text;
    unsigned icon;
  } expected[] = {
      {String(IDS_INVALID) + "  broken.fp\n", MB_ICONWARNING},
      {String(IDS_UNLOCATED) + "  ghost.fp\n" + String(IDS_UNLOCATED_END), MB_ICONWARNING},
      {String(IDS_SOURCE_MISSING) + "  nocode.fp\n" + String(IDS_SOURCE_MISSING_END), MB_ICONWARNING},
      {String(IDS_HEADER_MISSING) + "  beta.fp\n" + String(IDS_HEADER_MISSING_END), MB_ICONINFORMATION},
  };
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(boxes[i].text, expected[i].text) << i;
    EXPECT_EQ(boxes[i].style & MB_ICONMASK, expected[i].icon) << i;
  }
}

// Warnings: the add-in switched off; the run-time engine refused by the loader; a failing
// object-model call. Each is shown and the customization goes on.
TEST_F(WycAppWizTest, WarningsAndTheCustomizationGoesOn) {
  const struct Row {
    const char* name;
    std::function<void()> arrange;
    const char* prj;  // converted, or nullptr for a new executable
    Texts texts;
  } rows[] = {
      {"the add-in switched off", [] { sandbox::RegistrySetString(kAddInKey, "", "0"); }, nullptr, {String(IDS_ADDIN_OFF)}},
      {"the add-in switched on", [] { sandbox::RegistrySetString(kAddInKey, "", "1"); }, nullptr, {}},
      {"a file not added", [] { sandbox::msdev::InjectFailure("IBuildProject::AddFile", E_FAIL); },
       "C:\\Projects\\WycMeter\\WycMeter.prj", {String(IDS_FILES_NOT_ADDED)}},
      {"an include path not added", [] { sandbox::msdev::InjectFailure("IConfiguration::AddToolSettings", E_FAIL); },
       nullptr, {String(IDS_INCLUDES_NOT_ADDED)}},
      // Libraries go through the same call after the include paths: every such call fails.
      {"the libraries not added",
       [] { sandbox::msdev::InjectFailure("IConfiguration::AddToolSettings", E_FAIL, -1); }, nullptr,
       {String(IDS_INCLUDES_NOT_ADDED), String(IDS_LIBRARIES_NOT_ADDED)}},
      {"the callback table not written",
       [] {
         CreateDirectory("T:\\Work\\Meter", nullptr);
         CreateDirectory("T:\\Work\\Meter\\UIRCallbackTable.c", nullptr);  // in the table's way
       },
       "C:\\Projects\\WycMeter\\WycMeter.prj", {String(IDS_ENGINE_READ)}},
      // Last: the refusal lasts until the sandbox is reset.
      {"the run-time engine refused", [] { sandbox::RefuseLoad("wycrte.dll", ERROR_MOD_NOT_FOUND); },
       "C:\\Projects\\WycMeter\\WycMeter.prj", {String(IDS_UIR_ENGINE_MISSING)}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Reset();
    sandbox::RegistryDeleteKey(kAddInKey);
    row.arrange();
    ASSERT_TRUE(Run(row.prj != nullptr ? Convert(row.prj) : Step([](void*) {})));
    Texts texts;
    for (const sandbox::Modal& box : Boxes())
      if (box.text != kSampleUnlocated) texts.push_back(box.text);
    EXPECT_EQ(texts, row.texts);
    // The build settings were still adjusted.
    bool adjusted = false;
    for (const sandbox::msdev::SettingChange& c : sandbox::msdev::SettingChanges())
      adjusted = adjusted || c.method == "RemoveToolSettings";
    EXPECT_TRUE(adjusted);
    sandbox::msdev::ClearFailures();
  }
}

}  // namespace
