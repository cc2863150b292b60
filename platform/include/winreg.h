// advapi32: the registry. ANSI names only, declared under the plain names.
//
// Every function returns a Windows error code (ERROR_SUCCESS on success) and leaves the last
// error alone, as the registry API documents. Key and value names compare without regard to the
// case of ASCII letters (a byte >= 0x80 and the byte after it compare exactly), keep the case
// they were first created with, and enumerate in upper-case order.
#pragma once

#include "windef.h"
#include "winerror.h"

// Predefined root keys: fixed handle values, sign-extended from 32 bits as 64-bit Windows does.
#define STANDIN_PREDEFINED_HKEY(value) \
  (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(value)))))
#define HKEY_CLASSES_ROOT STANDIN_PREDEFINED_HKEY(0x80000000)
#define HKEY_CURRENT_USER STANDIN_PREDEFINED_HKEY(0x80000001)
#define HKEY_LOCAL_MACHINE STANDIN_PREDEFINED_HKEY(0x80000002)
#define HKEY_USERS STANDIN_PREDEFINED_HKEY(0x80000003)

// Value types.
#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_LITTLE_ENDIAN 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7
#define REG_RESOURCE_LIST 8
#define REG_FULL_RESOURCE_DESCRIPTOR 9
#define REG_RESOURCE_REQUIREMENTS_LIST 10
#define REG_QWORD 11
#define REG_QWORD_LITTLE_ENDIAN 11

// Access rights of a key handle.
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_READ 0x20019
#define KEY_EXECUTE 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F

// Options of RegCreateKeyEx / RegOpenKeyEx.
#define REG_OPTION_RESERVED 0x00000000
#define REG_OPTION_NON_VOLATILE 0x00000000
#define REG_OPTION_VOLATILE 0x00000001
#define REG_OPTION_CREATE_LINK 0x00000002
#define REG_OPTION_BACKUP_RESTORE 0x00000004
#define REG_OPTION_OPEN_LINK 0x00000008

// Dispositions reported by RegCreateKeyEx.
#define REG_CREATED_NEW_KEY 0x00000001
#define REG_OPENED_EXISTING_KEY 0x00000002

extern "C" {

// Opening, creating and closing keys.
WINADVAPI LONG WINAPI RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result);
WINADVAPI LONG WINAPI RegOpenKey(HKEY key, LPCSTR subKey, PHKEY result);
WINADVAPI LONG WINAPI RegCreateKeyEx(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                                     REGSAM desired, LPSECURITY_ATTRIBUTES security, PHKEY result,
                                     LPDWORD disposition);
WINADVAPI LONG WINAPI RegCreateKey(HKEY key, LPCSTR subKey, PHKEY result);
WINADVAPI LONG WINAPI RegCloseKey(HKEY key);
WINADVAPI LONG WINAPI RegFlushKey(HKEY key);
WINADVAPI LONG WINAPI RegDeleteKey(HKEY key, LPCSTR subKey);

// Values.
WINADVAPI LONG WINAPI RegQueryValueEx(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                      LPDWORD dataSize);
WINADVAPI LONG WINAPI RegQueryValue(HKEY key, LPCSTR subKey, LPSTR data, PLONG dataSize);
WINADVAPI LONG WINAPI RegSetValueEx(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                                    DWORD dataSize);
WINADVAPI LONG WINAPI RegSetValue(HKEY key, LPCSTR subKey, DWORD type, LPCSTR data, DWORD dataSize);
WINADVAPI LONG WINAPI RegDeleteValue(HKEY key, LPCSTR valueName);

// Enumeration and key information.
WINADVAPI LONG WINAPI RegEnumKeyEx(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD reserved,
                                   LPSTR keyClass, LPDWORD classLength, PFILETIME lastWriteTime);
WINADVAPI LONG WINAPI RegEnumKey(HKEY key, DWORD index, LPSTR name, DWORD nameLength);
WINADVAPI LONG WINAPI RegEnumValue(HKEY key, DWORD index, LPSTR valueName, LPDWORD valueNameLength,
                                   LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize);
WINADVAPI LONG WINAPI RegQueryInfoKey(HKEY key, LPSTR keyClass, LPDWORD classLength, LPDWORD reserved,
                                      LPDWORD subKeys, LPDWORD maxSubKeyLength, LPDWORD maxClassLength,
                                      LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                                      LPDWORD securityDescriptorSize, PFILETIME lastWriteTime);

}  // extern "C"
