// The bridge's failure: a text from the string table, thrown by pointer and deleted by the catcher.
#pragma once

#include "stdafx.h"

#include "TqException.h"

class CVSApplicationException : public TQ::CTqException {
 public:
  explicit CVSApplicationException(UINT stringId, BOOL bAutoDelete = TRUE);
  ~CVSApplicationException() override;
};
