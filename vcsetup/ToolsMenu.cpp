// The Tools menu's entries (ToolsMenu.h).
#include "stdafx.h"
#include "ToolsMenu.h"

#include <vector>

#include "RegistryLists.h"

namespace
{

const TCHAR TOOLS_KEY[] = _T("SOFTWARE\\Microsoft\\DevStudio\\6.0\\Tools");
const TCHAR NUM_TOOLS[] = _T("NumTools");
// The longest value name the registry holds, with its NUL.
const DWORD MAX_VALUE_NAME = 16384;

CString Numbered(LPCTSTR field, DWORD n)
{
    CString name;
    name.Format(_T("%s#%lu"), field, n);
    return name;
}

// Opens the Tools key (never creating it) and reads the number of entries.
BOOL OpenTools(HKEY& key, DWORD& count)
{
    if (RegOpenKeyEx(HKEY_CURRENT_USER, TOOLS_KEY, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return FALSE;
    DWORD type = 0;
    DWORD size = sizeof count;
    if (RegQueryValueEx(key, NUM_TOOLS, NULL, &type, reinterpret_cast<LPBYTE>(&count), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof count)
    {
        RegCloseKey(key);
        return FALSE;
    }
    return TRUE;
}

// The first entry of that menu name; -1 when there is none.
long FindEntry(HKEY key, DWORD count, LPCTSTR name)
{
    for (DWORD n = 0; n < count; ++n)
    {
        CString menuName;
        if (QueryRegString(key, Numbered(_T("MenuName"), n), menuName) && menuName == name)
            return static_cast<long>(n);
    }
    return -1;
}

BOOL SetString(HKEY key, const CString& name, LPCTSTR text)
{
    return RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                         static_cast<DWORD>(lstrlen(text) + 1)) == ERROR_SUCCESS;
}

BOOL SetDword(HKEY key, const CString& name, DWORD value)
{
    return RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

// Every value name of the key, in the registry's order; FALSE when they cannot be listed.
BOOL ListValueNames(HKEY key, std::vector<CString>& names)
{
    std::vector<TCHAR> buffer(MAX_VALUE_NAME);
    for (DWORD index = 0;; ++index)
    {
        DWORD length = MAX_VALUE_NAME;
        const LONG result = RegEnumValue(key, index, &buffer[0], &length, NULL, NULL, NULL, NULL);
        if (result == ERROR_NO_MORE_ITEMS)
            return TRUE;
        if (result != ERROR_SUCCESS)
            return FALSE;
        names.push_back(CString(&buffer[0], static_cast<int>(length)));
    }
}

// Entry j becomes entry j - 1: each value named "<field>#<j>" is copied, with its type and data,
// to "<field>#<j - 1>"; the old values are deleted only once every copy is written, so a failure
// leaves entry j whole.
BOOL MoveEntryDown(HKEY key, const std::vector<CString>& names, DWORD j)
{
    const CString suffix = Numbered(_T(""), j);
    std::vector<CString> moved;
    for (size_t i = 0; i < names.size(); ++i)
    {
        const CString& name = names[i];
        const int hash = name.ReverseFind('#');
        if (hash < 0 || name.Mid(hash) != suffix)
            continue;
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueEx(key, name, NULL, &type, NULL, &size) != ERROR_SUCCESS)
            return FALSE;
        std::vector<BYTE> data(size + 1);
        if (RegQueryValueEx(key, name, NULL, &type, &data[0], &size) != ERROR_SUCCESS)
            return FALSE;
        if (RegSetValueEx(key, Numbered(name.Left(hash), j - 1), 0, type, &data[0], size) != ERROR_SUCCESS)
            return FALSE;
        moved.push_back(name);
    }
    for (size_t i = 0; i < moved.size(); ++i)
        if (RegDeleteValue(key, moved[i]) != ERROR_SUCCESS)
            return FALSE;
    return TRUE;
}

}  // namespace

BOOL AddToolsMenuEntry(LPCTSTR name, LPCTSTR pathName, LPCTSTR defaultArguments, LPCTSTR initialDirectory)
{
    HKEY key = NULL;
    DWORD count = 0;
    if (!OpenTools(key, count))
        return FALSE;
    if (FindEntry(key, count, name) >= 0)
    {
        RegCloseKey(key);
        return TRUE;
    }
    const BOOL written = SetString(key, Numbered(_T("MenuName"), count), name) &&
                         SetString(key, Numbered(_T("PathName"), count), pathName) &&
                         SetString(key, Numbered(_T("DefaultArguments"), count), defaultArguments) &&
                         SetString(key, Numbered(_T("InitialDirectory"), count), initialDirectory) &&
                         SetDword(key, Numbered(_T("OutputRedirect"), count), 0) &&
                         SetDword(key, Numbered(_T("UseSearchPath"), count), 0) &&
                         SetDword(key, Numbered(_T("ReloadNoPrompt"), count), 0) &&
                         SetDword(key, Numbered(_T("CloseWindow"), count), 0) &&
                         SetDword(key, Numbered(_T("AskArgument"), count), 0) &&
                         SetDword(key, Numbered(_T("VisibleOnMenu"), count), 1) &&
                         SetDword(key, Numbered(_T("GUITool"), count), 1) &&
                         SetDword(key, NUM_TOOLS, count + 1);
    RegCloseKey(key);
    return written;
}

BOOL RemoveToolsMenuEntry(LPCTSTR name)
{
    HKEY key = NULL;
    DWORD count = 0;
    if (!OpenTools(key, count))
        return FALSE;
    const long found = FindEntry(key, count, name);
    std::vector<CString> names;
    BOOL done = found < 0 || ListValueNames(key, names);
    for (DWORD j = static_cast<DWORD>(found) + 1; done && found >= 0 && j < count; ++j)
        done = MoveEntryDown(key, names, j);
    if (done && found >= 0)
        done = SetDword(key, NUM_TOOLS, count - 1);
    RegCloseKey(key);
    return done;
}
