// MfcExtA.dll and MfcExtB.dll: extension DLLs as the system's plug-ins and add-ins are, joining the
// resource chain of the module state that loads them from their DllMain and leaving it at detach.
#include <afxwin.h>

#include <cstring>

#include "modules.h"

namespace {

AFX_EXTENSION_MODULE g_extension = {};

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    if (!AfxInitExtensionModule(g_extension, instance)) return FALSE;
    new CDynLinkLibrary(g_extension);
  } else if (reason == DLL_PROCESS_DETACH) {
    AfxTermExtensionModule(g_extension);
  }
  return TRUE;
}

extern "C" __declspec(dllexport) BOOL WINAPI ExtensionLoadString(UINT id, char* buffer, int size) {
  CString text;
  if (!text.LoadString(id)) return FALSE;
  lstrcpyn(buffer, text, size);
  return TRUE;
}

extern "C" __declspec(dllexport) int WINAPI ExtensionDoModal(UINT id) {
  CDialog dialog(id);
  return dialog.DoModal();
}
