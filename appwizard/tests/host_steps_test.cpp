// The host's router and steps, run by the IDE's New Project dialog from SablewingAppWizard.awx on
// disk, with probe plug-ins in the product's plug-in folder: the path step, the project-type
// step's radio buttons and what Next on them does, the component-problem step, going Back out of
// a plug-in, the platforms and the template hooks a plug-in is given.
#include <algorithm>
#include <filesystem>

#include "host/SablewingAppWizardAppWiz.h"
#include "sandbox/html_help.h"

#include "appwizard_test_support.h"

namespace {

using namespace appwizard_test;

constexpr int kRadioExe = 1001, kRadioDll = 1002, kRadioWyc = 1003, kTextExe = 1014, kTextDll = 1015,
              kTextWyc = 1016, kBrowse = 1010, kStepText = 1000, kProbeText = 1000;

const char kUnableToLoad[] = "Unable to load selected AppWizard.\n\n\nPlease reinstall Sablewing to alleviate this problem.";

class HostSteps : public HostWizardTest {};

// The path step shows while the product path is unknown or its plug-in folder holds no plug-in;
// Next stays disabled until a browse finds a folder with one, and a folder without says so.
TEST_F(HostSteps, ThePathStepLetsTheUserOnOnlyToAFolderWithAPlugIn) {
  struct Row {
    const char* name;
    bool installDir;  // else InstallDir names an empty folder
  } rows[] = {{"no product path", false}, {"a product folder without plug-ins", true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::ClearModals();
    ASSERT_TRUE(CreateDirectory("C:\\Other", nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    if (row.installDir)
      sandbox::RegistrySetString(kProductKey, "InstallDir", "C:\\Other");
    else
      sandbox::RegistryDeleteKey(kProductKey);
    PlacePlugIn(kProbeWyc, "Wyc.dll");
    const size_t helpBefore = sandbox::HtmlHelpRequests().size();
    sandbox::QueueAnswer("NewProject", NewProjectAnswer());
    sandbox::QueueAnswer("AppWizard", {sandbox::kWizardCancel, "", [](void* frame) {
                                         ASSERT_NE(StepItem(frame, kBrowse), nullptr);
                                         EXPECT_NE(sandbox::ControlText(sandbox::WizardStep(frame), kStepText)
                                                       .find("then select Sablewing\\VC."),
                                                   std::string::npos);
                                         EXPECT_FALSE(Enabled(FrameItem(frame, sandbox::kWizardNext)));
                                         EXPECT_FALSE(Visible(FrameItem(frame, sandbox::kWizardHelp)));
                                         sandbox::QueueAnswer("BrowseForFolder", {IDOK, "C:\\Other"});
                                         sandbox::QueueAnswer("MessageBox", {IDOK});
                                         sandbox::ClickButton(sandbox::WizardStep(frame), kBrowse);
                                         EXPECT_FALSE(Enabled(FrameItem(frame, sandbox::kWizardNext)));
                                         sandbox::QueueAnswer("BrowseForFolder", {IDCANCEL});
                                         sandbox::ClickButton(sandbox::WizardStep(frame), kBrowse);
                                         EXPECT_FALSE(Enabled(FrameItem(frame, sandbox::kWizardNext)));
                                         sandbox::QueueAnswer("BrowseForFolder", {IDOK, "C:\\Sablewing"});
                                         sandbox::ClickButton(sandbox::WizardStep(frame), kBrowse);
                                         EXPECT_TRUE(Enabled(FrameItem(frame, sandbox::kWizardNext)));
                                         // Help does nothing yet: the frame is the host library's own.
                                         sandbox::PressF1(frame);
                                         // Next leads to the project-type step, which takes the
                                         // frame's Help over, and on into the plug-in.
                                         sandbox::ClickButton(frame, sandbox::kWizardNext);
                                         ASSERT_NE(StepItem(frame, kRadioWyc), nullptr);
                                         sandbox::PressF1(frame);
                                         sandbox::SetCheck(sandbox::WizardStep(frame), kRadioWyc, BST_CHECKED);
                                         sandbox::ClickButton(frame, sandbox::kWizardNext);
                                         EXPECT_NE(StepItem(frame, kProbeText), nullptr);
                                       }});
    EXPECT_FALSE(Run());
    const std::vector<sandbox::Modal> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "There are no valid AppWizards in this directory.");
    EXPECT_EQ(boxes[0].caption, "Sablewing");
    EXPECT_EQ(sandbox::RegistryGetString(kProductKey, "InstallDir"), "C:\\Sablewing");
    EXPECT_EQ(sandbox::PendingAnswers(), 0u);
    // Help came once, from the project-type step, in the folder the user browsed to.
    std::vector<std::string> help;
    const std::vector<sandbox::HtmlHelpRequest> requests = sandbox::HtmlHelpRequests();
    for (size_t i = helpBefore; i < requests.size(); ++i) help.push_back(requests[i].path);
    EXPECT_EQ(help, (std::vector<std::string>{"C:\\Sablewing\\Help\\tqvcmain.chm::\\appwizard1.htm"}));
    // The plug-in counts the path step among the host's.
    const std::vector<std::string> notes = ProbeNotes();
    EXPECT_NE(std::find(notes.begin(), notes.end(), "Wyc.dll: InitCustomAppWizard, host steps 2"), notes.end());
    DeleteFile((std::string(kPlugInFolder) + "Wyc.dll").c_str());
  }
}

// Only the slots that hold a plug-in can be chosen, yet the first button starts checked: Next on
// it finds no plug-in, says so and stays; the DLL's button leads into the plug-in, which counts
// one host step.
TEST_F(HostSteps, TheProjectTypeStepOffersTheSlotsThatHoldAPlugIn) {
  PlacePlugIn(kProbeMfcDll, "Dll.dll");
  sandbox::QueueAnswer("NewProject", NewProjectAnswer());
  sandbox::QueueAnswer("MessageBox", {IDOK});
  sandbox::QueueAnswer("AppWizard", {sandbox::kWizardCancel, "", [](void* frame) {
                                       for (int id : {kRadioExe, kTextExe, kRadioWyc, kTextWyc})
                                         EXPECT_FALSE(Enabled(StepItem(frame, id))) << id;
                                       for (int id : {kRadioDll, kTextDll}) EXPECT_TRUE(Enabled(StepItem(frame, id))) << id;
                                       EXPECT_EQ(sandbox::CheckState(sandbox::WizardStep(frame), kRadioExe), BST_CHECKED);
                                       sandbox::ClickButton(frame, sandbox::kWizardNext);
                                       ASSERT_NE(StepItem(frame, kRadioExe), nullptr);
                                       EXPECT_EQ(sandbox::CheckState(sandbox::WizardStep(frame), kRadioExe), BST_CHECKED);
                                       sandbox::SetCheck(sandbox::WizardStep(frame), kRadioDll, BST_CHECKED);
                                       sandbox::ClickButton(frame, sandbox::kWizardNext);
                                       EXPECT_NE(StepItem(frame, kProbeText), nullptr);
                                     }});
  EXPECT_FALSE(Run());
  const std::vector<sandbox::Modal> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, kUnableToLoad);
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_EQ(boxes[0].style & MB_ICONMASK, static_cast<unsigned>(MB_ICONERROR));
  const std::vector<std::string> notes = ProbeNotes();
  EXPECT_NE(std::find(notes.begin(), notes.end(), "Dll.dll: InitCustomAppWizard, host steps 1"), notes.end());
}

// A system error out of the plug-in's start is shown by itself first; the plug-in then counts as
// not loaded.
TEST_F(HostSteps, APlugInThatFailsToStartIsReportedTwice) {
  PlacePlugIn(kProbeThrowInit, "Wyc.dll");
  sandbox::QueueAnswer("NewProject", NewProjectAnswer());
  sandbox::QueueAnswer("MessageBox", {IDOK});
  sandbox::QueueAnswer("MessageBox", {IDOK});
  sandbox::QueueAnswer("AppWizard", {sandbox::kWizardCancel, "", [](void* frame) {
                                       sandbox::SetCheck(sandbox::WizardStep(frame), kRadioWyc, BST_CHECKED);
                                       sandbox::ClickButton(frame, sandbox::kWizardNext);
                                       EXPECT_NE(StepItem(frame, kRadioWyc), nullptr);
                                     }});
  EXPECT_FALSE(Run());
  const std::vector<sandbox::Modal> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_NE(boxes[0].text.find("Access is denied."), std::string::npos) << boxes[0].text;
  EXPECT_EQ(boxes[0].style & MB_ICONMASK, static_cast<unsigned>(MB_ICONERROR));
  EXPECT_EQ(boxes[1].text, kUnableToLoad);
}

// A catalogue that cannot be loaded (a component needs one that is not there) shows the
// component-problem step, on which only Cancel leads on.
TEST_F(HostSteps, ACatalogueThatCannotLoadShowsTheComponentProblemStep) {
  PlacePlugIn(kProbeWyc, "Wyc.dll");
  ASSERT_TRUE(CopyFile(sandbox::WindowsPath(sandbox::testing::SourceRoot() + "/sample/Sablewing/Components/TqCore.xml").c_str(),
                       "C:\\Sablewing\\Components\\TqCore.xml", TRUE));
  sandbox::QueueAnswer("NewProject", NewProjectAnswer());
  sandbox::QueueAnswer("AppWizard", {sandbox::kWizardCancel, "", [](void* frame) {
                                       EXPECT_EQ(StepItem(frame, kRadioExe), nullptr);
                                       EXPECT_EQ(sandbox::ControlText(sandbox::WizardStep(frame), kStepText),
                                                 "A required component is not installed.\n\nPlease reinstall "
                                                 "Sablewing to correct the problem.");
                                       EXPECT_FALSE(Enabled(FrameItem(frame, sandbox::kWizardNext)));
                                       EXPECT_FALSE(Visible(FrameItem(frame, sandbox::kWizardHelp)));
                                       // Shown before the project-type step: no help of ours.
                                       sandbox::PressF1(frame);
                                     }});
  EXPECT_FALSE(Run());
  EXPECT_TRUE(sandbox::HtmlHelpRequests().empty());
}

// Back from the plug-in's first step leaves the plug-in (its end once) and shows the project-type
// step with the step count open again: the frame then leaves its Back button as the plug-in's
// step had it, where a count of the plug-in's would have disabled it on the first step.
TEST_F(HostSteps, BackPastThePlugInsFirstStepLeavesThePlugIn) {
  PlacePlugIn(kProbeWyc, "Wyc.dll");
  sandbox::QueueAnswer("NewProject", NewProjectAnswer());
  sandbox::QueueAnswer("AppWizard", {sandbox::kWizardCancel, "", [](void* frame) {
                                       sandbox::SetCheck(sandbox::WizardStep(frame), kRadioWyc, BST_CHECKED);
                                       sandbox::ClickButton(frame, sandbox::kWizardNext);
                                       ASSERT_NE(StepItem(frame, kProbeText), nullptr);
                                       EXPECT_TRUE(Enabled(FrameItem(frame, sandbox::kWizardBack)));
                                       sandbox::ClickButton(frame, sandbox::kWizardBack);
                                       ASSERT_NE(StepItem(frame, kRadioWyc), nullptr);
                                       EXPECT_TRUE(Enabled(FrameItem(frame, sandbox::kWizardBack)));
                                       // And in again.
                                       sandbox::SetCheck(sandbox::WizardStep(frame), kRadioWyc, BST_CHECKED);
                                       sandbox::ClickButton(frame, sandbox::kWizardNext);
                                       EXPECT_NE(StepItem(frame, kProbeText), nullptr);
                                     }});
  EXPECT_FALSE(Run());
  const std::vector<std::string> expected = {
      "Wyc.dll: InitCustomAppWizard, host steps 1", "Wyc.dll: GetPlatforms [Win32 (x86)]", "Wyc.dll: Next",
      "Wyc.dll: Back", "Wyc.dll: ExitCustomAppWizard",
      "Wyc.dll: InitCustomAppWizard, host steps 1", "Wyc.dll: GetPlatforms [Win32 (x86)]", "Wyc.dll: Next",
      "Wyc.dll: ExitCustomAppWizard"};
  std::vector<std::string> calls;
  for (const std::string& note : ProbeNotes())
    if (note.find("GetAppWizard") == std::string::npos && note.rfind("constructed: ", 0) != 0) calls.push_back(note);
  EXPECT_EQ(calls, expected);
}

// The plug-in's template hooks come first: a LoadTemplate that answers FALSE and leaves no text
// gives the host library no template, where the default gives the plug-in's own.
TEST_F(HostSteps, TheTemplatesComeThroughThePlugInsHooks) {
  struct Row {
    const char* module;
    bool made;
    std::string information;
  } rows[] = {{kProbeWyc, true, "Project Thermo by a probe plug-in\n"}, {kProbeRefuseTemplates, false, ""}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.module);
    sandbox::msdev::CloseWorkspace();
    std::filesystem::remove_all(sandbox::HostPath("C:\\Projects"));
    DeleteFile((std::string(kPlugInFolder) + "Wyc.dll").c_str());
    PlacePlugIn(row.module, "Wyc.dll");
    sandbox::ClearModals();
    sandbox::QueueAnswer("NewProject", NewProjectAnswer(IDOK, true));
    sandbox::QueueAnswer("AppWizard", {sandbox::kWizardFinish, "", [](void* frame) {
                                         sandbox::SetCheck(sandbox::WizardStep(frame), kRadioWyc, BST_CHECKED);
                                         sandbox::ClickButton(frame, sandbox::kWizardNext);
                                       }});
    sandbox::QueueAnswer("NewProjectInformation", {IDOK});
    if (!row.made) sandbox::QueueAnswer("MessageBox", {IDOK});
    std::string error;
    EXPECT_EQ(Run(&error), row.made) << error;
    std::string information;
    for (const sandbox::Modal& modal : sandbox::Modals())
      if (modal.kind == "NewProjectInformation") information = modal.text;
    EXPECT_EQ(information, row.information);
    if (row.made) {
      EXPECT_EQ(DiskBytes("C:\\Projects\\Thermo\\ReadMe.txt"), "Thermo: made by a probe plug-in.\r\n");
    } else {
      EXPECT_EQ(error, "The project was not made: NEWPROJ.INF: no such template");
      EXPECT_FALSE(OnDisk("C:\\Projects"));
    }
    const std::vector<std::string> notes = ProbeNotes();
    // Macintosh was taken away before the plug-in saw the list.
    EXPECT_NE(std::find(notes.begin(), notes.end(), "Wyc.dll: GetPlatforms [Win32 (x86)]"), notes.end());
    EXPECT_NE(std::find(notes.begin(), notes.end(), "Wyc.dll: LoadTemplate NEWPROJ.INF"), notes.end());
    EXPECT_EQ(std::count(notes.begin(), notes.end(), "Wyc.dll: CustomizeProject"), row.made ? 1 : 0);
    EXPECT_EQ(notes.back(), "Wyc.dll: ExitCustomAppWizard");
  }
}

// Each run of the New Project dialog loads the host afresh, which binds its plug-ins afresh: when
// a run ends, neither the host nor a plug-in is mapped any more, and the next run's plug-in is
// built anew by its DLL's static initialisation.
TEST_F(HostSteps, EachRunBindsFreshPlugIns) {
  PlacePlugIn(kProbeWyc, "Wyc.dll");
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    sandbox::msdev::CloseWorkspace();
    std::filesystem::remove_all(sandbox::HostPath("C:\\Projects"));
    sandbox::QueueAnswer("NewProject", NewProjectAnswer());
    sandbox::QueueAnswer("AppWizard", {sandbox::kWizardFinish, "", [](void* frame) {
                                         sandbox::SetCheck(sandbox::WizardStep(frame), kRadioWyc, BST_CHECKED);
                                         sandbox::ClickButton(frame, sandbox::kWizardNext);
                                         EXPECT_TRUE(AnyModuleFrom(kPlugInFolder));
                                       }});
    sandbox::QueueAnswer("NewProjectInformation", {IDOK});
    std::string error;
    ASSERT_TRUE(Run(&error)) << error;
    EXPECT_FALSE(AnyModuleFrom(kPlugInFolder));
    EXPECT_FALSE(AnyModuleFrom(std::string(kTemplateFolder) + "\\"));
    const std::vector<std::string> notes = ProbeNotes();
    EXPECT_EQ(std::count(notes.begin(), notes.end(), "constructed: TQ Wyc AppWizard"), 1);
    EXPECT_EQ(std::count(notes.begin(), notes.end(), "Wyc.dll: InitCustomAppWizard, host steps 1"), 1);
  }
}

// The platforms kept are those whose names begin with "Win32", as written.
TEST(HostObject, KeepsTheWin32Platforms) {
  CSablewingAppWizardAppWiz wizard;
  wizard.InitCustomAppWiz();
  CStringList platforms;
  for (const char* platform : {"Win32 (x86)", "Macintosh", "Win32 (ALPHA)", "win32 (MIPS)", "Win3"})
    platforms.AddTail(platform);
  wizard.GetPlatforms(platforms);
  std::vector<std::string> kept;
  for (POSITION pos = platforms.GetHeadPosition(); pos != NULL;) kept.emplace_back(platforms.GetNext(pos));
  EXPECT_EQ(kept, (std::vector<std::string>{"Win32 (x86)", "Win32 (ALPHA)"}));
  CString value;
  EXPECT_TRUE(wizard.m_Dictionary.Lookup("PROJTYPE_DLL", value));
  EXPECT_EQ(value, "1");
}

}  // namespace
