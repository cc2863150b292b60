// The installation ids (InstallId.h).
#include "stdafx.h"
#include "InstallId.h"

namespace
{

const TCHAR PRODUCT_KEY[] = _T("Software\\Vellacott\\Sablewing\\VC");
const TCHAR USER_KEY[] = _T("Software\\Vellacott\\Sablewing\\VC\\VS6");
const TCHAR INSTALL_ID[] = _T("InstallId");

BOOL ReadInstallId(HKEY root, LPCTSTR subKey, DWORD& id)
{
    HKEY key = NULL;
    if (RegOpenKeyEx(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    DWORD type = 0;
    DWORD size = sizeof id;
    const BOOL read = RegQueryValueEx(key, INSTALL_ID, NULL, &type, reinterpret_cast<LPBYTE>(&id), &size) ==
                          ERROR_SUCCESS &&
                      type == REG_DWORD && size == sizeof id;
    RegCloseKey(key);
    return read;
}

}  // namespace

BOOL ReadMachineInstallId(DWORD& id) { return ReadInstallId(HKEY_LOCAL_MACHINE, PRODUCT_KEY, id); }

BOOL ReadUserInstallId(DWORD& id) { return ReadInstallId(HKEY_CURRENT_USER, USER_KEY, id); }

void RecordUserInstallId(DWORD id)
{
    HKEY key = NULL;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, USER_KEY, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    RegSetValueEx(key, INSTALL_ID, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&id), sizeof id);
    RegCloseKey(key);
}
