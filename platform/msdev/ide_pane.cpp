// A pane of the IDE's main frame (ide_pane.h).
#include "ide_pane.h"

#include "ide.h"
#include "main_frame.h"

BOOL CIdePane::Create(CWnd* pParentWnd, const RECT& rect, UINT nID) {
  return CWnd::Create(NULL, m_name, WS_CHILD | WS_VISIBLE, rect, pParentWnd, nID);
}

LRESULT CIdePane::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == ID_FILE_SAVE_ALL) msdev::Ide::Instance().RecordSaveAllReceived(m_name);
  return CWnd::WindowProc(message, wParam, lParam);
}
