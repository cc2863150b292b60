// VariantChangeType(Ex): the documented conversions between the empty value, the integer types,
// VT_R4/VT_R8, VT_BOOL and VT_BSTR, between VT_UNKNOWN and VT_DISPATCH (QueryInterface), and from
// VT_DISPATCH through the object's value property (DISPID_VALUE). Rules as documented:
//   - a number out of the target's range is DISP_E_OVERFLOW; reals round half to even;
//   - VT_BOOL is VARIANT_TRUE (-1) or VARIANT_FALSE; any non-zero number is true;
//   - VT_BOOL as text is "-1"/"0", or "True"/"False" with VARIANT_ALPHABOOL (VARIANT_LOCALBOOL
//     gives the same: only English is modelled);
//   - text is read as a decimal number (optional sign, fraction and exponent, blanks around it)
//     or, for VT_BOOL, "True"/"False" in any case; other text is DISP_E_TYPEMISMATCH;
//   - numbers are written with up to 15 (VT_R8) or 7 (VT_R4) significant digits, '.' decimal;
//   - VT_NULL, VT_ERROR and arrays convert to nothing else (DISP_E_TYPEMISMATCH).
// VT_CY, VT_DATE and VT_DECIMAL conversions are not modelled. The destination is changed only
// when the conversion succeeds; it may be the source itself.
#include <oleauto.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "sandbox/internal.h"
#include "variant_types.h"

