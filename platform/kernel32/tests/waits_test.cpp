// Events and waits, and waits on the sandbox clock: a standing clock ends a wait when the test
// moves it past the wait's end.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "sandbox/sandbox.h"

namespace {

constexpr DWORD kPoison = 0xdeadbeef;
constexpr DWORD kOneHour = 3600 * 1000;

DWORD Wait(HANDLE handle) { return WaitForSingleObject(handle, 0); }

TEST(Events, ManualResetStaysSignalledAutoResetLetsOneWaitThrough) {
  HANDLE manual = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  HANDLE automatic = CreateEvent(nullptr, FALSE, TRUE, nullptr);
  ASSERT_NE(manual, nullptr);
  ASSERT_NE(automatic, nullptr);
  EXPECT_EQ(Wait(manual), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(Wait(automatic), static_cast<DWORD>(WAIT_OBJECT_0)) << "created signalled";
  EXPECT_EQ(Wait(automatic), static_cast<DWORD>(WAIT_TIMEOUT)) << "the wait reset it";
  EXPECT_TRUE(SetEvent(manual));
  EXPECT_EQ(Wait(manual), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(Wait(manual), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_TRUE(ResetEvent(manual));
  EXPECT_EQ(Wait(manual), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(CloseHandle(manual));
  EXPECT_TRUE(CloseHandle(automatic));
  SetLastError(kPoison);
  EXPECT_FALSE(SetEvent(manual));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(WaitForMultipleObjects, AnyTakesTheFirstSignalledAllTakesThemTogether) {
  HANDLE events[3];
  for (HANDLE& e : events) e = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  SetEvent(events[2]);
  SetEvent(events[1]);
  EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), static_cast<DWORD>(WAIT_OBJECT_0 + 1));
  EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), static_cast<DWORD>(WAIT_OBJECT_0 + 2));
  SetEvent(events[0]);
  SetEvent(events[1]);
  EXPECT_EQ(WaitForMultipleObjects(3, events, TRUE, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(Wait(events[0]), static_cast<DWORD>(WAIT_OBJECT_0)) << "a wait for all that fails consumes nothing";
  SetEvent(events[0]);
  SetEvent(events[2]);
  EXPECT_EQ(WaitForMultipleObjects(3, events, TRUE, 0), static_cast<DWORD>(WAIT_OBJECT_0));
  for (HANDLE e : events) EXPECT_EQ(Wait(e), static_cast<DWORD>(WAIT_TIMEOUT)) << "all were consumed";
  for (HANDLE e : events) CloseHandle(e);
}

TEST(WaitForMultipleObjects, RefusesBadArguments) {
  HANDLE event = CreateEvent(nullptr, TRUE, TRUE, nullptr);
  sandbox::MapTempDrive('T');
  HANDLE file = CreateFile("T:\\file.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const HANDLE twice[] = {event, event};
  const HANDLE stale[] = {event, reinterpret_cast<HANDLE>(0x7770)};
  const std::vector<HANDLE> tooMany(MAXIMUM_WAIT_OBJECTS + 1, event);
  struct Row {
    const char* name;
    DWORD count;
    const HANDLE* handles;
    BOOL waitAll;
    DWORD error;
  } rows[] = {
      {.name = "no handles", .count = 0, .handles = twice, .waitAll = FALSE, .error = ERROR_INVALID_PARAMETER},
      {.name = "too many", .count = MAXIMUM_WAIT_OBJECTS + 1, .handles = tooMany.data(), .waitAll = FALSE,
       .error = ERROR_INVALID_PARAMETER},
      {.name = "one handle twice, all", .count = 2, .handles = twice, .waitAll = TRUE,
       .error = ERROR_INVALID_PARAMETER},
      {.name = "a handle that is not open", .count = 2, .handles = stale, .waitAll = FALSE,
       .error = ERROR_INVALID_HANDLE},
      {.name = "no handle array", .count = 1, .handles = nullptr, .waitAll = FALSE, .error = ERROR_INVALID_PARAMETER},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SetLastError(kPoison);
    EXPECT_EQ(WaitForMultipleObjects(row.count, row.handles, row.waitAll, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), row.error);
  }
  EXPECT_EQ(WaitForMultipleObjects(2, twice, FALSE, 0), static_cast<DWORD>(WAIT_OBJECT_0)) << "twice is fine for any";
  SetLastError(kPoison);
  EXPECT_EQ(WaitForSingleObject(file, 0), WAIT_FAILED) << "files are not waitable here";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  CloseHandle(file);
  CloseHandle(event);
}

TEST(Waits, AnotherThreadsSetEventEndsAnInfiniteWait) {
  HANDLE event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  std::thread setter([event] { SetEvent(event); });
  EXPECT_EQ(WaitForSingleObject(event, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  setter.join();
  CloseHandle(event);
}

// The test moves a standing clock an hour at a time until the waiting thread is done. Whenever
// the thread starts its wait, the next move passes the wait's end; were the wait blind to the
// clock it would last an hour of real time and the test would time out.
template <class Waiting>
void AdvanceUntilDone(Waiting waiting) {
  sandbox::SetClock(1000000);
  std::atomic<bool> done{false};
  std::thread waiter([&] {
    waiting();
    done = true;
  });
  while (!done) {
    sandbox::AdvanceClock(kOneHour);
    std::this_thread::yield();
  }
  waiter.join();
}

TEST(Waits, TimedWaitEndsWhenTheStandingClockPassesItsEnd) {
  HANDLE never = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  DWORD result = kPoison;
  AdvanceUntilDone([&] { result = WaitForSingleObject(never, kOneHour); });
  EXPECT_EQ(result, static_cast<DWORD>(WAIT_TIMEOUT));
  CloseHandle(never);
}

TEST(Sleep, EndsWhenTheStandingClockPassesItsEnd) {
  AdvanceUntilDone([] { Sleep(kOneHour); });
}

// A loop that waits for three sandbox seconds, as a worker that answers boxes for a while does:
// on a standing clock it keeps going (each Sleep lasting its real time) until the test moves the
// clock, and then ends.
DWORD WINAPI ThreeSandboxSeconds(LPVOID parameter) {
  auto* passes = static_cast<std::atomic<int>*>(parameter);
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 3000) {
    ++*passes;
    Sleep(10);
  }
  return 0;
}

TEST(Sleep, LoopOverSandboxSecondsEndsWhenTheTestAdvancesTheClock) {
  sandbox::SetClock(5000000);
  std::atomic<int> passes{0};
  HANDLE worker = CreateThread(nullptr, 0, ThreeSandboxSeconds, &passes, 0, nullptr);
  while (passes < 5) std::this_thread::yield();
  EXPECT_EQ(WaitForSingleObject(worker, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the clock has not moved";
  sandbox::AdvanceClock(2999);
  const int before = passes;
  while (passes < before + 2) std::this_thread::yield();
  EXPECT_EQ(WaitForSingleObject(worker, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "one millisecond short";
  sandbox::AdvanceClock(1);
  EXPECT_EQ(WaitForSingleObject(worker, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  CloseHandle(worker);
}

// The switch the callback-table writer's tests use: a Sleep on a standing clock moves the clock by
// its length and returns; the clock moves by nothing else. Were the switch ignored, the Sleep
// would last its real time and leave the clock where it stood.
TEST(Sleep, OnAStandingClockWithTheSwitchMovesTheClockAtOnce) {
  sandbox::SetClock(7000000);
  sandbox::SetSleepMovesClock(true);
  Sleep(1500);
  EXPECT_EQ(sandbox::ClockNow(), 7001500);
  Sleep(0);
  EXPECT_EQ(sandbox::ClockNow(), 7001500) << "Sleep(0) only yields";
}

}  // namespace
