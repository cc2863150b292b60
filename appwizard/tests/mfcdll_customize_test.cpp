// The MFC DLL plug-in after the host library made the project: its CustomizeProject and
// ExitCustomAppWizard, run here on a copy of the sample's MFC DLL project open in the IDE. The
// chosen components are applied and the workspace reopened while "DSW Path" names it; a failure
// is reported once, in its own words, and the project stays as it was made.
#include <objbase.h>
#include <objmodel/bldauto.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "DependancyUpdater.h"
#include "InformationDepot.h"
#include "bridge/VSApplication.h"
#include "mfcdll/MFCDLLAppWizard.h"

#include "appwizard_test_support.h"

namespace {

using namespace appwizard_test;

const char kDsw[] = "C:\\Projects\\Thermo\\Thermo.dsw";

class MfcDllCustomize : public sandbox::testing::TempDriveTest<'C'> {
 protected:
  void SetUp() override {
    TempDriveTest::SetUp();
    CopyToDisk(sandbox::testing::SourceRoot() + "/sample", "");
    std::string error;
    ASSERT_TRUE(sandbox::RegistryLoad(sandbox::testing::SourceRoot() + "/sample/sablewing.reg", &error)) << error;
    ASSERT_EQ(CoInitialize(NULL), S_OK);
    sandbox::msdev::StartIde();
    ASSERT_EQ(CoCreateInstance(CLSID_Application, NULL, CLSCTX_LOCAL_SERVER, IID_IApplication,
                               reinterpret_cast<void**>(&ide_)),
              S_OK);
    ASSERT_TRUE(sandbox::msdev::OpenWorkspace(kDsw, &error)) << error;
    depot_.LoadComponents(NULL);
    for (CComponent& component : depot_.GetComponents()) component.Selected = false;
    CComponent* core = depot_.FindComponent("TqCore");
    ASSERT_NE(core, nullptr);
    core->Selected = true;
    CDependancyUpdater().PropagateSelection(core);
    plugIn_.m_pHostWizard = &host_;
    plugIn_.m_pDepot = &depot_;
    // A standing clock: the thread that answers the reopened workspace's prompts waits for it.
    sandbox::SetClock(sandbox::ClockNow());
  }
  void TearDown() override {
    CVSApplication::FinishAnsweringPrompts(true);
    if (ide_ != NULL) ide_->Release();
    sandbox::msdev::StopIde();
    CoUninitialize();
  }

  // The host library hands the new project over.
  void Customize() {
    IDispatch* active = NULL;
    ASSERT_EQ(ide_->get_ActiveProject(&active), S_OK);
    ASSERT_NE(active, nullptr);
    IBuildProject* project = NULL;
    ASSERT_EQ(active->QueryInterface(IID_IBuildProject, reinterpret_cast<void**>(&project)), S_OK);
    active->Release();
    plugIn_.CustomizeProject(project);
    project->Release();
  }

  // The boxes shown, but for the IDE's question about the project file the customizer rewrote,
  // which must have come last and been answered Yes by the plug-in when `reloadAsked`.
  static std::vector<sandbox::Modal> Boxes(bool reloadAsked) {
    const std::string reload = sandbox::msdev::ReloadProjectPrompt("C:\\Projects\\Thermo\\Thermo.dsp");
    std::vector<sandbox::Modal> boxes;
    for (const sandbox::Modal& modal : sandbox::Modals())
      if (modal.kind == "MessageBox") boxes.push_back(modal);
    const bool asked = !boxes.empty() && boxes.back().text == reload;
    EXPECT_EQ(asked, reloadAsked);
    if (asked) {
      EXPECT_EQ(boxes.back().result, IDYES);
      boxes.pop_back();
    }
    return boxes;
  }

  std::optional<std::string> WorkspacePathValue() { return sandbox::RegistryGetString(kProductKey, "DSW Path"); }

