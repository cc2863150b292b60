// The application object: current while it lives, its name and message boxes, its main frame and
// the commands that reach it, its document templates and documents as the system walks them.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource.h"
#include "sandbox/sandbox.h"

namespace {

constexpr UINT ID_TOOLS_RUN = 34560;
constexpr UINT ID_FILE_CLOSE_WORKSPACE = 36633;

std::vector<std::string> g_seen;

class CTestApp : public CWinApp {
 public:
  CTestApp() : CWinApp("Microsoft Visual C++") {}
  afx_msg void OnCloseWorkspace() { g_seen.push_back("app closes the workspace"); }
  CDocument* OpenDocumentFile(LPCTSTR path) override {
    g_seen.push_back(std::string("open ") + path);
    return CWinApp::OpenDocumentFile(path);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
ON_COMMAND(ID_FILE_CLOSE_WORKSPACE, OnCloseWorkspace)
END_MESSAGE_MAP()

class CMainFrame : public CFrameWnd {
 public:
  static inline int deleted = 0;
  ~CMainFrame() override { ++deleted; }
  afx_msg void OnRun() { g_seen.push_back("frame runs"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_COMMAND(ID_TOOLS_RUN, OnRun)
END_MESSAGE_MAP()

// Documents that read their files themselves (the base's serialization is not modelled).
class CWorkspaceDoc : public CDocument {
  DECLARE_DYNCREATE(CWorkspaceDoc)
 public:
  BOOL OnOpenDocument(LPCTSTR) override { return TRUE; }
  BOOL OnSaveDocument(LPCTSTR path) override {
    g_seen.push_back(std::string("save ") + path);
    SetModifiedFlag(FALSE);
    return TRUE;
  }
};
IMPLEMENT_DYNCREATE(CWorkspaceDoc, CDocument)

class CProjectDoc : public CWorkspaceDoc {
  DECLARE_DYNCREATE(CProjectDoc)
};
IMPLEMENT_DYNCREATE(CProjectDoc, CWorkspaceDoc)

// A document class that leaves reading and writing to the base.
class CPlainDoc : public CDocument {
  DECLARE_DYNCREATE(CPlainDoc)
};
IMPLEMENT_DYNCREATE(CPlainDoc, CDocument)

class CProjectWorkspaceDocTemplate : public CSingleDocTemplate {
  DECLARE_DYNAMIC(CProjectWorkspaceDocTemplate)
 public:
  CProjectWorkspaceDocTemplate() : CSingleDocTemplate(IDR_WORKSPACE, RUNTIME_CLASS(CWorkspaceDoc), NULL, NULL) {}
};
IMPLEMENT_DYNAMIC(CProjectWorkspaceDocTemplate, CSingleDocTemplate)

class MfcApp : public testing::Test {
 protected:
  void SetUp() override {
    g_seen.clear();
    drive_ = sandbox::MapTempDrive('W');
  }
  std::string drive_;
};

TEST_F(MfcApp, TheApplicationIsCurrentWhileItLivesAndNamesTheMessageBoxes) {
  EXPECT_EQ(AfxGetApp(), nullptr);
  {
    CTestApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(AfxGetThread(), &app) << "the application is the thread that made it";
    EXPECT_STREQ(AfxGetAppName(), "Microsoft Visual C++");
    EXPECT_EQ(AfxGetMainWnd(), nullptr);

    auto* frame = new CMainFrame;
    ASSERT_TRUE(frame->Create(NULL, "Developer Studio"));
    app.m_pMainWnd = frame;
    EXPECT_EQ(AfxGetMainWnd(), frame);

    // The box is owned by the main frame: a CBT hook sees the owner being given.
    static HWND s_owner;
    s_owner = nullptr;
    HHOOK hook = SetWindowsHookEx(
        WH_CBT,
        [](int code, WPARAM w, LPARAM l) -> LRESULT {
          if (code == HCBT_CREATEWND) s_owner = reinterpret_cast<CBT_CREATEWND*>(l)->lpcs->hwndParent;
          return CallNextHookEx(nullptr, code, w, l);
        },
        nullptr, GetCurrentThreadId());
    sandbox::QueueAnswer("MessageBox", {IDYES, {}});
    EXPECT_EQ(AfxMessageBox("Reload?", MB_YESNO), IDYES);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(s_owner, frame->m_hWnd);
    ASSERT_EQ(sandbox::Modals().size(), 1u);
    EXPECT_EQ(sandbox::Modals()[0].caption, "Microsoft Visual C++");

    {
      CWaitCursor wait;
      EXPECT_EQ(app.m_nWaitCursorCount, 1);
    }
    EXPECT_EQ(app.m_nWaitCursorCount, 0);

    CMainFrame::deleted = 0;
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(CMainFrame::deleted, 1) << "the frame deletes itself with its window";
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT)) << "the main window's end ends the message loop";
  }
  EXPECT_EQ(AfxGetApp(), nullptr);
  EXPECT_STREQ(AfxGetAppName(), "mfc42_tests");
}

TEST_F(MfcApp, CommandsReachTheFrameAndThenTheApplication) {
  CTestApp app;
  auto* frame = new CMainFrame;
  ASSERT_TRUE(frame->Create(NULL, "Developer Studio", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
  app.m_pMainWnd = frame;
  EXPECT_EQ(frame->SendMessage(WM_COMMAND, ID_TOOLS_RUN, 0), 1);
  EXPECT_EQ(frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE_WORKSPACE, 0), 1);
  EXPECT_EQ(frame->SendMessage(WM_COMMAND, 12345, 0), 0) << "nobody handles it";
  EXPECT_EQ(g_seen, (std::vector<std::string>{"frame runs", "app closes the workspace"}));
  frame->DestroyWindow();
}

// The walk the system makes over the IDE's templates and documents.
std::vector<std::string> Walk() {
  std::vector<std::string> seen;
  CWinApp* app = AfxGetApp();
  for (POSITION t = app->GetFirstDocTemplatePosition(); t != NULL;) {
    CDocTemplate* docTemplate = app->GetNextDocTemplate(t);
    std::string line = docTemplate->GetRuntimeClass()->m_lpszClassName;
    for (POSITION d = docTemplate->GetFirstDocPosition(); d != NULL;)
      line += std::string(" ") + static_cast<LPCTSTR>(docTemplate->GetNextDoc(d)->GetPathName());
    seen.push_back(line);
  }
  return seen;
}

TEST_F(MfcApp, TemplatesAndDocumentsAreWalkedAndOpenedByPath) {
  CTestApp app;
  app.AddDocTemplate(new CProjectWorkspaceDocTemplate);
  app.AddDocTemplate(new CMultiDocTemplate(IDR_PROJECT, RUNTIME_CLASS(CProjectDoc), NULL, NULL));
  EXPECT_EQ(Walk(), (std::vector<std::string>{"CProjectWorkspaceDocTemplate", "CMultiDocTemplate"}));

  CWinApp* base = &app;
  CDocument* workspace = base->OpenDocumentFile("W:\\Work\\App.dsw");
  ASSERT_NE(workspace, nullptr);
  EXPECT_TRUE(workspace->IsKindOf(RUNTIME_CLASS(CWorkspaceDoc)));
  CDocument* one = base->OpenDocumentFile("W:\\Work\\One.dsp");
  CDocument* two = base->OpenDocumentFile("W:\\Work\\Two.DSP");
  ASSERT_NE(one, nullptr);
  ASSERT_NE(two, nullptr);
  EXPECT_TRUE(one->IsKindOf(RUNTIME_CLASS(CProjectDoc))) << "the template of the extension opens it";
  EXPECT_EQ(base->OpenDocumentFile("w:\\work\\one.dsp"), one) << "an open path is the open document";
  EXPECT_EQ(workspace->GetTitle(), "App.dsw");
  EXPECT_EQ(Walk(), (std::vector<std::string>{"CProjectWorkspaceDocTemplate W:\\Work\\App.dsw",
                                              "CMultiDocTemplate W:\\Work\\One.dsp W:\\Work\\Two.DSP"}));
  EXPECT_EQ(app.GetOpenDocumentCount(), 3);
  EXPECT_EQ(g_seen.size(), 4u) << "every open went through the application's virtual OpenDocumentFile";

  // The single-document template reuses its document, asking it to save first.
  workspace->SetModifiedFlag();
  sandbox::QueueAnswer("MessageBox", {IDYES, {}});
  EXPECT_EQ(base->OpenDocumentFile("W:\\Other.dsw"), workspace);
  EXPECT_EQ(sandbox::Modals().back().text, "Save changes to App.dsw?");
  EXPECT_EQ(g_seen[g_seen.size() - 2], "open W:\\Other.dsw");
  EXPECT_EQ(g_seen.back(), "save W:\\Work\\App.dsw");
  EXPECT_EQ(workspace->GetPathName(), "W:\\Other.dsw");

  app.CloseAllDocuments(FALSE);
  EXPECT_EQ(app.GetOpenDocumentCount(), 0);
}

TEST_F(MfcApp, SavingBeforeClosingCanBeDeclinedOrCancelled) {
  CTestApp app;
  app.AddDocTemplate(new CMultiDocTemplate(IDR_PROJECT, RUNTIME_CLASS(CProjectDoc), NULL, NULL));
  CDocument* doc = app.OpenDocumentFile("W:\\p.dsp");
  ASSERT_NE(doc, nullptr);
  struct Row {
    int answer;
    BOOL goOn;
    size_t saves;
  } rows[] = {{.answer = IDCANCEL, .goOn = FALSE, .saves = 0},
              {.answer = IDNO, .goOn = TRUE, .saves = 0},
              {.answer = IDYES, .goOn = TRUE, .saves = 1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.answer);
    g_seen.clear();
    doc->SetModifiedFlag();
    sandbox::QueueAnswer("MessageBox", {row.answer, {}});
    EXPECT_EQ(app.SaveAllModified(), row.goOn);
    EXPECT_EQ(g_seen.size(), row.saves);
  }
  EXPECT_EQ(sandbox::PendingAnswers(), 0u);
}

TEST_F(MfcApp, TheBaseDocumentsSerializationIsLoud) {
  CTestApp app;
  auto* plain = new CMultiDocTemplate(0, RUNTIME_CLASS(CPlainDoc), NULL, NULL);
  app.AddDocTemplate(plain);
  EXPECT_EQ(app.OpenDocumentFile("W:\\plain.txt"), nullptr);
  EXPECT_EQ(sandbox::UnmodelledCalls(), std::vector<std::string>{"CDocument::OnOpenDocument (serialization)"});
  EXPECT_EQ(app.GetOpenDocumentCount(), 0) << "the document made for it is gone";
  CDocument* fresh = plain->OpenDocumentFile(NULL);
  ASSERT_NE(fresh, nullptr) << "a new document needs no file";
  EXPECT_EQ(fresh->GetTitle(), "Untitled1") << "a template without strings names it so";
}

}  // namespace
