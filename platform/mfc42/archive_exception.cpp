// CArchiveException: causes and their texts.
#include <afx.h>

#include "cause_text.h"

IMPLEMENT_DYNAMIC(CArchiveException, CException)

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName) {}

CArchiveException::~CArchiveException() = default;

namespace {

// What each cause tells the user; %1 is the file.
LPCTSTR CauseText(int cause) {
  switch (cause) {
    case CArchiveException::none: return "No error occurred.";
    case CArchiveException::readOnly: return "Tried to write to %1, which was opened for reading.";
    case CArchiveException::endOfFile: return "Unexpected end of file while reading %1.";
    case CArchiveException::writeOnly: return "Tried to read from %1, which was opened for writing.";
    case CArchiveException::badIndex: return "%1 has an invalid format.";
    case CArchiveException::badClass: return "%1 holds an object of an unexpected type.";
    case CArchiveException::badSchema: return "%1 holds data of a version that cannot be read.";
    case CArchiveException::generic:
    default: return "An unexpected error occurred while reading or writing %1.";
  }
}

}  // namespace

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  return mfc42::CopyCauseText(CauseText(m_cause), m_strFileName, lpszError, nMaxError, pnHelpContext);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName) {
  throw new CArchiveException(cause, lpszArchiveName);
}
