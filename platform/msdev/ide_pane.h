// A pane of the IDE's main frame (the workspace pane, the output pane, a tab of it): a child
// window named after the pane. Commands sent to it find no handler; it takes note of the
// save-all commands it gets (sandbox::msdev::SaveAllReceived).
#pragma once

#include <afxwin.h>

class CIdePane : public CWnd {
 public:
  explicit CIdePane(const char* name) : m_name(name) {}

  BOOL Create(CWnd* pParentWnd, const RECT& rect, UINT nID);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  const char* m_name;
};
