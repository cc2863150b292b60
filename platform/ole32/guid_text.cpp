// StringFromGUID2, StringFromCLSID/IID and CLSIDFromString/IIDFromString: the documented braced
// text of an identifier, upper-case hex; only that exact form is read back.
#include "guid_text.h"

#include "class_keys.h"

#include <cstdio>

namespace ole32 {
namespace {

template <typename Char>
bool ParseBraced(const Char* text, GUID& out) {
  for (int i = 0; i < 38; ++i)
    if (text[i] == 0) return false;  // never read past a short string's end
  if (text[0] != '{' || text[37] != '}' || text[38] != 0) return false;
  return standin::ParseGuidDigits(text + 1, out);
}

}  // namespace

std::string GuidText(REFGUID g) {
  char buffer[CHARS_IN_GUID];
  std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2],
                g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
  return buffer;
}

bool ParseBracedGuid(const char* text, GUID& out) { return text != nullptr && ParseBraced(text, out); }
bool ParseBracedGuid(const char16_t* text, GUID& out) { return text != nullptr && ParseBraced(text, out); }

std::string ClassKey(REFCLSID clsid) { return "CLSID\\" + GuidText(clsid); }

}  // namespace ole32

extern "C" {

// Returns the characters written with the NUL (39), or 0 when the buffer is too small.
WINOLEAPI_(int) StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax) {
  if (lpsz == nullptr || cchMax < CHARS_IN_GUID) return 0;
  const std::string text = ole32::GuidText(rguid);
  for (int i = 0; i < CHARS_IN_GUID; ++i) lpsz[i] = static_cast<OLECHAR>(text.c_str()[i]);
  return CHARS_IN_GUID;
}

// The text in task-allocator memory that the caller frees with CoTaskMemFree.
WINOLEAPI StringFromCLSID(REFCLSID rclsid, LPOLESTR* lplpsz) {
  if (lplpsz == nullptr) return E_INVALIDARG;
  *lplpsz = ole32::TaskCopyOf(ole32::GuidText(rclsid));
  return *lplpsz ? S_OK : E_OUTOFMEMORY;
}

WINOLEAPI StringFromIID(REFIID rclsid, LPOLESTR* lplpsz) { return StringFromCLSID(rclsid, lplpsz); }

// A null string is CLSID_NULL. Text that does not start with '{' is taken for a ProgID; braced
// text must be exactly the identifier form (CO_E_CLASSSTRING otherwise). The output is left
// alone on failure.
WINOLEAPI CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid) {
  if (pclsid == nullptr) return E_INVALIDARG;
  if (lpsz == nullptr) {
    *pclsid = CLSID_NULL;
    return S_OK;
  }
  if (lpsz[0] != u'{') return CLSIDFromProgID(lpsz, pclsid);
  CLSID parsed;
  if (!ole32::ParseBracedGuid(lpsz, parsed)) return CO_E_CLASSSTRING;
  *pclsid = parsed;
  return S_OK;
}

// Only the braced form; E_INVALIDARG otherwise, with the output left alone.
WINOLEAPI IIDFromString(LPCOLESTR lpsz, LPIID lpiid) {
  if (lpiid == nullptr) return E_INVALIDARG;
  if (lpsz == nullptr) {
    *lpiid = IID_NULL;
    return S_OK;
  }
  IID parsed;
  if (!ole32::ParseBracedGuid(lpsz, parsed)) return E_INVALIDARG;
  *lpiid = parsed;
  return S_OK;
}

}  // extern "C"
