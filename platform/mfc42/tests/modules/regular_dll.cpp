// MfcRegular.dll (and, built with REGULAR_FAIL_INIT, MfcRegularFails.dll): a regular DLL with its
// own application object, as the Wyc add-in is. Its InitInstance and ExitInstance say so through
// the debugger output, which outlives the DLL.
#include <afxwin.h>

#include "modules.h"

namespace {

class CRegularApp : public CWinApp {
 public:
  BOOL InitInstance() override {
    OutputDebugString(CString("InitInstance of ") + m_pszAppName + " in " + AfxGetApp()->m_pszAppName);
#ifdef REGULAR_FAIL_INIT
    return FALSE;
#else
    return TRUE;
#endif
  }
  int ExitInstance() override {
    OutputDebugString(CString("ExitInstance of ") + m_pszAppName + " in " + AfxGetApp()->m_pszAppName);
    return 0;
  }
};

CRegularApp theApp;

void Copy(const char* text, char* buffer, int size) { lstrcpyn(buffer, text, size); }

}  // namespace

extern "C" __declspec(dllexport) void WINAPI RegularAppName(BOOL managed, char* buffer, int size) {
  AFX_MODULE_STATE* state = managed ? AfxGetStaticModuleState() : AfxGetModuleState();
  AFX_MANAGE_STATE(state);
  CWinApp* app = AfxGetApp();
  Copy(app != NULL ? app->m_pszAppName : "", buffer, size);
}

extern "C" __declspec(dllexport) BOOL WINAPI RegularLoadString(UINT id, char* buffer, int size) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  CString text;
  if (!text.LoadString(id)) return FALSE;
  Copy(text, buffer, size);
  return TRUE;
}

// What keeps the DLL loaded, in its own module state: an object locking it (lock TRUE) or not.
extern "C" __declspec(dllexport) void WINAPI RegularLockApp(BOOL lock) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  if (lock)
    AfxOleLockApp();
  else
    AfxOleUnlockApp();
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllCanUnloadNow() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  return AfxDllCanUnloadNow();
}
