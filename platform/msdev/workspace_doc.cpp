// The workspace document (workspace_doc.h).
#include "workspace_doc.h"

#include "ide.h"
#include "ide_app.h"
#include "main_frame.h"
#include "prompts.h"
#include "workspace_doc_template.h"

IMPLEMENT_DYNCREATE(CWorkspaceDoc, CDocument)

namespace {

CIdeApp* App() { return msdev::Ide::Instance().App(); }

}  // namespace

CWorkspaceDoc::CWorkspaceDoc() = default;

CWorkspaceDoc::~CWorkspaceDoc() = default;

BOOL CWorkspaceDoc::OnOpenDocument(LPCTSTR lpszPathName) {
  auto* workspaces = dynamic_cast<CProjectWorkspaceDocTemplate*>(m_pDocTemplate);
  msdev::Ide& ide = msdev::Ide::Instance();
  std::string error;
  if (!ide.OpenWorkspace(lpszPathName, &error)) {
    if (workspaces != NULL) workspaces->m_lastError = error;
    return FALSE;
  }
  CIdeApp* app = App();
  if (app != NULL) app->UpdateTitle();
  if (app != NULL && app->MainFrame() != NULL && ide.NextChangedOutside() != nullptr)
    app->MainFrame()->PostMessage(WM_IDE_CHECK_PROJECT_FILES);
  return TRUE;
}

BOOL CWorkspaceDoc::OnSaveDocument(LPCTSTR) {
  msdev::Ide& ide = msdev::Ide::Instance();
  BOOL saved = TRUE;
  for (const msdev::ProjectRef& project : ide.ModifiedProjects())
    if (!ide.SaveProject(project)) saved = FALSE;
  return saved;
}

void CWorkspaceDoc::OnCloseDocument() {
  msdev::Ide::Instance().CloseWorkspace();
  if (CIdeApp* app = App()) app->UpdateTitle();
  CDocument::OnCloseDocument();
}

BOOL CWorkspaceDoc::IsModified() { return !msdev::Ide::Instance().ModifiedProjects().empty(); }

BOOL CWorkspaceDoc::SaveModified() {
  msdev::Ide& ide = msdev::Ide::Instance();
  CIdeApp* app = App();
  for (const msdev::ProjectRef& project : ide.ModifiedProjects()) {
    const int answer = app != NULL ? app->Prompt(msdev::SaveChangesText(project->fullPath),
                                                 MB_YESNOCANCEL | MB_ICONEXCLAMATION)
                                   : IDNO;
    if (answer == IDCANCEL) return FALSE;
    if (answer == IDYES && !ide.SaveProject(project)) return FALSE;
  }
  return TRUE;
}
