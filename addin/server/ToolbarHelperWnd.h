// A hidden window through which an add-in loaded for a later time adds its toolbar buttons, once
// Developer Studio pumps its messages: only when the user has none yet (ToolbarDisplayed 0, as
// after the add-in was unloaded from the add-in list).
#pragma once

#include "stdafx.h"

class ToolbarHelperWnd : public CWnd {
 public:
  enum { WM_ADD_TOOLBAR_BUTTONS = WM_USER + 1 };

  // Keeps a reference on the application.
  ToolbarHelperWnd(IApplication* application, LONG cookie);
  ~ToolbarHelperWnd() override;

  // Makes the hidden window (no styles, empty title, zero size, no parent).
  BOOL Create();
  // Keeps a copy of the command's name.
  void AddCommandName(LPCOLESTR name);
  // Posts WM_ADD_TOOLBAR_BUTTONS to itself.
  void PostAddToolbarButtons();

 protected:
  afx_msg LRESULT OnAddToolbarButtons(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  IApplication* m_application;
  LONG m_cookie;
  std::vector<BSTR> m_commandNames;
};
