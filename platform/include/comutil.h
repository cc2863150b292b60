// The COM support library, part 1: _bstr_t (a shared, reference-counted BSTR with a lazily made
// multi-byte copy) and _variant_t (a VARIANT that clears itself), plus the conversions between
// ANSI text and BSTRs (_com_util). Failures are raised through _com_issue_error, which throws a
// _com_error by value (comdef.h).
//
// OLECHAR is char16_t here: _bstr_t converts to `const OLECHAR*` where the platform's converts
// to `const wchar_t*`.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstring>
#include <new>

#include "oleauto.h"

// Raises `hr` as a _com_error; never returns.
[[noreturn]] STANDIN_API void STDMETHODCALLTYPE _com_issue_error(HRESULT hr);
// As _com_issue_error, carrying the thread's error information when `punk` says (through
// ISupportErrorInfo) that interface `riid` provides it.
[[noreturn]] STANDIN_API void STDMETHODCALLTYPE _com_issue_errorex(HRESULT hr, IUnknown* punk, REFIID riid);

namespace _com_util {

// ANSI (the process code page) to a new BSTR; null for null. Raises E_OUTOFMEMORY.
STANDIN_API BSTR STDMETHODCALLTYPE ConvertStringToBSTR(const char* pSrc);
// A BSTR to a new[]'d ANSI string (delete[] it); characters the code page cannot hold become
// '?'. The text ends at the first NUL. Null for null. Raises E_OUTOFMEMORY.
STANDIN_API char* STDMETHODCALLTYPE ConvertBSTRToString(BSTR pSrc);

inline void CheckError(HRESULT hr) {
  if (FAILED(hr)) _com_issue_error(hr);
}

}  // namespace _com_util

class _variant_t;

class _bstr_t {
 public:
  _bstr_t() noexcept : m_Data(nullptr) {}
  _bstr_t(const _bstr_t& s) noexcept : m_Data(s.m_Data) { _AddRef(); }
  _bstr_t(const char* s) : m_Data(new Data_t(s)) {}
  _bstr_t(const OLECHAR* s) : m_Data(new Data_t(s)) {}
  _bstr_t(const _variant_t& var);
  // Copies `bstr` when fCopy, else takes it over (and frees it later).
  _bstr_t(BSTR bstr, bool fCopy) : m_Data(new Data_t(bstr, fCopy)) {}
  ~_bstr_t() { _Free(); }

  _bstr_t& operator=(const _bstr_t& s) {
    if (this != &s) {
      _Free();
      m_Data = s.m_Data;
      _AddRef();
    }
    return *this;
  }
  _bstr_t& operator=(const char* s) { return _Replace(new Data_t(s)); }
  _bstr_t& operator=(const OLECHAR* s) { return _Replace(new Data_t(s)); }
  _bstr_t& operator=(const _variant_t& var);

  _bstr_t& operator+=(const _bstr_t& s) { return _Replace(new Data_t(*this, s)); }
  _bstr_t operator+(const _bstr_t& s) const {
    _bstr_t r;
    r.m_Data = new Data_t(*this, s);
    return r;
  }
  friend _bstr_t operator+(const char* a, const _bstr_t& b) { return _bstr_t(a) + b; }
  friend _bstr_t operator+(const OLECHAR* a, const _bstr_t& b) { return _bstr_t(a) + b; }

  operator const OLECHAR*() const noexcept { return m_Data ? m_Data->GetWString() : nullptr; }
  operator OLECHAR*() const noexcept { return m_Data ? m_Data->GetWString() : nullptr; }
  // The multi-byte form, made on first use and kept with the shared data.
  operator const char*() const { return m_Data ? m_Data->GetString() : nullptr; }
  operator char*() const { return m_Data ? m_Data->GetString() : nullptr; }

  // True for a null string (not for an empty one).
  bool operator!() const noexcept { return m_Data ? m_Data->GetWString() == nullptr : true; }

  // Ordinal comparison over the whole length; a null string equals the empty string.
  bool operator==(const _bstr_t& s) const noexcept { return _Compare(s) == 0; }
  bool operator!=(const _bstr_t& s) const noexcept { return _Compare(s) != 0; }
  bool operator<(const _bstr_t& s) const noexcept { return _Compare(s) < 0; }
  bool operator>(const _bstr_t& s) const noexcept { return _Compare(s) > 0; }
  bool operator<=(const _bstr_t& s) const noexcept { return _Compare(s) <= 0; }
  bool operator>=(const _bstr_t& s) const noexcept { return _Compare(s) >= 0; }
  bool operator==(const char* s) const { return *this == _bstr_t(s); }
  bool operator!=(const char* s) const { return *this != _bstr_t(s); }
  bool operator==(const OLECHAR* s) const { return *this == _bstr_t(s); }
  bool operator!=(const OLECHAR* s) const { return *this != _bstr_t(s); }
  friend bool operator==(const char* a, const _bstr_t& b) { return b == a; }
  friend bool operator!=(const char* a, const _bstr_t& b) { return b != a; }
  friend bool operator==(const OLECHAR* a, const _bstr_t& b) { return b == a; }
  friend bool operator!=(const OLECHAR* a, const _bstr_t& b) { return b != a; }

