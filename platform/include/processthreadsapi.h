// kernel32: threads. A thread runs on a host thread; its handle is signalled when it has ended
// (after the thread's own clean-up, such as its windows), and its exit code stays readable.
#pragma once

#include "windef.h"
#include "winerror.h"

extern "C" {

typedef DWORD(WINAPI* PTHREAD_START_ROUTINE)(LPVOID parameter);
typedef PTHREAD_START_ROUTINE LPTHREAD_START_ROUTINE;

#define CREATE_SUSPENDED 0x00000004
#define STACK_SIZE_PARAM_IS_A_RESERVATION 0x00010000
#define STILL_ACTIVE 259L
#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_HIGHEST 2
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_TIME_CRITICAL 15
#define THREAD_PRIORITY_IDLE (-15)
#define THREAD_PRIORITY_ERROR_RETURN 0x7FFFFFFF

// The stack size and security attributes are accepted and not used (the host sizes stacks).
// CREATE_SUSPENDED holds the thread before its first instruction until ResumeThread.
WINBASEAPI HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES attributes, SIZE_T stackSize,
                                      LPTHREAD_START_ROUTINE startAddress, LPVOID parameter, DWORD creationFlags,
                                      LPDWORD threadId);
// Ends the calling thread, which CreateThread must have started: the stack unwinds to the
// thread's start (destructors run), then the thread ends with `exitCode`.
[[noreturn]] WINBASEAPI void WINAPI ExitThread(DWORD exitCode);
// STILL_ACTIVE while the thread runs.
WINBASEAPI BOOL WINAPI GetExitCodeThread(HANDLE thread, LPDWORD exitCode);
// Returns the previous suspend count; only the suspension of CREATE_SUSPENDED is modelled.
WINBASEAPI DWORD WINAPI ResumeThread(HANDLE thread);
WINBASEAPI DWORD WINAPI SuspendThread(HANDLE thread);
WINBASEAPI BOOL WINAPI TerminateThread(HANDLE thread, DWORD exitCode);
// Priorities are kept and reported; the host schedules the threads as it likes.
WINBASEAPI BOOL WINAPI SetThreadPriority(HANDLE thread, int priority);
WINBASEAPI int WINAPI GetThreadPriority(HANDLE thread);
// The pseudo handle that stands for the calling thread in the calls above.
WINBASEAPI HANDLE WINAPI GetCurrentThread();

}  // extern "C"
