// Multi-byte helpers under code pages 1252 and 932, and the underscore string helpers.
#include <windows.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "sandbox/sandbox.h"

namespace {

const unsigned char* U(const char* s) { return reinterpret_cast<const unsigned char*>(s); }

TEST(MultiByte, LeadAndTrailBytesFollowTheCodePage) {
  EXPECT_FALSE(_ismbblead(0x95));
  EXPECT_FALSE(_ismbbtrail(0x5C));
  sandbox::SetCodePage(932);
  EXPECT_TRUE(_ismbblead(0x95));
  EXPECT_FALSE(_ismbblead(0x5C));
  EXPECT_TRUE(_ismbbtrail(0x5C));
  EXPECT_FALSE(_ismbbtrail(0x20));
  EXPECT_FALSE(_ismbblead(0x195));  // not a byte
}

TEST(MultiByte, DoubleByteCharactersStayWhole) {
  sandbox::SetCodePage(932);
  const unsigned char* s = U("a\x95\x5C" "b\\");  // a, U+8868 (trail 0x5C), b, backslash
  EXPECT_EQ(_mbsinc(s), s + 1);
  EXPECT_EQ(_mbsinc(s + 1), s + 3);
  EXPECT_EQ(_mbclen(s + 1), 2u);
  EXPECT_EQ(_mbsdec(s, s + 3), s + 1);
  EXPECT_EQ(_mbsdec(s, s), nullptr);
  EXPECT_EQ(_mbschr(s, '\\'), s + 4);  // not the trail byte at s + 2
  EXPECT_EQ(_mbschr(s, 0x955C), s + 1);
  EXPECT_EQ(_mbschr(s, 0), s + 5);
  EXPECT_EQ(_mbsrchr(s, '\\'), s + 4);
  EXPECT_EQ(_mbsrchr(s, 'z'), nullptr);
  EXPECT_EQ(_mbsstr(s, U("\x5C" "b")), nullptr);  // would start inside a character
  EXPECT_EQ(_mbsstr(s, U("b\\")), s + 3);
  EXPECT_EQ(_mbsstr(s, U("")), s);
  EXPECT_EQ(_mbscmp(U("a\x95\x5C"), U("a\x95\x5C")), 0);
  EXPECT_GT(_mbscmp(U("\x95\x5C"), U("\xDF")), 0);  // a double-byte character after any single byte
  EXPECT_LT(_mbscmp(U("ab"), U("abc")), 0);
  // A lead byte before the terminator never steps past it.
  const unsigned char* cut = U("\x95");
  EXPECT_EQ(_mbsinc(cut), cut + 1);
}

TEST(MultiByte, SingleByteCodePageFindsEveryByte) {
  const unsigned char* s = U("a\x95\x5C" "b");
  EXPECT_EQ(_mbschr(s, '\\'), s + 2);
  EXPECT_EQ(_mbsdec(s, s + 3), s + 2);
}

TEST(Strings, CaseInTheCLocale) {
  EXPECT_EQ(_stricmp("Hello", "hELLO"), 0);
  EXPECT_LT(_stricmp("_", "a"), 0);  // compared as lower case, so '_' (0x5F) < 'a'
  EXPECT_GT(_stricmp("b", "A"), 0);
  EXPECT_NE(_stricmp("\xC9", "\xE9"), 0);  // only ASCII letters fold
  EXPECT_EQ(_strnicmp("abcX", "ABCy", 3), 0);
  EXPECT_NE(_strnicmp("abcX", "ABCy", 4), 0);
  char text[] = "MiXeD \xC9";
  EXPECT_STREQ(_strlwr(text), "mixed \xC9");
  EXPECT_STREQ(_strupr(text), "MIXED \xC9");
}

struct NumberCase {
  long long value;
  int radix;
  const char* text;
  enum { Int, Long, ULong } kind = Int;
};

TEST(Strings, NumbersToText) {
  const NumberCase cases[] = {
      {.value = -42, .radix = 10, .text = "-42"},
      {.value = -1, .radix = 16, .text = "ffffffff"},  // a '-' only in radix 10
      {.value = 255, .radix = 36, .text = "73"},
      {.value = 0, .radix = 2, .text = "0"},
      {.value = -2147483647LL - 1, .radix = 10, .text = "-2147483648", .kind = NumberCase::Long},
      {.value = 0xFFFFFFFFLL, .radix = 2, .text = "11111111111111111111111111111111", .kind = NumberCase::ULong},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    char buffer[40];
    const char* out = c.kind == NumberCase::Int    ? _itoa(static_cast<int>(c.value), buffer, c.radix)
                      : c.kind == NumberCase::Long ? _ltoa(static_cast<LONG>(c.value), buffer, c.radix)
                                                   : _ultoa(static_cast<ULONG>(c.value), buffer, c.radix);
    EXPECT_EQ(out, buffer);
    EXPECT_STREQ(buffer, c.text);
  }
  char buffer[8];
  errno = 0;
  _itoa(5, buffer, 1);
  EXPECT_EQ(errno, EINVAL);
}

}  // namespace
