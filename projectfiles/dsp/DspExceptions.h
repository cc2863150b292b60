// The project-file exceptions: thrown by pointer with auto-delete set, caught by pointer by the
// editors' callers, who report and Delete() them.
#pragma once

#include "stdafx.h"

#include "TqException.h"

namespace TQ {

class CAppWizException : public CTqException {
 public:
  explicit CAppWizException(CString message, BOOL bAutoDelete = TRUE);
  ~CAppWizException() override;
};

// "Unknown/invalid project file format."
class CInvalidProjectFormatException : public CAppWizException {
 public:
  explicit CInvalidProjectFormatException(BOOL bAutoDelete = TRUE);
  ~CInvalidProjectFormatException() override;
};

// "Read file failed."
class CReadFileFailureException : public CAppWizException {
 public:
  explicit CReadFileFailureException(BOOL bAutoDelete = TRUE);
  ~CReadFileFailureException() override;
};

// The message of string resource 5040: the project looked like ours but could not be parsed.
CString LoadProjectNotParsableMessage();

}  // namespace TQ
