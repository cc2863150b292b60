// The COM support library, part 2: _com_error (what the wrappers throw, by value), the smart
// interface pointer _com_ptr_t with _COM_SMARTPTR_TYPEDEF, and the smart pointers of the
// standard interfaces (IUnknownPtr, IDispatchPtr, ...).
#pragma once

#include <memory>
#include <cstdio>
#include <cstddef>
#include <string>

#include "comutil.h"
#include "objbase.h"

// A failed HRESULT with the error information that came with it.
class STANDIN_API _com_error {
 public:
  // Takes over `perrinfo` (adds a reference when fAddRef).
  _com_error(HRESULT hr, IErrorInfo* perrinfo = nullptr, bool fAddRef = false) noexcept
      : m_hresult(hr), m_perrinfo(perrinfo), m_pszMsg(nullptr) {
    if (m_perrinfo != nullptr && fAddRef) m_perrinfo->AddRef();
  }
  _com_error(const _com_error& that) noexcept : m_hresult(that.m_hresult), m_perrinfo(that.m_perrinfo), m_pszMsg(nullptr) {
    if (m_perrinfo != nullptr) m_perrinfo->AddRef();
  }
  virtual ~_com_error() {
    if (m_perrinfo != nullptr) m_perrinfo->Release();
    if (m_pszMsg != nullptr) ::LocalFree(m_pszMsg);
  }
  _com_error& operator=(const _com_error& that) noexcept {
    if (this != &that) {
      if (that.m_perrinfo != nullptr) that.m_perrinfo->AddRef();
      if (m_perrinfo != nullptr) m_perrinfo->Release();
      if (m_pszMsg != nullptr) ::LocalFree(m_pszMsg);
      m_hresult = that.m_hresult;
      m_perrinfo = that.m_perrinfo;
      m_pszMsg = nullptr;
    }
    return *this;
  }

  HRESULT Error() const noexcept { return m_hresult; }
  // The IDispatch exception code an HRESULT of the ITF facility from 0x80040200 on stands for.
  WORD WCode() const noexcept { return HRESULTToWCode(m_hresult); }
  // The error information, with a reference added for the caller; null when there is none.
  IErrorInfo* ErrorInfo() const noexcept {
    if (m_perrinfo != nullptr) m_perrinfo->AddRef();
    return m_perrinfo;
  }

  // The fields of the error information; empty (or 0, GUID_NULL) without one.
  _bstr_t Description() const { return _Field(&IErrorInfo::GetDescription); }
  _bstr_t HelpFile() const { return _Field(&IErrorInfo::GetHelpFile); }
  _bstr_t Source() const { return _Field(&IErrorInfo::GetSource); }
  DWORD HelpContext() const noexcept {
    DWORD context = 0;
    if (m_perrinfo != nullptr && FAILED(m_perrinfo->GetHelpContext(&context))) context = 0;
    return context;
  }
  ::GUID GUID() const noexcept {
    ::GUID guid = GUID_NULL;
    if (m_perrinfo != nullptr && FAILED(m_perrinfo->GetGUID(&guid))) guid = GUID_NULL;
    return guid;
  }

  // The system's text for the HRESULT (FormatMessage, without its line break), else
  // "IDispatch error #n" for an IDispatch exception code, else "Unknown error 0x...". Kept
  // with the object.
  const TCHAR* ErrorMessage() const noexcept {
    if (m_pszMsg == nullptr) {
      ::FormatMessage(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                      nullptr, static_cast<DWORD>(m_hresult), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                      reinterpret_cast<LPSTR>(&m_pszMsg), 0, nullptr);
      if (m_pszMsg != nullptr) {
        size_t n = std::strlen(m_pszMsg);
        if (n > 0 && m_pszMsg[n - 1] == '\n') m_pszMsg[--n] = '\0';
        if (n > 0 && m_pszMsg[n - 1] == '\r') m_pszMsg[--n] = '\0';
      } else {
        m_pszMsg = static_cast<TCHAR*>(::LocalAlloc(LPTR, 32));
        if (m_pszMsg != nullptr) {
          const WORD wCode = WCode();
          if (wCode != 0)
            std::snprintf(m_pszMsg, 32, "IDispatch error #%d", static_cast<int>(wCode));
          else
            std::snprintf(m_pszMsg, 32, "Unknown error 0x%0X", static_cast<unsigned>(m_hresult));
        }
      }
    }
    return m_pszMsg;
  }

  static HRESULT WCodeToHRESULT(WORD wCode) noexcept {
    return wCode >= 0xFE00 ? kWCodeLast : static_cast<HRESULT>(kWCodeFirst + wCode);
  }
  static WORD HRESULTToWCode(HRESULT hr) noexcept {
    return (hr >= kWCodeFirst && hr <= kWCodeLast) ? static_cast<WORD>(hr - kWCodeFirst) : 0;
  }

