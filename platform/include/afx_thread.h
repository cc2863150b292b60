// MFC: threads and the application. A CWinThread runs either a worker function or its own
// message loop (InitInstance, Run, ExitInstance); the application object (CWinApp, one per
// module state: the program's and each regular DLL's) is the CWinThread of the thread that made
// it. Included by afxwin.h.
#pragma once

#include "afx_wnd.h"

class CDocTemplate;
class CDocument;

typedef UINT(AFX_CDECL* AFX_THREADPROC)(LPVOID);

namespace afx_internal {

// A list of pointers whose POSITIONs stay valid while other entries are added or removed (the
// position of a removed entry is gone with it), as MFC's lists behave.
class STANDIN_API PointerList {
 public:
  PointerList() = default;
  ~PointerList();
  PointerList(const PointerList&) = delete;
  PointerList& operator=(const PointerList&) = delete;

  void AddTail(void* item);
  // Removes the first entry holding `item`; false when there is none.
  bool Remove(void* item);
  POSITION GetHeadPosition() const;
  // The entry at rPos; rPos moves to the next entry (NULL after the last).
  void* GetNext(POSITION& rPos) const;
  bool IsEmpty() const { return m_pHead == nullptr; }
  int GetCount() const;

 private:
  struct Node;
  Node* m_pHead = nullptr;
  Node* m_pTail = nullptr;
};

}  // namespace afx_internal

class STANDIN_API CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
 public:
  // A thread that runs its own message loop (a class made by AfxBeginThread's run-time class).
  CWinThread();
  // A worker thread running pfnThreadProc(pParam).
  CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
  // Closes the thread handle.
  ~CWinThread() override;

  // Starts the thread (held until ResumeThread with CREATE_SUSPENDED).
  BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
  int GetThreadPriority();
  BOOL SetThreadPriority(int nPriority);
  DWORD ResumeThread();
  DWORD SuspendThread();
  BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);
  operator HANDLE() const { return m_hThread; }

  // The thread's active window (m_pActiveWnd) or else its main window (m_pMainWnd). A worker
  // thread has neither, so what it shows (AfxMessageBox) is owned by no window of another thread.
  virtual CWnd* GetMainWnd();
  virtual BOOL InitInstance();
  // The message loop: takes and dispatches messages until WM_QUIT, calling OnIdle while the queue
  // is empty; returns ExitInstance().
  virtual int Run();
  // The message's window and its parents get the message first (CWnd::PreTranslateMessage).
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Takes one message (GetMessage: it waits) and dispatches it; FALSE for WM_QUIT.
  virtual BOOL PumpMessage();
  // Idle-time work; lCount counts the calls since the last message. At 0 it asks for more (TRUE);
  // from 1 on it deletes the thread's temporary window objects and is done (FALSE).
  virtual BOOL OnIdle(LONG lCount);
  virtual BOOL IsIdleMessage(MSG* pMsg);
  // The exit code: WM_QUIT's.
  virtual int ExitInstance();
  // Deletes the object when m_bAutoDelete.
  virtual void Delete();

  CWnd* m_pMainWnd;
  CWnd* m_pActiveWnd;
  // TRUE (the default): the object deletes itself when its thread ends, closing m_hThread. A
  // caller that waits for the thread sets it to FALSE before the thread can end (create it
  // suspended), waits on m_hThread and deletes the object.
  BOOL m_bAutoDelete;
  HANDLE m_hThread;
  DWORD m_nThreadID;
  AFX_THREADPROC m_pfnThreadProc;
  LPVOID m_pThreadParams;
  MSG m_msgCur;
};

// Starts a worker thread running pfnThreadProc(pParam), or (second form) a thread of the
// CWinThread class pThreadClass (DYNCREATE) running its message loop. NULL when it cannot start.
STANDIN_API CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                              int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                              DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
STANDIN_API CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                              UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                              LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
// Ends the calling thread (which AfxBeginThread started) with nExitCode; with bDelete its object
// is deleted as when it ends by itself.
[[noreturn]] STANDIN_API void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
// The calling thread's CWinThread: the one AfxBeginThread made, the application on the
// application's thread, else NULL.
STANDIN_API CWinThread* AFXAPI AfxGetThread();

class STANDIN_API CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
 public:
  // The application object of the module state it belongs to: a regular DLL's own when the
  // object lies in that DLL (its static application object), else the application's. Made on the
  // thread that runs it, it is its state's application (AfxGetApp while that state is current)
  // until it is destroyed; one per module state. Without a name, the file title of its state's
  // module (the program's, or the DLL's) is its name.
  explicit CWinApp(LPCTSTR lpszAppName = NULL);
  // Deletes its document templates (and their documents still open).
  ~CWinApp() override;

  LPCTSTR m_pszAppName;
  LPCTSTR m_pszExeName;
  HINSTANCE m_hInstance;
  LPTSTR m_lpCmdLine;
  int m_nCmdShow;
  int m_nWaitCursorCount;  // wait cursors begun and not ended

  // The application owns the templates added.
  void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  int GetOpenDocumentCount();
  // The document of that path: an open one (yesAlreadyOpen), else opened by the template that
  // matches it best (MatchDocType); NULL when no template opens it.
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
  // Asks every template's documents to save (SaveModified); FALSE when one is cancelled.
  virtual BOOL SaveAllModified();
  // Closes every template's documents.
  void CloseAllDocuments(BOOL bEndSession);

  BOOL InitInstance() override;
  int Run() override;
  int ExitInstance() override;
  // AfxMessageBox with an application: the box is owned by the main window and titled with the
  // application's name.
  virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
  // +1 begins a wait cursor, -1 ends one, 0 restores it.
  virtual void DoWaitCursor(int nCode);

 private:
  afx_internal::PointerList m_templates;
  AFX_MODULE_STATE* m_pModuleState;  // the state whose application it is
};

// The current module state's application object, or NULL.
STANDIN_API CWinApp* AFXAPI AfxGetApp();
// The calling thread's main window (CWinThread::GetMainWnd), or NULL.
STANDIN_API CWnd* AFXAPI AfxGetMainWnd();
// The program's entry for an application: InitInstance, then Run (or ExitInstance when
// InitInstance fails). -1 without an application object.
STANDIN_API int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
