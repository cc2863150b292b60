// ATL: the COM server frame of a module. The module object (CComModule: the object map, the lock
// count behind DllCanUnloadNow, registration from REGISTRY resources and the type library), the
// thread models, CComPtr/CComQIPtr, AtlAdvise/AtlUnadvise. The objects themselves are in
// atlcom.h, the registrar in statreg.h.
//
// A module that serves COM classes defines one module object and declares it before atlcom.h:
//
//   #include <atlbase.h>
//   extern CComModule _Module;
//   #include <atlcom.h>
//
// The module object's functions live in the atl stand-in module (one per process, holding no
// state of its own); each module keeps its own _Module, object map and lock count.
#pragma once

#include <objbase.h>
#include <ocidl.h>
#include <oleauto.h>
#include <windows.h>

// A class that is never made itself (only CComObject<class> is) needs no table of its own on the
// platform's compiler; here it is an ordinary class.
#define ATL_NO_VTABLE

#define ATLAPI STANDIN_API HRESULT STDAPICALLTYPE
#define ATLAPI_(type) STANDIN_API type STDAPICALLTYPE

namespace atl_internal {
// A call into ATL that the stand-in does not model: recorded and, in strict mode, a test failure.
STANDIN_API void ReportUnmodelled(const char* what);
// A failed ATLASSERT: reported as a misuse.
STANDIN_API void AssertFailed(const char* expression, const char* file, int line);
}  // namespace atl_internal

#ifdef NDEBUG
#define ATLASSERT(expr) ((void)0)
#else
#define ATLASSERT(expr) ((expr) ? (void)0 : ::atl_internal::AssertFailed(#expr, __FILE__, __LINE__))
#endif

// --- What the COM maps and IDispatchImpl of atlcom.h call ----------------------------------

namespace atl_internal {

// One line of a COM map: an interface identifier and how to reach the object's pointer of it.
struct InterfaceEntry {
  const IID* piid;
  void* (*cast)(void* object);
};

template <class Interface, class Class>
void* CastTo(void* object) {
  return static_cast<Interface*>(static_cast<Class*>(object));
}

// An interface reached through one of the class's bases (IDispatch of a class with several
// dispatch interfaces).
template <class Interface, class Via, class Class>
void* CastVia(void* object) {
  return static_cast<Interface*>(static_cast<Via*>(static_cast<Class*>(object)));
}

// Matches an Automation name without regard to ASCII case.
STANDIN_API bool SameDispatchName(const char* name, LPCOLESTR candidate);

}  // namespace atl_internal

// QueryInterface over a COM map: IID_IUnknown gives the map's first interface; any other
// identifier the first entry that names it (AddRef'd); else E_NOINTERFACE with *ppvObject null.
ATLAPI AtlInternalQueryInterface(void* pThis, const atl_internal::InterfaceEntry* pEntries, REFIID iid,
                                 void** ppvObject);

// --- Critical sections and thread models --------------------------------------------------

class CComCriticalSection {
 public:
  void Lock() { EnterCriticalSection(&m_sec); }
  void Unlock() { LeaveCriticalSection(&m_sec); }
  void Init() { InitializeCriticalSection(&m_sec); }
  void Term() { DeleteCriticalSection(&m_sec); }
  CRITICAL_SECTION m_sec;
};

class CComAutoCriticalSection {
 public:
  CComAutoCriticalSection() { InitializeCriticalSection(&m_sec); }
  ~CComAutoCriticalSection() { DeleteCriticalSection(&m_sec); }
  CComAutoCriticalSection(const CComAutoCriticalSection&) = delete;
  CComAutoCriticalSection& operator=(const CComAutoCriticalSection&) = delete;
  void Lock() { EnterCriticalSection(&m_sec); }
  void Unlock() { LeaveCriticalSection(&m_sec); }
  CRITICAL_SECTION m_sec;
};

class CComFakeCriticalSection {
 public:
  void Lock() {}
  void Unlock() {}
  void Init() {}
  void Term() {}
};

// Objects used by one thread at a time (the apartment model).
class CComSingleThreadModel {
 public:
  static ULONG WINAPI Increment(LONG* p) { return static_cast<ULONG>(++(*p)); }
  static ULONG WINAPI Decrement(LONG* p) { return static_cast<ULONG>(--(*p)); }
  typedef CComFakeCriticalSection AutoCriticalSection;
  typedef CComFakeCriticalSection CriticalSection;
  typedef CComSingleThreadModel ThreadModelNoCS;
};

