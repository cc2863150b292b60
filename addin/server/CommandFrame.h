// The frame every command and the workspace-open handler run their work in: a wait cursor (not
// for the preferences), Developer Studio's modeless windows disabled for the length of the work,
// and every exception the work throws reported in a message box over Developer Studio's main
// window, captioned "Sablewing", after which the command ends normally. No exception leaves it.
#pragma once

#include "stdafx.h"

#include <functional>

class CCommandFrame {
 public:
  // Begins the wait cursor (when asked) and disables Developer Studio's modeless windows.
  CCommandFrame(IApplication* application, bool waitCursor);
  // Enables the modeless windows again and ends the wait cursor.
  ~CCommandFrame();

  // Runs the work. What it throws is reported (FailureText: the library's exceptions with their
  // message, a file failure as "Could not convert project" with the file and its cause, anything
  // else as "Unknown Error") and deleted.
  void Run(const std::function<void()>& work);
  // Shows the wait cursor again after a modal dialog took it away.
  void RestoreWaitCursor();

  CCommandFrame(const CCommandFrame&) = delete;
  CCommandFrame& operator=(const CCommandFrame&) = delete;

 private:
  IApplication* m_application;
  bool m_waitCursor;
};

// A message box over Developer Studio's main window (none when it has none), captioned
// "Sablewing"; returns the button pressed.
int AddInMessageBox(const CString& text, UINT type = MB_OK);
