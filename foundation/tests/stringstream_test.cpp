#include <gtest/gtest.h>

#include <climits>

#include "TqStringStream.h"
#include "sandbox/sandbox.h"

using namespace TQ;

namespace {

TEST(TqStringStream, TokensAreSeparatedByWhiteSpace) {
  CTqStringStream s("  abc  def");
  CString token = "poison";
  s >> token;
  EXPECT_STREQ(token, "abc");
  s >> token;
  EXPECT_STREQ(token, "def");
  EXPECT_TRUE(s.AtEnd());
  s >> token;
  EXPECT_STREQ(token, "def") << "at the end the target is left as it was";
  s.Rewind();
  s >> token;
  EXPECT_STREQ(token, "abc");
  CTqStringStream blanks(" \t\r\n");
  token = "kept";
  blanks >> token;
  EXPECT_STREQ(token, "kept");
}

TEST(TqStringStream, ADoubleByteCharacterIsNeverSplit) {
  sandbox::SetCodePage(932);
  CTqStringStream s("a\x81\x20z next");  // lead byte 0x81 with a trail byte that looks like a blank
  CString token;
  s >> token;
  EXPECT_STREQ(token, "a\x81\x20z");
  s >> token;
  EXPECT_STREQ(token, "next");
}

TEST(TqStringStream, HighBytesAreNeverWhiteSpace) {
  CTqStringStream s("\xA0word\x85 x");
  CString token;
  s >> token;
  EXPECT_STREQ(token, "\xA0word\x85");
}

TEST(TqStringStream, TypedExtraction) {
  CTqStringStream s("12 x");
  int value = -1;
  s >> value;
  EXPECT_EQ(value, 12);
  EXPECT_FALSE(s.AtEnd());
  CString rest;
  CTqStringStream copy(s);
  copy >> rest;
  EXPECT_STREQ(rest, "x") << "the read position stopped after the digits";
  s >> value;
  EXPECT_EQ(value, 12) << "a failed conversion leaves the value";
  EXPECT_TRUE(s.AtEnd()) << "and moves to the end";

  CTqStringStream numbers("-7 65000 4294967295 2.5 0.125 q");
  short sh = 0;
  unsigned short us = 0;
  unsigned int ui = 0;
  float f = 0;
  double d = 0;
  char c = 0;
  numbers >> sh >> us >> ui >> f >> d >> c;
  EXPECT_EQ(sh, -7);
  EXPECT_EQ(us, 65000);
  EXPECT_EQ(ui, 4294967295u);
  EXPECT_FLOAT_EQ(f, 2.5f);
  EXPECT_DOUBLE_EQ(d, 0.125);
  EXPECT_EQ(c, ' ') << "%c takes the very next byte";
}

TEST(TqStringStream, InsertionFormatsEachType) {
  CTqStringStream s;
  s << 4294967295ul << CString("|") << 'c' << CString("|") << -5 << CString("|") << 2.5f << CString("|") << 0.1
    << CString("|") << static_cast<unsigned short>(65535) << CString("|") << static_cast<short>(-1)
    << CString("|") << static_cast<unsigned char>('u');
  EXPECT_STREQ(s.GetString(), "4294967295|c|-5|2.5|0.1|65535|-1|u");
}

// long and unsigned long are 32 bits wide, as on Windows, whatever the host's long is.
TEST(TqStringStream, LongsAreThirtyTwoBits) {
  const struct {
    const char* text;
    long asLong;
    unsigned long asUnsigned;
  } rows[] = {
      {"-1", -1, 4294967295ul},
      {"4294967295", -1, 4294967295ul},
      {"2147483648", -2147483647l - 1, 2147483648ul},
      {"4294967296", 0, 0},  // past 32 bits the value wraps around
      {"99999999999", 1215752191, 1215752191ul},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    long asLong = 7;
    unsigned long asUnsigned = 7;
    CTqStringStream(row.text) >> asLong;
    CTqStringStream(row.text) >> asUnsigned;
    EXPECT_EQ(asLong, row.asLong);
    EXPECT_EQ(asUnsigned, row.asUnsigned);
  }
  CTqStringStream s;
  s << ~0ul << CString("|") << -1l << CString("|") << ~0l;
  EXPECT_STREQ(s.GetString(), "4294967295|-1|-1");
}

// As the platform's run time writes them: three exponent digits, and a NUL character appends
// nothing.
TEST(TqStringStream, InsertionWritesThePlatformsForms) {
  CTqStringStream s;
  s << 1e20 << CString("|") << 1e-5f << CString("|") << '\0' << CString("|");
  EXPECT_STREQ(s.GetString(), "1e+020|1e-005||");
  EXPECT_EQ(s.GetString().GetLength(), 15);
}

// Searches and Trim step by character: a trail byte 0x20 is no blank.
TEST(TqStringStream, TrimAndSpaceSearches) {
  const struct {
    UINT codePage;
    const char* text;
    int firstSpace;     // offset, -1 for none
    int firstNonSpace;  // offset, -1 for none
    const char* trimmed;
  } rows[] = {
      {1252, "  a b  ", 0, 2, "a b"},
      {1252, "a b", 1, 0, "a b"},
      {1252, "ab", -1, 0, "ab"},
      {1252, "   ", 0, -1, ""},
      {932, "a\x81\x20z b", 4, 0, "a\x81\x20z b"},
      {932, " \x81\x20", 0, 1, "\x81\x20"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    sandbox::SetCodePage(row.codePage);
    CTqStringStream s(row.text);
    LPCTSTR start = s.GetString();
    EXPECT_EQ(s.FindFirstSpace() ? s.FindFirstSpace() - start : -1, row.firstSpace);
    EXPECT_EQ(s.FindFirstNonSpace() ? s.FindFirstNonSpace() - start : -1, row.firstNonSpace);
    s.Trim();
    EXPECT_STREQ(s.GetString(), row.trimmed);
  }
}

}  // namespace
