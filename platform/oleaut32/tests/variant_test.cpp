// VARIANT: clearing, copying and changing type.
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "counting_object.h"
#include "sandbox/sandbox.h"

namespace {

VARIANT Poisoned() {
  VARIANT v;
  std::memset(&v, 0xDB, sizeof v);
  return v;
}

VARIANT I4(LONG value) {
  VARIANT v = Poisoned();
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

// A VT_BSTR that the caller clears.
VARIANT Bstr(const char16_t* text) {
  VARIANT v = Poisoned();
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(text);
  return v;
}

std::u16string TextOf(const VARIANT& v) { return std::u16string(v.bstrVal, SysStringLen(v.bstrVal)); }

TEST(Variant, InitSetsOnlyTheType) {
  VARIANT v = Poisoned();
  VariantInit(&v);
  EXPECT_EQ(v.vt, VT_EMPTY);
}

TEST(Variant, ClearFreesWhatItOwns) {
  CountingObject* object = CountingObject::New();
  VARIANT v = Poisoned();
  v.vt = VT_UNKNOWN;
  v.punkVal = static_cast<ICountingThing*>(object);
  object->AddRef();
  EXPECT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(v.vt, VT_EMPTY);
  EXPECT_EQ(object->refs, 1u);  // the VARIANT's reference was released

  // A reference to a value is not owned: clearing leaves the value alone.
  BSTR owned = SysAllocString(u"kept");
  v.vt = VT_BSTR | VT_BYREF;
  v.pbstrVal = &owned;
  EXPECT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(std::u16string(owned), u"kept");
  SysFreeString(owned);

  VARIANT s = Bstr(u"freed");  // ASan reports a leak if it is not
  EXPECT_EQ(VariantClear(&s), S_OK);
  object->Release();
  EXPECT_EQ(CountingObject::live, 0);
}

TEST(Variant, BadTypesAreRefusedAndKept) {
  const VARTYPE bad[] = {15, 0x7F, VT_VARIANT, VT_EMPTY | VT_BYREF, VT_I4 | VT_VECTOR, VT_ILLEGAL};
  for (VARTYPE vt : bad) {
    SCOPED_TRACE(testing::Message() << "vt " << vt);
    VARIANT v = Poisoned();
    v.vt = vt;
    EXPECT_EQ(VariantClear(&v), DISP_E_BADVARTYPE);
    EXPECT_EQ(v.vt, vt);
    VARIANT copy = I4(7);
    EXPECT_EQ(VariantCopy(&copy, &v), DISP_E_BADVARTYPE);
    EXPECT_EQ(copy.vt, VT_I4);
    EXPECT_EQ(copy.lVal, 7);
  }
}

TEST(Variant, CopyIsDeep) {
  VARIANT source = Bstr(u"deep");
  VARIANT copy = I4(1);
  ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
  EXPECT_EQ(copy.vt, VT_BSTR);
  EXPECT_NE(copy.bstrVal, source.bstrVal);
  EXPECT_EQ(TextOf(copy), u"deep");
  // The copy replaces what the destination held (freed, not leaked).
  VARIANT other = Bstr(u"second");
  ASSERT_EQ(VariantCopy(&copy, &other), S_OK);
  EXPECT_EQ(TextOf(copy), u"second");
  VariantClear(&copy);
  VariantClear(&other);
  VariantClear(&source);

  CountingObject* object = CountingObject::New();
  VARIANT unknown = Poisoned();
  unknown.vt = VT_DISPATCH;
  unknown.pdispVal = static_cast<IDispatch*>(object);
  VARIANT held;
  VariantInit(&held);
  ASSERT_EQ(VariantCopy(&held, &unknown), S_OK);
  EXPECT_EQ(object->refs, 2u);
  VariantClear(&held);
  EXPECT_EQ(object->refs, 1u);
  object->Release();

  SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, 2);
  LONG index = 1;
  BSTR element = SysAllocString(u"in the array");
  ASSERT_EQ(SafeArrayPutElement(array, &index, element), S_OK);
  SysFreeString(element);
  VARIANT arrayVariant = Poisoned();
  arrayVariant.vt = VT_ARRAY | VT_BSTR;
  arrayVariant.parray = array;
  VARIANT arrayCopy;
  VariantInit(&arrayCopy);
  ASSERT_EQ(VariantCopy(&arrayCopy, &arrayVariant), S_OK);
  EXPECT_NE(arrayCopy.parray, array);
  BSTR read = nullptr;
  ASSERT_EQ(SafeArrayGetElement(arrayCopy.parray, &index, &read), S_OK);
  EXPECT_EQ(std::u16string(read), u"in the array");
  SysFreeString(read);
  VariantClear(&arrayCopy);
  VariantClear(&arrayVariant);
}

TEST(Variant, CopyIndFollowsTheReference) {
  LONG value = 31;
  VARIANT byref = Poisoned();
  byref.vt = VT_I4 | VT_BYREF;
  byref.plVal = &value;
  VARIANT copy;
  VariantInit(&copy);
  ASSERT_EQ(VariantCopy(&copy, &byref), S_OK);  // VariantCopy keeps the reference
  EXPECT_EQ(copy.vt, VT_I4 | VT_BYREF);
  EXPECT_EQ(copy.plVal, &value);
  ASSERT_EQ(VariantCopyInd(&copy, &byref), S_OK);
  EXPECT_EQ(copy.vt, VT_I4);
  EXPECT_EQ(copy.lVal, 31);

  VARIANT inner = Bstr(u"inner");
  VARIANT toVariant = Poisoned();
  toVariant.vt = VT_VARIANT | VT_BYREF;
  toVariant.pvarVal = &inner;
  ASSERT_EQ(VariantCopyInd(&copy, &toVariant), S_OK);
  EXPECT_EQ(copy.vt, VT_BSTR);
  EXPECT_NE(copy.bstrVal, inner.bstrVal);
  EXPECT_EQ(TextOf(copy), u"inner");
  VariantClear(&copy);
  VariantClear(&inner);
}

struct ChangeCase {
  const char* name;
  VARIANT (*source)();
  VARTYPE to;
  USHORT flags = 0;
  HRESULT expected = S_OK;
  // Checked when the conversion succeeds.
  LONG i4 = 0;
  double r8 = 0;
  VARIANT_BOOL boolean = VARIANT_FALSE;
  const char16_t* text = nullptr;
  SHORT i2 = 0;
  BYTE ui1 = 0;
};

VARIANT Empty() {
  VARIANT v = Poisoned();
  v.vt = VT_EMPTY;
  return v;
}
VARIANT Null() {
  VARIANT v = Poisoned();
  v.vt = VT_NULL;
  return v;
}
VARIANT True() {
  VARIANT v = Poisoned();
  v.vt = VT_BOOL;
  v.boolVal = VARIANT_TRUE;
  return v;
}
VARIANT False() {
  VARIANT v = Poisoned();
  v.vt = VT_BOOL;
  v.boolVal = VARIANT_FALSE;
  return v;
}
VARIANT R8(double d) {
  VARIANT v = Poisoned();
  v.vt = VT_R8;
  v.dblVal = d;
  return v;
}
VARIANT Error() {
  VARIANT v = Poisoned();
  v.vt = VT_ERROR;
  v.scode = E_FAIL;
  return v;
}

TEST(Variant, ChangeTypeTable) {
  const ChangeCase cases[] = {
      // From VT_I4.
      {.name = "I4 to BOOL", .source = [] { return I4(5); }, .to = VT_BOOL, .boolean = VARIANT_TRUE},
      {.name = "I4 0 to BOOL", .source = [] { return I4(0); }, .to = VT_BOOL, .boolean = VARIANT_FALSE},
      {.name = "I4 to BSTR", .source = [] { return I4(-42); }, .to = VT_BSTR, .text = u"-42"},
      {.name = "I4 to R8", .source = [] { return I4(7); }, .to = VT_R8, .r8 = 7.0},
      {.name = "I4 to I2 in range", .source = [] { return I4(-32768); }, .to = VT_I2, .i2 = -32768},
      {.name = "I4 to I2 overflow", .source = [] { return I4(32768); }, .to = VT_I2, .expected = DISP_E_OVERFLOW},
      {.name = "I4 to UI1 negative", .source = [] { return I4(-1); }, .to = VT_UI1, .expected = DISP_E_OVERFLOW},
      // From VT_BOOL.
      {.name = "BOOL true to I4 is -1", .source = True, .to = VT_I4, .i4 = -1},
      {.name = "BOOL false to I4", .source = False, .to = VT_I4, .i4 = 0},
      {.name = "BOOL true to R8", .source = True, .to = VT_R8, .r8 = -1.0},
      {.name = "BOOL to BSTR is numeric", .source = True, .to = VT_BSTR, .text = u"-1"},
      {.name = "BOOL to BSTR alphabetic", .source = True, .to = VT_BSTR, .flags = VARIANT_ALPHABOOL, .text = u"True"},
      {.name = "BOOL false alphabetic", .source = False, .to = VT_BSTR, .flags = VARIANT_ALPHABOOL,
       .text = u"False"},
      {.name = "BOOL true to UI1 overflows", .source = True, .to = VT_UI1, .expected = DISP_E_OVERFLOW},
      // From VT_R8: half to even.
      {.name = "R8 2.5 to I4", .source = [] { return R8(2.5); }, .to = VT_I4, .i4 = 2},
      {.name = "R8 3.5 to I4", .source = [] { return R8(3.5); }, .to = VT_I4, .i4 = 4},
      {.name = "R8 -2.5 to I4", .source = [] { return R8(-2.5); }, .to = VT_I4, .i4 = -2},
      {.name = "R8 -2.7 to I4", .source = [] { return R8(-2.7); }, .to = VT_I4, .i4 = -3},
      {.name = "R8 too big for I4", .source = [] { return R8(3e9); }, .to = VT_I4, .expected = DISP_E_OVERFLOW},
      {.name = "R8 NaN to I4", .source = [] { return R8(std::nan("")); }, .to = VT_I4,
       .expected = DISP_E_OVERFLOW},
      {.name = "R8 to BOOL", .source = [] { return R8(0.25); }, .to = VT_BOOL, .boolean = VARIANT_TRUE},
      {.name = "R8 to BSTR", .source = [] { return R8(0.1); }, .to = VT_BSTR, .text = u"0.1"},
      {.name = "R8 large to BSTR", .source = [] { return R8(1e20); }, .to = VT_BSTR, .text = u"1E+20"},
      {.name = "R8 fraction to BSTR", .source = [] { return R8(-1.5); }, .to = VT_BSTR, .text = u"-1.5"},
      // From VT_BSTR.
      {.name = "BSTR to I4", .source = [] { return Bstr(u" 123 "); }, .to = VT_I4, .i4 = 123},
      {.name = "BSTR signed to I4", .source = [] { return Bstr(u"-7"); }, .to = VT_I4, .i4 = -7},
      {.name = "BSTR fraction rounds", .source = [] { return Bstr(u"1.5"); }, .to = VT_I4, .i4 = 2},
      {.name = "BSTR overflow", .source = [] { return Bstr(u"2147483648"); }, .to = VT_I4,
       .expected = DISP_E_OVERFLOW},
      {.name = "BSTR not a number", .source = [] { return Bstr(u"12abc"); }, .to = VT_I4,
       .expected = DISP_E_TYPEMISMATCH},
      {.name = "BSTR empty to I4", .source = [] { return Bstr(u""); }, .to = VT_I4, .expected = DISP_E_TYPEMISMATCH},
      {.name = "BSTR to R8", .source = [] { return Bstr(u"2.5e2"); }, .to = VT_R8, .r8 = 250.0},
      {.name = "BSTR True to BOOL", .source = [] { return Bstr(u"tRUE"); }, .to = VT_BOOL, .boolean = VARIANT_TRUE},
      {.name = "BSTR False to BOOL", .source = [] { return Bstr(u"False"); }, .to = VT_BOOL,
       .boolean = VARIANT_FALSE},
      {.name = "BSTR number to BOOL", .source = [] { return Bstr(u"0"); }, .to = VT_BOOL, .boolean = VARIANT_FALSE},
      {.name = "BSTR word to BOOL", .source = [] { return Bstr(u"yes"); }, .to = VT_BOOL,
       .expected = DISP_E_TYPEMISMATCH},
      {.name = "BSTR to UI1", .source = [] { return Bstr(u"255"); }, .to = VT_UI1, .ui1 = 255},
      // VT_EMPTY, VT_NULL and the rest.
      {.name = "EMPTY to I4", .source = Empty, .to = VT_I4, .i4 = 0},
      {.name = "EMPTY to BSTR", .source = Empty, .to = VT_BSTR, .text = u""},
      {.name = "EMPTY to BOOL", .source = Empty, .to = VT_BOOL, .boolean = VARIANT_FALSE},
      {.name = "NULL to I4", .source = Null, .to = VT_I4, .expected = DISP_E_TYPEMISMATCH},
      {.name = "NULL to BSTR", .source = Null, .to = VT_BSTR, .expected = DISP_E_TYPEMISMATCH},
      {.name = "I4 to NULL", .source = [] { return I4(1); }, .to = VT_NULL, .expected = DISP_E_TYPEMISMATCH},
      {.name = "ERROR to I4", .source = Error, .to = VT_I4, .expected = DISP_E_TYPEMISMATCH},
      {.name = "I4 to UNKNOWN", .source = [] { return I4(1); }, .to = VT_UNKNOWN, .expected = DISP_E_TYPEMISMATCH},
      {.name = "to a bad type", .source = [] { return I4(1); }, .to = 15, .expected = DISP_E_BADVARTYPE},
      {.name = "to a reference", .source = [] { return I4(1); }, .to = VT_I4 | VT_BYREF,
       .expected = DISP_E_BADVARTYPE},
  };
  for (const ChangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    VARIANT source = c.source();
    VARIANT dest = I4(0x5EED);
    const HRESULT hr = VariantChangeType(&dest, &source, c.flags, c.to);
    EXPECT_EQ(hr, c.expected);
    if (FAILED(hr)) {
      EXPECT_EQ(dest.vt, VT_I4);  // left as it was
      EXPECT_EQ(dest.lVal, 0x5EED);
    } else {
      EXPECT_EQ(dest.vt, c.to);
      switch (c.to) {
        case VT_I4: EXPECT_EQ(dest.lVal, c.i4); break;
        case VT_I2: EXPECT_EQ(dest.iVal, c.i2); break;
        case VT_UI1: EXPECT_EQ(dest.bVal, c.ui1); break;
        case VT_R8: EXPECT_EQ(dest.dblVal, c.r8); break;
        case VT_BOOL: EXPECT_EQ(dest.boolVal, c.boolean); break;
        case VT_BSTR:
          ASSERT_NE(dest.bstrVal, nullptr);
          EXPECT_EQ(TextOf(dest), c.text);
          break;
        default: ADD_FAILURE() << "unchecked type";
      }
    }
    VariantClear(&dest);
    VariantClear(&source);  // the source is unchanged and still owns its value
  }
}

TEST(Variant, ChangeTypeInPlaceAndThroughReferences) {
  VARIANT v = Bstr(u"64");
  ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_I4), S_OK);  // the BSTR is freed on the way
  EXPECT_EQ(v.vt, VT_I4);
  EXPECT_EQ(v.lVal, 64);

  SHORT value = 12;
  VARIANT byref = Poisoned();
  byref.vt = VT_I2 | VT_BYREF;
  byref.piVal = &value;
  VARIANT dest;
  VariantInit(&dest);
  ASSERT_EQ(VariantChangeType(&dest, &byref, 0, VT_BSTR), S_OK);
  EXPECT_EQ(TextOf(dest), u"12");
  VariantClear(&dest);
}

TEST(Variant, ChangeTypeBetweenInterfaces) {
  CountingObject* object = CountingObject::New();
  VARIANT unknown = Poisoned();
  unknown.vt = VT_UNKNOWN;
  unknown.punkVal = static_cast<ICountingThing*>(object);
  VARIANT dispatch;
  VariantInit(&dispatch);
  ASSERT_EQ(VariantChangeType(&dispatch, &unknown, 0, VT_DISPATCH), S_OK);
  EXPECT_EQ(dispatch.pdispVal, static_cast<IDispatch*>(object));
  EXPECT_EQ(object->refs, 2u);

  // A dispatch object converts through its value property, unless that is refused.
  VARIANT number;
  VariantInit(&number);
  ASSERT_EQ(VariantChangeType(&number, &dispatch, 0, VT_BSTR), S_OK);
  EXPECT_EQ(TextOf(number), u"42");
  VariantClear(&number);
  EXPECT_EQ(VariantChangeType(&number, &dispatch, VARIANT_NOVALUEPROP, VT_I4), DISP_E_TYPEMISMATCH);
  VariantClear(&dispatch);
  EXPECT_EQ(object->refs, 1u);
  object->Release();
}

}  // namespace
