// The IDE as the add-in's bridge sees it besides automation: the process's MFC application, its
// main frame and the workspace's document template found by run-time class name; workspaces and
// files opened through the application's OpenDocumentFile.
#include <windows.h>

#include "msdev_test_support.h"

namespace msdev_test {
namespace {

using IdeAppTest = IdeTest;

TEST_F(IdeAppTest, TheApplicationItsMainFrameAndTheWorkspaceTemplateLiveWithTheIde) {
  EXPECT_EQ(AfxGetApp(), nullptr);
  sandbox::msdev::StartIde();
  CWinApp* app = AfxGetApp();
  ASSERT_NE(app, nullptr);
  EXPECT_STREQ(app->m_pszAppName, "Microsoft Visual C++");
  CWnd* main = app->GetMainWnd();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(AfxGetMainWnd(), main) << "the test's thread started the IDE: it is the UI thread";
  const HWND frame = main->GetSafeHwnd();
  EXPECT_EQ(GetWindowThreadProcessId(frame, nullptr), GetCurrentThreadId());
  EXPECT_EQ(GetWindowLong(frame, GWL_STYLE) & WS_CHILD, 0);
  EXPECT_TRUE(IsWindowVisible(frame)) << "started as a user starts it";
  EXPECT_EQ(TitleOf(frame), sandbox::msdev::IdeTitle());
  ASSERT_NE(WorkspaceTemplate(), nullptr);
  EXPECT_EQ(OpenWorkspacePath(), "");

  OpenInstruments();
  EXPECT_EQ(OpenWorkspacePath(), "T:\\Instruments\\Instruments.dsw");
  EXPECT_EQ(TitleOf(frame), "Instruments - Microsoft Visual C++");
  ASSERT_TRUE(sandbox::msdev::CloseWorkspace());
  EXPECT_EQ(OpenWorkspacePath(), "");
  EXPECT_EQ(TitleOf(frame), "Microsoft Visual C++");

  sandbox::msdev::StopIde();
  EXPECT_EQ(AfxGetApp(), nullptr);
  EXPECT_FALSE(IsWindow(frame));
  MSG msg;
  EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) << "the IDE's end leaves the thread's loop running";
}

TEST_F(IdeAppTest, AnIdeStartedForAutomationIsHiddenUntilMadeVisible) {
  IApplicationPtr app = Application();
  const HWND frame = AfxGetMainWnd()->GetSafeHwnd();
  EXPECT_FALSE(IsWindowVisible(frame));
  ASSERT_EQ(app->put_Visible(VARIANT_TRUE), S_OK);
  EXPECT_TRUE(IsWindowVisible(frame));
  ASSERT_EQ(app->put_Visible(VARIANT_FALSE), S_OK);
  EXPECT_FALSE(IsWindowVisible(frame));
}

TEST_F(IdeAppTest, OpenDocumentFileOpensWorkspacesAndTextFiles) {
  IApplicationPtr automation = Application();
  const EventLog events = NewEventLog();
  EventRecorder* sink = new EventRecorder("", events);
  Advise(automation, sink);
  sink->Release();
  Write("Src/meter.c", "int meter;\r\n");
  CWinApp* app = AfxGetApp();

  CDocument* workspace = app->OpenDocumentFile("T:\\Instruments\\Sub\\..\\Instruments.dsw");
  ASSERT_NE(workspace, nullptr);
  EXPECT_EQ(workspace->GetDocTemplate(), WorkspaceTemplate());
  EXPECT_EQ(std::string(workspace->GetPathName()), "T:\\Instruments\\Instruments.dsw");
  EXPECT_EQ(sandbox::msdev::Projects().size(), 4u);
  EXPECT_EQ(app->OpenDocumentFile("T:\\Instruments\\Instruments.dsw"), workspace) << "the open workspace stays";

  CDocument* text = app->OpenDocumentFile("T:\\Src\\meter.c");
  ASSERT_NE(text, nullptr);
  EXPECT_NE(text->GetDocTemplate(), WorkspaceTemplate());
  ASSERT_EQ(sandbox::msdev::OpenDocuments().size(), 1u);
  EXPECT_EQ(sandbox::msdev::OpenDocuments()[0].fullPath, "T:\\Src\\meter.c");
  EXPECT_EQ(*events, (std::vector<std::string>{"WorkspaceOpen", "DocumentOpen(meter.c)"}));

  // A workspace file the IDE cannot read: its error box, and nothing else changes.
  events->clear();
  Write("Bad/NotAWorkspace.dsw", "# Microsoft Developer Studio Project File - Name=\"X\"\r\n");
  EXPECT_EQ(app->OpenDocumentFile("T:\\Bad\\NotAWorkspace.dsw"), nullptr);
  EXPECT_EQ(app->OpenDocumentFile("T:\\Bad\\Missing.dsw"), nullptr);
  EXPECT_EQ(OpenWorkspacePath(), "T:\\Instruments\\Instruments.dsw");
  EXPECT_EQ(sandbox::msdev::OpenDocuments().size(), 1u);
  EXPECT_EQ(*events, std::vector<std::string>{});
  const std::vector<sandbox::Modal> boxes = sandbox::Modals();
  ASSERT_EQ(boxes.size(), 2u);
  for (const sandbox::Modal& box : boxes) {
    EXPECT_EQ(box.caption, sandbox::msdev::IdeTitle());
    EXPECT_EQ(box.style & MB_TYPEMASK, static_cast<unsigned>(MB_OK));
  }
  EXPECT_NE(boxes[0].text.find("T:\\Bad\\NotAWorkspace.dsw"), std::string::npos) << boxes[0].text;
  EXPECT_NE(boxes[1].text.find("T:\\Bad\\Missing.dsw"), std::string::npos) << boxes[1].text;
}

// Opening another workspace closes the open one as Close Workspace does, asking first; a user who
// keeps it open keeps everything, and is shown no error.
TEST_F(IdeAppTest, OpeningAnotherWorkspaceAsksAboutTheChangesFirst) {
  Write("Src/meter.c", "int meter;\r\n");
  Copy("dsw_edge_cases.dsw", HostPath("Edge/Edge.dsw"));
  sandbox::msdev::StartIde();
  OpenInstruments();
  ASSERT_NE(AfxGetApp()->OpenDocumentFile("T:\\Src\\meter.c"), nullptr);
  sandbox::msdev::MarkDocumentModified("T:\\Src\\meter.c");

  sandbox::QueueAnswer("MessageBox", {IDCANCEL, {}});
  std::string error;
  EXPECT_FALSE(sandbox::msdev::OpenWorkspace("T:\\Edge\\Edge.dsw", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(OpenWorkspacePath(), "T:\\Instruments\\Instruments.dsw");
  EXPECT_EQ(sandbox::msdev::OpenDocuments().size(), 1u);

  sandbox::QueueAnswer("MessageBox", {IDNO, {}});
  EXPECT_NE(AfxGetApp()->OpenDocumentFile("T:\\Edge\\Edge.dsw"), nullptr);
  EXPECT_EQ(OpenWorkspacePath(), "T:\\Edge\\Edge.dsw");
  EXPECT_TRUE(sandbox::msdev::OpenDocuments().empty());
  const std::vector<sandbox::Modal> boxes = sandbox::Modals();
  ASSERT_EQ(boxes.size(), 2u) << "two questions, no error box";
  EXPECT_EQ(boxes[1].text, sandbox::msdev::SaveChangesPrompt("T:\\Src\\meter.c"));
}

// Closing the main frame is the user quitting: the changes are asked about first.
TEST_F(IdeAppTest, ClosingTheMainFrameQuitsTheIde) {
  IApplicationPtr app = Application();
  const EventLog events = NewEventLog();
  EventRecorder* sink = new EventRecorder("", events);
  Advise(app, sink);
  sink->Release();
  OpenInstruments();
  IConfigurationPtr debug = ConfigurationAt(ProjectAt(app, Name("MeterDll")), Name("MeterDll - Win32 Debug"));
  ASSERT_EQ(debug->AddToolSettings(_bstr_t("cl.exe"), _bstr_t("/W4"), _variant_t()), S_OK);
  const HWND frame = AfxGetMainWnd()->GetSafeHwnd();

  sandbox::QueueAnswer("MessageBox", {IDCANCEL, {}});
  SendMessage(frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(sandbox::msdev::IdeRunning());
  EXPECT_TRUE(IsWindow(frame));

  sandbox::QueueAnswer("MessageBox", {IDNO, {}});
  SendMessage(frame, WM_CLOSE, 0, 0);
  EXPECT_FALSE(sandbox::msdev::IdeRunning());
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_EQ(AfxGetApp(), nullptr);
  EXPECT_EQ(*events, (std::vector<std::string>{"WorkspaceOpen", "BeforeApplicationShutDown"}));
  EXPECT_EQ(sandbox::Modals().size(), 2u);
}

}  // namespace
}  // namespace msdev_test
