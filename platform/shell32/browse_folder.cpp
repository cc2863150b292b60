// SHBrowseForFolder and SHGetPathFromIDList: the folder browser is a modal moment answered by the
// sandbox's scripted user (kind "BrowseForFolder"; the answer's text is the folder's Windows path,
// IDOK chooses it and IDCANCEL cancels).
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "item_ids.h"
#include "sandbox/internal.h"

namespace {

constexpr UINT kUnmodelledFlags = BIF_BROWSEFORCOMPUTER | BIF_BROWSEFORPRINTER | BIF_BROWSEINCLUDEFILES;

// The byte offset of every character of `text` in the process code page, so that a trail byte
// 0x5C is never taken for a separator.
std::vector<size_t> CharacterStarts(const std::string& text) {
  std::vector<size_t> starts;
  for (const char* p = text.c_str(); *p != '\0'; p = CharNext(p)) starts.push_back(static_cast<size_t>(p - text.c_str()));
  return starts;
}

bool IsSeparatorAt(const std::string& text, size_t offset) { return text[offset] == '\\' || text[offset] == '/'; }

// A tree of folders offers only full paths: "X:\..." or "\\server\share...".
bool IsFullPath(const std::string& path) {
  const bool drive = path.size() >= 3 && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') && path[1] == ':' &&
                     IsSeparatorAt(path, 2);
  const bool unc = path.size() >= 3 && IsSeparatorAt(path, 0) && IsSeparatorAt(path, 1) && !IsSeparatorAt(path, 2);
  return drive || unc;
}

// The folder as the browser reports it: full, with backslashes, "." and ".." resolved, and no
// trailing backslash except on a drive root ("C:\"). Empty when it cannot be formed.
std::string CanonicalFolder(const std::string& answer) {
  char buffer[MAX_PATH];
  const DWORD length = GetFullPathName(answer.c_str(), sizeof buffer, buffer, NULL);
  if (length == 0 || length >= sizeof buffer) return std::string();
  std::string path(buffer, length);
  // A drive root keeps its backslash; the last character must be a backslash of its own, not the
  // trail byte of a double-byte character.
  while (path.size() > 3 && CharPrev(path.c_str(), path.c_str() + path.size()) == path.c_str() + path.size() - 1 &&
         path.back() == '\\')
    path.pop_back();
  return path;
}

// The last component of a folder path; a drive root gives its drive ("C:").
std::string DisplayNameOf(const std::string& folder) {
  size_t start = 0;
  for (size_t offset : CharacterStarts(folder))
    if (folder[offset] == '\\' && offset + 1 < folder.size()) start = offset + 1;
  std::string name = folder.substr(start);
  if (name.size() == 3 && name[1] == ':') name.pop_back();
  return name;
}

bool IsExistingFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributes(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

extern "C" {

// SHBrowseForFolder: asks the scripted user; the chosen folder becomes a new item identifier list
// (freed by the caller through the shell allocator), its display name goes to pszDisplayName.
// A cancel, or a path that the dialog could not have offered (not a full path of an existing
// folder), returns NULL; the latter is also reported as a faulty script. Browsing from a root
// folder, for computers, printers or files, and the callback are not modelled.
SHSTDAPI_(LPITEMIDLIST) SHBrowseForFolder(LPBROWSEINFO lpbi) {
  if (lpbi == NULL) {
    sandbox::internal::Fail("SHBrowseForFolder: NULL BROWSEINFO (the platform faults)");
    return NULL;
  }
  if (lpbi->pidlRoot != NULL || lpbi->lpfn != NULL || (lpbi->ulFlags & kUnmodelledFlags) != 0)
    STANDIN_UNMODELLED_RETURN(NULL);

  sandbox::Modal modal;
  modal.kind = "BrowseForFolder";
  modal.caption = "Browse for Folder";
  modal.text = lpbi->lpszTitle ? lpbi->lpszTitle : "";
  modal.style = lpbi->ulFlags;
  const sandbox::Answer answer = sandbox::internal::Ask(modal, IDCANCEL);
  if (answer.action) answer.action(nullptr);  // the browser is no window of ours
  if (answer.result == IDCANCEL) return NULL;
  if (answer.result != IDOK) {
    sandbox::internal::Fail("BrowseForFolder: the scripted answer " + std::to_string(answer.result) +
                            " is neither IDOK nor IDCANCEL");
    return NULL;
  }
  const std::string folder = IsFullPath(answer.text) ? CanonicalFolder(answer.text) : std::string();
  if (folder.empty() || !IsExistingFolder(folder)) {
    sandbox::internal::Fail("BrowseForFolder: the dialog offers no folder \"" + answer.text +
                            "\" (not a full path of an existing folder)");
    return NULL;
  }
  LPITEMIDLIST pidl = shell32::MakeFolderIdList(folder);
  if (pidl != NULL && lpbi->pszDisplayName != NULL) {
    const std::string name = DisplayNameOf(folder);
    lstrcpyn(lpbi->pszDisplayName, name.c_str(), MAX_PATH);
  }
  if (pidl != NULL) lpbi->iImage = 0;  // no system image list exists; every folder has image 0
  return pidl;
}

// SHGetPathFromIDList: the file-system path of a list this shell made; FALSE (pszPath emptied)
// for NULL or for a list that names no folder of the file system.
SHSTDAPI_(BOOL) SHGetPathFromIDList(LPCITEMIDLIST pidl, LPSTR pszPath) {
  if (pszPath == NULL) {
    sandbox::internal::Fail("SHGetPathFromIDList: NULL path buffer (the platform faults)");
    return FALSE;
  }
  pszPath[0] = '\0';
  if (shell32::IsEmptyIdList(pidl)) STANDIN_UNMODELLED_RETURN(FALSE);  // the desktop's own folder
  const std::optional<std::string> path = shell32::FolderPathOf(pidl);
  if (!path || path->size() >= MAX_PATH) return FALSE;
  std::memcpy(pszPath, path->c_str(), path->size() + 1);
  return TRUE;
}

}  // extern "C"
