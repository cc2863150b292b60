// The kernel objects of the file stand-in: open files and find searches, and the sharing rules
// between open files of the process.
#pragma once

#include <windows.h>

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "host_files.h"
#include "kernel_handles.h"
#include "winpath.h"

namespace kernel32::files {

// Everything the file stand-in puts in the handle table (closed on sandbox::Reset()).
class FileSystemObject : public KernelObject {};

class OpenFile : public FileSystemObject {
 public:
  ~OpenFile() override {
    if (fd >= 0) host::Close(fd);
  }
  int fd = -1;
  bool canRead = false, canWrite = false;
  DWORD share = 0;
  winpath::WinPath path;
  std::string failureKey;  // FailureKey(path), made by the first injection check that needs it
  std::string host;
  uint64_t device = 0, inode = 0;

  std::mutex lock;  // guards the members below
  uint64_t position = 0;
  bool written = false;   // data or size changed since the last SetFileTime
  // SetFileTime fixed the write time: later writes through this handle do not move it (the
  // host would, so it is put back when the handle closes).
  std::optional<uint64_t> fixedWriteTime;
};

class FindSearch : public FileSystemObject {
 public:
  bool ClosedByCloseHandle() const override { return false; }
  std::mutex lock;
  std::vector<WIN32_FIND_DATA> entries;
  size_t next = 0;
};

// What a new opener of a file wants and lets others do.
struct ShareRequest {
  bool read = false, write = false, remove = false;
  DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
};
// ERROR_SHARING_VIOLATION when an open handle of the file (device, inode) does not share what
// the request wants, or holds access the request does not share; else ERROR_SUCCESS.
DWORD CheckSharing(uint64_t device, uint64_t inode, const ShareRequest& request);
// True when a file under host folder `folder` is open (Windows refuses to move or remove it).
bool AnyOpenUnder(const std::string& folder);
size_t CountFileSystemHandles();
void CloseAllFileSystemHandles();

}  // namespace kernel32::files
