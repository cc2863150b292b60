// POSIX side of registry persistence.
#include "host_registry_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace advapi32::host {
namespace {

std::string Describe(const std::string& what, const std::string& path, int error) {
  return what + " " + path + ": " + std::strerror(error);
}

// Closes the descriptor and removes the temporary unless released.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string pattern) : path_(std::move(pattern)) {
    std::vector<char> name(path_.begin(), path_.end());
    name.push_back('\0');
    fd_ = ::mkstemp(name.data());
    path_ = name.data();
  }
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!kept_) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int fd() const { return fd_; }
  const std::string& path() const { return path_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }
  void Keep() { kept_ = true; }

 private:
  std::string path_;
  int fd_ = -1;
  bool kept_ = false;
};

}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::string& content, std::string& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return ReadResult::Missing;
    error = Describe("cannot open", path, errno);
    return ReadResult::Failed;
  }
  content.clear();
  char buffer[65536];
  while (true) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      error = Describe("cannot read", path, errno);
      ::close(fd);
      return ReadResult::Failed;
    }
    if (got == 0) break;
    content.append(buffer, static_cast<size_t>(got));
  }
  ::close(fd);
  return ReadResult::Ok;
}

bool ReplaceFile(const std::string& path, const std::string& content, std::string& error) {
  TemporaryFile temp(path + ".XXXXXX");
  if (temp.fd() < 0) {
    error = Describe("cannot create a temporary file beside", path, errno);
    return false;
  }
  ::fchmod(temp.fd(), 0644);
  size_t written = 0;
  while (written < content.size()) {
    const ssize_t put = ::write(temp.fd(), content.data() + written, content.size() - written);
    if (put < 0) {
      if (errno == EINTR) continue;
      error = Describe("cannot write", temp.path(), errno);
      return false;
    }
    written += static_cast<size_t>(put);
  }
  if (::fsync(temp.fd()) != 0) {
    error = Describe("cannot flush", temp.path(), errno);
    return false;
  }
  if (!temp.Close()) {
    error = Describe("cannot close", temp.path(), errno);
    return false;
  }
  if (::rename(temp.path().c_str(), path.c_str()) != 0) {
    error = Describe("cannot replace", path, errno);
    return false;
  }
  temp.Keep();
  return true;
}

std::optional<std::string> RegistryFileFromEnvironment() {
  const char* value = std::getenv("SABLEWING_REGISTRY");
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

void PrintWarning(const std::string& message) { std::fprintf(stderr, "advapi32: %s\n", message.c_str()); }

}  // namespace advapi32::host
