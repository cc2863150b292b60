// BSTR and VARIANT handling of the automation objects (com_values.h).
#include "com_values.h"

#include <ocidl.h>
#include <windows.h>

#include <cstdio>

namespace msdev {
namespace {

const VARIANT& Dereferenced(const VARIANT& value, VARTYPE& type) {
  type = value.vt;
  if (value.vt == (VT_BYREF | VT_VARIANT) && value.pvarVal != nullptr) return Dereferenced(*value.pvarVal, type);
  return value;
}

// The integer of a VT_I2/VT_I4 VARIANT, also by reference; false for any other type.
bool IntegerOf(const VARIANT& value, long& out) {
  VARTYPE type = 0;
  const VARIANT& v = Dereferenced(value, type);
  switch (type) {
    case VT_I2: out = v.iVal; return true;
    case VT_I4: out = v.lVal; return true;
    case VT_I2 | VT_BYREF: if (!v.piVal) return false; out = *v.piVal; return true;
    case VT_I4 | VT_BYREF: if (!v.plVal) return false; out = *v.plVal; return true;
    default: return false;
  }
}

}  // namespace

std::string Ansi(BSTR text) {
  const int length = text ? static_cast<int>(SysStringLen(text)) : 0;
  if (length == 0) return "";
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, out.data(), bytes, nullptr, nullptr);
  return out;
}

BSTR NewBstr(const std::string& ansi) {
  const int length = static_cast<int>(ansi.size());
  const int chars = length ? MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0) : 0;
  BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(chars));
  if (out && chars) MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, out, chars);
  return out;
}

HRESULT ReturnText(const std::string& ansi, BSTR* out) {
  if (!out) return E_POINTER;
  *out = NewBstr(ansi);
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT ReturnBool(bool value, VARIANT_BOOL* out) {
  if (!out) return E_POINTER;
  *out = value ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT ReturnLong(long value, LONG* out) {
  if (!out) return E_POINTER;
  *out = static_cast<LONG>(value);
  return S_OK;
}

HRESULT ReturnObject(IUnknown* object, REFIID riid, void** out) {
  if (!out) {
    if (object) object->Release();
    return E_POINTER;
  }
  *out = nullptr;
  if (!object) return S_OK;
  const HRESULT hr = object->QueryInterface(riid, out);
  object->Release();
  return hr;
}

HRESULT ItemPosition(const VARIANT& index, const std::vector<std::string>& names, size_t& position) {
  long number = 0;
  if (IntegerOf(index, number)) {
    if (number < 1 || static_cast<size_t>(number) > names.size()) return E_INVALIDARG;
    position = static_cast<size_t>(number - 1);
    return S_OK;
  }
  VARTYPE type = 0;
  const VARIANT& v = Dereferenced(index, type);
  BSTR name = nullptr;
  if (type == VT_BSTR) name = v.bstrVal;
  else if (type == (VT_BSTR | VT_BYREF) && v.pbstrVal) name = *v.pbstrVal;
  else return DISP_E_TYPEMISMATCH;
  const std::string wanted = Ansi(name);
  for (size_t i = 0; i < names.size(); ++i) {
    if (lstrcmpi(names[i].c_str(), wanted.c_str()) == 0) {
      position = i;
      return S_OK;
    }
  }
  return E_INVALIDARG;
}

bool IsMissing(const VARIANT& value) {
  return value.vt == VT_EMPTY || (value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND);
}

HRESULT OptionalBool(const VARIANT& value, bool fallback, bool& out) {
  if (IsMissing(value)) {
    out = fallback;
    return S_OK;
  }
  VARTYPE type = 0;
  const VARIANT& v = Dereferenced(value, type);
  if (type == VT_BOOL) out = v.boolVal != VARIANT_FALSE;
  else if (type == (VT_BOOL | VT_BYREF) && v.pboolVal) out = *v.pboolVal != VARIANT_FALSE;
  else return DISP_E_TYPEMISMATCH;
  return S_OK;
}

HRESULT OptionalLong(const VARIANT& value, long fallback, long& out) {
  if (IsMissing(value)) {
    out = fallback;
    return S_OK;
  }
  return IntegerOf(value, out) ? S_OK : DISP_E_TYPEMISMATCH;
}

std::string LogText(BSTR text) { return "\"" + Ansi(text) + "\""; }

std::string LogText(const VARIANT& value) {
  if (value.vt == VT_EMPTY) return "empty";
  if (value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND) return "missing";
  if (value.vt & VT_BYREF) {
    const VARTYPE base = value.vt & ~VT_BYREF;
    if (value.byref == nullptr) return "&null";
    switch (base) {
      case VT_I2: return "&" + std::to_string(*value.piVal);
      case VT_I4: return "&" + std::to_string(*value.plVal);
      case VT_BSTR: return "&" + LogText(*value.pbstrVal);
      case VT_BOOL: return "&" + LogBool(*value.pboolVal);
      case VT_VARIANT: return "&" + LogText(*value.pvarVal);
      default: return "&VT_" + std::to_string(base);
    }
  }
  switch (value.vt) {
    case VT_I2: return std::to_string(value.iVal);
    case VT_I4: return std::to_string(value.lVal);
    case VT_BSTR: return LogText(value.bstrVal);
    case VT_BOOL: return LogBool(value.boolVal);
    case VT_DISPATCH: return LogText(static_cast<IUnknown*>(value.pdispVal));
    case VT_UNKNOWN: return LogText(value.punkVal);
    default: return "VT_" + std::to_string(value.vt);
  }
}

std::string LogText(int value) { return std::to_string(value); }
std::string LogText(long value) { return std::to_string(value); }
std::string LogText(IUnknown* object) { return object ? "object" : "null"; }
std::string LogBool(VARIANT_BOOL value) { return value != VARIANT_FALSE ? "true" : "false"; }

std::string LogHresult(HRESULT hr) {
  struct Name {
    HRESULT hr;
    const char* text;
  };
  static const Name kNames[] = {
      {S_OK, "S_OK"},
      {S_FALSE, "S_FALSE"},
      {E_NOTIMPL, "E_NOTIMPL"},
      {E_NOINTERFACE, "E_NOINTERFACE"},
      {E_POINTER, "E_POINTER"},
      {E_FAIL, "E_FAIL"},
      {E_UNEXPECTED, "E_UNEXPECTED"},
      {E_INVALIDARG, "E_INVALIDARG"},
      {E_OUTOFMEMORY, "E_OUTOFMEMORY"},
      {DISP_E_TYPEMISMATCH, "DISP_E_TYPEMISMATCH"},
      {DISP_E_MEMBERNOTFOUND, "DISP_E_MEMBERNOTFOUND"},
      {RPC_E_DISCONNECTED, "RPC_E_DISCONNECTED"},
      {CONNECT_E_NOCONNECTION, "CONNECT_E_NOCONNECTION"},
      {CONNECT_E_CANNOTCONNECT, "CONNECT_E_CANNOTCONNECT"},
  };
  for (const Name& n : kNames)
    if (n.hr == hr) return n.text;
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
  return text;
}

}  // namespace msdev
