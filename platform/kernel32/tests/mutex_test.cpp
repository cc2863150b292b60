// Mutexes: ownership by thread, recursion, waits by other threads, and the sandbox's count and
// injected creation failures.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "sandbox/sandbox.h"

namespace {

constexpr DWORD kPoison = 0xdeadbeef;

// What a wait of another thread answers right now.
DWORD WaitFromAnotherThread(HANDLE mutex, bool release = false) {
  DWORD result = kPoison;
  std::thread([&] {
    result = WaitForSingleObject(mutex, 0);
    if (release && result == WAIT_OBJECT_0) ReleaseMutex(mutex);
  }).join();
  return result;
}

TEST(Mutexes, OwnedByOneThreadRecursivelyUntilReleasedAsOftenAsTaken) {
  HANDLE mutex = CreateMutex(nullptr, FALSE, nullptr);
  ASSERT_NE(mutex, nullptr);
  EXPECT_EQ(WaitForSingleObject(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(WaitForSingleObject(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0)) << "the owner takes it again";
  EXPECT_EQ(WaitFromAnotherThread(mutex), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(ReleaseMutex(mutex));
  EXPECT_EQ(WaitFromAnotherThread(mutex), static_cast<DWORD>(WAIT_TIMEOUT)) << "still taken once";
  EXPECT_TRUE(ReleaseMutex(mutex));
  EXPECT_EQ(WaitFromAnotherThread(mutex, true), static_cast<DWORD>(WAIT_OBJECT_0));
  SetLastError(kPoison);
  EXPECT_FALSE(ReleaseMutex(mutex)) << "nobody owns it";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_OWNER));
  EXPECT_TRUE(CloseHandle(mutex));
}

TEST(Mutexes, InitialOwnerAndReleaseByAnotherThread) {
  HANDLE mutex = CreateMutex(nullptr, TRUE, nullptr);
  ASSERT_NE(mutex, nullptr);
  BOOL released = TRUE;
  DWORD error = kPoison;
  std::thread([&] {
    released = ReleaseMutex(mutex);
    error = GetLastError();
  }).join();
  EXPECT_FALSE(released);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_OWNER));
  EXPECT_EQ(WaitFromAnotherThread(mutex), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(ReleaseMutex(mutex));
  EXPECT_EQ(WaitFromAnotherThread(mutex, true), static_cast<DWORD>(WAIT_OBJECT_0));
  CloseHandle(mutex);
}

// A waiter blocked on an owned mutex goes on when the owner releases it.
TEST(Mutexes, ReleaseWakesAWaitingThread) {
  HANDLE mutex = CreateMutex(nullptr, TRUE, nullptr);
  DWORD result = kPoison;
  std::thread waiter([&] {
    result = WaitForSingleObject(mutex, INFINITE);
    ReleaseMutex(mutex);
  });
  Sleep(20);
  EXPECT_EQ(result, kPoison);
  ReleaseMutex(mutex);
  waiter.join();
  EXPECT_EQ(result, static_cast<DWORD>(WAIT_OBJECT_0));
  CloseHandle(mutex);
}

TEST(Mutexes, SandboxCountsLiveMutexesAndFailsCreationOnRequest) {
  const size_t before = sandbox::LiveMutexes();
  HANDLE a = CreateMutex(nullptr, FALSE, nullptr);
  EXPECT_EQ(sandbox::LiveMutexes(), before + 1);
  sandbox::FailMutexCreation(ERROR_NOT_ENOUGH_MEMORY, 1);
  SetLastError(kPoison);
  EXPECT_EQ(CreateMutex(nullptr, FALSE, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_EQ(sandbox::LiveMutexes(), before + 1);
  HANDLE b = CreateMutex(nullptr, FALSE, nullptr);
  EXPECT_NE(b, nullptr) << "only one creation fails";
  EXPECT_EQ(sandbox::LiveMutexes(), before + 2);
  CloseHandle(a);
  CloseHandle(b);
  EXPECT_EQ(sandbox::LiveMutexes(), before);
}

TEST(GlobalMemory, FixedAndMoveableBlocks) {
  HGLOBAL fixed = GlobalAlloc(GPTR, 16);
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(GlobalLock(fixed), fixed) << "a fixed block's handle is its address";
  EXPECT_EQ(static_cast<BYTE*>(fixed)[15], 0) << "zeroed";
  EXPECT_EQ(GlobalSize(fixed), 16u);
  EXPECT_EQ(GlobalFree(fixed), nullptr);

  HGLOBAL moveable = GlobalAlloc(GMEM_MOVEABLE, 3);
  ASSERT_NE(moveable, nullptr);
  auto* data = static_cast<BYTE*>(GlobalLock(moveable));
  ASSERT_NE(data, nullptr);
  EXPECT_NE(static_cast<void*>(data), moveable);
  data[0] = 7;
  EXPECT_EQ(static_cast<BYTE*>(GlobalLock(moveable)), data);
  EXPECT_TRUE(GlobalUnlock(moveable)) << "still locked once";
  SetLastError(kPoison);
  EXPECT_FALSE(GlobalUnlock(moveable));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
  SetLastError(kPoison);
  EXPECT_FALSE(GlobalUnlock(moveable));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
  EXPECT_EQ(GlobalSize(moveable), 3u);
  EXPECT_EQ(GlobalFree(moveable), nullptr);

  SetLastError(kPoison);
  EXPECT_EQ(GlobalLock(moveable), nullptr) << "a freed handle is refused";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GlobalFree(moveable), moveable);
}

}  // namespace