namespace oleaut32 {
namespace {

// A number on its way between two types.
struct Number {
  bool isReal = false;
  bool single = false;  // came from VT_R4 (fewer digits as text)
  __int128 integer = 0;
  double real = 0;
};

bool IsNumberType(VARTYPE vt) {
  switch (vt) {
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_I8:
    case VT_INT:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UI8:
    case VT_UINT:
    case VT_R4:
    case VT_R8:
    case VT_BOOL:
      return true;
    default:
      return false;
  }
}

bool IsUnmodelled(VARTYPE vt) { return vt == VT_CY || vt == VT_DATE || vt == VT_DECIMAL; }

std::u16string Trimmed(BSTR text) {
  std::u16string s(text ? text : u"", SysStringLen(text));
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
  size_t b = 0, e = s.size();
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool EqualsIgnoringCase(const std::u16string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t c = a[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    char d = b[i];
    if (d >= 'A' && d <= 'Z') d = static_cast<char>(d + 32);
    if (c != static_cast<char16_t>(d)) return false;
  }
  return true;
}

// [sign] digits [. digits] [e [sign] digits], or [sign] . digits ...; nullopt for anything else.
std::optional<Number> ParseNumber(const std::u16string& s) {
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
  std::string ascii = negative ? "-" : "";
  size_t digits = 0;
  bool fraction = false, exponent = false;
  while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') ascii += static_cast<char>(s[i++]), ++digits;
  if (i < s.size() && s[i] == u'.') {
    fraction = true;
    ascii += '.';
    ++i;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') ascii += static_cast<char>(s[i++]), ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
    exponent = true;
    ascii += 'e';
    ++i;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ascii += static_cast<char>(s[i++]);
    size_t expDigits = 0;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') ascii += static_cast<char>(s[i++]), ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  Number n;
  if (!fraction && !exponent && digits <= 30) {
    for (char c : ascii)
      if (c != '-') n.integer = n.integer * 10 + (c - '0');
    if (negative) n.integer = -n.integer;
  } else {
    n.isReal = true;
    n.real = std::strtod(ascii.c_str(), nullptr);  // the C locale: '.' is the decimal point
  }
  return n;
}

// The value of a number-typed VARIANT (not VT_BYREF).
Number NumberOf(const VARIANT& v) {
  Number n;
  switch (v.vt) {
    case VT_I1: n.integer = v.cVal; break;
    case VT_I2: n.integer = v.iVal; break;
    case VT_I4: n.integer = v.lVal; break;
    case VT_INT: n.integer = v.intVal; break;
    case VT_I8: n.integer = v.llVal; break;
    case VT_UI1: n.integer = v.bVal; break;
    case VT_UI2: n.integer = v.uiVal; break;
    case VT_UI4: n.integer = v.ulVal; break;
    case VT_UINT: n.integer = v.uintVal; break;
    case VT_UI8: n.integer = v.ullVal; break;
    case VT_BOOL: n.integer = v.boolVal ? -1 : 0; break;
    case VT_R4: n.isReal = true; n.single = true; n.real = v.fltVal; break;
    case VT_R8: n.isReal = true; n.real = v.dblVal; break;
    default: break;
  }
  return n;
}

bool IsZero(const Number& n) { return n.isReal ? n.real == 0 : n.integer == 0; }

// An integer in [lo, hi], rounding a real half to even.
HRESULT ToInteger(const Number& n, __int128 lo, __int128 hi, __int128& out) {
  if (n.isReal) {
    if (!std::isfinite(n.real)) return DISP_E_OVERFLOW;
    const double r = std::nearbyint(n.real);  // the default rounding mode: to nearest, ties to even
    if (r < static_cast<double>(lo) - 0.5 || r > static_cast<double>(hi) + 0.5) return DISP_E_OVERFLOW;
    out = static_cast<__int128>(r);
  } else {
    out = n.integer;
  }
  return (out < lo || out > hi) ? DISP_E_OVERFLOW : S_OK;
}

std::u16string Widened(const std::string& s) { return std::u16string(s.begin(), s.end()); }

std::string IntegerText(__int128 v) {
  if (v == 0) return "0";
  const bool negative = v < 0;
  unsigned __int128 u = negative ? -static_cast<unsigned __int128>(v) : static_cast<unsigned __int128>(v);
  std::string s;
  while (u) s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(u % 10))), u /= 10;
  return negative ? "-" + s : s;
}

std::string RealText(double d, bool single) {
  if (d == 0) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, single ? "%.7G" : "%.15G", d);
  return buffer;
}

HRESULT NewBstr(const std::u16string& text, VARIANT& out) {
  out.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (out.bstrVal == nullptr) return E_OUTOFMEMORY;
  out.vt = VT_BSTR;
  return S_OK;
}

// A number into `vt` (a number type or VT_BSTR).
HRESULT FromNumber(const Number& n, VARTYPE vt, USHORT flags, bool fromBool, VARIANT& out) {
  if (vt == VT_BSTR) {
    if (fromBool && (flags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL)))
      return NewBstr(IsZero(n) ? u"False" : u"True", out);
    return NewBstr(Widened(n.isReal ? RealText(n.real, n.single) : IntegerText(n.integer)), out);
  }
  if (vt == VT_BOOL) {
    out.boolVal = IsZero(n) ? VARIANT_FALSE : VARIANT_TRUE;
    out.vt = VT_BOOL;
    return S_OK;
  }
  if (vt == VT_R4 || vt == VT_R8) {
    const double d = n.isReal ? n.real : static_cast<double>(n.integer);
    if (vt == VT_R4) {
      if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max()) return DISP_E_OVERFLOW;
      out.fltVal = static_cast<float>(d);
    } else {
      out.dblVal = d;
    }
    out.vt = vt;
    return S_OK;
  }
  struct Range {
    __int128 lo, hi;
  };
  Range range{};
  switch (vt) {
    case VT_I1: range = {-128, 127}; break;
    case VT_I2: range = {-32768, 32767}; break;
    case VT_I4:
    case VT_INT: range = {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}; break;
    case VT_I8: range = {std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max()}; break;
    case VT_UI1: range = {0, 255}; break;
    case VT_UI2: range = {0, 65535}; break;
    case VT_UI4:
    case VT_UINT: range = {0, std::numeric_limits<uint32_t>::max()}; break;
    case VT_UI8: range = {0, std::numeric_limits<uint64_t>::max()}; break;
    default: return DISP_E_TYPEMISMATCH;
  }
  __int128 value = 0;
  const HRESULT hr = ToInteger(n, range.lo, range.hi, value);
  if (FAILED(hr)) return hr;
  out.llVal = 0;
  switch (vt) {
    case VT_I1: out.cVal = static_cast<CHAR>(value); break;
    case VT_I2: out.iVal = static_cast<SHORT>(value); break;
    case VT_I4: out.lVal = static_cast<LONG>(value); break;
    case VT_INT: out.intVal = static_cast<INT>(value); break;
    case VT_I8: out.llVal = static_cast<LONGLONG>(value); break;
    case VT_UI1: out.bVal = static_cast<BYTE>(value); break;
    case VT_UI2: out.uiVal = static_cast<USHORT>(value); break;
    case VT_UI4: out.ulVal = static_cast<ULONG>(value); break;
    case VT_UINT: out.uintVal = static_cast<UINT>(value); break;
    case VT_UI8: out.ullVal = static_cast<ULONGLONG>(value); break;
    default: break;
  }
  out.vt = vt;
  return S_OK;
}

