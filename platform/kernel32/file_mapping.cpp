// The one mapping point (see file_mapping.h): Windows path -> root folder -> each component looked
// up on the host, and the state it works on.
#include "file_mapping.h"

#include <unordered_map>
#include <vector>

#include "file_names.h"
#include "file_state.h"
#include "sandbox/internal.h"

namespace kernel32::files {

FileState& State() {
  static FileState* state = [] {
    auto* s = new FileState;  // never destroyed: files may be touched during exit
    s->ResetLocked();
    return s;
  }();
  return *state;
}

void FileState::ResetLocked() {
  map = {};
  map.drives['Z'] = "/";
  current = CurrentFromHost();
  failures.clear();
  recording = false;
  Watch();
  calls.clear();
  keptAttributes.clear();
}

winpath::WinPath FileState::CurrentFromHost() const {
  const std::string cwd = host::WorkingDirectory();
  if (auto back = winpath::HostToWindows(cwd, map)) {
    winpath::WinPath path = back->root;
    for (const auto& c : back->hostComponents) path.components.push_back(HostToAnsi(c));
    return path;
  }
  winpath::WinPath root;
  root.drive = 'Z';
  return root;
}

DWORD AttributesOf(const host::FileStat& stat) {
  DWORD attributes = stat.directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  if (!stat.ownerWritable) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes | KeptAttributes(stat);
}

DWORD KeptAttributes(const host::FileStat& stat) {
  std::lock_guard<std::recursive_mutex> g(StateLock());
  const auto& kept = State().keptAttributes;
  const auto found = kept.find({stat.device, stat.inode});
  return found == kept.end() ? 0 : found->second;
}

void SetKeptAttributes(const host::FileStat& stat, DWORD attributes) {
  std::lock_guard<std::recursive_mutex> g(StateLock());
  auto& kept = State().keptAttributes;
  if ((attributes & kKeptAttributes) == 0)
    kept.erase({stat.device, stat.inode});
  else
    kept[{stat.device, stat.inode}] = attributes & kKeptAttributes;
}

bool FolderRefusesNewEntries(const Mapped& mapped) {
  const size_t slash = mapped.host.find_last_of('/');
  if (slash == std::string::npos) return false;
  host::FileStat folder;
  return host::Stat(slash == 0 ? std::string("/") : mapped.host.substr(0, slash), folder) == ERROR_SUCCESS &&
         !folder.ownerWritable;
}

FILETIME ToFileTime(uint64_t ticks) { return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}; }

std::recursive_mutex& StateLock() { return State().lock; }

winpath::LeadBytePredicate LeadBytes() {
  static const winpath::LeadBytePredicate lead = [](unsigned char b) { return IsDBCSLeadByte(b) != FALSE; };
  return lead;
}

