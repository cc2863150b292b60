// Before each build the add-in brings the active project's callback table up to date: a .uir
// file added, touched, removed or replaced regenerates the table and saves the ".hga" file, an
// unchanged project changes nothing, files the table did not know get their copy step, and the
// save prompt is shown while the ".hga" file asks for it. A project without a ".hga" file, or a
// utility project, is left alone.
#include "wyc_addin_test_support.h"

#include "sandbox/files.h"
#include "sandbox/modules.h"
#include "sandbox/wycrte.h"

namespace wycaddin_test {
namespace {

constexpr char kProjectFile[] = "C:\\Projects\\WycMeterVC\\WycMeterVC.dsp";
constexpr char kUpdating[] = "Updating Wyc UIR callback table...\r\n";
constexpr char kAlarmSource[] = "SOURCE=\"..\\WycMeterVC\\alarm.uir\"\r\n";

class BuildTest : public WycAddInTest {
 protected:
  // Replaces `from` by `to` in the project file on disk, as an editor outside the IDE would.
  void EditProjectFile(const std::string& from, const std::string& to) {
    std::string text = DiskBytes(kProjectFile);
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    WriteDisk("Projects/WycMeterVC/WycMeterVC.dsp", text);
  }
  // The copy steps added since the workspace opened, as "<configuration>: <file>".
  static std::vector<std::string> CopySteps() {
    std::vector<std::string> steps;
    for (const sandbox::msdev::SettingChange& change : sandbox::msdev::SettingChanges()) {
      EXPECT_EQ(change.method, "AddCustomBuildStepToFile");
      if (change.arguments.empty()) continue;
      steps.push_back(change.configuration + ": " + change.arguments[0]);
      EXPECT_EQ(change.arguments[1], "copy \"$(InputPath)\" \"$(OutDir)\"\\$(InputName).uir");
    }
    return steps;
  }
  // The .uir files the ".hga" file lists, in order.
  std::vector<std::string> ListedUirs() {
    const std::string text = DiskBytes(kStateFile);
    std::vector<std::string> listed;
    const size_t begin = text.find("[UIRs]\r\n"), end = text.find("[UIRDates]");
    for (size_t at = begin + 8; at < end; at = text.find("\r\n", at) + 2) {
      const size_t equals = text.find(" = ", at);
      if (equals < end) listed.push_back(text.substr(at, equals - at));
    }
    return listed;
  }
};

TEST_F(BuildTest, AnUnchangedProjectChangesNothing) {
  const std::string state = DiskBytes(kStateFile);
  const std::string table = DiskBytes(kTableFile);
  StartWithSample();
  sandbox::ClearModals();
  ASSERT_TRUE(sandbox::msdev::Build());
  ASSERT_TRUE(sandbox::msdev::Build());
  EXPECT_EQ(sandbox::msdev::Builds().size(), 2u);
  EXPECT_EQ(sandbox::msdev::OutputPaneText(), "");
  EXPECT_EQ(DiskBytes(kStateFile), state);
  EXPECT_EQ(DiskBytes(kTableFile), table);
  EXPECT_TRUE(sandbox::msdev::SettingChanges().empty());
  EXPECT_TRUE(Shown().empty());
}

TEST_F(BuildTest, AUirFileAddedTouchedRemovedOrReplacedRegeneratesTheTable) {
  struct Row {
    const char* what;
    std::function<void()> change;
    const char* golden;
    std::vector<std::string> listed;
    std::vector<std::string> copySteps;  // in both configurations
  };
  const std::string extra = std::string(kProjectDir) + "extra.uir";
  const std::string siren = std::string(kProjectDir) + "siren.uir";
  const Row rows[] = {
      {.what = "added",
       .change = [this] { EditProjectFile(kAlarmSource, std::string(kAlarmSource) + "# End Source File\r\n"
                                                                     "# Begin Source File\r\n\r\nSOURCE=.\\extra.uir\r\n"); },
       .golden = "table_added.c",
       .listed = {kMeterUir, kSetupUir, kAlarmUir, extra},
       .copySteps = {kMeterUir, kSetupUir, kAlarmUir, extra}},
      {.what = "touched",
       .change = [] { SetWriteTime(kSetupUir, RecordedTime(201)); },
       .golden = "sample",
       .listed = {kMeterUir, kSetupUir, kAlarmUir},
       .copySteps = {}},
      {.what = "removed",
       .change = [this] { EditProjectFile(kAlarmSource, ""); },
       .golden = "meter",
       .listed = {kMeterUir, kSetupUir},
       .copySteps = {}},
      {.what = "replaced by another",
       .change = [this] { EditProjectFile(kAlarmSource, "SOURCE=.\\siren.uir\r\n"); },
       .golden = "table_replaced.c",
       .listed = {kMeterUir, kSetupUir, siren},
       .copySteps = {siren}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    sandbox::msdev::StopIde();
    std::filesystem::remove_all(sandbox::HostPath("C:\\Projects\\WycMeterVC"));
    CopyToDisk(sandbox::testing::SourceRoot() + "/sample/Projects/WycMeterVC", "Projects/WycMeterVC");
    std::filesystem::remove(sandbox::HostPath(kTableFile));
    WriteDisk("Projects/WycMeterVC/extra.uir", "WycUIR 1\nPanel ExtraPanelCB\nControl ExtraCB\n");
    WriteDisk("Projects/WycMeterVC/siren.uir", "WycUIR 1\nPanel SirenPanelCB\nControl SirenOffCB\n");
    for (const char* uir : {kMeterUir, kSetupUir, kAlarmUir, "C:\\Projects\\WycMeterVC\\extra.uir",
                            "C:\\Projects\\WycMeterVC\\siren.uir"})
      SetWriteTime(uir, RecordedTime(100));
    SetWriteTime(kSetupUir, RecordedTime(200));
    SetWriteTime(kAlarmUir, RecordedTime(300));
    StartWithSample();
    row.change();

    ASSERT_TRUE(sandbox::msdev::Build());
    EXPECT_EQ(DiskBytes(kTableFile), Golden(row.golden));
    EXPECT_EQ(ListedUirs(), row.listed) << "the .hga file is saved";
    EXPECT_EQ(sandbox::msdev::OutputPaneText(), kUpdating);
    std::vector<std::string> steps;
    for (const char* configuration : {"WycMeterVC - Win32 Release", "WycMeterVC - Win32 Debug"})
      for (const std::string& file : row.copySteps) steps.push_back(std::string(configuration) + ": " + file);
    std::vector<std::string> made = CopySteps();
    std::sort(made.begin(), made.end());
    std::sort(steps.begin(), steps.end());
    EXPECT_EQ(made, steps);

    // Saved, the state is what the next build finds: nothing more to do.
    const std::string state = DiskBytes(kStateFile);
    ASSERT_TRUE(sandbox::msdev::Build());
    EXPECT_EQ(sandbox::msdev::OutputPaneText(), kUpdating);
    EXPECT_EQ(DiskBytes(kStateFile), state);
  }
}

TEST_F(BuildTest, TheSavePromptComesWhileTheStateFileAsksForIt) {
  std::string state = DiskBytes(kStateFile);
  state.replace(state.find("PromptDSPSave = False"), 21, "PromptDSPSave = True");
  WriteDisk("Projects/WycMeterVC/WycMeterVC.hga", state);
  StartWithSample();
  sandbox::ClearModals();

  // Left as it is, the box keeps asking.
  bool modelessWhileShown = true;
  std::string text;
  sandbox::QueueAnswer("Dialog", sandbox::Answer(IDOK, "", [&](void* dialog) {
                         modelessWhileShown = sandbox::msdev::ModelessEnabled();
                         text = sandbox::ControlText(dialog, kSavePromptText);
                       }));
  ASSERT_TRUE(sandbox::msdev::Build());
  EXPECT_FALSE(modelessWhileShown);
  EXPECT_EQ(text, "To accurately manage your UIR callback table file, the Harrowgate/Wyc AddIn requires that you "
                  "save the project file before you build the project.");
  EXPECT_EQ(DiskBytes(kStateFile), state) << "nothing changed";
  EXPECT_EQ(sandbox::msdev::Builds().size(), 1u) << "the build goes on";

  // "Don't show me this again" is kept in the .hga file.
  sandbox::QueueAnswer("Dialog", sandbox::Answer(IDOK, "", [](void* dialog) {
                         sandbox::SetCheck(dialog, kSavePromptDontShow, BST_CHECKED);
                       }));
  ASSERT_TRUE(sandbox::msdev::Build());
  ASSERT_TRUE(sandbox::msdev::Build());
  EXPECT_EQ(Shown(), (std::vector<std::string>{"Dialog Harrowgate/Wyc AddIn: #210", "Dialog Harrowgate/Wyc AddIn: #210"}));
  EXPECT_NE(DiskBytes(kStateFile).find("PromptDSPSave = False"), std::string::npos);
  EXPECT_EQ(DiskBytes(kStateFile), sandbox::testing::ReadHostFile(sandbox::testing::SourceRoot() +
                                                                 "/sample/Projects/WycMeterVC/WycMeterVC.hga"))
      << "as the sample holds it";
}

TEST_F(BuildTest, WithoutAStateFileOrForAUtilityProjectNothingHappens) {
  SetWriteTime(kMeterUir, RecordedTime(101));  // a build of the project would write the table
  const std::string table = DiskBytes(kTableFile);
  StartWithSample();
  sandbox::ClearModals();

  ASSERT_TRUE(sandbox::msdev::SetActiveProject("MeterTools"));
  ASSERT_TRUE(sandbox::msdev::Build());
  ASSERT_TRUE(sandbox::msdev::SetActiveProject("WycMeterVC"));
  DeleteFile(kStateFile);
  ASSERT_TRUE(sandbox::msdev::Build());

  EXPECT_EQ(sandbox::msdev::Builds().size(), 2u);
  EXPECT_EQ(sandbox::msdev::OutputPaneText(), "");
  EXPECT_EQ(DiskBytes(kTableFile), table);
  EXPECT_FALSE(OnDisk(kStateFile));
  EXPECT_TRUE(sandbox::msdev::SettingChanges().empty());
  EXPECT_TRUE(Shown().empty());
}

TEST_F(BuildTest, AnEnabledProjectIsDroppedWhenAUtilityProjectBecomesActive) {
  StartWithSample();
  ASSERT_TRUE(sandbox::msdev::Build());  // takes the project, enabled
  ASSERT_TRUE(sandbox::msdev::SetActiveProject("MeterTools"));
  ASSERT_TRUE(sandbox::msdev::Build());
  // Back again, the project is taken anew from its .hga file, which now asks for nothing more.
  SetWriteTime(kMeterUir, RecordedTime(101));
  ASSERT_TRUE(sandbox::msdev::SetActiveProject("WycMeterVC"));
  ASSERT_TRUE(sandbox::msdev::Build());
  EXPECT_EQ(sandbox::msdev::OutputPaneText(), kUpdating);
}

TEST_F(BuildTest, AnEngineThatDoesNotLoadIsShownOnceAndTheBuildsGoOn) {
  sandbox::RefuseLoad("wycrte.dll", ERROR_MOD_NOT_FOUND);
  const std::string state = DiskBytes(kStateFile);
  const std::string table = DiskBytes(kTableFile);
  StartWithSample();
  sandbox::ClearModals();
  sandbox::QueueAnswer("MessageBox", IDOK);
  SetWriteTime(kMeterUir, RecordedTime(101));
  ASSERT_TRUE(sandbox::msdev::Build());
  SetWriteTime(kMeterUir, RecordedTime(102));
  ASSERT_TRUE(sandbox::msdev::Build());
  EXPECT_EQ(Shown(), std::vector<std::string>{"MessageBox HgWycAddIn: The Harrowgate/Wyc AddIn could not update your "
                                              "UIR callback table file because the Harrowgate/Wyc Run-Time Engine is "
                                              "not installed properly."});
  EXPECT_EQ(sandbox::msdev::Builds().size(), 2u);
  EXPECT_EQ(DiskBytes(kTableFile), table);
  EXPECT_EQ(DiskBytes(kStateFile), state);
}

TEST_F(BuildTest, ATableThatCouldNotBeWrittenIsWrittenByTheNextBuild) {
  std::filesystem::remove(sandbox::HostPath(kTableFile));
  StartWithSample();
  SetWriteTime(kMeterUir, RecordedTime(101));
  sandbox::InjectFileFailure(kTableFile, "move", ERROR_ACCESS_DENIED);
  ASSERT_TRUE(sandbox::msdev::Build());
  EXPECT_FALSE(OnDisk(kTableFile));

  ASSERT_TRUE(sandbox::msdev::Build());
  EXPECT_EQ(DiskBytes(kTableFile), Golden("sample"));
  EXPECT_NE(DiskBytes(kStateFile).find("\"101, 29421568\""), std::string::npos) << "saved with the new time";
}

TEST_F(BuildTest, AStateFileThatCouldNotBeSavedIsSavedByTheNextBuild) {
  std::string state = DiskBytes(kStateFile);
  state.replace(state.find("PromptDSPSave = False"), 21, "PromptDSPSave = True");
  WriteDisk("Projects/WycMeterVC/WycMeterVC.hga", state);
  StartWithSample();
  sandbox::ClearModals();
  sandbox::QueueAnswer("Dialog", sandbox::Answer(IDOK, "", [](void* dialog) {
                         sandbox::SetCheck(dialog, kSavePromptDontShow, BST_CHECKED);
                       }));
  sandbox::InjectFileFailure(kStateFile, "move", ERROR_ACCESS_DENIED);
  ASSERT_TRUE(sandbox::msdev::Build());
  EXPECT_EQ(DiskBytes(kStateFile), state);

  ASSERT_TRUE(sandbox::msdev::Build());
  EXPECT_EQ(Shown().size(), 1u) << "asked once";
  EXPECT_NE(DiskBytes(kStateFile).find("PromptDSPSave = False"), std::string::npos);
}

}  // namespace
}  // namespace wycaddin_test
