#include "bridge/PromptAnswering.h"

#include <afxwin.h>
#include <mbstring.h>

namespace {

const char kIdeTitle[] = "Microsoft Visual C++";
const int kAnsweringSeconds = 3;
const DWORD kPauseMilliseconds = 100;

// Every answering thread of this module. Threads are started and waited for on the user-interface
// thread only; a thread itself looks at nothing here but the stop event.
class CAnsweringThreads {
 public:
  CAnsweringThreads() : m_stop(::CreateEvent(NULL, TRUE, FALSE, NULL)) {}
  // The module is going: its threads must not outlive their code.
  ~CAnsweringThreads() {
    Finish(true);
    if (m_stop != NULL) ::CloseHandle(m_stop);
  }

  void Start() {
    ReapEnded();
    // Suspended until the thread object is told to stay after its thread ends, so that it can be
    // waited for.
    CWinThread* thread = AfxBeginThread(Answer, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (thread == NULL) return;  // the prompts then wait for the user
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    m_threads.push_back(thread);
  }

  bool Running() {
    ReapEnded();
    return !m_threads.empty();
  }

  void Finish(bool stopNow) {
    if (stopNow && m_stop != NULL) ::SetEvent(m_stop);
    for (CWinThread* thread : m_threads) {
      ::WaitForSingleObject(thread->m_hThread, INFINITE);
      delete thread;
    }
    m_threads.clear();
    if (m_stop != NULL) ::ResetEvent(m_stop);
  }

 private:
  void ReapEnded() {
    std::vector<CWinThread*> running;
    for (CWinThread* thread : m_threads) {
      if (::WaitForSingleObject(thread->m_hThread, 0) == WAIT_OBJECT_0)
        delete thread;
      else
        running.push_back(thread);
    }
    m_threads.swap(running);
  }

  // Passes over the top-level windows until three whole seconds have passed (total seconds: a
  // pause of a minute must not make the thread start over) or the module stops it.
  static UINT Answer(LPVOID parameter) {
    CAnsweringThreads* self = static_cast<CAnsweringThreads*>(parameter);
    const CTime start = CTime::GetCurrentTime();
    for (;;) {
      for (HWND window = ::GetTopWindow(::GetDesktopWindow()); window != NULL;
           window = ::GetWindow(window, GW_HWNDNEXT)) {
        char title[sizeof kIdeTitle + 1] = "";
        ::GetWindowText(window, title, sizeof title);
        if (_mbscmp(reinterpret_cast<const unsigned char*>(title), reinterpret_cast<const unsigned char*>(kIdeTitle)) == 0)
          ::PostMessage(window, WM_COMMAND, IDYES, 0);
      }
      if ((CTime::GetCurrentTime() - start).GetTotalSeconds() >= kAnsweringSeconds) break;
      if (self->m_stop == NULL) {
        ::Sleep(kPauseMilliseconds);
      } else if (::WaitForSingleObject(self->m_stop, kPauseMilliseconds) == WAIT_OBJECT_0) {
        break;
      }
    }
    return 0;
  }

  HANDLE m_stop;
  std::vector<CWinThread*> m_threads;
};

CAnsweringThreads g_answeringThreads;

}  // namespace

void StartAnsweringPrompts() { g_answeringThreads.Start(); }

void FinishAnsweringPrompts(bool stopNow) { g_answeringThreads.Finish(stopNow); }

bool AnsweringPrompts() { return g_answeringThreads.Running(); }
