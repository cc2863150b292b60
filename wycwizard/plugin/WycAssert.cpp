#include "stdafx.h"

#include "plugin/WycAssert.h"

namespace {

// Failures being shown right now (the user-interface thread's).
int g_nShowing = 0;

// The C run time's exit code for a program that was aborted.
const UINT kAbortExitCode = 3;

}  // namespace

void WycAssertFailedLine(LPCSTR file, int line) {
  if (g_nShowing > 0) {
    DebugBreak();
    return;
  }
  ++g_nShowing;
  CString where;
  where.Format("File %hs, Line %d", file, line);
  CString trace;
  trace.Format("Assertion Failed: %s\n", static_cast<LPCTSTR>(where));
  OutputDebugString(trace);
  HWND owner = GetActiveWindow();
  if (owner != NULL) owner = GetLastActivePopup(owner);
  const int answer = MessageBox(owner, where, "Assertion Failed!",
                                MB_ABORTRETRYIGNORE | MB_ICONSTOP | MB_TASKMODAL | MB_SETFOREGROUND);
  --g_nShowing;
  if (answer == IDABORT) ExitProcess(kAbortExitCode);
  if (answer == IDRETRY) DebugBreak();
}