  // A BSTR for the caller: a fresh copy (the caller frees it), or the string itself.
  BSTR copy(bool fCopy = true) const {
    if (m_Data == nullptr) return nullptr;
    return fCopy ? m_Data->Copy() : m_Data->GetWString();
  }
  unsigned int length() const noexcept { return m_Data ? m_Data->Length() : 0; }

  // Replaces the content with a copy of `s`.
  void Assign(BSTR s) { _Replace(new Data_t(s, true)); }
  // Replaces the content with `s` itself, which the object then owns.
  void Attach(BSTR s) { _Replace(new Data_t(s, false)); }
  // Gives up the string to the caller, who frees it; the object is left empty.
  BSTR Detach() noexcept {
    if (m_Data == nullptr) return nullptr;
    BSTR s = m_Data->Detach();
    _Free();
    return s;
  }
  BSTR& GetBSTR() {
    if (m_Data == nullptr) m_Data = new Data_t(static_cast<BSTR>(nullptr), false);
    return m_Data->GetWStringRef();
  }
  // Frees the content and returns the address of the (null) BSTR, for an out parameter.
  BSTR* GetAddress() {
    _Replace(new Data_t(static_cast<BSTR>(nullptr), false));
    return &m_Data->GetWStringRef();
  }

 private:
  class Data_t {
   public:
    explicit Data_t(const char* s) : m_wstr(_com_util::ConvertStringToBSTR(s)) {}
    explicit Data_t(const OLECHAR* s) : m_wstr(::SysAllocString(s)) {
      if (s != nullptr && m_wstr == nullptr) _com_issue_error(E_OUTOFMEMORY);
    }
    Data_t(BSTR bstr, bool fCopy) : m_wstr(fCopy ? _CopyOf(bstr) : bstr) {}
    Data_t(const _bstr_t& a, const _bstr_t& b) {
      const UINT la = a.length(), lb = b.length();
      m_wstr = ::SysAllocStringLen(nullptr, la + lb);
      if (m_wstr == nullptr) _com_issue_error(E_OUTOFMEMORY);
      if (la) std::memcpy(m_wstr, a.m_Data->GetWString(), la * sizeof(OLECHAR));
      if (lb) std::memcpy(m_wstr + la, b.m_Data->GetWString(), lb * sizeof(OLECHAR));
    }
    Data_t(const Data_t&) = delete;
    Data_t& operator=(const Data_t&) = delete;

    void AddRef() noexcept { m_RefCount.fetch_add(1, std::memory_order_relaxed); }
    void Release() noexcept {
      if (m_RefCount.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
    }
    BSTR GetWString() const noexcept { return m_wstr; }
    BSTR& GetWStringRef() noexcept {
      _FreeString();
      return m_wstr;
    }
    char* GetString() const {
      if (m_str == nullptr) m_str = _com_util::ConvertBSTRToString(m_wstr);
      return m_str;
    }
    BSTR Copy() const { return _CopyOf(m_wstr); }
    BSTR Detach() noexcept {
      _FreeString();
      BSTR s = m_wstr;
      m_wstr = nullptr;
      return s;
    }
    unsigned int Length() const noexcept { return ::SysStringLen(m_wstr); }
    int Compare(const Data_t* other) const noexcept {
      const BSTR a = m_wstr, b = other ? other->m_wstr : nullptr;
      const UINT la = ::SysStringLen(a), lb = ::SysStringLen(b);
      for (UINT i = 0; i < la && i < lb; ++i)
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
      return la < lb ? -1 : (la > lb ? 1 : 0);
    }

   private:
    ~Data_t() {
      _FreeString();
      ::SysFreeString(m_wstr);
    }
    void _FreeString() const noexcept {
      delete[] m_str;
      m_str = nullptr;
    }
    static BSTR _CopyOf(BSTR s) {
      if (s == nullptr) return nullptr;
      BSTR c = ::SysAllocStringByteLen(reinterpret_cast<const char*>(s), ::SysStringByteLen(s));
      if (c == nullptr) _com_issue_error(E_OUTOFMEMORY);
      return c;
    }

    BSTR m_wstr = nullptr;
    mutable char* m_str = nullptr;
    std::atomic<unsigned long> m_RefCount{1};
  };

