// The registered add-in as the IDE loads it: its commands and toolbar on the first load, the
// toolbar once per user after that, its unloading, and a connection that Developer Studio refuses.
#include "e2e_support.h"

namespace e2e_test {
namespace {

using sandbox::msdev::AddIns;
using sandbox::msdev::Commands;
using sandbox::msdev::ToolbarButtons;
using sandbox::msdev::Toolbars;

std::vector<std::string> ButtonCommands() {
  std::vector<std::string> names;
  for (const sandbox::msdev::ToolbarButton& button : ToolbarButtons()) names.push_back(button.command);
  return names;
}

const std::vector<std::string> kAllNames(std::begin(kCommandNames), std::end(kCommandNames));

TEST_F(AddInTest, TheFirstLoadAddsThreeCommandsAndTheirToolbar) {
  sandbox::msdev::StartIde();
  const std::vector<sandbox::msdev::AddIn> loaded = AddIns();
  ASSERT_EQ(loaded.size(), 1u) << testing::PrintToString(sandbox::msdev::AddInMessages());
  EXPECT_EQ(loaded[0].progId, kProgId);
  EXPECT_TRUE(loaded[0].firstTime);

  struct Row {
    const char* name;
    const char* method;
    const char* button;
    const char* status;
  } const rows[] = {
      {"SablewingAddInAddComponent", "SablewingAddInAddComponentMethod", "Sablewing Add/Remove Components Wizard",
       "Manages the Sablewing components that the project includes"},
      {"SablewingAddInUpgradeProject", "SablewingAddInUpgradeProjectMethod", "Sablewing Project Conversion Wizard",
       "Converts the current project to the Sablewing 6.0 format"},
      {"SablewingAddInSetPreferences", "SablewingAddInSetPreferencesMethod", "Sablewing Preferences",
       "Sets the Sablewing preferences"},
  };
  const std::vector<sandbox::msdev::Command> commands = Commands();
  ASSERT_EQ(commands.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(rows[i].name);
    EXPECT_EQ(commands[i].name, rows[i].name);
    EXPECT_EQ(commands[i].method, rows[i].method);
    EXPECT_EQ(commands[i].buttonText, rows[i].button);
    EXPECT_EQ(commands[i].statusText, rows[i].status);
    EXPECT_EQ(commands[i].tooltip, rows[i].button);
    EXPECT_EQ(commands[i].glyph, static_cast<int32_t>(i));
    EXPECT_EQ(commands[i].cookie, loaded[0].cookie);
  }
  EXPECT_EQ(ButtonCommands(), kAllNames);
  for (const sandbox::msdev::ToolbarButton& button : ToolbarButtons()) EXPECT_EQ(button.type, 1) << "dsGlyph";
  const std::vector<sandbox::msdev::Toolbar> toolbars = Toolbars();
  ASSERT_EQ(toolbars.size(), 1u);
  EXPECT_EQ(toolbars[0].title, "Sablewing");
  EXPECT_EQ(ToolbarDisplayed(), 1u);
}

// A later load makes no buttons while the user has them; once the flag was cleared it makes them,
// when the IDE pumps its messages.
TEST_F(AddInTest, ALaterLoadMakesTheButtonsOnlyWhenTheUserHasNone) {
  sandbox::msdev::StartIde();
  sandbox::msdev::StopIde();
  struct Row {
    uint32_t flag;
    std::vector<std::string> buttons;
  } const rows[] = {{1, {}}, {0, kAllNames}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.flag);
    sandbox::RegistrySetDword(kPreferences, "ToolbarDisplayed", row.flag);
    sandbox::msdev::StartIde();
    ASSERT_EQ(AddIns().size(), 1u);
    EXPECT_FALSE(AddIns()[0].firstTime);
    EXPECT_EQ(Commands().size(), 3u);
    EXPECT_EQ(ButtonCommands(), std::vector<std::string>{}) << "not before the messages are pumped";
    PumpMessages();
    EXPECT_EQ(ButtonCommands(), row.buttons);
    EXPECT_EQ(ToolbarDisplayed(), 1u);
    if (!row.buttons.empty()) {
      ASSERT_EQ(Toolbars().size(), 1u);
      EXPECT_EQ(Toolbars()[0].title, "Sablewing");
    }
    PumpMessages();
    EXPECT_EQ(ButtonCommands(), row.buttons) << "once";
    sandbox::msdev::StopIde();
  }
}

TEST_F(AddInTest, UnloadingClearsTheFlagDisconnectsAndUnmapsTheModule) {
  sandbox::msdev::StartIde();
  ASSERT_NE(LoadedAddIn(), nullptr);
  ASSERT_EQ(sandbox::msdev::LiveObjects()["Debugger"], 1) << "held for its events' sink";
  ASSERT_TRUE(sandbox::msdev::UnloadAddIn(kProgId));
  EXPECT_EQ(ToolbarDisplayed(), 0u);
  EXPECT_EQ(sandbox::msdev::LiveObjects().count("Debugger"), 0u);
  EXPECT_EQ(sandbox::msdev::ApplicationReferences(), 0);
  EXPECT_EQ(LoadedAddIn(), nullptr) << "CoFreeUnusedLibraries after the unload";
  EXPECT_EQ(sandbox::msdev::RunCommand("SablewingAddInSetPreferences"), E_INVALIDARG);
}

// Developer Studio does not add a command: the add-in declines to load and holds nothing, so its
// module can go.
TEST_F(AddInTest, ACommandThatIsNotAddedDeclinesTheConnectionAndHoldsNothing) {
  for (int call : {1, 3}) {
    SCOPED_TRACE(call);
    sandbox::msdev::InjectFailure("IApplication::AddCommand", E_FAIL, call);
    sandbox::msdev::StartIde();
    EXPECT_TRUE(AddIns().empty());
    EXPECT_EQ(sandbox::msdev::AddInMessages(), std::vector<std::string>{std::string(kProgId) + ": the add-in did not load"});
    EXPECT_EQ(sandbox::msdev::ApplicationReferences(), 0);
    EXPECT_EQ(sandbox::msdev::LiveObjects().count("Debugger"), 0u);
    EXPECT_TRUE(ToolbarButtons().empty());
    ::CoFreeUnusedLibraries();
    EXPECT_EQ(LoadedAddIn(), nullptr);
    sandbox::msdev::StopIde();
    sandbox::msdev::ClearFailures();
  }
}

}  // namespace
}  // namespace e2e_test
