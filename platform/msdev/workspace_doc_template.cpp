// The workspace's document template (workspace_doc_template.h).
#include "workspace_doc_template.h"

#include "ide_app.h"
#include "prompts.h"
#include "sandbox/internal.h"
#include "workspace_doc.h"
#include "workspace_reader.h"

IMPLEMENT_DYNAMIC(CProjectWorkspaceDocTemplate, CSingleDocTemplate)

CProjectWorkspaceDocTemplate::CProjectWorkspaceDocTemplate()
    : CSingleDocTemplate(0, RUNTIME_CLASS(CWorkspaceDoc), NULL, NULL), m_bNewWorkspace(false) {
  m_strDocStrings = "\nWorkspace\nWorkspace\nWorkspaces (*.dsw)\n.dsw\n";
}

CProjectWorkspaceDocTemplate::~CProjectWorkspaceDocTemplate() = default;

CDocTemplate::Confidence CProjectWorkspaceDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch) {
  const Confidence confidence = CSingleDocTemplate::MatchDocType(lpszPathName, rpDocMatch);
  return confidence == yesAttemptForeign ? noAttempt : confidence;
}

CDocument* CProjectWorkspaceDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL) {
  m_lastError.clear();
  if (lpszPathName == NULL) {  // a new, empty workspace comes from the New Project dialog only
    sandbox::internal::ReportUnmodelled("CProjectWorkspaceDocTemplate::OpenDocumentFile(NULL)");
    m_lastError = "an untitled workspace is not modelled";
    return NULL;
  }
  CIdeApp* app = msdev::Ide::Instance().App();
  std::string fullPath;
  std::vector<msdev::WorkspaceEntry> projects;
  bool readable = msdev::ReadWorkspaceFile(lpszPathName, fullPath, projects, &m_lastError);
  if (readable && m_pOnlyDoc != NULL && app != NULL && !app->CloseWorkspace()) {
    m_lastError = "the open workspace was kept open";
    return NULL;
  }
  CDocument* doc = NULL;
  if (readable) {
    doc = CreateNewDocument();
    readable = doc != NULL && doc->OnOpenDocument(fullPath.c_str());
  }
  if (!readable) {
    delete doc;
    if (app != NULL) app->Prompt(msdev::CannotOpenWorkspaceText(lpszPathName, m_lastError), MB_OK | MB_ICONEXCLAMATION);
    return NULL;
  }
  doc->SetPathName(fullPath.c_str());
  // The sinks hear of it once the workspace is in place; a handler may close it and open another
  // (even this one again), so the document answered is the one open afterwards.
  const bool asNew = m_bNewWorkspace;
  m_bNewWorkspace = false;
  msdev::Ide::Instance().WorkspaceOpened(asNew);
  return m_pOnlyDoc;
}
