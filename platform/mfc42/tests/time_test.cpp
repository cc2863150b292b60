// CTime and CTimeSpan on the sandbox clock and time-zone bias (never the host's time zone).
#include <afx.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>

#include "resource.h"
#include "assertion.h"
#include "sandbox/sandbox.h"

namespace {

// 2001-02-03 04:05:06 UTC, a Saturday.
constexpr time_t kSample = 981173106;

std::string Text(const CString& s) { return static_cast<LPCTSTR>(s); }

TEST(CTimeTest, CurrentTimeFollowsTheSandboxClock) {
  sandbox::SetClock(int64_t(kSample) * 1000 + 999);
  EXPECT_EQ(CTime::GetCurrentTime().GetTime(), kSample);
  // Whole seconds: the 999 ms are cut, not rounded.
  sandbox::AdvanceClock(61 * 1000);
  EXPECT_EQ((CTime::GetCurrentTime() - CTime(kSample)).GetTotalSeconds(), 61);
  sandbox::AdvanceClock(1);
  EXPECT_EQ((CTime::GetCurrentTime() - CTime(kSample)).GetTotalSeconds(), 62);
}

struct LocalCase {
  const char* name;
  int biasMinutes;
  int year, month, day, hour, minute, second, dayOfWeek;
};

TEST(CTimeTest, LocalFieldsUseTheSandboxBias) {
  const LocalCase cases[] = {
      {.name = "UTC", .biasMinutes = 0, .year = 2001, .month = 2, .day = 3, .hour = 4, .minute = 5, .second = 6,
       .dayOfWeek = 7},
      {.name = "east, next day not reached", .biasMinutes = 9 * 60, .year = 2001, .month = 2, .day = 3, .hour = 13,
       .minute = 5, .second = 6, .dayOfWeek = 7},
      {.name = "west, previous day", .biasMinutes = -5 * 60 - 30, .year = 2001, .month = 2, .day = 2, .hour = 22,
       .minute = 35, .second = 6, .dayOfWeek = 6},
  };
  for (const LocalCase& c : cases) {
    SCOPED_TRACE(c.name);
    sandbox::SetTimeZoneBias(c.biasMinutes);
    const CTime t(kSample);
    EXPECT_EQ(t.GetYear(), c.year);
    EXPECT_EQ(t.GetMonth(), c.month);
    EXPECT_EQ(t.GetDay(), c.day);
    EXPECT_EQ(t.GetHour(), c.hour);
    EXPECT_EQ(t.GetMinute(), c.minute);
    EXPECT_EQ(t.GetSecond(), c.second);
    EXPECT_EQ(t.GetDayOfWeek(), c.dayOfWeek);
    // The local fields build the same time back.
    EXPECT_EQ(CTime(c.year, c.month, c.day, c.hour, c.minute, c.second).GetTime(), kSample);
    SYSTEMTIME st;
    ASSERT_TRUE(t.GetAsSystemTime(st));
    EXPECT_EQ(st.wYear, c.year);
    EXPECT_EQ(st.wHour, c.hour);
    EXPECT_EQ(st.wDayOfWeek, c.dayOfWeek - 1);
    EXPECT_EQ(st.wMilliseconds, 0);
    EXPECT_EQ(CTime(st).GetTime(), kSample);
    // UTC fields do not move with the bias.
    EXPECT_EQ(t.GetGmtTm()->tm_hour, 4);
    EXPECT_EQ(t.GetLocalTm()->tm_hour, c.hour);
  }
}

TEST(CTimeTest, FileTimesAreUtc) {
  sandbox::SetTimeZoneBias(120);
  // 2001-02-03 04:05:06.5 UTC as 100-ns ticks since 1601.
  const ULONGLONG ticks = (ULONGLONG(kSample) + 11644473600ULL) * 10000000ULL + 5000000ULL;
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(ticks);
  ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  const CTime t(ft);
  EXPECT_EQ(t.GetTime(), kSample);
  EXPECT_EQ(t.GetHour(), 6);
}

void RollOverMonth13() {
  const CTime t(2001, 13, 1, 0, 0, 0);
  EXPECT_EQ(t.GetYear(), 2002);
  EXPECT_EQ(t.GetMonth(), 1);
}

TEST(CTimeTest, ConstructionFromFields) {
  // Days past the month's end roll over as mktime does; fields out of their range do too, after
  // an assertion failure in a debug build.
  EXPECT_EQ(CTime(2001, 2, 31, 0, 0, 0).GetMonth(), 3);
  EXPECT_EQ(CTime(2001, 2, 31, 0, 0, 0).GetDay(), 3);
  EXPECT_ASSERTION(RollOverMonth13(), "Assertion failed");
  EXPECT_EQ(CTime(2000, 2, 29, 12, 0, 0).GetDayOfWeek(), 3);  // a leap day, a Tuesday
  EXPECT_EQ(CTime(1970, 1, 1, 0, 0, 0).GetTime(), 0);
  EXPECT_EQ(CTime(2038, 1, 19, 3, 14, 8).GetTime(), time_t(2147483648LL));  // past 32 bits
  SYSTEMTIME old = {};
  old.wYear = 1899;
  old.wMonth = 12;
  old.wDay = 31;
  EXPECT_EQ(CTime(old).GetTime(), 0);
  // DOS date 2001-02-03, time 04:05:06.
  const WORD dosDate = static_cast<WORD>(((2001 - 1980) << 9) | (2 << 5) | 3);
  const WORD dosTime = static_cast<WORD>((4 << 11) | (5 << 5) | (6 / 2));
  EXPECT_EQ(CTime(dosDate, dosTime).GetTime(), kSample);
}

TEST(CTimeTest, ArithmeticAndComparisons) {
  const CTime t(kSample);
  const CTimeSpan day(1, 0, 0, 0);
  EXPECT_EQ((t + day).GetTime(), kSample + 86400);
  EXPECT_EQ((t - day).GetTime(), kSample - 86400);
  CTime u = t;
  u += CTimeSpan(0, 1, 2, 3);
  EXPECT_EQ(u - t, CTimeSpan(3723));
  u -= CTimeSpan(3723);
  EXPECT_EQ(u, t);
  EXPECT_TRUE(t < t + day && t + day > t && t <= t && t >= t && t != t + day);
}

TEST(CTimeSpanTest, PartsTotalsAndFormat) {
  const CTimeSpan span(3, 4, 5, 6);
  EXPECT_EQ(span.GetDays(), 3);
  EXPECT_EQ(span.GetHours(), 4);
  EXPECT_EQ(span.GetTotalHours(), 76);
  EXPECT_EQ(span.GetMinutes(), 5);
  EXPECT_EQ(span.GetTotalMinutes(), 76 * 60 + 5);
  EXPECT_EQ(span.GetSeconds(), 6);
  EXPECT_EQ(span.GetTotalSeconds(), (76 * 60 + 5) * 60 + 6);
  EXPECT_EQ(Text(span.Format("%D days %H:%M:%S 100%%")), "3 days 04:05:06 100%");
  CTimeSpan sum = span;
  sum += CTimeSpan(60);
  EXPECT_EQ(sum.GetMinutes(), 6);
  sum -= CTimeSpan(120);
  EXPECT_EQ((sum - span).GetTotalSeconds(), -60);
  EXPECT_TRUE(span < sum + CTimeSpan(61) && span > sum);
}

struct FormatCase {
  const char* format;
  const char* local;  // bias +90 minutes
  const char* gmt;
};

TEST(CTimeTest, FormatLikeStrftimeInTheCLocale) {
  sandbox::SetTimeZoneBias(90);
  const FormatCase cases[] = {
      {.format = "%Y-%m-%d %H:%M:%S", .local = "2001-02-03 05:35:06", .gmt = "2001-02-03 04:05:06"},
      {.format = "%a %A %b %B", .local = "Sat Saturday Feb February", .gmt = "Sat Saturday Feb February"},
      {.format = "%c", .local = "02/03/01 05:35:06", .gmt = "02/03/01 04:05:06"},
      {.format = "%#c", .local = "Saturday, February 3, 2001 05:35:06",
       .gmt = "Saturday, February 3, 2001 04:05:06"},
      {.format = "%x|%#x|%X", .local = "02/03/01|Saturday, February 3, 2001|05:35:06",
       .gmt = "02/03/01|Saturday, February 3, 2001|04:05:06"},
      {.format = "%I %p %j %w %y", .local = "05 AM 034 6 01", .gmt = "04 AM 034 6 01"},
      {.format = "%#d.%#m.%#H", .local = "3.2.5", .gmt = "3.2.4"},
      {.format = "%U %W", .local = "04 05", .gmt = "04 05"},
      {.format = "%z", .local = "+0130", .gmt = "+0000"},
      {.format = "100%% %q", .local = "100% %q", .gmt = "100% %q"},  // unknown: kept as written
  };
  const CTime t(kSample);
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(Text(t.Format(c.format)), c.local);
    EXPECT_EQ(Text(t.FormatGmt(c.format)), c.gmt);
  }
  EXPECT_EQ(Text(CTime(2001, 2, 3, 15, 0, 0).Format("%I %p")), "03 PM");
  EXPECT_EQ(Text(CTime(2001, 2, 3, 0, 30, 0).Format("%I %p")), "12 AM");
  EXPECT_EQ(Text(t.Format(IDS_DATE_FORMAT)), "2001-02-03");
}

}  // namespace
