// SHGetMalloc: the shell's allocator is the COM task allocator behind an IMalloc that lives as
// long as the process (its reference count never frees it).
#include <shlobj.h>

#include <atomic>

#include "sandbox/internal.h"

namespace {

class ShellMalloc final : public IMalloc {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == NULL) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IMalloc) {
      *ppv = static_cast<IMalloc*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --m_refs;
    return left == 0 ? 1 : left;  // the allocator outlives its users
  }

  STDMETHODIMP_(void*) Alloc(SIZE_T cb) override { return CoTaskMemAlloc(cb); }
  STDMETHODIMP_(void*) Realloc(void* pv, SIZE_T cb) override { return CoTaskMemRealloc(pv, cb); }
  STDMETHODIMP_(void) Free(void* pv) override { CoTaskMemFree(pv); }
  // The task allocator keeps no sizes that could be asked for.
  STDMETHODIMP_(SIZE_T) GetSize(void* pv) override {
    if (pv == NULL) return static_cast<SIZE_T>(-1);
    STANDIN_UNMODELLED_RETURN(static_cast<SIZE_T>(-1));
  }
  // -1 is the documented "cannot tell"; 0 for NULL, which is never an allocation.
  STDMETHODIMP_(int) DidAlloc(void* pv) override { return pv == NULL ? 0 : -1; }
  STDMETHODIMP_(void) HeapMinimize() override {}

 private:
  std::atomic<ULONG> m_refs{1};
};

ShellMalloc& TheShellMalloc() {
  static ShellMalloc* allocator = new ShellMalloc;  // never destroyed: callers may free during exit
  return *allocator;
}

}  // namespace

extern "C" {

// SHGetMalloc: the shell allocator with one more reference; E_INVALIDARG for a NULL out pointer.
SHSTDAPI SHGetMalloc(LPMALLOC* ppMalloc) {
  if (ppMalloc == NULL) return E_INVALIDARG;
  *ppMalloc = &TheShellMalloc();
  (*ppMalloc)->AddRef();
  return S_OK;
}

}  // extern "C"
