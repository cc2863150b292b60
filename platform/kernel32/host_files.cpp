// The host side of the file stand-in (see host_files.h): POSIX calls, errno mapped to the Win32
// error Windows reports for the same condition.
#include "host_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "winerror.h"

namespace kernel32::host {
namespace {

constexpr uint64_t kEpochDifference = 11644473600ULL;  // seconds from 1601-01-01 to 1970-01-01

// Win32 calls leave the C run-time's errno alone on Windows; the host calls behind them must
// not change it either.
struct KeepErrno {
  int saved = errno;
  ~KeepErrno() { errno = saved; }
};

uint32_t FromErrno(int error) {
  switch (error) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    case EBUSY: return ERROR_BUSY;
    case EROFS: return ERROR_WRITE_PROTECT;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EIO: return ERROR_GEN_FAILURE;
    default: return ERROR_GEN_FAILURE;
  }
}

uint32_t LastError() { return FromErrno(errno); }

uint64_t ToFileTime(const timespec& t) {
  return (static_cast<uint64_t>(t.tv_sec) + kEpochDifference) * 10000000ULL +
         static_cast<uint64_t>(t.tv_nsec) / 100;
}

timespec FromFileTime(uint64_t ft) {
  timespec t{};
  const uint64_t seconds = ft / 10000000ULL;
  // Times before 1970 clamp to the epoch: the host's time_t could hold them, but nothing the
  // system writes is that old and the clamp keeps the arithmetic unsigned.
  t.tv_sec = seconds > kEpochDifference ? static_cast<time_t>(seconds - kEpochDifference) : 0;
  t.tv_nsec = static_cast<long>((ft % 10000000ULL) * 100);
  return t;
}

void Fill(const struct stat& st, FileStat& out) {
  out.directory = S_ISDIR(st.st_mode);
  out.ownerWritable = (st.st_mode & S_IWUSR) != 0;
  out.size = out.directory ? 0 : static_cast<uint64_t>(st.st_size);
  out.device = static_cast<uint64_t>(st.st_dev);
  out.inode = static_cast<uint64_t>(st.st_ino);
  out.links = static_cast<uint64_t>(st.st_nlink);
  out.creationTime = ToFileTime(st.st_ctim);
  out.accessTime = ToFileTime(st.st_atim);
  out.writeTime = ToFileTime(st.st_mtim);
}

}  // namespace

bool WriteTimeSettled(const FileStat& directory) {
  // FILETIME ticks of the host clock; 200 ms is far above any file system's time-stamp granularity.
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const uint64_t ticks =
      static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() / 100) +
      116444736000000000ULL;
  return directory.writeTime + 2000000ULL < ticks;
}

uint32_t Stat(const std::string& path, FileStat& out) {
  KeepErrno keep;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return LastError();
  Fill(st, out);
  return ERROR_SUCCESS;
}

