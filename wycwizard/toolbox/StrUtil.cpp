#include "stdafx.h"

#include "toolbox/StrUtil.h"

namespace {

// White space of the C locale: blank, tab, line feed, vertical tab, form feed, carriage return.
inline bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The digits of a strict integer: its magnitude (up to `limit`) and whether a minus sign came.
// 1, 0 or -1 as StrToLongStrict answers.
int ParseStrict(const char* text, ULONGLONG limitPositive, ULONGLONG limitNegative, ULONGLONG* magnitude,
                bool* negative) {
  *magnitude = 0;
  *negative = false;
  if (!StrHasText(text)) return 0;
  const char* p = StrSkipBlanks(text);
  if (*p == '+' || *p == '-') *negative = *p++ == '-';
  if (!isdigit(static_cast<unsigned char>(*p))) return -1;
  ULONGLONG value = 0;
  const ULONGLONG limit = *negative ? limitNegative : limitPositive;
  for (; isdigit(static_cast<unsigned char>(*p)); ++p) {
    value = value * 10 + static_cast<ULONGLONG>(*p - '0');
    if (value > limit) return -1;
  }
  if (*StrSkipBlanks(p) != '\0') return -1;
  *magnitude = value;
  return 1;
}

}  // namespace

char* StrCopyNew(const char* text) {
  if (text == NULL) return NULL;
  const size_t length = strlen(text);
  char* copy = static_cast<char*>(malloc(length + 1));
  if (copy != NULL) memcpy(copy, text, length + 1);
  return copy;
}

int StrCompareNoCase(const char* a, const char* b) {
  if (a == NULL || b == NULL) return (a != NULL) - (b != NULL);
  for (;; ++a, ++b) {
    const int x = toupper(static_cast<unsigned char>(*a));
    const int y = toupper(static_cast<unsigned char>(*b));
    if (x != y || x == 0) return x - y;
  }
}

char* StrCopyTrimmed(const char* text) {
  if (text == NULL) return NULL;
  const char* start = StrSkipBlanks(text);
  size_t length = strlen(start);
  while (length > 0 && IsBlank(start[length - 1])) --length;
  char* copy = static_cast<char*>(malloc(length + 1));
  if (copy == NULL) return NULL;
  memcpy(copy, start, length);
  copy[length] = '\0';
  return copy;
}

char* StrSkipBlanks(const char* text) {
  while (*text != '\0' && IsBlank(*text)) ++text;
  return const_cast<char*>(text);
}

char* StrSkipToBlank(const char* text) {
  while (*text != '\0' && !IsBlank(*text)) ++text;
  return const_cast<char*>(text);
}

int StrCopyBounded(char* destination, const char* source, int size) {
  if (size < 1 || destination == NULL || source == NULL) return 0;
  const size_t length = strlen(source);
  if (length < static_cast<size_t>(size)) {
    memmove(destination, source, length + 1);
    return 1;
  }
  memmove(destination, source, static_cast<size_t>(size - 1));
  destination[size - 1] = '\0';
  return 0;
}

int StrHasText(const char* text) {
  return text != NULL && *StrSkipBlanks(text) != '\0' ? 1 : 0;
}

int StrToLongStrict(const char* text, LONG* value) {
  ULONGLONG magnitude;
  bool negative;
  const int result = ParseStrict(text, 2147483647ULL, 2147483648ULL, &magnitude, &negative);
  if (value != NULL) *value = result == 1 ? static_cast<LONG>(negative ? -static_cast<LONGLONG>(magnitude) : magnitude) : 0;
  return result;
}

int StrToULongStrict(const char* text, ULONG* value) {
  ULONGLONG magnitude;
  bool negative;
  // No minus sign at all, not even before a zero.
  const int result = ParseStrict(text, 4294967295ULL, 0, &magnitude, &negative);
  const int checked = result == 1 && negative ? -1 : result;
  if (value != NULL) *value = checked == 1 ? static_cast<ULONG>(magnitude) : 0;
  return checked;
}
