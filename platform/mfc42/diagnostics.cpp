// ASSERT, ASSERT_VALID and TRACE. A failed assertion is written to standard error (debug output)
// and reported to the sandbox, which fails the running test; it never stops the program.
#include <afx.h>

#include <string>

#include "msvcrt/printf.h"
#include "sandbox/internal.h"

BOOL AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine) {
  const std::string message = std::string("Assertion failed: ") + (lpszFileName ? lpszFileName : "?") + "(" +
                              std::to_string(nLine) + ")";
  OutputDebugString((message + "\n").c_str());
  sandbox::internal::Fail(message);
  return FALSE;
}

void AFXAPI AfxAssertValidObject(const CObject* pOb, LPCSTR lpszFileName, int nLine) {
  if (pOb == NULL) {
    AfxAssertFailedLine(lpszFileName, nLine);
    return;
  }
  pOb->AssertValid();
}

void AFX_CDECL AfxTracePrintf(LPCTSTR lpszFormat, ...) {
  if (lpszFormat == NULL) return;
  std::string text;
  va_list args;
  va_start(args, lpszFormat);
  msvcrt::FormatPlatformPrintf(text, lpszFormat, args);
  va_end(args);
  OutputDebugString(text.c_str());
}

// Without the platform's memory probes, a pointer is valid when it is not null.
BOOL AFXAPI AfxIsValidString(LPCSTR lpsz, int) { return lpsz != NULL; }
BOOL AFXAPI AfxIsValidAddress(const void* lp, UINT, BOOL) { return lp != NULL; }
