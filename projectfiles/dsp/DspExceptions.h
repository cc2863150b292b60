// The project-file exceptions: thrown by pointer with auto-delete set, caught by pointer by the
// editors' callers, who report and Delete() them.
#pragma once

#include "stdafx.h"

#include <vector>

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

// A text file holding a NUL character, or text holding one that was to be written: the readers
// refuse such a file and the writers such text, as CStdioFile would silently cut a line at it.
// `path` names the file; empty when the text is refused before it reaches one.
class CNulCharacterException : public CAppWizException {
 public:
  explicit CNulCharacterException(const CString& path, BOOL bAutoDelete = TRUE);
  ~CNulCharacterException() override;
};

// A failure while replacing the files of a set, after some of them were replaced: the message
// says what failed, and that the replaced files were put back, or which could not be.
class CFilesPutBackException : public CAppWizException {
 public:
  CFilesPutBackException(const CString& failure, const std::vector<CString>& notPutBack, BOOL bAutoDelete = TRUE);
  ~CFilesPutBackException() override;
};

// The message of string resource 5040: the project looked like ours but could not be parsed.
CString LoadProjectNotParsableMessage();

}  // namespace TQ
