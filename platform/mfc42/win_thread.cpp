// CWinThread and AfxBeginThread: a kernel thread running a worker function or the object's
// message loop; the object ends (and, by default, deletes itself) with its thread.
#include <afxcmn.h>
#include <afxwin.h>

#include "sandbox/internal.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

thread_local CWinThread* t_thread = nullptr;  // the CWinThread that AfxBeginThread started here

// The thread's temporary wrappers of windows, GDI objects, DCs and menus.
void DeleteTemporaryObjects() {
  CWnd::DeleteTempMap();
  CGdiObject::DeleteTempMap();
  CDC::DeleteTempMap();
  CMenu::DeleteTempMap();
  CImageList::DeleteTempMap();
}

// The end of a thread's object: its temporary window objects go, and the object when it deletes
// itself.
void EndOfThreadObject(CWinThread* thread, bool deleteObject) {
  DeleteTemporaryObjects();
  t_thread = nullptr;
  if (deleteObject) thread->Delete();
}

DWORD WINAPI ThreadEntry(LPVOID parameter) {
  auto* thread = static_cast<CWinThread*>(parameter);
  t_thread = thread;
  DWORD code;
  if (thread->m_pfnThreadProc != NULL)
    code = thread->m_pfnThreadProc(thread->m_pThreadParams);
  else
    code = static_cast<DWORD>(thread->InitInstance() ? thread->Run() : thread->ExitInstance());
  EndOfThreadObject(thread, true);
  return code;
}

}  // namespace

CWinThread::CWinThread() : CWinThread(NULL, NULL) {}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pMainWnd(NULL),
      m_pActiveWnd(NULL),
      m_bAutoDelete(TRUE),
      m_hThread(NULL),
      m_nThreadID(0),
      m_pfnThreadProc(pfnThreadProc),
      m_pThreadParams(pParam),
      m_msgCur{} {}

CWinThread::~CWinThread() {
  if (m_hThread != NULL && m_hThread != ::GetCurrentThread()) ::CloseHandle(m_hThread);
  if (t_thread == this) t_thread = nullptr;
}

// The thread starts suspended so that the handle and id are in the object before it runs.
BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  ASSERT(m_hThread == NULL);
  m_hThread = ::CreateThread(lpSecurityAttrs, nStackSize, ThreadEntry, this, dwCreateFlags | CREATE_SUSPENDED,
                             &m_nThreadID);
  if (m_hThread == NULL) return FALSE;
  if ((dwCreateFlags & CREATE_SUSPENDED) == 0) ::ResumeThread(m_hThread);
  return TRUE;
}

int CWinThread::GetThreadPriority() { return ::GetThreadPriority(m_hThread); }

BOOL CWinThread::SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }

DWORD CWinThread::ResumeThread() { return ::ResumeThread(m_hThread); }

DWORD CWinThread::SuspendThread() { return ::SuspendThread(m_hThread); }

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostThreadMessage(m_nThreadID, message, wParam, lParam);
}

CWnd* CWinThread::GetMainWnd() { return m_pActiveWnd != NULL ? m_pActiveWnd : m_pMainWnd; }

BOOL CWinThread::InitInstance() { return TRUE; }

int CWinThread::Run() {
  bool idle = true;
  for (;;) {
    for (LONG count = 0; idle && !::PeekMessage(&m_msgCur, NULL, 0, 0, PM_NOREMOVE); ++count)
      idle = OnIdle(count) != FALSE;
    do {
      if (!PumpMessage()) return ExitInstance();
      if (IsIdleMessage(&m_msgCur)) idle = true;
    } while (::PeekMessage(&m_msgCur, NULL, 0, 0, PM_NOREMOVE));
  }
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
  for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd))
    if (CWnd* wnd = CWnd::FromHandlePermanent(hWnd); wnd != NULL && wnd->PreTranslateMessage(pMsg)) return TRUE;
  return FALSE;
}

BOOL CWinThread::PumpMessage() {
  if (::GetMessage(&m_msgCur, NULL, 0, 0) <= 0) return FALSE;
  if (!PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessage(&m_msgCur);
  }
  return TRUE;
}

BOOL CWinThread::OnIdle(LONG lCount) {
  if (lCount < 1) return TRUE;
  DeleteTemporaryObjects();
  return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG*) { return TRUE; }

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

void CWinThread::Delete() {
  if (m_bAutoDelete) delete this;
}

namespace {

CWinThread* Start(CWinThread* thread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                  LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  if (!thread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
    thread->Delete();
    return NULL;
  }
  thread->SetThreadPriority(nPriority);
  if ((dwCreateFlags & CREATE_SUSPENDED) == 0) thread->ResumeThread();
  return thread;
}

}  // namespace

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  ASSERT(pfnThreadProc != NULL);
  if (pfnThreadProc == NULL) return NULL;
  return Start(new CWinThread(pfnThreadProc, pParam), nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  ASSERT(pThreadClass != NULL && pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)));
  CObject* object = pThreadClass != NULL ? pThreadClass->CreateObject() : NULL;
  auto* thread = dynamic_cast<CWinThread*>(object);
  if (thread == NULL) {
    delete object;
    return NULL;
  }
  return Start(thread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete) {
  if (t_thread == nullptr)
    sandbox::internal::Fail("AfxEndThread: the calling thread was not started by AfxBeginThread");
  else
    EndOfThreadObject(t_thread, bDelete != FALSE);
  ::ExitThread(nExitCode);
}

CWinThread* AFXAPI AfxGetThread() {
  if (t_thread != nullptr) return t_thread;
  CWinApp* app = AfxGetApp();
  return app != NULL && app->m_nThreadID == ::GetCurrentThreadId() ? app : NULL;
}
