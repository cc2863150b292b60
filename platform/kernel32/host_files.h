// The host side of the file stand-in: every POSIX and std::filesystem call on host paths lives
// behind this header. Paths here are host paths (UTF-8, '/'); results are Win32 error codes
// (0 for success) mapped from errno, so callers never see errno.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kernel32::host {

struct FileStat {
  bool directory = false;
  bool ownerWritable = true;  // S_IWUSR: Windows' read-only attribute is its absence
  uint64_t size = 0;
  uint64_t device = 0, inode = 0, links = 1;
  // FILETIME scale: 100-nanosecond intervals since 1601-01-01 UTC.
  uint64_t creationTime = 0, accessTime = 0, writeTime = 0;
};

// Stat of a path (symbolic links followed). ERROR_FILE_NOT_FOUND when it does not exist,
// ERROR_PATH_NOT_FOUND when a parent is not a directory.
uint32_t Stat(const std::string& path, FileStat& out);
bool Exists(const std::string& path);

// The names in a directory, without "." and "..", in byte order.
uint32_t ListDirectory(const std::string& path, std::vector<std::string>& names);
// True when a directory's last-write time lies far enough behind the host clock that any later
// change to the directory must show as a different time, however coarse the file system's clock.
bool WriteTimeSettled(const FileStat& directory);

// Open flags: what CreateFile asked for, already decided against what exists.
struct OpenRequest {
  bool read = false, write = false;
  bool create = false;     // create when missing
  bool exclusive = false;  // fail when it exists (CREATE_NEW)
  bool truncate = false;
  bool readOnly = false;   // a newly created file gets no write bits
};
uint32_t Open(const std::string& path, const OpenRequest& request, int& fd);
uint32_t Close(int fd);
uint32_t ReadAt(int fd, void* buffer, uint32_t size, uint64_t offset, uint32_t& done);
uint32_t WriteAt(int fd, const void* buffer, uint32_t size, uint64_t offset, uint32_t& done);
uint32_t Truncate(int fd, uint64_t size);
uint32_t Sync(int fd);
uint32_t StatHandle(int fd, FileStat& out);
// Times in FILETIME scale; nullopt leaves that time as it is.
uint32_t SetTimes(int fd, std::optional<uint64_t> accessTime, std::optional<uint64_t> writeTime);

uint32_t Unlink(const std::string& path);
uint32_t Rename(const std::string& from, const std::string& to);
uint32_t MakeDirectory(const std::string& path);
uint32_t RemoveDirectory(const std::string& path);
// Sets or clears the owner-write bit (setting read-only clears every write bit).
uint32_t SetWritable(const std::string& path, bool writable);
// Copies the contents, the write bits and the modification time of `from` onto `to` (created or
// truncated).
uint32_t CopyContents(const std::string& from, const std::string& to);

// A fresh, empty folder under the host's temporary folder.
std::string MakeTempFolder(const std::string& prefix);
// Removes a folder and everything in it; errors are ignored (used for clean-up only).
void RemoveTree(const std::string& path);
// The host's working directory and temporary folder, absolute.
std::string WorkingDirectory();
std::string TempDirectory();
// Absolute (against the host's working directory) and lexically normal, without a trailing '/'
// except for "/" itself.
std::string Absolute(const std::string& path);

}  // namespace kernel32::host
