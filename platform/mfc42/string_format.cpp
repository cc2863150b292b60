// CString formatting and the string helpers of afxwin.h.
#include <afxwin.h>

#include <standin_resources.h>

#include <cstring>
#include <vector>

#include "mbcs.h"
#include "msvcrt/printf.h"

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
