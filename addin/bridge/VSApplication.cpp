#include "bridge/VSApplication.h"

#include <afxwin.h>
#include <comdef.h>

#include "AddinResource.h"
#include "TqWinHandle.h"
#include "bridge/PromptAnswering.h"
#include "bridge/VSApplicationException.h"

namespace {

const char kIdeTitle[] = "Microsoft Visual C++";
const char kWorkspaceTemplateClass[] = "CProjectWorkspaceDocTemplate";

typedef TQ::CTqWinHandle<HHOOK, UnhookWindowsHookEx> CTqHookHandle;

// The hook that CloseWorkspace installs for the length of the close command; made empty when the
// module loads, unhooked (if it still holds a hook) when the module goes.
CTqHookHandle g_ideMessageBoxHook;
// The hook that SaveAll installs for the length of the save command, and the boxes it saw.
CTqHookHandle g_saveAllHook;
int g_ideBoxesDuringSaveAll = 0;

// A window about to be created whose name contains Developer Studio's title: its message boxes
// carry that title.
bool IsIdeMessageBox(int code, LPARAM lParam) {
  if (code != HCBT_CREATEWND) return false;
  const CBT_CREATEWND* create = reinterpret_cast<const CBT_CREATEWND*>(lParam);
  LPCSTR name = create->lpcs != NULL ? create->lpcs->lpszName : NULL;
  return name != NULL && !IS_INTRESOURCE(name) && std::strstr(name, kIdeTitle) != NULL;
}

// Refuses every such window while the workspace closes: nobody would be there to answer it.
LRESULT CALLBACK SuppressIdeMessageBoxHook(int code, WPARAM wParam, LPARAM lParam) {
  if (IsIdeMessageBox(code, lParam)) return 1;
  return ::CallNextHookEx(g_ideMessageBoxHook, code, wParam, lParam);
}

// Lets such a window show while everything is saved, and counts it: Developer Studio reports a
// file it cannot save in one of its boxes, and says nothing when all went well.
LRESULT CALLBACK WatchIdeMessageBoxHook(int code, WPARAM wParam, LPARAM lParam) {
  if (IsIdeMessageBox(code, lParam)) ++g_ideBoxesDuringSaveAll;
  return ::CallNextHookEx(g_saveAllHook, code, wParam, lParam);
}

CString FromBSTR(BSTR text) {
  const _bstr_t owned(text, false);
  return CString(static_cast<LPCTSTR>(owned));
}

VARIANT IndexVariant(LONG index) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = index;
  return v;
}

}  // namespace

CVSApplication::CVSApplication(IApplication* application)
    : m_application(application), m_state(0), m_projectCount(0), m_nextProject(1) {
  GetHostApp();
}

CVSApplication::~CVSApplication() { ReleaseOwnedInterface(m_projects); }

// Looked up on every call rather than kept: in Developer Studio's process the application object
// never changes, but a kept pointer would outlive an application object that is replaced.
CWinApp* CVSApplication::GetHostApp() {
  CWinApp* app = AfxGetApp();
  if (app == NULL) throw new CVSApplicationException(IDS_FATAL_ERROR);
  return app;
}

CWnd* CVSApplication::GetMainFrame() { return GetHostApp()->GetMainWnd(); }

HWND CVSApplication::GetMainFrameHandle() noexcept {
  CWinApp* app = AfxGetApp();
  CWnd* frame = app != NULL ? app->GetMainWnd() : NULL;
  return frame != NULL ? frame->GetSafeHwnd() : NULL;
}

void CVSApplication::ReleaseOwnedInterface(OwnedInterface& owned) {
  if (owned.pointer != NULL && owned.owns) owned.pointer->Release();
  owned.pointer = NULL;
  owned.owns = true;
}

