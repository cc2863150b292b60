#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "TqComplexT.h"
#include "TqSafeArray.h"
#include "TqVariant.h"
#include "sandbox/sandbox.h"

using namespace TQ;

namespace {

CTqVariant Text(const char16_t* text) {
  CTqVariant v;
  v.vt = VT_BSTR;
  v.bstrVal = text ? SysAllocString(text) : nullptr;
  return v;
}

template <typename Field>
CTqVariant Typed(VARTYPE vt, Field VARIANT::*field, Field value) {
  CTqVariant v;
  v.vt = vt;
  v.*field = value;
  return v;
}

// Every conversion and the text form by VT, the VT_BYREF forms through their pointers.
TEST(Variant, ConversionsAndTextByType) {
  LONG nine = 9;
  BSTR seven = SysAllocString(u"7");
  double half = 0.5;
  struct Case {
    const char* name;
    CTqVariant v;
    char c;
    unsigned char uc;
    short s;
    unsigned short us;
    LONG l;
    float f;
    double d;
    bool b;
    const char* text;
  };
  const Case cases[] = {
      {"VT_I2 -2", CTqVariant(short(-2)), -2, 254, -2, 65534, -2, -2, -2, true, "-2"},
      {"VT_I4 70000", CTqVariant(70000), 112, 112, 4464, 4464, 70000, 70000, 70000, true, "70000"},
      {"VT_UI4 max", Typed(VT_UI4, &VARIANT::ulVal, ULONG(0xFFFFFFFF)), -1, 255, -1, 65535, -1, 4294967296.0f,
       4294967295.0, true, "4294967295"},
      {"VT_I1 65", Typed(VT_I1, &VARIANT::cVal, CHAR(65)), 65, 65, 65, 65, 65, 65, 65, true, "A"},
      {"VT_UI1 200", CTqVariant(static_cast<unsigned char>(200)), -56, 200, 200, 200, 200, 200, 200, true, "\xC8"},
      {"VT_UI2 65535", Typed(VT_UI2, &VARIANT::uiVal, USHORT(65535)), -1, 255, -1, 65535, 65535, 65535, 65535, true,
       "65535"},
      {"VT_R8 -2.7", CTqVariant(-2.7), -2, 254, -2, 65534, -2, -2.7f, -2.7, true, "-2.7"},
      {"VT_R8 0.1", CTqVariant(0.1), 0, 0, 0, 0, 0, 0.1f, 0.1, true, "0.1"},
      {"VT_R8 1e20", CTqVariant(1e20), 0, 0, 0, 0, 1661992960, 1e20f, 1e20, true, "1e+020"},
      {"VT_R4 0.1", CTqVariant(0.1f), 0, 0, 0, 0, 0, 0.1f, double(0.1f), true, "0.1"},
      {"VT_BOOL true", CTqVariant(true), 1, 1, 1, 1, 1, 1, 1, true, ""},
      {"VT_BOOL 2", Typed(VT_BOOL, &VARIANT::boolVal, VARIANT_BOOL(2)), 1, 1, 1, 1, 1, 1, 1, true, ""},
      {"VT_BOOL false", CTqVariant(false), 0, 0, 0, 0, 0, 0, 0, false, ""},
      {"text A", Text(u"A"), 65, 65, 0, 0, 0, 0, 0, false, "A"},
      {"text 0x10", Text(u"0x10"), '0', '0', 16, 16, 16, 0, 0, true, "0x10"},
      {"text 010", Text(u"010"), '0', '0', 8, 8, 8, 10, 10, true, "010"},
      {"text -2.5", Text(u"-2.5"), '-', '-', -2, 65534, -2, -2.5f, -2.5, true, "-2.5"},
      {"text e acute", Text(u"\u00e9"), '\xE9', 0xE9, 0, 0, 0, 0, 0, false, "\xE9"},
      {"empty text", Text(u""), 0, 0, 0, 0, 0, 0, 0, false, ""},
      {"NULL BSTR", Text(nullptr), 0, 0, 0, 0, 0, 0, 0, false, ""},
      {"VT_I4 by reference", Typed(VT_I4 | VT_BYREF, &VARIANT::plVal, &nine), 9, 9, 9, 9, 9, 9, 9, true, "9"},
      {"VT_R8 by reference", Typed(VT_R8 | VT_BYREF, &VARIANT::pdblVal, &half), 0, 0, 0, 0, 0, 0.5f, 0.5, true,
       "0.5"},
      {"VT_BSTR by reference", Typed(VT_BSTR | VT_BYREF, &VARIANT::pbstrVal, &seven), '7', '7', 7, 7, 7, 7, 7, true,
       "7"},
      {"null reference", Typed(VT_I4 | VT_BYREF, &VARIANT::plVal, static_cast<LONG*>(nullptr)), 0, 0, 0, 0, 0, 0, 0,
       false, ""},
      {"null text reference", Typed(VT_BSTR | VT_BYREF, &VARIANT::pbstrVal, static_cast<BSTR*>(nullptr)), 0, 0, 0, 0,
       0, 0, 0, false, ""},
      {"VT_EMPTY", CTqVariant(), 0, 0, 0, 0, 0, 0, 0, false, ""},
      {"VT_CY", CTqVariant(COleCurrency(3, 0)), 0, 0, 0, 0, 0, 0, 0, false, ""},
      {"VT_ERROR", Typed(VT_ERROR, &VARIANT::scode, SCODE(5)), 0, 0, 0, 0, 0, 0, 0, false, ""},
      {"VT_DATE", CTqVariant(COleDateTime(36526.5)), 0, 0, 0, 0, 0, 0, 0, false, "1/1/2000 12:00:00 PM"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.v.ToChar(), c.c);
    EXPECT_EQ(c.v.ToUChar(), c.uc);
    EXPECT_EQ(c.v.ToShort(), c.s);
    EXPECT_EQ(c.v.ToUShort(), c.us);
    EXPECT_EQ(c.v.ToLong(), c.l);
    EXPECT_EQ(c.v.ToFloat(), c.f);
    EXPECT_EQ(c.v.ToDouble(), c.d);
    EXPECT_EQ(c.v.ToBool(), c.b);
    CString text("poison");
    c.v.ToString(text);
    EXPECT_EQ(std::string(text), c.text);
  }
  SysFreeString(seven);
}

TEST(Variant, NotANumberIsZeroAndFalse) {
  const CTqVariant nan(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(nan.ToLong(), 0);
  EXPECT_EQ(nan.ToChar(), 0);
  EXPECT_FALSE(nan.ToBool());
  EXPECT_TRUE(std::isnan(nan.ToDouble()));
}

TEST(Variant, ConstructorsGiveTheVariantsOfTheTable) {
  struct Case {
    const char* name;
    CTqVariant v;
    VARTYPE vt;
    LONGLONG bits;  // the value's first bytes, where it has one
  };
  const Case cases[] = {
      {"char", CTqVariant('A'), VT_UI1, 65},
      {"signed 8-bit -1", CTqVariant(static_cast<char>(-1)), VT_UI1, 255},
      {"unsigned 8-bit", CTqVariant(static_cast<unsigned char>(200)), VT_UI1, 200},
      {"true", CTqVariant(true), VT_BOOL, 0xFFFF},
      {"false", CTqVariant(false), VT_BOOL, 0},
      {"int", CTqVariant(-5), VT_I4, 0xFFFFFFFB},
      {"long", CTqVariant(-5L), VT_I4, 0xFFFFFFFB},
      {"short", CTqVariant(short(-5)), VT_I2, 0xFFFB},
      {"float", CTqVariant(1.0f), VT_R4, 0x3F800000},
      {"double", CTqVariant(1.0), VT_R8, 0x3FF0000000000000},
      {"currency", CTqVariant(COleCurrency(1, 2)), VT_CY, 10002},
      {"date", CTqVariant(COleDateTime(1.0)), VT_DATE, 0x3FF0000000000000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.v.vt, c.vt);
    const int bytes = c.vt == VT_UI1 ? 1 : (c.vt == VT_I2 || c.vt == VT_BOOL) ? 2 : (c.vt == VT_I4 || c.vt == VT_R4) ? 4 : 8;
    const ULONGLONG mask = bytes == 8 ? ~0ULL : (1ULL << (8 * bytes)) - 1;
    EXPECT_EQ(static_cast<ULONGLONG>(c.v.llVal) & mask, static_cast<ULONGLONG>(c.bits));
  }
  const CTqVariant text(CString("caf\xE9"));
  EXPECT_EQ(text.vt, VT_BSTR);
  EXPECT_EQ(std::u16string(text.bstrVal), u"caf\u00e9");
  const CTqVariant raw("ab", VT_BSTRT);
  EXPECT_EQ(SysStringByteLen(raw.bstrVal), 2u);
  CByteArray bytes;
  bytes.Add(7);
  EXPECT_EQ(CTqVariant(bytes).vt, VT_ARRAY | VT_UI1);
  CLongBinary binary;
  EXPECT_EQ(CTqVariant(binary).vt, VT_ARRAY | VT_UI1);
  const CTqVariant copy(static_cast<const VARIANT&>(text));
  EXPECT_NE(copy.bstrVal, text.bstrVal);
}

TEST(Variant, CopyToClearsTheTargetAndCopiesDeeply) {
  const size_t bstrs = sandbox::LiveBstrs();
  {
    const CTqVariant source("new");
    VARIANT target;
    target.vt = VT_BSTR;
    target.bstrVal = SysAllocString(u"old");
    source.CopyTo(&target);
    EXPECT_EQ(target.vt, VT_BSTR);
    EXPECT_NE(target.bstrVal, source.bstrVal);
    EXPECT_EQ(std::u16string(target.bstrVal), u"new");
    EXPECT_EQ(sandbox::LiveBstrs(), bstrs + 2) << "the old text was freed";
    VariantClear(&target);
  }
  EXPECT_EQ(sandbox::LiveBstrs(), bstrs);
}

TEST(ComplexVariant, MakerGivesTaggedVariantsOfTheNumericTypesOnly) {
  for (VARTYPE vt = 0; vt <= 21; ++vt) {
    SCOPED_TRACE(vt);
    const bool numeric = (vt >= VT_I2 && vt <= VT_R8) || (vt >= VT_I1 && vt <= VT_UI4);
    CTqVariant v("replaced");
    void* re = reinterpret_cast<void*>(0x1);
    void* im = reinterpret_cast<void*>(0x1);
    MakeComplexVariant(&v, vt, &re, &im);
    if (!numeric) {
      EXPECT_EQ(v.vt, VT_EMPTY);
      EXPECT_EQ(re, reinterpret_cast<void*>(0x1)) << "places not set";
      continue;
    }
    ASSERT_EQ(v.vt, VT_ARRAY | VT_VARIANT);
    ASSERT_EQ(SafeArrayGetDim(v.parray), 1u);
    ASSERT_EQ(v.parray->rgsabound[0].cElements, 3u);
    EXPECT_EQ(v.parray->cLocks, 0u) << "access given back";
    const VARIANT* elements = static_cast<const VARIANT*>(v.parray->pvData);
    EXPECT_EQ(elements[0].vt, VT_BSTR);
    EXPECT_EQ(std::u16string(elements[0].bstrVal), u"2D5DD562-655B-11d3-BAFB-00500486B583");
    EXPECT_EQ(elements[1].vt, vt);
    EXPECT_EQ(elements[2].vt, vt);
    EXPECT_EQ(elements[1].llVal, 0);
    EXPECT_EQ(re, &elements[1].llVal);
    EXPECT_EQ(im, &elements[2].llVal);
    void* re2 = nullptr;
    void* im2 = nullptr;
    VARTYPE found = 0;
    EXPECT_TRUE(IsComplexVariant(&v, &re2, &im2, &found));
    EXPECT_EQ(found, vt);
    EXPECT_EQ(re2, re);
  }
}

// A VT_ARRAY | VT_VARIANT of the given bounds with the tag (in `tag`) in its first element.
CTqVariant TaggedArray(std::vector<SAFEARRAYBOUND> bounds, const char16_t* tag) {
  CTqVariant v;
  SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, static_cast<UINT>(bounds.size()), bounds.data());
  std::vector<LONG> first;
  for (const SAFEARRAYBOUND& bound : bounds) first.push_back(bound.lLbound);
  VARIANT element;
  element.vt = VT_BSTR;
  element.bstrVal = SysAllocString(tag);
  SafeArrayPutElement(array, first.data(), &element);
  VariantClear(&element);
  v.vt = VT_ARRAY | VT_VARIANT;
  v.parray = array;
  return v;
}

TEST(ComplexVariant, RecognitionRefusals) {
  const char16_t* tag = u"2D5DD562-655B-11d3-BAFB-00500486B583";
  auto withParts = [](CTqVariant v, VARTYPE first, VARTYPE second) {
    VARIANT* elements = static_cast<VARIANT*>(v.parray->pvData);
    elements[1].vt = first;
    elements[2].vt = second;
    return v;
  };
  double value = 0;
  CTqVariant byReference = withParts(TaggedArray({{3, 0}}, tag), VT_R8 | VT_BYREF, VT_R8 | VT_BYREF);
  static_cast<VARIANT*>(byReference.parray->pvData)[1].pdblVal = &value;
  static_cast<VARIANT*>(byReference.parray->pvData)[2].pdblVal = &value;
  struct Case {
    const char* name;
    CTqVariant v;
    bool recognised;
  };
  const Case cases[] = {
      {"made by hand", withParts(TaggedArray({{3, 0}}, tag), VT_I4, VT_I4), true},
      {"lower bound 1", withParts(TaggedArray({{3, 1}}, tag), VT_I4, VT_I4), true},
      {"four elements", withParts(TaggedArray({{4, 0}}, tag), VT_I4, VT_I4), false},
      {"tag in lower case", withParts(TaggedArray({{3, 0}}, u"2d5dd562-655b-11d3-bafb-00500486b583"), VT_I4, VT_I4),
       false},
      {"braced tag", withParts(TaggedArray({{3, 0}}, u"{2D5DD562-655B-11d3-BAFB-00500486B583}"), VT_I4, VT_I4), false},
      {"unequal types", withParts(TaggedArray({{3, 0}}, tag), VT_I4, VT_I2), false},
      {"parts by reference", byReference, false},
      {"two dimensions", TaggedArray({{3, 0}, {1, 0}}, tag), false},
      {"array of I4", CTqVariant(), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    void* re = reinterpret_cast<void*>(0x1);
    void* im = reinterpret_cast<void*>(0x1);
    VARTYPE vt = 0xBEEF;
    EXPECT_EQ(IsComplexVariant(&c.v, &re, &im, &vt), c.recognised);
    if (!c.recognised) {
      EXPECT_EQ(re, reinterpret_cast<void*>(0x1));
      EXPECT_EQ(vt, 0xBEEF);
    }
    if (c.v.vt & VT_ARRAY) {
      EXPECT_EQ(c.v.parray->cLocks, 0u) << "access given back";
    }
  }
  CTqVariant integers;
  MakeSafeArrayVariant1D(&integers, VT_I4, 3);
  VARTYPE vt = 0;
  void* re = nullptr;
  void* im = nullptr;
  EXPECT_FALSE(IsComplexVariant(&integers, &re, &im, &vt));
}

TEST(SafeArrayProxy, GivesUpOneArrayBeforeTakingTheNext) {
  SAFEARRAY* first = SafeArrayCreateVector(VT_I4, 0, 2);
  SAFEARRAY* second = SafeArrayCreateVector(VT_I4, 0, 2);
  {
    CTqSafeArrayProxy proxy(first);
    EXPECT_EQ(proxy.GetData(), first->pvData);
    EXPECT_EQ(first->cLocks, 1u);
    EXPECT_TRUE(proxy.Attach(second));
    EXPECT_EQ(first->cLocks, 0u);
    EXPECT_EQ(second->cLocks, 1u);
    EXPECT_EQ(proxy.GetArray(), second);
    sandbox::InjectAutomationFailure("SafeArrayAccessData");
    EXPECT_FALSE(proxy.Attach(first));
    EXPECT_EQ(second->cLocks, 0u);
    EXPECT_EQ(proxy.GetData(), nullptr);
    EXPECT_EQ(proxy.GetArray(), first) << "attached without data";
    EXPECT_FALSE(proxy.Attach(nullptr));
    EXPECT_EQ(proxy.GetArray(), nullptr);
    EXPECT_TRUE(proxy.Attach(second));
  }
  EXPECT_EQ(second->cLocks, 0u) << "the destructor gives the access back";
  EXPECT_EQ(SafeArrayDestroy(first), S_OK);
  EXPECT_EQ(SafeArrayDestroy(second), S_OK);
}

TEST(SafeArrayVariant, OneAndTwoDimensions) {
  CTqVariant v("replaced");
  MakeSafeArrayVariant1D(&v, VT_R8, 5);
  ASSERT_EQ(v.vt, VT_ARRAY | VT_R8);
  EXPECT_EQ(SafeArrayGetDim(v.parray), 1u);
  EXPECT_EQ(v.parray->rgsabound[0].cElements, 5u);
  MakeSafeArrayVariant2D(&v, VT_I2, 3, 4);
  ASSERT_EQ(v.vt, VT_ARRAY | VT_I2);
  LONG upper = 0;
  SafeArrayGetUBound(v.parray, 1, &upper);
  EXPECT_EQ(upper, 2) << "the first count is the first dimension";
  SafeArrayGetUBound(v.parray, 2, &upper);
  EXPECT_EQ(upper, 3);
  for (VARTYPE refused : {VARTYPE(VT_EMPTY), VARTYPE(VT_BOOL), VARTYPE(VT_BSTR), VARTYPE(VT_VARIANT), VARTYPE(VT_I8)}) {
    SCOPED_TRACE(refused);
    MakeSafeArrayVariant1D(&v, refused, 2);
    EXPECT_EQ(v.vt, VT_EMPTY);
  }
}

// Whichever array call fails, the VARIANT ends VT_EMPTY and nothing stays alive.
TEST(ComplexVariant, InjectedArrayFailuresLeaveAnEmptyVariantAndNoArray) {
  for (const char* call : {"SafeArrayCreate", "SafeArrayPutElement", "SafeArrayAccessData"}) {
    SCOPED_TRACE(call);
    const size_t arrays = sandbox::LiveSafeArrays(), bstrs = sandbox::LiveBstrs();
    {
      CTqVariant v(3.0);
      sandbox::InjectAutomationFailure(call);
      CTqComplexT<double>(1, 2).ToVariant(&v);
      EXPECT_EQ(v.vt, VT_EMPTY);
      EXPECT_EQ(sandbox::LiveSafeArrays(), arrays);
      EXPECT_EQ(sandbox::LiveBstrs(), bstrs);
    }
    sandbox::ClearAutomationFailures();
  }
  sandbox::InjectAutomationFailure("SafeArrayCreate");
  CTqVariant v(3.0);
  MakeSafeArrayVariant2D(&v, VT_I4, 2, 2);
  EXPECT_EQ(v.vt, VT_EMPTY);
}

// The array maker alone leaves the VARIANT as it was when the array or its tag cannot be made.
TEST(ComplexVariant, TaggedArrayThatCannotBeMadeLeavesTheVariantUntouched) {
  for (const char* call : {"SafeArrayCreate", "SafeArrayPutElement"}) {
    SCOPED_TRACE(call);
    const size_t arrays = sandbox::LiveSafeArrays();
    CTqVariant v(3.0);
    sandbox::InjectAutomationFailure(call);
    EXPECT_EQ(CreateTaggedComplexArray(&v), nullptr);
    EXPECT_EQ(v.vt, VT_R8);
    EXPECT_EQ(v.dblVal, 3.0);
    EXPECT_EQ(sandbox::LiveSafeArrays(), arrays);
  }
  CTqVariant v;
  SAFEARRAY* made = CreateTaggedComplexArray(&v);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(v.parray, made);
  EXPECT_EQ(v.vt, VT_ARRAY | VT_VARIANT);
}

}  // namespace
