// The root of COM: OLECHAR text, the method-declaration macros, IUnknown and IClassFactory.
//
// OLECHAR is UTF-16 (char16_t) as on Windows; OLESTR("x") makes a literal of it. Interface
// methods return HRESULT, ULONG or LONG, never `long`.
#pragma once

#include "guiddef.h"
#include "winerror.h"

typedef WCHAR OLECHAR;
typedef OLECHAR* LPOLESTR;
typedef const OLECHAR* LPCOLESTR;
#define OLESTR(str) u##str

#define interface struct
#define STDMETHOD(method) virtual HRESULT STDMETHODCALLTYPE method
#define STDMETHOD_(type, method) virtual type STDMETHODCALLTYPE method
#define STDMETHODV(method) virtual HRESULT STDMETHODVCALLTYPE method
#define STDMETHODIMP HRESULT STDMETHODCALLTYPE
#define STDMETHODIMP_(type) type STDMETHODCALLTYPE
#define STDMETHODVCALLTYPE
#define STDAPICALLTYPE
#define STDAPI extern "C" HRESULT STDAPICALLTYPE
#define STDAPI_(type) extern "C" type STDAPICALLTYPE
#define PURE = 0
#define THIS_
#define THIS void
#define DECLARE_INTERFACE(iface) struct iface
#define DECLARE_INTERFACE_(iface, base) struct iface : public base
#define EXTERN_C extern "C"

// IUnknown: identity, interface negotiation and reference counting.
STANDIN_INTERFACE(IUnknown, "00000000-0000-0000-C000-000000000046") {
  STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) = 0;
  STDMETHOD_(ULONG, AddRef)() = 0;
  STDMETHOD_(ULONG, Release)() = 0;

  // The typed form: asks for the interface whose identifier is attached to Q.
  template <class Q>
  HRESULT QueryInterface(Q** pp) {
    return QueryInterface(__uuidof(Q), reinterpret_cast<void**>(pp));
  }

 protected:
  ~IUnknown() = default;  // objects go away through Release, never through delete
};
typedef IUnknown* LPUNKNOWN;

// IClassFactory: makes the objects of one class.
STANDIN_INTERFACE(IClassFactory, "00000001-0000-0000-C000-000000000046") : public IUnknown {
  STDMETHOD(CreateInstance)(IUnknown * pUnkOuter, REFIID riid, void** ppvObject) = 0;
  STDMETHOD(LockServer)(BOOL fLock) = 0;

 protected:
  ~IClassFactory() = default;
};
typedef IClassFactory* LPCLASSFACTORY;

inline constexpr const IID& IID_IUnknown = __uuidof(IUnknown);
inline constexpr const IID& IID_IClassFactory = __uuidof(IClassFactory);
