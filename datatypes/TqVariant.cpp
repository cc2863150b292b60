#include "TqVariant.h"

#include "TqNumeric.h"
#include "TqStringStream.h"

namespace TQ {
namespace {

// What a VARIANT holds, read through a VT_BYREF pointer where there is one. A null reference
// is never followed: it counts as a value of another type.
struct Value {
  enum Kind { Other, Integer, Real, Boolean, Text };
  Kind kind = Other;
  VARTYPE vt = VT_EMPTY;  // without VT_BYREF
  LONGLONG integer = 0;   // VT_UI4 as unsigned
  double real = 0;
  float real4 = 0;        // VT_R4 as it is
  VARIANT_BOOL boolean = 0;
  BSTR text = NULL;
};

Value ValueOf(const VARIANT& v) {
  Value value;
  if (v.vt & VT_ARRAY) return value;
  const bool byref = (v.vt & VT_BYREF) != 0;
  if (byref && v.byref == NULL) return value;
  value.vt = static_cast<VARTYPE>(v.vt & ~VT_BYREF);
  switch (value.vt) {
    case VT_I2: value.integer = byref ? *v.piVal : v.iVal; break;
    case VT_I4: value.integer = byref ? *v.plVal : v.lVal; break;
    case VT_I1: value.integer = byref ? *v.pcVal : v.cVal; break;
    case VT_UI1: value.integer = byref ? *v.pbVal : v.bVal; break;
    case VT_UI2: value.integer = byref ? *v.puiVal : v.uiVal; break;
    case VT_UI4: value.integer = byref ? *v.pulVal : v.ulVal; break;
    case VT_R4:
      value.kind = Value::Real;
      value.real4 = byref ? *v.pfltVal : v.fltVal;
      value.real = value.real4;
      return value;
    case VT_R8:
      value.kind = Value::Real;
      value.real = byref ? *v.pdblVal : v.dblVal;
      value.real4 = static_cast<float>(value.real);
      return value;
    case VT_BOOL:
      value.kind = Value::Boolean;
      value.boolean = byref ? *v.pboolVal : v.boolVal;
      return value;
    case VT_BSTR:
      value.kind = Value::Text;
      value.text = byref ? *v.pbstrVal : v.bstrVal;
      return value;
    default:
      value.kind = Value::Other;
      return value;
  }
  value.kind = Value::Integer;
  return value;
}

// The BSTR scanned with one wide format into a target that starts at 0; a NULL BSTR is the
// empty text.
template <typename T>
T Scan(BSTR text, const OLECHAR* format) {
  T target = 0;
  swscanf(text != NULL ? text : u"", format, &target);
  return target;
}

// The integer and floating-point conversions share one shape: an integer keeps its low bits, a
// real goes through the one double conversion, a boolean is 1 or 0.
template <typename T>
T Convert(const Value& value, const OLECHAR* format) {
  switch (value.kind) {
    case Value::Integer: return static_cast<T>(value.integer);
    case Value::Real: return ConvertDouble<T>(value.real);
    case Value::Boolean: return static_cast<T>(value.boolean != 0 ? 1 : 0);
    case Value::Text: return Scan<T>(value.text, format);
    default: return 0;
  }
}

// A BSTR's text in the process code page, up to its first NUL, as CString makes it.
CString MultiByteOf(BSTR text) {
  CString result;
  if (text == NULL) return result;
  int length = 0;
  while (text[length] != 0) ++length;
  if (length == 0) return result;
  char* buffer = result.GetBuffer(2 * length);
  const int n = WideCharToMultiByte(CP_ACP, 0, text, length, buffer, 2 * length, NULL, NULL);
  result.ReleaseBuffer(n > 0 ? n : 0);
  return result;
}

}  // namespace

CTqVariant::~CTqVariant() { VariantClear(this); }

char CTqVariant::ToChar() const {
  const Value value = ValueOf(*this);
  // "%c" reads one UTF-16 character; its low 8 bits are the result.
  if (value.kind == Value::Text) return static_cast<char>(Scan<char16_t>(value.text, u"%c"));
  return Convert<char>(value, NULL);
}

unsigned char CTqVariant::ToUChar() const {
  const Value value = ValueOf(*this);
  if (value.kind == Value::Text) return static_cast<unsigned char>(Scan<char16_t>(value.text, u"%c"));
  return Convert<unsigned char>(value, NULL);
}

short CTqVariant::ToShort() const { return Convert<short>(ValueOf(*this), u"%hi"); }

unsigned short CTqVariant::ToUShort() const { return Convert<unsigned short>(ValueOf(*this), u"%hi"); }

LONG CTqVariant::ToLong() const { return Convert<LONG>(ValueOf(*this), u"%li"); }

float CTqVariant::ToFloat() const {
  const Value value = ValueOf(*this);
  // A VT_R4 stays as it is; a VT_R8 rounds to float.
  if (value.kind == Value::Real) return value.real4;
  return Convert<float>(value, u"%f");
}

double CTqVariant::ToDouble() const { return Convert<double>(ValueOf(*this), u"%lf"); }

bool CTqVariant::ToBool() const {
  const Value value = ValueOf(*this);
  switch (value.kind) {
    case Value::Integer: return value.integer != 0;
    case Value::Real: return value.real < 0.0 || value.real > 0.0;  // NaN is false
    case Value::Boolean: return value.boolean != 0;
    case Value::Text: return Scan<int>(value.text, u"%i") != 0;
    default: return false;
  }
}

void CTqVariant::ToString(CString& text) const { VariantToString(*this, text); }

void CTqVariant::CopyTo(VARIANT* target) const {
  VariantClear(target);
  VariantCopy(target, this);
}

void VariantToString(const VARIANT& v, CString& text) {
  const Value value = ValueOf(v);
  CTqStringStream stream;
  switch (value.vt) {
    case VT_I2: stream << static_cast<short>(value.integer); break;
    case VT_I4: stream << static_cast<long>(value.integer); break;
    case VT_R4: stream << value.real4; break;
    case VT_R8: stream << value.real; break;
    case VT_I1: stream << static_cast<char>(value.integer); break;
    case VT_UI1: stream << static_cast<unsigned char>(value.integer); break;
    case VT_UI2: stream << static_cast<unsigned short>(value.integer); break;
    case VT_UI4: stream << static_cast<unsigned long>(value.integer); break;
    case VT_BSTR:
      if (value.kind == Value::Text) {
        text = MultiByteOf(value.text);
        return;
      }
      break;
    case VT_DATE:
      text = COleDateTime(v).Format(0, LANG_USER_DEFAULT);
      return;
    default:
      break;
  }
  // Every other type (and a null reference, which reads as VT_EMPTY) inserted nothing.
  text = stream.GetString();
}

}  // namespace TQ
