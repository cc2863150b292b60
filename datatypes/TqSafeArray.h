// SAFEARRAY access for the lifetime of a proxy, the tagged complex VARIANT (the one layout in
// which a complex value travels through Automation), and plain one- and two-dimensional array
// VARIANTs.
//
// A tagged complex VARIANT is VT_ARRAY | VT_VARIANT holding a one-dimensional array of three
// VARIANTs from index 0: the tag text (a VT_BSTR), then the real and the imaginary part, both of
// the same numeric type.
#pragma once

#include "stdafx.h"

namespace TQ {

// The tag of a complex VARIANT's element 0, compared byte for byte.
extern const char kComplexVariantTag[];

// Holds a SAFEARRAY's data accessed (SafeArrayAccessData) while it is attached. It never creates
// or destroys the array.
class CTqSafeArrayProxy {
 public:
  CTqSafeArrayProxy();
  explicit CTqSafeArrayProxy(SAFEARRAY* array);
  virtual ~CTqSafeArrayProxy();

  // Gives up the access it holds, then attaches to `array` and accesses its data: false for a
  // null array (nothing attached) or when the access fails (attached, no data).
  bool Attach(SAFEARRAY* array);

  void* GetData() const { return m_data; }
  SAFEARRAY* GetArray() const { return m_array; }

 private:
  // Two proxies must not give back one access twice.
  CTqSafeArrayProxy(const CTqSafeArrayProxy&) = delete;
  CTqSafeArrayProxy& operator=(const CTqSafeArrayProxy&) = delete;

  void* m_data;
  SAFEARRAY* m_array;
};

// A second proxy class of the library, with no behaviour of its own.
class CTqDataProxy {
 public:
  CTqDataProxy() {}
  virtual ~CTqDataProxy() {}
};

// Creates the three-element array with the tag in element 0 and stores it into `variant`, which
// is initialised without being cleared first. NULL (and `variant` untouched) when the array or
// its tag cannot be made.
SAFEARRAY* CreateTaggedComplexArray(VARIANT* variant);

// Clears `variant` and makes it a tagged complex VARIANT whose parts are of `elementVt` (VT_I2,
// VT_I4, VT_R4, VT_R8, VT_I1, VT_UI1, VT_UI2 or VT_UI4), both zero; `realPlace` and
// `imaginaryPlace` then point at the two parts' values, valid while the array lives. For another
// type, or when the array cannot be made or accessed, `variant` stays VT_EMPTY and the places are
// not written.
void MakeComplexVariant(VARIANT* variant, VARTYPE elementVt, void** realPlace, void** imaginaryPlace);

// True when `variant` is a tagged complex VARIANT; then the places of the two parts' values and
// their type (its low 12 bits) are written. False writes nothing.
bool IsComplexVariant(const VARIANT* variant, void** realPlace, void** imaginaryPlace, VARTYPE* elementVt);

// Clears `variant` and makes it VT_ARRAY | vt with a new zeroed array of `count` elements (or
// first × second elements, in that order of dimensions), lower bounds 0. For vt outside the
// numeric types above, or when the array cannot be made, `variant` stays VT_EMPTY.
void MakeSafeArrayVariant1D(VARIANT* variant, VARTYPE vt, ULONG count);
void MakeSafeArrayVariant2D(VARIANT* variant, VARTYPE vt, ULONG firstCount, ULONG secondCount);

}  // namespace TQ
