// The process-wide state of the file stand-in, shared by the mapping point and the sandbox
// control (file_sandbox.cpp). Every member is guarded by `lock`.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "sandbox/files.h"
#include "winpath.h"

namespace kernel32::files {

// One injected failure, or one action to run just before a call.
struct InjectedFileFailure {
  std::string key;        // FailureKey() of the Windows path, or "*" for any path
  std::string operation;  // "open", ..., or "*"
  DWORD error = 0;
  int count = 0;
  int skip = 0;                  // matching calls that go through before it acts
  std::function<void()> action;  // when set: run before the call, which then goes on
};

struct FileState {
  std::recursive_mutex lock;
  winpath::DriveMap map;
  winpath::WinPath current;
  std::vector<std::string> tempDrives;  // host folders made by MapTempDrive
  std::string tempFolder;               // GetTempPath's folder, made on first use
  std::vector<InjectedFileFailure> failures;
  bool recording = false;
  // What `failures` and `recording` hold, readable without the lock, for the check every file
  // call makes: Watch() sets them after each change of either.
  std::atomic<bool> failing{false};  // a failure or action is set
  std::atomic<bool> watched{false};  // that, or the calls are recorded
  void Watch() {
    failing = !failures.empty();
    watched = failing || recording;
  }
  std::vector<sandbox::FileCall> calls;  // while recording
  // The attributes the host cannot hold (HIDDEN, SYSTEM), per host file (device, inode).
  std::map<std::pair<uint64_t, uint64_t>, DWORD> keptAttributes;

  // Start state: Z: is "/", the current directory is the host's working directory, no failures,
  // no hidden or system files.
  // (Temporary folders and handles are cleaned up by the reset hook.)
  void ResetLocked();
  winpath::WinPath CurrentFromHost() const;
};

FileState& State();

}  // namespace kernel32::files
