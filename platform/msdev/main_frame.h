// The IDE's main frame: a top-level window of the UI thread, titled "<workspace> - Microsoft
// Visual C++" (the IDE's title alone without a workspace), visible while the IDE is. Its children
// are the workspace pane and the output pane (with its Build tab), so that what is sent to the
// frame's descendants reaches real windows. It carries the menu commands the add-ins and the user
// send (save all, close workspace, build; ids it does not know do nothing) and the message it
// posts itself after a workspace opened with project files that changed outside the IDE.
#pragma once

#include <afxwin.h>

#include "ide_pane.h"

// Menu command ids, as the IDE's menus send them.
constexpr UINT ID_FILE_SAVE_ALL = 34560;
constexpr UINT ID_FILE_CLOSE_WORKSPACE = 36633;
constexpr UINT ID_BUILD_BUILD = 33843;  // Build > Build (F7): the active project's active configuration
// The ids of the add-ins' commands, as their toolbar buttons send them.
constexpr UINT kFirstAddInCommandId = 0xC000;
constexpr UINT kLastAddInCommandId = 0xCFFF;
// Posted to the main frame when an opened workspace has project files to ask about, so that the
// question comes when the UI thread next pumps its messages, after the opening has returned.
constexpr UINT WM_IDE_CHECK_PROJECT_FILES = WM_APP + 0x0100;

class CIdeApp;

class CMainFrame : public CFrameWnd {
 public:
  explicit CMainFrame(CIdeApp* app);
  ~CMainFrame() override;

  // Takes note of every save-all command the frame gets (sandbox::msdev::SaveAllReceived).
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  // The user closes the IDE: the changed documents and projects are asked about, then it quits.
  afx_msg void OnClose();
  afx_msg void OnFileSaveAll();
  afx_msg void OnFileCloseWorkspace();
  afx_msg void OnBuildBuild();
  afx_msg void OnAddInCommand(UINT nID);
  afx_msg LRESULT OnCheckProjectFiles(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  CIdeApp* const m_pApp;  // the application that made the frame, which outlives it
  CIdePane m_workspacePane;
  CIdePane m_outputPane;
  CIdePane m_buildTab;  // a child of the output pane
};
