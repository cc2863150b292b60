// ATL: COM objects. The object roots (reference count, FinalConstruct/FinalRelease, the object's
// lock), the COM map (which interfaces QueryInterface hands out), CComObject and the creators,
// the class factory, CComCoClass and the object map, and IDispatchImpl over an interface's
// method-name table (standin_dispatch.h).
//
// Include atlbase.h and declare the module object (extern CComModule _Module;) first: the
// objects lock the module while they live.
//
// Aggregation is not modelled: a class that says DECLARE_NOT_AGGREGATABLE refuses an outer
// unknown with CLASS_E_NOAGGREGATION, as on the platform; any other class refuses it the same
// way and the request is reported as unmodelled. Type information is not modelled either:
// IDispatchImpl answers GetTypeInfoCount with 0.
#pragma once

#include <new>

#include "atlbase.h"
#include "standin_dispatch.h"

// --- Object roots -----------------------------------------------------------------------------

class CComObjectRootBase {
 public:
  CComObjectRootBase() : m_dwRef(0) {}
  HRESULT FinalConstruct() { return S_OK; }
  void FinalRelease() {}
  void InternalFinalConstructAddRef() {}
  void InternalFinalConstructRelease() {}
  void SetVoid(void*) {}
  static HRESULT WINAPI InternalQueryInterface(void* pThis, const atl_internal::InterfaceEntry* pEntries, REFIID iid,
                                               void** ppvObject) {
    return AtlInternalQueryInterface(pThis, pEntries, iid, ppvObject);
  }

  LONG m_dwRef;
};

// The root of an object of the thread model: its reference count, and its lock (Lock/Unlock,
// a critical section under the multithreaded model).
template <class ThreadModel>
class CComObjectRootEx : public CComObjectRootBase {
 public:
  typedef ThreadModel _ThreadModel;
  typedef typename ThreadModel::AutoCriticalSection _CritSec;

  ULONG InternalAddRef() { return ThreadModel::Increment(&m_dwRef); }
  ULONG InternalRelease() { return ThreadModel::Decrement(&m_dwRef); }
  void Lock() { m_critsec.Lock(); }
  void Unlock() { m_critsec.Unlock(); }

 private:
  _CritSec m_critsec;
};

typedef CComObjectRootEx<CComObjectThreadModel> CComObjectRoot;

// Keeps an object alive while FinalConstruct hands out and takes back references to itself.
#define DECLARE_PROTECT_FINAL_CONSTRUCT()                  \
  void InternalFinalConstructAddRef() { InternalAddRef(); } \
  void InternalFinalConstructRelease() { InternalRelease(); }

// --- The COM map ------------------------------------------------------------------------------

#define BEGIN_COM_MAP(x)                                                                       \
 public:                                                                                       \
  typedef x _ComMapClass;                                                                      \
  HRESULT _InternalQueryInterface(REFIID iid, void** ppvObject) {                              \
    return InternalQueryInterface(this, _GetEntries(), iid, ppvObject);                        \
  }                                                                                            \
  IUnknown* _GetRawUnknown() { return static_cast<IUnknown*>(_GetEntries()[0].cast(this)); }   \
  IUnknown* GetUnknown() { return _GetRawUnknown(); }                                          \
  static const ::atl_internal::InterfaceEntry* WINAPI _GetEntries() {                          \
    static const ::atl_internal::InterfaceEntry _entries[] = {
#define COM_INTERFACE_ENTRY(x) {&__uuidof(x), &::atl_internal::CastTo<x, _ComMapClass>},
#define COM_INTERFACE_ENTRY_IID(iid, x) {&(iid), &::atl_internal::CastTo<x, _ComMapClass>},
#define COM_INTERFACE_ENTRY2(x, x2) {&__uuidof(x), &::atl_internal::CastVia<x, x2, _ComMapClass>},
#define COM_INTERFACE_ENTRY2_IID(iid, x, x2) {&(iid), &::atl_internal::CastVia<x, x2, _ComMapClass>},
#define END_COM_MAP()                                                  \
  {NULL, NULL}                                                         \
  }                                                                    \
  ;                                                                    \
  return _entries;                                                     \
  }                                                                    \
  virtual ULONG STDMETHODCALLTYPE AddRef() = 0;                        \
  virtual ULONG STDMETHODCALLTYPE Release() = 0;                       \
  virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) = 0;

