// Module states: the application's (MFC's own, one per process), the regular DLLs' (each made by
// the DLL and known by its module), and each thread's current one.
#include "module_state.h"

#include <map>

#include "sandbox/internal.h"

namespace mfc42 {
namespace {

thread_local AFX_MODULE_STATE* t_current = nullptr;

std::map<HMODULE, AFX_MODULE_STATE*>& DllStates() {
  static auto* states = new std::map<HMODULE, AFX_MODULE_STATE*>;  // never destroyed: DLLs unload during exit
  return *states;
}

}  // namespace

HMODULE ModuleOf(const void* address) {
  HMODULE module = NULL;
  if (address != nullptr)
    ::GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                        static_cast<LPCSTR>(address), &module);
  return module;
}

namespace {

AFX_MODULE_STATE& AppState() {
  static auto* state = new AFX_MODULE_STATE(FALSE, nullptr);  // never destroyed: asked during exit too
  return *state;
}

struct ResetHook {
  ResetHook() {
    // The application object belongs to the program and outlives resets, as do the loaded
    // extension DLLs' records; the resource handle is the program's again.
    sandbox::internal::RegisterReset("mfc42.module_state", [] {
      std::lock_guard<std::mutex> g(ModuleStateLock());
      AppState().m_hCurrentResourceHandle = AppState().m_hCurrentInstanceHandle;
    });
  }
} g_resetHook;

}  // namespace

std::mutex& ModuleStateLock() {
  static auto* lock = new std::mutex;
  return *lock;
}

AFX_MODULE_STATE* ModuleStateOfAddress(const void* address) {
  const HMODULE module = ModuleOf(address);
  std::lock_guard<std::mutex> g(ModuleStateLock());
  auto found = DllStates().find(module);
  return found != DllStates().end() ? found->second : &AppState();
}

}  // namespace mfc42

AFX_MODULE_STATE::AFX_MODULE_STATE(BOOL bDLL, const void* moduleAnchor)
    : m_pCurrentWinApp(NULL),
      m_hCurrentInstanceHandle(bDLL ? mfc42::ModuleOf(moduleAnchor) : ::GetModuleHandle(NULL)),
      m_hCurrentResourceHandle(m_hCurrentInstanceHandle),
      m_bDLL(bDLL),
      m_libraryList(NULL),
      m_nObjectCount(0) {
  if (!bDLL) return;
  ASSERT(m_hCurrentInstanceHandle != NULL);
  std::lock_guard<std::mutex> g(mfc42::ModuleStateLock());
  mfc42::DllStates()[m_hCurrentInstanceHandle] = this;
}

AFX_MODULE_STATE::~AFX_MODULE_STATE() {
  if (!m_bDLL) return;
  std::lock_guard<std::mutex> g(mfc42::ModuleStateLock());
  auto found = mfc42::DllStates().find(m_hCurrentInstanceHandle);
  if (found != mfc42::DllStates().end() && found->second == this) mfc42::DllStates().erase(found);
}

AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState() { return &mfc42::AppState(); }

AFX_MODULE_STATE* AFXAPI AfxGetModuleState() {
  return mfc42::t_current != nullptr ? mfc42::t_current : &mfc42::AppState();
}

AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* pNewState) {
  AFX_MODULE_STATE* previous = AfxGetModuleState();
  mfc42::t_current = pNewState;
  return previous;
}

AFX_MAINTAIN_STATE::AFX_MAINTAIN_STATE(AFX_MODULE_STATE* pNewState)
    : m_pPrevModuleState(AfxSetModuleState(pNewState)) {}

AFX_MAINTAIN_STATE::~AFX_MAINTAIN_STATE() { AfxSetModuleState(m_pPrevModuleState); }

HINSTANCE AFXAPI AfxGetInstanceHandle() {
  AFX_MODULE_STATE* state = AfxGetModuleState();
  std::lock_guard<std::mutex> g(mfc42::ModuleStateLock());
  return state->m_hCurrentInstanceHandle;
}

HINSTANCE AFXAPI AfxGetResourceHandle() {
  AFX_MODULE_STATE* state = AfxGetModuleState();
  std::lock_guard<std::mutex> g(mfc42::ModuleStateLock());
  return state->m_hCurrentResourceHandle;
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) {
  ASSERT(hInstResource != NULL);
  AFX_MODULE_STATE* state = AfxGetModuleState();
  std::lock_guard<std::mutex> g(mfc42::ModuleStateLock());
  state->m_hCurrentResourceHandle = hInstResource;
}

void AFXAPI AfxOleLockApp() { InterlockedIncrement(&AfxGetModuleState()->m_nObjectCount); }

void AFXAPI AfxOleUnlockApp() {
  AFX_MODULE_STATE* state = AfxGetModuleState();
  ASSERT(state->m_nObjectCount > 0);
  InterlockedDecrement(&state->m_nObjectCount);
}

BOOL AFXAPI AfxOleCanExitApp() { return AfxGetModuleState()->m_nObjectCount == 0; }

HRESULT AFXAPI AfxDllCanUnloadNow() { return AfxOleCanExitApp() ? S_OK : S_FALSE; }
