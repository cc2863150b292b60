// The ANSI export names of the registry calls that modules bind at run time with GetProcAddress
// (a module that imports nothing but kernel32 finds "RegOpenKeyExA" in "advapi32.dll"). The
// stand-in declares its API under the plain names; these forward to them. RegCloseKey has no
// ANSI form and is found under its own name.
#include <windows.h>

extern "C" {

WINADVAPI LONG WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result) {
  return RegOpenKeyEx(key, subKey, options, desired, result);
}

WINADVAPI LONG WINAPI RegQueryInfoKeyA(HKEY key, LPSTR keyClass, LPDWORD classLength, LPDWORD reserved,
                                       LPDWORD subKeys, LPDWORD maxSubKeyLength, LPDWORD maxClassLength,
                                       LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                                       LPDWORD securityDescriptorSize, PFILETIME lastWriteTime) {
  return RegQueryInfoKey(key, keyClass, classLength, reserved, subKeys, maxSubKeyLength, maxClassLength, values,
                         maxValueNameLength, maxValueLength, securityDescriptorSize, lastWriteTime);
}

WINADVAPI LONG WINAPI RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD reserved,
                                    LPSTR keyClass, LPDWORD classLength, PFILETIME lastWriteTime) {
  return RegEnumKeyEx(key, index, name, nameLength, reserved, keyClass, classLength, lastWriteTime);
}

WINADVAPI LONG WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                       LPDWORD dataSize) {
  return RegQueryValueEx(key, valueName, reserved, type, data, dataSize);
}

}  // extern "C"