// Objects any thread may call: counts change atomically, Lock() takes a critical section.
class CComMultiThreadModelNoCS {
 public:
  static ULONG WINAPI Increment(LONG* p) { return static_cast<ULONG>(InterlockedIncrement(p)); }
  static ULONG WINAPI Decrement(LONG* p) { return static_cast<ULONG>(InterlockedDecrement(p)); }
  typedef CComFakeCriticalSection AutoCriticalSection;
  typedef CComFakeCriticalSection CriticalSection;
  typedef CComMultiThreadModelNoCS ThreadModelNoCS;
};

class CComMultiThreadModel {
 public:
  static ULONG WINAPI Increment(LONG* p) { return static_cast<ULONG>(InterlockedIncrement(p)); }
  static ULONG WINAPI Decrement(LONG* p) { return static_cast<ULONG>(InterlockedDecrement(p)); }
  typedef CComAutoCriticalSection AutoCriticalSection;
  typedef CComCriticalSection CriticalSection;
  typedef CComMultiThreadModelNoCS ThreadModelNoCS;
};

// The apartment-threaded defaults: objects single-threaded, the module's globals (lock count,
// class factories) shared by every thread.
typedef CComSingleThreadModel CComObjectThreadModel;
typedef CComMultiThreadModel CComGlobalsThreadModel;

// --- Smart interface pointers -------------------------------------------------------------

template <class T>
class CComPtr {
 public:
  CComPtr() : p(NULL) {}
  CComPtr(T* lp) : p(lp) {  // NOLINT: converts as the platform's does
    if (p != NULL) p->AddRef();
  }
  CComPtr(const CComPtr<T>& lp) : CComPtr(lp.p) {}
  ~CComPtr() {
    if (p != NULL) p->Release();
  }
  void Release() {
    T* old = p;
    p = NULL;
    if (old != NULL) old->Release();
  }
  operator T*() const { return p; }
  T& operator*() const { return *p; }
  // For out parameters: the pointer must be empty.
  T** operator&() {
    ATLASSERT(p == NULL);
    return &p;
  }
  T* operator->() const {
    ATLASSERT(p != NULL);
    return p;
  }
  T* operator=(T* lp) {
    if (lp != NULL) lp->AddRef();
    T* old = p;
    p = lp;
    if (old != NULL) old->Release();
    return p;
  }
  T* operator=(const CComPtr<T>& lp) { return *this = lp.p; }
  bool operator!() const { return p == NULL; }
  bool operator==(T* pT) const { return p == pT; }
  void Attach(T* p2) {
    if (p != NULL) p->Release();
    p = p2;
  }
  T* Detach() {
    T* pt = p;
    p = NULL;
    return pt;
  }
  HRESULT CopyTo(T** ppT) {
    if (ppT == NULL) return E_POINTER;
    *ppT = p;
    if (p != NULL) p->AddRef();
    return S_OK;
  }
  template <class Q>
  HRESULT QueryInterface(Q** pp) const {
    return p->QueryInterface(__uuidof(Q), reinterpret_cast<void**>(pp));
  }
  HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter = NULL, DWORD dwClsContext = CLSCTX_ALL) {
    ATLASSERT(p == NULL);
    return ::CoCreateInstance(rclsid, pUnkOuter, dwClsContext, __uuidof(T), reinterpret_cast<void**>(&p));
  }

  T* p;
};

// A pointer that asks what it is given for its interface.
template <class T, const IID* piid = &__uuidof(T)>
class CComQIPtr : public CComPtr<T> {
 public:
  CComQIPtr() = default;
  CComQIPtr(T* lp) : CComPtr<T>(lp) {}  // NOLINT
  CComQIPtr(const CComQIPtr& lp) : CComPtr<T>(lp.p) {}
  CComQIPtr(IUnknown* lp) {  // NOLINT
    if (lp != NULL) lp->QueryInterface(*piid, reinterpret_cast<void**>(&this->p));
  }
  T* operator=(T* lp) { return CComPtr<T>::operator=(lp); }
  T* operator=(const CComQIPtr& lp) { return CComPtr<T>::operator=(lp.p); }
  T* operator=(IUnknown* lp) {
    T* found = NULL;
    if (lp != NULL) lp->QueryInterface(*piid, reinterpret_cast<void**>(&found));
    this->Attach(found);
    return this->p;
  }
};

// --- Connection points --------------------------------------------------------------------

// Advises pUnk on the connection point of `iid` that pUnkCP's IConnectionPointContainer finds;
// the cookie comes back in *pdw. The container's and the point's own failures are passed on;
// E_INVALIDARG for a null container or sink, E_POINTER for a null cookie.
ATLAPI AtlAdvise(IUnknown* pUnkCP, IUnknown* pUnk, const IID& iid, LPDWORD pdw);
// Unadvises the cookie `dw` from that connection point.
ATLAPI AtlUnadvise(IUnknown* pUnkCP, const IID& iid, DWORD dw);

