#include "XmlDocument.h"

#include <msxml.h>
#include <objbase.h>

HRESULT CreateXmlDocument(IXMLDOMDocument** document) {
  const DWORD context = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;
  IUnknown* object = NULL;
  HRESULT hr = ::CoCreateInstance(CLSID_DOMDocument, NULL, context, IID_IUnknown, reinterpret_cast<void**>(&object));
  if (FAILED(hr)) return hr;
  hr = ::OleRun(object);
  if (SUCCEEDED(hr)) hr = object->QueryInterface(__uuidof(IXMLDOMDocument), reinterpret_cast<void**>(document));
  object->Release();
  return hr;
}
