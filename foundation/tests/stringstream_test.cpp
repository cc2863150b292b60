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

TEST(TqStringStream, TrimAndSpaceSearches) {
  CTqStringStream s("  a b  ");
  EXPECT_EQ(*s.FindFirstNonSpace(), 'a');
  s.Trim();
  EXPECT_STREQ(s.GetString(), "a b");
  EXPECT_EQ(s.FindFirstSpace(), static_cast<LPCTSTR>(s.GetString()) + 1);
  CTqStringStream none("ab");
  EXPECT_EQ(none.FindFirstSpace(), nullptr);
  CTqStringStream blank("   ");
  EXPECT_EQ(blank.FindFirstNonSpace(), nullptr);
}

}  // namespace
