// The user and organisation the product was registered to, as the installer recorded them.
#pragma once

#include "stdafx.h"

class CRegisteredUserInfo {
 public:
  // Reads HKLM "Software\Vellacott\Sablewing\<major>.<minor>\User Info"; a missing key or value
  // (or one that is not a string) reads as empty.
  CRegisteredUserInfo(int nMajorVersion, int nMinorVersion);

  CString GetUserName() const { return m_strUserName; }
  CString GetOrganization() const { return m_strOrganization; }

 private:
  CString m_strUserName;
  CString m_strOrganization;
};
