// HgWycAddIn.dll loaded by the IDE: its command and toolbar button on the first start, the button
// on a later start only when the user's flag says it is not there, its application object beside
// the IDE's; a connection that fails takes back what it did, and a disconnection leaves nothing
// held.
#include <afxwin.h>
#include <objmodel/appdefs.h>

#include "wyc_addin_test_support.h"

namespace wycaddin_test {
namespace {

using LoadingTest = WycAddInTest;

std::optional<uint32_t> ToolbarFlag() { return sandbox::RegistryGetDword(kPreferences, "WycToolbarDisplayed"); }

TEST_F(LoadingTest, TheFirstStartAddsTheCommandAndItsButtonOnAToolbarOfItsOwnName) {
  sandbox::msdev::StartIde();
  const std::vector<sandbox::msdev::AddIn> loaded = sandbox::msdev::AddIns();
  ASSERT_EQ(loaded.size(), 1u) << testing::PrintToString(sandbox::msdev::AddInMessages());
  EXPECT_EQ(loaded[0].progId, kProgId);
  EXPECT_TRUE(loaded[0].firstTime);
  const std::vector<sandbox::msdev::Command> commands = sandbox::msdev::Commands();
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].name, "HgWycSettings");
  EXPECT_EQ(commands[0].buttonText, "Settings");
  EXPECT_EQ(commands[0].statusText, "Allows you to configure the Hg/Wyc Add-In settings");
  EXPECT_EQ(commands[0].tooltip, "Hg/Wyc Settings");
  EXPECT_EQ(commands[0].method, "Settings");
  const std::vector<sandbox::msdev::ToolbarButton> buttons = sandbox::msdev::ToolbarButtons();
  ASSERT_EQ(buttons.size(), 1u);
  EXPECT_EQ(buttons[0].command, "HgWycSettings");
  EXPECT_EQ(buttons[0].type, dsGlyph);
  ASSERT_EQ(sandbox::msdev::Toolbars().size(), 1u);
  EXPECT_EQ(sandbox::msdev::Toolbars()[0].title, "Hg/Wyc");
  EXPECT_EQ(ToolbarFlag(), 1u);
  EXPECT_EQ(sandbox::msdev::ApplicationReferences(), 1) << "the add-in keeps the application";
  const auto canUnloadNow =
      reinterpret_cast<HRESULT (*)()>(reinterpret_cast<void (*)()>(GetProcAddress(LoadedDll(), "DllCanUnloadNow")));
  ASSERT_NE(canUnloadNow, nullptr);
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "its object is alive";
  CoFreeUnusedLibraries();
  EXPECT_NE(LoadedDll(), nullptr);