// A save that Developer Studio reports as failed stops the operation here, before anything is read,
// closed or written: closing the workspace afterwards would throw away the edits it could not save.
void CVSApplication::SaveAll() {
  if (m_state != 0) return;
  CWnd* frame = GetMainFrame();
  if (frame != NULL) {
    g_ideBoxesDuringSaveAll = 0;
    g_saveAllHook.Attach(::SetWindowsHookEx(WH_CBT, WatchIdeMessageBoxHook, NULL, ::GetCurrentThreadId()));
    frame->SendMessage(WM_COMMAND, DevStudioCmdSaveAll, 0);
    frame->SendMessageToDescendants(WM_COMMAND, DevStudioCmdSaveAll, 0, TRUE, FALSE);
    g_saveAllHook.Close();
    if (g_ideBoxesDuringSaveAll > 0) throw new CVSApplicationException(IDS_SAVE_ALL_FAILED);
  }
  m_state = 1;
}

IProjects* CVSApplication::GetProjects() const {
  IDispatch* dispatch = NULL;
  if (m_application == NULL || FAILED(m_application->get_Projects(&dispatch)) || dispatch == NULL) return NULL;
  IProjects* projects = NULL;
  if (FAILED(dispatch->QueryInterface(IID_IProjects, reinterpret_cast<void**>(&projects)))) projects = NULL;
  dispatch->Release();
  return projects;
}

// A collection, an item or a count that Developer Studio does not give is passed over: the clean
// goes on with what it can reach.
void CVSApplication::CleanAllConfigurations() {
  IProjects* projects = GetProjects();
  if (projects == NULL) return;
  LONG projectCount = 0;
  if (FAILED(projects->get_Count(&projectCount))) projectCount = 0;
  for (LONG i = 1; i <= projectCount; ++i) {
    IGenericProject* project = NULL;
    if (FAILED(projects->Item(IndexVariant(i), &project)) || project == NULL) continue;
    IBuildProject* build = NULL;
    IConfigurations* configurations = NULL;
    if (SUCCEEDED(project->QueryInterface(IID_IBuildProject, reinterpret_cast<void**>(&build))) && build != NULL &&
        FAILED(build->get_Configurations(&configurations)))
      configurations = NULL;
    LONG configurationCount = 0;
    if (configurations != NULL && FAILED(configurations->get_Count(&configurationCount))) configurationCount = 0;
    for (LONG j = 1; j <= configurationCount; ++j) {
      IConfiguration* configuration = NULL;
      if (FAILED(configurations->Item(IndexVariant(j), &configuration)) || configuration == NULL) continue;
      BSTR name = NULL;
      if (SUCCEEDED(configuration->get_Name(&name))) {
        _variant_t configurationName(name);
        m_application->Clean(configurationName);
      }
      ::SysFreeString(name);
      configuration->Release();
    }
    if (configurations != NULL) configurations->Release();
    if (build != NULL) build->Release();
    project->Release();
  }
  projects->Release();
}

void CVSApplication::CloseWorkspace() {
  if (m_state == 2) return;
  // Kept now, while the workspace is still open, so that a reopen always knows it.
  GetWorkspacePath();
  SaveAll();
  CleanAllConfigurations();
  g_ideMessageBoxHook.Attach(::SetWindowsHookEx(WH_CBT, SuppressIdeMessageBoxHook, NULL, ::GetCurrentThreadId()));
  CWnd* frame = GetMainFrame();
  // Synchronous: every prompt Developer Studio tries to show while closing is created, and refused,
  // inside this call.
  if (frame != NULL) frame->SendMessage(WM_COMMAND, DevStudioCmdWorkspaceClose, 0);
  g_ideMessageBoxHook.Close();
  m_state = 2;
}

void CVSApplication::ReopenWorkspace(bool answerPrompts) {
  if (m_state != 2) return;
  const CString path = GetWorkspacePath();
  GetHostApp()->OpenDocumentFile(path);
  if (answerPrompts) StartAnsweringPrompts();
  m_state = 0;
}

void CVSApplication::FinishAnsweringPrompts(bool stopNow) { ::FinishAnsweringPrompts(stopNow); }

bool CVSApplication::IsAnsweringPrompts() { return ::AnsweringPrompts(); }

