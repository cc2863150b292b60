// The application object: one running IDE per process, reached through COM by ProgID (as the
// installation registered it) in either context; its lifetime, visibility and what a stopped
// IDE's objects answer.
#include <objbase.h>

#include "msdev_test_support.h"

namespace msdev_test {
namespace {

using ApplicationTest = IdeTest;

TEST_F(ApplicationTest, ProgIdReachesTheOneRunningIdeInEveryContext) {
  CLSID clsid = CLSID_NULL;
  EXPECT_EQ(CLSIDFromProgID(u"MSDEV.Application", &clsid), CO_E_CLASSSTRING)
      << "the ProgID is known where the IDE's installation registered it";
  sandbox::RegistrySetString("HKCR\\MSDEV.Application\\CLSID", "", "{156CA106-2EBF-447B-B0DA-E256AB276218}");
  ASSERT_EQ(CLSIDFromProgID(u"MSDEV.Application", &clsid), S_OK);
  EXPECT_EQ(clsid, CLSID_Application);
  EXPECT_FALSE(sandbox::msdev::IdeRunning());

  IApplication* local = nullptr;
  ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IApplication, reinterpret_cast<void**>(&local)),
            S_OK);
  EXPECT_TRUE(sandbox::msdev::IdeRunning());
  EXPECT_FALSE(sandbox::msdev::IdeVisible()) << "an IDE started for automation starts hidden";
  IApplication* inproc = nullptr;
  ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IApplication, reinterpret_cast<void**>(&inproc)),
            S_OK);
  EXPECT_EQ(local, inproc);
  IDispatch* parent = nullptr;
  ASSERT_EQ(local->get_Parent(&parent), S_OK);
  EXPECT_EQ(static_cast<IDispatch*>(local), parent);
  EXPECT_EQ(sandbox::msdev::ApplicationReferences(), 3);
  parent->Release();
  inproc->Release();
  local->Release();
  EXPECT_EQ(sandbox::msdev::ApplicationReferences(), 0);
  EXPECT_EQ(sandbox::msdev::LiveObjects(), (std::map<std::string, int>{{"Application", 1}}))
      << "the running IDE keeps its own application object";
}

TEST_F(ApplicationTest, StartedByTheUserTheIdeIsVisibleAndAutomationCanHideIt) {
  sandbox::msdev::StartIde();
  IApplicationPtr app = Application();
  VARIANT_BOOL visible = VARIANT_FALSE;
  ASSERT_EQ(app->get_Visible(&visible), S_OK);
  EXPECT_EQ(visible, VARIANT_TRUE);
  ASSERT_EQ(app->put_Visible(VARIANT_FALSE), S_OK);
  EXPECT_FALSE(sandbox::msdev::IdeVisible());
}

TEST_F(ApplicationTest, QuitTellsTheSinksAndLeavesObjectsDisconnected) {
  IApplicationPtr app = Application();
  OpenInstruments();
  IGenericProjectPtr project = ProjectAt(app, I4(1));
  const EventLog events = NewEventLog();
  EventRecorder* sink = new EventRecorder("", events);
  Advise(app, sink);
  EXPECT_EQ(sink->References(), 2u);

  sink->onEvent = [&](const std::string&) { EXPECT_EQ(app->Quit(), S_OK) << "quitting while the IDE quits"; };
  ASSERT_EQ(app->Quit(), S_OK);
  EXPECT_EQ(*events, std::vector<std::string>{"BeforeApplicationShutDown"});
  EXPECT_FALSE(sandbox::msdev::IdeRunning());
  EXPECT_EQ(sink->References(), 1u) << "a stopped IDE keeps no sink";
  sink->Release();

  IDispatch* projects = reinterpret_cast<IDispatch*>(0xdeadbeef);
  EXPECT_EQ(app->get_Projects(&projects), RPC_E_DISCONNECTED);
  EXPECT_EQ(projects, nullptr);
  BSTR name = nullptr;
  EXPECT_EQ(project->get_Name(&name), RPC_E_DISCONNECTED);
  EXPECT_EQ(name, nullptr);

  // A new start is a new IDE: objects of the old one stay disconnected.
  IApplicationPtr again = Application();
  EXPECT_NE(again.GetInterfacePtr(), app.GetInterfacePtr());
  EXPECT_EQ(app->get_Projects(&projects), RPC_E_DISCONNECTED);
}

TEST_F(ApplicationTest, IdeObjectsAreNotLateBound) {
  IApplicationPtr app = Application();
  UINT count = 99;
  EXPECT_EQ(app->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 0u);
  OLECHAR name[] = u"Quit";
  LPOLESTR names[] = {name};
  DISPID id = 0;
  EXPECT_EQ(app->GetIDsOfNames(IID_NULL, names, 1, 0, &id), E_NOTIMPL);
  LONG height = 7;
  EXPECT_EQ(app->get_Height(&height), E_NOTIMPL);
  EXPECT_EQ(height, 0);
  EXPECT_EQ(sandbox::UnmodelledCalls(),
            (std::vector<std::string>{"IDispatch::GetIDsOfNames", "IApplication::get_Height"}));
  sandbox::ClearUnmodelledCalls();
}

TEST_F(ApplicationTest, WindowStateTakesTheDocumentedStatesOnly) {
  IApplicationPtr app = Application();
  LONG state = 0;
  ASSERT_EQ(app->get_WindowState(&state), S_OK);
  EXPECT_EQ(state, dsWindowStateNormal);
  EXPECT_EQ(app->put_WindowState(dsWindowStateMaximized), S_OK);
  EXPECT_EQ(app->put_WindowState(0), E_INVALIDARG);
  ASSERT_EQ(app->get_WindowState(&state), S_OK);
  EXPECT_EQ(state, dsWindowStateMaximized);
}

}  // namespace
}  // namespace msdev_test

namespace msdev_test {
namespace {

TEST_F(ApplicationTest, SandboxResetStopsTheIdeSilentlyAndForgetsEverything) {
  IApplicationPtr app = Application();
  OpenInstruments();
  const EventLog events = NewEventLog();
  EventRecorder* sink = new EventRecorder("", events);
  Advise(app, sink);
  ASSERT_EQ(app->PrintToOutputWindow(_bstr_t("line")), S_OK);
  ASSERT_EQ(app->Clean(Name("MeterDll - Win32 Debug")), S_OK);
  sandbox::msdev::InjectFailure("IApplication::get_Visible", E_FAIL, -1);

  sandbox::Reset();
  EXPECT_FALSE(sandbox::msdev::IdeRunning());
  EXPECT_EQ(*events, std::vector<std::string>{}) << "no event while resetting";
  EXPECT_EQ(sink->References(), 1u);
  sink->Release();
  EXPECT_TRUE(sandbox::msdev::CallLog().empty());
  EXPECT_TRUE(sandbox::msdev::CleanedConfigurations().empty());
  EXPECT_EQ(sandbox::msdev::OutputPaneText(), "");
  EXPECT_EQ(sandbox::msdev::WorkspacePath(), "");
  VARIANT_BOOL visible = VARIANT_TRUE;
  EXPECT_EQ(app->get_Visible(&visible), RPC_E_DISCONNECTED) << "the old IDE's object";
  ASSERT_EQ(CoInitialize(nullptr), S_OK);  // the reset left the apartment too
  IApplicationPtr fresh = Application();
  EXPECT_EQ(fresh->get_Visible(&visible), S_OK) << "no failure injected any more";
}

}  // namespace
}  // namespace msdev_test
