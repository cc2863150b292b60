// CString formatting and string resources, and the string helpers of afxwin.h.
#include <afxwin.h>

#include <standin_resources.h>

#include <cstring>
#include <vector>

#include "mbcs.h"
#include "msvcrt/printf.h"
#include "resource_chain.h"

void CString::FormatV(LPCTSTR lpszFormat, va_list argList) {
  ASSERT(lpszFormat != NULL);
  if (lpszFormat == NULL) return;
  std::string text;
  msvcrt::FormatPlatformPrintf(text, lpszFormat, argList);
  m_str.swap(text);
}

void CString::FormatPrintf(LPCTSTR lpszFormat, ...) {
  va_list args;
  va_start(args, lpszFormat);
  FormatV(lpszFormat, args);
  va_end(args);
}

namespace {

// One module's string nID: 0 when absent. The buffer grows until the string fits (LoadString
// fills at most size - 1 bytes, so a full buffer may mean a longer string).
bool LoadFrom(HINSTANCE module, UINT nID, std::string& out) {
  std::vector<char> buffer(256);
  for (;;) {
    const int n = ::LoadString(module, nID, buffer.data(), static_cast<int>(buffer.size()));
    if (n <= 0) return false;
    if (static_cast<size_t>(n) + 2 < buffer.size() || buffer.size() >= (1u << 20)) {
      out.assign(buffer.data(), static_cast<size_t>(n));
      return true;
    }
    buffer.resize(buffer.size() * 4);
  }
}

}  // namespace

// The resource chain: the resource handle's module, then every module that carries resources,
// in load order.
std::vector<HMODULE> mfc42::ResourceChain() {
  std::vector<HMODULE> chain{AfxGetResourceHandle()};
  std::vector<HMODULE> modules(StandinResourceModules(nullptr, 0));
  modules.resize(StandinResourceModules(modules.data(), modules.size()));
  for (HMODULE module : modules)
    if (module != chain.front()) chain.push_back(module);
  return chain;
}

BOOL CString::LoadString(UINT nID) {
  std::string text;
  for (HMODULE module : mfc42::ResourceChain())
    if (LoadFrom(module, nID, text)) {
      m_str.swap(text);
      return TRUE;
    }
  return FALSE;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType) {
  const std::vector<HMODULE> chain = mfc42::ResourceChain();
  for (HMODULE module : chain)
    if (::FindResource(module, lpszName, lpszType) != NULL) return module;
  return chain.front();
}

// "%1".."%9" stand for the inserts; any other '%' is copied as it is.
void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString) {
  std::string out;
  for (const char* p = lpszFormat ? lpszFormat : ""; *p != '\0'; ++p) {
    if (p[0] == '%' && p[1] >= '1' && p[1] <= '9') {
      const int i = p[1] - '1';
      if (i < nString) {
        if (rglpsz[i] != NULL) out += rglpsz[i];
      } else {
        TRACE("Error: illegal string index requested %d.\n", i + 1);
      }
      ++p;
    } else {
      out += *p;
    }
  }
  rString = CString(out.data(), static_cast<int>(out.size()));
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1) {
  CString format;
  if (!format.LoadString(nIDS)) {
    TRACE("Error: failed to load AfxFormatString string 0x%04x.\n", nIDS);
    ASSERT(FALSE);
    return;
  }
  AfxFormatStrings(rString, format, &lpsz1, 1);
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2) {
  CString format;
  if (!format.LoadString(nIDS)) {
    TRACE("Error: failed to load AfxFormatString string 0x%04x.\n", nIDS);
    ASSERT(FALSE);
    return;
  }
  LPCTSTR inserts[] = {lpsz1, lpsz2};
  AfxFormatStrings(rString, format, inserts, 2);
}

BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep) {
  rString.Empty();
  if (lpszFullString == NULL || iSubString < 0) return FALSE;
  const mfc42::CodePage& cp = mfc42::CodePage::Current();
  const char* p = lpszFullString;
  const char* end = p + std::strlen(p);
  // Skip iSubString fields, each up to and including its separator.
  for (; iSubString > 0; --iSubString) {
    while (p < end && !(*p == chSep && cp.CharLength(p, end) == 1)) p += cp.CharLength(p, end);
    if (p == end) return FALSE;
    ++p;
  }
  const char* field = p;
  while (p < end && !(*p == chSep && cp.CharLength(p, end) == 1)) p += cp.CharLength(p, end);
  rString = CString(field, static_cast<int>(p - field));
  return TRUE;
}
