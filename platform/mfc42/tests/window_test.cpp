// MFC windows: message maps, the object attached before its first message, the handle maps,
// creation refused, the object's end, commands routed from a frame to the application, and
// SendMessageToDescendants.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sandbox/sandbox.h"

namespace {

constexpr UINT ID_TOOLS_RUN = 34560;  // the IDE command the system sends to every window
constexpr UINT ID_FILE_CLOSE_WORKSPACE = 36633;
constexpr UINT WM_HELPER_NOTE = WM_USER + 1;

std::vector<std::string> g_seen;

const UINT g_registered = RegisterWindowMessage("MfcTests.Registered");

class CBaseWnd : public CWnd {
 public:
  afx_msg void OnRun() { g_seen.push_back("base run"); }
  afx_msg void OnCloseWorkspace() { g_seen.push_back("base close"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_COMMAND(ID_TOOLS_RUN, OnRun)
ON_COMMAND(ID_FILE_CLOSE_WORKSPACE, OnCloseWorkspace)
END_MESSAGE_MAP()

// A hidden helper window as the add-ins make them: a class from AfxRegisterWndClass(0), no title,
// style 0, no parent, and a message it posts to itself.
class CHelperWnd : public CBaseWnd {
 public:
  bool attachedAtCreate = false;
  int ncDestroyed = 0;

  afx_msg int OnCreate(LPCREATESTRUCT cs) {
    attachedAtCreate = CWnd::FromHandlePermanent(m_hWnd) == this;
    g_seen.push_back(std::string("create ") + (cs->lpszName ? cs->lpszName : "?"));
    return CWnd::OnCreate(cs);
  }
  afx_msg void OnDestroy() { g_seen.push_back("destroy"); }
  afx_msg void OnTimer(UINT id) { g_seen.push_back("timer " + std::to_string(id)); }
  afx_msg void OnRun() { g_seen.push_back("derived run"); }
  afx_msg void OnRange(UINT id) { g_seen.push_back("range " + std::to_string(id)); }
  afx_msg LRESULT OnNote(WPARAM w, LPARAM l) {
    g_seen.push_back("note " + std::to_string(w) + " " + std::to_string(l));
    return 77;
  }
  afx_msg LRESULT OnRegistered(WPARAM, LPARAM) {
    g_seen.push_back("registered");
    return 5;
  }
  void PostNcDestroy() override { ++ncDestroyed; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelperWnd, CBaseWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_COMMAND(ID_TOOLS_RUN, OnRun)
ON_COMMAND_RANGE(100, 109, OnRange)
ON_MESSAGE(WM_HELPER_NOTE, OnNote)
ON_REGISTERED_MESSAGE(g_registered, OnRegistered)
END_MESSAGE_MAP()

void Pump() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
}

class MfcWindow : public testing::Test {
 protected:
  void SetUp() override { g_seen.clear(); }
};

TEST_F(MfcWindow, MessageMapsDispatchAlongTheClassChain) {
  CHelperWnd helper;
  ASSERT_TRUE(helper.CreateEx(0, AfxRegisterWndClass(0), "", 0, 0, 0, 0, 0, NULL, NULL));
  EXPECT_TRUE(helper.attachedAtCreate) << "the object is attached before its first message";
  EXPECT_EQ(CWnd::FromHandlePermanent(helper.m_hWnd), &helper);
  g_seen.clear();

  EXPECT_TRUE(helper.PostMessage(WM_HELPER_NOTE, 3, 4));
  Pump();
  struct Row {
    UINT message;
    WPARAM wParam;
    LRESULT result;
    const char* seen;
  } rows[] = {
      {.message = WM_COMMAND, .wParam = ID_TOOLS_RUN, .result = 1, .seen = "derived run"},
      {.message = WM_COMMAND, .wParam = ID_FILE_CLOSE_WORKSPACE, .result = 1, .seen = "base close"},
      {.message = WM_COMMAND, .wParam = 105, .result = 1, .seen = "range 105"},
      {.message = WM_COMMAND, .wParam = 110, .result = 0, .seen = nullptr},
      {.message = WM_HELPER_NOTE, .wParam = 9, .result = 77, .seen = "note 9 0"},
      {.message = g_registered, .wParam = 0, .result = 5, .seen = "registered"},
      {.message = WM_USER + 50, .wParam = 0, .result = 0, .seen = nullptr},
  };
  std::vector<std::string> expected = {"note 3 4"};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    EXPECT_EQ(helper.SendMessage(row.message, row.wParam, 0), row.result);
    if (row.seen) expected.push_back(row.seen);
  }
  helper.SetTimer(7, 10, nullptr);
  sandbox::AdvanceClock(10);
  Pump();
  helper.KillTimer(7);
  expected.push_back("timer 7");
  EXPECT_EQ(g_seen, expected);

  EXPECT_TRUE(helper.DestroyWindow());
  EXPECT_EQ(g_seen.back(), "destroy");
  EXPECT_EQ(helper.m_hWnd, nullptr) << "detached by WM_NCDESTROY";
  EXPECT_EQ(helper.ncDestroyed, 1);
}

// The system's hook while it runs an IDE command: it refuses windows titled as the IDE's boxes.
LRESULT CALLBACK RefuseIdeWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const auto* cbt = reinterpret_cast<CBT_CREATEWND*>(lParam);
    const char* name = cbt->lpcs->lpszName;
    if (name != nullptr && std::string(name).find("Microsoft Visual C++") != std::string::npos) return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class CFailingWnd : public CWnd {
 public:
  int ncDestroyed = 0;
  afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
  void PostNcDestroy() override { ++ncDestroyed; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFailingWnd, CWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

TEST_F(MfcWindow, ARefusedWindowLeavesItsObjectDetachedAndEndedOnce) {
  HHOOK hook = SetWindowsHookEx(WH_CBT, RefuseIdeWindows, nullptr, GetCurrentThreadId());
  CHelperWnd refused;
  EXPECT_FALSE(refused.CreateEx(0, AfxRegisterWndClass(0), "Microsoft Visual C++", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  EXPECT_EQ(refused.m_hWnd, nullptr);
  EXPECT_EQ(refused.ncDestroyed, 1);
  EXPECT_TRUE(g_seen.empty()) << "no message reached the object";
  UnhookWindowsHookEx(hook);

  CFailingWnd failing;
  EXPECT_FALSE(failing.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  EXPECT_EQ(failing.m_hWnd, nullptr);
  EXPECT_EQ(failing.ncDestroyed, 1) << "its WM_NCDESTROY ended it, and only that";
  EXPECT_EQ(GetTopWindow(nullptr), nullptr);
}

TEST_F(MfcWindow, TemporaryObjectsWrapOtherWindowsUntilIdle) {
  HWND plain = CreateWindowEx(0, "#32770", "plain", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
  CWnd* temporary = CWnd::FromHandle(plain);
  ASSERT_NE(temporary, nullptr);
  EXPECT_EQ(CWnd::FromHandle(plain), temporary) << "one wrapper per window until idle";
  CString title;
  temporary->GetWindowText(title);
  EXPECT_EQ(title, "plain");
  CWnd::DeleteTempMap();
  EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);

  CWnd owner;
  EXPECT_TRUE(owner.Attach(plain));
  EXPECT_EQ(CWnd::FromHandle(plain), &owner) << "a permanent object is preferred";
  EXPECT_EQ(owner.Detach(), plain);
  EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
  EXPECT_TRUE(IsWindow(plain)) << "detaching leaves the window";
  DestroyWindow(plain);
}

// A window with a permanent object, counting the commands it gets.
class CCounter : public CWnd {
 public:
  std::string name;
  afx_msg void OnRun() { g_seen.push_back(name); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCounter, CWnd)
ON_COMMAND(ID_TOOLS_RUN, OnRun)
END_MESSAGE_MAP()

std::vector<std::string> g_plainSeen;
LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_COMMAND) {
    char title[32];
    GetWindowText(w, title, sizeof title);
    g_plainSeen.push_back(title);
  }
  return DefWindowProc(w, m, wp, lp);
}

TEST_F(MfcWindow, SendMessageToDescendantsGoesDeepAndCanSkipWindowsWithoutObjects) {
  WNDCLASS wc{};
  wc.lpfnWndProc = PlainProc;
  wc.lpszClassName = "Plain";
  ASSERT_NE(RegisterClass(&wc), 0);
  CCounter frame, child, grandchild;
  frame.name = "frame";
  child.name = "child";
  grandchild.name = "grandchild";
  ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "frame", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL));
  ASSERT_TRUE(child.Create(NULL, "child", 0, CRect(0, 0, 10, 10), &frame, 1));
  HWND plain = CreateWindowEx(0, "Plain", "plain", WS_CHILD, 0, 0, 1, 1, frame.m_hWnd, nullptr, nullptr, nullptr);
  ASSERT_TRUE(grandchild.Create(NULL, "grandchild", 0, CRect(0, 0, 5, 5), &child, 2));
  CreateWindowEx(0, "Plain", "plain grandchild", WS_CHILD, 0, 0, 1, 1, plain, nullptr, nullptr, nullptr);

  struct Row {
    const char* name;
    BOOL deep, onlyPermanent;
    std::vector<std::string> objects, plain;
  } rows[] = {
      {.name = "deep, every window", .deep = TRUE, .onlyPermanent = FALSE,
       .objects = {"child", "grandchild"}, .plain = {"plain", "plain grandchild"}},
      {.name = "children only", .deep = FALSE, .onlyPermanent = FALSE, .objects = {"child"}, .plain = {"plain"}},
      {.name = "deep, permanent objects only", .deep = TRUE, .onlyPermanent = TRUE,
       .objects = {"child", "grandchild"}, .plain = {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    g_seen.clear();
    g_plainSeen.clear();
    frame.SendMessageToDescendants(WM_COMMAND, ID_TOOLS_RUN, 0, row.deep, row.onlyPermanent);
    EXPECT_EQ(g_seen, row.objects);
    EXPECT_EQ(g_plainSeen, row.plain);
  }
  frame.DestroyWindow();
  EXPECT_EQ(child.m_hWnd, nullptr) << "children are detached with their parent";
}

class CExplodingWnd : public CWnd {
 public:
  afx_msg void OnRun() { AfxThrowUserException(); }
  afx_msg LRESULT OnNote(WPARAM, LPARAM) { AfxThrowFileException(CFileException::fileNotFound, 2, "C:\\gone.txt"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExplodingWnd, CWnd)
ON_COMMAND(ID_TOOLS_RUN, OnRun)
ON_MESSAGE(WM_HELPER_NOTE, OnNote)
END_MESSAGE_MAP()

TEST_F(MfcWindow, AnExceptionFromAHandlerIsReportedAndStopsThere) {
  CExplodingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "", 0, 0, 0, 0, 0, NULL, NULL));
  EXPECT_EQ(wnd.SendMessage(WM_HELPER_NOTE), 0);
  wnd.SendMessage(WM_COMMAND, ID_TOOLS_RUN);
  const std::vector<sandbox::Modal> modals = sandbox::Modals();
  ASSERT_EQ(modals.size(), 1u) << "a user exception has been reported already; a file exception is reported now";
  EXPECT_NE(modals[0].text.find("gone.txt"), std::string::npos) << modals[0].text;
  wnd.DestroyWindow();
}

}  // namespace