 private:
  static constexpr HRESULT kWCodeFirst = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x200);
  static constexpr HRESULT kWCodeLast = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF + 1, 0) - 1;

  _bstr_t _Field(HRESULT (STDMETHODCALLTYPE IErrorInfo::*get)(BSTR*)) const {
    BSTR text = nullptr;
    if (m_perrinfo != nullptr && FAILED((m_perrinfo->*get)(&text))) text = nullptr;
    return _bstr_t(text, false);
  }

  HRESULT m_hresult;
  IErrorInfo* m_perrinfo;
  mutable TCHAR* m_pszMsg;
};

// Binds an interface type to its identifier for _com_ptr_t.
template <typename _Interface, const IID* _IID>
class _com_IIID {
 public:
  typedef _Interface Interface;
  static const IID& GetIID() noexcept { return *_IID; }
};

// A smart interface pointer: adds and releases references, asks QueryInterface when given
// another interface, and creates objects. Its wrappers raise failures as _com_error.
template <typename _IIID>
class _com_ptr_t {
 public:
  typedef _IIID ThisIIID;
  typedef typename _IIID::Interface Interface;
  static const IID& GetIID() noexcept { return ThisIIID::GetIID(); }

  _com_ptr_t() noexcept : m_pInterface(nullptr) {}
  _com_ptr_t(std::nullptr_t) noexcept : m_pInterface(nullptr) {}
  // Only 0 (NULL written as a number) is accepted.
  _com_ptr_t(int null) : m_pInterface(nullptr) {
    if (null != 0) _com_issue_error(E_POINTER);
  }
  _com_ptr_t(Interface* pInterface) noexcept : m_pInterface(pInterface) { _AddRef(); }
  _com_ptr_t(Interface* pInterface, bool fAddRef) noexcept : m_pInterface(pInterface) {
    if (fAddRef) _AddRef();
  }
  _com_ptr_t(const _com_ptr_t& cp) noexcept : m_pInterface(cp.m_pInterface) { _AddRef(); }
  _com_ptr_t(_com_ptr_t&& cp) noexcept : m_pInterface(cp.m_pInterface) { cp.m_pInterface = nullptr; }
  // Another interface: QueryInterface. E_NOINTERFACE leaves the pointer null; any other
  // failure is raised.
  template <typename _OtherIID>
  _com_ptr_t(const _com_ptr_t<_OtherIID>& p) : m_pInterface(nullptr) {
    _CheckQuery(_QueryInterface(p));
  }
  template <typename _InterfaceType>
  _com_ptr_t(_InterfaceType* p) : m_pInterface(nullptr) {
    _CheckQuery(_QueryInterface(p));
  }
  // The VT_DISPATCH or VT_UNKNOWN held by the variant (or what it converts to), asked for this
  // interface.
  _com_ptr_t(const _variant_t& varSrc) : m_pInterface(nullptr) { _CheckQuery(_QueryStdInterfaces(varSrc)); }
  // A new object of the class; failures other than E_NOINTERFACE are raised.
  explicit _com_ptr_t(const CLSID& clsid, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL)
      : m_pInterface(nullptr) {
    _CheckQuery(CreateInstance(clsid, pOuter, dwClsContext));
  }
  explicit _com_ptr_t(LPCOLESTR str, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL)
      : m_pInterface(nullptr) {
    _CheckQuery(CreateInstance(str, pOuter, dwClsContext));
  }
  explicit _com_ptr_t(LPCSTR str, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL)
      : m_pInterface(nullptr) {
    _CheckQuery(CreateInstance(str, pOuter, dwClsContext));
  }
  ~_com_ptr_t() { _Release(); }

  _com_ptr_t& operator=(Interface* pInterface) noexcept {
    if (m_pInterface != pInterface) {
      Interface* old = m_pInterface;
      m_pInterface = pInterface;
      _AddRef();
      if (old != nullptr) old->Release();
    }
    return *this;
  }
  _com_ptr_t& operator=(const _com_ptr_t& cp) noexcept { return operator=(cp.m_pInterface); }
  _com_ptr_t& operator=(_com_ptr_t&& cp) noexcept {
    if (this != std::addressof(cp)) {
      _Release();
      m_pInterface = cp.m_pInterface;
      cp.m_pInterface = nullptr;
    }
    return *this;
  }
  template <typename _OtherIID>
  _com_ptr_t& operator=(const _com_ptr_t<_OtherIID>& p) {
    _CheckQuery(_QueryInterface(p));
    return *this;
  }
  template <typename _InterfaceType>
  _com_ptr_t& operator=(_InterfaceType* p) {
    _CheckQuery(_QueryInterface(p));
    return *this;
  }
  _com_ptr_t& operator=(const _variant_t& varSrc) {
    _CheckQuery(_QueryStdInterfaces(varSrc));
    return *this;
  }
  _com_ptr_t& operator=(std::nullptr_t) noexcept {
    _Release();
    return *this;
  }
  _com_ptr_t& operator=(int null) {
    if (null != 0) _com_issue_error(E_POINTER);
    return operator=(nullptr);
  }

