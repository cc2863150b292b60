// The depot's failure: a text from the string table, thrown by pointer and deleted by the catcher.
#pragma once

#include "stdafx.h"

#include "TqException.h"

class CInformationDepotException : public TQ::CTqException {
 public:
  explicit CInformationDepotException(const CString& message, BOOL bAutoDelete = TRUE);
  ~CInformationDepotException() override;
};