namespace {

// ASCII is the same in every code page and in UTF-8 and UTF-16: most names need no conversion.
bool IsAscii(const std::string& text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

std::u16string AnsiToUtf16(const std::string& ansi) {
  if (ansi.empty()) return {};
  if (IsAscii(ansi)) return std::u16string(ansi.begin(), ansi.end());
  const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::u16string out(static_cast<size_t>(n > 0 ? n : 0), u'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), out.data(), n);
  return out;
}

std::string Utf16ToAnsi(const std::u16string& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                    nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0)
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string AnsiToHost(const std::string& ansi) {
  if (IsAscii(ansi)) return ansi;
  return names::Utf16ToUtf8(AnsiToUtf16(ansi));
}

namespace {

// The host path of a root's folder and the first `components` components of `path`, each
// spelled as written.
std::string HostAsWritten(std::string_view rootHost, const winpath::WinPath& path, size_t components) {
  if (rootHost == "/") rootHost = {};
  size_t length = rootHost.size();
  for (size_t i = 0; i < components; ++i) length += 1 + path.components[i].size();
  std::string host;
  host.reserve(length);  // exact for ASCII names
  host = rootHost;
  for (size_t i = 0; i < components; ++i) {
    const std::string& name = path.components[i];
    host += '/';
    if (IsAscii(name))
      host += name;
    else
      host += AnsiToHost(name);
  }
  return host;
}

}  // namespace

std::string HostToAnsi(const std::string& hostName) {
  if (IsAscii(hostName)) return hostName;
  return Utf16ToAnsi(names::Utf8ToUtf16(hostName));
}

std::string WindowsFormOfHost(const std::string& hostPath) {
  std::lock_guard<std::recursive_mutex> g(StateLock());
  auto back = winpath::HostToWindows(host::Absolute(hostPath), State().map);
  if (!back) return {};
  winpath::WinPath path = back->root;
  for (const auto& c : back->hostComponents) path.components.push_back(HostToAnsi(c));
  return path.ToString();
}

winpath::WinPath CurrentDirectory() {
  std::lock_guard<std::recursive_mutex> g(StateLock());
  return State().current;
}

void SetCurrentDirectoryPath(const winpath::WinPath& path) {
  std::lock_guard<std::recursive_mutex> g(StateLock());
  State().current = path;
  State().current.trailingSeparator = false;
}

std::optional<winpath::WinPath> ParsePath(LPCSTR path, const char* function, const winpath::ParseOptions& options) {
  if (path == nullptr) return Fail(ERROR_INVALID_PARAMETER, std::optional<winpath::WinPath>{});
  static const winpath::LeadBytePredicate lead = LeadBytes();
  winpath::ParseResult parsed;
  {
    // Against the current directory in place: most paths are absolute and never copy it.
    std::lock_guard<std::recursive_mutex> g(StateLock());
    parsed = winpath::Parse(path, State().current, lead, options);
  }
  if (parsed.error == winpath::kNotImplemented) {
    sandbox::internal::ReportUnmodelled((std::string(function) + " (" + parsed.reason + ")").c_str());
  }
  if (parsed.error != winpath::kOk) return Fail(parsed.error, std::optional<winpath::WinPath>{});
  return std::move(parsed.path);
}

namespace {

std::u16string Folded(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& c : folded) c = names::FoldCase(c);
  return folded;
}

// The case-insensitive index of one directory: folded name -> the first name in byte order.
struct DirectoryIndex {
  uint64_t device = 0, inode = 0, writeTime = 0;
  uint64_t lastUse = 0;
  std::unordered_map<std::u16string, std::string> byFoldedName;
};

// Looking up a name that does not exist lists its directory; a catalogue search makes thousands of
// such look-ups in one directory. The index of a directory is kept while the directory's identity
// and last-write time stay the same, and only when that time had settled when the index was made
// (so a change within one tick of a coarse file-system clock is never missed). At most 256 are
// kept; the one used least recently makes room, so that a search touching many small folders does
// not push out the large one it keeps coming back to. `dirStat` is the directory's status, just
// taken by the caller.
const std::string* CaseInsensitiveMatch(const std::string& dir, const host::FileStat& dirStat,
                                        const std::u16string& name) {
  static std::unordered_map<std::string, DirectoryIndex> indexes;  // under StateLock
  static uint64_t uses = 0;
  auto cached = indexes.find(dir);
  if (cached == indexes.end() || cached->second.device != dirStat.device || cached->second.inode != dirStat.inode ||
      cached->second.writeTime != dirStat.writeTime) {
    if (cached != indexes.end()) indexes.erase(cached);
    DirectoryIndex index{dirStat.device, dirStat.inode, dirStat.writeTime, 0, {}};
    std::vector<std::string> listed;
    if (host::ListDirectory(dir, listed) != ERROR_SUCCESS) return nullptr;
    for (const auto& entry : listed) index.byFoldedName.emplace(Folded(names::Utf8ToUtf16(entry)), entry);
    if (!host::WriteTimeSettled(dirStat)) {
      static DirectoryIndex scratch;  // too fresh to keep: answer from it once
      scratch = std::move(index);
      auto hit = scratch.byFoldedName.find(Folded(name));
      return hit == scratch.byFoldedName.end() ? nullptr : &hit->second;
    }
    if (indexes.size() >= 256) {
      auto oldest = indexes.begin();
      for (auto it = indexes.begin(); it != indexes.end(); ++it)
        if (it->second.lastUse < oldest->second.lastUse) oldest = it;
      indexes.erase(oldest);
    }
    cached = indexes.emplace(dir, std::move(index)).first;
  }
  cached->second.lastUse = ++uses;
  auto hit = cached->second.byFoldedName.find(Folded(name));
  return hit == cached->second.byFoldedName.end() ? nullptr : &hit->second;
}

// The host path of a name in `dir` (whose status is `dirStat`): the exact name when it exists, else
// the first name in byte order that matches case-insensitively. False when neither exists; `host`
// is then the name as written. `exactMissing` says the exact name was just looked for in vain.
// `matched`, when given, learns whether the name was found through the case-insensitive index.
bool FindInDirectory(const std::string& dir, const host::FileStat& dirStat, const std::string& component,
                     std::string& host, host::FileStat& stat, bool exactMissing = false, bool* matched = nullptr) {
  const std::string prefix = dir == "/" ? "" : dir;
  host = prefix + "/" + AnsiToHost(component);
  if (matched) *matched = false;
  if (!exactMissing && host::Stat(host, stat) == ERROR_SUCCESS) return true;
  if (const std::string* name = CaseInsensitiveMatch(dir, dirStat, AnsiToUtf16(component))) {
    if (host::Stat(prefix + "/" + *name, stat) == ERROR_SUCCESS) {
      host = prefix + "/" + *name;
      if (matched) *matched = true;
      return true;
    }
  }
  return false;
}

// Where the folders of recent look-ups were found, so that a run of look-ups in one folder whose
// path differs in case from the disk ("Include" for "include") walks it once. A folder's mapping
// depends only on the names in the folders where a component was matched case-insensitively: it
// stays right while each of them keeps its identity and last-write time (taken only once settled,
// as for the indexes) and the folder itself still exists. Keyed by the root's host folder and the
// components as written.
struct FolderMapping {
  std::string host;
  struct Matched {
    std::string dir;
    uint64_t device, inode, writeTime;
  };
  std::vector<Matched> matchedIn;
};

std::unordered_map<std::string, FolderMapping>& FolderMappings() {
  static std::unordered_map<std::string, FolderMapping> mappings;  // under StateLock
  return mappings;
}

std::string FolderKey(std::string_view rootHost, const winpath::WinPath& path, size_t components) {
  std::string key(rootHost);
  for (size_t i = 0; i < components; ++i) key += "\\" + path.components[i];
  return key;
}

// The host folder of the first `components` components, when a kept mapping still holds; its
// status in `folderStat`.
const std::string* KeptFolder(const std::string& key, host::FileStat& folderStat) {
  auto kept = FolderMappings().find(key);
  if (kept == FolderMappings().end()) return nullptr;
  for (const FolderMapping::Matched& m : kept->second.matchedIn) {
    host::FileStat dirStat;
    if (host::Stat(m.dir, dirStat) != ERROR_SUCCESS || dirStat.device != m.device || dirStat.inode != m.inode ||
        dirStat.writeTime != m.writeTime)
      return nullptr;
  }
  if (host::Stat(kept->second.host, folderStat) != ERROR_SUCCESS || !folderStat.directory) return nullptr;
  return &kept->second.host;
}

}  // namespace

std::optional<Mapped> MapParsed(const winpath::WinPath& path) {
  std::lock_guard<std::recursive_mutex> g(StateLock());
  const auto root = winpath::MapRoot(path, State().map);
  if (root.error != winpath::kOk) return Fail(root.error, std::optional<Mapped>{});

  Mapped mapped;
  mapped.windows = path;
  host::FileStat stat;
  const size_t count = path.components.size();
  std::string folderKey;
  // Most paths are written as they lie on disk: when the whole path exists as written, every
  // component is its own exact name, which is what the walk below would find one status call per
  // component later. Otherwise the folder is looked for as written, then as found last time, and
  // only the last name needs looking up.
  if (count > 0) {
    std::string folder = HostAsWritten(root.hostFolder, path, count - 1);
    std::string exact = folder + "/" + AnsiToHost(path.components.back());
    if (host::Stat(exact, stat) == ERROR_SUCCESS) {
      mapped.host = std::move(exact);
      mapped.exists = true;
      mapped.stat = stat;
      return mapped;
    }
    if (folder.empty()) folder = "/";
    host::FileStat folderStat;
    const std::string* found = nullptr;
    if (host::Stat(folder, folderStat) == ERROR_SUCCESS && folderStat.directory) {
      found = &folder;
    } else if (count > 1) {
      folderKey = FolderKey(root.hostFolder, path, count - 1);
      found = KeptFolder(folderKey, folderStat);
    }
    if (found != nullptr) {
      const bool exactMissing = found == &folder;  // the exact path was just looked for
      mapped.exists = FindInDirectory(*found, folderStat, path.components.back(), mapped.host, stat, exactMissing);
      if (mapped.exists) mapped.stat = stat;
      return mapped;
    }
  }

  std::string dir(root.hostFolder);
  if (host::Stat(dir, stat) != ERROR_SUCCESS || !stat.directory)
    return Fail(ERROR_PATH_NOT_FOUND, std::optional<Mapped>{});
  FolderMapping learnt;
  bool keepable = true;
  for (size_t i = 0; i < count; ++i) {
    const bool last = i + 1 == count;
    const host::FileStat dirStat = stat;
    std::string candidate;
    bool matched = false;
    if (!FindInDirectory(dir, dirStat, path.components[i], candidate, stat, false, &matched)) {
      if (!last) return Fail(ERROR_PATH_NOT_FOUND, std::optional<Mapped>{});
      mapped.host = candidate;
      mapped.exists = false;
      break;
    }
    if (!last && !stat.directory) return Fail(ERROR_PATH_NOT_FOUND, std::optional<Mapped>{});
    if (!last && matched) {
      learnt.matchedIn.push_back({dir, dirStat.device, dirStat.inode, dirStat.writeTime});
      keepable = keepable && host::WriteTimeSettled(dirStat);
    }
    if (last) {
      mapped.host = candidate;
      mapped.exists = true;
      mapped.stat = stat;
    } else {
      dir = candidate;
    }
  }
  if (!folderKey.empty() && keepable && !learnt.matchedIn.empty()) {
    if (FolderMappings().size() >= 256) FolderMappings().clear();
    learnt.host = dir;
    FolderMappings()[folderKey] = std::move(learnt);
  }
  if (count == 0) {
    mapped.host = dir;
    mapped.exists = true;
    mapped.stat = stat;
  }
  return mapped;
}

std::optional<Mapped> MapPath(LPCSTR path, const char* function) {
  auto parsed = ParsePath(path, function);
  if (!parsed) return std::nullopt;
  return MapParsed(*parsed);
}

std::optional<Mapped> OpenAsWritten(winpath::WinPath& path, const host::OpenRequest& request, int& fd) {
  fd = -1;
  if (path.components.empty() || request.create || request.truncate) return std::nullopt;
  std::lock_guard<std::recursive_mutex> g(StateLock());
  const auto root = winpath::MapRoot(path, State().map);
  if (root.error != winpath::kOk) return std::nullopt;
  Mapped mapped;
  mapped.host = HostAsWritten(root.hostFolder, path, path.components.size());
  if (host::Open(mapped.host, request, fd) != ERROR_SUCCESS) {
    fd = -1;
    return std::nullopt;
  }
  if (host::StatHandle(fd, mapped.stat) != ERROR_SUCCESS) {
    host::Close(fd);
    fd = -1;
    return std::nullopt;
  }
  mapped.windows = std::move(path);
  mapped.exists = true;
  return mapped;
}

std::string TempFolderHost() {
  std::lock_guard<std::recursive_mutex> g(StateLock());
  FileState& s = State();
  if (s.tempFolder.empty() || !host::Exists(s.tempFolder)) s.tempFolder = host::MakeTempFolder("sablewing-temp-");
  return s.tempFolder;
}

std::string FailureKey(const winpath::WinPath& path) {
  std::u16string text = AnsiToUtf16(path.ToString());
  for (char16_t& c : text) c = names::FoldCase(c);
  return names::Utf16ToUtf8(text);
}

namespace {
// Set while an action runs: what it does with files is neither recorded nor counted.
thread_local bool t_inAction = false;
}  // namespace

bool InjectedFailure(const FileCallSite& call) {
  if (t_inAction || !State().watched) return false;
  std::vector<std::function<void()>> actions;
  bool fails = false;
  DWORD error = ERROR_SUCCESS;
  {
    std::lock_guard<std::recursive_mutex> g(StateLock());
    FileState& s = State();
    if (!s.watched) return false;
    if (s.recording)
      s.calls.push_back({call.operation, call.shown ? *call.shown : call.path.ToString(),
                         call.target ? call.target->ToString() : std::string()});
    std::string ownKey, targetKey;
    const std::string* key = nullptr;
    auto& failures = s.failures;
    for (auto it = failures.begin(); it != failures.end();) {
      if (it->operation != call.operation && it->operation != "*") {
        ++it;
        continue;
      }
      if (it->key != "*") {
        if (key == nullptr) {
          std::string& made = call.key ? *call.key : ownKey;
          if (made.empty()) made = FailureKey(call.path);
          key = &made;
        }
        if (call.target && targetKey.empty()) targetKey = FailureKey(*call.target);
        if (it->key != *key && (!call.target || it->key != targetKey)) {
          ++it;
          continue;
        }
      }
      if (it->skip > 0) {
        --it->skip;
        ++it;
        continue;
      }
      if (it->action) {
        actions.push_back(std::move(it->action));
        it = failures.erase(it);
        continue;
      }
      if (fails) {  // one failure a call; the next one waits for the next call
        ++it;
        continue;
      }
      fails = true;
      error = it->error;
      if (--it->count <= 0)
        it = failures.erase(it);
      else
        ++it;
    }
    s.Watch();
  }
  for (auto& action : actions) {
    t_inAction = true;
    try {
      action();
    } catch (...) {
      t_inAction = false;
      throw;
    }
    t_inAction = false;
  }
  if (fails) SetLastError(error);
  return fails;
}

bool InjectionsSet() { return State().failing; }

bool InjectedFailure(const winpath::WinPath& path, const char* operation) {
  return InjectedFailure(FileCallSite{.operation = operation, .path = path});
}

bool InjectedFailure(const winpath::WinPath& source, const winpath::WinPath& target, const char* operation) {
  return InjectedFailure(FileCallSite{.operation = operation, .path = source, .target = &target});
}

}  // namespace kernel32::files
