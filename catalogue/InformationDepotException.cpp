#include "InformationDepotException.h"

CInformationDepotException::CInformationDepotException(const CString& message, BOOL bAutoDelete)
    : TQ::CTqException(bAutoDelete) {
  SetMessage(message);
}

CInformationDepotException::~CInformationDepotException() {}
