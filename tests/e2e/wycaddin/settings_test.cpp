// The command Settings, run as the user clicks its button: it switches the table's upkeep off
// (the ".hga" file goes) or on (the table written and added to the project, the ".hga" file
// asking for the save prompt), and renames the table file, refusing a file that cannot be made.
#include "wyc_addin_test_support.h"

namespace wycaddin_test {
namespace {

constexpr char kRenamed[] = "C:\\Projects\\WycMeterVC\\Callbacks.c";
constexpr char kRemoveOld[] =
    "MessageBox HgWycAddIn: Remove the old UIR callback table file from the project.\n"
    "C:\\Projects\\WycMeterVC\\UIRCallbackTable.c";
constexpr char kCannotCreate[] =
    "MessageBox HgWycAddIn: The file could not be created.  Please verify the filename \n"
    "and that the directory exists.";
constexpr char kSettingsDialog[] = "Dialog Harrowgate/Wyc AddIn: #209";

class SettingsTest : public WycAddInTest {
 protected:
  // The dialog's answer: the user's action, then OK (or Cancel).
  static void Answer(int result, std::function<void(void*)> action = {}) {
    sandbox::QueueAnswer("Dialog", sandbox::Answer(result, "", std::move(action)));
  }
  static std::vector<std::string> AddedFiles() { return sandbox::msdev::Projects()[0].addedFiles; }
  static void RunSettings() {
    sandbox::ClearModals();
    EXPECT_EQ(sandbox::msdev::RunCommand("HgWycSettings"), S_OK);
  }
};

TEST_F(SettingsTest, CancelChangesNothing) {
  const std::string state = DiskBytes(kStateFile);
  const std::string table = DiskBytes(kTableFile);
  StartWithSample();
  struct Seen {
    int maintain;
    std::string tableFile, project;
  } seen{};
  Answer(IDCANCEL, [&](void* dialog) {
    seen = {sandbox::CheckState(dialog, kSettingsMaintain), sandbox::ControlText(dialog, kSettingsTableFile),
            sandbox::ControlText(dialog, kSettingsProject)};
    sandbox::SetCheck(dialog, kSettingsMaintain, BST_UNCHECKED);
  });
  RunSettings();
  EXPECT_EQ(seen.maintain, BST_CHECKED);
  EXPECT_EQ(seen.tableFile, kTableFile);
  EXPECT_EQ(seen.project, "WycMeterVC");
  EXPECT_EQ(Shown(), std::vector<std::string>{kSettingsDialog});
  EXPECT_EQ(DiskBytes(kStateFile), state);
  EXPECT_EQ(DiskBytes(kTableFile), table);
  EXPECT_TRUE(AddedFiles().empty());
}

TEST_F(SettingsTest, SwitchedOffTheStateFileGoesAndBuildsDoNothing) {
  StartWithSample();
  Answer(IDOK, [](void* dialog) { sandbox::SetCheck(dialog, kSettingsMaintain, BST_UNCHECKED); });
  RunSettings();
  EXPECT_FALSE(OnDisk(kStateFile));
  SetWriteTime(kMeterUir, RecordedTime(101));
  ASSERT_TRUE(sandbox::msdev::Build());
  EXPECT_EQ(sandbox::msdev::OutputPaneText(), "");

  // Off already, the state file gone by other hands: nothing to do, nothing fails.
  Answer(IDOK);
  RunSettings();
  EXPECT_EQ(Shown(), std::vector<std::string>{kSettingsDialog});
}

TEST_F(SettingsTest, SwitchedOnTheTableIsWrittenAndAddedAndTheStateFileAsksForTheSavePrompt) {
  DeleteFile(kStateFile);
  DeleteFile(kTableFile);
  StartWithSample();
  struct Seen {
    int maintain;
    bool tableEnabled;
    std::string offered;
  } seen{};
  Answer(IDOK, [&](void* dialog) {
    seen.maintain = sandbox::CheckState(dialog, kSettingsMaintain);
    seen.tableEnabled = IsWindowEnabled(GetDlgItem(static_cast<HWND>(dialog), kSettingsTableFile));
    sandbox::SetCheck(dialog, kSettingsMaintain, BST_CHECKED);
    seen.offered = sandbox::ControlText(dialog, kSettingsTableFile);
  });
  RunSettings();
  EXPECT_EQ(seen.maintain, BST_UNCHECKED);
  EXPECT_FALSE(seen.tableEnabled);
  EXPECT_EQ(seen.offered, kTableFile) << "the project folder's UIRCallbackTable.c";
  EXPECT_EQ(DiskBytes(kTableFile), Golden("sample"));
  EXPECT_EQ(AddedFiles(), std::vector<std::string>{kTableFile});
  std::string expected = sandbox::testing::ReadHostFile(sandbox::testing::SourceRoot() +
                                                        "/sample/Projects/WycMeterVC/WycMeterVC.hga");
  expected.replace(expected.find("PromptDSPSave = False"), 21, "PromptDSPSave = True");
  EXPECT_EQ(DiskBytes(kStateFile), expected);
  EXPECT_EQ(sandbox::msdev::SettingChanges().size(), 0u) << "settings add no copy step";
}

TEST_F(SettingsTest, ATableFileThatCannotBeMadeIsRefusedAndTheDialogShownAgain) {
  const std::string state = DiskBytes(kStateFile);
  StartWithSample();
  Answer(IDOK, [](void* dialog) { sandbox::TypeText(dialog, kSettingsTableFile, "C:\\Nowhere\\Callbacks.c"); });
  sandbox::QueueAnswer("MessageBox", IDOK);
  std::string shownAgain;
  Answer(IDCANCEL, [&](void* dialog) { shownAgain = sandbox::ControlText(dialog, kSettingsTableFile); });
  RunSettings();
  EXPECT_EQ(Shown(), (std::vector<std::string>{kSettingsDialog, kCannotCreate, kSettingsDialog}));
  EXPECT_EQ(shownAgain, "C:\\Nowhere\\Callbacks.c") << "as the user left it";
  EXPECT_EQ(DiskBytes(kStateFile), state);
}

TEST_F(SettingsTest, ARenameShowsTheOldNameDeletesTheOldFileAndWritesTheNewOne) {
  StartWithSample();
  Answer(IDOK, [](void* dialog) { sandbox::TypeText(dialog, kSettingsTableFile, kRenamed); });
  sandbox::QueueAnswer("MessageBox", IDOK);
  RunSettings();
  EXPECT_EQ(Shown(), (std::vector<std::string>{kSettingsDialog, kRemoveOld}));
  EXPECT_FALSE(OnDisk(kTableFile));
  EXPECT_EQ(DiskBytes(kRenamed), Golden("sample"));
  EXPECT_EQ(AddedFiles(), std::vector<std::string>{kRenamed});
  EXPECT_NE(DiskBytes(kStateFile).find("TableFile = \"C:\\Projects\\WycMeterVC\\Callbacks.c\""), std::string::npos);
  EXPECT_NE(DiskBytes(kStateFile).find("PromptDSPSave = False"), std::string::npos) << "as it was";

  // An old file that is gone already is no failure.
  DeleteFile(kRenamed);
  Answer(IDOK, [](void* dialog) { sandbox::TypeText(dialog, kSettingsTableFile, kTableFile); });
  sandbox::QueueAnswer("MessageBox", IDOK);
  RunSettings();
  EXPECT_EQ(DiskBytes(kTableFile), Golden("sample"));
  EXPECT_NE(DiskBytes(kStateFile).find("TableFile = \"C:\\Projects\\WycMeterVC\\UIRCallbackTable.c\""),
            std::string::npos);
}

// A change whose state file cannot be saved is marked dirty, so the next build saves it, though
// nothing else changed by then.
TEST_F(SettingsTest, AChangeThatFailsOnTheWayIsLeftToTheNextBuild) {
  DeleteFile(kStateFile);
  StartWithSample();
  Answer(IDOK, [](void* dialog) { sandbox::SetCheck(dialog, kSettingsMaintain, BST_CHECKED); });
  sandbox::InjectFileFailure(kStateFile, "move", ERROR_ACCESS_DENIED);
  RunSettings();
  EXPECT_EQ(sandbox::msdev::ModelessDisabledDepth(), 0) << "Developer Studio is enabled again";
  EXPECT_FALSE(OnDisk(kStateFile));
  EXPECT_EQ(DiskBytes(kTableFile), Golden("sample"));

  sandbox::QueueAnswer("Dialog", IDOK);  // the save prompt the switch asked for
  ASSERT_TRUE(sandbox::msdev::Build());
  EXPECT_EQ(sandbox::msdev::OutputPaneText(), "") << "the table is up to date";
  std::string expected = sandbox::testing::ReadHostFile(sandbox::testing::SourceRoot() +
                                                        "/sample/Projects/WycMeterVC/WycMeterVC.hga");
  expected.replace(expected.find("PromptDSPSave = False"), 21, "PromptDSPSave = True");
  EXPECT_EQ(DiskBytes(kStateFile), expected);
}

TEST_F(SettingsTest, WithoutABuildProjectTheDialogOffersNothingToSwitch) {
  DeleteFile(kStateFile);
  StartWithSample();
  ASSERT_TRUE(sandbox::msdev::Build());  // takes the project, switched off
  ASSERT_TRUE(sandbox::msdev::SetActiveProject("MeterTools"));
  struct Seen {
    std::string project;
    bool maintainEnabled = true;
  } seen;
  Answer(IDOK, [&](void* dialog) {
    seen.project = sandbox::ControlText(dialog, kSettingsProject);
    seen.maintainEnabled = IsWindowEnabled(GetDlgItem(static_cast<HWND>(dialog), kSettingsMaintain));
  });
  RunSettings();
  EXPECT_EQ(seen.project, "No Active Project") << "the project taken before is no longer the active one";
  EXPECT_FALSE(seen.maintainEnabled);
  EXPECT_FALSE(OnDisk(kStateFile));
}

}  // namespace
}  // namespace wycaddin_test
