// The msdev program as a user runs it: its own process, the sample world, the add-in registered
// and loaded, the answers file's commands run, the changes shown. Each test has its own run folder
// (SABLEWING_MSDEV_RUN) and works on copies of the sample's projects.
#include <filesystem>

#include "e2e_support.h"
#include "sandbox/test_process.h"

namespace e2e_test {
namespace {

namespace fs = std::filesystem;

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    temp_ = sandbox::MapTempDrive('T');
    runFolder_ = temp_ + "/run";
  }

  // Runs msdev with the arguments; the registry is a fresh copy of the sample's unless the test
  // binds one.
  int Run(const std::vector<std::string>& arguments, std::string& output) {
    std::vector<std::string> environment = {"SABLEWING_MSDEV_RUN=" + runFolder_};
    if (!registry_.empty()) environment.push_back("SABLEWING_REGISTRY=" + registry_);
    return sandbox::testing::RunProgram(MSDEV_FILE, arguments, environment, &output);
  }

  std::string Answers(const std::string& text) {
    const std::string file = temp_ + "/answers.txt";
    sandbox::testing::WriteHostFile(file, text);
    return file;
  }

  // A copy of a sample project's folder below a folder whose name holds blanks.
  std::string CopyProjects(const std::string& from) {
    const std::string folder = temp_ + "/My Projects";
    fs::create_directories(folder);
    fs::copy(sandbox::testing::SourceRoot() + "/sample/" + from, folder, fs::copy_options::recursive);
    return folder;
  }

  std::string temp_, runFolder_, registry_;
};

