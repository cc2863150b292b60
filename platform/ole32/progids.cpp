// CLSIDFromProgID and ProgIDFromCLSID: the built-in classes first, then HKCR\<ProgID>\CLSID and
// HKCR\CLSID\{clsid}\ProgID. An unknown ProgID is CO_E_CLASSSTRING ("Invalid class string"), a
// class without one REGDB_E_CLASSNOTREG.
#include <objbase.h>

#include "builtin_classes.h"
#include "class_keys.h"
#include "guid_text.h"

extern "C" {

WINOLEAPI CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid) {
  if (lpszProgID == nullptr || lpclsid == nullptr) return E_INVALIDARG;
  const std::string progId = ole32::ToAnsi(lpszProgID);
  // A ProgID names one key directly below HKEY_CLASSES_ROOT.
  if (progId.empty() || progId.find('\\') != std::string::npos) return CO_E_CLASSSTRING;
  if (const auto builtin = ole32::FindBuiltinProgId(progId)) {
    *lpclsid = builtin->clsid;
    return S_OK;
  }
  const auto text = ole32::ClassesRootDefault(progId + "\\CLSID");
  CLSID clsid;
  if (!text || !ole32::ParseBracedGuid(text->c_str(), clsid)) return CO_E_CLASSSTRING;
  *lpclsid = clsid;
  return S_OK;
}

// The ProgID in task-allocator memory that the caller frees with CoTaskMemFree.
WINOLEAPI ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* lplpszProgID) {
  if (lplpszProgID == nullptr) return E_INVALIDARG;
  *lplpszProgID = nullptr;
  std::string progId;
  if (const auto builtin = ole32::FindBuiltinClass(clsid); builtin && !builtin->progId.empty()) {
    progId = builtin->progId;
  } else {
    const auto text = ole32::ClassesRootDefault(ole32::ClassKey(clsid) + "\\ProgID");
    if (!text || text->empty()) return REGDB_E_CLASSNOTREG;
    progId = *text;
  }
  *lplpszProgID = ole32::TaskCopyOf(progId);
  return *lplpszProgID ? S_OK : E_OUTOFMEMORY;
}

}  // extern "C"
