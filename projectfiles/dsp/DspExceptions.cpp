#include "dsp/DspExceptions.h"

#include "ProjectFilesResource.h"
#include "TqFile.h"

namespace TQ {

CAppWizException::CAppWizException(CString message, BOOL bAutoDelete) : CTqException(bAutoDelete) {
  SetMessage(message);
}
CAppWizException::~CAppWizException() {}

CInvalidProjectFormatException::CInvalidProjectFormatException(BOOL bAutoDelete)
    : CAppWizException("Unknown/invalid project file format.", bAutoDelete) {}
CInvalidProjectFormatException::~CInvalidProjectFormatException() {}

CReadFileFailureException::CReadFileFailureException(BOOL bAutoDelete)
    : CAppWizException("Read file failed.", bAutoDelete) {}
CReadFileFailureException::~CReadFileFailureException() {}

CNulCharacterException::CNulCharacterException(const CString& path, BOOL bAutoDelete)
    : CAppWizException(path.IsEmpty() ? CString("The text holds a NUL character, which a text file cannot hold.")
                                      : path + " holds a NUL character: it is not a text file.",
                       bAutoDelete) {}
CNulCharacterException::~CNulCharacterException() {}

namespace {
CString PutBackMessage(const CString& failure, const std::vector<CString>& notPutBack) {
  if (notPutBack.empty()) return failure + "\nThe files replaced before were put back: nothing has been changed.";
  CString names;
  for (const CString& name : notPutBack) names += "\n" + name;
  return failure + "\nThese files could not be put back and hold their new text:" + names;
}
}  // namespace

CFilesPutBackException::CFilesPutBackException(const CString& failure, const std::vector<CString>& notPutBack,
                                               BOOL bAutoDelete)
    : CAppWizException(PutBackMessage(failure, notPutBack), bAutoDelete) {}
CFilesPutBackException::~CFilesPutBackException() {}

CString LoadProjectNotParsableMessage() {
  CString message = LoadStringResource(IDS_PROJECT_NOT_PARSABLE);
  // A module built without ProjectFiles.rc still tells the user what went wrong.
  if (message.IsEmpty()) message = "Unknown/invalid project file format.";
  return message;
}

}  // namespace TQ
