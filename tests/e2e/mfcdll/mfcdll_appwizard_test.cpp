// SablewingAppWizard.awx and TqMFCDLLAppWizard.dll from end to end: the IDE's New Project dialog
// runs the host from the IDE's template folder, which finds the plug-in in the product's
// "appwizards" folder of a temporary copy of the sample installation. The user picks "Sablewing
// MFC DLL", goes through the plug-in's steps and confirms; the project is generated, customized
// with the chosen components and reopened.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sandbox/msdev.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_support.h"
#include "sandbox/wizard.h"

namespace {

constexpr int64_t kStart = 946684800000;  // 2000-01-01 00:00:00 UTC
const char kProductKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vellacott\\Sablewing\\VC";
const char kTemplateFolder[] = "C:\\DevStudio\\Common\\MSDev98\\Template";
constexpr int kRadioMfcDll = 1002, kStepText = 1000;

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
                                     }});
  std::string error;
  EXPECT_FALSE(Run(&error));
  EXPECT_EQ(error, "cancelled");
  EXPECT_FALSE(OnDisk("C:\\Work"));
  EXPECT_EQ(MessageBoxes(), 0u);
  EXPECT_EQ(sandbox::RegistryExport(), registry);
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
    EXPECT_EQ(MessageBoxes(), 0u);
    EXPECT_EQ(sandbox::RegistryExport(), registry);
  }
}

}  // namespace
