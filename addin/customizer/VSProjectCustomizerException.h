// The customizer's failure: a text (or a string-table text), thrown by pointer and deleted by the
// catcher.
#pragma once

#include "stdafx.h"

#include "TqException.h"

class CVSProjectCustomizerException : public TQ::CTqException {
 public:
  explicit CVSProjectCustomizerException(UINT stringId, BOOL bAutoDelete = TRUE);
  explicit CVSProjectCustomizerException(const CString& message, BOOL bAutoDelete = TRUE);
  ~CVSProjectCustomizerException() override;
};
