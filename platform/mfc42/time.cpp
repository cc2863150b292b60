// CTime and CTimeSpan: 64-bit seconds since 1970 UTC; local time through kernel32's time-zone
// conversion (FileTimeToLocalFileTime), so the host's own time zone never takes part.
#include <afx.h>

#include <cstdio>

namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kFileTimeTicksPerSecond = 10000000;
constexpr int64_t kSecondsFrom1601To1970 = 11644473600LL;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Days since 1970-01-01 of a proleptic Gregorian date; the month may be out of 1..12.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y += FloorDiv(m - 1, 12);
  m = m - 1 - FloorDiv(m - 1, 12) * 12 + 1;
  y -= m <= 2;
  const int64_t era = FloorDiv(y, 400);
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, int& m, int& d) {
  z += 719468;
  const int64_t era = FloorDiv(z, 146097);
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = yoe + era * 400;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y += m <= 2;
}

FILETIME ToFileTime(int64_t seconds1970) {
  const uint64_t ticks = static_cast<uint64_t>(seconds1970 + kSecondsFrom1601To1970) * kFileTimeTicksPerSecond;
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(ticks);
  ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return ft;
}

int64_t FromFileTime(const FILETIME& ft) {
  const uint64_t ticks = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return static_cast<int64_t>(ticks / kFileTimeTicksPerSecond) - kSecondsFrom1601To1970;
}

// Seconds that local time is ahead of UTC at the UTC time t (the machine's bias).
int64_t LocalOffsetAt(time_t t) {
  const FILETIME utc = ToFileTime(t);
  FILETIME local;
  if (!FileTimeToLocalFileTime(&utc, &local)) return 0;
  return FromFileTime(local) - t;
}

// The UTC time of a local time given as seconds since 1970 in local reckoning.
time_t LocalToUtc(int64_t localSeconds) {
  const FILETIME local = ToFileTime(localSeconds);
  FILETIME utc;
  if (!LocalFileTimeToFileTime(&local, &utc)) return static_cast<time_t>(localSeconds);
  return static_cast<time_t>(FromFileTime(utc));
}

void BreakDown(int64_t seconds, struct tm& out) {
  const int64_t days = FloorDiv(seconds, kSecondsPerDay);
  const int64_t rest = seconds - days * kSecondsPerDay;
  int64_t year;
  int month, day;
  CivilFromDays(days, year, month, day);
  out = {};
  out.tm_year = static_cast<int>(year - 1900);
  out.tm_mon = month - 1;
  out.tm_mday = day;
  out.tm_hour = static_cast<int>(rest / 3600);
  out.tm_min = static_cast<int>(rest / 60 % 60);
  out.tm_sec = static_cast<int>(rest % 60);
  out.tm_wday = static_cast<int>(((days + 4) % 7 + 7) % 7);  // 1970-01-01 was a Thursday
  out.tm_yday = static_cast<int>(days - DaysFromCivil(year, 1, 1));
  out.tm_isdst = 0;
}

struct tm LocalTm(time_t t) {
  struct tm out;
  BreakDown(t + LocalOffsetAt(t), out);
  return out;
}

const char* const kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

// '#' drops the leading zeros.
void AppendNumber(std::string& out, int value, int width, bool noPadding) {
  char text[16];
  if (noPadding) std::snprintf(text, sizeof text, "%d", value);
  else std::snprintf(text, sizeof text, "%0*d", width, value);
  out += text;
}

// Week of the year with weeks starting on `firstDay` (0 Sunday, 1 Monday), as strftime's %U/%W.
int WeekOfYear(const struct tm& t, int firstDay) {
  const int wday = (t.tm_wday - firstDay + 7) % 7;
  return (t.tm_yday + 7 - wday) / 7;
}