// --- The module -----------------------------------------------------------------------------

// Makes an object (or a class factory): pv is the outer unknown (or, for a factory, the creator
// of its objects).
typedef HRESULT(WINAPI _ATL_CREATORFUNC)(void* pv, REFIID riid, LPVOID* ppv);
typedef LPCTSTR(WINAPI _ATL_DESCRIPTIONFUNC)();

// One class of the module's object map (BEGIN_OBJECT_MAP in atlcom.h).
struct _ATL_OBJMAP_ENTRY {
  const CLSID* pclsid;
  HRESULT(WINAPI* pfnUpdateRegistry)(BOOL bRegister);
  _ATL_CREATORFUNC* pfnGetClassObject;
  _ATL_CREATORFUNC* pfnCreateInstance;
  IUnknown* pCF;  // the class factory, made at the first request and kept until Term
  DWORD dwRegister;
  _ATL_DESCRIPTIONFUNC* pfnGetObjectDescription;
};

// A replacement of the registrar's scripts beside %MODULE%: "%<szKey>%" stands for szData.
struct _ATL_REGMAP_ENTRY {
  LPCOLESTR szKey;
  LPCOLESTR szData;
};

class STANDIN_API CComModule {
 public:
  CComModule();
  ~CComModule();
  CComModule(const CComModule&) = delete;
  CComModule& operator=(const CComModule&) = delete;

  // Takes the object map (ended by an entry with a null CLSID), the module's instance handle
  // (also its resource and type-library instance) and its type library's identifier.
  HRESULT Init(_ATL_OBJMAP_ENTRY* p, HINSTANCE h, const GUID* plibid = NULL);
  // Releases the class factories made meanwhile.
  void Term();

  // The module's lock count: every live object, every class factory held by a client and every
  // LockServer(TRUE) counts; DllCanUnloadNow answers S_OK only at 0.
  LONG Lock() { return InterlockedIncrement(&m_nLockCnt); }
  LONG Unlock() { return InterlockedDecrement(&m_nLockCnt); }
  LONG GetLockCount() { return m_nLockCnt; }

  HINSTANCE GetModuleInstance() { return m_hInst; }
  HINSTANCE GetResourceInstance() { return m_hInstResource; }
  HINSTANCE GetTypeLibInstance() { return m_hInstTypeLib; }

  // DllGetClassObject's work: the class factory of a class of the object map asked for riid;
  // CLASS_E_CLASSNOTAVAILABLE for a class the map does not hold.
  HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv);

  // Registers every class of the map (or only *pCLSID) through its UpdateRegistry, then, when
  // bRegTypeLib, the type library (resource TYPELIB 1 of the type-library instance). The first
  // failure ends it and is returned.
  HRESULT RegisterServer(BOOL bRegTypeLib = FALSE, const CLSID* pCLSID = NULL);
  // Unregisters every class of the map (or *pCLSID), then, when bUnRegTypeLib, the type library.
  HRESULT UnregisterServer(BOOL bUnRegTypeLib, const CLSID* pCLSID = NULL);
  HRESULT UnregisterServer(const CLSID* pCLSID = NULL) { return UnregisterServer(FALSE, pCLSID); }

  // Runs the registrar script of the REGISTRY resource nResID of the resource instance (see
  // statreg.h), with %MODULE% the module's full path and the map's replacements: registers when
  // bRegister, else unregisters. A script that does not parse changes nothing: DISP_E_EXCEPTION,
  // with the error info's description "REGISTRY <id> line <n>: <what is wrong>" (also written
  // to the debugger output). A missing resource: HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND)
  // (or _TYPE_).
  HRESULT UpdateRegistryFromResource(UINT nResID, BOOL bRegister, _ATL_REGMAP_ENTRY* pMapEntries = NULL);
  HRESULT UpdateRegistryFromResource(LPCTSTR lpszRes, BOOL bRegister, _ATL_REGMAP_ENTRY* pMapEntries = NULL);

  // The module's type library (TYPELIB 1, or the resource the index "\\N" names) registered
  // with RegisterTypeLib, its help folder the module's folder; or unregistered.
  HRESULT RegisterTypeLib(LPCTSTR lpszIndex = NULL);
  HRESULT UnRegisterTypeLib(LPCTSTR lpszIndex = NULL);

  _ATL_OBJMAP_ENTRY* m_pObjMap;
  HINSTANCE m_hInst;
  HINSTANCE m_hInstResource;
  HINSTANCE m_hInstTypeLib;
  GUID m_libid;
  LONG m_nLockCnt;
  CComCriticalSection m_csObjMap;  // guards making the class factories

 private:
  bool m_bInit;
};
