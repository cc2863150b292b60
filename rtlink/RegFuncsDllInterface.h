// The registry functions of "advapi32.dll", bound by name at run time so that the library imports
// nothing but kernel32.
#pragma once

#include "stdafx.h"
#include "RtDllDynamicLinker.h"

namespace TQ {

class CRegFuncsDllInterface
{
public:
    CRegFuncsDllInterface();

    // 0, or the Windows error of the binding.
    LONG Status() const { return m_status; }

    // The registry calls; each answers the binding's error instead while the binding failed.
    LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result);
    LONG RegQueryInfoKeyA(HKEY key, LPSTR keyClass, LPDWORD classLength, LPDWORD reserved, LPDWORD subKeys,
                          LPDWORD maxSubKeyLength, LPDWORD maxClassLength, LPDWORD values,
                          LPDWORD maxValueNameLength, LPDWORD maxValueLength, LPDWORD securityDescriptorSize,
                          PFILETIME lastWriteTime);
    LONG RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD reserved, LPSTR keyClass,
                       LPDWORD classLength, PFILETIME lastWriteTime);
    LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                          LPDWORD dataSize);
    LONG RegCloseKey(HKEY key);

private:
    enum { OPEN_KEY, QUERY_INFO_KEY, ENUM_KEY, QUERY_VALUE, CLOSE_KEY, FUNCTION_COUNT };

    LONG m_status;
    CRtDllDynamicLinker m_linker;
    FARPROC m_functions[FUNCTION_COUNT];
};

}  // namespace TQ
