// SAFEARRAY: bounds, element access, ownership of elements, locking.
#include <oleauto.h>

#include <gtest/gtest.h>

#include "counting_object.h"
#include "sandbox/sandbox.h"

namespace {

TEST(SafeArray, BoundsAndElementsOfTwoDimensions) {
  SAFEARRAYBOUND bounds[2] = {{.cElements = 3, .lLbound = 1}, {.cElements = 2, .lLbound = -1}};
  SAFEARRAY* array = SafeArrayCreate(VT_I4, 2, bounds);
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(SafeArrayGetDim(array), 2u);
  EXPECT_EQ(SafeArrayGetElemsize(array), 4u);
  // Stored last dimension first, as the platform lays the descriptor out.
  EXPECT_EQ(array->rgsabound[0].cElements, 2u);
  EXPECT_EQ(array->rgsabound[1].cElements, 3u);
  LONG lower = 0, upper = 0;
  ASSERT_EQ(SafeArrayGetLBound(array, 1, &lower), S_OK);
  ASSERT_EQ(SafeArrayGetUBound(array, 1, &upper), S_OK);
  EXPECT_EQ(lower, 1);
  EXPECT_EQ(upper, 3);
  ASSERT_EQ(SafeArrayGetLBound(array, 2, &lower), S_OK);
  ASSERT_EQ(SafeArrayGetUBound(array, 2, &upper), S_OK);
  EXPECT_EQ(lower, -1);
  EXPECT_EQ(upper, 0);
  EXPECT_EQ(SafeArrayGetLBound(array, 3, &lower), DISP_E_BADINDEX);
  EXPECT_EQ(SafeArrayGetLBound(array, 0, &lower), DISP_E_BADINDEX);

  for (LONG i = 1; i <= 3; ++i)
    for (LONG j = -1; j <= 0; ++j) {
      LONG index[2] = {i, j};
      LONG value = i * 10 + j;
      ASSERT_EQ(SafeArrayPutElement(array, index, &value), S_OK);
    }
  LONG* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(array, reinterpret_cast<void**>(&data)), S_OK);
  // The first dimension varies fastest.
  EXPECT_EQ(data[0], 9);
  EXPECT_EQ(data[1], 19);
  EXPECT_EQ(data[3], 10);
  EXPECT_EQ(SafeArrayDestroy(array), DISP_E_ARRAYISLOCKED);  // and it stays
  ASSERT_EQ(SafeArrayUnaccessData(array), S_OK);
  EXPECT_EQ(SafeArrayUnaccessData(array), E_UNEXPECTED);

  LONG outside[2] = {4, 0};
  LONG value = 0;
  EXPECT_EQ(SafeArrayGetElement(array, outside, &value), DISP_E_BADINDEX);
  EXPECT_EQ(SafeArrayDestroy(array), S_OK);
}

TEST(SafeArray, OwnsItsStringsInterfacesAndVariants) {
  CountingObject* object = CountingObject::New();
  SAFEARRAY* things = SafeArrayCreateVector(VT_UNKNOWN, 0, 2);
  LONG index = 0;
  ASSERT_EQ(SafeArrayPutElement(things, &index, static_cast<ICountingThing*>(object)), S_OK);
  EXPECT_EQ(object->refs, 2u);
  SAFEARRAY* copy = nullptr;
  ASSERT_EQ(SafeArrayCopy(things, &copy), S_OK);
  EXPECT_EQ(object->refs, 3u);
  VARTYPE vt = 0;
  EXPECT_EQ(SafeArrayGetVartype(copy, &vt), S_OK);
  EXPECT_EQ(vt, VT_UNKNOWN);
  EXPECT_EQ(SafeArrayDestroy(copy), S_OK);
  EXPECT_EQ(SafeArrayDestroy(things), S_OK);
  EXPECT_EQ(object->refs, 1u);
  object->Release();

  SAFEARRAY* variants = SafeArrayCreateVector(VT_VARIANT, 0, 1);
  VARIANT text;
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(u"element");
  ASSERT_EQ(SafeArrayPutElement(variants, &index, &text), S_OK);  // a copy goes in
  VariantClear(&text);
  VARIANT read;
  ASSERT_EQ(SafeArrayGetElement(variants, &index, &read), S_OK);
  EXPECT_EQ(std::u16string(read.bstrVal), u"element");
  VariantClear(&read);
  EXPECT_EQ(SafeArrayDestroy(variants), S_OK);  // clears the element (ASan: no leak)
}

TEST(SafeArray, RefusesWhatItCannotHold) {
  SAFEARRAYBOUND bound = {.cElements = 1, .lLbound = 0};
  EXPECT_EQ(SafeArrayCreate(VT_EMPTY, 1, &bound), nullptr);
  EXPECT_EQ(SafeArrayCreate(VT_I4, 0, &bound), nullptr);
  EXPECT_EQ(SafeArrayCreateVector(VT_NULL, 0, 1), nullptr);
  SAFEARRAY* copy = reinterpret_cast<SAFEARRAY*>(0xdeadbeef);
  EXPECT_EQ(SafeArrayCopy(nullptr, &copy), S_OK);
  EXPECT_EQ(copy, nullptr);
  EXPECT_EQ(SafeArrayDestroy(nullptr), S_OK);
}

}  // namespace
