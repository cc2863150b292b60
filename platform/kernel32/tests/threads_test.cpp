// Threads: CreateThread, thread handles signalled at the end, exit codes, suspension, ExitThread.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "sandbox/sandbox.h"

namespace {

constexpr DWORD kPoison = 0xdeadbeef;

struct Gate {
  HANDLE release = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  DWORD seenId = 0;
  std::atomic<bool> ran{false};
  ~Gate() { CloseHandle(release); }
};

DWORD WINAPI HeldThread(LPVOID parameter) {
  auto* gate = static_cast<Gate*>(parameter);
  gate->seenId = GetCurrentThreadId();
  gate->ran = true;
  WaitForSingleObject(gate->release, INFINITE);
  return 42;
}

TEST(CreateThread, RunsTheRoutineAndSignalsItsHandleWithTheExitCode) {
  Gate gate;
  DWORD id = kPoison;
  HANDLE thread = CreateThread(nullptr, 0, HeldThread, &gate, 0, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_NE(id, kPoison);
  EXPECT_NE(id, GetCurrentThreadId());

  DWORD code = kPoison;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE)) << "held at the gate";
  EXPECT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_TIMEOUT));

  SetEvent(gate.release);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(gate.seenId, id) << "the thread's own id is the one CreateThread returned";
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 42u);
  EXPECT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_OBJECT_0)) << "an ended thread stays signalled";
  EXPECT_TRUE(CloseHandle(thread));

  SetLastError(kPoison);
  EXPECT_FALSE(GetExitCodeThread(thread, &code)) << "a closed handle is refused";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(CreateThread, SuspendedThreadWaitsForResume) {
  Gate gate;
  HANDLE thread = CreateThread(nullptr, 0, HeldThread, &gate, CREATE_SUSPENDED, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_TRUE(SetThreadPriority(thread, THREAD_PRIORITY_ABOVE_NORMAL));
  EXPECT_EQ(GetThreadPriority(thread), THREAD_PRIORITY_ABOVE_NORMAL);
  EXPECT_FALSE(gate.ran);
  SetEvent(gate.release);
  EXPECT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "released, but never started";
  EXPECT_EQ(ResumeThread(thread), 1u) << "the previous suspend count";
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_TRUE(gate.ran);
  EXPECT_EQ(ResumeThread(thread), 0u);
  CloseHandle(thread);
}

struct Unwound {
  bool* flag;
  ~Unwound() { *flag = true; }
};

DWORD WINAPI EndsItself(LPVOID parameter) {
  Unwound guard{static_cast<bool*>(parameter)};
  ExitThread(7);
}

TEST(CreateThread, ExitThreadUnwindsAndEndsWithItsCode) {
  bool unwound = false;
  HANDLE thread = CreateThread(nullptr, 0, EndsItself, &unwound, 0, nullptr);
  ASSERT_EQ(WaitForSingleObject(thread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 7u);
  EXPECT_TRUE(unwound);
  CloseHandle(thread);
}

TEST(CreateThread, RefusesWhatItCannotRun) {
  SetLastError(kPoison);
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  SetLastError(kPoison);
  EXPECT_EQ(ResumeThread(reinterpret_cast<HANDLE>(0x4444)), static_cast<DWORD>(-1));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(SetThreadPriority(GetCurrentThread(), 7));
  EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_NORMAL);
}

}  // namespace
