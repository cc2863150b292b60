// COleException: an SCODE, its system text, and the SCODE any exception stands for.
#include <afxdisp.h>

#include <vector>

#include "mbcs.h"

IMPLEMENT_DYNAMIC(COleException, CException)

COleException::COleException() : m_sc(S_OK) {}

COleException::~COleException() = default;

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  // The whole text is fetched, then cut to the caller's buffer, as the platform does.
  std::vector<char> text(4096);
  const DWORD n = FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                                static_cast<DWORD>(m_sc), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text.data(),
                                static_cast<DWORD>(text.size()), NULL);
  if (lpszError == NULL || nMaxError == 0) return n != 0;
  if (n == 0) {
    *lpszError = '\0';
    return FALSE;
  }
  mfc42::CopyTruncated(lpszError, text.data(), nMaxError);
  return TRUE;
}

SCODE PASCAL COleException::Process(const CException* pAnyException) {
  ASSERT(pAnyException != NULL);
  if (pAnyException == NULL) return E_UNEXPECTED;
  if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
    return static_cast<const COleException*>(pAnyException)->m_sc;
  if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException))) return E_OUTOFMEMORY;
  if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException))) return E_NOTIMPL;
  return E_UNEXPECTED;
}

void AFXAPI AfxThrowOleException(SCODE sc) {
  auto* exception = new COleException;
  exception->m_sc = sc;
  throw exception;
}
