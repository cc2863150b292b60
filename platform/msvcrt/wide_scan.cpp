// swscanf over UTF-16 text, with the platform's sizes: for integers 'h' is 16 bits, no prefix
// and 'l' 32 bits, "ll"/"I64" 64 bits; for floating point no prefix and 'h' store a float, 'l' and
// 'L' a double; %c and %s store wide characters (%hc/%hs the code page's bytes). Numbers are what
// the platform's run time reads: decimal, octal and hexadecimal integers (%i takes the base from
// a 0 or 0x prefix), an integer that does not fit wraps; floating point as digits with an optional
// fraction and exponent, no hexadecimal form, no "inf" or "nan". Conversions this system never
// asks for (%[, %p) are loud.
#include <windows.h>

#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sandbox/internal.h"

namespace {

enum class Size { Default, Short, Long, LongLong };

bool IsSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'z') return c - u'a' + 10;
  if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
  return 99;
}

class Scanner {
 public:
  Scanner(const char16_t* text, size_t width) : text_(text), limit_(width == 0 ? SIZE_MAX : width) {}
  bool AtEnd() const { return used_ >= limit_ || text_[0] == 0; }
  char16_t Peek() const { return AtEnd() ? 0 : text_[0]; }
  char16_t Peek(size_t ahead) const {
    for (size_t i = 0; i <= ahead; ++i)
      if (used_ + i >= limit_ || text_[i] == 0) return 0;
    return text_[ahead];
  }
  void Take() {
    ++text_;
    ++used_;
  }
  const char16_t* Position() const { return text_; }
  size_t Used() const { return used_; }

 private:
  const char16_t* text_;
  size_t limit_;
  size_t used_ = 0;
};

// An integer in `base` (0: from its prefix); false when no digit came.
bool ScanInteger(Scanner& in, int base, uint64_t& value) {
  bool negative = false;
  if (in.Peek() == u'+' || in.Peek() == u'-') {
    negative = in.Peek() == u'-';
    in.Take();
  }
  bool digits = false;
  if ((base == 0 || base == 16) && in.Peek() == u'0' && (in.Peek(1) == u'x' || in.Peek(1) == u'X')) {
    in.Take();
    in.Take();
    digits = true;  // the "0" counts as a number on its own
    base = 16;
  } else if (base == 0) {
    base = in.Peek() == u'0' ? 8 : 10;
  }
  value = 0;
  while (!in.AtEnd() && DigitValue(in.Peek()) < base) {
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(DigitValue(in.Peek()));
    in.Take();
    digits = true;
  }
  if (negative) value = 0 - value;
  return digits;
}

// Digits, an optional fraction and an optional exponent; false without a digit in the mantissa.
bool ScanFloating(Scanner& in, double& value) {
  std::string text;
  if (in.Peek() == u'+' || in.Peek() == u'-') {
    if (in.Peek() == u'-') text += '-';
    in.Take();
  }
  bool digits = false;
  auto takeDigits = [&] {
    while (!in.AtEnd() && in.Peek() >= u'0' && in.Peek() <= u'9') {
      text += static_cast<char>(in.Peek());
      in.Take();
      digits = true;
    }
  };
  takeDigits();
  if (in.Peek() == u'.') {
    text += '.';
    in.Take();
    takeDigits();
  }
  if (!digits) return false;
  if (in.Peek() == u'e' || in.Peek() == u'E') {
    const char16_t sign = in.Peek(1);
    const bool signed_ = sign == u'+' || sign == u'-';
    const char16_t first = in.Peek(signed_ ? 2 : 1);
    if (first >= u'0' && first <= u'9') {
      text += 'e';
      in.Take();
      if (signed_) {
        if (sign == u'-') text += '-';
        in.Take();
      }
      while (!in.AtEnd() && in.Peek() >= u'0' && in.Peek() <= u'9') {
        text += static_cast<char>(in.Peek());
        in.Take();
      }
    }
  }
  // The text holds only what the grammar above let through, so the host's conversion reads it
  // all; out of range it gives infinity or zero, as the platform's does.
  value = std::strtod(text.c_str(), nullptr);
  return true;
}

void StoreInteger(va_list* args, Size size, uint64_t value) {
  switch (size) {
    case Size::Short: *va_arg(*args, uint16_t*) = static_cast<uint16_t>(value); break;
    case Size::LongLong: *va_arg(*args, uint64_t*) = value; break;
    default: *va_arg(*args, uint32_t*) = static_cast<uint32_t>(value); break;
  }
}

// Wide characters of a %hc/%hs conversion in the process code page.
std::string Narrow(const char16_t* wide, size_t count) {
  std::string bytes(2 * count, '\0');
  const int n = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(count), bytes.data(),
                                    static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return bytes;
}

