// The resource chain: where AfxFindResourceHandle and CString::LoadString (and through them
// dialogs, menus, bitmaps and cursors) look for a resource, in the order afx_module.h gives.
#include <algorithm>
#include <string>
#include <vector>

#include "module_state.h"

namespace mfc42 {

std::vector<HMODULE> ResourceChain(const void* caller) {
  std::vector<HMODULE> chain;
  auto add = [&chain](HMODULE module) {
    if (module != NULL && std::find(chain.begin(), chain.end(), module) == chain.end()) chain.push_back(module);
  };
  add(ModuleOf(caller));
  AFX_MODULE_STATE* state = AfxGetModuleState();
  std::lock_guard<std::mutex> g(ModuleStateLock());
  add(state->m_hCurrentResourceHandle);
  for (const BOOL system : {FALSE, TRUE})
    for (const CDynLinkLibrary* library = state->m_libraryList; library != NULL; library = library->m_pNextDLL)
      if ((library->m_bSystem != FALSE) == (system != FALSE)) add(library->m_hResource);
  return chain;
}

}  // namespace mfc42

namespace {

// One module's string nID: false when absent. The buffer grows until the string fits (LoadString
// fills at most size - 1 bytes, so a full buffer may mean a longer string).
bool LoadFrom(HINSTANCE module, UINT nID, std::string& out) {
  std::vector<char> buffer(256);
  for (;;) {
    const int n = ::LoadString(module, nID, buffer.data(), static_cast<int>(buffer.size()));
    if (n <= 0) return false;
    if (static_cast<size_t>(n) + 2 < buffer.size() || buffer.size() >= (1u << 20)) {
      out.assign(buffer.data(), static_cast<size_t>(n));
      return true;
    }
    buffer.resize(buffer.size() * 4);
  }
}

}  // namespace

HINSTANCE afx_internal::FindResourceHandle(const void* caller, LPCTSTR lpszName, LPCTSTR lpszType) {
  for (HMODULE module : mfc42::ResourceChain(caller))
    if (::FindResource(module, lpszName, lpszType) != NULL) return module;
  return AfxGetResourceHandle();
}

BOOL CString::LoadStringFor(const void* caller, UINT nID) {
  std::string text;
  for (HMODULE module : mfc42::ResourceChain(caller))
    if (LoadFrom(module, nID, text)) {
      m_str.swap(text);
      return TRUE;
    }
  return FALSE;
}
