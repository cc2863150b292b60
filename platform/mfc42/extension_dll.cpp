// Extension DLLs: AFX_EXTENSION_MODULE records, CDynLinkLibrary (a DLL's place in a module
// state's library list, newest first), AfxLoadLibrary and AfxFreeLibrary.
#include <vector>

#include "module_state.h"

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
  if (state.bInitialized) return TRUE;
  char path[MAX_PATH];
  if (hModule == NULL || ::GetModuleFileName(hModule, path, sizeof path) == 0) return FALSE;
  state.hModule = hModule;
  state.hResource = hModule;
  state.pFirstSharedClass = NULL;
  state.pFirstSharedFactory = NULL;
  state.bInitialized = TRUE;
  return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll) {
  if (!state.bInitialized) return;
  std::vector<CDynLinkLibrary*> records;
  {
    std::lock_guard<std::mutex> g(mfc42::ModuleStateLock());
    for (CDynLinkLibrary* library = AfxGetModuleState()->m_libraryList; library != NULL; library = library->m_pNextDLL)
      if (bAll || library->m_hModule == state.hModule) records.push_back(library);
  }
  for (CDynLinkLibrary* library : records) delete library;  // each takes itself out of the list
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule),
      m_hResource(state.hResource),
      m_bSystem(bSystem),
      m_pNextDLL(NULL),
      m_pModuleState(AfxGetModuleState()) {
  ASSERT(state.bInitialized);
  std::lock_guard<std::mutex> g(mfc42::ModuleStateLock());
  m_pNextDLL = m_pModuleState->m_libraryList;
  m_pModuleState->m_libraryList = this;
}

CDynLinkLibrary::~CDynLinkLibrary() {
  std::lock_guard<std::mutex> g(mfc42::ModuleStateLock());
  for (CDynLinkLibrary** link = &m_pModuleState->m_libraryList; *link != NULL; link = &(*link)->m_pNextDLL)
    if (*link == this) {
      *link = m_pNextDLL;
      break;
    }
}

// The library lists are changed under their own lock only, so no lock is held across the load:
// an extension DLL's DllMain, which makes its record, may run on this thread while another thread
// walks the chain.
HINSTANCE AFXAPI AfxLoadLibrary(LPCTSTR lpszModuleName) { return ::LoadLibrary(lpszModuleName); }

BOOL AFXAPI AfxFreeLibrary(HINSTANCE hInstLib) { return ::FreeLibrary(hInstLib); }
