// CException and the simple exceptions: auto-delete, error texts, ReportError, throw helpers.
#include <afxwin.h>

#include "mbcs.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

CException::~CException() = default;

void CException::Delete() {
  if (m_bAutoDelete > 0) delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  if (nMaxError != 0 && lpszError != NULL) *lpszError = '\0';
  return FALSE;
}

// ReportError: the exception's own text if it has one, else the string resource nMessageID, else
// the platform's fallback text; shown through AfxMessageBox.
int CException::ReportError(UINT nType, UINT nMessageID) {
  TCHAR szErrorMessage[512];
  UINT nHelpContext = 0;
  if (GetErrorMessage(szErrorMessage, _countof(szErrorMessage), &nHelpContext))
    return AfxMessageBox(szErrorMessage, nType, nHelpContext);
  if (nMessageID != 0) return AfxMessageBox(nMessageID, nType, nHelpContext);
  return AfxMessageBox("No error message is available.", nType, nHelpContext);
}

CSimpleException::CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete) {}

// A simple exception's text is fixed; it is cut to the buffer without splitting a character.
BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  if (lpszError == NULL || nMaxError == 0) return FALSE;
  mfc42::CopyTruncated(lpszError, GetDefaultMessage(), nMaxError);
  return TRUE;
}

LPCTSTR CSimpleException::GetDefaultMessage() const { return "An unknown error has occurred."; }
LPCTSTR CMemoryException::GetDefaultMessage() const { return "Out of memory."; }
LPCTSTR CNotSupportedException::GetDefaultMessage() const { return "An unsupported operation was attempted."; }
LPCTSTR CResourceException::GetDefaultMessage() const { return "A required resource was unavailable."; }
LPCTSTR CUserException::GetDefaultMessage() const { return "An unknown error has occurred."; }

namespace {
// Shared exception objects for the conditions where allocating a new one could fail or is
// pointless; they are not auto-deleted.
CMemoryException g_memoryException(FALSE);
CNotSupportedException g_notSupportedException(FALSE);
CResourceException g_resourceException(FALSE);
}  // namespace

void AFXAPI AfxThrowMemoryException() { throw &g_memoryException; }
void AFXAPI AfxThrowNotSupportedException() { throw &g_notSupportedException; }
void AFXAPI AfxThrowResourceException() { throw &g_resourceException; }
void AFXAPI AfxThrowUserException() { throw new CUserException; }
