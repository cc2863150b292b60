// The parse-error object (see parse_error.h).
#include "parse_error.h"

namespace msxml {

STDMETHODIMP ParseErrorObject::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IXMLDOMParseError) {
    *ppv = static_cast<IXMLDOMParseError*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ParseErrorObject::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP ParseErrorObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_INVALIDARG;
  *count = 0;
  return S_OK;
}

}  // namespace msxml
