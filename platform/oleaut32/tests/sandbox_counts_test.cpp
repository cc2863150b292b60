// The sandbox's counts of live BSTRs and arrays, and failures injected into the array calls.
#include <oleauto.h>

#include <gtest/gtest.h>

#include "sandbox/sandbox.h"

namespace {

TEST(AutomationSandbox, CountsLiveBstrsAndArraysThroughCopies) {
  const size_t bstrs = sandbox::LiveBstrs(), arrays = sandbox::LiveSafeArrays();
  BSTR text = SysAllocString(u"abc");
  EXPECT_EQ(sandbox::LiveBstrs(), bstrs + 1);
  SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, 2);
  LONG index = 1;
  ASSERT_EQ(SafeArrayPutElement(array, &index, text), S_OK);
  EXPECT_EQ(sandbox::LiveBstrs(), bstrs + 2) << "the element is a copy";
  EXPECT_EQ(sandbox::LiveSafeArrays(), arrays + 1);
  VARIANT v, copy;
  VariantInit(&copy);
  v.vt = VT_ARRAY | VT_BSTR;
  v.parray = array;
  ASSERT_EQ(VariantCopy(&copy, &v), S_OK);
  EXPECT_EQ(sandbox::LiveSafeArrays(), arrays + 2);
  EXPECT_EQ(sandbox::LiveBstrs(), bstrs + 3);
  VariantClear(&copy);
  VariantClear(&v);
  SysFreeString(text);
  EXPECT_EQ(sandbox::LiveBstrs(), bstrs);
  EXPECT_EQ(sandbox::LiveSafeArrays(), arrays);
}

TEST(AutomationSandbox, InjectedArrayFailuresChangeNothingAndPassOnce) {
  const size_t arrays = sandbox::LiveSafeArrays();
  sandbox::InjectAutomationFailure("SafeArrayCreate");
  SAFEARRAYBOUND bound{.cElements = 2, .lLbound = 0};
  EXPECT_EQ(SafeArrayCreate(VT_I4, 1, &bound), nullptr);
  EXPECT_EQ(sandbox::LiveSafeArrays(), arrays);
  SAFEARRAY* array = SafeArrayCreate(VT_I4, 1, &bound);
  ASSERT_NE(array, nullptr) << "one failure only";

  LONG index = 0, value = 7;
  ASSERT_EQ(SafeArrayPutElement(array, &index, &value), S_OK);
  sandbox::InjectAutomationFailure("SafeArrayPutElement", DISP_E_BADINDEX);
  LONG other = 9;
  EXPECT_EQ(SafeArrayPutElement(array, &index, &other), DISP_E_BADINDEX);
  LONG read = 0;
  ASSERT_EQ(SafeArrayGetElement(array, &index, &read), S_OK);
  EXPECT_EQ(read, 7) << "the element keeps its value";

  sandbox::InjectAutomationFailure("SafeArrayAccessData", E_UNEXPECTED);
  void* data = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(SafeArrayAccessData(array, &data), E_UNEXPECTED);
  EXPECT_EQ(array->cLocks, 0u) << "not locked";
  EXPECT_EQ(SafeArrayDestroy(array), S_OK);
  EXPECT_EQ(sandbox::LiveSafeArrays(), arrays);

  EXPECT_THROW(sandbox::InjectAutomationFailure("SafeArrayDestroy"), std::invalid_argument);
  EXPECT_THROW(sandbox::InjectAutomationFailure("SafeArrayCreate", S_FALSE), std::invalid_argument);
}

TEST(VarBstrFromDate, WritesTheEnUsFormLeavingOutDayZeroAndMidnight) {
  struct Case {
    double date;
    ULONG flags;
    const char16_t* want;
  };
  const Case cases[] = {
      {.date = 0.0, .flags = 0, .want = u"12:00:00 AM"},
      {.date = 0.5, .flags = 0, .want = u"12:00:00 PM"},
      {.date = 1.0, .flags = 0, .want = u"12/31/1899"},
      {.date = 36526.75, .flags = 0, .want = u"1/1/2000 6:00:00 PM"},
      {.date = 36526.0 + 13.0 / 24 + 5.0 / 1440 + 9.0 / 86400, .flags = 0, .want = u"1/1/2000 1:05:09 PM"},
      {.date = -1.25, .flags = 0, .want = u"12/29/1899 6:00:00 AM"},
      {.date = -657434.0, .flags = 0, .want = u"1/1/0100"},
      {.date = 2958465.0, .flags = 0, .want = u"12/31/9999"},
      {.date = 36526.75, .flags = VAR_DATEVALUEONLY, .want = u"1/1/2000"},
      {.date = 36526.75, .flags = VAR_TIMEVALUEONLY, .want = u"6:00:00 PM"},
      {.date = 36526.0, .flags = VAR_TIMEVALUEONLY, .want = u"12:00:00 AM"},
      {.date = 0.0, .flags = VAR_DATEVALUEONLY, .want = u"12/30/1899"},
      {.date = 1.0 - 0.1 / 86400, .flags = 0, .want = u"12/31/1899"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.date);
    BSTR text = nullptr;
    ASSERT_EQ(VarBstrFromDate(c.date, 0x0409, c.flags, &text), S_OK);
    EXPECT_EQ(std::u16string(text, SysStringLen(text)), std::u16string(c.want));
    SysFreeString(text);
  }
  BSTR untouched = reinterpret_cast<BSTR>(0x1);
  EXPECT_EQ(VarBstrFromDate(-657435.0, 0x0400, 0, &untouched), E_INVALIDARG);
  EXPECT_EQ(VarBstrFromDate(2958466.0, 0x0400, 0, &untouched), E_INVALIDARG);
  EXPECT_EQ(untouched, reinterpret_cast<BSTR>(0x1));
}

}  // namespace
