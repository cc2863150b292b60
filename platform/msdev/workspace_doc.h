// The open workspace as the IDE's MFC document: opening and closing it are the core's (ide.h);
// the document asks about the changed projects before it closes, and after it opened it has the
// main frame ask about project files that changed outside the IDE.
#pragma once

#include <afxwin.h>

class CWorkspaceDoc : public CDocument {
  DECLARE_DYNCREATE(CWorkspaceDoc)
 public:
  CWorkspaceDoc();
  ~CWorkspaceDoc() override;

  // The core opens the workspace; the frame then shows its name, and gets a message posted
  // when a project file is to be asked about. Why it failed goes to the template.
  BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
  // Writes every modified project file.
  BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
  // The core closes the workspace (WorkspaceClose); the document goes.
  void OnCloseDocument() override;
  // Some project is modified (changed through automation, or kept over a file changed outside).
  BOOL IsModified() override;
  // "Save changes to <project file>?" for each modified project: Yes writes it, No (or a box a
  // hook refused) lets the changes go with the workspace, Cancel keeps the workspace (FALSE).
  BOOL SaveModified() override;
};
