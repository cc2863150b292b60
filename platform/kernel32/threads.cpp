// Thread and process identity, Sleep and debug output.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {
std::atomic<DWORD> g_nextThreadId{0x100};
thread_local DWORD t_threadId = 0;
}  // namespace

extern "C" {

// Thread ids are small, unique, non-zero numbers given out on a thread's first question.
WINBASEAPI DWORD WINAPI GetCurrentThreadId() {
  if (t_threadId == 0) t_threadId = g_nextThreadId.fetch_add(4);
  return t_threadId;
}

WINBASEAPI DWORD WINAPI GetCurrentProcessId() { return 0x1000; }

// Sleep(0) gives up the rest of the time slice; other values wait on the host clock.
WINBASEAPI void WINAPI Sleep(DWORD milliseconds) {
  if (milliseconds == 0)
    std::this_thread::yield();
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

WINBASEAPI void WINAPI OutputDebugString(LPCSTR text) {
  if (text) std::fputs(text, stderr);
}

}  // extern "C"
