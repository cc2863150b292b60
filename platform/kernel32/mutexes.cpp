// Mutexes: unnamed, owned by one thread at a time, recursive for their owner. A wait on a mutex
// is satisfied when nobody owns it or the waiting thread does, and makes the waiter the owner
// (once more); ReleaseMutex gives one ownership back and only the owner may call it.
#include <windows.h>

#include <atomic>
#include <stdexcept>

#include "sandbox/internal.h"
#include "sandbox/kernel_objects.h"
#include "sync_objects.h"

using namespace kernel32;

namespace kernel32::sync {

// Guarded by HubLock(). Signalled() and Consume() run on the waiting thread, so "the caller" is
// the waiter.
class Mutex : public Waitable {
 public:
  bool Signalled() const override { return owner == 0 || owner == GetCurrentThreadId(); }
  void Consume() override {
    owner = GetCurrentThreadId();
    ++recursion;
  }
  DWORD owner = 0;
  DWORD recursion = 0;
};

}  // namespace kernel32::sync

namespace {

struct Failures {
  std::mutex lock;
  int count = 0;
  DWORD error = ERROR_SUCCESS;
};

Failures& F() {
  static Failures* failures = new Failures;
  return *failures;
}

// Takes one injected failure when there is one; its error code, else ERROR_SUCCESS.
DWORD TakeInjectedFailure() {
  std::lock_guard<std::mutex> g(F().lock);
  if (F().count == 0) return ERROR_SUCCESS;
  --F().count;
  return F().error;
}

void CloseAllMutexes() {
  RemoveHandlesIf([](KernelObject& object) { return dynamic_cast<sync::Mutex*>(&object) != nullptr; });
}

struct ResetHook {
  ResetHook() {
    sandbox::internal::RegisterReset("kernel32.mutexes", [] {
      {
        std::lock_guard<std::mutex> g(F().lock);
        F().count = 0;
      }
      CloseAllMutexes();
    });
  }
} g_resetHook;

}  // namespace

namespace sandbox {

SANDBOX_API size_t LiveMutexes() {
  size_t live = 0;
  ForEachHandle([&](HANDLE, KernelObject& object) {
    if (dynamic_cast<sync::Mutex*>(&object) != nullptr) ++live;
  });
  return live;
}

SANDBOX_API void FailMutexCreation(uint32_t error, int count) {
  if (error == ERROR_SUCCESS) throw std::invalid_argument("FailMutexCreation: an error code is needed");
  std::lock_guard<std::mutex> g(F().lock);
  F().error = error;
  F().count = count;
}

}  // namespace sandbox

extern "C" {

// Unnamed mutexes only: a name would share the mutex with other openers, which is not modelled.
WINBASEAPI HANDLE WINAPI CreateMutex(LPSECURITY_ATTRIBUTES, BOOL initialOwner, LPCSTR name) {
  if (name != nullptr) STANDIN_UNMODELLED_LASTERROR(nullptr);
  if (const DWORD error = TakeInjectedFailure(); error != ERROR_SUCCESS) {
    SetLastError(error);
    return nullptr;
  }
  auto mutex = std::make_shared<sync::Mutex>();
  if (initialOwner) {
    mutex->owner = GetCurrentThreadId();
    mutex->recursion = 1;
  }
  SetLastError(ERROR_SUCCESS);
  return InsertHandle(std::move(mutex));
}

// FALSE with ERROR_NOT_OWNER when the calling thread does not own the mutex.
WINBASEAPI BOOL WINAPI ReleaseMutex(HANDLE handle) {
  auto mutex = LookupHandleAs<sync::Mutex>(handle);
  if (!mutex) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  std::lock_guard<std::mutex> g(sync::HubLock());
  if (mutex->owner != GetCurrentThreadId()) {
    SetLastError(ERROR_NOT_OWNER);
    return FALSE;
  }
  if (--mutex->recursion == 0) {
    mutex->owner = 0;
    sync::WakeAllLocked();
  }
  return TRUE;
}

}  // extern "C"
