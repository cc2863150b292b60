// Critical sections and the interlocked operations.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "sandbox/sandbox.h"

namespace {

TEST(CriticalSection, IsRecursiveAndExcludesOtherThreads) {
  CRITICAL_SECTION section;
  InitializeCriticalSection(&section);
  EnterCriticalSection(&section);
  EXPECT_TRUE(TryEnterCriticalSection(&section)) << "the owner enters again";
  bool otherGotIn = true;
  std::thread([&] { otherGotIn = TryEnterCriticalSection(&section) != FALSE; }).join();
  EXPECT_FALSE(otherGotIn);
  LeaveCriticalSection(&section);
  LeaveCriticalSection(&section);

  long counter = 0;  // not atomic: the section alone keeps the increments apart
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 10000; ++i) {
        EnterCriticalSection(&section);
        ++counter;
        LeaveCriticalSection(&section);
      }
    });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(counter, 40000);
  DeleteCriticalSection(&section);
}

TEST(CriticalSection, LeavingWhatTheThreadDoesNotHoldIsReported) {
  std::vector<std::string> failures;
  sandbox::SetFailureHandler([&](const std::string& m) { failures.push_back(m); });
  CRITICAL_SECTION section;
  InitializeCriticalSection(&section);
  LeaveCriticalSection(&section);
  EnterCriticalSection(&section);
  std::thread([&] { LeaveCriticalSection(&section); }).join();
  DeleteCriticalSection(&section);  // still held
  LeaveCriticalSection(&section);
  DeleteCriticalSection(&section);
  sandbox::SetFailureHandler([](const std::string& m) { ADD_FAILURE() << m; });
  ASSERT_EQ(failures.size(), 3u);
  EXPECT_NE(failures[0].find("does not hold"), std::string::npos) << failures[0];
  EXPECT_NE(failures[1].find("does not hold"), std::string::npos) << failures[1];
  EXPECT_NE(failures[2].find("still held"), std::string::npos) << failures[2];
}

TEST(Interlocked, ReturnTheDocumentedValue) {
  LONG value = 5;
  EXPECT_EQ(InterlockedIncrement(&value), 6) << "the new value";
  EXPECT_EQ(InterlockedDecrement(&value), 5) << "the new value";
  EXPECT_EQ(InterlockedExchange(&value, 9), 5) << "the old value";
  EXPECT_EQ(InterlockedExchangeAdd(&value, 3), 9) << "the old value";
  EXPECT_EQ(value, 12);
  EXPECT_EQ(InterlockedCompareExchange(&value, 1, 7), 12) << "no match: unchanged, old value";
  EXPECT_EQ(value, 12);
  EXPECT_EQ(InterlockedCompareExchange(&value, 1, 12), 12);
  EXPECT_EQ(value, 1);
  int a = 0, b = 0;
  PVOID p = &a;
  EXPECT_EQ(InterlockedCompareExchangePointer(&p, &b, &a), &a);
  EXPECT_EQ(p, &b);
  EXPECT_EQ(InterlockedExchangePointer(&p, nullptr), &b);
  EXPECT_EQ(p, nullptr);
}

}  // namespace