// What the program refuses, it refuses before it writes anything: no run folder, no copy.
TEST_F(ProgramTest, MalformedAnswersAndWrongPathsAreRefusedBeforeAnythingIsWritten) {
  const std::string projects = CopyProjects("Legacy/Projects");
  fs::create_directories(temp_ + "/Empty");
  struct Row {
    const char* name;
    std::string answers;
    std::string path;     // "" for none
    std::string message;
  } const rows[] = {
      {"no end", "run SablewingAddInSetPreferences\nDialog: tick 1010\n", "",
       "msdev: answers.txt: line 2: an answer ends with \"press <id>\" or \"leave\"\n"},
      {"an unknown kind", "# the user\n\nWindow: press 1\n", "",
       "msdev: answers.txt: line 3: not a kind of modal: \"Window\" (Dialog, MessageBox, BrowseForFolder)\n"},
      {"an unknown action", "Dialog: wave 3, press 1\n", "",
       "msdev: answers.txt: line 1: not an action: \"wave\" (check, click, tick, untick, select, type, enter)\n"},
      {"something after the end", "Dialog: press 1, click 2\n", "",
       "msdev: answers.txt: line 1: \"press\" ends an answer: nothing may follow it\n"},
      {"a text not closed", "Dialog: type \"abc in 1000, press 1\n", "",
       "msdev: answers.txt: line 1: a text in double quotes is not closed\n"},
      {"run without a command", "run\n", "", "msdev: answers.txt: line 1: \"run\" takes one command name\n"},
      {"actions in a message box", "MessageBox: click 6, press 6\n", "",
       "msdev: answers.txt: line 1: only a dialog has controls to work\n"},
      {"no such path", "run SablewingAddInSetPreferences\n", temp_ + "/Nowhere", "msdev: " + temp_ + "/Nowhere: no such file or folder\n"},
      {"a folder without a workspace", "run SablewingAddInSetPreferences\n", temp_ + "/Empty",
       "msdev: " + temp_ + "/Empty: no workspace (.dsw) in this folder\n"},
      {"a file that is no workspace", "run SablewingAddInSetPreferences\n", projects + "/LegacyApp/LegacyApp.dsp",
       "msdev: " + projects + "/LegacyApp/LegacyApp.dsp: not a workspace (.dsw) file\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> arguments = {"--answers", Answers(row.answers)};
    if (!row.path.empty()) arguments.push_back(row.path);
    std::string output;
    EXPECT_EQ(Run(arguments, output), 2);
    EXPECT_EQ(output, row.message);
    EXPECT_FALSE(fs::exists(runFolder_));
  }
}

// The demo: alone, the program works on a fresh copy of the sample project in its run folder,
// with the sample's answers; its output, diffs included, is always the same.
TEST_F(ProgramTest, TheDemoAsTheGoldenOutputShows) {
  std::string output;
  EXPECT_EQ(Run({}, output), 0) << output;
  EXPECT_EQ(output, sandbox::testing::ReadHostFile(std::string(E2E_TEST_DIR) + "/golden/msdev_demo.txt"));
  for (const char* picture : {"01-sablewing-components-wizard.png", "02-sablewing-preferences.png"}) {
    SCOPED_TRACE(picture);
    std::string error;
    const std::optional<sandbox::Picture> saved = sandbox::LoadPicture(runFolder_ + "/pictures/" + picture, &error);
    ASSERT_TRUE(saved.has_value()) << error;
    EXPECT_GT(saved->width, 0);
  }
  // Run again: a fresh copy, the same output.
  std::string again;
  EXPECT_EQ(Run({}, again), 0);
  EXPECT_EQ(again, output);
  // The sample itself is never written.
  EXPECT_FALSE(fs::exists(sandbox::testing::SourceRoot() + "/sample/Projects/Thermo/TqIncludes.h"));
  EXPECT_FALSE(fs::exists(sandbox::testing::SourceRoot() + "/sample/Projects/Thermo/Sablewing_Backup"));
}

// The demo's answers on a user's 1.0 project, which they were not written for: the conversion
// prompt gets the answer meant for the components wizard, which does not fit it, so the user
// cancels it and the run stops; the project stays as it was.
TEST_F(ProgramTest, AnswersThatDoNotFitChangeNothing) {
  const std::string projects = CopyProjects("Legacy/Projects");
  const std::string before = sandbox::testing::ReadHostFile(projects + "/LegacyApp/LegacyApp.dsp");
  std::string output;
  EXPECT_EQ(Run({projects + "/LegacyApp"}, output), 1) << output;
  EXPECT_NE(output.find("  line 9 of the answers does not fit this dialog: Cancel\n"), std::string::npos) << output;
  EXPECT_NE(output.find("Answers did not fit after SablewingAddInAddComponent"), std::string::npos) << output;
  EXPECT_NE(output.find("No project file changed.\nNo backups were made.\n"), std::string::npos) << output;
  EXPECT_EQ(sandbox::testing::ReadHostFile(projects + "/LegacyApp/LegacyApp.dsp"), before);
}

// A user's workspace in a folder whose name holds blanks, in place; the answers file runs a
// command the project has nothing to say to. Nothing changes, and the output says so.
TEST_F(ProgramTest, AUsersWorkspaceInAFolderWithBlanks) {
  const std::string projects = CopyProjects("Projects/Thermo");
  std::string output;
  EXPECT_EQ(Run({"--answers", Answers("# nothing but the opening\n"), projects}, output), 0) << output;
  EXPECT_EQ(output,
            "Workspace Thermo.dsw\n"
            "Registered SablewingAddIn.dll\n"
            "Developer Studio loaded SablewingAddIn.DSAddIn.1 for the first time: 3 commands, toolbar \"Sablewing\"\n"
            "Open Thermo.dsw\n"
            "\n"
            "No project file changed.\n"
            "No backups were made.\n");
  EXPECT_TRUE(fs::exists(runFolder_ + "/registry.reg"));
  EXPECT_FALSE(fs::exists(runFolder_ + "/Thermo")) << "the user's project is worked on in place";

  // With the world a registry file names, the add-in registered there stays as it is.
  registry_ = temp_ + "/user.reg";
  fs::copy_file(runFolder_ + "/registry.reg", registry_);
  EXPECT_EQ(Run({"--answers", Answers(""), projects}, output), 0) << output;
  EXPECT_NE(output.find("SablewingAddIn.dll is registered\nDeveloper Studio loaded SablewingAddIn.DSAddIn.1: 3 "
                        "commands\n"),
            std::string::npos)
      << output;
}

}  // namespace
}  // namespace e2e_test
