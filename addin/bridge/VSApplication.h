// The add-in's one doorway into the running Developer Studio. It speaks to it through two channels:
// the automation object (projects, configurations, Clean) and Developer Studio's own MFC
// application object, which the add-in reaches because it runs inside that process (the main
// window, the document templates, reopening a workspace).
//
// A command creates one CVSApplication on the stack for the length of one operation. The object
// knows where the workspace and the current project lie on disk, saves everything, cleans all
// configurations, closes the workspace with Developer Studio's prompts suppressed, reopens it and
// answers the prompts that reopening raises. Its state runs 0 (untouched) -> SaveAll -> 1 (all
// saved) -> CloseWorkspace -> 2 (workspace closed) -> ReopenWorkspace -> 0, so that operations
// which each save and close on the same object close the workspace once and reopen it once.
#pragma once

#include "stdafx.h"

#include <objmodel/appauto.h>

class CWinApp;
class CWnd;

class CVSApplication {
 public:
  // Developer Studio's own command numbers, sent to its main window as WM_COMMAND.
  enum {
    DevStudioCmdSaveAll = 34560,         // save all open files
    DevStudioCmdWorkspaceClose = 36633,  // close the workspace
  };

  // Borrows `application` (no reference is taken). Throws CVSApplicationException 5038 when there
  // is no host application object.
  explicit CVSApplication(IApplication* application);
  virtual ~CVSApplication();

  // Developer Studio's application object, looked up once; CVSApplicationException 5038 without one.
  static CWinApp* GetHostApp();
  // Its main window (may be null); throws as GetHostApp.
  static CWnd* GetMainFrame();
  // The main window's handle for owning a message box or a dialog, or NULL when there is none.
  // Never throws: reporting one error must not raise another.
  static HWND GetMainFrameHandle() noexcept;

  void SaveAll();
  void CleanAllConfigurations();
  void CloseWorkspace();
  void ReopenWorkspace(bool answerPrompts);

  // The open workspace's .dsw path; empty when no workspace is open.
  CString GetWorkspacePath();
  // projectDir + projectName + ".dsp", also kept as the current project file path.
  CString GetProjectFilePath();
  CString GetProjectDir() const { return m_projectDir; }  // ends in a backslash
  CString GetProjectName() const { return m_projectName; }

  // Makes Developer Studio's active project current; CVSApplicationException 5010 when no project
  // is loaded.
  void LoadActiveProject();
  // Takes the list of the workspace's projects and makes the first current; 5010 without projects.
  void LoadProjectList();
  // Makes the next project of the list current; false (the current one unchanged) after the last.
  bool NextProject();

  // True when the workspace, the project file or the project's StdAfx.h exists and is read-only.
  bool AreProjectFilesReadOnly();

  // out.first := the project's name, out.second := drive and directory of its project file.
  // False, with `out` unchanged, when the project does not answer.
  static bool SplitProjectPath(IGenericProject* project, std::pair<CString, CString>& out);

  // Waits until the threads that answer the prompts of a reopened workspace have ended; with
  // `stopNow` they end at their next pass instead of after their three seconds. The module that
  // holds their code calls this before it goes.
  static void FinishAnsweringPrompts(bool stopNow);
  // Whether a thread answering the prompts of a reopened workspace still runs: the module that
  // holds its code must stay loaded meanwhile.
  static bool IsAnsweringPrompts();

  CVSApplication(const CVSApplication&) = delete;
  CVSApplication& operator=(const CVSApplication&) = delete;

 private:
  // An interface pointer with a flag that says whether this object holds a reference on it.
  struct OwnedInterface {
    IProjects* pointer = NULL;
    bool owns = true;
  };
  static void ReleaseOwnedInterface(OwnedInterface& owned);

  IProjects* GetProjects() const;  // a new reference, or NULL when Developer Studio has none
  void MakeCurrent(const std::pair<CString, CString>& project);

  IApplication* m_application;
  CString m_workspacePath;
  CString m_projectFilePath;
  CString m_projectDir;
  CString m_projectName;
  int m_state;
  OwnedInterface m_projects;
  int m_projectCount;
  int m_nextProject;
  std::vector<std::pair<CString, CString>> m_projectList;
};
