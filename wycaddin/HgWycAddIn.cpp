// HgWycAddIn.dll's module: the COM server module, the object map, the application object and the
// server's entry points. Its DllMain is MFC's for a regular DLL, which runs the application
// object in the DLL's own module state.
#include "stdafx.h"

#include "HgWycAddIn.h"
#include "ToolbarButtonWnd.h"
#include "WycAddIn.h"
#include "resource.h"
#include "uir/UIR.h"

CComModule _Module;

// The run-time engine's message, in this module's string table.
extern const UINT g_nUIREngineMessageId = IDS_UIR_ENGINE_MISSING;

BEGIN_OBJECT_MAP(ObjectMap)
OBJECT_ENTRY(CLSID_HgWycAddIn, CHgWycAddIn)
END_OBJECT_MAP()

CHgWycAddInApp::CHgWycAddInApp() {}

CHgWycAddInApp theApp;

BOOL CHgWycAddInApp::InitInstance() {
  _Module.Init(ObjectMap, m_hInstance, &LIBID_HGWYCADDINLib);
  return CWinApp::InitInstance();
}

int CHgWycAddInApp::ExitInstance() {
  _Module.Term();
  CToolbarButtonWnd::UnregisterWindowClass();
  return CWinApp::ExitInstance();
}

HRESULT CHgWycAddInApp::UpdateRegistry(BOOL bRegister) {
  return _Module.UpdateRegistryFromResource(IDR_HGWYCADDIN, bRegister);
}

// --- The COM server's entry points --------------------------------------------------------------

// Only when nothing of the DLL is alive, neither what MFC counts nor what the COM module does.
STDAPI DllCanUnloadNow() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  return AfxDllCanUnloadNow() == S_OK && _Module.GetLockCount() == 0 ? S_OK : S_FALSE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  return _Module.GetClassObject(rclsid, riid, ppv);
}

// The class from the registration script, then the type library.
STDAPI DllRegisterServer() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  HRESULT hr = theApp.UpdateRegistry(TRUE);
  if (SUCCEEDED(hr)) hr = _Module.RegisterServer(TRUE);
  return hr;
}

// Both go, the type library also when the script could not be run; the first failure is the
// result.
STDAPI DllUnregisterServer() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  const HRESULT hr = theApp.UpdateRegistry(FALSE);
  const HRESULT hrTypeLib = _Module.UnregisterServer(TRUE);
  return FAILED(hr) ? hr : hrTypeLib;
}
