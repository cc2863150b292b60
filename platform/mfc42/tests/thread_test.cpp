// MFC threads: AfxBeginThread's worker and message-loop threads, joined; AfxEndThread; and the
// system's worker that answers the IDE's message boxes while the UI thread is in the box's loop.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "sandbox/sandbox.h"

namespace {

struct Work {
  HANDLE go = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  CWinThread* seenThread = nullptr;
  ~Work() { CloseHandle(go); }
};

UINT AFX_CDECL Worker(LPVOID parameter) {
  auto* work = static_cast<Work*>(parameter);
  work->seenThread = AfxGetThread();
  WaitForSingleObject(work->go, INFINITE);
  return 17;
}

UINT AFX_CDECL EndsEarly(LPVOID) {
  AfxEndThread(23, FALSE);
}

DWORD ExitCodeOf(CWinThread* thread) {
  DWORD code = 0;
  GetExitCodeThread(thread->m_hThread, &code);
  return code;
}

TEST(AfxBeginThread, AWorkerCreatedSuspendedIsJoinedThroughItsHandle) {
  Work work;
  CWinThread* thread = AfxBeginThread(Worker, &work, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(thread, nullptr);
  thread->m_bAutoDelete = FALSE;
  EXPECT_NE(thread->m_nThreadID, 0u);
  thread->ResumeThread();
  SetEvent(work.go);
  ASSERT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(ExitCodeOf(thread), 17u);
  EXPECT_EQ(work.seenThread, thread) << "AfxGetThread on the worker";
  delete thread;
}

TEST(AfxBeginThread, WithDefaultFlagsTheCallerMayKeepTheObjectWhileTheWorkerWaits) {
  Work work;
  CWinThread* thread = AfxBeginThread(Worker, &work);
  ASSERT_NE(thread, nullptr);
  thread->m_bAutoDelete = FALSE;  // safe: the worker waits for `go` before it can end
  SetEvent(work.go);
  ASSERT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(ExitCodeOf(thread), 17u);
  delete thread;

  CWinThread* early = AfxBeginThread(EndsEarly, nullptr, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  early->m_bAutoDelete = FALSE;
  early->ResumeThread();
  WaitForSingleObject(early->m_hThread, INFINITE);
  EXPECT_EQ(ExitCodeOf(early), 23u) << "AfxEndThread's code";
  delete early;
}

// A thread with its own message loop: it makes a hidden window as its main window and ends when
// that window goes.
class CLoopThread : public CWinThread {
  DECLARE_DYNCREATE(CLoopThread)
 public:
  static inline std::atomic<HWND> window{nullptr};
  BOOL InitInstance() override {
    if (!wnd_.CreateEx(0, AfxRegisterWndClass(0), "loop", WS_POPUP, 0, 0, 1, 1, NULL, NULL)) return FALSE;
    m_pMainWnd = &wnd_;
    window = wnd_.m_hWnd;
    return TRUE;
  }
  int ExitInstance() override { return CWinThread::ExitInstance() + 100; }

 private:
  CWnd wnd_;
};
IMPLEMENT_DYNCREATE(CLoopThread, CWinThread)

TEST(AfxBeginThread, AMessageLoopThreadRunsUntilItsMainWindowGoes) {
  CLoopThread::window = nullptr;
  CWinThread* thread = AfxBeginThread(RUNTIME_CLASS(CLoopThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(thread, nullptr);
  EXPECT_TRUE(thread->IsKindOf(RUNTIME_CLASS(CLoopThread)));
  thread->m_bAutoDelete = FALSE;
  thread->ResumeThread();
  while (CLoopThread::window == nullptr) std::this_thread::yield();
  PostMessage(CLoopThread::window, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(ExitCodeOf(thread), 100u) << "WM_QUIT's 0 through ExitInstance";
  EXPECT_FALSE(IsWindow(CLoopThread::window));
  delete thread;
}

// The system's worker: for three sandbox seconds, measured with CTime, it answers the IDE's boxes.
struct Answerer {
  std::atomic<int> passes{0};
};

UINT AFX_CDECL AnswerIdeBoxes(LPVOID parameter) {
  auto* answerer = static_cast<Answerer*>(parameter);
  const CTime start = CTime::GetCurrentTime();
  while (CTime::GetCurrentTime() - start < CTimeSpan(0, 0, 0, 3)) {
    for (HWND w = ::GetTopWindow(::GetDesktopWindow()); w != NULL; w = ::GetWindow(w, GW_HWNDNEXT)) {
      char title[256];
      ::GetWindowText(w, title, sizeof title);
      if (std::string(title) == "Microsoft Visual C++") ::PostMessage(w, WM_COMMAND, IDYES, 0);
    }
    ++answerer->passes;
    Sleep(50);
  }
  return 0;
}

constexpr UINT WM_RELOAD = WM_USER + 200;
int g_answer = 0;

class CIdeFrame : public CFrameWnd {
 public:
  afx_msg LRESULT OnReload(WPARAM, LPARAM) {
    g_answer = AfxMessageBox("The workspace has changed outside the IDE. Reload it?", MB_YESNO);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdeFrame, CFrameWnd)
ON_MESSAGE(WM_RELOAD, OnReload)
END_MESSAGE_MAP()

TEST(AfxBeginThread, TheWorkerAnswersTheIdesBoxAndEndsWhenTheStandingClockHasMovedThreeSeconds) {
  sandbox::SetClock(946684800000);  // 2000-01-01
  CWinApp app("Microsoft Visual C++");
  auto* frame = new CIdeFrame;
  ASSERT_TRUE(frame->Create(NULL, "Developer Studio", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
  app.m_pMainWnd = frame;
  g_answer = 0;
  sandbox::QueueAnswer("MessageBox", {sandbox::kLeaveAlone, {}});

  Answerer answerer;
  CWinThread* worker = AfxBeginThread(AnswerIdeBoxes, &answerer, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  worker->m_bAutoDelete = FALSE;
  worker->ResumeThread();
  frame->PostMessage(WM_RELOAD);
  MSG msg;
  while (PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) app.PumpMessage();  // the box's loop runs inside

  EXPECT_EQ(g_answer, IDYES);
  EXPECT_TRUE(frame->IsWindowEnabled()) << "the owner is enabled again";
  ASSERT_EQ(sandbox::Modals().size(), 1u);
  EXPECT_EQ(sandbox::Modals()[0].result, IDYES);
  const int passes = answerer.passes;
  while (answerer.passes < passes + 2) std::this_thread::yield();
  EXPECT_EQ(WaitForSingleObject(worker->m_hThread, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the clock stands";
  sandbox::AdvanceClock(3000);
  EXPECT_EQ(WaitForSingleObject(worker->m_hThread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  delete worker;
  frame->DestroyWindow();
}

}  // namespace
