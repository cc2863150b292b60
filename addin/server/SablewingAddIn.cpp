// SablewingAddIn.dll: an in-process COM server of one class (the add-in object) and an MFC
// extension library, loaded into Developer Studio's process.
#include "stdafx.h"

#include "DSAddIn.h"
#include "bridge/VSApplication.h"

CComModule _Module;

namespace {

AFX_EXTENSION_MODULE g_extensionModule = {};

BEGIN_OBJECT_MAP(ObjectMap)
OBJECT_ENTRY(CLSID_DSAddIn, CDSAddIn)
END_OBJECT_MAP()

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) {
    if (!AfxInitExtensionModule(g_extensionModule, hInstance)) return FALSE;
    new CDynLinkLibrary(g_extensionModule);
    _Module.Init(ObjectMap, hInstance, &LIBID_SablewingAddIn);
    ::DisableThreadLibraryCalls(hInstance);
  } else if (dwReason == DLL_PROCESS_DETACH) {
    AfxTermExtensionModule(g_extensionModule);
    _Module.Term();
  }
  return TRUE;
}

// The bridge's prompt-answering threads run the module's code: while one runs the module stays.
STDAPI DllCanUnloadNow() {
  return _Module.GetLockCount() == 0 && !CVSApplication::IsAnsweringPrompts() ? S_OK : S_FALSE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) { return _Module.GetClassObject(rclsid, riid, ppv); }

STDAPI DllRegisterServer() { return _Module.RegisterServer(TRUE); }

STDAPI DllUnregisterServer() { return _Module.UnregisterServer(TRUE); }
