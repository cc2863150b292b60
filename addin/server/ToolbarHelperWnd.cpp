#include "ToolbarHelperWnd.h"

#include "SablewingPreferences.h"
#include "ToolbarButtons.h"

BEGIN_MESSAGE_MAP(ToolbarHelperWnd, CWnd)
ON_MESSAGE(WM_ADD_TOOLBAR_BUTTONS, OnAddToolbarButtons)
END_MESSAGE_MAP()

ToolbarHelperWnd::ToolbarHelperWnd(IApplication* application, LONG cookie)
    : m_application(application), m_cookie(cookie) {
  if (m_application != NULL) m_application->AddRef();
}

ToolbarHelperWnd::~ToolbarHelperWnd() {
  if (GetSafeHwnd() != NULL) DestroyWindow();
  for (BSTR name : m_commandNames) ::SysFreeString(name);
  if (m_application != NULL) m_application->Release();
}

BOOL ToolbarHelperWnd::Create() { return CreateEx(0, AfxRegisterWndClass(0), "", 0, 0, 0, 0, 0, NULL, NULL); }

void ToolbarHelperWnd::AddCommandName(LPCOLESTR name) { m_commandNames.push_back(::SysAllocString(name)); }

void ToolbarHelperWnd::PostAddToolbarButtons() { PostMessage(WM_ADD_TOOLBAR_BUTTONS, 0, 0); }

LRESULT ToolbarHelperWnd::OnAddToolbarButtons(WPARAM, LPARAM) {
  if (!CSablewingPreferences::GetToolbarDisplayed() && m_application != NULL)
    AddToolbarButtons(m_application, m_commandNames, m_cookie);
  return Default();
}
