// wsprintf/wvsprintf: the platform's printf subset. Conversions c C d i u x X s S and %%, with the
// flags '-' (left-align), '#' (0x prefix for x/X) and '0' (zero padding), a width, a precision
// (minimum digits, or at most that many characters of a string), and 'h'/'l' sizes: with them
// c/s are narrow (h) or wide (l), C/S are wide unless 'h'. No floating point, no '*' widths: a
// conversion character the platform does not know is copied as it is and takes no argument.
// Output stops at 1024 bytes including the NUL.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "sandbox/internal.h"

namespace {

constexpr size_t kMaxOutput = 1024;

struct Spec {
  bool left = false, alternate = false, zero = false;
  size_t width = 0;
  bool hasPrecision = false;
  size_t precision = 0;
  char size = 0;  // 'h', 'l' or 0
};

std::string WideToAnsi(const WCHAR* text, size_t length) {
  if (length == 0) return {};
  const int n = ::WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) ::WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), out.data(), n, nullptr, nullptr);
  return out;
}

void Pad(std::string& out, const Spec& spec, const std::string& prefix, std::string body, bool numeric) {
  size_t length = prefix.size() + body.size();
  if (numeric && spec.zero && !spec.left && length < spec.width) {
    body.insert(0, spec.width - length, '0');
    length = spec.width;
  }
  if (!spec.left && length < spec.width) out.append(spec.width - length, ' ');
  out += prefix;
  out += body;
  if (spec.left && length < spec.width) out.append(spec.width - length, ' ');
}

std::string Digits(unsigned long long value, unsigned base, bool upper, const Spec& spec) {
  std::string digits;
  const char* alphabet = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  do {
    digits.insert(digits.begin(), alphabet[value % base]);
    value /= base;
  } while (value != 0);
  if (spec.hasPrecision && digits.size() < spec.precision) digits.insert(0, spec.precision - digits.size(), '0');
  return digits;
}

}  // namespace

extern "C" {

WINUSERAPI int WINAPI wvsprintf(LPSTR buffer, LPCSTR format, va_list arguments) {
  if (buffer == nullptr || format == nullptr) {
    sandbox::internal::Fail("wvsprintf: NULL buffer or format");
    return 0;
  }
  va_list args;
  va_copy(args, arguments);
  std::string out;
  for (const char* p = format; *p && out.size() < kMaxOutput; ++p) {
    if (*p != '%') {
      out += *p;
      continue;
    }
    Spec spec;
    for (++p; *p == '-' || *p == '#' || *p == '0'; ++p) {
      if (*p == '-') spec.left = true;
      if (*p == '#') spec.alternate = true;
      if (*p == '0') spec.zero = true;
    }
    for (; *p >= '0' && *p <= '9'; ++p) spec.width = std::min<size_t>(spec.width * 10 + (*p - '0'), kMaxOutput);
    if (*p == '.') {
      spec.hasPrecision = true;
      for (++p; *p >= '0' && *p <= '9'; ++p) spec.precision = std::min<size_t>(spec.precision * 10 + (*p - '0'), kMaxOutput);
    }
    if (*p == 'h' || *p == 'l') spec.size = *p++;
    if (*p == '\0') break;
    switch (*p) {
      case '%':
        out += '%';
        break;
      case 'c':
      case 'C': {
        const bool wide = spec.size == 'l' || (*p == 'C' && spec.size != 'h');
        const int value = va_arg(args, int);
        std::string text;
        if (wide) {
          const WCHAR c = static_cast<WCHAR>(value);
          text = WideToAnsi(&c, 1);
        } else {
          text = std::string(1, static_cast<char>(value));
        }
        Pad(out, spec, "", text, false);
        break;
      }
      case 's':
      case 'S': {
        const bool wide = spec.size == 'l' || (*p == 'S' && spec.size != 'h');
        std::string text;
        if (wide) {
          const WCHAR* s = va_arg(args, const WCHAR*);
          if (s == nullptr) {
            text = "(null)";
          } else {
            size_t n = 0;
            while (s[n] && (!spec.hasPrecision || n < spec.precision)) ++n;
            text = WideToAnsi(s, n);
          }
        } else {
          const char* s = va_arg(args, const char*);
          text = s ? s : "(null)";
          if (spec.hasPrecision && s && text.size() > spec.precision) text.resize(spec.precision);
        }
        Pad(out, spec, "", text, false);
        break;
      }
      case 'd':
      case 'i': {
        long long value = va_arg(args, int);
        if (spec.size == 'h') value = static_cast<short>(value);
        const bool negative = value < 0;
        const unsigned long long magnitude = negative ? 0ull - static_cast<unsigned long long>(value) : value;
        Pad(out, spec, negative ? "-" : "", Digits(magnitude, 10, false, spec), true);
        break;
      }
      case 'u':
      case 'x':
      case 'X': {
        unsigned long long value = va_arg(args, unsigned);
        if (spec.size == 'h') value = static_cast<unsigned short>(value);
        const bool hex = *p != 'u';
        const std::string prefix = hex && spec.alternate && value != 0 ? (*p == 'X' ? "0X" : "0x") : "";
        Pad(out, spec, prefix, Digits(value, hex ? 16 : 10, *p == 'X', spec), true);
        break;
      }
      default:
        out += *p;
        break;
    }
  }
  va_end(args);
  if (out.size() > kMaxOutput - 1) out.resize(kMaxOutput - 1);
  std::memcpy(buffer, out.c_str(), out.size() + 1);
  return static_cast<int>(out.size());
}

WINUSERAPI int CDECL wsprintf(LPSTR buffer, LPCSTR format, ...) {
  va_list args;
  va_start(args, format);
  const int n = wvsprintf(buffer, format, args);
  va_end(args);
  return n;
}

}  // extern "C"
