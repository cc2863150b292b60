// Events reach every sink advised on a connection point, in advise order, until it unadvises.
#include "msdev_test_support.h"

namespace msdev_test {
namespace {

using EventsTest = IdeTest;

TEST_F(EventsTest, EverySinkHearsEachEventInAdviseOrderUntilItUnadvises) {
  IApplicationPtr app = Application();
  const EventLog events = NewEventLog();
  // The first sink fails every event: the others hear it all the same.
  EventRecorder* failing = new EventRecorder("A", events, E_FAIL);
  EventRecorder* second = new EventRecorder("B", events);
  IConnectionPointPtr point;
  const DWORD cookieA = Advise(app, failing, &point);
  const DWORD cookieB = Advise(app, second);
  EXPECT_NE(cookieA, 0u);
  EXPECT_NE(cookieA, cookieB);

  OpenInstruments();
  std::string error;
  ASSERT_TRUE(sandbox::msdev::OpenWorkspace("T:\\Instruments\\Instruments.dsw", &error, true)) << error;
  sandbox::msdev::CloseWorkspace();
  EXPECT_EQ(*events, (std::vector<std::string>{"A:WorkspaceOpen", "B:WorkspaceOpen", "A:WorkspaceClose",
                                               "B:WorkspaceClose", "A:NewWorkspace", "B:NewWorkspace",
                                               "A:WorkspaceClose", "B:WorkspaceClose"}));

  events->clear();
  EXPECT_EQ(point->Unadvise(cookieA), S_OK);
  EXPECT_EQ(failing->References(), 1u) << "Unadvise releases the sink";
  EXPECT_EQ(point->Unadvise(cookieA), CONNECT_E_NOCONNECTION);
  OpenInstruments();
  EXPECT_EQ(*events, std::vector<std::string>{"B:WorkspaceOpen"});
  failing->Release();
  second->Release();
}

// WorkspaceOpen comes once the workspace is in place: its handler finds the workspace document's
// path as the user does (add-ins read it from the workspace template), and may close the
// workspace and open it again, as an add-in that converts its projects does.
TEST_F(EventsTest, AWorkspaceOpenHandlerFindsTheWorkspaceAndMayReopenIt) {
  IApplicationPtr app = Application();
  const EventLog events = NewEventLog();
  EventRecorder* sink = new EventRecorder("", events);
  Advise(app, sink);
  std::vector<std::string> paths;
  sink->onEvent = [&paths](const std::string& event) {
    if (event != "WorkspaceOpen") return;
    CString path;
    CWinApp* ide = AfxGetApp();
    for (POSITION at = ide->GetFirstDocTemplatePosition(); at != NULL;) {
      CDocTemplate* docTemplate = ide->GetNextDocTemplate(at);
      if (std::string(docTemplate->GetRuntimeClass()->m_lpszClassName) != "CProjectWorkspaceDocTemplate") continue;
      POSITION document = docTemplate->GetFirstDocPosition();
      if (document != NULL) path = docTemplate->GetNextDoc(document)->GetPathName();
    }
    paths.push_back(std::string(path));
    if (paths.size() == 1) {
      ide->GetMainWnd()->SendMessage(WM_COMMAND, 36633, 0);
      ide->OpenDocumentFile(path);
    }
  };
  OpenInstruments();
  EXPECT_EQ(paths, (std::vector<std::string>{"T:\\Instruments\\Instruments.dsw", "T:\\Instruments\\Instruments.dsw"}));
  EXPECT_EQ(*events, (std::vector<std::string>{"WorkspaceOpen", "WorkspaceClose", "WorkspaceOpen"}));
  EXPECT_EQ(sandbox::msdev::WorkspacePath(), "T:\\Instruments\\Instruments.dsw");
  sink->onEvent = nullptr;
  sink->Release();
}

TEST_F(EventsTest, ConnectionPointsOfTheApplicationAndTheDebugger) {
  IApplicationPtr app = Application();
  IConnectionPointContainerPtr container(app);
  ASSERT_NE(container, nullptr);
  IConnectionPoint* none = reinterpret_cast<IConnectionPoint*>(0xdeadbeef);
  EXPECT_EQ(container->FindConnectionPoint(IID_IDebuggerEvents, &none), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(none, nullptr);
  IConnectionPointPtr point;
  ASSERT_EQ(container->FindConnectionPoint(IID_IApplicationEvents, &point), S_OK);
  IID iid = IID_NULL;
  EXPECT_EQ(point->GetConnectionInterface(&iid), S_OK);
  EXPECT_EQ(iid, IID_IApplicationEvents);
  IConnectionPointContainerPtr back;
  ASSERT_EQ(point->GetConnectionPointContainer(&back), S_OK);
  EXPECT_EQ(IUnknownPtr(back), IUnknownPtr(app));

  // A sink that lacks the event interface cannot connect.
  IDispatch* debuggerDispatch = nullptr;
  ASSERT_EQ(app->get_Debugger(&debuggerDispatch), S_OK);
  IDebuggerPtr debugger;
  debugger.Attach(static_cast<IDebugger*>(debuggerDispatch));
  DWORD cookie = 99;
  EXPECT_EQ(point->Advise(debugger, &cookie), CONNECT_E_CANNOTCONNECT);
  EXPECT_EQ(cookie, 0u);

  LONG state = -1;
  EXPECT_EQ(debugger->get_State(&state), S_OK);
  EXPECT_EQ(state, 0);
  IConnectionPointContainerPtr debuggerPoints(debugger);
  IConnectionPointPtr breakpoints;
  ASSERT_EQ(debuggerPoints->FindConnectionPoint(IID_IDebuggerEvents, &breakpoints), S_OK);
  EXPECT_EQ(breakpoints->GetConnectionInterface(&iid), S_OK);
  EXPECT_EQ(iid, IID_IDebuggerEvents);
}

}  // namespace
}  // namespace msdev_test
