// The run time's printf family, all through the one formatter (printf.h) with the platform's
// sizes; streams are written with the host's fwrite (see standin_stdio.h).
#include <windows.h>
#include <standin_stdio.h>

#include <cstring>
#include <string>

#include "printf.h"

namespace {

std::string Formatted(const char* format, va_list args) {
  std::string text;
  if (format != nullptr) msvcrt::FormatPlatformPrintf(text, format, args);
  return text;
}

}  // namespace

extern "C" {

STANDIN_API int msvcrt_vfprintf(FILE* stream, const char* format, va_list args) {
  if (stream == nullptr || format == nullptr) return errno = EINVAL, -1;
  const std::string text = Formatted(format, args);
  if (std::fwrite(text.data(), 1, text.size(), stream) != text.size()) return -1;
  return static_cast<int>(text.size());
}

STANDIN_API int msvcrt_fprintf(FILE* stream, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int result = msvcrt_vfprintf(stream, format, args);
  va_end(args);
  return result;
}

STANDIN_API int msvcrt_vprintf(const char* format, va_list args) { return msvcrt_vfprintf(stdout, format, args); }

STANDIN_API int msvcrt_printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int result = msvcrt_vfprintf(stdout, format, args);
  va_end(args);
  return result;
}

STANDIN_API int msvcrt_vsprintf(char* buffer, const char* format, va_list args) {
  if (buffer == nullptr || format == nullptr) return errno = EINVAL, -1;
  const std::string text = Formatted(format, args);
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<int>(text.size());
}

STANDIN_API int msvcrt_sprintf(char* buffer, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int result = msvcrt_vsprintf(buffer, format, args);
  va_end(args);
  return result;
}

STANDIN_API int _vsnprintf(char* buffer, size_t count, const char* format, va_list args) {
  if (format == nullptr || (buffer == nullptr && count > 0)) return errno = EINVAL, -1;
  const std::string text = Formatted(format, args);
  if (text.size() > count) {
    std::memcpy(buffer, text.data(), count);
    return -1;
  }
  std::memcpy(buffer, text.data(), text.size());
  if (text.size() < count) buffer[text.size()] = '\0';
  return static_cast<int>(text.size());
}

STANDIN_API int _snprintf(char* buffer, size_t count, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int result = _vsnprintf(buffer, count, format, args);
  va_end(args);
  return result;
}

}  // extern "C"
