// The template of the IDE's workspace document, under the run-time class name the add-ins look
// for ("CProjectWorkspaceDocTemplate"): one workspace at a time, whose document's path name is
// the open .dsw's full path. It opens .dsw files only; opening one reads it before the open
// workspace is let go, so a file the IDE cannot read changes nothing.
#pragma once

#include <afxwin.h>

#include <string>

class CProjectWorkspaceDocTemplate : public CSingleDocTemplate {
  DECLARE_DYNAMIC(CProjectWorkspaceDocTemplate)
 public:
  CProjectWorkspaceDocTemplate();
  ~CProjectWorkspaceDocTemplate() override;

  // The open workspace (yesAlreadyOpen), a .dsw (yesAttemptNative), nothing else (noAttempt).
  Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch) override;
  // Reads the .dsw (one that cannot be read: the IDE's error box, NULL, nothing changed); closes
  // the open workspace as Close Workspace does (the user may keep it: NULL); then makes the
  // workspace document, which opens it; then the sinks hear WorkspaceOpen (NewWorkspace). Answers
  // the workspace document open after their handlers, which may have closed it (NULL).
  CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;

  // How the next opening goes: as the New Project dialog's new workspace (NewWorkspace fires).
  bool m_bNewWorkspace;
  // Why the last opening failed.
  std::string m_lastError;
};
