// Directory lists as Developer Studio keeps them: one string of directories separated by ";".
// Entries compare without regard to case (multi-byte) and to one trailing backslash. Every
// helper steps through the text by whole characters, so a double-byte character whose trail
// byte is 0x5C is never taken for a backslash.
#pragma once

#include <afx.h>

// Removes one trailing backslash.
void TrimTrailingBackslash(CString& text);
// Appends ";" to a non-empty list whose last character is not ";".
void EnsureTrailingSemicolon(CString& list);
// Whether an entry of the list equals dir.
BOOL PathListContains(LPCTSTR list, LPCTSTR dir);
// Appends dir (without its trailing backslash) unless the list holds it already.
void AppendToPathList(CString& list, LPCTSTR dir);
