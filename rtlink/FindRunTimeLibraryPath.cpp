#include "stdafx.h"
#include "FindRunTimeLibraryPath.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "RegFuncsDllInterface.h"
#include "RtStatus.h"
#include "VersionStringDescendingPredicate.h"
#include "vesp_singleton.h"

namespace TQ {

namespace {

const char RUNTIME_KEY[] = "Software\\Vellacott\\Glimmer Run-Time";

// A key opened through the registry functions, closed again on every way out.
class CRunTimeKey
{
public:
    explicit CRunTimeKey(CRegFuncsDllInterface& registry) : m_registry(registry), m_key(NULL) {}
    ~CRunTimeKey()
    {
        if (m_key != NULL)
            m_registry.RegCloseKey(m_key);
    }

    LONG Open(HKEY parent, LPCSTR subKey)
    {
        return m_registry.RegOpenKeyExA(parent, subKey, 0, KEY_READ, &m_key);
    }
    HKEY Get() const { return m_key; }

private:
    CRunTimeKey(const CRunTimeKey&);
    CRunTimeKey& operator=(const CRunTimeKey&);

    CRegFuncsDllInterface& m_registry;
    HKEY m_key;
};

// Version names are made of decimal digits and dots only; other sub-keys are no run-time.
bool IsVersionName(const std::string& name)
{
    return name.find_first_not_of("0123456789.") == std::string::npos;
}

// The run-time key's version names, in the registry's order. An error of the enumeration ends it.
LONG ListVersions(CRegFuncsDllInterface& registry, HKEY runTime, std::vector<std::string>& versions)
{
    DWORD subKeys = 0;
    DWORD longestName = 0;
    LONG error = registry.RegQueryInfoKeyA(runTime, NULL, NULL, NULL, &subKeys, &longestName, NULL, NULL, NULL,
                                           NULL, NULL, NULL);
    if (error != ERROR_SUCCESS)
        return error;
    std::vector<char> name(longestName + 1);
    for (DWORD index = 0; index < subKeys; ++index)
    {
        DWORD length = static_cast<DWORD>(name.size());
        error = registry.RegEnumKeyExA(runTime, index, &name[0], &length, NULL, NULL, NULL, NULL);
        if (error != ERROR_SUCCESS)
            return error;
        const std::string version(&name[0], length);
        if (IsVersionName(version))
            versions.push_back(version);
    }
    return ERROR_SUCCESS;
}

// Whether the text's last character is a backslash; a trail byte 0x5C of a double-byte
// character is none.
bool EndsInBackslash(const char* text, size_t length)
{
    size_t at = 0;
    size_t last = 0;
    while (at < length)
    {
        last = at;
        at += (IsDBCSLeadByte(static_cast<BYTE>(text[at])) && at + 1 < length) ? 2 : 1;
    }
    return length > 0 && at - last == 1 && text[last] == '\\';
}

bool FileExists(LPCSTR path)
{
    HANDLE file = CreateFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

}  // namespace

LONG FindRunTimeLibraryPath(std::string& path)
{
    try
    {
        CRegFuncsDllInterface* registry = vesp_singleton<CRegFuncsDllInterface>::Instance();
        if (registry == NULL)
            return RTSTATUS_NO_MEMORY;

        CRunTimeKey runTime(*registry);
        LONG error = runTime.Open(HKEY_LOCAL_MACHINE, RUNTIME_KEY);
        if (error != ERROR_SUCCESS)
            return error;
        std::vector<std::string> versions;
        error = ListVersions(*registry, runTime.Get(), versions);
        if (error != ERROR_SUCCESS)
            return error;
        const VersionStringDescendingPredicate newestFirst(versions);
        std::stable_sort(versions.begin(), versions.end(), std::cref(newestFirst));

        const size_t room = std::strlen(GMRTLINK_LIBRARY_NAME) + 2;  // "\", the name, the NUL
        std::vector<char> buffer;
        for (std::vector<std::string>::const_iterator version = versions.begin(); version != versions.end(); ++version)
        {
            CRunTimeKey key(*registry);
            if (key.Open(runTime.Get(), version->c_str()) != ERROR_SUCCESS)
                continue;
            DWORD longestValue = 0;
            if (registry->RegQueryInfoKeyA(key.Get(), NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, &longestValue,
                                           NULL, NULL) != ERROR_SUCCESS)
                continue;
            if (buffer.size() < longestValue + room)
                buffer.resize(longestValue + room);

            DWORD type = REG_NONE;
            DWORD size = static_cast<DWORD>(buffer.size() - room);
            if (registry->RegQueryValueExA(key.Get(), "Path", NULL, &type, reinterpret_cast<LPBYTE>(&buffer[0]),
                                           &size) != ERROR_SUCCESS)
                continue;
            // A REG_EXPAND_SZ folder is used as it stands.
            if (type != REG_SZ && type != REG_EXPAND_SZ)
                continue;
            // The data ends at its stored size, whether a NUL ends it or not.
            size_t length = 0;
            while (length < size && buffer[length] != '\0')
                ++length;
            if (length == 0)
                continue;

            if (!EndsInBackslash(&buffer[0], length))
                buffer[length++] = '\\';
            std::strcpy(&buffer[length], GMRTLINK_LIBRARY_NAME);
            if (FileExists(&buffer[0]))
            {
                path = &buffer[0];
                return ERROR_SUCCESS;
            }
        }
        return ERROR_SUCCESS;
    }
    catch (...)
    {
        return RTSTATUS_NO_MEMORY;
    }
}

}  // namespace TQ
