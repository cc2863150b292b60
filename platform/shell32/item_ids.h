// The item identifier lists this shell hands out: one item holding a file-system folder's full
// Windows path, behind a signature that tells them from lists it did not make.
#pragma once

#include <shlobj.h>

#include <optional>
#include <string>

namespace shell32 {

// A new list in task-allocator memory naming `path`; NULL when out of memory.
LPITEMIDLIST MakeFolderIdList(const std::string& path);
// The path a list of ours names; nullopt for a list we did not make.
std::optional<std::string> FolderPathOf(LPCITEMIDLIST pidl);
// True for the empty list (the desktop), which names no file-system folder of ours.
bool IsEmptyIdList(LPCITEMIDLIST pidl);

}  // namespace shell32
