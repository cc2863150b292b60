// The run-time's underscore string helpers, in the "C" locale: case changes and case-insensitive
// comparison touch only ASCII letters; number formatting in radix 2 to 36.
#include <windows.h>

#include <cerrno>

namespace {

int Lower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }
int Upper(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

// Digits of `value` in `radix`, with a '-' in front when `negative`.
char* Format(unsigned long long value, bool negative, char* buffer, int radix) {
  if (buffer == nullptr) return nullptr;
  if (radix < 2 || radix > 36) {
    errno = EINVAL;
    buffer[0] = '\0';
    return buffer;
  }
  char digits[72];
  int n = 0;
  do {
    const int d = static_cast<int>(value % static_cast<unsigned>(radix));
    digits[n++] = static_cast<char>(d < 10 ? '0' + d : 'a' + d - 10);
    value /= static_cast<unsigned>(radix);
  } while (value != 0);
  char* out = buffer;
  if (negative) *out++ = '-';
  while (n > 0) *out++ = digits[--n];
  *out = '\0';
  return buffer;
}

}  // namespace

extern "C" {

// _stricmp/_strnicmp compare the lower-case forms, so '_' sorts before letters.
STANDIN_API int _stricmp(const char* a, const char* b) { return _strnicmp(a, b, static_cast<size_t>(-1)); }

STANDIN_API int _strnicmp(const char* a, const char* b, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const int x = Lower(static_cast<unsigned char>(a[i])), y = Lower(static_cast<unsigned char>(b[i]));
    if (x != y) return x - y;
    if (x == 0) break;
  }
  return 0;
}

STANDIN_API char* _strlwr(char* text) {
  for (char* p = text; p && *p; ++p) *p = static_cast<char>(Lower(static_cast<unsigned char>(*p)));
  return text;
}

STANDIN_API char* _strupr(char* text) {
  for (char* p = text; p && *p; ++p) *p = static_cast<char>(Upper(static_cast<unsigned char>(*p)));
  return text;
}

// _itoa/_ltoa: a '-' only in radix 10; in other radices the value's bits are taken unsigned.
STANDIN_API char* _itoa(int value, char* buffer, int radix) {
  if (radix == 10 && value < 0) return Format(0ULL - static_cast<unsigned long long>(static_cast<long long>(value)), true, buffer, radix);
  return Format(static_cast<unsigned int>(value), false, buffer, radix);
}

STANDIN_API char* _ltoa(LONG value, char* buffer, int radix) { return _itoa(value, buffer, radix); }

STANDIN_API char* _ultoa(ULONG value, char* buffer, int radix) { return Format(value, false, buffer, radix); }

}  // extern "C"
