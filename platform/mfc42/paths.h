// Path pieces the file classes hand out, split by character (a trail byte 0x5C is no separator).
#pragma once

#include <afx.h>

namespace mfc42 {

// The full path of a name (GetFullPathName); the name as given when it has none.
CString FullPath(LPCTSTR lpszFileName);
// The last component of a path ("dir\\name.ext" -> "name.ext").
CString FileNameOf(const CString& path);
// A file name without its extension ("name.ext" -> "name"; ".profile" stays).
CString TitleOf(const CString& fileName);
// Everything before the last separator ("C:\\dir\\x" -> "C:\\dir"; "C:\\x" -> "C:"); the path
// itself when it has no separator.
CString DirectoryOf(const CString& path);

}  // namespace mfc42
