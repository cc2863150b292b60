// BSTR, VARIANT and out-parameter conventions shared by the DOM's COM objects.
#pragma once

#include <msxml.h>

#include <string>
#include <string_view>

namespace msxml {

inline std::u16string_view View(BSTR text) { return text ? std::u16string_view(text, SysStringLen(text)) : std::u16string_view{}; }

// A fresh BSTR in *out (an empty string is an empty BSTR, not null): S_OK, E_INVALIDARG for a
// null out-pointer, E_OUTOFMEMORY.
HRESULT ReturnString(std::u16string_view text, BSTR* out);
// A string property that may be absent: S_FALSE and null when it is.
HRESULT ReturnOptionalString(bool present, std::u16string_view text, BSTR* out);
HRESULT ReturnBool(bool value, VARIANT_BOOL* out);
HRESULT ReturnLong(LONG value, LONG* out);

// The text of a VARIANT argument: VT_BSTR as is, other types through VariantChangeType.
HRESULT VariantText(const VARIANT& value, std::u16string& out);

}  // namespace msxml
