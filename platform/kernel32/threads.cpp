// Thread and process identity.
#include <windows.h>

#include <atomic>

#include "thread_ids.h"

namespace {
std::atomic<DWORD> g_nextThreadId{0x100};
thread_local DWORD t_threadId = 0;
}  // namespace

namespace kernel32 {

DWORD ReserveThreadId() { return g_nextThreadId.fetch_add(4); }

void AdoptThreadId(DWORD id) { t_threadId = id; }

}  // namespace kernel32

extern "C" {

WINBASEAPI DWORD WINAPI GetCurrentThreadId() {
  if (t_threadId == 0) t_threadId = kernel32::ReserveThreadId();
  return t_threadId;
}

WINBASEAPI DWORD WINAPI GetCurrentProcessId() { return 0x1000; }

}  // extern "C"
