#include <windows.h>

#include <gtest/gtest.h>

#include "sandbox/sandbox.h"

namespace {

TEST(Time, SystemTimeRoundTrips) {
  struct Row {
    SYSTEMTIME st;
    WORD dayOfWeek;
  } rows[] = {
      {.st = {1601, 1, 0, 1, 0, 0, 0, 0}, .dayOfWeek = 1},
      {.st = {2000, 2, 0, 29, 23, 59, 59, 999}, .dayOfWeek = 2},
      {.st = {1970, 1, 0, 1, 0, 0, 0, 0}, .dayOfWeek = 4},
      {.st = {2026, 12, 0, 10, 9, 30, 0, 0}, .dayOfWeek = 4},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.st.wYear);
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&row.st, &ft));
    SYSTEMTIME back;
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
    EXPECT_EQ(back.wYear, row.st.wYear);
    EXPECT_EQ(back.wMonth, row.st.wMonth);
    EXPECT_EQ(back.wDay, row.st.wDay);
    EXPECT_EQ(back.wHour, row.st.wHour);
    EXPECT_EQ(back.wSecond, row.st.wSecond);
    EXPECT_EQ(back.wMilliseconds, row.st.wMilliseconds);
    EXPECT_EQ(back.wDayOfWeek, row.dayOfWeek);
  }
  SYSTEMTIME bad = {2001, 2, 0, 29, 0, 0, 0, 0};
  FILETIME ft;
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(SystemTimeToFileTime(&bad, &ft));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(Time, FollowsTheSandboxClockAndTimeZone) {
  sandbox::SetClock(0);  // 1970-01-01 00:00 UTC
  SYSTEMTIME st;
  GetSystemTime(&st);
  EXPECT_EQ(st.wYear, 1970);
  EXPECT_EQ(st.wHour, 0);
  sandbox::SetTimeZoneBias(90);
  GetLocalTime(&st);
  EXPECT_EQ(st.wHour, 1);
  EXPECT_EQ(st.wMinute, 30);
  const DWORD before = GetTickCount();
  sandbox::AdvanceClock(2500);
  EXPECT_EQ(GetTickCount() - before, 2500u);
}

}  // namespace