// --- Objects ----------------------------------------------------------------------------------

// An object of class Base: locks the module while it lives, deletes itself at the last Release
// (after FinalRelease).
template <class Base>
class CComObject : public Base {
 public:
  typedef Base _BaseClass;
  explicit CComObject(void* = NULL) { _Module.Lock(); }
  virtual ~CComObject() {
    this->m_dwRef = 1L;  // a FinalRelease that hands out references does not delete again
    this->FinalRelease();
    _Module.Unlock();
  }
  STDMETHOD_(ULONG, AddRef)() override { return this->InternalAddRef(); }
  STDMETHOD_(ULONG, Release)() override {
    const ULONG l = this->InternalRelease();
    if (l == 0) delete this;
    return l;
  }
  STDMETHOD(QueryInterface)(REFIID iid, void** ppvObject) override {
    return this->_InternalQueryInterface(iid, ppvObject);
  }
  template <class Q>
  HRESULT QueryInterface(Q** pp) {
    return QueryInterface(__uuidof(Q), reinterpret_cast<void**>(pp));
  }

  // A new object with no reference yet (the caller adds the first), FinalConstruct run; its
  // failure deletes the object and is returned.
  static HRESULT WINAPI CreateInstance(CComObject<Base>** pp) {
    if (pp == NULL) return E_POINTER;
    *pp = NULL;
    CComObject<Base>* p = new (std::nothrow) CComObject<Base>();
    if (p == NULL) return E_OUTOFMEMORY;
    p->SetVoid(NULL);
    p->InternalFinalConstructAddRef();
    const HRESULT hr = p->FinalConstruct();
    p->InternalFinalConstructRelease();
    if (FAILED(hr)) {
      delete p;
      return hr;
    }
    *pp = p;
    return hr;
  }
};

// An object the module keeps for itself (a class factory of the object map): only references
// beyond the module's own lock the module.
template <class Base>
class CComObjectCached : public Base {
 public:
  typedef Base _BaseClass;
  explicit CComObjectCached(void* = NULL) {}
  virtual ~CComObjectCached() {
    this->m_dwRef = 1L;
    this->FinalRelease();
  }
  STDMETHOD_(ULONG, AddRef)() override {
    m_csCached.Lock();
    const ULONG l = this->InternalAddRef();
    if (l == 2) _Module.Lock();
    m_csCached.Unlock();
    return l;
  }
  STDMETHOD_(ULONG, Release)() override {
    m_csCached.Lock();
    const ULONG l = this->InternalRelease();
    if (l == 1) _Module.Unlock();
    m_csCached.Unlock();
    if (l == 0) delete this;
    return l;
  }
  STDMETHOD(QueryInterface)(REFIID iid, void** ppvObject) override {
    return this->_InternalQueryInterface(iid, ppvObject);
  }

 private:
  CComGlobalsThreadModel::AutoCriticalSection m_csCached;
};

// --- Creators ---------------------------------------------------------------------------------

// Makes a T1 (given pv), runs FinalConstruct and asks it for riid; a failure deletes it.
template <class T1>
class CComCreator {
 public:
  static HRESULT WINAPI CreateInstance(void* pv, REFIID riid, LPVOID* ppv) {
    if (ppv == NULL) return E_POINTER;
    *ppv = NULL;
    T1* p = new (std::nothrow) T1(pv);
    if (p == NULL) return E_OUTOFMEMORY;
    p->SetVoid(pv);
    p->InternalFinalConstructAddRef();
    HRESULT hr = p->FinalConstruct();
    p->InternalFinalConstructRelease();
    if (SUCCEEDED(hr)) hr = p->QueryInterface(riid, ppv);
    if (FAILED(hr)) delete p;
    return hr;
  }
};

template <HRESULT hr>
class CComFailCreator {
 public:
  static HRESULT WINAPI CreateInstance(void*, REFIID, LPVOID* ppv) {
    if (ppv != NULL) *ppv = NULL;
    return hr;
  }
};

