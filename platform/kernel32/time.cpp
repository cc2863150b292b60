// Time on the sandbox clock: FILETIME is 100-ns intervals since 1601-01-01 UTC; local time is UTC
// plus the sandbox's time-zone bias (the host's own time zone never leaks in).
#include <windows.h>

#include <chrono>

#include "sandbox/internal.h"

namespace {

constexpr uint64_t kTicksPerMs = 10000;
constexpr uint64_t kTicksPerDay = 86400ULL * 1000 * kTicksPerMs;

uint64_t ToTicks(const FILETIME* t) { return (uint64_t(t->dwHighDateTime) << 32) | t->dwLowDateTime; }

void FromTicks(uint64_t ticks, FILETIME* t) {
  t->dwLowDateTime = static_cast<DWORD>(ticks);
  t->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
}

// Days since 1601-01-01 of a proleptic Gregorian date (Windows' calendar), via the civil-from-days
// algorithm on an era of 400 years.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const int64_t daysSince1970 = era * 146097 + static_cast<int64_t>(doe) - 719468;
  return daysSince1970 + 134774;  // 1601-01-01 .. 1970-01-01
}

void CivilFromDays(int64_t daysSince1601, int64_t& y, unsigned& m, unsigned& d) {
  int64_t z = daysSince1601 - 134774 + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp + (mp < 10 ? 3 : -9);
  y += m <= 2;
}

bool IsLeap(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

}  // namespace

extern "C" {

WINBASEAPI void WINAPI GetSystemTimeAsFileTime(LPFILETIME time) {
  FromTicks(sandbox::internal::FileTimeNow(), time);
}

WINBASEAPI void WINAPI GetSystemTime(LPSYSTEMTIME time) {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  FileTimeToSystemTime(&now, time);
}

WINBASEAPI void WINAPI GetLocalTime(LPSYSTEMTIME time) {
  FILETIME now, local;
  GetSystemTimeAsFileTime(&now);
  FileTimeToLocalFileTime(&now, &local);
  FileTimeToSystemTime(&local, time);
}

// Valid for times up to year 30827, as documented; larger values fail with ERROR_INVALID_PARAMETER.
WINBASEAPI BOOL WINAPI FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME st) {
  if (fileTime == nullptr || st == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const uint64_t ticks = ToTicks(fileTime);
  if (ticks >= 0x8000000000000000ULL) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const int64_t days = static_cast<int64_t>(ticks / kTicksPerDay);
  uint64_t rest = ticks % kTicksPerDay;
  int64_t y;
  unsigned m, d;
  CivilFromDays(days, y, m, d);
  st->wYear = static_cast<WORD>(y);
  st->wMonth = static_cast<WORD>(m);
  st->wDay = static_cast<WORD>(d);
  st->wDayOfWeek = static_cast<WORD>((days + 1) % 7);  // 1601-01-01 was a Monday
  st->wHour = static_cast<WORD>(rest / (3600000ULL * kTicksPerMs));
  rest %= 3600000ULL * kTicksPerMs;
  st->wMinute = static_cast<WORD>(rest / (60000ULL * kTicksPerMs));
  rest %= 60000ULL * kTicksPerMs;
  st->wSecond = static_cast<WORD>(rest / (1000ULL * kTicksPerMs));
  rest %= 1000ULL * kTicksPerMs;
  st->wMilliseconds = static_cast<WORD>(rest / kTicksPerMs);
  return TRUE;
}

WINBASEAPI BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* st, LPFILETIME fileTime) {
  static const unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (st == nullptr || fileTime == nullptr || st->wYear < 1601 || st->wYear > 30827 || st->wMonth < 1 ||
      st->wMonth > 12 || st->wDay < 1 ||
      st->wDay > kDays[st->wMonth - 1] + (st->wMonth == 2 && IsLeap(st->wYear)) || st->wHour > 23 ||
      st->wMinute > 59 || st->wSecond > 59 || st->wMilliseconds > 999) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const int64_t days = DaysFromCivil(st->wYear, st->wMonth, st->wDay);
  const uint64_t ms = ((static_cast<uint64_t>(days) * 24 + st->wHour) * 60 + st->wMinute) * 60000ULL +
                      st->wSecond * 1000ULL + st->wMilliseconds;
  FromTicks(ms * kTicksPerMs, fileTime);
  return TRUE;
}

WINBASEAPI BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* fileTime, LPFILETIME localFileTime) {
  if (fileTime == nullptr || localFileTime == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const int64_t bias = int64_t(sandbox::internal::TimeZoneBiasMinutes()) * 60000 * int64_t(kTicksPerMs);
  FromTicks(ToTicks(fileTime) + static_cast<uint64_t>(bias), localFileTime);
  return TRUE;
}

WINBASEAPI BOOL WINAPI LocalFileTimeToFileTime(const FILETIME* localFileTime, LPFILETIME fileTime) {
  if (fileTime == nullptr || localFileTime == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const int64_t bias = int64_t(sandbox::internal::TimeZoneBiasMinutes()) * 60000 * int64_t(kTicksPerMs);
  FromTicks(ToTicks(localFileTime) - static_cast<uint64_t>(bias), fileTime);
  return TRUE;
}

WINBASEAPI LONG WINAPI CompareFileTime(const FILETIME* a, const FILETIME* b) {
  const uint64_t x = ToTicks(a), y = ToTicks(b);
  return x < y ? -1 : (x > y ? 1 : 0);
}

// Milliseconds on the sandbox clock, wrapping at 2^32 as the platform's counter does.
WINBASEAPI DWORD WINAPI GetTickCount() {
  return static_cast<DWORD>(sandbox::internal::FileTimeNow() / kTicksPerMs);
}

}  // extern "C"