CString CVSApplication::GetWorkspacePath() {
  if (!m_workspacePath.IsEmpty()) return m_workspacePath;
  CWinApp* app = GetHostApp();
  CString path;
  POSITION position = app->GetFirstDocTemplatePosition();
  while (position != NULL) {
    CDocTemplate* docTemplate = app->GetNextDocTemplate(position);
    if (std::strcmp(docTemplate->GetRuntimeClass()->m_lpszClassName, kWorkspaceTemplateClass) != 0) continue;
    POSITION document = docTemplate->GetFirstDocPosition();
    if (document != NULL) path = docTemplate->GetNextDoc(document)->GetPathName();
    break;
  }
  m_workspacePath = path;
  return m_workspacePath;
}

CString CVSApplication::GetProjectFilePath() {
  m_projectFilePath = m_projectDir + m_projectName + ".dsp";
  return m_projectFilePath;
}

void CVSApplication::MakeCurrent(const std::pair<CString, CString>& project) {
  m_projectName = project.first;
  m_projectDir = project.second;
}

void CVSApplication::LoadActiveProject() {
  SaveAll();
  IProjects* projects = GetProjects();
  LONG count = 0;
  if (projects != NULL) {
    if (FAILED(projects->get_Count(&count))) count = 0;
    projects->Release();
  }
  if (count < 1) throw new CVSApplicationException(IDS_NO_PROJECT_LOADED);

  IDispatch* active = NULL;
  if (FAILED(m_application->get_ActiveProject(&active))) active = NULL;
  IGenericProject* project = NULL;
  if (active != NULL) {
    if (FAILED(active->QueryInterface(IID_IGenericProject, reinterpret_cast<void**>(&project)))) project = NULL;
    active->Release();
  }
  std::pair<CString, CString> current;
  const bool split = project != NULL && SplitProjectPath(project, current);
  if (project != NULL) project->Release();
  if (!split) throw new CVSApplicationException(IDS_NO_PROJECT_LOADED);
  MakeCurrent(current);
}

void CVSApplication::LoadProjectList() {
  ReleaseOwnedInterface(m_projects);
  m_projectList.clear();
  m_projects.pointer = GetProjects();
  LONG count = 0;
  if (m_projects.pointer != NULL && FAILED(m_projects.pointer->get_Count(&count))) count = 0;
  if (count < 1) throw new CVSApplicationException(IDS_NO_PROJECT_LOADED);
  for (LONG i = 1; i <= count; ++i) {
    IGenericProject* project = NULL;
    if (FAILED(m_projects.pointer->Item(IndexVariant(i), &project)) || project == NULL) continue;
    std::pair<CString, CString> entry;
    if (SplitProjectPath(project, entry)) m_projectList.push_back(entry);
    project->Release();
  }
  // Only the projects that answered can be visited.
  if (m_projectList.empty()) throw new CVSApplicationException(IDS_NO_PROJECT_LOADED);
  m_projectCount = static_cast<int>(m_projectList.size());
  m_nextProject = 1;
  MakeCurrent(m_projectList.front());
}

bool CVSApplication::NextProject() {
  if (m_nextProject + 1 > m_projectCount) {
    ++m_nextProject;
    return false;
  }
  MakeCurrent(m_projectList[m_nextProject]);
  ++m_nextProject;
  return true;
}

bool CVSApplication::AreProjectFilesReadOnly() {
  const CString paths[] = {GetWorkspacePath(), GetProjectFilePath(), m_projectDir + "StdAfx.h"};
  for (const CString& path : paths) {
    CFileStatus status;
    if (!path.IsEmpty() && CFile::GetStatus(path, status) && (status.m_attribute & CFile::readOnly) != 0) return true;
  }
  return false;
}

bool CVSApplication::SplitProjectPath(IGenericProject* project, std::pair<CString, CString>& out) {
  BSTR name = NULL;
  BSTR fullName = NULL;
  if (FAILED(project->get_Name(&name)) || FAILED(project->get_FullName(&fullName))) {
    ::SysFreeString(name);
    ::SysFreeString(fullName);
    return false;
  }
  const CString path = FromBSTR(fullName);
  char drive[_MAX_DRIVE], directory[_MAX_DIR];
  _splitpath(path, drive, directory, NULL, NULL);
  out.first = FromBSTR(name);
  out.second = CString(drive) + directory;
  return true;
}