bool Exists(const std::string& path) {
  KeepErrno keep;
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

uint32_t ListDirectory(const std::string& path, std::vector<std::string>& names) {
  KeepErrno keep;
  names.clear();
  DIR* dir = ::opendir(path.c_str());
  if (!dir) return LastError();
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return ERROR_SUCCESS;
}

uint32_t Open(const std::string& path, const OpenRequest& request, int& fd) {
  KeepErrno keep;
  int flags = O_CLOEXEC;
  if (request.read && request.write)
    flags |= O_RDWR;
  else if (request.write)
    flags |= O_WRONLY;
  else
    flags |= O_RDONLY;
  if (request.create) flags |= O_CREAT;
  if (request.exclusive) flags |= O_EXCL;
  if (request.truncate) flags |= O_TRUNC;
  const mode_t mode = request.readOnly ? 0444 : 0644;
  fd = ::open(path.c_str(), flags, mode);
  if (fd < 0) {
    const int error = errno;
    return error == EEXIST ? ERROR_FILE_EXISTS : FromErrno(error);
  }
  return ERROR_SUCCESS;
}

uint32_t Close(int fd) {
  KeepErrno keep;
  return ::close(fd) == 0 ? ERROR_SUCCESS : LastError();
}

uint32_t ReadAt(int fd, void* buffer, uint32_t size, uint64_t offset, uint32_t& done) {
  KeepErrno keep;
  done = 0;
  auto* bytes = static_cast<char*>(buffer);
  while (done < size) {
    const ssize_t n = ::pread(fd, bytes + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno == EISDIR ? ERROR_INVALID_FUNCTION : ERROR_READ_FAULT;
    }
    if (n == 0) break;
    done += static_cast<uint32_t>(n);
  }
  return ERROR_SUCCESS;
}

uint32_t WriteAt(int fd, const void* buffer, uint32_t size, uint64_t offset, uint32_t& done) {
  KeepErrno keep;
  done = 0;
  const auto* bytes = static_cast<const char*>(buffer);
  while (done < size) {
    const ssize_t n = ::pwrite(fd, bytes + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return (errno == ENOSPC || errno == EDQUOT) ? ERROR_DISK_FULL : ERROR_WRITE_FAULT;
    }
    done += static_cast<uint32_t>(n);
  }
  return ERROR_SUCCESS;
}

uint32_t Truncate(int fd, uint64_t size) {
  KeepErrno keep;
  return ::ftruncate(fd, static_cast<off_t>(size)) == 0 ? ERROR_SUCCESS : LastError();
}

uint32_t Sync(int fd) {
  KeepErrno keep;
  return ::fsync(fd) == 0 ? ERROR_SUCCESS : LastError();
}

uint32_t StatHandle(int fd, FileStat& out) {
  KeepErrno keep;
  struct stat st {};
  if (::fstat(fd, &st) != 0) return LastError();
  Fill(st, out);
  return ERROR_SUCCESS;
}

uint32_t SetTimes(int fd, std::optional<uint64_t> accessTime, std::optional<uint64_t> writeTime) {
  KeepErrno keep;
  timespec times[2];
  times[0] = accessTime ? FromFileTime(*accessTime) : timespec{0, UTIME_OMIT};
  times[1] = writeTime ? FromFileTime(*writeTime) : timespec{0, UTIME_OMIT};
  return ::futimens(fd, times) == 0 ? ERROR_SUCCESS : LastError();
}

uint32_t Unlink(const std::string& path) {
  KeepErrno keep;
  return ::unlink(path.c_str()) == 0 ? ERROR_SUCCESS : LastError();
}

uint32_t Rename(const std::string& from, const std::string& to) {
  KeepErrno keep;
  return ::rename(from.c_str(), to.c_str()) == 0 ? ERROR_SUCCESS : LastError();
}

uint32_t MakeDirectory(const std::string& path) {
  KeepErrno keep;
  return ::mkdir(path.c_str(), 0755) == 0 ? ERROR_SUCCESS : LastError();
}

uint32_t RemoveDirectory(const std::string& path) {
  KeepErrno keep;
  if (::rmdir(path.c_str()) == 0) return ERROR_SUCCESS;
  return errno == EEXIST ? ERROR_DIR_NOT_EMPTY : LastError();
}

uint32_t SetWritable(const std::string& path, bool writable) {
  KeepErrno keep;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return LastError();
  mode_t mode = st.st_mode & 07777;
  mode = writable ? (mode | S_IWUSR) : (mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH));
  return ::chmod(path.c_str(), mode) == 0 ? ERROR_SUCCESS : LastError();
}

uint32_t CopyContents(const std::string& from, const std::string& to) {
  KeepErrno keep;
  struct stat st {};
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return LastError();
  if (::fstat(in, &st) != 0) {
    const uint32_t error = LastError();
    ::close(in);
    return error;
  }
  const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (out < 0) {
    const uint32_t error = LastError();
    ::close(in);
    return error;
  }
  uint32_t error = ERROR_SUCCESS;
  char buffer[64 * 1024];
  uint64_t offset = 0;
  for (;;) {
    uint32_t got = 0, put = 0;
    error = ReadAt(in, buffer, sizeof buffer, offset, got);
    if (error != ERROR_SUCCESS || got == 0) break;
    error = WriteAt(out, buffer, got, offset, put);
    if (error != ERROR_SUCCESS) break;
    offset += got;
  }
  if (error == ERROR_SUCCESS) {
    // Windows keeps the modification time and the read-only attribute of the source.
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(out, times) != 0) error = LastError();
    if (error == ERROR_SUCCESS && ::fchmod(out, st.st_mode & 07777) != 0) error = LastError();
  }
  if (::close(out) != 0 && error == ERROR_SUCCESS) error = LastError();
  ::close(in);
  return error;
}

std::string MakeTempFolder(const std::string& prefix) {
  KeepErrno keep;
  std::string pattern = TempDirectory() + "/" + prefix + "XXXXXX";
  if (!::mkdtemp(pattern.data())) return {};
  return pattern;
}

void RemoveTree(const std::string& path) {
  KeepErrno keep;
  namespace fs = std::filesystem;
  std::error_code ignored;
  // A folder without write bits (a read-only directory) would keep its entries from a user
  // other than root; give them back first.
  for (fs::recursive_directory_iterator it(path, ignored), end; !ignored && it != end; it.increment(ignored))
    if (it->is_directory(ignored)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path, ignored);
}

std::string WorkingDirectory() {
  KeepErrno keep;
  std::error_code error;
  const auto cwd = std::filesystem::current_path(error);
  return error ? std::string("/") : Absolute(cwd.string());
}

std::string TempDirectory() {
  KeepErrno keep;
  std::error_code error;
  const auto tmp = std::filesystem::temp_directory_path(error);
  return error ? std::string("/tmp") : Absolute(tmp.string());
}

std::string Absolute(const std::string& path) {
  KeepErrno keep;
  std::filesystem::path p(path);
  if (p.is_relative()) {
    std::error_code error;
    p = std::filesystem::current_path(error) / p;
  }
  std::string out = p.lexically_normal().string();
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

}  // namespace kernel32::host
