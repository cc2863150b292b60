// Which VARTYPEs a VARIANT or a SAFEARRAY may carry, and how big their values are.
#pragma once

#include <oleauto.h>

namespace oleaut32 {

// Element types a SAFEARRAY may hold (VT_RECORD is not modelled).
bool IsArrayElementType(VARTYPE vt);
// Size of one value of an array element type; 0 for another type.
ULONG ElementSize(VARTYPE vt);
// A type a VARIANT may carry: a plain value, VT_BYREF to one (or to a VARIANT), or VT_ARRAY
// (optionally VT_BYREF) of an array element type.
bool IsVariantType(VARTYPE vt);

// A VARIANT that shows, without owning anything, what a VT_BYREF VARIANT points at (for
// VT_VARIANT | VT_BYREF, the VARIANT pointed at). A non-VT_BYREF VARIANT is shown as it is.
// False when `byref` cannot be read that way (a null pointer, a VARIANT that is itself
// VT_BYREF, a type that is not a VARIANT type).
bool Dereferenced(const VARIANT& byref, VARIANT& view);

}  // namespace oleaut32
