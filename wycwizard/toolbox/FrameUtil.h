// Plug-in utilities: the debug trace, and the controls and title of the AppWizard frame, which is
// a wizard step dialog's parent window.
#pragma once

#include <afxwin.h>

// Formats like printf, cut at 511 characters, and writes the text to the debugger output, with
// the application's name and ": " in front when there is an application object.
void DebugTrace(const char* format, ...);
// Enables or disables, focuses, or retitles the control `id` of the dialog's parent window (the
// title for SetFrameTitle): 1, or 0 when the dialog has no parent or the parent no such control.
int EnableFrameItem(CWnd* dialog, UINT id, BOOL enable);
int FocusFrameItem(CWnd* dialog, UINT id);
int SetFrameTitle(CWnd* dialog, const char* text);
