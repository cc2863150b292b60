// The per-user configuration over the sample world: a new user (the IDE started and quit, its
// defaults then the product's), a configured user run again, the IDE running, each machine value
// missing, failing writes and a standard user.
#include <objmodel/appauto.h>

#include <functional>

#include "ConfigureVisualCpp.h"
#include "vcsetup_test_support.h"

namespace vcsetup_test {
namespace {

using Strings = std::vector<std::string>;

std::optional<std::string> Text(const char* key, const char* name) { return sandbox::RegistryGetString(key, name); }

class Configure : public SampleWorld {
 protected:
  void SetUp() override {
    SampleWorld::SetUp();
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
  }
  void TearDown() override {
    SampleWorld::TearDown();
    CoUninitialize();
  }
  static int Run() { return ConfigureVisualCpp(CLSID_Application); }
  // What a new user of the sample has after a configuration with every step done.
  static void ExpectConfiguredNewUser() {
    EXPECT_EQ(Text(kDirectoriesKey, "Include Dirs"), std::string(kIdeIncludeDirs) + kProductIncludeDirs);
    EXPECT_EQ(Text(kDirectoriesKey, "Library Dirs"), std::string(kIdeLibraryDirs) + kProductLibraryDirs);
    EXPECT_EQ(Text(kAddInKey, ""), "1");
    EXPECT_EQ(Text(kAddInKey, "Filename"), "C:\\DevStudio\\Common\\MSDev98\\AddIns\\SablewingAddIn.dll");
    EXPECT_EQ(sandbox::RegistryGetDword(kToolsKey, "NumTools"), 4u) << "the IDE's three, then the reference";
    EXPECT_EQ(Text(kToolsKey, "MenuName#3"), "Sablewing Reference");
  }
};

TEST_F(Configure, ANewUserGetsTheIdesDefaultsThenTheProducts) {
  EXPECT_EQ(Run(), CONFIGURE_DONE);
  EXPECT_EQ(Messages(), Strings{});
  EXPECT_FALSE(sandbox::msdev::IdeRunning()) << "started for its defaults and quit";
  const Strings calls = sandbox::msdev::CallLog();
  EXPECT_NE(std::find(calls.begin(), calls.end(), "IApplication::Quit() -> S_OK"), calls.end());
  ExpectConfiguredNewUser();
  EXPECT_EQ(Text(kAddInKey, "Description"), "Adds Sablewing functionality to Visual Studio.");
  EXPECT_EQ(Text(kAddInKey, "DisplayName"), "Sablewing Add-in");
  EXPECT_EQ(Text(kToolsKey, "PathName#3"), "C:\\Sablewing\\Help\\tqkey.exe");
  EXPECT_EQ(Text(kToolsKey, "DefaultArguments#3"), "/f \"C:\\Sablewing\\Help\\swref.chm\" /k \"$(CurText)\"");
  EXPECT_EQ(Text(kToolsKey, "InitialDirectory#3"), "");
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
}

TEST_F(Configure, AUserWhoRanTheIdeLosesTheOldHelpAndNothingIsDoubledOnASecondRun) {
  LoadUser();
  EXPECT_EQ(Run(), CONFIGURE_DONE);
  EXPECT_TRUE(sandbox::msdev::CallLog().empty()) << "the IDE is not started for a user who has its defaults";
  EXPECT_EQ(Text(kToolsKey, "MenuName#2"), "&Error Finder");
  EXPECT_EQ(Text(kToolsKey, "MenuName#4"), "Sablewing Reference");
  EXPECT_EQ(sandbox::RegistryGetDword(kToolsKey, "NumTools"), 5u);
  const std::string once = sandbox::RegistryExport();
  EXPECT_EQ(Run(), CONFIGURE_DONE);
  EXPECT_EQ(sandbox::RegistryExport(), once);
  EXPECT_EQ(Messages(), Strings{});
}

TEST_F(Configure, WhileTheIdeRunsTheUserIsAskedOnce) {
  const struct {
    const char* name;
    int answer;
    int result;
  } rows[] = {
      {.name = "Cancel: nothing written", .answer = IDCANCEL, .result = CONFIGURE_CANCELLED},
      {.name = "OK: on with the steps", .answer = IDOK, .result = CONFIGURE_DONE},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::Reset();
    SetUp();
    LoadUser();
    sandbox::msdev::StartIde();
    sandbox::QueueAnswer("MessageBox", {row.answer, ""});
    const std::string before = sandbox::RegistryExport();
    EXPECT_EQ(Run(), row.result);
    EXPECT_EQ(Messages(), Strings{Message(kVcOpen, MB_OKCANCEL)});
    if (row.result == CONFIGURE_CANCELLED) {
      EXPECT_EQ(sandbox::RegistryExport(), before);
    } else {
      EXPECT_EQ(Text(kToolsKey, "MenuName#4"), "Sablewing Reference");
    }
    EXPECT_TRUE(sandbox::msdev::IdeRunning()) << "a user who has its defaults keeps the IDE open";
  }
}

TEST_F(Configure, EachMissingMachineValueFailsItsOwnStepOnly) {
  const struct {
    const char* name;
    const char* key;
    const char* value;
    int result;
    Strings messages;
    std::function<void()> check;
  } rows[] = {
      {.name = "VsCommonDir", .key = kSetupKey, .value = "VsCommonDir", .result = CONFIGURE_DONE, .messages = {},
       .check =
           [] {
             EXPECT_EQ(Text(kAddInKey, "Filename"), "\\MSDev98\\AddIns\\SablewingAddIn.dll");
             EXPECT_EQ(Text(kDirectoriesKey, "Library Dirs"), std::string(kProductLibraryDirs).substr(1))
                 << "an IDE that does not know its folder has empty lists";
           }},
      {.name = "InstallDir", .key = kProductKey, .value = "InstallDir", .result = CONFIGURE_FAILED,
       .messages = {Message(kNotInstalled)},
       .check =
           [] {
             EXPECT_EQ(Text(kDirectoriesKey, "Library Dirs"),
                       std::string(kIdeLibraryDirs) + ";C:\\VXIPNP\\WinNT\\lib\\msc");
             EXPECT_EQ(Text(kToolsKey, "MenuName#3"), "Sablewing Reference");
             EXPECT_EQ(Text(kAddInKey, ""), "1");
           }},
      {.name = "Directory", .key = kUserInfoKey, .value = "Directory", .result = CONFIGURE_FAILED,
       .messages = {Message(kReferenceNotAdded)},
       .check =
           [] {
             EXPECT_EQ(sandbox::RegistryGetDword(kToolsKey, "NumTools"), 3u);
             EXPECT_EQ(Text(kDirectoriesKey, "Library Dirs"), std::string(kIdeLibraryDirs) + kProductLibraryDirs);
           }},
      {.name = "FRAMEWORK_PATH", .key = kVxipnpKey, .value = "FRAMEWORK_PATH", .result = CONFIGURE_DONE,
       .messages = {},
       .check =
           [] {
             EXPECT_EQ(Text(kDirectoriesKey, "Include Dirs"),
                       std::string(kIdeIncludeDirs) + ";C:\\Sablewing\\Include;C:\\Sablewing\\Instr");
             EXPECT_EQ(Text(kToolsKey, "MenuName#3"), "Sablewing Reference");
           }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::Reset();
    SetUp();
    DeleteValue(row.key, row.value);
    ASSERT_EQ(sandbox::RegistryGetString(row.key, row.value), std::nullopt);
    EXPECT_EQ(Run(), row.result);
    EXPECT_EQ(Messages(), row.messages);
    row.check();
  }
}

TEST_F(Configure, AFailingWriteIsReportedAndTheOtherStepsGoOn) {
  const struct {
    const char* name;
    const char* key;
    const char* operation;
    int count;
    Strings messages;
  } rows[] = {
      {.name = "the add-in's key cannot be made", .key = kAddInKey, .operation = "create", .count = 1,
       .messages = {Message(kAddInNotEnabled)}},
      {.name = "an add-in value cannot be written", .key = kAddInKey, .operation = "set", .count = 1,
       .messages = {Message(kAddInNotEnabled)}},
      {.name = "the first directory cannot be written", .key = kDirectoriesKey, .operation = "set", .count = 1,
       .messages = {Message(kPathsNotSet)}},
      {.name = "no directory can be written", .key = kDirectoriesKey, .operation = "set", .count = -1,
       .messages = {Message(kPathsNotSet), Message(kVxipnpPathsNotSet)}},
      {.name = "the Tools menu cannot be written", .key = kToolsKey, .operation = "set", .count = -1,
       .messages = {Message(kReferenceNotAdded)}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::Reset();
    SetUp();
    LoadUser();
    sandbox::RegistryInjectFailure(row.key, row.operation, ERROR_ACCESS_DENIED, row.count);
    EXPECT_EQ(Run(), CONFIGURE_FAILED);
    EXPECT_EQ(Messages(), row.messages);
    sandbox::RegistryClearFailures();
    // The steps after a failed one were done.
    if (row.key != kDirectoriesKey) {
      EXPECT_EQ(Text(kDirectoriesKey, "Library Dirs"), std::string(kIdeLibraryDirs) + kProductLibraryDirs);
    }
    if (row.key != kToolsKey) {
      EXPECT_EQ(Text(kToolsKey, "MenuName#4"), "Sablewing Reference");
    }
  }
}

TEST_F(Configure, AStandardUserIsSetUpToo) {
  sandbox::RegistrySetStandardUser(true);
  EXPECT_EQ(Run(), CONFIGURE_DONE);
  EXPECT_EQ(Messages(), Strings{});
  ExpectConfiguredNewUser();
}

}  // namespace
}  // namespace vcsetup_test
