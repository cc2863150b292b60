// Threads: CreateThread over a host thread, ExitThread, exit codes, the suspension of
// CREATE_SUSPENDED, and priorities (kept, not applied).
#include <windows.h>

#include "host_threads.h"
#include "sandbox/internal.h"
#include "sync_objects.h"
#include "thread_ids.h"

using namespace kernel32;

namespace {

// What ExitThread throws to unwind to the thread's start.
struct ExitThreadSignal {
  DWORD exitCode;
};

// The first thread-local object of a thread CreateThread started. Thread-local objects end in the
// reverse order of their making, so this one ends last: the handle is signalled only after the
// thread's other clean-up (its message queue and windows, say) has run.
struct EndOfThread {
  std::shared_ptr<sync::Thread> thread;
  DWORD exitCode = 0;
  ~EndOfThread() {
    if (!thread) return;
    std::lock_guard<std::mutex> g(sync::HubLock());
    thread->exitCode = exitCode;
    thread->ended = true;
    sync::WakeAllLocked();
  }
};

thread_local sync::Thread* t_thread = nullptr;  // this thread's object, when CreateThread started it
thread_local int t_priority = THREAD_PRIORITY_NORMAL;  // for threads CreateThread did not start

void RunThread(const std::shared_ptr<sync::Thread>& thread, LPTHREAD_START_ROUTINE start, LPVOID parameter) {
  AdoptThreadId(thread->id);
  thread_local EndOfThread end;
  end.thread = thread;
  t_thread = thread.get();
  {
    std::unique_lock<std::mutex> lock(sync::HubLock());
    sync::Hub().wait(lock, [&] { return thread->suspendCount == 0; });
  }
  try {
    end.exitCode = start(parameter);
  } catch (const ExitThreadSignal& signal) {
    end.exitCode = signal.exitCode;
  }
}

const HANDLE kCurrentThread = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-2));

std::shared_ptr<sync::Thread> ThreadOf(HANDLE handle) {
  auto thread = LookupHandleAs<sync::Thread>(handle);
  if (!thread) SetLastError(ERROR_INVALID_HANDLE);
  return thread;
}

// The thread a handle names. The pseudo handle is the calling thread: its object when CreateThread
// started it, else target stays null (its thread-local state stands in).
bool Resolve(HANDLE handle, std::shared_ptr<sync::Thread>& keep, sync::Thread*& target) {
  if (handle == kCurrentThread) {
    target = t_thread;
    return true;
  }
  keep = ThreadOf(handle);
  target = keep.get();
  return target != nullptr;
}

bool ValidPriority(int priority) {
  return (priority >= THREAD_PRIORITY_LOWEST && priority <= THREAD_PRIORITY_HIGHEST) ||
         priority == THREAD_PRIORITY_IDLE || priority == THREAD_PRIORITY_TIME_CRITICAL;
}

}  // namespace

extern "C" {

WINBASEAPI HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                                      DWORD creationFlags, LPDWORD threadId) {
  if (start == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto thread = std::make_shared<sync::Thread>(ReserveThreadId());
  thread->suspendCount = (creationFlags & CREATE_SUSPENDED) != 0 ? 1 : 0;
  if (!host::StartThread([thread, start, parameter] { RunThread(thread, start, parameter); })) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (threadId != nullptr) *threadId = thread->id;
  return InsertHandle(thread);
}

WINBASEAPI void WINAPI ExitThread(DWORD exitCode) {
  if (t_thread == nullptr)
    sandbox::internal::Fail("ExitThread: only a thread that CreateThread started can end itself here");
  throw ExitThreadSignal{exitCode};
}

WINBASEAPI BOOL WINAPI GetExitCodeThread(HANDLE handle, LPDWORD exitCode) {
  if (exitCode == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (handle == kCurrentThread) {
    *exitCode = STILL_ACTIVE;
    return TRUE;
  }
  auto thread = ThreadOf(handle);
  if (!thread) return FALSE;
  std::lock_guard<std::mutex> g(sync::HubLock());
  *exitCode = thread->exitCode;
  return TRUE;
}

WINBASEAPI DWORD WINAPI ResumeThread(HANDLE handle) {
  auto thread = ThreadOf(handle);
  if (!thread) return static_cast<DWORD>(-1);
  std::lock_guard<std::mutex> g(sync::HubLock());
  const DWORD previous = thread->suspendCount;
  if (previous > 0 && --thread->suspendCount == 0) sync::WakeAllLocked();
  return previous;
}

// Stopping a running thread where it stands is not modelled (the host cannot do it safely).
WINBASEAPI DWORD WINAPI SuspendThread(HANDLE) { STANDIN_UNMODELLED_LASTERROR(static_cast<DWORD>(-1)); }

WINBASEAPI BOOL WINAPI TerminateThread(HANDLE, DWORD) { STANDIN_UNMODELLED_LASTERROR(FALSE); }

WINBASEAPI BOOL WINAPI SetThreadPriority(HANDLE handle, int priority) {
  if (!ValidPriority(priority)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::shared_ptr<sync::Thread> keep;
  sync::Thread* target = nullptr;
  if (!Resolve(handle, keep, target)) return FALSE;
  if (target == nullptr) {
    t_priority = priority;
    return TRUE;
  }
  std::lock_guard<std::mutex> g(sync::HubLock());
  target->priority = priority;
  return TRUE;
}

WINBASEAPI int WINAPI GetThreadPriority(HANDLE handle) {
  std::shared_ptr<sync::Thread> keep;
  sync::Thread* target = nullptr;
  if (!Resolve(handle, keep, target)) return THREAD_PRIORITY_ERROR_RETURN;
  if (target == nullptr) return t_priority;
  std::lock_guard<std::mutex> g(sync::HubLock());
  return target->priority;
}

WINBASEAPI HANDLE WINAPI GetCurrentThread() { return kCurrentThread; }

}  // extern "C"