// T1 without an outer unknown, T2 with one.
template <class T1, class T2>
class CComCreator2 {
 public:
  static HRESULT WINAPI CreateInstance(void* pv, REFIID riid, LPVOID* ppv) {
    return pv == NULL ? T1::CreateInstance(NULL, riid, ppv) : T2::CreateInstance(pv, riid, ppv);
  }
};

namespace atl_internal {
// What a class that did not refuse aggregation gets for an outer unknown.
class UnmodelledAggregationCreator {
 public:
  static HRESULT WINAPI CreateInstance(void*, REFIID, LPVOID* ppv) {
    if (ppv != NULL) *ppv = NULL;
    ReportUnmodelled("ATL aggregation (an outer unknown for a class that did not declare DECLARE_NOT_AGGREGATABLE)");
    return CLASS_E_NOAGGREGATION;
  }
};
}  // namespace atl_internal

#define DECLARE_NOT_AGGREGATABLE(x) \
 public:                            \
  typedef CComCreator2<CComCreator<CComObject<x>>, CComFailCreator<CLASS_E_NOAGGREGATION>> _CreatorClass;
#define DECLARE_AGGREGATABLE(x) \
 public:                        \
  typedef CComCreator2<CComCreator<CComObject<x>>, ::atl_internal::UnmodelledAggregationCreator> _CreatorClass;

// --- The class factory ------------------------------------------------------------------------

class CComClassFactory : public IClassFactory, public CComObjectRootEx<CComGlobalsThreadModel> {
 public:
  BEGIN_COM_MAP(CComClassFactory)
  COM_INTERFACE_ENTRY(IClassFactory)
  END_COM_MAP()