int Scan(const char16_t* input, const char16_t* format, va_list* args) {
  const char16_t* text = input;
  int assigned = 0;
  bool converted = false;  // a conversion was attempted with input present
  auto inputFailure = [&] { return converted ? assigned : EOF; };
  for (const char16_t* f = format; *f != 0;) {
    if (IsSpace(*f)) {
      while (IsSpace(*f)) ++f;
      while (IsSpace(*text)) ++text;
      continue;
    }
    if (*f != u'%' || f[1] == u'%') {
      if (*f == u'%') ++f;
      if (*text == 0) return inputFailure();
      if (*text != *f) return assigned;
      ++text;
      ++f;
      continue;
    }
    ++f;
    const bool suppress = *f == u'*';
    if (suppress) ++f;
    size_t width = 0;
    while (*f >= u'0' && *f <= u'9') width = width * 10 + static_cast<size_t>(*f++ - u'0');
    Size size = Size::Default;
    bool narrow = false;
    if (*f == u'h') {
      size = Size::Short;
      narrow = true;
      ++f;
    } else if (f[0] == u'l' && f[1] == u'l') {
      size = Size::LongLong;
      f += 2;
    } else if (*f == u'l' || *f == u'L' || *f == u'w') {
      size = Size::Long;
      ++f;
    } else if (f[0] == u'I' && f[1] == u'6' && f[2] == u'4') {
      size = Size::LongLong;
      f += 3;
    }
    const char16_t type = *f;
    if (type == 0) return assigned;
    ++f;
    if (type == u'n') {
      if (!suppress) *va_arg(*args, int*) = static_cast<int>(text - input);
      continue;
    }
    if (type != u'c') {
      while (IsSpace(*text)) ++text;
    }
    if (*text == 0) return inputFailure();
    converted = true;
    Scanner in(text, width);
    switch (type) {
      case u'c': {
        const size_t count = width == 0 ? 1 : width;
        size_t got = 0;
        while (got < count && text[got] != 0) ++got;
        if (got < count) return assigned;
        if (!suppress) {
          if (narrow) {
            const std::string bytes = Narrow(text, count);
            char* target = va_arg(*args, char*);
            for (size_t i = 0; i < bytes.size() && i < count; ++i) target[i] = bytes[i];
          } else {
            char16_t* target = va_arg(*args, char16_t*);
            for (size_t i = 0; i < count; ++i) target[i] = text[i];
          }
          ++assigned;
        }
        text += count;
        continue;
      }
      case u's': {
        while (!in.AtEnd() && !IsSpace(in.Peek())) in.Take();
        if (!suppress) {
          if (narrow) {
            const std::string bytes = Narrow(text, in.Used());
            char* target = va_arg(*args, char*);
            bytes.copy(target, bytes.size());
            target[bytes.size()] = '\0';
          } else {
            char16_t* target = va_arg(*args, char16_t*);
            for (size_t i = 0; i < in.Used(); ++i) target[i] = text[i];
            target[in.Used()] = 0;
          }
          ++assigned;
        }
        break;
      }
      case u'd':
      case u'i':
      case u'u':
      case u'o':
      case u'x':
      case u'X': {
        const int base = type == u'i' ? 0 : type == u'o' ? 8 : (type == u'x' || type == u'X') ? 16 : 10;
        uint64_t value = 0;
        if (!ScanInteger(in, base, value)) return assigned;
        if (!suppress) {
          StoreInteger(args, size, value);
          ++assigned;
        }
        break;
      }
      case u'e':
      case u'E':
      case u'f':
      case u'g':
      case u'G': {
        double value = 0;
        if (!ScanFloating(in, value)) return assigned;
        if (!suppress) {
          if (size == Size::Long || size == Size::LongLong)
            *va_arg(*args, double*) = value;
          else
            *va_arg(*args, float*) = static_cast<float>(value);
          ++assigned;
        }
        break;
      }
      default:
        sandbox::internal::ReportUnmodelled("swscanf conversion");
        return assigned;
    }
    text = in.Position();
  }
  return assigned;
}

}  // namespace

STANDIN_API int swscanf(const char16_t* buffer, const char16_t* format, ...) {
  // The platform's run time faults on a null text; a BSTR that is NULL must be passed as "".
  if (buffer == nullptr || format == nullptr) {
    sandbox::internal::Fail("swscanf: a null text or format");
    errno = EINVAL;
    return EOF;
  }
  va_list args;
  va_start(args, format);
  const int result = Scan(buffer, format, &args);
  va_end(args);
  return result;
}
