#include "stdafx.h"

#include "ToolbarHook.h"

const char kToolbarTitle[] = "Hg/Wyc";

namespace {

HHOOK g_hToolbarHook = NULL;

// A window made with a name in place, not with none or with an ordinal (0xFFFF and a number, or
// a number alone) in its place.
BOOL HasName(LPCSTR lpszName) {
  return lpszName != NULL && !IS_INTRESOURCE(lpszName) && static_cast<BYTE>(lpszName[0]) != 0xFF;
}

LRESULT CALLBACK ToolbarHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode == HCBT_CREATEWND) {
    LPCREATESTRUCT lpcs = reinterpret_cast<LPCBT_CREATEWND>(lParam)->lpcs;
    if (HasName(lpcs->lpszName) && strstr(lpcs->lpszName, "Toolbar") != NULL) lpcs->lpszName = kToolbarTitle;
  }
  return CallNextHookEx(g_hToolbarHook, nCode, wParam, lParam);
}

}  // namespace

BOOL InstallToolbarHook() {
  if (g_hToolbarHook == NULL) g_hToolbarHook = SetWindowsHookEx(WH_CBT, ToolbarHookProc, NULL, GetCurrentThreadId());
  return g_hToolbarHook != NULL;
}

void RemoveToolbarHook() {
  if (g_hToolbarHook == NULL) return;
  UnhookWindowsHookEx(g_hToolbarHook);
  g_hToolbarHook = NULL;
}
