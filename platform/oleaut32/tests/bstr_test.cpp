// BSTR: the byte length before the pointer, the NUL after the text, embedded NULs.
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstring>

#include "sandbox/sandbox.h"

namespace {

DWORD StoredLength(BSTR s) {
  DWORD n;
  std::memcpy(&n, reinterpret_cast<const BYTE*>(s) - sizeof(DWORD), sizeof n);
  return n;
}

TEST(Bstr, LengthPrefixAndTerminator) {
  BSTR s = SysAllocString(u"Sablewing");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(StoredLength(s), 18u);  // bytes, without the terminator
  EXPECT_EQ(SysStringLen(s), 9u);
  EXPECT_EQ(SysStringByteLen(s), 18u);
  EXPECT_EQ(s[9], 0);
  SysFreeString(s);
}

TEST(Bstr, EmbeddedNulIsPartOfTheString) {
  const OLECHAR text[] = {u'a', 0, u'b'};
  BSTR s = SysAllocStringLen(text, 3);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(SysStringLen(s), 3u);
  EXPECT_EQ(std::memcmp(s, text, sizeof text), 0);
  EXPECT_EQ(s[3], 0);
  SysFreeString(s);
}

TEST(Bstr, NullAndEmpty) {
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
  SysFreeString(nullptr);
  BSTR empty = SysAllocStringLen(nullptr, 0);  // an empty string is not a null one
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(SysStringLen(empty), 0u);
  EXPECT_EQ(empty[0], 0);
  SysFreeString(empty);
  BSTR blank = SysAllocStringLen(nullptr, 4);  // room for four characters, zeroed
  ASSERT_NE(blank, nullptr);
  EXPECT_EQ(SysStringLen(blank), 4u);
  SysFreeString(blank);
}

TEST(Bstr, ByteLengthKeepsBytesAndOddLengths) {
  // No code-page conversion: the bytes go in as they are, an odd count included.
  BSTR s = SysAllocStringByteLen("\x80\xff\x01", 3);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(SysStringByteLen(s), 3u);
  EXPECT_EQ(SysStringLen(s), 1u);
  EXPECT_EQ(std::memcmp(s, "\x80\xff\x01", 4), 0);  // followed by a zero byte
  EXPECT_EQ(reinterpret_cast<const BYTE*>(s)[4], 0);  // and a whole NUL character
  SysFreeString(s);
}

TEST(Bstr, ReallocationMayCopyFromTheStringItself) {
  BSTR s = SysAllocString(u"component");
  ASSERT_EQ(SysReAllocString(&s, s + 4), TRUE);  // "onent", read before the old string goes
  EXPECT_EQ(std::u16string(s, SysStringLen(s)), u"onent");
  ASSERT_EQ(SysReAllocStringLen(&s, s, 2), TRUE);
  EXPECT_EQ(std::u16string(s, SysStringLen(s)), u"on");
  EXPECT_EQ(SysReAllocString(nullptr, u"x"), FALSE);
  SysFreeString(s);
}

}  // namespace
