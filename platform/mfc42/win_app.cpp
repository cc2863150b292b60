// CWinApp: the application object of a module state, its document templates, message boxes and wait
// cursors; AfxGetApp, AfxGetMainWnd and AfxWinMain.
#include <afxwin.h>

#include <cstdlib>
#include <cstring>

#include "module_state.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

LPTSTR Duplicate(LPCTSTR text) {
  const size_t n = std::strlen(text) + 1;
  auto* copy = static_cast<LPTSTR>(std::malloc(n));
  std::memcpy(copy, text, n);
  return copy;
}

template <class Visit>
void ForEachTemplate(const afx_internal::PointerList& templates, Visit visit) {
  for (POSITION pos = templates.GetHeadPosition(); pos != NULL;)
    visit(static_cast<CDocTemplate*>(templates.GetNext(pos)));
}

// The file title of a module's file: its name without the folder and the extension.
CString ModuleTitle(HINSTANCE module) {
  char path[MAX_PATH] = "";
  const DWORD n = ::GetModuleFileName(module, path, sizeof path);
  CString name = n != 0 && n < sizeof path ? CString(path) : CString();
  name = name.Mid(name.ReverseFind('\\') + 1);
  const int dot = name.ReverseFind('.');
  return dot > 0 ? name.Left(dot) : name;
}

// The name an application object without one of its own gets: a regular DLL's file title, or the
// program's (AfxGetAppName before there is an application).
CString DefaultName(AFX_MODULE_STATE* state) {
  return state->m_bDLL ? ModuleTitle(state->m_hCurrentInstanceHandle) : CString(AfxGetAppName());
}

}  // namespace

CWinApp* AFXAPI AfxGetApp() {
  AFX_MODULE_STATE* state = AfxGetModuleState();
  std::lock_guard<std::mutex> g(mfc42::ModuleStateLock());
  return state->m_pCurrentWinApp;
}

CWnd* AFXAPI AfxGetMainWnd() {
  CWinThread* thread = AfxGetThread();
  return thread != NULL ? thread->GetMainWnd() : NULL;
}

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(NULL),
      m_pszExeName(NULL),
      m_hInstance(NULL),
      m_lpCmdLine(NULL),
      m_nCmdShow(SW_SHOWNORMAL),
      m_nWaitCursorCount(0),
      m_pModuleState(mfc42::ModuleStateOfAddress(this)) {
  // The name is taken before the object becomes its state's application, so that without a name
  // of its own it gets its module's file title.
  const CString defaultName = DefaultName(m_pModuleState);
  m_pszAppName = Duplicate(lpszAppName != NULL ? lpszAppName : static_cast<LPCTSTR>(defaultName));
  m_pszExeName = Duplicate(defaultName);
  m_bAutoDelete = FALSE;
  m_nThreadID = ::GetCurrentThreadId();
  m_hThread = ::GetCurrentThread();
  std::lock_guard<std::mutex> g(mfc42::ModuleStateLock());
  m_hInstance = m_pModuleState->m_hCurrentInstanceHandle;
  ASSERT(m_pModuleState->m_pCurrentWinApp == NULL);  // one application object per module state
  m_pModuleState->m_pCurrentWinApp = this;
}

CWinApp::~CWinApp() {
  for (POSITION pos = m_templates.GetHeadPosition(); pos != NULL;)
    delete static_cast<CDocTemplate*>(m_templates.GetNext(pos));
  {
    std::lock_guard<std::mutex> g(mfc42::ModuleStateLock());
    if (m_pModuleState->m_pCurrentWinApp == this) m_pModuleState->m_pCurrentWinApp = NULL;
  }
  std::free(const_cast<LPTSTR>(m_pszAppName));
  std::free(const_cast<LPTSTR>(m_pszExeName));
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
  ASSERT(pTemplate != NULL);
  if (pTemplate != NULL) m_templates.AddTail(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const { return m_templates.GetHeadPosition(); }

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
  return static_cast<CDocTemplate*>(m_templates.GetNext(pos));
}

int CWinApp::GetOpenDocumentCount() {
  int count = 0;
  ForEachTemplate(m_templates, [&](CDocTemplate* t) {
    for (POSITION pos = t->GetFirstDocPosition(); pos != NULL; t->GetNextDoc(pos)) ++count;
  });
  return count;
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName) {
  ASSERT(lpszFileName != NULL);
  if (lpszFileName == NULL) return NULL;
  TCHAR full[MAX_PATH];
  const DWORD n = ::GetFullPathName(lpszFileName, MAX_PATH, full, NULL);
  const CString path = n > 0 && n < MAX_PATH ? CString(full) : CString(lpszFileName);
  CDocTemplate* best = NULL;
  CDocTemplate::Confidence bestConfidence = CDocTemplate::noAttempt;
  CDocument* open = NULL;
  for (POSITION pos = m_templates.GetHeadPosition(); pos != NULL && open == NULL;) {
    auto* t = static_cast<CDocTemplate*>(m_templates.GetNext(pos));
    CDocument* match = NULL;
    const CDocTemplate::Confidence confidence = t->MatchDocType(path, match);
    if (confidence > bestConfidence) {
      bestConfidence = confidence;
      best = t;
      if (confidence == CDocTemplate::yesAlreadyOpen) open = match;
    }
  }
  if (open != NULL) return open;
  if (best == NULL) {
    TRACE("Error: no document templates registered with CWinApp.\n");
    return NULL;
  }
  return best->OpenDocumentFile(path);
}

BOOL CWinApp::SaveAllModified() {
  for (POSITION pos = m_templates.GetHeadPosition(); pos != NULL;)
    if (!static_cast<CDocTemplate*>(m_templates.GetNext(pos))->SaveAllModified()) return FALSE;
  return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
  ForEachTemplate(m_templates, [&](CDocTemplate* t) { t->CloseAllDocuments(bEndSession); });
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() { return CWinThread::Run(); }

int CWinApp::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) {
  CWnd* owner = AfxGetMainWnd();
  return ::MessageBox(owner != NULL ? owner->GetSafeHwnd() : NULL, lpszPrompt, m_pszAppName, nType);
}

void CWinApp::DoWaitCursor(int nCode) {
  m_nWaitCursorCount += nCode;
  if (m_nWaitCursorCount < 0) m_nWaitCursorCount = 0;
}

int AFXAPI AfxWinMain(HINSTANCE, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow) {
  CWinApp* app = AfxGetApp();
  if (app == NULL) return -1;
  app->m_lpCmdLine = lpCmdLine;
  app->m_nCmdShow = nCmdShow;
  if (!app->InitInstance()) {
    if (app->m_pMainWnd != NULL) app->m_pMainWnd->DestroyWindow();
    return app->ExitInstance();
  }
  return app->Run();
}
