// The VARTYPE rules of VARIANT and SAFEARRAY.
#include "variant_types.h"

#include <cstring>

namespace oleaut32 {

ULONG ElementSize(VARTYPE vt) {
  switch (vt) {
    case VT_I1:
    case VT_UI1:
      return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
      return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
      return 4;
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_I8:
    case VT_UI8:
      return 8;
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return sizeof(void*);
    case VT_DECIMAL:
      return sizeof(DECIMAL);
    case VT_VARIANT:
      return sizeof(VARIANT);
    default:
      return 0;
  }
}

bool IsArrayElementType(VARTYPE vt) { return ElementSize(vt) != 0; }

bool IsVariantType(VARTYPE vt) {
  const VARTYPE base = vt & VT_TYPEMASK;
  const VARTYPE flags = vt & ~VT_TYPEMASK;
  if (flags & ~(VT_BYREF | VT_ARRAY)) return false;
  if (flags & VT_ARRAY) return IsArrayElementType(base);
  if (base == VT_EMPTY || base == VT_NULL) return flags == 0;
  if (base == VT_VARIANT) return flags == VT_BYREF;
  return IsArrayElementType(base);
}

bool Dereferenced(const VARIANT& byref, VARIANT& view) {
  if (!IsVariantType(byref.vt)) return false;
  if (!(byref.vt & VT_BYREF)) {
    std::memcpy(&view, &byref, sizeof(VARIANT));
    return true;
  }
  if (byref.byref == nullptr) return false;
  const VARTYPE base = byref.vt & ~VT_BYREF;
  std::memset(&view, 0, sizeof(VARIANT));
  if (base == VT_VARIANT) {
    const VARIANT& target = *byref.pvarVal;
    if (!IsVariantType(target.vt) || (target.vt & VT_BYREF)) return false;
    std::memcpy(&view, &target, sizeof(VARIANT));
  } else if (base & VT_ARRAY) {
    view.parray = *byref.pparray;
  } else if (base == VT_DECIMAL) {
    view.decVal = *byref.pdecVal;  // overlays vt, which is set below
  } else {
    std::memcpy(&view.llVal, byref.byref, ElementSize(base));
  }
  if (base != VT_VARIANT) view.vt = base;
  return true;
}

}  // namespace oleaut32
