// kernel32: files, directories, find, current directory. Every path is a Windows path and goes
// through the one mapping point of the stand-in (drive letters to host folders, either
// separator, case-insensitive component lookup).
#pragma once

#include "windef.h"
#include "winerror.h"

extern "C" {

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100
#define INVALID_FILE_ATTRIBUTES (static_cast<DWORD>(-1))
#define INVALID_FILE_SIZE (static_cast<DWORD>(0xFFFFFFFF))
#define INVALID_SET_FILE_POINTER (static_cast<DWORD>(-1))

#define GENERIC_READ 0x80000000
#define GENERIC_WRITE 0x40000000
#define GENERIC_EXECUTE 0x20000000
#define GENERIC_ALL 0x10000000
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define FILE_SHARE_DELETE 0x00000004
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_FLAG_WRITE_THROUGH 0x80000000
#define FILE_FLAG_RANDOM_ACCESS 0x10000000
#define FILE_FLAG_SEQUENTIAL_SCAN 0x08000000
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_COPY_ALLOWED 0x00000002
#define MOVEFILE_WRITE_THROUGH 0x00000008

typedef struct _WIN32_FIND_DATA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  CHAR cFileName[MAX_PATH];
  CHAR cAlternateFileName[14];
} WIN32_FIND_DATA, *PWIN32_FIND_DATA, *LPWIN32_FIND_DATA;
typedef WIN32_FIND_DATA WIN32_FIND_DATAA;

typedef struct _BY_HANDLE_FILE_INFORMATION {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD dwVolumeSerialNumber;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD nNumberOfLinks;
  DWORD nFileIndexHigh;
  DWORD nFileIndexLow;
} BY_HANDLE_FILE_INFORMATION, *LPBY_HANDLE_FILE_INFORMATION;

WINBASEAPI HANDLE WINAPI CreateFile(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                                    LPSECURITY_ATTRIBUTES security, DWORD creationDisposition,
                                    DWORD flagsAndAttributes, HANDLE templateFile);
WINBASEAPI BOOL WINAPI CloseHandle(HANDLE handle);
WINBASEAPI BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
                                void* overlapped);
WINBASEAPI BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
                                 void* overlapped);
WINBASEAPI DWORD WINAPI SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod);
WINBASEAPI BOOL WINAPI SetEndOfFile(HANDLE file);
WINBASEAPI BOOL WINAPI FlushFileBuffers(HANDLE file);
WINBASEAPI DWORD WINAPI GetFileSize(HANDLE file, LPDWORD sizeHigh);
WINBASEAPI BOOL WINAPI GetFileTime(HANDLE file, LPFILETIME creation, LPFILETIME lastAccess, LPFILETIME lastWrite);
WINBASEAPI BOOL WINAPI SetFileTime(HANDLE file, const FILETIME* creation, const FILETIME* lastAccess,
                                   const FILETIME* lastWrite);
WINBASEAPI BOOL WINAPI GetFileInformationByHandle(HANDLE file, LPBY_HANDLE_FILE_INFORMATION info);
WINBASEAPI BOOL WINAPI LockFile(HANDLE file, DWORD offsetLow, DWORD offsetHigh, DWORD lengthLow, DWORD lengthHigh);
WINBASEAPI BOOL WINAPI UnlockFile(HANDLE file, DWORD offsetLow, DWORD offsetHigh, DWORD lengthLow,
                                  DWORD lengthHigh);

WINBASEAPI DWORD WINAPI GetFileAttributes(LPCSTR fileName);
WINBASEAPI BOOL WINAPI SetFileAttributes(LPCSTR fileName, DWORD attributes);
WINBASEAPI BOOL WINAPI CopyFile(LPCSTR existingFileName, LPCSTR newFileName, BOOL failIfExists);
WINBASEAPI BOOL WINAPI MoveFile(LPCSTR existingFileName, LPCSTR newFileName);
WINBASEAPI BOOL WINAPI MoveFileEx(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags);
WINBASEAPI BOOL WINAPI DeleteFile(LPCSTR fileName);
WINBASEAPI BOOL WINAPI CreateDirectory(LPCSTR pathName, LPSECURITY_ATTRIBUTES security);
WINBASEAPI BOOL WINAPI RemoveDirectory(LPCSTR pathName);
WINBASEAPI HANDLE WINAPI FindFirstFile(LPCSTR fileName, LPWIN32_FIND_DATA findData);
WINBASEAPI BOOL WINAPI FindNextFile(HANDLE find, LPWIN32_FIND_DATA findData);
WINBASEAPI BOOL WINAPI FindClose(HANDLE find);
WINBASEAPI DWORD WINAPI GetCurrentDirectory(DWORD bufferLength, LPSTR buffer);
WINBASEAPI BOOL WINAPI SetCurrentDirectory(LPCSTR pathName);
WINBASEAPI DWORD WINAPI GetFullPathName(LPCSTR fileName, DWORD bufferLength, LPSTR buffer, LPSTR* filePart);
WINBASEAPI DWORD WINAPI GetTempPath(DWORD bufferLength, LPSTR buffer);
WINBASEAPI UINT WINAPI GetTempFileName(LPCSTR pathName, LPCSTR prefix, UINT unique, LPSTR tempFileName);
WINBASEAPI UINT WINAPI GetWindowsDirectory(LPSTR buffer, UINT size);
WINBASEAPI UINT WINAPI GetSystemDirectory(LPSTR buffer, UINT size);

}  // extern "C"
