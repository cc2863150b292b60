// What the ATL headers call in the stand-in: QueryInterface over a COM map, Automation names,
// connection points, the registrar object, and the reports of unmodelled calls and failed
// assertions.
#include <atlbase.h>
#include <statreg.h>

#include "registrar.h"
#include "sandbox/internal.h"
#include "ole32/class_keys.h"

namespace atl_internal {

void ReportUnmodelled(const char* what) { sandbox::internal::ReportUnmodelled(what); }

void AssertFailed(const char* expression, const char* file, int line) {
  sandbox::internal::Fail(std::string("ATLASSERT(") + expression + ") failed at " + file + ":" + std::to_string(line));
}

bool SameDispatchName(const char* name, LPCOLESTR candidate) {
  if (name == NULL || candidate == NULL) return false;
  const auto fold = [](char32_t c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
  for (; *name != '\0' && *candidate != 0; ++name, ++candidate)
    if (fold(static_cast<unsigned char>(*name)) != fold(*candidate)) return false;
  return *name == '\0' && *candidate == 0;
}

}  // namespace atl_internal

HRESULT STDAPICALLTYPE AtlInternalQueryInterface(void* pThis, const atl_internal::InterfaceEntry* pEntries,
                                                 REFIID iid, void** ppvObject) {
  if (ppvObject == NULL) return E_POINTER;
  *ppvObject = NULL;
  if (pThis == NULL || pEntries == NULL || pEntries[0].piid == NULL) return E_UNEXPECTED;
  const atl_internal::InterfaceEntry* found = NULL;
  if (InlineIsEqualGUID(iid, IID_IUnknown)) {
    found = &pEntries[0];
  } else {
    for (const atl_internal::InterfaceEntry* entry = pEntries; entry->piid != NULL && found == NULL; ++entry)
      if (InlineIsEqualGUID(iid, *entry->piid)) found = entry;
  }
  if (found == NULL) return E_NOINTERFACE;
  void* pointer = found->cast(pThis);
  static_cast<IUnknown*>(pointer)->AddRef();
  *ppvObject = pointer;
  return S_OK;
}

namespace {

HRESULT FindPoint(IUnknown* container, const IID& iid, IConnectionPoint** point) {
  *point = NULL;
  if (container == NULL) return E_INVALIDARG;
  IConnectionPointContainer* points = NULL;
  HRESULT hr = container->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points));
  if (FAILED(hr)) return hr;
  hr = points->FindConnectionPoint(iid, point);
  points->Release();
  return hr;
}

}  // namespace

HRESULT STDAPICALLTYPE AtlAdvise(IUnknown* pUnkCP, IUnknown* pUnk, const IID& iid, LPDWORD pdw) {
  if (pdw == NULL) return E_POINTER;
  *pdw = 0;
  if (pUnk == NULL) return E_INVALIDARG;
  IConnectionPoint* point = NULL;
  HRESULT hr = FindPoint(pUnkCP, iid, &point);
  if (FAILED(hr)) return hr;
  hr = point->Advise(pUnk, pdw);
  point->Release();
  return hr;
}

HRESULT STDAPICALLTYPE AtlUnadvise(IUnknown* pUnkCP, const IID& iid, DWORD dw) {
  IConnectionPoint* point = NULL;
  HRESULT hr = FindPoint(pUnkCP, iid, &point);
  if (FAILED(hr)) return hr;
  hr = point->Unadvise(dw);
  point->Release();
  return hr;
}

struct CRegObject::Data {
  atl::Replacements replacements;
};

CRegObject::CRegObject() : m_data(new Data) {}
CRegObject::~CRegObject() { delete m_data; }

HRESULT CRegObject::AddReplacement(LPCOLESTR lpszKey, LPCOLESTR lpszItem) {
  if (lpszKey == NULL || lpszItem == NULL) return E_INVALIDARG;
  m_data->replacements[ole32::ToAnsi(lpszKey)] = ole32::ToAnsi(lpszItem);
  return S_OK;
}

HRESULT CRegObject::ClearReplacements() {
  m_data->replacements.clear();
  return S_OK;
}

HRESULT CRegObject::StringRegister(LPCOLESTR bstrData) {
  if (bstrData == NULL) return E_INVALIDARG;
  return atl::RunScript(ole32::ToAnsi(bstrData), m_data->replacements, true, "script");
}

HRESULT CRegObject::StringUnregister(LPCOLESTR bstrData) {
  if (bstrData == NULL) return E_INVALIDARG;
  return atl::RunScript(ole32::ToAnsi(bstrData), m_data->replacements, false, "script");
}
