// SAFEARRAY: creation, destruction, copying, bounds, locking and element access.
//  - The bounds given to SafeArrayCreate are stored last dimension first in rgsabound, as on the
//    platform; index vectors (rgIndices) and SafeArrayGetLBound/UBound's 1-based dimension
//    numbers follow the order of creation; the first dimension varies fastest in memory.
//  - Elements start zeroed; destroying frees BSTR elements, releases interface elements and
//    clears VARIANT elements; a locked array is DISP_E_ARRAYISLOCKED and stays.
//  - Every array is one made here (descriptors built by hand, SafeArrayAllocDescriptor and
//    VT_RECORD arrays are not modelled). Its VARTYPE is kept just before the descriptor.
#include <oleauto.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "automation_state.h"
#include "variant_types.h"

namespace oleaut32 {
namespace {

constexpr size_t kHeader = 16;  // keeps the descriptor 16-byte aligned; the VARTYPE is in it
constexpr ULONG kMaxLocks = 65535;

VARTYPE* TypeSlot(SAFEARRAY* psa) {
  return reinterpret_cast<VARTYPE*>(reinterpret_cast<BYTE*>(psa) - sizeof(VARTYPE));
}

// Elements in all dimensions; false on overflow.
bool ElementCount(const SAFEARRAY* psa, size_t& count) {
  count = 1;
  for (USHORT i = 0; i < psa->cDims; ++i) {
    const size_t n = psa->rgsabound[i].cElements;
    if (n != 0 && count > std::numeric_limits<size_t>::max() / n) return false;
    count *= n;
  }
  return true;
}

// The bound of creation-order dimension `dim` (0-based).
const SAFEARRAYBOUND& Bound(const SAFEARRAY* psa, UINT dim) { return psa->rgsabound[psa->cDims - 1 - dim]; }

USHORT FeaturesOf(VARTYPE vt) {
  switch (vt) {
    case VT_BSTR: return FADF_HAVEVARTYPE | FADF_BSTR;
    case VT_UNKNOWN: return FADF_HAVEVARTYPE | FADF_UNKNOWN;
    case VT_DISPATCH: return FADF_HAVEVARTYPE | FADF_DISPATCH;
    case VT_VARIANT: return FADF_HAVEVARTYPE | FADF_VARIANT;
    default: return FADF_HAVEVARTYPE;
  }
}

// Bounds in creation order.
SAFEARRAY* Create(VARTYPE vt, const std::vector<SAFEARRAYBOUND>& bounds) {
  if (bounds.empty() || bounds.size() > 0xFFFF || !IsArrayElementType(vt)) return nullptr;
  const size_t descriptor = sizeof(SAFEARRAY) + (bounds.size() - 1) * sizeof(SAFEARRAYBOUND);
  auto* block = static_cast<BYTE*>(std::calloc(1, kHeader + descriptor));
  if (block == nullptr) return nullptr;
  auto* psa = reinterpret_cast<SAFEARRAY*>(block + kHeader);
  psa->cDims = static_cast<USHORT>(bounds.size());
  psa->fFeatures = FeaturesOf(vt);
  psa->cbElements = ElementSize(vt);
  *TypeSlot(psa) = vt;
  for (size_t i = 0; i < bounds.size(); ++i) psa->rgsabound[bounds.size() - 1 - i] = bounds[i];
  size_t count = 0;
  if (!ElementCount(psa, count) || count > std::numeric_limits<size_t>::max() / psa->cbElements) {
    std::free(block);
    return nullptr;
  }
  if (count != 0) {
    psa->pvData = std::calloc(count, psa->cbElements);
    if (psa->pvData == nullptr) {
      std::free(block);
      return nullptr;
    }
  }
  ArrayCreated();
  return psa;
}

void ClearElement(VARTYPE vt, void* element) {
  switch (vt) {
    case VT_BSTR:
      SysFreeString(*static_cast<BSTR*>(element));
      *static_cast<BSTR*>(element) = nullptr;
      break;
    case VT_UNKNOWN:
    case VT_DISPATCH:
      if (IUnknown* p = *static_cast<IUnknown**>(element)) p->Release();
      *static_cast<IUnknown**>(element) = nullptr;
      break;
    case VT_VARIANT:
      VariantClear(static_cast<VARIANT*>(element));
      break;
    default:
      break;
  }
}

// Stores a copy of `value` (a BSTR, an interface pointer, a VARIANT* or the bytes of a value)
// into the element, giving up what the element held.
HRESULT PutElement(VARTYPE vt, void* element, const void* value) {
  switch (vt) {
    case VT_BSTR: {
      const BSTR source = static_cast<BSTR>(const_cast<void*>(value));
      BSTR copy = nullptr;
      if (source != nullptr) {
        copy = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(source), SysStringByteLen(source));
        if (copy == nullptr) return E_OUTOFMEMORY;
      }
      ClearElement(vt, element);
      *static_cast<BSTR*>(element) = copy;
      return S_OK;
    }
    case VT_UNKNOWN:
    case VT_DISPATCH: {
      auto* p = static_cast<IUnknown*>(const_cast<void*>(value));
      if (p != nullptr) p->AddRef();
      ClearElement(vt, element);
      *static_cast<IUnknown**>(element) = p;
      return S_OK;
    }
    case VT_VARIANT:
      return VariantCopy(static_cast<VARIANT*>(element), static_cast<const VARIANT*>(value));
    default:
      std::memcpy(element, value, ElementSize(vt));
      return S_OK;
  }
}

}  // namespace
}  // namespace oleaut32

