// VarBstrFromDate: a DATE as text, the way the en-US locale writes it ("M/D/YYYY h:mm:ss AM").
// Every locale is written as en-US (the stand-in has one locale). The date is left out when it is
// 30 December 1899 (day 0), the time when it is midnight, unless a flag asks for one of them.
// A DATE counts days since 30 December 1899; for a negative DATE the fraction still counts
// forward from midnight of the day named by its integer part (-1.25 is 29 December, 6:00 AM).
#include <oleauto.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// The DATE range that a calendar date of the years 100 to 9999 gives.
constexpr double kMinDate = -657434.0;
constexpr double kMaxDate = 2958466.0;

struct CivilDate {
  int64_t year;
  unsigned month, day;
};

// Days since 1970-01-01 to a proleptic Gregorian date.
CivilDate CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {m <= 2 ? y + 1 : y, m, d};
}

// Days from 1970-01-01 to 1899-12-30, the day 0 of a DATE.
constexpr int64_t kDateEpoch = -25569;

}  // namespace

extern "C" {

WINOLEAUTAPI VarBstrFromDate(DATE dateIn, LCID, ULONG dwFlags, BSTR* pbstrOut) {
  if (pbstrOut == nullptr) return E_INVALIDARG;
  if (!(dateIn >= kMinDate && dateIn < kMaxDate)) return E_INVALIDARG;  // NaN too
  int64_t day = static_cast<int64_t>(std::trunc(dateIn));
  int64_t seconds = std::llround(std::fabs(dateIn - static_cast<double>(day)) * 86400.0);
  if (seconds >= 86400) {  // rounded up to the next midnight
    seconds -= 86400;
    day += 1;
  }
  const bool dateOnly = (dwFlags & VAR_DATEVALUEONLY) != 0;
  const bool timeOnly = (dwFlags & VAR_TIMEVALUEONLY) != 0;
  const bool writeDate = dateOnly || (!timeOnly && day != 0);
  const bool writeTime = timeOnly || (!dateOnly && (seconds != 0 || day == 0));
  std::string text;
  char part[64];
  if (writeDate) {
    const CivilDate date = CivilFromDays(day + kDateEpoch);
    std::snprintf(part, sizeof part, "%u/%u/%04lld", date.month, date.day, static_cast<long long>(date.year));
    text += part;
  }
  if (writeTime) {
    const int hour = static_cast<int>(seconds / 3600);
    const int minute = static_cast<int>(seconds / 60 % 60);
    const int second = static_cast<int>(seconds % 60);
    std::snprintf(part, sizeof part, "%s%d:%02d:%02d %s", writeDate ? " " : "", hour % 12 == 0 ? 12 : hour % 12, minute,
                  second, hour < 12 ? "AM" : "PM");
    text += part;
  }
  const std::u16string wide(text.begin(), text.end());
  *pbstrOut = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  return *pbstrOut != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // extern "C"
