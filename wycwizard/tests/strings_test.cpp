// String utilities: the strict integer parse, the bytes-as-text encoding, bounded copies,
// trimming and the case-insensitive comparison.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "toolbox/StrUtil.h"

namespace {

struct IntegerCase {
  const char* text;
  int signedResult;
  LONG signedValue;
  int unsignedResult;
  ULONG unsignedValue;
};

TEST(StrToLongStrict, AcceptsOnlyWhatTheFormSays) {
  const IntegerCase cases[] = {
      {"42", 1, 42, 1, 42},
      {"  -17\t ", 1, -17, -1, 0},
      {"+8", 1, 8, 1, 8},
      {"-2147483648", 1, -2147483647 - 1, -1, 0},
      {"2147483647", 1, 2147483647, 1, 2147483647u},
      {"2147483648", -1, 0, 1, 2147483648u},
      {"-2147483649", -1, 0, -1, 0},
      {"4294967295", -1, 0, 1, 4294967295u},
      {"4294967296", -1, 0, -1, 0},
      {"99999999999999999999999", -1, 0, -1, 0},
      {"-0", 1, 0, -1, 0},
      {"0007", 1, 7, 1, 7},
      {"- 5", -1, 0, -1, 0},
      {"+-5", -1, 0, -1, 0},
      {"5 6", -1, 0, -1, 0},
      {"12abc", -1, 0, -1, 0},
      {"0x10", -1, 0, -1, 0},
      {"1.0", -1, 0, -1, 0},
      {"-", -1, 0, -1, 0},
      {"", 0, 0, 0, 0},
      {" \t", 0, 0, 0, 0},
      {nullptr, 0, 0, 0, 0},
  };
  for (const IntegerCase& c : cases) {
    SCOPED_TRACE(c.text ? std::string("\"") + c.text + "\"" : std::string("NULL"));
    LONG s = 99;
    ULONG u = 99;
    EXPECT_EQ(StrToLongStrict(c.text, &s), c.signedResult);
    EXPECT_EQ(s, c.signedValue);
    EXPECT_EQ(StrToULongStrict(c.text, &u), c.unsignedResult);
    EXPECT_EQ(u, c.unsignedValue);
  }
}

std::string Encoded(const std::vector<unsigned char>& bytes) {
  char* text = DataToText(bytes.data(), static_cast<int>(bytes.size()));
  std::string out = text;
  std::free(text);
  return out;
}

TEST(DataText, PinnedEncoding) {
  // 0xFF 0x00 0x41: top bits 3, 0, 1 -> '0' + 0x31; low bits 0x3F, 0x00, 0x01.
  EXPECT_EQ(Encoded({0xFF, 0x00, 0x41}), "ao01");
  EXPECT_EQ(Encoded({0xC1}), "\x60" "1");  // '0' + (3 << 4), '0' + 1
  EXPECT_EQ(Encoded({0x80, 0x7F}), "T0o");  // top bits (2 << 4) | (1 << 2)
  EXPECT_EQ(Encoded({}), "");
}

TEST(DataText, EveryByteValueAndLengthRoundTrips) {
  for (size_t length = 0; length <= 7; ++length) {
    for (int first = 0; first < 256; ++first) {
      std::vector<unsigned char> bytes(length);
      for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<unsigned char>(first + 37 * i);
      const std::string text = Encoded(bytes);
      ASSERT_EQ(text.size(), length / 3 * 4 + (length % 3 ? length % 3 + 1 : 0));
      for (char c : text) ASSERT_TRUE(c >= '0' && c <= 'o') << "printable, no quote or backslash";
      void* data = reinterpret_cast<void*>(1);
      int count = -1;
      ASSERT_EQ(TextToData(text.c_str(), &data, &count), 1);
      ASSERT_EQ(count, static_cast<int>(length));
      ASSERT_TRUE(length == 0 ? data == nullptr : std::memcmp(data, bytes.data(), length) == 0)
          << "length " << length << " first byte " << first;
      std::free(data);
    }
  }
}

TEST(DataText, DecodingRefusesCharactersNoEncodingWrites) {
  void* data = nullptr;
  int count = 5;
  EXPECT_EQ(TextToData("00 0", &data, &count), -1);
  EXPECT_EQ(TextToData("000p", &data, &count), -1);
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(count, 0);
  // A lone character after the last group decodes to nothing.
  ASSERT_EQ(TextToData("0000" "0", &data, &count), 1);
  EXPECT_EQ(count, 3);
  std::free(data);
}

TEST(StrCopyBounded, CutsAndTerminatesOnlyWhenItMust) {
  char buffer[8];
  std::memset(buffer, 'G', sizeof buffer);
  EXPECT_EQ(StrCopyBounded(buffer, "abc", 8), 1);
  EXPECT_EQ(std::string(buffer, 8), std::string("abc\0GGGG", 8));
  EXPECT_EQ(StrCopyBounded(buffer, "abcdefghij", 5), 0);
  EXPECT_EQ(std::string(buffer, 8), std::string("abcd\0GGG", 8));
  EXPECT_EQ(StrCopyBounded(buffer, "x", 0), 0);
  // Overlapping areas.
  char text[] = "0123456789";
  EXPECT_EQ(StrCopyBounded(text + 2, text, 6), 0);
  EXPECT_STREQ(text, "0101234");
  char shift[] = "..abc";
  EXPECT_EQ(StrCopyBounded(shift, shift + 2, 10), 1);
  EXPECT_STREQ(shift, "abc");
}

TEST(Strings, TrimSkipAndCompare) {
  char* trimmed = StrCopyTrimmed(" \t a b \r\n");
  EXPECT_STREQ(trimmed, "a b");
  std::free(trimmed);
  trimmed = StrCopyTrimmed("   ");
  EXPECT_STREQ(trimmed, "");
  std::free(trimmed);
  EXPECT_EQ(StrCopyTrimmed(nullptr), nullptr);
  EXPECT_EQ(StrCopyNew(nullptr), nullptr);
  EXPECT_STREQ(StrSkipBlanks("  x y"), "x y");
  EXPECT_STREQ(StrSkipToBlank("xy z"), " z");
  EXPECT_STREQ(StrSkipToBlank("xyz"), "");
  EXPECT_EQ(StrHasText(" \t\n"), 0);
  EXPECT_EQ(StrHasText(nullptr), 0);
  EXPECT_EQ(StrHasText(" .\n"), 1);

  EXPECT_EQ(StrCompareNoCase("Abc", "aBC"), 0);
  EXPECT_LT(StrCompareNoCase(nullptr, ""), 0);
  EXPECT_EQ(StrCompareNoCase(nullptr, nullptr), 0);
  EXPECT_LT(StrCompareNoCase("ab", "abc"), 0);
  // By upper-case letters: '_' (0x5F) sorts after 'Z' but before 'a' folded up.
  EXPECT_GT(StrCompareNoCase("_", "a"), 0);
}

}  // namespace
