#include "FailureText.h"

#include "AddinResource.h"
#include "TqException.h"

CString UnknownFailureText() {
  CString text;
  text.LoadString(IDS_UNKNOWN_ERROR);
  return text;
}

CString FileCauseText(int cause) {
  CString text;
  if (cause >= CFileException::generic && cause <= CFileException::endOfFile)
    text.LoadString(IDS_FILE_CAUSE_FIRST + static_cast<UINT>(cause - CFileException::generic));
  return text;
}

CString FailureText(CException* e) {
  if (auto* tq = dynamic_cast<TQ::CTqException*>(e)) return tq->GetMessage();
  if (auto* file = dynamic_cast<CFileException*>(e))
    return "Could not convert project\n\n" + file->m_strFileName + ":\n" + FileCauseText(file->m_cause);
  return UnknownFailureText();
}
