// VariantInit, VariantClear, VariantCopy and VariantCopyInd. Clearing frees what the VARIANT
// owns (a BSTR, a reference, a SAFEARRAY; nothing behind VT_BYREF) and leaves VT_EMPTY; copying
// is deep (a new BSTR, an added reference, a copied array; VT_BYREF copies the pointer).
// A type no VARIANT can carry is DISP_E_BADVARTYPE and changes nothing.
#include <oleauto.h>

#include <cstring>

#include "sandbox/internal.h"
#include "variant_types.h"

namespace {

// A deep copy of `src` into `out`, which is not looked at first.
HRESULT CopyValue(const VARIANT& src, VARIANT& out) {
  std::memcpy(&out, &src, sizeof(VARIANT));
  if (src.vt & VT_BYREF) return S_OK;
  if (src.vt & VT_ARRAY) {
    out.parray = nullptr;
    if (src.parray == nullptr) return S_OK;
    const HRESULT hr = SafeArrayCopy(src.parray, &out.parray);
    if (FAILED(hr)) out.vt = VT_EMPTY;
    return hr;
  }
  switch (src.vt) {
    case VT_BSTR:
      if (src.bstrVal != nullptr) {
        out.bstrVal = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(src.bstrVal), SysStringByteLen(src.bstrVal));
        if (out.bstrVal == nullptr) {
          out.vt = VT_EMPTY;
          return E_OUTOFMEMORY;
        }
      }
      return S_OK;
    case VT_UNKNOWN:
    case VT_DISPATCH:
      if (src.punkVal != nullptr) src.punkVal->AddRef();
      return S_OK;
    default:
      return S_OK;
  }
}

}  // namespace

extern "C" {

// Only the type is set: whatever the rest held is not looked at.
WINOLEAUTAPI_(void) VariantInit(VARIANTARG* pvarg) {
  if (pvarg != nullptr) pvarg->vt = VT_EMPTY;
}

WINOLEAUTAPI VariantClear(VARIANTARG* pvarg) {
  if (pvarg == nullptr) return E_INVALIDARG;
  if (pvarg->vt == VT_RECORD) STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  if (!oleaut32::IsVariantType(pvarg->vt)) return DISP_E_BADVARTYPE;
  if (!(pvarg->vt & VT_BYREF)) {
    if (pvarg->vt & VT_ARRAY) {
      if (pvarg->parray != nullptr) {
        const HRESULT hr = SafeArrayDestroy(pvarg->parray);
        if (FAILED(hr)) return hr;  // DISP_E_ARRAYISLOCKED: the VARIANT keeps its array
      }
    } else if (pvarg->vt == VT_BSTR) {
      SysFreeString(pvarg->bstrVal);
    } else if ((pvarg->vt == VT_UNKNOWN || pvarg->vt == VT_DISPATCH) && pvarg->punkVal != nullptr) {
      pvarg->punkVal->Release();
    }
  }
  pvarg->vt = VT_EMPTY;
  return S_OK;
}

// The destination is cleared only once the copy has been made, so a failure leaves it as it was.
WINOLEAUTAPI VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc) {
  if (pvargDest == nullptr || pvargSrc == nullptr) return E_INVALIDARG;
  if (pvargSrc->vt == VT_RECORD) STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  if (!oleaut32::IsVariantType(pvargSrc->vt)) return DISP_E_BADVARTYPE;
  if (pvargDest == pvargSrc) return S_OK;
  VARIANT copy;
  HRESULT hr = CopyValue(*pvargSrc, copy);
  if (FAILED(hr)) return hr;
  hr = VariantClear(pvargDest);
  if (FAILED(hr)) {
    VariantClear(&copy);
    return hr;
  }
  std::memcpy(pvargDest, &copy, sizeof(VARIANT));
  return S_OK;
}

// As VariantCopy, but a VT_BYREF source gives a copy of the value it points at.
WINOLEAUTAPI VariantCopyInd(VARIANT* pvarDest, const VARIANTARG* pvargSrc) {
  if (pvarDest == nullptr || pvargSrc == nullptr) return E_INVALIDARG;
  if (!(pvargSrc->vt & VT_BYREF)) return VariantCopy(pvarDest, pvargSrc);
  if (!oleaut32::IsVariantType(pvargSrc->vt)) return DISP_E_BADVARTYPE;
  VARIANT view;
  if (!oleaut32::Dereferenced(*pvargSrc, view)) return E_INVALIDARG;
  VARIANT copy;
  HRESULT hr = CopyValue(view, copy);
  if (FAILED(hr)) return hr;
  hr = VariantClear(pvarDest);
  if (FAILED(hr)) {
    VariantClear(&copy);
    return hr;
  }
  std::memcpy(pvarDest, &copy, sizeof(VARIANT));
  return S_OK;
}

}  // extern "C"
