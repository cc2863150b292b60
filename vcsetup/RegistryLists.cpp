// Registry strings and directory lists (RegistryLists.h).
#include "stdafx.h"
#include "RegistryLists.h"

#include "PathList.h"

BOOL QueryRegString(HKEY key, LPCTSTR name, CString& out)
{
    DWORD size = 0;
    if (RegQueryValueEx(key, name, NULL, NULL, NULL, &size) != ERROR_SUCCESS)
    {
        out.Empty();
        return FALSE;
    }
    // One byte more than stored, always NUL: data without its NUL (or no string at all) ends
    // where it is stored.
    LPTSTR buffer = out.GetBuffer(static_cast<int>(size));
    DWORD read = size;
    if (RegQueryValueEx(key, name, NULL, NULL, reinterpret_cast<LPBYTE>(buffer), &read) != ERROR_SUCCESS || read > size)
    {
        out.ReleaseBuffer(0);
        return FALSE;
    }
    buffer[read] = '\0';
    out.ReleaseBuffer();
    return TRUE;
}

BOOL ReadRegString(HKEY root, LPCTSTR subKey, LPCTSTR name, CString& out)
{
    HKEY key = NULL;
    if (RegOpenKeyEx(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    {
        out.Empty();
        return FALSE;
    }
    const BOOL found = QueryRegString(key, name, out);
    RegCloseKey(key);
    return found;
}

BOOL AddDirToRegList(HKEY root, LPCTSTR subKey, LPCTSTR name, LPCTSTR dir)
{
    HKEY key = NULL;
    if (RegOpenKeyEx(root, subKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return FALSE;
    CString list;
    QueryRegString(key, name, list);
    AppendToPathList(list, dir);
    const LONG written = RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<LPCTSTR>(list)),
                                       static_cast<DWORD>(list.GetLength() + 1));
    RegCloseKey(key);
    return written == ERROR_SUCCESS;
}
