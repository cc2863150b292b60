// Entries of Developer Studio's Tools menu, kept per user under
// HKEY_CURRENT_USER\SOFTWARE\Microsoft\DevStudio\6.0\Tools: "NumTools" (REG_DWORD) entries numbered
// from 0, each a set of values named "<field>#<n>". Menu names compare exactly (case-sensitive).
#pragma once

#include <afx.h>

// Adds an entry at the end of the menu, unless one of that menu name is there already (TRUE,
// nothing written). FALSE when the Tools key cannot be opened, "NumTools" cannot be read, or a
// value cannot be written; "NumTools" grows only once the whole entry is written.
BOOL AddToolsMenuEntry(LPCTSTR name, LPCTSTR pathName, LPCTSTR defaultArguments, LPCTSTR initialDirectory);
// Removes the first entry of that menu name, moving every later entry down by one; TRUE when
// there is none. FALSE when the Tools key cannot be opened, "NumTools" cannot be read, its values
// cannot be listed or an entry cannot be moved. "NumTools" shrinks only once every later entry has
// moved, so a failure loses no entry.
BOOL RemoveToolsMenuEntry(LPCTSTR name);
