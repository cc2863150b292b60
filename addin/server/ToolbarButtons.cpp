#include "ToolbarButtons.h"

#include <cstring>

#include "SablewingPreferences.h"

namespace {

const char kToolbarText[] = "Toolbar";
const char kToolbarTitle[] = "Sablewing";

// The hook of the thread adding the buttons, for the length of AddToolbarButtons.
HHOOK g_renameHook = NULL;

}  // namespace

LRESULT CALLBACK ToolbarRenameHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    CREATESTRUCT* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
    // The new window takes its name from the creation structure once the hooks have run; the
    // replacement is a constant, so it outlives the creation.
    if (create != NULL && create->lpszName != NULL && !IS_INTRESOURCE(create->lpszName) &&
        std::strstr(create->lpszName, kToolbarText) != NULL)
      create->lpszName = kToolbarTitle;
  }
  return ::CallNextHookEx(g_renameHook, code, wParam, lParam);
}

void AddToolbarButtons(IApplication* application, const std::vector<BSTR>& commandNames, LONG cookie) {
  // Without the hook the buttons still come, on a toolbar with Developer Studio's own name.
  g_renameHook = ::SetWindowsHookEx(WH_CBT, ToolbarRenameHook, NULL, ::GetCurrentThreadId());
  for (BSTR name : commandNames) application->AddCommandBarButton(dsGlyph, name, cookie);
  if (g_renameHook != NULL) ::UnhookWindowsHookEx(g_renameHook);
  g_renameHook = NULL;
  CSablewingPreferences::SetToolbarDisplayed(true);
}