HRESULT Convert(const VARIANT& src, USHORT flags, VARTYPE vt, VARIANT& out, int depth);

// The object's value property, converted.
HRESULT FromDispatch(IDispatch* object, USHORT flags, VARTYPE vt, VARIANT& out, int depth) {
  if (object == nullptr || (flags & VARIANT_NOVALUEPROP) || depth > 0) return DISP_E_TYPEMISMATCH;
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  VARIANT value;
  VariantInit(&value);
  HRESULT hr = object->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
  if (FAILED(hr)) {
    VariantClear(&value);
    return DISP_E_TYPEMISMATCH;
  }
  hr = Convert(value, flags, vt, out, depth + 1);
  VariantClear(&value);
  return hr;
}

HRESULT Convert(const VARIANT& src, USHORT flags, VARTYPE vt, VARIANT& out, int depth) {
  if (src.vt == vt) return VariantCopy(&out, &src);
  if (IsUnmodelled(src.vt) || IsUnmodelled(vt)) STANDIN_UNMODELLED_RETURN(E_NOTIMPL);

  if (vt == VT_UNKNOWN || vt == VT_DISPATCH) {
    if (src.vt != VT_UNKNOWN && src.vt != VT_DISPATCH) return DISP_E_TYPEMISMATCH;
    out.punkVal = nullptr;
    if (src.punkVal != nullptr) {
      const HRESULT hr = src.punkVal->QueryInterface(vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown,
                                                     reinterpret_cast<void**>(&out.punkVal));
      if (FAILED(hr)) {
        out.punkVal = nullptr;
        return hr == E_NOINTERFACE ? DISP_E_TYPEMISMATCH : hr;
      }
    }
    out.vt = vt;
    return S_OK;
  }
  if (!IsNumberType(vt) && vt != VT_BSTR) return DISP_E_TYPEMISMATCH;

  switch (src.vt) {
    case VT_EMPTY:
      return vt == VT_BSTR ? NewBstr(u"", out) : FromNumber(Number{}, vt, flags, false, out);
    case VT_DISPATCH:
      return FromDispatch(src.pdispVal, flags, vt, out, depth);
    case VT_BSTR: {
      const std::u16string text = Trimmed(src.bstrVal);
      if (vt == VT_BOOL) {
        if (EqualsIgnoringCase(text, "true") || EqualsIgnoringCase(text, "false")) {
          out.boolVal = EqualsIgnoringCase(text, "true") ? VARIANT_TRUE : VARIANT_FALSE;
          out.vt = VT_BOOL;
          return S_OK;
        }
      }
      const std::optional<Number> n = ParseNumber(text);
      if (!n) return DISP_E_TYPEMISMATCH;
      return FromNumber(*n, vt, flags, false, out);
    }
    default:
      if (!IsNumberType(src.vt)) return DISP_E_TYPEMISMATCH;
      return FromNumber(NumberOf(src), vt, flags, src.vt == VT_BOOL, out);
  }
}

}  // namespace
}  // namespace oleaut32

extern "C" {

WINOLEAUTAPI VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID, USHORT wFlags, VARTYPE vt) {
  if (pvargDest == nullptr || pvarSrc == nullptr) return E_INVALIDARG;
  if (!oleaut32::IsVariantType(pvarSrc->vt) || !oleaut32::IsVariantType(vt) || (vt & VT_BYREF))
    return DISP_E_BADVARTYPE;
  VARIANT view;
  if (!oleaut32::Dereferenced(*pvarSrc, view)) return DISP_E_BADVARTYPE;
  // An array converts only to its own type (a copy).
  if (((view.vt | vt) & VT_ARRAY) && view.vt != vt) return DISP_E_TYPEMISMATCH;
  VARIANT result;
  VariantInit(&result);
  HRESULT hr = oleaut32::Convert(view, wFlags, vt, result, 0);
  if (FAILED(hr)) return hr;
  hr = VariantClear(pvargDest);
  if (FAILED(hr)) {
    VariantClear(&result);
    return hr;
  }
  std::memcpy(pvargDest, &result, sizeof(VARIANT));
  return S_OK;
}

WINOLEAUTAPI VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt) {
  return VariantChangeTypeEx(pvargDest, pvarSrc, 0x0400 /* LOCALE_USER_DEFAULT */, wFlags, vt);
}

}  // extern "C"
