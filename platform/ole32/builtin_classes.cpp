// Built-in classes: registered by stand-in modules for the life of the process, found before
// HKEY_CLASSES_ROOT, served through a class factory of their own like any in-process class.
#include "builtin_classes.h"

#include <atomic>
#include <mutex>
#include <vector>

namespace ole32 {
namespace {

struct Table {
  std::mutex lock;
  std::vector<BuiltinClass> classes;
};

Table& T() {
  static Table* table = new Table;  // modules register from static initialisers, in any order
  return *table;
}

// IClassFactory over a creation function: no aggregation, LockServer has nothing to keep.
class Factory final : public IClassFactory {
 public:
  explicit Factory(STANDIN_CREATE_INSTANCE create) : create_(create) {}

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
      *ppv = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    const HRESULT hr = create_(riid, ppv);
    if (FAILED(hr)) *ppv = nullptr;
    return hr;
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }

 private:
  ~Factory() = default;

  STANDIN_CREATE_INSTANCE create_;
  std::atomic<ULONG> refs_{1};
};

}  // namespace

std::optional<BuiltinClass> FindBuiltinClass(REFCLSID clsid) {
  Table& t = T();
  std::lock_guard<std::mutex> g(t.lock);
  for (const BuiltinClass& c : t.classes)
    if (c.clsid == clsid) return c;
  return std::nullopt;
}

std::optional<BuiltinClass> FindBuiltinProgId(const std::string& progId) {
  Table& t = T();
  std::lock_guard<std::mutex> g(t.lock);
  for (const BuiltinClass& c : t.classes)
    if (!c.progId.empty() && lstrcmpi(c.progId.c_str(), progId.c_str()) == 0) return c;
  return std::nullopt;
}

HRESULT BuiltinClassFactory(STANDIN_CREATE_INSTANCE create, REFIID riid, void** ppv) {
  Factory* factory = new Factory(create);
  const HRESULT hr = factory->QueryInterface(riid, ppv);
  factory->Release();
  return hr;
}

}  // namespace ole32

extern "C" {

STANDIN_API HRESULT StandinRegisterClass(REFCLSID clsid, const char* progId, STANDIN_CREATE_INSTANCE create) {
  return StandinRegisterClassEx(clsid, progId, create, CLSCTX_INPROC_SERVER);
}

STANDIN_API HRESULT StandinRegisterClassEx(REFCLSID clsid, const char* progId, STANDIN_CREATE_INSTANCE create,
                                           DWORD contexts) {
  if (create == nullptr) return E_INVALIDARG;
  contexts &= CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER;
  if (contexts == 0) return E_INVALIDARG;
  ole32::Table& t = ole32::T();
  std::lock_guard<std::mutex> g(t.lock);
  ole32::BuiltinClass entry{clsid, progId ? progId : "", create, contexts};
  for (ole32::BuiltinClass& c : t.classes) {
    if (c.clsid == clsid) {
      c = entry;
      return S_OK;
    }
  }
  t.classes.push_back(entry);
  return S_OK;
}

STANDIN_API HRESULT StandinUnregisterClass(REFCLSID clsid) {
  ole32::Table& t = ole32::T();
  std::lock_guard<std::mutex> g(t.lock);
  for (auto it = t.classes.begin(); it != t.classes.end(); ++it) {
    if (it->clsid == clsid) {
      t.classes.erase(it);
      return S_OK;
    }
  }
  return S_FALSE;
}

}  // extern "C"