extern "C" {

WINOLEAUTAPI_(SAFEARRAY*) SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound) {
  if (rgsabound == nullptr || cDims == 0) return nullptr;
  if (FAILED(oleaut32::TakeInjectedFailure(oleaut32::Injectable::ArrayCreation))) return nullptr;
  return oleaut32::Create(vt, std::vector<SAFEARRAYBOUND>(rgsabound, rgsabound + cDims));
}

WINOLEAUTAPI_(SAFEARRAY*) SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements) {
  if (FAILED(oleaut32::TakeInjectedFailure(oleaut32::Injectable::ArrayCreation))) return nullptr;
  return oleaut32::Create(vt, {SAFEARRAYBOUND{cElements, lLbound}});
}

WINOLEAUTAPI SafeArrayDestroy(SAFEARRAY* psa) {
  if (psa == nullptr) return S_OK;
  if (psa->cLocks != 0) return DISP_E_ARRAYISLOCKED;
  const VARTYPE vt = *oleaut32::TypeSlot(psa);
  size_t count = 0;
  oleaut32::ElementCount(psa, count);
  auto* data = static_cast<BYTE*>(psa->pvData);
  if (data != nullptr)
    for (size_t i = 0; i < count; ++i) oleaut32::ClearElement(vt, data + i * psa->cbElements);
  std::free(psa->pvData);
  std::free(reinterpret_cast<BYTE*>(psa) - oleaut32::kHeader);
  oleaut32::ArrayDestroyed();
  return S_OK;
}

// A new array of the same type and bounds holding copies of the elements; a null array copies
// to null.
WINOLEAUTAPI SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut) {
  if (ppsaOut == nullptr) return E_INVALIDARG;
  *ppsaOut = nullptr;
  if (psa == nullptr) return S_OK;
  const VARTYPE vt = *oleaut32::TypeSlot(psa);
  std::vector<SAFEARRAYBOUND> bounds;
  for (UINT d = 0; d < psa->cDims; ++d) bounds.push_back(oleaut32::Bound(psa, d));
  SAFEARRAY* copy = oleaut32::Create(vt, bounds);
  if (copy == nullptr) return E_OUTOFMEMORY;
  size_t count = 0;
  oleaut32::ElementCount(psa, count);
  const auto* from = static_cast<const BYTE*>(psa->pvData);
  auto* to = static_cast<BYTE*>(copy->pvData);
  for (size_t i = 0; i < count; ++i) {
    const void* element = from + i * psa->cbElements;
    // BSTR and interface elements are handed over as the value itself, the rest by address.
    const void* value = (vt == VT_BSTR || vt == VT_UNKNOWN || vt == VT_DISPATCH)
                            ? *static_cast<void* const*>(element)
                            : element;
    const HRESULT hr = oleaut32::PutElement(vt, to + i * copy->cbElements, value);
    if (FAILED(hr)) {
      SafeArrayDestroy(copy);
      return hr;
    }
  }
  *ppsaOut = copy;
  return S_OK;
}

WINOLEAUTAPI_(UINT) SafeArrayGetDim(SAFEARRAY* psa) { return psa ? psa->cDims : 0; }

WINOLEAUTAPI_(UINT) SafeArrayGetElemsize(SAFEARRAY* psa) { return psa ? psa->cbElements : 0; }

// nDim counts from 1, in the order of creation.
WINOLEAUTAPI SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound) {
  if (psa == nullptr || plLbound == nullptr) return E_INVALIDARG;
  if (nDim == 0 || nDim > psa->cDims) return DISP_E_BADINDEX;
  *plLbound = oleaut32::Bound(psa, nDim - 1).lLbound;
  return S_OK;
}

WINOLEAUTAPI SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound) {
  if (psa == nullptr || plUbound == nullptr) return E_INVALIDARG;
  if (nDim == 0 || nDim > psa->cDims) return DISP_E_BADINDEX;
  const SAFEARRAYBOUND& b = oleaut32::Bound(psa, nDim - 1);
  *plUbound = static_cast<LONG>(static_cast<int64_t>(b.lLbound) + b.cElements - 1);
  return S_OK;
}

