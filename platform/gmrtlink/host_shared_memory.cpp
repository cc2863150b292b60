// POSIX shared memory under the boards: shm_open, ftruncate (which zero-fills), mmap.
#include "host_shared_memory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace gmrtboard::host {

unsigned char* MapShared(const std::string& name, size_t size, std::string& why) {
  const int fd = shm_open(name.c_str(), O_RDWR | O_CREAT, 0600);
  if (fd < 0) {
    why = "shm_open(" + name + "): " + std::strerror(errno);
    return nullptr;
  }
  struct stat info {};
  // Only the process that made the block sizes it; a block of the right size is left alone.
  if (fstat(fd, &info) != 0 || (static_cast<size_t>(info.st_size) != size && ftruncate(fd, static_cast<off_t>(size)) != 0)) {
    why = "sizing " + name + ": " + std::strerror(errno);
    close(fd);
    return nullptr;
  }
  void* address = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  const int error = errno;
  close(fd);
  if (address == MAP_FAILED) {
    why = "mmap(" + name + "): " + std::strerror(error);
    return nullptr;
  }
  return static_cast<unsigned char*>(address);
}

void Unmap(unsigned char* address, size_t size) {
  if (address != nullptr) munmap(address, size);
}

void Unlink(const std::string& name) { shm_unlink(name.c_str()); }

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

unsigned ProcessId() { return static_cast<unsigned>(getpid()); }

}  // namespace gmrtboard::host
