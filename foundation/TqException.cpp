#include "TqException.h"

#include <cstring>

namespace TQ {
namespace {

// Copies at most max - 1 bytes of the message and always ends the buffer with a NUL. A double-byte
// character that does not fit whole is left out rather than cut.
void CopyMessage(const CString& message, LPTSTR buffer, UINT max) {
  if (max == 0 || buffer == NULL) return;
  const UINT limit = max - 1;
  UINT n = 0;
  LPCTSTR p = message;
  while (p[n] != '\0') {
    const UINT width = (IsDBCSLeadByte(static_cast<BYTE>(p[n])) && p[n + 1] != '\0') ? 2 : 1;
    if (n + width > limit) break;
    n += width;
  }
  std::memcpy(buffer, p, n);
  std::memset(buffer + n, 0, max - n);
}

// The base class is asked only whether it has a text of its own.
template <typename Base>
BOOL MessageAnswer(Base& self, const CString& message, LPTSTR buffer, UINT max, PUINT helpContext) {
  TCHAR scratch[2];
  const BOOL baseHasText = self.Base::GetErrorMessage(scratch, 2, helpContext);
  CopyMessage(message, buffer, max);
  return baseHasText ? TRUE : !message.IsEmpty();
}

}  // namespace

CTqException::CTqException(BOOL bAutoDelete) : CException(bAutoDelete) {}
CTqException::~CTqException() {}
CString CTqException::GetMessage() const { return m_message; }
void CTqException::SetMessage(CString message) { m_message = message; }
BOOL CTqException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  return MessageAnswer<CException>(*this, m_message, lpszError, nMaxError, pnHelpContext);
}

CTqOleException::CTqOleException(BOOL bAutoDelete) : COleException() {
  m_bAutoDelete = bAutoDelete;
  m_sc = 0;
}
CTqOleException::~CTqOleException() {}
CString CTqOleException::GetMessage() const { return m_message; }
void CTqOleException::SetMessage(CString message) { m_message = message; }
BOOL CTqOleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  return MessageAnswer<COleException>(*this, m_message, lpszError, nMaxError, pnHelpContext);
}

CTqSystemException::CTqSystemException(DWORD code, BOOL bAutoDelete) : CTqExceptionT<DWORD>(code, bAutoDelete) {
  if (m_code == 0xFFFFFFFF) m_code = GetLastError();
  LPSTR text = NULL;
  const DWORD n = FormatMessage(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM, NULL, m_code,
      MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0, NULL);
  SetMessage(n != 0 && text != NULL ? CString(text) : CString());
  if (text != NULL) LocalFree(text);
}
CTqSystemException::~CTqSystemException() {}

CTqIndexException::CTqIndexException(int index, int count, BOOL bAutoDelete) : CTqException(bAutoDelete) {
  CTqStringStream text(CString("Specified index: "));
  text << index << CString(" is out of range. Valid range is 0 to ") << (count - 1);
  SetMessage(text.GetString());
}
CTqIndexException::~CTqIndexException() {}

CTqInterfaceNotSupportedException::CTqInterfaceNotSupportedException(CString objectName, CString interfaceName,
                                                                     BOOL bAutoDelete)
    : CTqException(bAutoDelete) {
  SetMessage(objectName + " does not support the requested interface: " + interfaceName);
}
CTqInterfaceNotSupportedException::~CTqInterfaceNotSupportedException() {}

CTqObjectNotInUsableStateException::CTqObjectNotInUsableStateException(CString objectName, BOOL bAutoDelete)
    : CTqException(bAutoDelete) {
  SetMessage(objectName + " instance is not in a usable state.");
}
CTqObjectNotInUsableStateException::~CTqObjectNotInUsableStateException() {}

CTqControlVersionException::CTqControlVersionException(CString expectedVersion, BOOL bAutoDelete)
    : CTqException(bAutoDelete) {
  SetMessage("ActiveX control is not the correct version.\nExpected version: " + expectedVersion);
}
CTqControlVersionException::CTqControlVersionException(CString expectedVersion, CString foundVersion,
                                                       BOOL bAutoDelete)
    : CTqException(bAutoDelete) {
  SetMessage("ActiveX control is not the correct version.\nExpected version: " + expectedVersion +
             "\nFound version: " + foundVersion);
}
CTqControlVersionException::~CTqControlVersionException() {}

CTqNotActiveXControlException::CTqNotActiveXControlException(BOOL bAutoDelete) : CTqException(bAutoDelete) {
  SetMessage("The object is not an ActiveX control!");
}
CTqNotActiveXControlException::~CTqNotActiveXControlException() {}

void ThrowSystemException(DWORD code) { throw new CTqSystemException(code, TRUE); }

void ThrowOleException(HRESULT hr, CString context) {
  CTqOleException* e = new CTqOleException(TRUE);
  e->m_sc = hr;
  CString text;
  const BOOL found = e->COleException::GetErrorMessage(text.GetBuffer(512), 512, NULL);
  text.ReleaseBuffer();
  CString message = (found && !text.IsEmpty()) ? text + "\n" : CString();
  message += context;
  e->SetMessage(message);
  throw e;
}

}  // namespace TQ
