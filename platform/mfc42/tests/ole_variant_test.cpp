// COleVariant's constructors, COleDateTime's text, and CByteArray and CLongBinary as variants.
#include <afxdisp.h>

#include <gtest/gtest.h>

#include <cstring>

#include "sandbox/sandbox.h"

namespace {

std::u16string Text(BSTR bstr) { return std::u16string(bstr, SysStringLen(bstr)); }

TEST(OleVariant, ConstructorsGiveThePlatformsVariants) {
  EXPECT_EQ(COleVariant().vt, VT_EMPTY);
  const COleVariant text("caf\xE9");
  EXPECT_EQ(text.vt, VT_BSTR);
  EXPECT_EQ(Text(text.bstrVal), u"caf\u00e9");
  const COleVariant raw("caf\xE9", VT_BSTRT);
  EXPECT_EQ(raw.vt, VT_BSTR);
  EXPECT_EQ(SysStringByteLen(raw.bstrVal), 4u) << "the ANSI bytes, unconverted";
  EXPECT_EQ(std::memcmp(raw.bstrVal, "caf\xE9", 4), 0);
  const COleVariant none(static_cast<LPCTSTR>(NULL));
  EXPECT_EQ(none.vt, VT_BSTR);
  EXPECT_EQ(none.bstrVal, nullptr);

  const COleVariant byte(BYTE(200));
  EXPECT_EQ(byte.vt, VT_UI1);
  EXPECT_EQ(byte.bVal, 200);
  const COleVariant truth(short(5), VT_BOOL);
  EXPECT_EQ(truth.vt, VT_BOOL);
  EXPECT_EQ(truth.boolVal, VARIANT_TRUE);
  const COleVariant error(LONG(0x80004005), VT_ERROR);
  EXPECT_EQ(error.vt, VT_ERROR);
  EXPECT_EQ(error.scode, static_cast<SCODE>(0x80004005));
  const COleVariant money(COleCurrency(12, 3456));
  EXPECT_EQ(money.vt, VT_CY);
  EXPECT_EQ(money.cyVal.int64, 123456);
  const COleVariant when(COleDateTime(36526.5));
  EXPECT_EQ(when.vt, VT_DATE);
  EXPECT_EQ(when.date, 36526.5);

  const COleVariant copy(text);
  EXPECT_NE(copy.bstrVal, text.bstrVal) << "a deep copy";
  EXPECT_EQ(Text(copy.bstrVal), u"caf\u00e9");
}

TEST(OleVariant, ByteArraysAndLongBinariesBecomeArraysOfBytes) {
  const size_t arrays = sandbox::LiveSafeArrays();
  {
    CByteArray bytes;
    bytes.Add(1);
    bytes.Add(2);
    bytes.SetAtGrow(3, 4);
    const COleVariant fromArray(bytes);
    EXPECT_EQ(fromArray.vt, VT_ARRAY | VT_UI1);
    ASSERT_EQ(fromArray.parray->rgsabound[0].cElements, 4u);
    EXPECT_EQ(std::memcmp(fromArray.parray->pvData, "\x01\x02\x00\x04", 4), 0);

    CLongBinary binary;
    binary.m_hData = GlobalAlloc(GMEM_MOVEABLE, 8);
    std::memcpy(GlobalLock(binary.m_hData), "abcdefgh", 8);
    GlobalUnlock(binary.m_hData);
    binary.m_dwDataLength = 3;
    const COleVariant fromBinary(binary);
    EXPECT_EQ(fromBinary.vt, VT_ARRAY | VT_UI1);
    ASSERT_EQ(fromBinary.parray->rgsabound[0].cElements, 3u) << "only the counted bytes";
    EXPECT_EQ(std::memcmp(fromBinary.parray->pvData, "abc", 3), 0);
    EXPECT_EQ(GlobalUnlock(binary.m_hData), FALSE) << "the block was unlocked again";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));

    const COleVariant empty{CByteArray()};
    EXPECT_EQ(empty.parray->rgsabound[0].cElements, 0u);
    EXPECT_EQ(sandbox::LiveSafeArrays(), arrays + 3);
  }
  EXPECT_EQ(sandbox::LiveSafeArrays(), arrays) << "the destructor clears";
}

TEST(OleVariant, NoArrayIsTheMemoryException) {
  CByteArray bytes;
  bytes.Add(1);
  sandbox::InjectAutomationFailure("SafeArrayCreate");
  try {
    COleVariant v(bytes);
    ADD_FAILURE() << "nothing thrown";
  } catch (CMemoryException* e) {
    e->Delete();
  }
}

TEST(OleDateTime, FormatsAsTheEnUsLocaleWritesIt) {
  EXPECT_EQ(std::string(COleDateTime(36526.75).Format()), "1/1/2000 6:00:00 PM");
  EXPECT_EQ(std::string(COleDateTime(36526.75).Format(VAR_DATEVALUEONLY, LANG_USER_DEFAULT)), "1/1/2000");
  VARIANT byReference;
  DATE date = 2.0;
  byReference.vt = VT_DATE | VT_BYREF;
  byReference.pdate = &date;
  EXPECT_EQ(std::string(COleDateTime(byReference).Format()), "1/1/1900");
  EXPECT_EQ(COleDateTime(3e6).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(std::string(COleDateTime(3e6).Format()), "Invalid DateTime");
  COleDateTime null;
  null.SetStatus(COleDateTime::null);
  EXPECT_EQ(std::string(null.Format()), "");
}

}  // namespace
