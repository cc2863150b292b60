// hhctrl.ocx, the help viewer's control: its ANSI entry, exported by name and as ordinal 14, hands
// each request to the viewer, which is one per process.
#include <htmlhelp.h>

#include "viewer.h"

extern "C" __declspec(dllexport) HWND WINAPI HtmlHelpA(HWND hwndCaller, LPCSTR pszFile, UINT uCommand,
                                                       DWORD_PTR dwData) {
  return hhviewer::Request(hwndCaller, pszFile, uCommand, dwData);
}
