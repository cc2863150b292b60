// swscanf over UTF-16 text with the platform's sizes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "sandbox/sandbox.h"

namespace {

// The platform's sizes: "%hi" 16 bits, "%li" and "%i" 32 bits, "%c" a UTF-16 character, "%f" a
// float, "%lf" a double. The target is an 8-byte slot between guards: exactly the value's bytes
// may change.
TEST(WideScan, StoresWithThePlatformsSizes) {
  struct Case {
    const char16_t* text;
    const char16_t* format;
    size_t bytes;     // how many bytes the value has
    uint64_t value;   // those bytes, little-endian
  };
  const Case cases[] = {
      {.text = u"0x10", .format = u"%hi", .bytes = 2, .value = 16},
      {.text = u"010", .format = u"%li", .bytes = 4, .value = 8},
      {.text = u"-12", .format = u"%i", .bytes = 4, .value = 0xFFFFFFF4},
      {.text = u"\u00e9t\u00e9", .format = u"%c", .bytes = 2, .value = 0xE9},
      {.text = u" 2.5e1x", .format = u"%f", .bytes = 4, .value = 0x41C80000},            // 25.0f
      {.text = u"-0.1", .format = u"%lf", .bytes = 8, .value = 0xBFB999999999999AULL},  // -0.1
      {.text = u"4294967297", .format = u"%I64d", .bytes = 8, .value = 4294967297ULL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
    uint8_t slot[24];
    std::memset(slot, 0xCC, sizeof slot);
    EXPECT_EQ(swscanf(c.text, c.format, slot + 8), 1);
    for (size_t i = 0; i < sizeof slot; ++i) {
      const bool inValue = i >= 8 && i < 8 + c.bytes;
      const uint8_t want = inValue ? static_cast<uint8_t>(c.value >> (8 * (i - 8))) : 0xCC;
      EXPECT_EQ(slot[i], want) << "byte " << i;
    }
  }
}

TEST(WideScan, WhatDoesNotConvert) {
  struct Case {
    const char16_t* text;
    const char16_t* format;
    int want;
    int32_t value;  // the target starts at -1
  };
  const Case cases[] = {
      {.text = u"", .format = u"%i", .want = EOF, .value = -1},
      {.text = u"   ", .format = u"%i", .want = EOF, .value = -1},
      {.text = u"abc", .format = u"%i", .want = 0, .value = -1},
      {.text = u"inf", .format = u"%f", .want = 0, .value = -1},
      {.text = u"nan", .format = u"%f", .want = 0, .value = -1},
      {.text = u"4294967297", .format = u"%i", .want = 1, .value = 1},  // wraps at 32 bits
      {.text = u"0x", .format = u"%i", .want = 1, .value = 0},
      {.text = u"09", .format = u"%i", .want = 1, .value = 0},          // octal stops at 9
      {.text = u"12 x", .format = u"%i x", .want = 1, .value = 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "format " << static_cast<int>(c.format[1]) << ", text length "
                                    << std::char_traits<char16_t>::length(c.text));
    int32_t value = -1;
    float real = -1;
    const bool floating = c.format[1] == u'f';
    EXPECT_EQ(floating ? swscanf(c.text, c.format, &real) : swscanf(c.text, c.format, &value), c.want);
    if (floating) {
      EXPECT_EQ(real, -1.0f);
    } else {
      EXPECT_EQ(value, c.value);
    }
  }
  // A hexadecimal floating-point number reads as its leading 0 only.
  double real = -1;
  int used = -1;
  EXPECT_EQ(swscanf(u"0x1p3", u"%lf%n", &real, &used), 1);
  EXPECT_EQ(real, 0.0);
  EXPECT_EQ(used, 1);
}

TEST(WideScan, CountsAndSuppression) {
  int16_t a = 0;
  int32_t b = 0;
  int used = 0;
  EXPECT_EQ(swscanf(u" 7 , 8 9", u"%*i ,%hd %d%n", &a, &b, &used), 2);
  EXPECT_EQ(a, 8);
  EXPECT_EQ(b, 9);
  EXPECT_EQ(used, 8);
  char narrow[4] = {};
  EXPECT_EQ(swscanf(u"\u00e9", u"%hc", narrow), 1);
  EXPECT_EQ(narrow[0], '\xE9') << "the code page's byte";
}

}  // namespace
