// The IDE's MFC application (ide_app.h).
#include "ide_app.h"

#include <cstdio>

#include "file_io.h"
#include "main_frame.h"
#include "prompts.h"
#include "text_doc.h"
#include "workspace_doc_template.h"

CIdeApp::CIdeApp(bool visible)
    : CWinApp(msdev::kIdeTitle),
      m_pFrame(NULL),
      m_pWorkspaceTemplate(NULL),
      m_pTextTemplate(NULL),
      m_bOpeningReadOnly(false),
      m_hrOpen(S_OK) {
  m_nCmdShow = visible ? SW_SHOW : SW_HIDE;
}

// The templates, and the documents still in them, go with the application (CWinApp).
CIdeApp::~CIdeApp() { CloseWindows(); }

BOOL CIdeApp::InitInstance() {
  m_pWorkspaceTemplate = new CProjectWorkspaceDocTemplate;
  AddDocTemplate(m_pWorkspaceTemplate);
  m_pTextTemplate = new CMultiDocTemplate(0, RUNTIME_CLASS(CTextDoc), NULL, NULL);
  AddDocTemplate(m_pTextTemplate);

  auto* frame = new CMainFrame(this);
  const DWORD style = WS_OVERLAPPEDWINDOW | (m_nCmdShow != SW_HIDE ? WS_VISIBLE : 0);
  if (!frame->Create(NULL, msdev::kIdeTitle, style)) return FALSE;  // the frame has deleted itself
  m_pFrame = frame;
  m_pMainWnd = frame;
  return TRUE;
}

BOOL CIdeApp::SaveAllModified() {
  if (m_pTextTemplate != NULL && !m_pTextTemplate->SaveAllModified()) return FALSE;
  return m_pWorkspaceTemplate == NULL || m_pWorkspaceTemplate->SaveAllModified();
}

CDocument* CIdeApp::WorkspaceDocument() const {
  if (m_pWorkspaceTemplate == NULL) return NULL;
  POSITION pos = m_pWorkspaceTemplate->GetFirstDocPosition();
  return pos != NULL ? m_pWorkspaceTemplate->GetNextDoc(pos) : NULL;
}

bool CIdeApp::OpenWorkspace(const std::string& path, bool asNew, std::string* error) {
  CProjectWorkspaceDocTemplate* workspaces = m_pWorkspaceTemplate;
  if (workspaces == NULL) {
    if (error) *error = "the IDE has no workspace template";
    return false;
  }
  if (!asNew) {
    CDocument* open = NULL;
    const std::string full = msdev::FullWindowsPath(path);
    if (!full.empty() && workspaces->MatchDocType(full.c_str(), open) == CDocTemplate::yesAlreadyOpen) return true;
  }
  workspaces->m_bNewWorkspace = asNew;
  const CDocument* opened = workspaces->OpenDocumentFile(path.c_str());
  workspaces->m_bNewWorkspace = false;
  if (opened == NULL && error) *error = workspaces->m_lastError;
  return opened != NULL;
}

// The documents close before the workspace, so their events come before WorkspaceClose.
BOOL CIdeApp::CloseWorkspace() {
  CDocument* workspace = WorkspaceDocument();
  if (workspace == NULL) return TRUE;
  if (!SaveAllModified()) return FALSE;
  m_pTextTemplate->CloseAllDocuments(FALSE);
  workspace->OnCloseDocument();
  return TRUE;
}

HRESULT CIdeApp::OpenTextDocument(const std::string& path, bool readOnly, msdev::DocumentRef& document) {
  const std::string full = msdev::FullWindowsPath(path);
  if (full.empty()) return HRESULT_FROM_WIN32(ERROR_INVALID_NAME);
  CDocument* open = NULL;
  if (m_pTextTemplate->MatchDocType(full.c_str(), open) == CDocTemplate::yesAlreadyOpen) {
    document = static_cast<CTextDoc*>(open)->Model();
    return S_OK;
  }
  m_bOpeningReadOnly = readOnly;
  m_hrOpen = E_FAIL;
  CDocument* opened = m_pTextTemplate->OpenDocumentFile(full.c_str());
  m_bOpeningReadOnly = false;
  if (opened == NULL) return FAILED(m_hrOpen) ? m_hrOpen : E_FAIL;
  document = static_cast<CTextDoc*>(opened)->Model();
  return S_OK;
}

CTextDoc* CIdeApp::FindTextDocument(const msdev::DocumentRef& document) const {
  if (m_pTextTemplate == NULL) return NULL;
  for (POSITION pos = m_pTextTemplate->GetFirstDocPosition(); pos != NULL;) {
    auto* doc = static_cast<CTextDoc*>(m_pTextTemplate->GetNextDoc(pos));
    if (doc->Model() == document) return doc;
  }
  return NULL;
}

int CIdeApp::Prompt(const std::string& text, UINT nType) {
  const HWND owner = m_pFrame != NULL ? m_pFrame->GetSafeHwnd() : NULL;
  const int result = ::MessageBox(owner, text.c_str(), msdev::kIdeTitle, nType);
  msdev::Ide::Instance().RecordPrompt(text, nType, result);
  return result;
}

void CIdeApp::ShowMainFrame(bool visible) {
  if (m_pFrame != NULL) m_pFrame->ShowWindow(visible ? SW_SHOW : SW_HIDE);
}

void CIdeApp::UpdateTitle() {
  if (m_pFrame != NULL) m_pFrame->SetWindowText(msdev::FrameTitle(msdev::Ide::Instance().WorkspaceName()).c_str());
}

HWND CIdeApp::MakeToolbar(int number) {
  char name[32];
  std::snprintf(name, sizeof name, "Toolbar%d", number);
  auto toolbar = std::make_unique<CWnd>();
  const HWND owner = m_pFrame != NULL ? m_pFrame->GetSafeHwnd() : NULL;
  if (!toolbar->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), name, WS_POPUP | WS_CAPTION, 0, 0, 200, 28, owner,
                         NULL))
    return NULL;
  const HWND window = toolbar->GetSafeHwnd();
  m_toolbars.push_back(std::move(toolbar));
  return window;
}

void CIdeApp::DestroyToolbar(HWND window) {
  for (auto it = m_toolbars.begin(); it != m_toolbars.end(); ++it) {
    if ((*it)->GetSafeHwnd() != window) continue;
    (*it)->DestroyWindow();
    m_toolbars.erase(it);
    return;
  }
}

// The main window's end would post WM_QUIT to the thread: the IDE is not its whole program here,
// so it stops being the main window first. After a sandbox reset the windows are gone already;
// the objects then only let go of their handles.
void CIdeApp::CloseWindows() {
  m_pMainWnd = NULL;
  for (auto& toolbar : m_toolbars)
    if (::IsWindow(toolbar->GetSafeHwnd())) toolbar->DestroyWindow();
  m_toolbars.clear();
  CMainFrame* frame = m_pFrame;
  if (frame == NULL) return;
  if (!::IsWindow(frame->GetSafeHwnd()) || !frame->DestroyWindow()) {
    m_pFrame = NULL;
    delete frame;
  }
}

void CIdeApp::FrameGone(CMainFrame* frame) {
  if (m_pFrame == frame) m_pFrame = NULL;
  if (m_pMainWnd == frame) m_pMainWnd = NULL;
}
