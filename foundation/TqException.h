// The exception family of the library: every failure is a heap-allocated object thrown by pointer
// and deleted by the catcher with Delete().
#pragma once

#include <type_traits>

#include "stdafx.h"
#include <afxdisp.h>

#include "TqStringStream.h"

namespace TQ {

class CTqException : public CException {
 public:
  explicit CTqException(BOOL bAutoDelete = TRUE);
  ~CTqException() override;

  CString GetMessage() const;
  void SetMessage(CString message);

  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

 private:
  CString m_message;
};

class CTqOleException : public COleException {
 public:
  explicit CTqOleException(BOOL bAutoDelete = TRUE);
  ~CTqOleException() override;

  CString GetMessage() const;
  void SetMessage(CString message);

  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

 private:
  CString m_message;
};

// An exception that carries a code and says so in its message. Codes print in decimal: unsigned
// codes as unsigned, everything else (signed codes, status enumerations) as signed.
template <typename T>
class CTqExceptionT : public CTqException {
 public:
  CTqExceptionT(T code, BOOL bAutoDelete = TRUE) : CTqException(bAutoDelete), m_code(code) {
    CTqStringStream text(CString("Exception generated! Error code = "));
    if constexpr (std::is_unsigned_v<T>)
      text << static_cast<unsigned int>(code);
    else
      text << static_cast<int>(code);
    SetMessage(text.GetString());
  }
  ~CTqExceptionT() override {}

  T GetCode() const { return m_code; }

 protected:
  T m_code;
};

// A Windows error code with the system's text for it. 0xFFFFFFFF means the thread's last error.
class CTqSystemException : public CTqExceptionT<DWORD> {
 public:
  explicit CTqSystemException(DWORD code, BOOL bAutoDelete = TRUE);
  ~CTqSystemException() override;
};

class CTqIndexException : public CTqException {
 public:
  CTqIndexException(int index, int count, BOOL bAutoDelete = TRUE);
  ~CTqIndexException() override;
};

class CTqInterfaceNotSupportedException : public CTqException {
 public:
  CTqInterfaceNotSupportedException(CString objectName, CString interfaceName, BOOL bAutoDelete = TRUE);
  ~CTqInterfaceNotSupportedException() override;
};

class CTqObjectNotInUsableStateException : public CTqException {
 public:
  explicit CTqObjectNotInUsableStateException(CString objectName, BOOL bAutoDelete = TRUE);
  ~CTqObjectNotInUsableStateException() override;
};

class CTqControlVersionException : public CTqException {
 public:
  explicit CTqControlVersionException(CString expectedVersion, BOOL bAutoDelete = TRUE);
  CTqControlVersionException(CString expectedVersion, CString foundVersion, BOOL bAutoDelete = TRUE);
  ~CTqControlVersionException() override;
};

class CTqNotActiveXControlException : public CTqException {
 public:
  explicit CTqNotActiveXControlException(BOOL bAutoDelete = TRUE);
  ~CTqNotActiveXControlException() override;
};

// Throw a new auto-deleting CTqSystemException for `code`; used after every failing Windows call.
[[noreturn]] void ThrowSystemException(DWORD code);
// Throw a new CTqOleException for `hr`: the system's text of the HRESULT, a line break, then the
// context; used after failing COM calls.
[[noreturn]] void ThrowOleException(HRESULT hr, CString context);

}  // namespace TQ
