// The DLL entry and the one export every plug-in DLL shares, over its static plug-in object:
//
//   static CWycAppWiz theAppWizard;
//   APPWIZARD_PLUGIN_ENTRY(theAppWizard)
//
// DllMain (process attach) initialises the DLL's MFC extension module (a failure fails the load)
// and stores the DLL's module into the object; (process detach) terminates the extension
// module. GetAppWizard (exported by name, listed in the DLL's exports file) makes the DLL's
// extension-library record on its first call in each load, which puts the plug-in's resources
// (dialogs, strings, bitmaps, TEMPLATE resources) into MFC's resource chain, and returns the
// object every time.
#pragma once

#include <afxwin.h>

#include "plugin/CustomAppWizard.h"

BOOL PlugInDllMain(AFX_EXTENSION_MODULE& module, CCustomAppWizard& object, HINSTANCE hInstance, DWORD dwReason);
CCustomAppWizard* PlugInGetAppWizard(AFX_EXTENSION_MODULE& module, bool& libraryMade, CCustomAppWizard& object);

#define APPWIZARD_PLUGIN_ENTRY(object)                                                                \
  static AFX_EXTENSION_MODULE g_plugInExtensionModule = {FALSE, NULL, NULL, NULL, NULL};              \
  static bool g_bPlugInLibraryMade = false;                                                           \
  extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {                       \
    return PlugInDllMain(g_plugInExtensionModule, object, hInstance, dwReason);                       \
  }                                                                                                   \
  extern "C" __declspec(dllexport) CCustomAppWizard* GetAppWizard() {                                 \
    return PlugInGetAppWizard(g_plugInExtensionModule, g_bPlugInLibraryMade, object);                 \
  }
