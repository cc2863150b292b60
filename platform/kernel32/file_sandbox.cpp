// Sandbox control of the file stand-in (sandbox/files.h): drives, shares, the mapping for tests,
// injected failures, and the reset to the start state.
#include <algorithm>
#include <stdexcept>

#include "file_mapping.h"
#include "file_objects.h"
#include "file_state.h"
#include "sandbox/files.h"
#include "sandbox/internal.h"

namespace kernel32::files {
namespace {

void RemoveTemporaryFoldersLocked(FileState& s) {
  for (const auto& folder : s.tempDrives) host::RemoveTree(folder);
  s.tempDrives.clear();
  if (!s.tempFolder.empty()) host::RemoveTree(s.tempFolder);
  s.tempFolder.clear();
}

void ResetFiles() {
  CloseAllFileSystemHandles();
  std::lock_guard<std::recursive_mutex> g(StateLock());
  RemoveTemporaryFoldersLocked(State());
  State().ResetLocked();
}

char DriveLetter(char letter) {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') throw std::invalid_argument(std::string("not a drive letter: '") + letter + "'");
  return letter;
}

std::string ExistingFolder(const std::string& hostFolder, const char* what) {
  const std::string folder = host::Absolute(hostFolder);
  host::FileStat stat;
  if (hostFolder.empty() || host::Stat(folder, stat) != ERROR_SUCCESS || !stat.directory)
    throw std::invalid_argument(std::string(what) + ": host folder does not exist: \"" + hostFolder + "\"");
  return folder;
}

// Restores the caller's last error: the sandbox's own look-ups must not disturb what the code
// under test sees.
struct KeepLastError {
  DWORD saved = GetLastError();
  ~KeepLastError() { SetLastError(saved); }
};

const char* const kOperations[] = {"open", "read",  "write", "flush", "close",      "delete",
                                   "move", "copy",  "mkdir", "find",  "attributes", "*"};

void CheckOperation(const std::string& operation, const char* function) {
  if (std::find(std::begin(kOperations), std::end(kOperations), operation) == std::end(kOperations))
    throw std::invalid_argument(std::string(function) + ": unknown operation \"" + operation + "\"");
}

void AddNth(const std::string& operation, int n, uint32_t error, std::function<void()> action, const char* function) {
  CheckOperation(operation, function);
  if (n < 1) throw std::invalid_argument(std::string(function) + ": calls count from 1");
  std::lock_guard<std::recursive_mutex> g(StateLock());
  State().failures.push_back({"*", operation, error, 1, n - 1, std::move(action)});
  State().Watch();
}

struct Registration {
  Registration() { sandbox::internal::RegisterReset("kernel32.files", ResetFiles); }
  // Temporary drives do not outlive the process.
  ~Registration() {
    std::lock_guard<std::recursive_mutex> g(StateLock());
    RemoveTemporaryFoldersLocked(State());
  }
} g_registration;

}  // namespace
}  // namespace kernel32::files

namespace sandbox {

using namespace kernel32::files;

void MapDrive(char letter, const std::string& hostFolder) {
  const char drive = DriveLetter(letter);
  const std::string folder = ExistingFolder(hostFolder, "MapDrive");
  std::lock_guard<std::recursive_mutex> g(StateLock());
  State().map.drives[drive] = folder;
}

void UnmapDrive(char letter) {
  const char drive = DriveLetter(letter);
  std::lock_guard<std::recursive_mutex> g(StateLock());
  State().map.drives.erase(drive);
}

std::string MapTempDrive(char letter) {
  const char drive = DriveLetter(letter);
  const std::string folder = kernel32::host::MakeTempFolder(std::string("sablewing-drive-") + drive + "-");
  if (folder.empty()) throw std::runtime_error("MapTempDrive: cannot make a host temporary folder");
  std::lock_guard<std::recursive_mutex> g(StateLock());
  State().tempDrives.push_back(folder);
  State().map.drives[drive] = folder;
  return folder;
}

void MapUncShare(const std::string& serverShare, const std::string& hostFolder) {
  KeepLastError keep;
  const auto parsed = kernel32::winpath::Parse(serverShare, {}, LeadBytes());
  if (parsed.error != kernel32::winpath::kOk || !parsed.path.IsUnc() || !parsed.path.components.empty())
    throw std::invalid_argument("MapUncShare: not a \\\\server\\share name: \"" + serverShare + "\"");
  const std::string folder = ExistingFolder(hostFolder, "MapUncShare");
  std::lock_guard<std::recursive_mutex> g(StateLock());
  State().map.shares[kernel32::winpath::ShareKey(parsed.path.server, parsed.path.share)] = folder;
}

std::string HostPath(const std::string& windowsPath) {
  KeepLastError keep;
  auto parsed = kernel32::winpath::Parse(windowsPath, CurrentDirectory(), LeadBytes());
  if (parsed.error != kernel32::winpath::kOk) return {};
  auto mapped = MapParsed(parsed.path);
  if (mapped) return mapped->host;
  // A missing folder on the way: the found part as on disk, the rest as written.
  kernel32::winpath::WinPath found = parsed.path;
  std::vector<std::string> rest;
  while (!found.components.empty()) {
    rest.insert(rest.begin(), found.components.back());
    found.components.pop_back();
    if (auto base = MapParsed(found); base && base->exists) {
      std::string host = base->host == "/" ? "" : base->host;
      for (const auto& c : rest) host += "/" + AnsiToHost(c);
      return host;
    }
  }
  return {};
}

std::string WindowsPath(const std::string& hostPath) {
  KeepLastError keep;
  return WindowsFormOfHost(hostPath);
}

void InjectFileFailure(const std::string& windowsPath, const std::string& operation, uint32_t error, int count) {
  KeepLastError keep;
  CheckOperation(operation, "InjectFileFailure");
  auto parsed = kernel32::winpath::Parse(windowsPath, CurrentDirectory(), LeadBytes());
  if (parsed.error != kernel32::winpath::kOk)
    throw std::invalid_argument("InjectFileFailure: not a Windows path: \"" + windowsPath + "\"");
  if (count <= 0) return;
  std::lock_guard<std::recursive_mutex> g(StateLock());
  State().failures.push_back({FailureKey(parsed.path), operation, error, count, 0, {}});
  State().Watch();
}

void FailNthFileCall(const std::string& operation, int n, uint32_t error) {
  AddNth(operation, n, error, {}, "FailNthFileCall");
}

void BeforeNthFileCall(const std::string& operation, int n, std::function<void()> action) {
  if (!action) throw std::invalid_argument("BeforeNthFileCall: no action");
  AddNth(operation, n, ERROR_SUCCESS, std::move(action), "BeforeNthFileCall");
}

void RecordFileCalls(bool on) {
  std::lock_guard<std::recursive_mutex> g(StateLock());
  State().recording = on;
  State().Watch();
  if (on) State().calls.clear();
}

std::vector<FileCall> RecordedFileCalls() {
  std::lock_guard<std::recursive_mutex> g(StateLock());
  return State().calls;
}

void ClearFileFailures() {
  std::lock_guard<std::recursive_mutex> g(StateLock());
  State().failures.clear();
  State().Watch();
}

size_t OpenFileHandles() { return CountFileSystemHandles(); }

}  // namespace sandbox