  // Takes over `pInterface` without adding a reference (or adding one when fAddRef).
  void Attach(Interface* pInterface) noexcept {
    _Release();
    m_pInterface = pInterface;
  }
  void Attach(Interface* pInterface, bool fAddRef) {
    _Release();
    m_pInterface = pInterface;
    if (fAddRef) {
      if (pInterface == nullptr) _com_issue_error(E_POINTER);
      pInterface->AddRef();
    }
  }
  // Hands the pointer, with its reference, to the caller.
  Interface* Detach() noexcept {
    Interface* p = m_pInterface;
    m_pInterface = nullptr;
    return p;
  }

  operator Interface*() const noexcept { return m_pInterface; }
  operator Interface&() const {
    if (m_pInterface == nullptr) _com_issue_error(E_POINTER);
    return *m_pInterface;
  }
  Interface& operator*() const {
    if (m_pInterface == nullptr) _com_issue_error(E_POINTER);
    return *m_pInterface;
  }
  // For an out parameter: releases the current interface first.
  Interface** operator&() noexcept {
    _Release();
    return &m_pInterface;
  }
  Interface* operator->() const {
    if (m_pInterface == nullptr) _com_issue_error(E_POINTER);
    return m_pInterface;
  }
  operator bool() const noexcept { return m_pInterface != nullptr; }
  bool operator!() const noexcept { return m_pInterface == nullptr; }

  // Identity comparison: two pointers are equal when they lead to the same IUnknown.
  template <typename _OtherIID>
  bool operator==(const _com_ptr_t<_OtherIID>& p) const {
    return _SameObject(p.GetInterfacePtr());
  }
  template <typename _InterfaceType>
  bool operator==(_InterfaceType* p) const {
    return _SameObject(p);
  }
  bool operator==(Interface* p) const { return m_pInterface == p || _SameObject(p); }
  bool operator==(const _com_ptr_t& p) const { return operator==(p.m_pInterface); }
  bool operator==(std::nullptr_t) const noexcept { return m_pInterface == nullptr; }
  template <typename T>
  bool operator!=(const T& p) const {
    return !(*this == p);
  }
  bool operator!=(std::nullptr_t) const noexcept { return m_pInterface != nullptr; }

  void AddRef() {
    if (m_pInterface == nullptr) _com_issue_error(E_POINTER);
    m_pInterface->AddRef();
  }
  void Release() {
    if (m_pInterface == nullptr) _com_issue_error(E_POINTER);
    m_pInterface->Release();
    m_pInterface = nullptr;
  }

  Interface* GetInterfacePtr() const noexcept { return m_pInterface; }
  Interface*& GetInterfacePtr() noexcept { return m_pInterface; }

  // Creates an object of the class and keeps this interface of it. With a local or remote
  // context the object is created for IUnknown, run (OleRun), then asked for the interface.
  HRESULT CreateInstance(const CLSID& rclsid, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL) noexcept {
    _Release();
    HRESULT hr;
    if (dwClsContext & (CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)) {
      IUnknown* pIUnknown = nullptr;
      hr = ::CoCreateInstance(rclsid, pOuter, dwClsContext, IID_IUnknown, reinterpret_cast<void**>(&pIUnknown));
      if (SUCCEEDED(hr)) {
        hr = ::OleRun(pIUnknown);
        if (SUCCEEDED(hr)) hr = pIUnknown->QueryInterface(GetIID(), reinterpret_cast<void**>(&m_pInterface));
        pIUnknown->Release();
      }
    } else {
      hr = ::CoCreateInstance(rclsid, pOuter, dwClsContext, GetIID(), reinterpret_cast<void**>(&m_pInterface));
    }
    if (FAILED(hr)) m_pInterface = nullptr;
    return hr;
  }
  // The class named by "{clsid}" text or by a ProgID.
  HRESULT CreateInstance(LPCOLESTR clsidString, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL) noexcept {
    if (clsidString == nullptr) return E_INVALIDARG;
    CLSID clsid;
    const HRESULT hr =
        clsidString[0] == u'{' ? ::CLSIDFromString(clsidString, &clsid) : ::CLSIDFromProgID(clsidString, &clsid);
    if (FAILED(hr)) {
      _Release();
      return hr;
    }
    return CreateInstance(clsid, pOuter, dwClsContext);
  }
  HRESULT CreateInstance(LPCSTR clsidStringA, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL) noexcept {
    if (clsidStringA == nullptr) return E_INVALIDARG;
    const int n = ::MultiByteToWideChar(CP_ACP, 0, clsidStringA, -1, nullptr, 0);
    if (n == 0) return HRESULT_FROM_WIN32(::GetLastError());
    std::u16string wide(static_cast<size_t>(n), u'\0');
    if (::MultiByteToWideChar(CP_ACP, 0, clsidStringA, -1, wide.data(), n) == 0)
      return HRESULT_FROM_WIN32(::GetLastError());
    return CreateInstance(wide.c_str(), pOuter, dwClsContext);
  }

