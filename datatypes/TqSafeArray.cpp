#include "TqSafeArray.h"

#include <mbstring.h>

#include "TqVariant.h"

namespace TQ {

const char kComplexVariantTag[] = "2D5DD562-655B-11d3-BAFB-00500486B583";

namespace {

const VARTYPE kTaggedComplexVt = VT_ARRAY | VT_VARIANT;

// The numeric element types: VT_I2 to VT_R8 and VT_I1 to VT_UI4.
bool IsNumericElementType(VARTYPE vt) { return (vt >= VT_I2 && vt <= VT_R8) || (vt >= VT_I1 && vt <= VT_UI4); }

// Where a VARIANT element keeps its value.
void* ValuePlace(VARIANT& element) { return &element.llVal; }

}  // namespace

CTqSafeArrayProxy::CTqSafeArrayProxy() : m_data(NULL), m_array(NULL) {}

CTqSafeArrayProxy::CTqSafeArrayProxy(SAFEARRAY* array) : m_data(NULL), m_array(NULL) { Attach(array); }

CTqSafeArrayProxy::~CTqSafeArrayProxy() {
  if (m_data != NULL) SafeArrayUnaccessData(m_array);
}

bool CTqSafeArrayProxy::Attach(SAFEARRAY* array) {
  if (m_data != NULL) {
    SafeArrayUnaccessData(m_array);
    m_data = NULL;
  }
  m_array = array;
  if (array == NULL) return false;
  if (SafeArrayAccessData(array, &m_data) == S_OK) return true;
  m_data = NULL;
  return false;
}

SAFEARRAY* CreateTaggedComplexArray(VARIANT* variant) {
  SAFEARRAYBOUND bound = {3, 0};
  SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, 1, &bound);
  if (array == NULL) return NULL;
  // The tag is ASCII, so each byte is its own UTF-16 character.
  OLECHAR text[sizeof kComplexVariantTag];
  for (size_t i = 0; i < sizeof kComplexVariantTag; ++i) text[i] = static_cast<OLECHAR>(kComplexVariantTag[i]);
  VARIANT tag;
  tag.vt = VT_BSTR;
  tag.bstrVal = SysAllocString(text);
  LONG index = 0;
  const bool stored = tag.bstrVal != NULL && SafeArrayPutElement(array, &index, &tag) == S_OK;
  VariantClear(&tag);
  if (!stored) {
    SafeArrayDestroy(array);
    return NULL;
  }
  VariantInit(variant);
  variant->vt = kTaggedComplexVt;
  variant->parray = array;
  return array;
}

void MakeComplexVariant(VARIANT* variant, VARTYPE elementVt, void** realPlace, void** imaginaryPlace) {
  VariantClear(variant);
  if (!IsNumericElementType(elementVt)) return;
  SAFEARRAY* array = CreateTaggedComplexArray(variant);
  if (array == NULL) return;
  CTqSafeArrayProxy proxy(array);
  auto* elements = static_cast<VARIANT*>(proxy.GetData());
  if (elements == NULL) {
    // A VARIANT with the tag but no typed parts would be a complex value of no type.
    proxy.Attach(NULL);
    VariantClear(variant);
    return;
  }
  elements[1].vt = elementVt;
  elements[2].vt = elementVt;
  *realPlace = ValuePlace(elements[1]);
  *imaginaryPlace = ValuePlace(elements[2]);
}

bool IsComplexVariant(const VARIANT* variant, void** realPlace, void** imaginaryPlace, VARTYPE* elementVt) {
  if (variant->vt != kTaggedComplexVt) return false;
  CTqSafeArrayProxy proxy(variant->parray);
  auto* elements = static_cast<VARIANT*>(proxy.GetData());
  if (elements == NULL || SafeArrayGetDim(variant->parray) != 1 || variant->parray->rgsabound[0].cElements != 3)
    return false;
  CString tag;
  VariantToString(elements[0], tag);
  if (_mbscmp(reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(tag)),
              reinterpret_cast<const unsigned char*>(kComplexVariantTag)) != 0)
    return false;
  const VARTYPE vt = elements[1].vt;
  if (elements[2].vt != vt || (vt & (VT_ARRAY | VT_BYREF)) != 0) return false;
  *elementVt = vt & VT_TYPEMASK;
  *realPlace = ValuePlace(elements[1]);
  *imaginaryPlace = ValuePlace(elements[2]);
  return true;
}

namespace {

void MakeSafeArrayVariant(VARIANT* variant, VARTYPE vt, UINT dimensions, SAFEARRAYBOUND* bounds) {
  VariantClear(variant);
  if (!IsNumericElementType(vt)) return;
  SAFEARRAY* array = SafeArrayCreate(vt, dimensions, bounds);
  VariantInit(variant);
  if (array == NULL) return;
  variant->parray = array;
  variant->vt = vt | VT_ARRAY;
}

}  // namespace

void MakeSafeArrayVariant1D(VARIANT* variant, VARTYPE vt, ULONG count) {
  SAFEARRAYBOUND bound = {count, 0};
  MakeSafeArrayVariant(variant, vt, 1, &bound);
}

void MakeSafeArrayVariant2D(VARIANT* variant, VARTYPE vt, ULONG firstCount, ULONG secondCount) {
  SAFEARRAYBOUND bounds[2] = {{firstCount, 0}, {secondCount, 0}};
  MakeSafeArrayVariant(variant, vt, 2, bounds);
}

}  // namespace TQ
