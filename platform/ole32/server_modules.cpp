// The in-process servers of CoGetClassObject, loaded with LoadLibrary and given back with
// FreeLibrary by CoFreeUnusedLibraries (when DllCanUnloadNow says S_OK) or when the last
// apartment of the process closes. CoFreeUnusedLibraries unloads at once: the platform's delay
// for multithreaded apartments is not modelled.
#include "server_modules.h"

#include <mutex>
#include <vector>

namespace ole32 {
namespace {

struct Server {
  std::string path;
  HMODULE module;
  LPFNGETCLASSOBJECT getClassObject;
  LPFNCANUNLOADNOW canUnloadNow;  // may be null
};

struct State {
  std::mutex lock;
  std::vector<Server> servers;  // load order
};

State& S() {
  static State* state = new State;
  return *state;
}

// Entry points are looked up as FARPROC; going through void(*)() keeps the cast explicit.
template <typename Function>
Function EntryPoint(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

std::vector<Server>::iterator FindLocked(State& s, const std::string& path) {
  for (auto it = s.servers.begin(); it != s.servers.end(); ++it)
    if (lstrcmpi(it->path.c_str(), path.c_str()) == 0) return it;
  return s.servers.end();
}

}  // namespace

HRESULT ServerClassObject(const std::string& path, REFCLSID clsid, REFIID riid, void** ppv) {
  State& s = S();
  LPFNGETCLASSOBJECT getClassObject = nullptr;
  {
    std::lock_guard<std::mutex> g(s.lock);
    auto it = FindLocked(s, path);
    if (it != s.servers.end()) getClassObject = it->getClassObject;
  }
  if (getClassObject == nullptr) {
    // Loading runs the module's DllMain, which may itself call into COM: not under the lock.
    HMODULE module = LoadLibrary(path.c_str());
    if (module == nullptr) return CO_E_DLLNOTFOUND;
    getClassObject = EntryPoint<LPFNGETCLASSOBJECT>(module, "DllGetClassObject");
    if (getClassObject == nullptr) {
      FreeLibrary(module);
      return CO_E_ERRORINDLL;
    }
    const auto canUnloadNow = EntryPoint<LPFNCANUNLOADNOW>(module, "DllCanUnloadNow");
    std::lock_guard<std::mutex> g(s.lock);
    if (FindLocked(s, path) != s.servers.end())
      FreeLibrary(module);  // another thread loaded it meanwhile: keep one reference
    else
      s.servers.push_back(Server{path, module, getClassObject, canUnloadNow});
  }
  return getClassObject(clsid, riid, ppv);
}

void FreeUnusedServers() {
  State& s = S();
  std::vector<Server> candidates;
  {
    std::lock_guard<std::mutex> g(s.lock);
    for (const Server& server : s.servers)
      if (server.canUnloadNow != nullptr) candidates.push_back(server);
  }
  for (const Server& server : candidates) {
    if (server.canUnloadNow() != S_OK) continue;
    bool owned = false;
    {
      std::lock_guard<std::mutex> g(s.lock);
      auto it = FindLocked(s, server.path);
      if (it != s.servers.end() && it->module == server.module) {
        s.servers.erase(it);
        owned = true;
      }
    }
    if (owned) FreeLibrary(server.module);
  }
}

void FreeAllServers() {
  State& s = S();
  std::vector<Server> all;
  {
    std::lock_guard<std::mutex> g(s.lock);
    all.swap(s.servers);
  }
  for (auto it = all.rbegin(); it != all.rend(); ++it) FreeLibrary(it->module);
}

}  // namespace ole32