  int _Compare(const _bstr_t& s) const noexcept {
    if (m_Data) return m_Data->Compare(s.m_Data);
    return s.length() == 0 ? 0 : -1;
  }
  void _AddRef() noexcept {
    if (m_Data) m_Data->AddRef();
  }
  void _Free() noexcept {
    if (m_Data) {
      m_Data->Release();
      m_Data = nullptr;
    }
  }
  _bstr_t& _Replace(Data_t* data) noexcept {
    _Free();
    m_Data = data;
    return *this;
  }

  Data_t* m_Data;
};

// A VARIANT that owns its value: cleared on destruction, copied with VariantCopy.
class _variant_t : public ::tagVARIANT {
 public:
  _variant_t() noexcept { ::VariantInit(this); }
  _variant_t(const VARIANT& varSrc) {
    ::VariantInit(this);
    _com_util::CheckError(::VariantCopy(this, &varSrc));
  }
  _variant_t(const VARIANT* pSrc) {
    if (pSrc == nullptr) _com_issue_error(E_POINTER);
    ::VariantInit(this);
    _com_util::CheckError(::VariantCopy(this, pSrc));
  }
  _variant_t(const _variant_t& varSrc) : _variant_t(static_cast<const VARIANT&>(varSrc)) {}
  // Copies `varSrc` when fCopy, else takes its value over and leaves it VT_EMPTY.
  _variant_t(VARIANT& varSrc, bool fCopy) {
    ::VariantInit(this);
    if (fCopy) {
      _com_util::CheckError(::VariantCopy(this, &varSrc));
    } else {
      std::memcpy(static_cast<VARIANT*>(this), &varSrc, sizeof(VARIANT));
      V_VT(&varSrc) = VT_EMPTY;
    }
  }
  // VT_I2, or VT_BOOL.
  _variant_t(short sSrc, VARTYPE vtSrc = VT_I2) {
    ::VariantInit(this);
    if (vtSrc == VT_BOOL) {
      vt = VT_BOOL;
      boolVal = sSrc ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (vtSrc == VT_I2) {
      vt = VT_I2;
      iVal = sSrc;
    } else {
      _com_issue_error(E_INVALIDARG);
    }
  }
  // VT_I4, VT_ERROR or VT_BOOL.
  _variant_t(LONG lSrc, VARTYPE vtSrc = VT_I4) {
    ::VariantInit(this);
    if (vtSrc == VT_BOOL) {
      vt = VT_BOOL;
      boolVal = lSrc ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (vtSrc == VT_I4 || vtSrc == VT_ERROR) {
      vt = vtSrc;
      lVal = lSrc;
    } else {
      _com_issue_error(E_INVALIDARG);
    }
  }
  _variant_t(float fltSrc) noexcept {
    ::VariantInit(this);
    vt = VT_R4;
    fltVal = fltSrc;
  }
  // VT_R8, or VT_DATE.
  _variant_t(double dblSrc, VARTYPE vtSrc = VT_R8) {
    ::VariantInit(this);
    if (vtSrc != VT_R8 && vtSrc != VT_DATE) _com_issue_error(E_INVALIDARG);
    vt = vtSrc;
    dblVal = dblSrc;
  }
  _variant_t(const CY& cySrc) noexcept {
    ::VariantInit(this);
    vt = VT_CY;
    cyVal = cySrc;
  }
  _variant_t(const _bstr_t& bstrSrc) {
    ::VariantInit(this);
    bstrVal = bstrSrc.copy();
    vt = VT_BSTR;
  }
  _variant_t(const OLECHAR* pSrc) {
    ::VariantInit(this);
    bstrVal = ::SysAllocString(pSrc);
    if (pSrc != nullptr && bstrVal == nullptr) _com_issue_error(E_OUTOFMEMORY);
    vt = VT_BSTR;
  }
  _variant_t(const char* pSrc) {
    ::VariantInit(this);
    bstrVal = _com_util::ConvertStringToBSTR(pSrc);
    vt = VT_BSTR;
  }
  _variant_t(IDispatch* pSrc, bool fAddRef = true) noexcept {
    ::VariantInit(this);
    vt = VT_DISPATCH;
    pdispVal = pSrc;
    if (fAddRef && pSrc) pSrc->AddRef();
  }
  _variant_t(bool boolSrc) noexcept {
    ::VariantInit(this);
    vt = VT_BOOL;
    boolVal = boolSrc ? VARIANT_TRUE : VARIANT_FALSE;
  }
  _variant_t(IUnknown* pSrc, bool fAddRef = true) noexcept {
    ::VariantInit(this);
    vt = VT_UNKNOWN;
    punkVal = pSrc;
    if (fAddRef && pSrc) pSrc->AddRef();
  }
  _variant_t(BYTE bSrc) noexcept {
    ::VariantInit(this);
    vt = VT_UI1;
    bVal = bSrc;
  }
  ~_variant_t() { ::VariantClear(this); }

  // Extraction: the value when it has that type, else a converted copy (VariantChangeType);
  // a conversion that fails raises its HRESULT.
  operator short() const { return _As(VT_I2).iVal; }
  operator LONG() const { return _As(VT_I4).lVal; }
  operator float() const { return _As(VT_R4).fltVal; }
  operator double() const { return _As(VT_R8).dblVal; }
  operator bool() const { return _As(VT_BOOL).boolVal != VARIANT_FALSE; }
  operator BYTE() const { return _As(VT_UI1).bVal; }
  operator _bstr_t() const {
    if (vt == VT_BSTR) return _bstr_t(bstrVal, true);
    _variant_t v = _As(VT_BSTR);
    return _bstr_t(v.bstrVal, true);
  }
  // The interface, with a reference added for the caller.
  operator IDispatch*() const {
    if (vt == VT_DISPATCH) {
      if (pdispVal) pdispVal->AddRef();
      return pdispVal;
    }
    _variant_t v = _As(VT_DISPATCH);
    IDispatch* p = v.pdispVal;
    if (p) p->AddRef();
    return p;
  }
  operator IUnknown*() const {
    if (vt == VT_UNKNOWN) {
      if (punkVal) punkVal->AddRef();
      return punkVal;
    }
    _variant_t v = _As(VT_UNKNOWN);
    IUnknown* p = v.punkVal;
    if (p) p->AddRef();
    return p;
  }

  _variant_t& operator=(const VARIANT& varSrc) {
    _com_util::CheckError(::VariantCopy(this, &varSrc));
    return *this;
  }
  _variant_t& operator=(const VARIANT* pSrc) {
    if (pSrc == nullptr) _com_issue_error(E_POINTER);
    return operator=(*pSrc);
  }
  _variant_t& operator=(const _variant_t& varSrc) { return operator=(static_cast<const VARIANT&>(varSrc)); }
  // A VT_I2 or VT_BOOL value keeps its type; any other becomes VT_I2.
  _variant_t& operator=(short sSrc) {
    if (vt == VT_BOOL) {
      boolVal = sSrc ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (vt != VT_I2) {
      Clear();
      vt = VT_I2;
    }
    if (vt == VT_I2) iVal = sSrc;
    return *this;
  }
  // A VT_I4, VT_ERROR or VT_BOOL value keeps its type; any other becomes VT_I4.
  _variant_t& operator=(LONG lSrc) {
    if (vt == VT_BOOL) {
      boolVal = lSrc ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (vt != VT_I4 && vt != VT_ERROR) {
      Clear();
      vt = VT_I4;
    }
    if (vt != VT_BOOL) lVal = lSrc;
    return *this;
  }
  _variant_t& operator=(float fltSrc) {
    _Reset(VT_R4);
    fltVal = fltSrc;
    return *this;
  }
  // A VT_R8 or VT_DATE value keeps its type; any other becomes VT_R8.
  _variant_t& operator=(double dblSrc) {
    if (vt != VT_R8 && vt != VT_DATE) _Reset(VT_R8);
    dblVal = dblSrc;
    return *this;
  }
  _variant_t& operator=(const CY& cySrc) {
    _Reset(VT_CY);
    cyVal = cySrc;
    return *this;
  }
  _variant_t& operator=(const _bstr_t& bstrSrc) {
    BSTR copy = bstrSrc.copy();
    _Reset(VT_BSTR);
    bstrVal = copy;
    return *this;
  }
  _variant_t& operator=(const OLECHAR* pSrc) {
    BSTR copy = ::SysAllocString(pSrc);
    if (pSrc != nullptr && copy == nullptr) _com_issue_error(E_OUTOFMEMORY);
    _Reset(VT_BSTR);
    bstrVal = copy;
    return *this;
  }
  _variant_t& operator=(const char* pSrc) {
    BSTR copy = _com_util::ConvertStringToBSTR(pSrc);
    _Reset(VT_BSTR);
    bstrVal = copy;
    return *this;
  }
  _variant_t& operator=(IDispatch* pSrc) {
    if (pSrc) pSrc->AddRef();
    _Reset(VT_DISPATCH);
    pdispVal = pSrc;
    return *this;
  }
  _variant_t& operator=(bool boolSrc) {
    _Reset(VT_BOOL);
    boolVal = boolSrc ? VARIANT_TRUE : VARIANT_FALSE;
    return *this;
  }
  _variant_t& operator=(IUnknown* pSrc) {
    if (pSrc) pSrc->AddRef();
    _Reset(VT_UNKNOWN);
    punkVal = pSrc;
    return *this;
  }
  _variant_t& operator=(BYTE bSrc) {
    _Reset(VT_UI1);
    bVal = bSrc;
    return *this;
  }

  // Same type and same value: numbers and errors by value, strings by content, interfaces by
  // pointer. Other types raise E_INVALIDARG.
  bool operator==(const VARIANT& varSrc) const { return _Equals(varSrc); }
  bool operator==(const VARIANT* pSrc) const { return pSrc != nullptr && _Equals(*pSrc); }
  bool operator!=(const VARIANT& varSrc) const { return !_Equals(varSrc); }
  bool operator!=(const VARIANT* pSrc) const { return !(*this == pSrc); }

  void Clear() { _com_util::CheckError(::VariantClear(this)); }
  // Takes over `varSrc`'s value (which is left VT_EMPTY) after clearing this one.
  void Attach(VARIANT& varSrc) {
    Clear();
    std::memcpy(static_cast<VARIANT*>(this), &varSrc, sizeof(VARIANT));
    V_VT(&varSrc) = VT_EMPTY;
  }
  // Hands the value to the caller and leaves this one VT_EMPTY.
  VARIANT Detach() noexcept {
    VARIANT v;
    std::memcpy(&v, static_cast<VARIANT*>(this), sizeof(VARIANT));
    vt = VT_EMPTY;
    return v;
  }
  VARIANT& GetVARIANT() noexcept { return *this; }
  VARIANT* GetAddress() {
    Clear();
    return this;
  }
  // Converts in place, or sets this to `pSrc` converted; raises the failure.
  void ChangeType(VARTYPE vartype, const _variant_t* pSrc = nullptr) {
    if (pSrc == nullptr) pSrc = this;
    if (pSrc != this || vartype != vt)
      _com_util::CheckError(::VariantChangeType(this, pSrc, 0, vartype));
  }
  void SetString(const char* pSrc) { operator=(pSrc); }

 private:
  _variant_t _As(VARTYPE type) const {
    if (vt == type) return *this;
    _variant_t v;
    _com_util::CheckError(::VariantChangeType(&v, this, 0, type));
    return v;
  }
  void _Reset(VARTYPE type) {
    Clear();
    vt = type;
  }
  bool _Equals(const VARIANT& o) const {
    if (vt != o.vt) return false;
    switch (vt) {
      case VT_EMPTY:
      case VT_NULL:
        return true;
      case VT_I2:
        return iVal == o.iVal;
      case VT_I4:
      case VT_ERROR:
        return lVal == o.lVal;
      case VT_R4:
        return fltVal == o.fltVal;
      case VT_R8:
      case VT_DATE:
        return dblVal == o.dblVal;
      case VT_BOOL:
        return boolVal == o.boolVal;
      case VT_UI1:
        return bVal == o.bVal;
      case VT_CY:
        return cyVal.int64 == o.cyVal.int64;
      case VT_BSTR: {
        const UINT n = ::SysStringByteLen(bstrVal);
        return n == ::SysStringByteLen(o.bstrVal) && (n == 0 || std::memcmp(bstrVal, o.bstrVal, n) == 0);
      }
      case VT_DISPATCH:
        return pdispVal == o.pdispVal;
      case VT_UNKNOWN:
        return punkVal == o.punkVal;
      default:
        _com_issue_error(E_INVALIDARG);
    }
  }
};

inline _bstr_t::_bstr_t(const _variant_t& var) : m_Data(nullptr) {
  if (V_VT(&var) == VT_BSTR) {
    *this = _bstr_t(V_BSTR(&var), true);
  } else {
    _variant_t v;
    _com_util::CheckError(::VariantChangeType(&v, &var, 0, VT_BSTR));
    *this = _bstr_t(V_BSTR(&v), true);
  }
}

inline _bstr_t& _bstr_t::operator=(const _variant_t& var) { return *this = _bstr_t(var); }
