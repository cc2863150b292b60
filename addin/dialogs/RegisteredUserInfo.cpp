#include "RegisteredUserInfo.h"

#include "AddinDialogsResource.h"

namespace {

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

// A REG_SZ value of the key; empty when it is missing or of another type.
CString ReadString(HKEY hKey, const CString& name) {
  DWORD type = 0, size = 0;
  if (::RegQueryValueEx(hKey, name, NULL, &type, NULL, &size) != ERROR_SUCCESS || type != REG_SZ || size == 0)
    return CString();
  CString value;
  LPTSTR buffer = value.GetBuffer(static_cast<int>(size));
  const LONG read = ::RegQueryValueEx(hKey, name, NULL, &type, reinterpret_cast<LPBYTE>(buffer), &size);
  buffer[read == ERROR_SUCCESS && type == REG_SZ ? size - 1 : 0] = 0;  // ends at its stored length
  value.ReleaseBuffer();
  return value;
}

}  // namespace

CRegisteredUserInfo::CRegisteredUserInfo(int nMajorVersion, int nMinorVersion) {
  CString version;
  version.Format(_T("%d.%d"), nMajorVersion, nMinorVersion);
  const CString keyName = LoadText(IDS_USER_INFO_KEY_START) + version + LoadText(IDS_USER_INFO_KEY_END);
  HKEY hKey = NULL;
  if (::RegOpenKeyEx(HKEY_LOCAL_MACHINE, keyName, 0, KEY_READ, &hKey) != ERROR_SUCCESS) return;
  m_strUserName = ReadString(hKey, LoadText(IDS_USER_NAME_VALUE));
  m_strOrganization = ReadString(hKey, LoadText(IDS_COMPANY_NAME_VALUE));
  ::RegCloseKey(hKey);
}
