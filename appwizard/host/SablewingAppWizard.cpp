// SablewingAppWizard.awx: the module the New Project dialog loads. Its entry makes the module an
// MFC extension DLL of the IDE and registers its one custom AppWizard with the host library.
#include "stdafx.h"

#include "host/SablewingAppWizardAppWiz.h"

namespace {

AFX_EXTENSION_MODULE g_extensionModule = {FALSE, NULL, NULL, NULL, NULL};

}  // namespace

// Built before the entry runs, destroyed when the module goes (with it the run's loader, which
// frees the plug-in DLLs).
CSablewingAppWizardAppWiz theSablewingAppWizard;

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) {
    if (!AfxInitExtensionModule(g_extensionModule, hInstance)) return FALSE;
    new CDynLinkLibrary(g_extensionModule);
    RegisterCustomAppWiz(&theSablewingAppWizard);
  } else if (dwReason == DLL_PROCESS_DETACH) {
    AfxTermExtensionModule(g_extensionModule);
  }
  return TRUE;
}
