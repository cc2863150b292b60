#include "HtmlHelpCall.h"

#include <htmlhelp.h>

namespace {

PFN_HTMLHELPA g_pfnHtmlHelp = NULL;
bool g_bHtmlHelpFailed = false;

// The control's file as its registration names it, or its plain name when it is not registered.
CString HtmlHelpControlFile() {
  CString file = _T("hhctrl.ocx");
  HKEY hKey = NULL;
  if (::RegOpenKeyEx(HKEY_CLASSES_ROOT, _T("CLSID\\") HTMLHELP_CLSID_TEXT _T("\\InprocServer32"), 0, KEY_READ,
                     &hKey) != ERROR_SUCCESS)
    return file;
  TCHAR path[MAX_PATH + 1] = {0};
  DWORD type = 0, size = MAX_PATH;
  if (::RegQueryValueEx(hKey, NULL, NULL, &type, reinterpret_cast<LPBYTE>(path), &size) == ERROR_SUCCESS &&
      type == REG_SZ && path[0] != 0)
    file = path;
  ::RegCloseKey(hKey);
  return file;
}

}  // namespace

HWND CallHtmlHelp(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData) {
  if (g_pfnHtmlHelp == NULL) {
    if (g_bHtmlHelpFailed) return NULL;
    const HMODULE hControl = ::LoadLibrary(HtmlHelpControlFile());
    if (hControl != NULL)
      g_pfnHtmlHelp = reinterpret_cast<PFN_HTMLHELPA>(
          reinterpret_cast<void (*)()>(::GetProcAddress(hControl, MAKEINTRESOURCE(HTMLHELP_ANSI_ORDINAL))));
    if (g_pfnHtmlHelp == NULL) {
      if (hControl != NULL) ::FreeLibrary(hControl);
      g_bHtmlHelpFailed = true;
      return NULL;
    }
  }
  return g_pfnHtmlHelp(hwndCaller, pszFile, uCommand, dwData);
}
