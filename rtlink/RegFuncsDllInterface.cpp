#include "stdafx.h"
#include "RegFuncsDllInterface.h"

namespace TQ {

namespace {

typedef LONG(WINAPI* PFNREGOPENKEYEXA)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
typedef LONG(WINAPI* PFNREGQUERYINFOKEYA)(HKEY, LPSTR, LPDWORD, LPDWORD, LPDWORD, LPDWORD, LPDWORD, LPDWORD,
                                          LPDWORD, LPDWORD, LPDWORD, PFILETIME);
typedef LONG(WINAPI* PFNREGENUMKEYEXA)(HKEY, DWORD, LPSTR, LPDWORD, LPDWORD, LPSTR, LPDWORD, PFILETIME);
typedef LONG(WINAPI* PFNREGQUERYVALUEEXA)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
typedef LONG(WINAPI* PFNREGCLOSEKEY)(HKEY);

template <class F>
F As(FARPROC function)
{
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(function));
}

}  // namespace

CRegFuncsDllInterface::CRegFuncsDllInterface() : m_status(ERROR_SUCCESS), m_linker(true)
{
    for (int i = 0; i < FUNCTION_COUNT; ++i)
        m_functions[i] = NULL;
    const RtDllLinkEntry table[FUNCTION_COUNT] = {
        {"RegOpenKeyExA", &m_functions[OPEN_KEY]},
        {"RegQueryInfoKeyA", &m_functions[QUERY_INFO_KEY]},
        {"RegEnumKeyExA", &m_functions[ENUM_KEY]},
        {"RegQueryValueExA", &m_functions[QUERY_VALUE]},
        {"RegCloseKey", &m_functions[CLOSE_KEY]},
    };
    m_status = static_cast<LONG>(m_linker.Link("advapi32.dll", FUNCTION_COUNT, table));
}

LONG CRegFuncsDllInterface::RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result)
{
    if (m_status != ERROR_SUCCESS)
        return m_status;
    return As<PFNREGOPENKEYEXA>(m_functions[OPEN_KEY])(key, subKey, options, desired, result);
}

LONG CRegFuncsDllInterface::RegQueryInfoKeyA(HKEY key, LPSTR keyClass, LPDWORD classLength, LPDWORD reserved,
                                             LPDWORD subKeys, LPDWORD maxSubKeyLength, LPDWORD maxClassLength,
                                             LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                                             LPDWORD securityDescriptorSize, PFILETIME lastWriteTime)
{
    if (m_status != ERROR_SUCCESS)
        return m_status;
    return As<PFNREGQUERYINFOKEYA>(m_functions[QUERY_INFO_KEY])(key, keyClass, classLength, reserved, subKeys,
                                                                 maxSubKeyLength, maxClassLength, values,
                                                                 maxValueNameLength, maxValueLength,
                                                                 securityDescriptorSize, lastWriteTime);
}

LONG CRegFuncsDllInterface::RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD reserved,
                                          LPSTR keyClass, LPDWORD classLength, PFILETIME lastWriteTime)
{
    if (m_status != ERROR_SUCCESS)
        return m_status;
    return As<PFNREGENUMKEYEXA>(m_functions[ENUM_KEY])(key, index, name, nameLength, reserved, keyClass, classLength,
                                                        lastWriteTime);
}

LONG CRegFuncsDllInterface::RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type,
                                             LPBYTE data, LPDWORD dataSize)
{
    if (m_status != ERROR_SUCCESS)
        return m_status;
    return As<PFNREGQUERYVALUEEXA>(m_functions[QUERY_VALUE])(key, valueName, reserved, type, data, dataSize);
}

LONG CRegFuncsDllInterface::RegCloseKey(HKEY key)
{
    if (m_status != ERROR_SUCCESS)
        return m_status;
    return As<PFNREGCLOSEKEY>(m_functions[CLOSE_KEY])(key);
}

}  // namespace TQ
