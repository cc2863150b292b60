// MFC: module states, extension DLLs and the resource chain. Included by afxwin.h.
//
// Every module that uses MFC runs in a module state: the application's (the program and every
// extension DLL it loads share it) or a regular DLL's own (its application object, instance and
// resource handles and library list). The calling thread's current state is the application's
// unless AFX_MANAGE_STATE (or AfxSetModuleState) has switched it.
//
// The resource chain, as seen from the module whose code asks (AfxFindResourceHandle,
// CString::LoadString, dialogs, menus, bitmaps, cursors):
//   1. that module's own resources;
//   2. the current module state's resource handle (AfxGetResourceHandle: the program's, or what
//      AfxSetResourceHandle set; in a regular DLL's state the DLL's);
//   3. the extension DLLs of the current state's library list: the records made without bSystem
//      first, then the system ones, each kind newest first (a new CDynLinkLibrary goes to the
//      head of the list).
// Each module is looked in once. A resource that no module holds is looked for in the resource
// handle's module (AfxFindResourceHandle answers that handle).
#pragma once

#include "afx.h"

class CWinApp;
class CDynLinkLibrary;
class COleObjectFactory;

class STANDIN_API AFX_MODULE_STATE {
 public:
  // A regular DLL's state (bDLL) names its module by an address inside it; the application's
  // state is MFC's own.
  AFX_MODULE_STATE(BOOL bDLL, const void* moduleAnchor);
  ~AFX_MODULE_STATE();
  AFX_MODULE_STATE(const AFX_MODULE_STATE&) = delete;
  AFX_MODULE_STATE& operator=(const AFX_MODULE_STATE&) = delete;

  // The application object of this state (AfxGetApp while the state is current), or NULL.
  CWinApp* m_pCurrentWinApp;
  HINSTANCE m_hCurrentInstanceHandle;
  HINSTANCE m_hCurrentResourceHandle;
  BOOL m_bDLL;
  // The extension DLLs' records, newest first (CDynLinkLibrary::m_pNextDLL links them). Changed
  // only under MFC's lock; walk it through the resource chain.
  CDynLinkLibrary* m_libraryList;
  // The OLE objects of the module alive now (AfxOleLockApp, AfxOleUnlockApp).
  LONG m_nObjectCount;
};

// The calling thread's current module state.
STANDIN_API AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
// The application's module state.
STANDIN_API AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState();
// Makes pNewState the calling thread's current state (NULL: the application's) and returns the
// one it replaces.
STANDIN_API AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* pNewState);

// A regular DLL's own module state. Defined in the part of MFC that every regular DLL links
// (mfc42_regular_dll), which also gives the DLL its DllMain: at attach the DLL's application
// object runs InitInstance in the DLL's state (FALSE fails the load), at detach ExitInstance.
AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState();

// The current module state's count of live OLE objects: an object (or anything that must keep
// the module loaded) locks it while it lives. The application's ending when its last object
// goes is not modelled.
STANDIN_API void AFXAPI AfxOleLockApp();
STANDIN_API void AFXAPI AfxOleUnlockApp();
// TRUE while the current state has no live object.
STANDIN_API BOOL AFXAPI AfxOleCanExitApp();
// A DLL's DllCanUnloadNow, in the DLL's own state (AFX_MANAGE_STATE(AfxGetStaticModuleState())):
// S_OK when the state has no live object, else S_FALSE.
STANDIN_API HRESULT AFXAPI AfxDllCanUnloadNow();

// Switches the calling thread to a module state for a scope.
class STANDIN_API AFX_MAINTAIN_STATE {
 public:
  explicit AFX_MAINTAIN_STATE(AFX_MODULE_STATE* pNewState);
  ~AFX_MAINTAIN_STATE();
  AFX_MAINTAIN_STATE(const AFX_MAINTAIN_STATE&) = delete;
  AFX_MAINTAIN_STATE& operator=(const AFX_MAINTAIN_STATE&) = delete;

 private:
  AFX_MODULE_STATE* m_pPrevModuleState;
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE _ctlState(p);

// An extension DLL's record of itself, filled by AfxInitExtensionModule in its DllMain.
struct AFX_EXTENSION_MODULE {
  BOOL bInitialized;
  HMODULE hModule;
  HMODULE hResource;
  CRuntimeClass* pFirstSharedClass;        // not modelled: stays NULL
  COleObjectFactory* pFirstSharedFactory;  // not modelled: stays NULL
};

// Records the module (its resources are its own). TRUE; FALSE for a handle that is no module.
// A second call for the same record changes nothing and answers TRUE.
STANDIN_API BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Deletes the current state's library records of the module (bAll: every record of the list).
// Nothing for a record that was never initialised.
STANDIN_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// An extension DLL in the current module state's library list: made (with new) by the DLL, it
// puts the DLL's resources into the resource chain of the state current when it is made, at the
// head of its list; deleting it takes them out.
class STANDIN_API CDynLinkLibrary : public CCmdTarget {
  DECLARE_DYNAMIC(CDynLinkLibrary)
 public:
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
  ~CDynLinkLibrary() override;

  HMODULE m_hModule;
  HMODULE m_hResource;
  BOOL m_bSystem;
  CDynLinkLibrary* m_pNextDLL;

 private:
  AFX_MODULE_STATE* m_pModuleState;  // the state whose list holds it
};

// LoadLibrary and FreeLibrary for modules that use MFC (extension DLLs join the library list from
// their DllMain, which the list's own lock keeps safe from other threads).
STANDIN_API HINSTANCE AFXAPI AfxLoadLibrary(LPCTSTR lpszModuleName);
STANDIN_API BOOL AFXAPI AfxFreeLibrary(HINSTANCE hInstLib);

namespace afx_internal {
// The resource chain as the module holding `caller` sees it: the first module with the resource,
// else the resource handle.
STANDIN_API HINSTANCE FindResourceHandle(const void* caller, LPCTSTR lpszName, LPCTSTR lpszType);
}  // namespace afx_internal
