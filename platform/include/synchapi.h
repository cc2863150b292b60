// kernel32: synchronisation. Events, mutexes, waits on the sandbox clock, critical sections and the
// interlocked operations.
#pragma once

#include "windef.h"
#include "winerror.h"

extern "C" {

#define INFINITE 0xFFFFFFFF
#define WAIT_OBJECT_0 0x00000000L
#define WAIT_ABANDONED_0 0x00000080L
#define WAIT_TIMEOUT 258L
#define WAIT_FAILED (static_cast<DWORD>(0xFFFFFFFF))
#define MAXIMUM_WAIT_OBJECTS 64

// Waits end when the object is signalled, or when the timeout has passed on the sandbox clock
// (or as much real time: a standing clock never hangs a wait); INFINITE waits for the object
// alone. A handle that is not a waitable object fails with ERROR_INVALID_HANDLE.
WINBASEAPI DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds);
// waitAll: all at once (each then consumed); else the first signalled in array order. At most
// MAXIMUM_WAIT_OBJECTS handles, none twice when waiting for all (ERROR_INVALID_PARAMETER).
WINBASEAPI DWORD WINAPI WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll,
                                               DWORD milliseconds);

// Events: a manual-reset event stays signalled until reset; an auto-reset event lets one wait
// through and resets. Named events are not modelled.
WINBASEAPI HANDLE WINAPI CreateEvent(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState,
                                     LPCSTR name);
WINBASEAPI BOOL WINAPI SetEvent(HANDLE event);
WINBASEAPI BOOL WINAPI ResetEvent(HANDLE event);

// Mutexes: one owning thread at a time, recursive for the owner; a wait takes ownership and
// ReleaseMutex (by the owner only: else ERROR_NOT_OWNER) gives one back. Named mutexes are not
// modelled.
WINBASEAPI HANDLE WINAPI CreateMutex(LPSECURITY_ATTRIBUTES attributes, BOOL initialOwner, LPCSTR name);
WINBASEAPI BOOL WINAPI ReleaseMutex(HANDLE mutex);

// Critical sections: recursive locks of the process. The fields are the stand-in's own
// bookkeeping; code only passes the structure to the functions below.
typedef struct _RTL_CRITICAL_SECTION {
  PVOID DebugInfo;  // the host lock behind it
  LONG LockCount;
  LONG RecursionCount;
  HANDLE OwningThread;  // the owner's thread id
  HANDLE LockSemaphore;
  ULONG_PTR SpinCount;
} CRITICAL_SECTION, *PCRITICAL_SECTION, *LPCRITICAL_SECTION;
WINBASEAPI void WINAPI InitializeCriticalSection(LPCRITICAL_SECTION section);
WINBASEAPI void WINAPI DeleteCriticalSection(LPCRITICAL_SECTION section);
WINBASEAPI void WINAPI EnterCriticalSection(LPCRITICAL_SECTION section);
WINBASEAPI BOOL WINAPI TryEnterCriticalSection(LPCRITICAL_SECTION section);
// Leaving a section the calling thread does not own is reported to the sandbox and ignored.
WINBASEAPI void WINAPI LeaveCriticalSection(LPCRITICAL_SECTION section);

}  // extern "C"

// The interlocked operations: full barriers, as the platform's. Each returns what its
// documentation says: the new value (Increment, Decrement) or the previous one.
inline LONG InterlockedIncrement(LONG volatile* addend) { return __atomic_add_fetch(addend, 1, __ATOMIC_SEQ_CST); }
inline LONG InterlockedDecrement(LONG volatile* addend) { return __atomic_sub_fetch(addend, 1, __ATOMIC_SEQ_CST); }
inline LONG InterlockedExchange(LONG volatile* target, LONG value) {
  return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedExchangeAdd(LONG volatile* addend, LONG value) {
  return __atomic_fetch_add(addend, value, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedCompareExchange(LONG volatile* destination, LONG exchange, LONG comparand) {
  __atomic_compare_exchange_n(destination, &comparand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
  return comparand;
}
inline PVOID InterlockedExchangePointer(PVOID volatile* target, PVOID value) {
  return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}
inline PVOID InterlockedCompareExchangePointer(PVOID volatile* destination, PVOID exchange, PVOID comparand) {
  __atomic_compare_exchange_n(destination, &comparand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
  return comparand;
}