// strftime in the "C" locale, as the platform's run time formats it.
CString FormatTm(LPCTSTR pFormat, const struct tm& t, int64_t offsetSeconds) {
  std::string out;
  if (pFormat == NULL) return CString();
  for (const char* p = pFormat; *p != '\0'; ++p) {
    if (*p != '%') {
      out += *p;
      continue;
    }
    const char* start = p++;
    const bool alt = *p == '#';
    if (alt) ++p;
    const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
    switch (*p) {
      case 'a': out.append(kDayNames[t.tm_wday], 3); break;
      case 'A': out += kDayNames[t.tm_wday]; break;
      case 'b': out.append(kMonthNames[t.tm_mon], 3); break;
      case 'B': out += kMonthNames[t.tm_mon]; break;
      case 'c':
        if (alt) {
          out += static_cast<LPCTSTR>(FormatTm("%A, %B %#d, %Y %H:%M:%S", t, offsetSeconds));
        } else {
          out += static_cast<LPCTSTR>(FormatTm("%m/%d/%y %H:%M:%S", t, offsetSeconds));
        }
        break;
      case 'd': AppendNumber(out, t.tm_mday, 2, alt); break;
      case 'H': AppendNumber(out, t.tm_hour, 2, alt); break;
      case 'I': AppendNumber(out, hour12, 2, alt); break;
      case 'j': AppendNumber(out, t.tm_yday + 1, 3, alt); break;
      case 'm': AppendNumber(out, t.tm_mon + 1, 2, alt); break;
      case 'M': AppendNumber(out, t.tm_min, 2, alt); break;
      case 'p': out += t.tm_hour < 12 ? "AM" : "PM"; break;
      case 'S': AppendNumber(out, t.tm_sec, 2, alt); break;
      case 'U': AppendNumber(out, WeekOfYear(t, 0), 2, alt); break;
      case 'w': AppendNumber(out, t.tm_wday, 1, alt); break;
      case 'W': AppendNumber(out, WeekOfYear(t, 1), 2, alt); break;
      case 'x':
        out += static_cast<LPCTSTR>(FormatTm(alt ? "%A, %B %#d, %Y" : "%m/%d/%y", t, offsetSeconds));
        break;
      case 'X': out += static_cast<LPCTSTR>(FormatTm("%H:%M:%S", t, offsetSeconds)); break;
      case 'y': AppendNumber(out, (t.tm_year + 1900) % 100, 2, alt); break;
      case 'Y': AppendNumber(out, t.tm_year + 1900, 4, alt); break;
      case 'z':
      case 'Z': {
        const int64_t minutes = (offsetSeconds < 0 ? -offsetSeconds : offsetSeconds) / 60;
        char text[16];
        std::snprintf(text, sizeof text, "%c%02d%02d", offsetSeconds < 0 ? '-' : '+', static_cast<int>(minutes / 60),
                      static_cast<int>(minutes % 60));
        out += text;
        break;
      }
      case '%': out += '%'; break;
      default:
        // Unknown conversions (and a trailing '%') stay as written.
        TRACE("CTime::Format: unsupported conversion in \"%s\"\n", pFormat);
        out.append(start, static_cast<size_t>(p - start) + (*p != '\0'));
        if (*p == '\0') --p;
        break;
    }
  }
  return CString(out.data(), static_cast<int>(out.size()));
}

CString LoadFormat(UINT nFormatID) {
  CString format;
  if (!format.LoadString(nFormatID)) {
    TRACE("Error: failed to load time format string 0x%04x.\n", nFormatID);
    ASSERT(FALSE);
  }
  return format;
}

}  // namespace

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
    : m_timeSpan(((static_cast<time_t>(lDays) * 24 + nHours) * 60 + nMins) * 60 + nSecs) {}

CString CTimeSpan::Format(LPCTSTR pFormat) const {
  std::string out;
  if (pFormat == NULL) return CString();
  char text[32];
  for (const char* p = pFormat; *p != '\0'; ++p) {
    if (*p != '%' || p[1] == '\0') {
      out += *p;
      continue;
    }
    switch (*++p) {
      case 'D': std::snprintf(text, sizeof text, "%lld", static_cast<long long>(GetDays())); out += text; break;
      case 'H': std::snprintf(text, sizeof text, "%02d", GetHours()); out += text; break;
      case 'M': std::snprintf(text, sizeof text, "%02d", GetMinutes()); out += text; break;
      case 'S': std::snprintf(text, sizeof text, "%02d", GetSeconds()); out += text; break;
      case '%': out += '%'; break;
      default:
        TRACE("CTimeSpan::Format: unsupported conversion in \"%s\"\n", pFormat);
        out += '%';
        out += *p;
        break;
    }
  }
  return CString(out.data(), static_cast<int>(out.size()));
}

