#include "customizer/VSProjectCustomizerException.h"

CVSProjectCustomizerException::CVSProjectCustomizerException(UINT stringId, BOOL bAutoDelete)
    : TQ::CTqException(bAutoDelete) {
  CString message;
  message.LoadString(stringId);
  SetMessage(message);
}

CVSProjectCustomizerException::CVSProjectCustomizerException(const CString& message, BOOL bAutoDelete)
    : TQ::CTqException(bAutoDelete) {
  SetMessage(message);
}

CVSProjectCustomizerException::~CVSProjectCustomizerException() {}
