// wsprintf's printf subset.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "sandbox/sandbox.h"

namespace {

std::string Format(const char* format, ...) {
  char buffer[1100];
  std::memset(buffer, 0x7E, sizeof buffer);
  va_list args;
  va_start(args, format);
  const int n = wvsprintf(buffer, format, args);
  va_end(args);
  EXPECT_EQ(n, static_cast<int>(std::strlen(buffer))) << "the count excludes the NUL";
  return std::string(buffer, n);
}

TEST(Wsprintf, Integers) {
  EXPECT_EQ(Format("%d|%i|%u", -5, 7, 4294967295u), "-5|7|4294967295");
  EXPECT_EQ(Format("%ld|%lu|%lx", static_cast<LONG>(-1), static_cast<ULONG>(3), static_cast<DWORD>(0xBEEF)), "-1|3|beef");
  EXPECT_EQ(Format("[%5d][%-5d][%05d][%05u]", 42, 42, -42, 7u), "[   42][42   ][-0042][00007]");
  EXPECT_EQ(Format("%x %X %#x %#X %#x %08X", 255u, 255u, 255u, 255u, 0u, 0xABCu), "ff FF 0xff 0XFF 0 00000ABC");
  EXPECT_EQ(Format("%.3d|%hd|%hu", 7, 65537, 65537u), "007|1|1");
  EXPECT_EQ(Format("%d", -2147483647 - 1), "-2147483648");
}

TEST(Wsprintf, CharactersAndStrings) {
  EXPECT_EQ(Format("%s|%.2s|%8s|%-4s|", "abc", "abc", "abc", "ab"), "abc|ab|     abc|ab  |");
  EXPECT_EQ(Format("%c%C%hc%lc", 'a', static_cast<int>(u'b'), 'c', static_cast<int>(u'd')), "abcd");
  EXPECT_EQ(Format("%S|%ls|%hs|%.2S", u"wide", u"caf\u00e9", "narrow", u"abc"), "wide|caf\xe9|narrow|ab");
  EXPECT_EQ(Format("%s", static_cast<const char*>(nullptr)), "(null)");
}

TEST(Wsprintf, WideTextFollowsTheCodePage) {
  sandbox::SetCodePage(932);
  EXPECT_EQ(Format("%S", u"\u65E5\u672C"), "\x93\xfa\x96\x7b");
}

TEST(Wsprintf, NoFloatingPointAndUnknownConversionsAreCopied) {
  // %f takes no argument here: the next conversion still gets the next argument.
  EXPECT_EQ(Format("100%% %f %d", 3), "100% f 3");
  EXPECT_EQ(Format("%q|%"), "q|");
}

TEST(Wsprintf, StopsAt1024BytesWithTheNul) {
  const std::string longText(2000, 'x');
  char buffer[1100];
  std::memset(buffer, 0x7E, sizeof buffer);
  EXPECT_EQ(wsprintf(buffer, "%s%s", longText.c_str(), "tail"), 1023);
  EXPECT_EQ(buffer[1023], '\0');
  EXPECT_EQ(buffer[1024], 0x7E) << "nothing past 1024 bytes";
  EXPECT_EQ(std::string(buffer), longText.substr(0, 1023));
}

}  // namespace
