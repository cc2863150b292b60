#include "bridge/VSApplicationException.h"

CVSApplicationException::CVSApplicationException(UINT stringId, BOOL bAutoDelete) : TQ::CTqException(bAutoDelete) {
  CString message;
  message.LoadString(stringId);
  SetMessage(message);
}

CVSApplicationException::~CVSApplicationException() {}
