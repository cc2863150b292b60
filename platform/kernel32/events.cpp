// Events: manual-reset and auto-reset, signalled by SetEvent and waited for by the waits.
#include <windows.h>

#include "sandbox/internal.h"
#include "sync_objects.h"

using namespace kernel32;

namespace {

std::shared_ptr<sync::Event> EventOf(HANDLE handle) {
  auto event = LookupHandleAs<sync::Event>(handle);
  if (!event) SetLastError(ERROR_INVALID_HANDLE);
  return event;
}

}  // namespace

extern "C" {

// Unnamed events only: a name would share the event with other openers, which is not modelled.
WINBASEAPI HANDLE WINAPI CreateEvent(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCSTR name) {
  if (name != nullptr) STANDIN_UNMODELLED_LASTERROR(nullptr);
  return InsertHandle(std::make_shared<sync::Event>(manualReset != FALSE, initialState != FALSE));
}

WINBASEAPI BOOL WINAPI SetEvent(HANDLE handle) {
  auto event = EventOf(handle);
  if (!event) return FALSE;
  std::lock_guard<std::mutex> g(sync::HubLock());
  event->signalled = true;
  sync::WakeAllLocked();
  return TRUE;
}

WINBASEAPI BOOL WINAPI ResetEvent(HANDLE handle) {
  auto event = EventOf(handle);
  if (!event) return FALSE;
  std::lock_guard<std::mutex> g(sync::HubLock());
  event->signalled = false;
  return TRUE;
}

}  // extern "C"