  // The add-in's application object lives in the DLL's own module state.
  ASSERT_NE(AfxGetApp(), nullptr);
  EXPECT_STREQ(AfxGetApp()->m_pszAppName, "Microsoft Visual C++");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(LoadingTest, ALaterStartAddsTheButtonOnlyWhenTheFlagSaysItIsNotThereAndOnlyOnceMessagesArePumped) {
  sandbox::msdev::StartIde();
  sandbox::msdev::StopIde();
  ASSERT_EQ(ToolbarFlag(), 1u);

  sandbox::msdev::StartIde();
  ASSERT_EQ(sandbox::msdev::AddIns().size(), 1u);
  EXPECT_FALSE(sandbox::msdev::AddIns()[0].firstTime);
  EXPECT_EQ(sandbox::msdev::Commands().size(), 1u);
  PumpMessages();
  EXPECT_TRUE(sandbox::msdev::ToolbarButtons().empty()) << "the toolbar is there from the first start";
  sandbox::msdev::StopIde();

  sandbox::RegistrySetDword(kPreferences, "WycToolbarDisplayed", 0);
  sandbox::msdev::StartIde();
  EXPECT_TRUE(sandbox::msdev::ToolbarButtons().empty()) << "not while the add-in connects";
  PumpMessages();
  ASSERT_EQ(sandbox::msdev::ToolbarButtons().size(), 1u);
  EXPECT_EQ(sandbox::msdev::ToolbarButtons()[0].command, "HgWycSettings");
  ASSERT_EQ(sandbox::msdev::Toolbars().size(), 1u);
  EXPECT_EQ(sandbox::msdev::Toolbars()[0].title, "Hg/Wyc");
  EXPECT_EQ(ToolbarFlag(), 1u);
  EXPECT_STREQ(AfxGetApp()->m_pszAppName, "Microsoft Visual C++");
  sandbox::msdev::StopIde();

  // A button that could not be added is tried again at the next start.
  sandbox::RegistrySetDword(kPreferences, "WycToolbarDisplayed", 0);
  sandbox::msdev::InjectFailure("IApplication::AddCommandBarButton", E_FAIL);
  sandbox::msdev::StartIde();
  PumpMessages();
  EXPECT_TRUE(sandbox::msdev::ToolbarButtons().empty());
  EXPECT_EQ(ToolbarFlag(), 0u);
}

TEST_F(LoadingTest, UnloadedItHoldsNothingAndItsModuleGoes) {
  StartWithSample();
  ASSERT_EQ(sandbox::msdev::RunCommand("HgWycSettings"), S_OK);  // takes the project (no .hga: Cancel)
  ASSERT_TRUE(sandbox::msdev::Build());
  ASSERT_NE(LoadedDll(), nullptr);
  ASSERT_TRUE(sandbox::msdev::UnloadAddIn(kProgId));
  EXPECT_EQ(sandbox::msdev::ApplicationReferences(), 0);
  EXPECT_EQ(sandbox::msdev::LiveObjects(), (std::map<std::string, int>{{"Application", 1}}));
  EXPECT_EQ(LoadedDll(), nullptr) << "nothing kept it";
  EXPECT_EQ(ToolbarFlag(), 0u) << "unloaded for the last time: the button is gone";
  EXPECT_EQ(sandbox::RegistryGetString(kAddInKey, ""), "0");
}

TEST_F(LoadingTest, AConnectionThatFailsShowsItsErrorAndTakesBackWhatItDid) {
  // Each start is a first one, whose button a failing AddCommandBarButton does not add either.
  for (const char* method : {"IConnectionPoint::Advise", "IApplication::SetAddInInfo", "IApplication::AddCommand",
                             "IApplication::AddCommandBarButton"}) {
    SCOPED_TRACE(method);
    sandbox::ClearModals();
    sandbox::msdev::InjectFailure(method, E_FAIL);
    sandbox::QueueAnswer("MessageBox", IDOK);
    sandbox::msdev::StartIde();
    EXPECT_TRUE(sandbox::msdev::AddIns().empty()) << "the add-in did not load";
    const std::vector<sandbox::Modal> modals = sandbox::Modals();
    ASSERT_EQ(modals.size(), 1u);
    EXPECT_EQ(modals[0].kind, "MessageBox");
    EXPECT_EQ(modals[0].caption, kCaption);
    EXPECT_EQ(modals[0].text, "The Harrowgate/Wyc AddIn was unable to communicate\nwith Developer Studio.");
    EXPECT_EQ(modals[0].style, static_cast<unsigned>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(sandbox::msdev::ApplicationReferences(), 0);
    EXPECT_TRUE(sandbox::msdev::Commands().empty());
    EXPECT_TRUE(sandbox::msdev::Toolbars().empty() || sandbox::msdev::Toolbars()[0].title.empty());
    CoFreeUnusedLibraries();
    EXPECT_EQ(LoadedDll(), nullptr) << "no sink or reference keeps the add-in alive";
    sandbox::msdev::StopIde();
    sandbox::msdev::ClearFailures();
    sandbox::RegistrySetDword(kAddInKey, "Loaded", 0);
  }
}

}  // namespace
}  // namespace wycaddin_test
