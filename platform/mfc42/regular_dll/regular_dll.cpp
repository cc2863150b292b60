// The part of MFC that every regular DLL carries (linked into it, so each DLL has its own): the
// DLL's module state, AfxGetStaticModuleState, and the DllMain that runs the DLL's application
// object in that state: InitInstance at attach (FALSE fails the load, which then detaches),
// ExitInstance at detach.
#include <afxwin.h>

namespace {

// Made before the DLL's other static objects, so that its application object finds the DLL's
// state while it is constructed; destroyed after them.
AFX_MODULE_STATE g_moduleState __attribute__((init_priority(101))) (TRUE, afx_internal::ThisModule());

}  // namespace

AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState() { return &g_moduleState; }

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  AFX_MANAGE_STATE(&g_moduleState);
  CWinApp* app = AfxGetApp();
  if (app == NULL) return TRUE;
  if (reason == DLL_PROCESS_ATTACH) return app->InitInstance();
  if (reason == DLL_PROCESS_DETACH) app->ExitInstance();
  return TRUE;
}
