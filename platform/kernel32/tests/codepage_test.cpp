#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "sandbox/sandbox.h"

namespace {

std::u16string Decode(const std::string& bytes) {
  WCHAR out[64];
  const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), out, 64);
  return std::u16string(out, n);
}

std::string Encode(const std::u16string& text, BOOL* usedDefault = nullptr) {
  char out[64];
  const int n =
      WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out, 64, nullptr, usedDefault);
  return std::string(out, n);
}

TEST(CodePage, DefaultIs1252WithItsHighTable) {
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_EQ(Decode("\x80\xE9\x81"), std::u16string(u"\u20AC\u00E9\u0081"));
  BOOL used = 0xdead;
  EXPECT_EQ(Encode(u"\u20AC\u00E9", &used), "\x80\xE9");
  EXPECT_FALSE(used);
  EXPECT_EQ(Encode(u"\u65E5", &used), "?");  // no such character in 1252
  EXPECT_TRUE(used);
  EXPECT_FALSE(IsDBCSLeadByte(0x81));
}

// ASCII runs are converted several units at a time: a character of another kind may stand
// anywhere in or after such a run and must come out as it would alone.
TEST(CodePage, LongTextsKeepEveryCharacterWhereverItStands) {
  BOOL used = 0xdead;
  EXPECT_EQ(Encode(u"abcdefg\u20ACxyz\u0080abcdefgh\u00E9", &used), "abcdefg\x80xyz?abcdefgh\xE9");
  EXPECT_TRUE(used) << "U+0080 has no place in 1252";
  EXPECT_EQ(Encode(u"abcdefghijklmnopq", &used), "abcdefghijklmnopq");
  EXPECT_FALSE(used);
  EXPECT_EQ(Decode("abcdefg\x80xyz\x81" "abcdefgh\xE9"), std::u16string(u"abcdefg\u20ACxyz\u0081abcdefgh\u00E9"));
}

TEST(CodePage, DoubleByte932) {
  sandbox::SetCodePage(932);
  EXPECT_EQ(GetACP(), 932u);
  EXPECT_TRUE(IsDBCSLeadByte(0x81));
  EXPECT_TRUE(IsDBCSLeadByte(0xE0));
  EXPECT_FALSE(IsDBCSLeadByte(0xA0));  // half-width katakana are single bytes
  EXPECT_FALSE(IsDBCSLeadByte('\\'));
  // U+8868 is 0x95 0x5C in 932: its trail byte is a backslash.
  EXPECT_EQ(Decode("\x95\x5C"), std::u16string(u"\u8868"));
  EXPECT_EQ(Encode(u"\u8868\u65E5"), "\x95\x5C\x93\xFA");
  // The size query counts UTF-16 units and the terminating NUL when the length is -1.
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "\x95\x5C" "a", -1, nullptr, 0), 3);
}

TEST(CodePage, CharPrevNeverLandsOnATrailByte) {
  sandbox::SetCodePage(932);
  const char text[] = "a\x95\x5C" "b";
  EXPECT_EQ(CharPrev(text, text + 3), text + 1);  // back over the double-byte character
  EXPECT_EQ(CharNext(text + 1), text + 3);
  EXPECT_EQ(CharNext(text + 4), text + 4);  // never past the NUL
}

TEST(CodePage, InsufficientBuffer) {
  WCHAR out[2];
  SetLastError(0xdeadbeef);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 3, out, 2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(CodePage, ResetGoesBackTo1252) {
  sandbox::SetCodePage(932);
  sandbox::Reset();
  EXPECT_EQ(GetACP(), 1252u);
}

}  // namespace
