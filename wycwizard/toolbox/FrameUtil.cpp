#include "stdafx.h"

#include "toolbox/FrameUtil.h"

namespace {

const int kTraceBuffer = 512;

CWnd* FrameItem(CWnd* dialog, UINT id) {
  CWnd* frame = dialog != NULL ? dialog->GetParent() : NULL;
  return frame != NULL ? frame->GetDlgItem(static_cast<int>(id)) : NULL;
}

}  // namespace

void DebugTrace(const char* format, ...) {
  char text[kTraceBuffer];
  va_list args;
  va_start(args, format);
  // _vsnprintf leaves the buffer unterminated when it cuts.
  _vsnprintf(text, sizeof text - 1, format, args);
  va_end(args);
  text[sizeof text - 1] = '\0';
  CWinApp* app = AfxGetApp();
  if (app == NULL || app->m_pszAppName == NULL) {
    OutputDebugString(text);
    return;
  }
  CString line;
  line.Format("%s: %s", app->m_pszAppName, text);
  OutputDebugString(line);
}

int EnableFrameItem(CWnd* dialog, UINT id, BOOL enable) {
  CWnd* item = FrameItem(dialog, id);
  if (item == NULL) return 0;
  item->EnableWindow(enable);
  return 1;
}

int FocusFrameItem(CWnd* dialog, UINT id) {
  CWnd* item = FrameItem(dialog, id);
  if (item == NULL) return 0;
  item->SetFocus();
  return 1;
}

int SetFrameTitle(CWnd* dialog, const char* text) {
  CWnd* frame = dialog != NULL ? dialog->GetParent() : NULL;
  if (frame == NULL || text == NULL) return 0;
  frame->SetWindowText(text);
  return 1;
}