  // An outer unknown may only ask for IUnknown (else CLASS_E_NOAGGREGATION); the class's
  // creator decides the rest.
  STDMETHOD(CreateInstance)(LPUNKNOWN pUnkOuter, REFIID riid, void** ppvObj) override {
    if (ppvObj == NULL) return E_POINTER;
    *ppvObj = NULL;
    if (pUnkOuter != NULL && !InlineIsEqualGUID(riid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
    return m_pfnCreateInstance(pUnkOuter, riid, ppvObj);
  }
  STDMETHOD(LockServer)(BOOL fLock) override {
    if (fLock)
      _Module.Lock();
    else
      _Module.Unlock();
    return S_OK;
  }
  // The creator of the class's objects, handed over when the factory is made.
  void SetVoid(void* pv) { m_pfnCreateInstance = reinterpret_cast<_ATL_CREATORFUNC*>(pv); }

  _ATL_CREATORFUNC* m_pfnCreateInstance = NULL;
};

#define DECLARE_CLASSFACTORY() \
 public:                       \
  typedef CComCreator<CComObjectCached<CComClassFactory>> _ClassFactoryCreatorClass;

// A creatable class: its class factory, its creator and its CLSID.
template <class T, const CLSID* pclsid = &CLSID_NULL>
class CComCoClass {
 public:
  DECLARE_CLASSFACTORY()
  DECLARE_AGGREGATABLE(T)
  typedef T _CoClass;
  static const CLSID& WINAPI GetObjectCLSID() { return *pclsid; }
  static LPCTSTR WINAPI GetObjectDescription() { return NULL; }
};

// Registration of a class: from a REGISTRY resource of the module, or none.
#define DECLARE_REGISTRY_RESOURCEID(x) \
  static HRESULT WINAPI UpdateRegistry(BOOL bRegister) { return _Module.UpdateRegistryFromResource(x, bRegister); }
#define DECLARE_REGISTRY_RESOURCE(x) \
  static HRESULT WINAPI UpdateRegistry(BOOL bRegister) { return _Module.UpdateRegistryFromResource(x, bRegister); }
#define DECLARE_NO_REGISTRY() \
  static HRESULT WINAPI UpdateRegistry(BOOL) { return S_OK; }

// --- The object map ---------------------------------------------------------------------------

#define BEGIN_OBJECT_MAP(x) static _ATL_OBJMAP_ENTRY x[] = {
#define OBJECT_ENTRY(clsid, class)                                                                             \
  {&(clsid), class ::UpdateRegistry, class ::_ClassFactoryCreatorClass::CreateInstance,                          \
   class ::_CreatorClass::CreateInstance, NULL, 0, class ::GetObjectDescription},
#define END_OBJECT_MAP() \
  { NULL, NULL, NULL, NULL, NULL, 0, NULL }                                                                       \
  }                                                                                                              \
  ;

// --- IDispatch over a method-name table ---------------------------------------------------------

namespace atl_internal {

template <class T>
HRESULT DispatchIdsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, DISPID* rgDispId) {
  if constexpr (!standin_dispatch_table<T>::defined) {
    ReportUnmodelled("IDispatchImpl::GetIDsOfNames of an interface without a method-name table");
    return E_NOTIMPL;
  } else {
    if (!InlineIsEqualGUID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (cNames == 0 || rgszNames == NULL || rgDispId == NULL) return E_INVALIDARG;
    const auto& methods = standin_dispatch_table<T>::methods;
    HRESULT hr = DISP_E_UNKNOWNNAME;
    rgDispId[0] = DISPID_UNKNOWN;
    for (size_t i = 0; i < sizeof methods / sizeof methods[0]; ++i) {
      if (SameDispatchName(methods[i].name, rgszNames[0])) {
        rgDispId[0] = static_cast<DISPID>(i + 1);
        hr = S_OK;
        break;
      }
    }
    // The methods take no arguments, so no argument name is known.
    for (UINT n = 1; n < cNames; ++n) {
      rgDispId[n] = DISPID_UNKNOWN;
      hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
  }
}

template <class T>
HRESULT DispatchInvoke(T* object, DISPID dispIdMember, REFIID riid, WORD wFlags, DISPPARAMS* pDispParams,
                       VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) {
  if constexpr (!standin_dispatch_table<T>::defined) {
    ReportUnmodelled("IDispatchImpl::Invoke of an interface without a method-name table");
    return E_NOTIMPL;
  } else {
    (void)puArgErr;
    if (!InlineIsEqualGUID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    const auto& methods = standin_dispatch_table<T>::methods;
    constexpr DISPID count = static_cast<DISPID>(sizeof methods / sizeof methods[0]);
    if (dispIdMember < 1 || dispIdMember > count || (wFlags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
    if (pDispParams == NULL) return E_INVALIDARG;
    if (pDispParams->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    if (pDispParams->cArgs != 0) return DISP_E_BADPARAMCOUNT;
    if (pVarResult != NULL) VariantInit(pVarResult);  // the methods return nothing but their HRESULT
    const HRESULT hr = methods[dispIdMember - 1].call(object);
    if (FAILED(hr)) {
      // A failing method is an exception of the call, its HRESULT the exception's code.
      if (pExcepInfo != NULL) {
        *pExcepInfo = EXCEPINFO{};
        pExcepInfo->scode = hr;
      }
      return DISP_E_EXCEPTION;
    }
    return S_OK;
  }
}

}  // namespace atl_internal

// IDispatch of the dispatch or dual interface T (deriving from IDispatch), served from T's
// method-name table: DISPIDs from 1 in the table's order, DISP_E_UNKNOWNNAME for other names.
// The library and version parameters name T's type library, as on the platform; type
// information itself is not handed out.
template <class T, const IID* piid = &__uuidof(T), const GUID* plibid = &CLSID_NULL, WORD wMajor = 1,
          WORD wMinor = 0>
class IDispatchImpl : public T {
 public:
  typedef T _DispatchInterface;
  STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override {
    if (pctinfo == NULL) return E_POINTER;
    *pctinfo = 0;
    return S_OK;
  }
  STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo** pptinfo) override {
    if (pptinfo != NULL) *pptinfo = NULL;
    return DISP_E_BADINDEX;
  }
  STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgdispid) override {
    return atl_internal::DispatchIdsOfNames<T>(riid, rgszNames, cNames, rgdispid);
  }
  STDMETHOD(Invoke)(DISPID dispidMember, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pdispparams,
                    VARIANT* pvarResult, EXCEPINFO* pexcepinfo, UINT* puArgErr) override {
    return atl_internal::DispatchInvoke<T>(static_cast<T*>(this), dispidMember, riid, wFlags, pdispparams,
                                           pvarResult, pexcepinfo, puArgErr);
  }
};