CString CTimeSpan::Format(UINT nFormatID) const { return Format(static_cast<LPCTSTR>(LoadFormat(nFormatID))); }

CTime PASCAL CTime::GetCurrentTime() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return CTime(static_cast<time_t>(FromFileTime(now)));
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int) {
  ASSERT(nYear >= 1900);
  ASSERT(nMonth >= 1 && nMonth <= 12);
  ASSERT(nDay >= 1 && nDay <= 31);
  ASSERT(nHour >= 0 && nHour <= 23);
  ASSERT(nMin >= 0 && nMin <= 59);
  ASSERT(nSec >= 0 && nSec <= 59);
  const int64_t local = DaysFromCivil(nYear, nMonth, nDay) * kSecondsPerDay + int64_t(nHour) * 3600 +
                        int64_t(nMin) * 60 + nSec;
  m_time = LocalToUtc(local);
}

CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST)
    : CTime((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0xF, wDosDate & 0x1F, wDosTime >> 11, (wDosTime >> 5) & 0x3F,
            (wDosTime & 0x1F) * 2, nDST) {}

CTime::CTime(const SYSTEMTIME& sysTime, int nDST) : m_time(0) {
  if (sysTime.wYear < 1900) return;
  *this = CTime(sysTime.wYear, sysTime.wMonth, sysTime.wDay, sysTime.wHour, sysTime.wMinute, sysTime.wSecond, nDST);
}

CTime::CTime(const FILETIME& fileTime, int) : m_time(static_cast<time_t>(FromFileTime(fileTime))) {}

struct tm* CTime::GetGmtTm(struct tm* ptm) const {
  thread_local struct tm buffer;
  if (ptm == NULL) ptm = &buffer;
  BreakDown(m_time, *ptm);
  return ptm;
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const {
  thread_local struct tm buffer;
  if (ptm == NULL) ptm = &buffer;
  *ptm = LocalTm(m_time);
  return ptm;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& timeDest) const {
  const struct tm t = LocalTm(m_time);
  if (t.tm_year + 1900 < 1601 || t.tm_year + 1900 > 30827) return FALSE;
  timeDest.wYear = static_cast<WORD>(t.tm_year + 1900);
  timeDest.wMonth = static_cast<WORD>(t.tm_mon + 1);
  timeDest.wDayOfWeek = static_cast<WORD>(t.tm_wday);
  timeDest.wDay = static_cast<WORD>(t.tm_mday);
  timeDest.wHour = static_cast<WORD>(t.tm_hour);
  timeDest.wMinute = static_cast<WORD>(t.tm_min);
  timeDest.wSecond = static_cast<WORD>(t.tm_sec);
  timeDest.wMilliseconds = 0;
  return TRUE;
}

int CTime::GetYear() const { return LocalTm(m_time).tm_year + 1900; }
int CTime::GetMonth() const { return LocalTm(m_time).tm_mon + 1; }
int CTime::GetDay() const { return LocalTm(m_time).tm_mday; }
int CTime::GetHour() const { return LocalTm(m_time).tm_hour; }
int CTime::GetMinute() const { return LocalTm(m_time).tm_min; }
int CTime::GetSecond() const { return LocalTm(m_time).tm_sec; }
int CTime::GetDayOfWeek() const { return LocalTm(m_time).tm_wday + 1; }

CString CTime::Format(LPCTSTR pFormat) const {
  const int64_t offset = LocalOffsetAt(m_time);
  struct tm t;
  BreakDown(m_time + offset, t);
  return FormatTm(pFormat, t, offset);
}

CString CTime::FormatGmt(LPCTSTR pFormat) const {
  struct tm t;
  BreakDown(m_time, t);
  return FormatTm(pFormat, t, 0);
}

CString CTime::Format(UINT nFormatID) const { return Format(static_cast<LPCTSTR>(LoadFormat(nFormatID))); }
CString CTime::FormatGmt(UINT nFormatID) const { return FormatGmt(static_cast<LPCTSTR>(LoadFormat(nFormatID))); }