WINOLEAUTAPI SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt) {
  if (psa == nullptr || pvt == nullptr) return E_INVALIDARG;
  *pvt = *oleaut32::TypeSlot(psa);
  return S_OK;
}

WINOLEAUTAPI SafeArrayLock(SAFEARRAY* psa) {
  if (psa == nullptr) return E_INVALIDARG;
  if (psa->cLocks >= oleaut32::kMaxLocks) return E_UNEXPECTED;
  ++psa->cLocks;
  return S_OK;
}

WINOLEAUTAPI SafeArrayUnlock(SAFEARRAY* psa) {
  if (psa == nullptr) return E_INVALIDARG;
  if (psa->cLocks == 0) return E_UNEXPECTED;
  --psa->cLocks;
  return S_OK;
}

// Locks the array and gives the address of its data until SafeArrayUnaccessData.
WINOLEAUTAPI SafeArrayAccessData(SAFEARRAY* psa, void** ppvData) {
  if (psa == nullptr || ppvData == nullptr) return E_INVALIDARG;
  if (const HRESULT injected = oleaut32::TakeInjectedFailure(oleaut32::Injectable::AccessData); FAILED(injected))
    return injected;
  const HRESULT hr = SafeArrayLock(psa);
  if (FAILED(hr)) return hr;
  *ppvData = psa->pvData;
  return S_OK;
}

WINOLEAUTAPI SafeArrayUnaccessData(SAFEARRAY* psa) { return SafeArrayUnlock(psa); }

// rgIndices holds one index per dimension, in the order of creation; DISP_E_BADINDEX when one
// is outside its bounds.
WINOLEAUTAPI SafeArrayPtrOfIndex(SAFEARRAY* psa, LONG* rgIndices, void** ppvData) {
  if (psa == nullptr || rgIndices == nullptr || ppvData == nullptr) return E_INVALIDARG;
  size_t offset = 0, stride = 1;
  for (UINT d = 0; d < psa->cDims; ++d) {
    const SAFEARRAYBOUND& b = oleaut32::Bound(psa, d);
    const int64_t index = static_cast<int64_t>(rgIndices[d]) - b.lLbound;
    if (index < 0 || index >= static_cast<int64_t>(b.cElements)) return DISP_E_BADINDEX;
    offset += static_cast<size_t>(index) * stride;
    stride *= b.cElements;
  }
  *ppvData = static_cast<BYTE*>(psa->pvData) + offset * psa->cbElements;
  return S_OK;
}

// pv is the BSTR itself for VT_BSTR arrays, the interface pointer for VT_UNKNOWN/VT_DISPATCH,
// otherwise the address of the value (a VARIANT* for VT_VARIANT). The element gets a copy.
WINOLEAUTAPI SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv) {
  void* element = nullptr;
  HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &element);
  if (FAILED(hr)) return hr;
  const VARTYPE vt = *oleaut32::TypeSlot(psa);
  if (pv == nullptr && vt != VT_BSTR && vt != VT_UNKNOWN && vt != VT_DISPATCH) return E_INVALIDARG;
  hr = oleaut32::TakeInjectedFailure(oleaut32::Injectable::PutElement);
  if (FAILED(hr)) return hr;
  SafeArrayLock(psa);
  hr = oleaut32::PutElement(vt, element, pv);
  SafeArrayUnlock(psa);
  return hr;
}

// pv receives a copy: a new BSTR, an interface with a reference added, a copied VARIANT (pv is
// taken as uninitialised), or the bytes of the value.
WINOLEAUTAPI SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv) {
  if (pv == nullptr) return E_INVALIDARG;
  void* element = nullptr;
  HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &element);
  if (FAILED(hr)) return hr;
  const VARTYPE vt = *oleaut32::TypeSlot(psa);
  SafeArrayLock(psa);
  switch (vt) {
    case VT_BSTR: {
      const BSTR s = *static_cast<BSTR*>(element);
      BSTR copy = s ? SysAllocStringByteLen(reinterpret_cast<LPCSTR>(s), SysStringByteLen(s)) : nullptr;
      if (s != nullptr && copy == nullptr)
        hr = E_OUTOFMEMORY;
      else
        *static_cast<BSTR*>(pv) = copy;
      break;
    }
    case VT_UNKNOWN:
    case VT_DISPATCH: {
      IUnknown* p = *static_cast<IUnknown**>(element);
      if (p != nullptr) p->AddRef();
      *static_cast<IUnknown**>(pv) = p;
      break;
    }
    case VT_VARIANT:
      VariantInit(static_cast<VARIANT*>(pv));
      hr = VariantCopy(static_cast<VARIANT*>(pv), static_cast<const VARIANT*>(element));
      break;
    default:
      std::memcpy(pv, element, psa->cbElements);
      break;
  }
  SafeArrayUnlock(psa);
  return hr;
}

}  // extern "C"
