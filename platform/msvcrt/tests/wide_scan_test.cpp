// swscanf over UTF-16 text with the platform's sizes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "sandbox/sandbox.h"

namespace {

// The platform's sizes: "%hi" 16 bits, "%li" and "%i" 32 bits, "%c" a UTF-16 character, "%f" a
// float, "%lf" a double. Each target sits between guards that must stay untouched.
TEST(WideScan, StoresWithThePlatformsSizes) {
  struct Guarded {
    uint64_t before = 0xdeadbeefdeadbeefULL;
    union {
      uint8_t bytes[8];
      int16_t i16;
      int32_t i32;
      int64_t i64;
      char16_t c16;
      float f32;
      double f64;
    };
    uint64_t after = 0xdeadbeefdeadbeefULL;
    Guarded() { std::memset(bytes, 0xCC, sizeof bytes); }
    // Bytes of the value slot that the scan did not write.
    int Untouched() const {
      int n = 0;
      for (uint8_t b : bytes) n += b == 0xCC;
      return n;
    }
  };
  {
    Guarded g;
    EXPECT_EQ(swscanf(u"0x10", u"%hi", &g.i16), 1);
    EXPECT_EQ(g.i16, 16);
    EXPECT_EQ(g.Untouched(), 6);
  }
  {
    Guarded g;
    EXPECT_EQ(swscanf(u"010", u"%li", &g.i32), 1);
    EXPECT_EQ(g.i32, 8);
    EXPECT_EQ(g.Untouched(), 4);
  }
  {
    Guarded g;
    EXPECT_EQ(swscanf(u"-12", u"%i", &g.i32), 1);
    EXPECT_EQ(g.i32, -12);
    EXPECT_EQ(g.Untouched(), 4);
  }
  {
    Guarded g;
    EXPECT_EQ(swscanf(u"\u00e9t\u00e9", u"%c", &g.c16), 1);
    EXPECT_EQ(g.c16, u'\u00e9');
    EXPECT_EQ(g.Untouched(), 6);
  }
  {
    Guarded g;
    EXPECT_EQ(swscanf(u" 2.5e1x", u"%f", &g.f32), 1);
    EXPECT_EQ(g.f32, 25.0f);
    EXPECT_EQ(g.Untouched(), 4);
  }
  {
    Guarded g;
    EXPECT_EQ(swscanf(u"-0.1", u"%lf", &g.f64), 1);
    EXPECT_EQ(g.f64, -0.1);
  }
  {
    Guarded g;
    EXPECT_EQ(swscanf(u"4294967297", u"%I64d", &g.i64), 1);
    EXPECT_EQ(g.i64, 4294967297LL);
  }
  Guarded g;
  EXPECT_EQ(g.before, 0xdeadbeefdeadbeefULL);
  EXPECT_EQ(g.after, 0xdeadbeefdeadbeefULL);
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
