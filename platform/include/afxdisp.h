// MFC: OLE automation support. So far the OLE exception.
#pragma once

#include "afxwin.h"

// An OLE failure carrying its SCODE.
class STANDIN_API COleException : public CException {
  DECLARE_DYNAMIC(COleException)
 public:
  COleException();
  ~COleException() override;

  // The system's text for m_sc (FormatMessage), truncated to the buffer; TRUE when the system
  // has a text, else an empty string and FALSE.
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

  // The SCODE an exception stands for: m_sc of an OLE exception, E_OUTOFMEMORY for a memory
  // exception, E_NOTIMPL for a not-supported exception, else E_UNEXPECTED.
  static SCODE PASCAL Process(const CException* pAnyException);

  SCODE m_sc;
};

[[noreturn]] STANDIN_API void AFXAPI AfxThrowOleException(SCODE sc);
