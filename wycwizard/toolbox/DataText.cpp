// Bytes as printable text, 3 bytes to 4 characters (see StrUtil.h).
#include "stdafx.h"

#include "toolbox/StrUtil.h"
#include "toolbox/ToolboxResults.h"

namespace {

const char kZero = '0';
const int kLargestSixBits = 63;

char Digit(unsigned value) { return static_cast<char>(kZero + (value & 0x3F)); }

// The 6-bit number of one character, or -1 for a character that no encoding writes.
int SixBits(char c) {
  const int value = static_cast<unsigned char>(c) - kZero;
  return value >= 0 && value <= kLargestSixBits ? value : -1;
}

}  // namespace

char* DataToText(const void* data, int count) {
  if (count < 0 || (data == NULL && count > 0)) return NULL;
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  const int left = count % 3;
  char* text = static_cast<char*>(malloc(static_cast<size_t>(count / 3) * 4 + (left ? left + 1 : 0) + 1));
  if (text == NULL) return NULL;
  char* out = text;
  int i = 0;
  for (; i + 3 <= count; i += 3) {
    *out++ = Digit((bytes[i] >> 6) << 4 | (bytes[i + 1] >> 6) << 2 | bytes[i + 2] >> 6);
    *out++ = Digit(bytes[i]);
    *out++ = Digit(bytes[i + 1]);
    *out++ = Digit(bytes[i + 2]);
  }
  if (left == 1) {
    *out++ = Digit((bytes[i] >> 6) << 4);
    *out++ = Digit(bytes[i]);
  } else if (left == 2) {
    *out++ = Digit((bytes[i] >> 6) << 4 | (bytes[i + 1] >> 6) << 2);
    *out++ = Digit(bytes[i]);
    *out++ = Digit(bytes[i + 1]);
  }
  *out = '\0';
  return text;
}

int TextToData(const char* text, void** data, int* count) {
  if (data != NULL) *data = NULL;
  if (count != NULL) *count = 0;
  if (text == NULL || data == NULL || count == NULL) return 0;
  const size_t length = strlen(text);
  const size_t left = length % 4;
  for (size_t i = 0; i < length; ++i)
    if (SixBits(text[i]) < 0) return -1;
  // A lone final character (top bits without a byte) decodes to nothing.
  const size_t size = length / 4 * 3 + (left ? left - 1 : 0);
  if (size == 0) return 1;
  unsigned char* bytes = static_cast<unsigned char*>(malloc(size));
  if (bytes == NULL) return TBX_NO_MEMORY;
  unsigned char* out = bytes;
  for (size_t i = 0; i < length; i += 4) {
    const int top = SixBits(text[i]);
    const size_t group = length - i < 4 ? length - i : 4;
    for (size_t k = 1; k < group; ++k) {
      const int shift = 4 - 2 * static_cast<int>(k - 1);  // b0: bits 5-4, b1: 3-2, b2: 1-0
      *out++ = static_cast<unsigned char>(((top >> shift) & 3) << 6 | SixBits(text[i + k]));
    }
  }
  *data = bytes;
  *count = static_cast<int>(size);
  return 1;
}
