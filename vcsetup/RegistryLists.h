// Registry strings and directory lists, read and written through the Windows registry functions.
#pragma once

#include <afx.h>

// Reads the value's data into out, whatever its type, and never past what is stored (data
// without a NUL still ends there). A missing value empties out: FALSE.
BOOL QueryRegString(HKEY key, LPCTSTR name, CString& out);
// Opens root\subKey for reading (never creating it) and reads the value as QueryRegString does;
// FALSE, out empty, when the key or the value is missing.
BOOL ReadRegString(HKEY root, LPCTSTR subKey, LPCTSTR name, CString& out);
// Adds dir to the directory list in the value (empty when missing) of root\subKey, which must
// exist, and writes the list back as REG_SZ. FALSE when the key is missing or the write fails.
BOOL AddDirToRegList(HKEY root, LPCTSTR subKey, LPCTSTR name, LPCTSTR dir);
