// CoInitialize(Ex)/CoUninitialize: each thread enters a single-threaded or the multithreaded
// apartment; the first call gives S_OK, a repeated call in the same mode S_FALSE (and must be
// balanced), a call in the other mode RPC_E_CHANGED_MODE. When the last apartment of the process
// goes, the in-process servers are unloaded. OleInitialize/OleUninitialize sit on top.
#include "apartments.h"

#include <map>
#include <mutex>

#include "sandbox/internal.h"
#include "server_modules.h"

namespace ole32 {
namespace {

enum class Mode { Single, Multi };

struct ThreadApartment {
  Mode mode;
  ULONG count;  // initialisations not yet balanced by CoUninitialize
};

struct State {
  std::mutex lock;
  std::map<DWORD, ThreadApartment> threads;  // by thread id
  size_t multiThreaded = 0;                  // threads in the multithreaded apartment
};

State& S() {
  static State* state = new State;  // never destroyed: threads may leave COM during exit
  return *state;
}

// Removes the thread's entry; true when no thread of the process is left in COM.
bool LeaveLocked(State& s, std::map<DWORD, ThreadApartment>::iterator it) {
  if (it->second.mode == Mode::Multi) --s.multiThreaded;
  s.threads.erase(it);
  return s.threads.empty();
}

// A thread that ends without balancing its calls leaves its apartment with it.
struct ThreadExit {
  DWORD id = 0;
  ~ThreadExit() {
    if (id == 0) return;
    State& s = S();
    std::lock_guard<std::mutex> g(s.lock);
    auto it = s.threads.find(id);
    if (it != s.threads.end()) LeaveLocked(s, it);
  }
};
thread_local ThreadExit t_exit;

struct ResetHook {
  ResetHook() {
    sandbox::internal::RegisterReset("ole32", [] {
      {
        State& s = S();
        std::lock_guard<std::mutex> g(s.lock);
        s.threads.clear();
        s.multiThreaded = 0;
      }
      FreeAllServers();
    });
  }
} g_resetHook;

}  // namespace

bool CallerHasApartment() {
  State& s = S();
  std::lock_guard<std::mutex> g(s.lock);
  return s.threads.count(GetCurrentThreadId()) != 0 || s.multiThreaded != 0;
}

bool CallerInSingleThreadedApartment() {
  State& s = S();
  std::lock_guard<std::mutex> g(s.lock);
  auto it = s.threads.find(GetCurrentThreadId());
  return it != s.threads.end() && it->second.mode == Mode::Single;
}

}  // namespace ole32

extern "C" {

WINOLEAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit) {
  constexpr DWORD kKnownFlags = COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE | COINIT_SPEED_OVER_MEMORY;
  if (pvReserved != nullptr || (dwCoInit & ~kKnownFlags) != 0) return E_INVALIDARG;
  const ole32::Mode mode = (dwCoInit & COINIT_APARTMENTTHREADED) ? ole32::Mode::Single : ole32::Mode::Multi;
  const DWORD id = GetCurrentThreadId();
  ole32::State& s = ole32::S();
  std::lock_guard<std::mutex> g(s.lock);
  auto it = s.threads.find(id);
  if (it != s.threads.end()) {
    if (it->second.mode != mode) return RPC_E_CHANGED_MODE;
    ++it->second.count;
    return S_FALSE;
  }
  s.threads.emplace(id, ole32::ThreadApartment{mode, 1});
  if (mode == ole32::Mode::Multi) ++s.multiThreaded;
  ole32::t_exit.id = id;
  return S_OK;
}

WINOLEAPI CoInitialize(LPVOID pvReserved) { return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED); }

// Balances one successful CoInitialize(Ex); without one it does nothing.
WINOLEAPI_(void) CoUninitialize() {
  bool lastApartment = false;
  {
    ole32::State& s = ole32::S();
    std::lock_guard<std::mutex> g(s.lock);
    auto it = s.threads.find(GetCurrentThreadId());
    if (it == s.threads.end()) return;
    if (--it->second.count == 0) lastApartment = ole32::LeaveLocked(s, it);
  }
  if (lastApartment) ole32::FreeAllServers();
}

// OLE needs a single-threaded apartment: a thread in the multithreaded one gets
// RPC_E_CHANGED_MODE.
WINOLEAPI OleInitialize(LPVOID pvReserved) {
  if (pvReserved != nullptr) return E_INVALIDARG;
  return CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}

WINOLEAPI_(void) OleUninitialize() { CoUninitialize(); }

}  // extern "C"
