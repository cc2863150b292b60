// Critical sections: recursive locks owned by a thread, over a host mutex kept in the structure.
#include <windows.h>

#include <mutex>

#include "sandbox/internal.h"

namespace {

std::recursive_mutex* LockOf(LPCRITICAL_SECTION section, const char* function) {
  auto* lock = section != nullptr ? static_cast<std::recursive_mutex*>(section->DebugInfo) : nullptr;
  if (lock == nullptr)
    sandbox::internal::Fail(std::string(function) + ": the critical section is not initialised");
  return lock;
}

HANDLE Me() { return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(GetCurrentThreadId())); }

HANDLE Owner(LPCRITICAL_SECTION section) { return __atomic_load_n(&section->OwningThread, __ATOMIC_ACQUIRE); }

void Acquired(LPCRITICAL_SECTION section) {
  __atomic_store_n(&section->OwningThread, Me(), __ATOMIC_RELEASE);
  ++section->RecursionCount;  // only the owner touches it
}

}  // namespace

extern "C" {

WINBASEAPI void WINAPI InitializeCriticalSection(LPCRITICAL_SECTION section) {
  section->DebugInfo = new std::recursive_mutex;
  section->LockCount = -1;
  section->RecursionCount = 0;
  section->OwningThread = nullptr;
  section->LockSemaphore = nullptr;
  section->SpinCount = 0;
}

// Deleting a section that a thread still holds is a fault of the program: reported, and the
// section is left as it is.
WINBASEAPI void WINAPI DeleteCriticalSection(LPCRITICAL_SECTION section) {
  std::recursive_mutex* lock = LockOf(section, "DeleteCriticalSection");
  if (lock == nullptr) return;
  if (Owner(section) != nullptr) {
    sandbox::internal::Fail("DeleteCriticalSection: the critical section is still held");
    return;
  }
  delete lock;
  section->DebugInfo = nullptr;
}

WINBASEAPI void WINAPI EnterCriticalSection(LPCRITICAL_SECTION section) {
  std::recursive_mutex* lock = LockOf(section, "EnterCriticalSection");
  if (lock == nullptr) return;
  lock->lock();
  Acquired(section);
}

WINBASEAPI BOOL WINAPI TryEnterCriticalSection(LPCRITICAL_SECTION section) {
  std::recursive_mutex* lock = LockOf(section, "TryEnterCriticalSection");
  if (lock == nullptr || !lock->try_lock()) return FALSE;
  Acquired(section);
  return TRUE;
}

WINBASEAPI void WINAPI LeaveCriticalSection(LPCRITICAL_SECTION section) {
  std::recursive_mutex* lock = LockOf(section, "LeaveCriticalSection");
  if (lock == nullptr) return;
  if (Owner(section) != Me() || section->RecursionCount <= 0) {
    sandbox::internal::Fail("LeaveCriticalSection: the calling thread does not hold the critical section");
    return;
  }
  if (--section->RecursionCount == 0) __atomic_store_n(&section->OwningThread, nullptr, __ATOMIC_RELEASE);
  lock->unlock();
}

}  // extern "C"
