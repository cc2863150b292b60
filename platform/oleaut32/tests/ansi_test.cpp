// ANSI text and BSTRs: conversion through the process code page, '?' for what it cannot hold.
#include <comdef.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sandbox/sandbox.h"

namespace {

std::u16string Wide(const _bstr_t& b) { return std::u16string(static_cast<const OLECHAR*>(b), b.length()); }

TEST(AnsiConversion, ThroughTheProcessCodePage) {
  struct Case {
    const char* name;
    unsigned codePage;
    const char16_t* wide;
    const char* ansi;
    bool roundTrip;  // the ANSI text reads back as the wide text
  };
  const Case cases[] = {
      {.name = "cp1252 upper half", .codePage = 1252, .wide = u"caf\u00e9 \u20ac 5", .ansi = "caf\xe9 \x80 5",
       .roundTrip = true},
      {.name = "cp1252 cannot hold Cyrillic", .codePage = 1252, .wide = u"a\u0416b", .ansi = "a?b", .roundTrip = false},
      {.name = "cp932 double-byte and half-width", .codePage = 932, .wide = u"\u6f22\uff71x", .ansi = "\x8a\xbf\xb1x",
       .roundTrip = true},
      {.name = "cp932 holds Cyrillic", .codePage = 932, .wide = u"\u0416", .ansi = "\x84\x47", .roundTrip = true},
      {.name = "cp932 cannot hold the euro sign", .codePage = 932, .wide = u"\u20ac1", .ansi = "?1",
       .roundTrip = false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sandbox::SetCodePage(c.codePage);
    const _bstr_t fromWide(c.wide);
    EXPECT_STREQ(static_cast<const char*>(fromWide), c.ansi);
    std::unique_ptr<char[]> converted(_com_util::ConvertBSTRToString(fromWide.copy(false)));
    EXPECT_STREQ(converted.get(), c.ansi);
    if (c.roundTrip) {
      EXPECT_EQ(Wide(_bstr_t(c.ansi)), c.wide);
      BSTR back = _com_util::ConvertStringToBSTR(c.ansi);
      EXPECT_EQ(std::u16string(back, SysStringLen(back)), c.wide);
      SysFreeString(back);
    }
  }
}

TEST(AnsiConversion, NullEmptyAndEmbeddedNul) {
  EXPECT_EQ(_com_util::ConvertStringToBSTR(nullptr), nullptr);
  EXPECT_EQ(_com_util::ConvertBSTRToString(nullptr), nullptr);
  BSTR empty = _com_util::ConvertStringToBSTR("");
  ASSERT_NE(empty, nullptr);  // the empty string, not a null one
  EXPECT_EQ(SysStringLen(empty), 0u);
  SysFreeString(empty);
  // A C string ends at the first NUL, wherever the BSTR ends.
  const OLECHAR text[] = {u'a', 0, u'b'};
  BSTR withNul = SysAllocStringLen(text, 3);
  std::unique_ptr<char[]> converted(_com_util::ConvertBSTRToString(withNul));
  EXPECT_STREQ(converted.get(), "a");
  SysFreeString(withNul);
}

TEST(AnsiConversion, MultiByteFormFollowsTheCodePageOfItsFirstUse) {
  // The ANSI form is made once and kept with the string, as the support library does.
  sandbox::SetCodePage(1252);
  const _bstr_t text(u"\u20ac");
  EXPECT_STREQ(static_cast<const char*>(text), "\x80");
  sandbox::SetCodePage(932);
  EXPECT_STREQ(static_cast<const char*>(text), "\x80");
  EXPECT_STREQ(static_cast<const char*>(_bstr_t(u"\u20ac")), "?");
}

}  // namespace
