// Out-parameter conventions (see com_util.h).
#include "com_util.h"

namespace msxml {

HRESULT ReturnString(std::u16string_view text, BSTR* out) {
  if (!out) return E_INVALIDARG;
  *out = SysAllocStringLen(text.empty() ? u"" : text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT ReturnOptionalString(bool present, std::u16string_view text, BSTR* out) {
  if (!out) return E_INVALIDARG;
  if (!present) {
    *out = nullptr;
    return S_FALSE;
  }
  return ReturnString(text, out);
}

HRESULT ReturnBool(bool value, VARIANT_BOOL* out) {
  if (!out) return E_INVALIDARG;
  *out = value ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT ReturnLong(LONG value, LONG* out) {
  if (!out) return E_INVALIDARG;
  *out = value;
  return S_OK;
}

HRESULT VariantText(const VARIANT& value, std::u16string& out) {
  if (value.vt == VT_BSTR) {
    out.assign(View(value.bstrVal));
    return S_OK;
  }
  VARIANT converted;
  VariantInit(&converted);
  const HRESULT hr = VariantChangeType(&converted, &value, 0, VT_BSTR);
  if (FAILED(hr)) return hr;
  out.assign(View(converted.bstrVal));
  VariantClear(&converted);
  return S_OK;
}

}  // namespace msxml
