// Error information: CreateErrorInfo makes an object with both the setting (ICreateErrorInfo)
// and the reading (IErrorInfo) side; SetErrorInfo keeps one per thread (adding a reference,
// releasing the previous one); GetErrorInfo hands it to the caller and clears it (S_FALSE with
// null when there is none).
#include <oleauto.h>

#include <atomic>
#include <string>

#include "sandbox/internal.h"

namespace oleaut32 {
namespace {

HRESULT CopyOut(const std::u16string& text, BSTR* out) {
  if (out == nullptr) return E_INVALIDARG;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

std::u16string TextOf(LPOLESTR s) { return s ? std::u16string(s) : std::u16string(); }

class ErrorObject final : public IErrorInfo, public ICreateErrorInfo {
 public:
  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IErrorInfo) {
      *ppv = static_cast<IErrorInfo*>(this);
    } else if (riid == IID_ICreateErrorInfo) {
      *ppv = static_cast<ICreateErrorInfo*>(this);
    } else {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  // IErrorInfo
  STDMETHODIMP GetGUID(GUID* pGUID) override {
    if (pGUID == nullptr) return E_INVALIDARG;
    *pGUID = guid_;
    return S_OK;
  }
  STDMETHODIMP GetSource(BSTR* out) override { return CopyOut(source_, out); }
  STDMETHODIMP GetDescription(BSTR* out) override { return CopyOut(description_, out); }
  STDMETHODIMP GetHelpFile(BSTR* out) override { return CopyOut(helpFile_, out); }
  STDMETHODIMP GetHelpContext(DWORD* out) override {
    if (out == nullptr) return E_INVALIDARG;
    *out = helpContext_;
    return S_OK;
  }

  // ICreateErrorInfo
  STDMETHODIMP SetGUID(REFGUID rguid) override {
    guid_ = rguid;
    return S_OK;
  }
  STDMETHODIMP SetSource(LPOLESTR s) override {
    source_ = TextOf(s);
    return S_OK;
  }
  STDMETHODIMP SetDescription(LPOLESTR s) override {
    description_ = TextOf(s);
    return S_OK;
  }
  STDMETHODIMP SetHelpFile(LPOLESTR s) override {
    helpFile_ = TextOf(s);
    return S_OK;
  }
  STDMETHODIMP SetHelpContext(DWORD context) override {
    helpContext_ = context;
    return S_OK;
  }

 private:
  ~ErrorObject() = default;

  std::atomic<ULONG> refs_{1};
  GUID guid_ = GUID_NULL;
  std::u16string source_, description_, helpFile_;
  DWORD helpContext_ = 0;
};

// The calling thread's error object; released when the thread ends.
struct ThreadError {
  IErrorInfo* info = nullptr;
  void Replace(IErrorInfo* next) {
    IErrorInfo* old = info;
    info = next;
    if (old != nullptr) old->Release();
  }
  ~ThreadError() { Replace(nullptr); }
};
thread_local ThreadError t_error;

struct ResetHook {
  ResetHook() {
    sandbox::internal::RegisterReset("oleaut32.errorinfo", [] { t_error.Replace(nullptr); });
  }
} g_resetHook;

}  // namespace
}  // namespace oleaut32

extern "C" {

WINOLEAUTAPI CreateErrorInfo(ICreateErrorInfo** pperrinfo) {
  if (pperrinfo == nullptr) return E_INVALIDARG;
  *pperrinfo = new oleaut32::ErrorObject;
  return S_OK;
}

WINOLEAUTAPI SetErrorInfo(ULONG dwReserved, IErrorInfo* perrinfo) {
  if (dwReserved != 0) return E_INVALIDARG;
  if (perrinfo != nullptr) perrinfo->AddRef();
  oleaut32::t_error.Replace(perrinfo);
  return S_OK;
}

WINOLEAUTAPI GetErrorInfo(ULONG dwReserved, IErrorInfo** pperrinfo) {
  if (dwReserved != 0 || pperrinfo == nullptr) return E_INVALIDARG;
  *pperrinfo = oleaut32::t_error.info;
  oleaut32::t_error.info = nullptr;
  return *pperrinfo ? S_OK : S_FALSE;
}

}  // extern "C"
