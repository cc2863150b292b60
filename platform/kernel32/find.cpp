// kernel32 find: FindFirstFile/FindNextFile/FindClose over one directory.
//
// Results come in a fixed order, sorted by case-insensitive name, with "." and ".." first in a
// directory that is not a root (when the pattern matches them); the listing is taken when the
// search starts. Wildcards follow the Windows rules (see names::MatchesWildcard). Not modelled:
// 8.3 short names (a pattern never matches through a short name, cAlternateFileName is empty),
// and host names Windows could not hold (forbidden characters, or characters the code page
// cannot write) are left out rather than shown garbled.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "file_mapping.h"
#include "file_names.h"
#include "file_objects.h"
#include "sandbox/internal.h"

using namespace kernel32;
using namespace kernel32::files;

namespace {

struct Entry {
  std::u16string name;  // for matching and ordering
  WIN32_FIND_DATA data;
};

bool FillEntry(const std::string& ansiName, const host::FileStat& stat, Entry& entry) {
  if (ansiName.size() >= MAX_PATH) return false;
  entry.name = AnsiToUtf16(ansiName);
  WIN32_FIND_DATA& d = entry.data;
  std::memset(&d, 0, sizeof d);
  d.dwFileAttributes = AttributesOf(stat);
  d.ftCreationTime = ToFileTime(stat.creationTime);
  d.ftLastAccessTime = ToFileTime(stat.accessTime);
  d.ftLastWriteTime = ToFileTime(stat.writeTime);
  d.nFileSizeHigh = static_cast<DWORD>(stat.size >> 32);
  d.nFileSizeLow = static_cast<DWORD>(stat.size);
  std::memcpy(d.cFileName, ansiName.c_str(), ansiName.size() + 1);
  return true;
}

bool IsDotName(const std::u16string& name) { return name == u"." || name == u".."; }

}  // namespace

extern "C" {

// FindFirstFile: no match -> ERROR_FILE_NOT_FOUND; a directory that does not exist ->
// ERROR_PATH_NOT_FOUND; a pattern ending in a separator -> ERROR_FILE_NOT_FOUND.
WINBASEAPI HANDLE WINAPI FindFirstFile(LPCSTR fileName, LPWIN32_FIND_DATA findData) {
  if (fileName == nullptr || findData == nullptr) return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  if (*fileName == '\0') return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
  auto [folderText, patternText] = winpath::SplitLast(fileName, LeadBytes());
  if (patternText.empty()) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
  // The pattern may hold wildcards but no other character Windows forbids in a name.
  std::string withoutWildcards = patternText;
  std::replace(withoutWildcards.begin(), withoutWildcards.end(), '*', 'x');
  std::replace(withoutWildcards.begin(), withoutWildcards.end(), '?', 'x');
  if (!winpath::IsValidComponent(withoutWildcards, LeadBytes()) && patternText != "." && patternText != "..")
    return Fail(ERROR_INVALID_NAME, INVALID_HANDLE_VALUE);

  std::vector<Entry> entries;
  {
    std::lock_guard<std::recursive_mutex> g(StateLock());
    std::optional<winpath::WinPath> folderPath =
        folderText.empty() ? std::optional<winpath::WinPath>(CurrentDirectory()) : ParsePath(folderText.c_str(), "FindFirstFile");
    if (!folderPath) return INVALID_HANDLE_VALUE;
    // The call as the record shows it: the folder and the pattern.
    const std::string shown = folderPath->components.empty() ? folderPath->ToString() + patternText
                                                             : folderPath->ToString() + "\\" + patternText;
    const std::u16string pattern = AnsiToUtf16(patternText);
    const bool wildcards = patternText.find_first_of("*?") != std::string::npos;
    if (!wildcards && patternText != "." && patternText != "..") {
      // A plain name finds at most one entry: the mapping point resolves it (exact name, else the
      // case-insensitive match) without listing and examining the whole directory, and the folder
      // with it (a missing one fails the mapping).
      winpath::WinPath target = *folderPath;
      target.components.push_back(patternText);
      auto found = MapParsed(target);
      if (!found) return INVALID_HANDLE_VALUE;
      if (InjectedFailure(FileCallSite{.operation = "find", .path = *folderPath, .shown = &shown}))
        return INVALID_HANDLE_VALUE;
      Entry entry;
      if (!found->exists) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
      const std::string hostName = found->host.substr(found->host.find_last_of('/') + 1);
      if (!FillEntry(HostToAnsi(hostName), found->stat, entry)) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
      entries.push_back(std::move(entry));
    } else {
      auto folder = MapParsed(*folderPath);
      if (!folder) return INVALID_HANDLE_VALUE;
      if (!folder->exists || !folder->stat.directory) return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
      if (InjectedFailure(FileCallSite{.operation = "find", .path = folder->windows, .shown = &shown}))
        return INVALID_HANDLE_VALUE;
      std::vector<std::string> names;
      if (DWORD error = host::ListDirectory(folder->host, names); error != ERROR_SUCCESS)
        return Fail(error, INVALID_HANDLE_VALUE);
      const std::string prefix = folder->host == "/" ? "" : folder->host;
      // The name is matched before the entry is examined on the host, so a search costs one host
      // look-up per match, not per directory entry.
      auto add = [&](const std::string& ansiName, const std::string& hostPath) {
        if (!names::MatchesWildcard(pattern, AnsiToUtf16(ansiName))) return;
        host::FileStat stat;
        Entry entry;
        if (host::Stat(hostPath, stat) == ERROR_SUCCESS && FillEntry(ansiName, stat, entry))
          entries.push_back(std::move(entry));
      };
      if (!folder->windows.components.empty()) {
        add(".", folder->host);
        add("..", folder->host + "/..");
      }
      for (const auto& name : names) {
        const std::string ansi = HostToAnsi(name);
        // Left out: names Windows cannot hold, and names the code page cannot spell (they would
        // come back with '?' in place of a character and open nothing).
        if (!winpath::IsValidComponent(ansi, LeadBytes()) || AnsiToHost(ansi) != name) continue;
        add(ansi, prefix + "/" + name);
      }
    }
  }
  if (entries.empty()) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    if (IsDotName(a.name) || IsDotName(b.name)) return IsDotName(a.name) && (!IsDotName(b.name) || a.name < b.name);
    return names::LessNoCase(a.name, b.name);
  });

  auto search = std::make_shared<FindSearch>();
  for (auto& e : entries) search->entries.push_back(e.data);
  *findData = search->entries[0];
  search->next = 1;
  HANDLE handle = InsertHandle(std::move(search));
  SetLastError(ERROR_SUCCESS);
  return handle;
}

// FindNextFile: the next entry; after the last, FALSE with ERROR_NO_MORE_FILES.
WINBASEAPI BOOL WINAPI FindNextFile(HANDLE find, LPWIN32_FIND_DATA findData) {
  auto search = LookupHandleAs<FindSearch>(find);
  if (!search) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (findData == nullptr) return Fail(ERROR_NOACCESS, FALSE);
  std::lock_guard<std::mutex> g(search->lock);
  if (search->next >= search->entries.size()) return Fail(ERROR_NO_MORE_FILES, FALSE);
  *findData = search->entries[search->next++];
  return TRUE;
}

// FindClose: only a find handle (a file handle -> ERROR_INVALID_HANDLE).
WINBASEAPI BOOL WINAPI FindClose(HANDLE find) {
  if (!RemoveHandle(find, [](KernelObject& o) { return dynamic_cast<FindSearch*>(&o) != nullptr; }))
    return Fail(ERROR_INVALID_HANDLE, FALSE);
  return TRUE;
}

}  // extern "C"