  IApplication* ide_ = NULL;
  CCustomAppWiz host_;
  CInformationDepot depot_;
  CMFCDLLAppWizard plugIn_;
};

TEST_F(MfcDllCustomize, AppliesTheComponentsWhileDswPathNamesTheWorkspace) {
  Customize();
  std::optional<std::string> during;
  std::string openDuring;
  sandbox::BeforeNthRegistryCall("delete", 1, [&] {
    during = WorkspacePathValue();
    openDuring = sandbox::msdev::WorkspacePath();
  });
  // The IDE asks about the rewritten project file; the plug-in answers.
  sandbox::QueueAnswer("MessageBox", {sandbox::kLeaveAlone});
  plugIn_.ExitCustomAppWizard();
  EXPECT_EQ(during, kDsw);
  EXPECT_EQ(openDuring, kDsw);
  EXPECT_EQ(WorkspacePathValue(), std::nullopt);
  EXPECT_TRUE(Boxes(true).empty());
  EXPECT_EQ(sandbox::PendingAnswers(), 0u);
  EXPECT_NE(DiskBytes("C:\\Projects\\Thermo\\StdAfx.h").find("#include \"TqIncludes.h\""), std::string::npos);
  EXPECT_NE(DiskBytes("C:\\Projects\\Thermo\\TqIncludes.h").find("TqCore"), std::string::npos);

  // Done once: a second end applies nothing again.
  const std::string project = DiskBytes("C:\\Projects\\Thermo\\Thermo.dsp");
  sandbox::RecordFileCalls(true);
  plugIn_.ExitCustomAppWizard();
  EXPECT_TRUE(sandbox::RecordedFileCalls().empty());
}

// Each failure is one box under the product's name; the box of a file failure is owned by the
// IDE's main window, the others by none. A failure between writing "DSW Path" and deleting it
// leaves the value.
TEST_F(MfcDllCustomize, AFailureIsReportedOnceInItsOwnWords) {
  struct Row {
    const char* name;
    std::function<void()> arrange;
    std::string text;
    bool ownedByIde;
    bool customized;
    bool valueLeft;
  } rows[] = {
      {"no project open", [] { sandbox::msdev::CloseWorkspace(); },
       "You must load a project before you can use this wizard.", false, false, false},
      {"the project file cannot be written",
       [] { sandbox::InjectFileFailure("C:\\Projects\\Thermo\\Thermo.dsp.~new", "write", ERROR_DISK_FULL); },
       "Could not convert project\n\nC:\\Projects\\Thermo\\Thermo.dsp:\nThe disk is full.", true, false, false},
      {"the value cannot be deleted",
       [] { sandbox::RegistryInjectFailure(std::string(kProductKey), "delete", ERROR_ACCESS_DENIED); },
       "Access is denied.", false, true, true},
  };
  const std::string projectBefore = DiskBytes("C:\\Projects\\Thermo\\Thermo.dsp");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Customize();
    row.arrange();
    HWND owner = reinterpret_cast<HWND>(1);
    sandbox::QueueAnswer("MessageBox", {IDOK, "", [&owner](void* box) { owner = GetWindow(static_cast<HWND>(box), GW_OWNER); }});
    if (row.customized) sandbox::QueueAnswer("MessageBox", {sandbox::kLeaveAlone});
    plugIn_.ExitCustomAppWizard();
    EXPECT_EQ(sandbox::PendingAnswers(), 0u);
    const std::vector<sandbox::Modal> boxes = Boxes(row.customized);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.substr(0, row.text.size()), row.text);
    EXPECT_EQ(boxes[0].caption, "Sablewing");
    EXPECT_EQ(boxes[0].style & MB_TYPEMASK, static_cast<unsigned>(MB_OK));
    EXPECT_EQ(owner, row.ownedByIde ? CVSApplication::GetMainFrameHandle() : nullptr);
    EXPECT_EQ(DiskBytes("C:\\Projects\\Thermo\\Thermo.dsp") != projectBefore, row.customized);
    EXPECT_EQ(WorkspacePathValue().has_value(), row.valueLeft);
    if (row.valueLeft) {
      EXPECT_EQ(WorkspacePathValue(), kDsw);
    }
    // The next row starts from the project as it was made, open in the IDE.
    sandbox::ClearFileFailures();
    sandbox::RegistryClearFailures();
    sandbox::RegistryDeleteKey(kProductKey);
    sandbox::ClearModals();
    CVSApplication::FinishAnsweringPrompts(true);
    sandbox::msdev::CloseWorkspace();
    std::filesystem::remove_all(sandbox::HostPath("C:\\Projects\\Thermo"));
    CopyToDisk(sandbox::testing::SourceRoot() + "/sample/Projects/Thermo", "Projects/Thermo");
    std::string error;
    ASSERT_TRUE(sandbox::msdev::OpenWorkspace(kDsw, &error)) << error;
  }
}

}  // namespace
