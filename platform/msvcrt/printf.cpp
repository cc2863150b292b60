// The platform's printf over the host's snprintf: each conversion is parsed here, its argument
// taken with the platform's size, and the host formats it with a spec of matching size.
#include "printf.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "sandbox/internal.h"

namespace msvcrt {
namespace {

// What the debug run time does with a format it cannot honour: an assertion failure, which the
// sandbox turns into a test failure.
void ReportBadFormat(const char* what) {
#ifndef NDEBUG
  const std::string message = std::string("Assertion failed: printf: ") + what;
  OutputDebugString((message + "\n").c_str());
  sandbox::internal::Fail(message);
#else
  (void)what;
#endif
}

enum class Size { Default, Short, Long, LongLong, Pointer, LongDouble, Wide };

template <class T>
void AppendHost(std::string& out, const std::string& spec, T value) {
  char small[128];
  const int n = std::snprintf(small, sizeof small, spec.c_str(), value);
  if (n < 0) return;
  if (static_cast<size_t>(n) < sizeof small) {
    out.append(small, static_cast<size_t>(n));
    return;
  }
  std::vector<char> big(static_cast<size_t>(n) + 1);
  std::snprintf(big.data(), big.size(), spec.c_str(), value);
  out.append(big.data(), static_cast<size_t>(n));
}

// The platform's run time writes at least three exponent digits ("1e+020"); the host writes
// two. Where that makes the text wider than a given width, one pad character goes.
void AppendFloating(std::string& out, const std::string& spec, double value) {
  std::string text;
  AppendHost(text, spec, value);
  const size_t e = text.find_first_of("eE");
  if (e == std::string::npos || e + 2 >= text.size() || (text[e + 1] != '+' && text[e + 1] != '-') ||
      text.size() - (e + 2) != 2) {
    out += text;
    return;
  }
  text.insert(e + 2, 1, '0');
  const size_t flagsEnd = spec.find_first_not_of("%-+ #0");
  const std::string flags = spec.substr(1, flagsEnd - 1);
  const size_t width = static_cast<size_t>(std::atoi(spec.c_str() + flagsEnd));
  if (width != 0 && text.size() > width) {
    if (flags.find('-') != std::string::npos) {
      if (text.back() == ' ') text.pop_back();
    } else if (flags.find('0') != std::string::npos) {
      const size_t digit = text.find_first_not_of("+- ");
      if (text[digit] == '0' && digit + 1 < e && text[digit + 1] != '.') text.erase(digit, 1);
    } else if (text.front() == ' ') {
      text.erase(0, 1);
    }
  }
  out += text;
}

std::string WideToAnsi(const char16_t* wide, int length) {
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string text(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, length, text.data(), bytes, nullptr, nullptr);
  return text;
}

size_t WideLength(const char16_t* wide) {
  size_t n = 0;
  while (wide[n] != 0) ++n;
  return n;
}

}  // namespace

void FormatPlatformPrintf(std::string& out, const char* format, va_list args) {
  const char* p = format;
  while (*p != '\0') {
    if (*p != '%') {
      const char* next = std::strchr(p, '%');
      const size_t n = next ? static_cast<size_t>(next - p) : std::strlen(p);
      out.append(p, n);
      p += n;
      continue;
    }
    const char* start = p++;
    if (*p == '%') {
      out += '%';
      ++p;
      continue;
    }
    // Flags, width and precision pass to the host unchanged ('*' is taken here).
    std::string spec = "%";
    while (*p != '\0' && std::strchr("-+ #0", *p)) spec += *p++;
    int precision = -1;
    if (*p == '*') {
      spec += std::to_string(va_arg(args, int));
      ++p;
    } else {
      while (*p >= '0' && *p <= '9') spec += *p++;
    }
    if (*p == '.') {
      spec += *p++;
      if (*p == '*') {
        precision = va_arg(args, int);
        spec += std::to_string(precision);
        ++p;
      } else {
        precision = 0;
        while (*p >= '0' && *p <= '9') {
          precision = precision * 10 + (*p - '0');
          spec += *p++;
        }
      }
    }
    Size size = Size::Default;
    if (*p == 'h') {
      size = Size::Short;
      ++p;
    } else if (p[0] == 'l' && p[1] == 'l') {
      size = Size::LongLong;
      p += 2;
    } else if (*p == 'l' || *p == 'w') {
      size = Size::Long;
      ++p;
    } else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
      size = Size::LongLong;
      p += 3;
    } else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') {
      size = Size::Long;
      p += 3;
    } else if (*p == 'I') {
      size = Size::Pointer;
      ++p;
    } else if (*p == 'L') {
      size = Size::LongDouble;
      ++p;
    }
    const char type = *p;
    if (type == '\0') {
      out.append(start);
      ReportBadFormat("format ends inside a conversion");
      return;
    }
    ++p;
    switch (type) {
      case 'd':
      case 'i': {
        spec += "lld";
        long long value;
        if (size == Size::LongLong || size == Size::Pointer) value = va_arg(args, long long);
        else if (size == Size::Short) value = static_cast<short>(va_arg(args, int));
        else value = va_arg(args, int);
        AppendHost(out, spec, value);
        break;
      }
      case 'o':
      case 'u':
      case 'x':
      case 'X': {
        spec += "ll";
        spec += type;
        unsigned long long value;
        if (size == Size::LongLong || size == Size::Pointer) value = va_arg(args, unsigned long long);
        else if (size == Size::Short) value = static_cast<unsigned short>(va_arg(args, unsigned));
        else value = va_arg(args, unsigned);
        AppendHost(out, spec, value);
        break;
      }
      case 'e':
      case 'E':
      case 'f':
      case 'g':
      case 'G':
      case 'a':
      case 'A':
        spec += type;
        AppendFloating(out, spec, va_arg(args, double));
        break;
      case 'c':
      case 'C': {
        const int value = va_arg(args, int);
        if (type == 'C' || size == Size::Long) {
          const char16_t wide = static_cast<char16_t>(value);
          spec += 's';
          AppendHost(out, spec, WideToAnsi(&wide, 1).c_str());
        } else {
          spec += 'c';
          AppendHost(out, spec, value);
        }
        break;
      }
      case 's':
      case 'S': {
        spec += 's';
        if (type == 'S' || size == Size::Long) {
          const auto* wide = va_arg(args, const char16_t*);
          if (wide == nullptr) {
            AppendHost(out, spec, "(null)");
          } else {
            // Only the characters the precision allows are converted.
            size_t n = WideLength(wide);
            if (precision >= 0 && static_cast<size_t>(precision) < n) n = static_cast<size_t>(precision);
            AppendHost(out, spec, WideToAnsi(wide, static_cast<int>(n)).c_str());
          }
        } else {
          const char* text = va_arg(args, const char*);
          AppendHost(out, spec, text ? text : "(null)");
        }
        break;
      }
      case 'p': {
        const void* value = va_arg(args, const void*);
        char digits[32];
        std::snprintf(digits, sizeof digits, "%0*llX", static_cast<int>(2 * sizeof(void*)),
                      static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(value)));
        spec += 's';
        AppendHost(out, spec, digits);
        break;
      }
      default:
        // %n and unknown letters: nothing is written through an argument.
        out.append(start, static_cast<size_t>(p - start));
        ReportBadFormat("unsupported conversion");
        break;
    }
  }
}

}  // namespace msvcrt
