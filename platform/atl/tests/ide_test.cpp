// The test server as an add-in of the IDE stand-in: registered by regsvr32, loaded from the
// per-user AddIns key through COM, its sink advised and unadvised, its commands run as the
// user clicks their buttons, and its module unloaded after the user unloads the add-in.
#include <atlbase.h>
#include <objmodel/appauto.h>

#include <filesystem>
#include <fstream>

#include "atl_test_support.h"
#include "regsvr32.h"
#include "sandbox/msdev.h"

namespace atl_test {
namespace {

constexpr char kProgId[] = "AtlTest.AddIn.1";

class IdeTest : public AtlTest {
 protected:
  void SetUp() override {
    AtlTest::SetUp();
    const std::filesystem::path folder = std::filesystem::path(sandbox::MapTempDrive('T')) / "Bench";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Bench.dsw") << "Microsoft Developer Studio Workspace File, Format Version 6.00\r\n\r\n"
                                           "Project: \"Bench\"=.\\Bench.dsp - Package Owner=<4>\r\n";
    std::ofstream(folder / "Bench.dsp") << "# Microsoft Developer Studio Project File - Name=\"Bench\" - Package "
                                           "Owner=<4>\r\nCFG=Bench - Win32 Debug\r\n";
    ASSERT_EQ(Regsvr32({"/s", ServerPath()}), kRegsvr32Done);
  }
  void TearDown() override {
    sandbox::msdev::StopIde();
    AtlTest::TearDown();
  }
  static void OpenBench() {
    std::string error;
    ASSERT_TRUE(sandbox::msdev::OpenWorkspace("T:\\Bench\\Bench.dsw", &error)) << error;
  }
  static HMODULE LoadedServer() { return GetModuleHandle(ServerPath().c_str()); }
};

TEST_F(IdeTest, TheIdeLoadsTheRegisteredServerAndRunsItsCommandsAsClicks) {
  sandbox::msdev::StartIde();
  const std::vector<sandbox::msdev::AddIn> loaded = sandbox::msdev::AddIns();
  ASSERT_EQ(loaded.size(), 1u) << testing::PrintToString(sandbox::msdev::AddInMessages());
  EXPECT_EQ(loaded[0].progId, kProgId);
  EXPECT_TRUE(loaded[0].firstTime);
  const std::vector<sandbox::msdev::Command> commands = sandbox::msdev::Commands();
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0].name, "AtlTestGreet");
  EXPECT_EQ(commands[0].method, "Greet");
  EXPECT_EQ(commands[1].name, "AtlTestFail");

  sandbox::ClearDebugOutput();
  OpenBench();
  EXPECT_EQ(ServerSaid(), std::vector<std::string>{"WorkspaceOpen"}) << "the add-in's sink is advised";

  struct Row {
    const char* command;
    HRESULT result;
    std::vector<std::string> said;
  };
  const Row rows[] = {
      {"atltestgreet", S_OK, {"Greet"}},
      {"AtlTestFail", DISP_E_EXCEPTION, {}},
      {"AtlTestNone", E_INVALIDARG, {}},
  };
  for (const Row& row : rows) {
    sandbox::ClearDebugOutput();
    EXPECT_EQ(sandbox::msdev::RunCommand(row.command), row.result) << row.command;
    EXPECT_EQ(ServerSaid(), row.said) << row.command;
  }

  // While modeless windows are disabled the toolbars are: the click does nothing.
  CComPtr<IApplication> application;
  ASSERT_EQ(application.CoCreateInstance(CLSID_Application, nullptr, CLSCTX_LOCAL_SERVER), S_OK);
  ASSERT_EQ(application->EnableModeless(VARIANT_FALSE), S_OK);
  sandbox::ClearDebugOutput();
  EXPECT_EQ(sandbox::msdev::RunCommand("AtlTestGreet"), S_FALSE);
  EXPECT_TRUE(ServerSaid().empty());
  ASSERT_EQ(application->EnableModeless(VARIANT_TRUE), S_OK);
  EXPECT_EQ(sandbox::msdev::RunCommand("AtlTestGreet"), S_OK);
  application.Release();

  const HMODULE server = LoadedServer();
  ASSERT_NE(server, nullptr);
  const auto canUnloadNow =
      reinterpret_cast<LPFNCANUNLOADNOW>(reinterpret_cast<void (*)()>(GetProcAddress(server, "DllCanUnloadNow")));
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "the add-in, its sink and its commands are alive";
}

TEST_F(IdeTest, UnloadingTheAddInUnadvisesItsSinkAndUnmapsItsModule) {
  sandbox::msdev::StartIde();
  OpenBench();
  ASSERT_NE(LoadedServer(), nullptr);
  ASSERT_TRUE(sandbox::msdev::UnloadAddIn(kProgId));
  EXPECT_EQ(LoadedServer(), nullptr) << "CoFreeUnusedLibraries after the unload";
  EXPECT_EQ(sandbox::msdev::ApplicationReferences(), 0) << "the add-in let the application go";
  EXPECT_EQ(sandbox::msdev::LiveObjects().count("ConnectionPoint"), 0u);

  sandbox::ClearDebugOutput();
  EXPECT_TRUE(sandbox::msdev::CloseWorkspace());
  EXPECT_TRUE(ServerSaid().empty()) << "no sink is left to hear WorkspaceClose";
  EXPECT_EQ(sandbox::msdev::RunCommand("AtlTestGreet"), E_INVALIDARG) << "its commands went with it";

  sandbox::msdev::StopIde();
  sandbox::msdev::StartIde();
  EXPECT_TRUE(sandbox::msdev::AddIns().empty()) << "switched off in the add-in list";
  EXPECT_EQ(LoadedServer(), nullptr);
}

}  // namespace
}  // namespace atl_test
