// BSTR and VARIANT handling shared by the IDE's automation objects: text in the process code
// page, out-parameters, the arguments of collection Items, and how the call log writes values.
#pragma once

#include <oleauto.h>

#include <string>
#include <vector>

namespace msdev {

// A BSTR (null = empty) in the process's ANSI code page, and back.
std::string Ansi(BSTR text);
BSTR NewBstr(const std::string& ansi);

// A fresh BSTR in *out: S_OK, E_POINTER for a null out-pointer.
HRESULT ReturnText(const std::string& ansi, BSTR* out);
HRESULT ReturnBool(bool value, VARIANT_BOOL* out);
HRESULT ReturnLong(long value, LONG* out);
// `object` (a new object holding one reference, or null) as interface `riid` in *out; the
// object's own reference is dropped. Null gives S_OK with null.
HRESULT ReturnObject(IUnknown* object, REFIID riid, void** out);

// The 0-based position an Item argument names among `names`: VT_I2 or VT_I4 (also by
// reference) counting from 1, or VT_BSTR a name compared without regard to case. E_INVALIDARG
// for an index outside 1..count or an unknown name, DISP_E_TYPEMISMATCH for another type.
HRESULT ItemPosition(const VARIANT& index, const std::vector<std::string>& names, size_t& position);

// An optional VARIANT argument that was left out (VT_EMPTY, or VT_ERROR DISP_E_PARAMNOTFOUND).
bool IsMissing(const VARIANT& value);
// A VT_BOOL argument (also by reference); `fallback` when missing. DISP_E_TYPEMISMATCH else.
HRESULT OptionalBool(const VARIANT& value, bool fallback, bool& out);
// A VT_I2/VT_I4 argument (also by reference); `fallback` when missing.
HRESULT OptionalLong(const VARIANT& value, long fallback, long& out);

// How the call log writes an argument.
std::string LogText(BSTR text);
std::string LogText(const VARIANT& value);
std::string LogText(int value);
std::string LogText(long value);
std::string LogText(IUnknown* object);
std::string LogBool(VARIANT_BOOL value);
std::string LogHresult(HRESULT hr);

template <class... A>
std::string LogArgs(const A&... arguments) {
  std::string text;
  ((text += (text.empty() ? "" : ", ") + LogText(arguments)), ...);
  return text;
}

}  // namespace msdev
