// The IDE's MFC application: while the IDE runs it is the process's one CWinApp (AfxGetApp()),
// named as the IDE titles itself. Its InitInstance makes the main frame and registers the
// document templates: the workspace's (CProjectWorkspaceDocTemplate, whose document's path is the
// open .dsw) and the text documents'. It is the way in for what the user does with files (open
// and close a workspace, open a document) and it shows the IDE's boxes; what then happens is the
// core's (ide.h).
#pragma once

#include <afxwin.h>

#include <memory>
#include <string>
#include <vector>

#include "ide.h"

class CMainFrame;
class CProjectWorkspaceDocTemplate;
class CTextDoc;

class CIdeApp : public CWinApp {
 public:
  // Made on the thread that starts the IDE, which becomes its UI thread.
  explicit CIdeApp(bool visible);
  ~CIdeApp() override;

  // The main frame (visible as the IDE is) and the two document templates. FALSE when the frame
  // could not be made (a CBT hook refused it): the IDE then runs without windows.
  BOOL InitInstance() override;
  // The open documents are asked first, then the workspace's projects.
  BOOL SaveAllModified() override;

  CMainFrame* MainFrame() const { return m_pFrame; }
  CProjectWorkspaceDocTemplate* WorkspaceTemplate() const { return m_pWorkspaceTemplate; }
  CDocTemplate* TextTemplate() const { return m_pTextTemplate; }
  // The open workspace's document, or NULL.
  CDocument* WorkspaceDocument() const;

  // File > Open Workspace: the workspace template opens the file whatever its extension, and the
  // workspace that is open already stays as it is. `asNew`: the New Project dialog opening the
  // workspace it made (NewWorkspace fires; an open workspace of that path is opened again).
  // False with *error when nothing was opened.
  bool OpenWorkspace(const std::string& path, bool asNew, std::string* error);
  // File > New (new_project.cpp): the New Project dialog, the custom AppWizard it runs, the new
  // project's files and its workspace, opened. False with *error ("cancelled", or what the IDE
  // told the user) when no project was made.
  bool NewProject(std::string* error);
  // File > Close Workspace: asks about every changed document and project (SaveAllModified),
  // then closes the documents and the workspace. FALSE when the user kept it open.
  BOOL CloseWorkspace();
  // Documents.Open: an open document is shown again, else the text template opens it. The
  // HRESULT says why nothing opened.
  HRESULT OpenTextDocument(const std::string& path, bool readOnly, msdev::DocumentRef& document);
  CTextDoc* FindTextDocument(const msdev::DocumentRef& document) const;
  // What a text document being opened by OpenTextDocument opens with, and how it went.
  bool OpeningReadOnly() const { return m_bOpeningReadOnly; }
  void SetOpenResult(HRESULT hr) { m_hrOpen = hr; }

  // A message box owned by the main frame and captioned with the IDE's title, recorded with its
  // answer (0: a CBT hook refused the box).
  int Prompt(const std::string& text, UINT nType);
  void ShowMainFrame(bool visible);
  // The frame's title from the open workspace's name.
  void UpdateTitle();
  // Toolbar window number `number` of an add-in ("Toolbar<n>"), made by CreateWindowEx so that
  // the thread's CBT hooks see it, owned by the main frame; NULL when a hook refused it.
  HWND MakeToolbar(int number);
  void DestroyToolbar(HWND toolbar);
  // The IDE stops: its toolbars and main frame go, without ending the thread's message loop.
  void CloseWindows();

 private:
  friend class CMainFrame;
  void FrameGone(CMainFrame* frame);

  CMainFrame* m_pFrame;
  CProjectWorkspaceDocTemplate* m_pWorkspaceTemplate;  // owned by the application, as is the next
  CDocTemplate* m_pTextTemplate;
  std::vector<std::unique_ptr<CWnd>> m_toolbars;
  bool m_bOpeningReadOnly;
  HRESULT m_hrOpen;
};