  // Asks the held object for another interface.
  template <typename _InterfaceType>
  HRESULT QueryInterface(const IID& iid, _InterfaceType*& p) noexcept {
    if (m_pInterface == nullptr) return E_POINTER;
    return m_pInterface->QueryInterface(iid, reinterpret_cast<void**>(&p));
  }
  template <typename _InterfaceType>
  HRESULT QueryInterface(const IID& iid, _InterfaceType** p) noexcept {
    return QueryInterface(iid, *p);
  }

 private:
  void _AddRef() noexcept {
    if (m_pInterface != nullptr) m_pInterface->AddRef();
  }
  void _Release() noexcept {
    if (m_pInterface != nullptr) {
      Interface* p = m_pInterface;
      m_pInterface = nullptr;
      p->Release();
    }
  }
  static void _CheckQuery(HRESULT hr) {
    if (FAILED(hr) && hr != E_NOINTERFACE) _com_issue_error(hr);
  }
  template <typename _InterfacePtr>
  HRESULT _QueryInterface(const _InterfacePtr& p) noexcept {
    HRESULT hr = E_NOINTERFACE;
    Interface* pInterface = nullptr;
    if (p != nullptr) {
      hr = p->QueryInterface(GetIID(), reinterpret_cast<void**>(&pInterface));
      if (FAILED(hr)) pInterface = nullptr;
    }
    Attach(pInterface);
    return hr;
  }
  HRESULT _QueryStdInterfaces(const _variant_t& varSrc) noexcept {
    if (V_VT(&varSrc) == VT_DISPATCH) return _QueryInterface(V_DISPATCH(&varSrc));
    if (V_VT(&varSrc) == VT_UNKNOWN) return _QueryInterface(V_UNKNOWN(&varSrc));
    VARIANT v;
    ::VariantInit(&v);
    HRESULT hr = ::VariantChangeType(&v, &varSrc, 0, VT_UNKNOWN);
    if (SUCCEEDED(hr)) hr = _QueryInterface(V_UNKNOWN(&v));
    ::VariantClear(&v);
    return hr;
  }
  // Two pointers are the same object when they lead to the same IUnknown.
  template <typename _InterfaceType>
  bool _SameObject(_InterfaceType* p) const {
    IUnknown* a = _IdentityOf(m_pInterface);
    IUnknown* b = _IdentityOf(p);
    if (a != nullptr) a->Release();
    if (b != nullptr) b->Release();
    return a == b;
  }
  template <typename _InterfaceType>
  static IUnknown* _IdentityOf(_InterfaceType* p) {
    if (p == nullptr) return nullptr;
    IUnknown* unknown = nullptr;
    const HRESULT hr = p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown));
    if (FAILED(hr)) _com_issue_error(hr);
    return unknown;
  }

  Interface* m_pInterface;
};

template <typename _IIID, typename _InterfaceType>
bool operator==(_InterfaceType* p, const _com_ptr_t<_IIID>& cp) {
  return cp == p;
}
template <typename _IIID>
bool operator==(std::nullptr_t, const _com_ptr_t<_IIID>& cp) noexcept {
  return cp == nullptr;
}

// IFoo -> IFooPtr, a _com_ptr_t of IFoo with the identifier given.
#define _COM_SMARTPTR_TYPEDEF(Interface, IID) typedef _com_ptr_t<_com_IIID<Interface, &IID>> Interface##Ptr

_COM_SMARTPTR_TYPEDEF(IUnknown, __uuidof(IUnknown));
_COM_SMARTPTR_TYPEDEF(IClassFactory, __uuidof(IClassFactory));
_COM_SMARTPTR_TYPEDEF(IDispatch, __uuidof(IDispatch));
_COM_SMARTPTR_TYPEDEF(IErrorInfo, __uuidof(IErrorInfo));
_COM_SMARTPTR_TYPEDEF(ICreateErrorInfo, __uuidof(ICreateErrorInfo));
_COM_SMARTPTR_TYPEDEF(ISupportErrorInfo, __uuidof(ISupportErrorInfo));
_COM_SMARTPTR_TYPEDEF(IRunnableObject, __uuidof(IRunnableObject));
