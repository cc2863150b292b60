// Host FILE streams over StreamBuffer (glibc's custom streams): the host's buffer sits in front,
// and every time it is emptied the bytes go through StreamBuffer to the handle at once, so
// fflush hands them to the system as the run time's fflush does.
#include "host_streams.h"

#include <cerrno>
#include <memory>

#include "crt_errno.h"
#include "stream_buffer.h"

namespace msvcrt {
namespace {

struct HostStream {
  HANDLE file = nullptr;
  StreamBuffer buffer;
};

// The run time's failure result for a stream error: -1 with errno from the Win32 error.
template <class Result>
Result Failed(const StreamError& e, Result result) {
  errno = e.shortWrite ? ENOSPC : ErrnoFromWin32(e.error);
  return result;
}

ssize_t ReadStream(void* cookie, char* out, size_t size) {
  auto* stream = static_cast<HostStream*>(cookie);
  try {
    return static_cast<ssize_t>(stream->buffer.Read(out, size));
  } catch (const StreamError& e) {
    return Failed<ssize_t>(e, -1);
  }
}

// A failed write answers 0, never -1: the host's stream then reports the short write to fwrite
// and fflush (a negative count would be taken as bytes written).
ssize_t WriteStream(void* cookie, const char* data, size_t size) {
  auto* stream = static_cast<HostStream*>(cookie);
  try {
    stream->buffer.Write(data, size);
    stream->buffer.Flush();
    return static_cast<ssize_t>(size);
  } catch (const StreamError& e) {
    return Failed<ssize_t>(e, 0);
  }
}

int SeekStream(void* cookie, off64_t* position, int whence) {
  auto* stream = static_cast<HostStream*>(cookie);
  const DWORD from = whence == SEEK_SET ? FILE_BEGIN : whence == SEEK_CUR ? FILE_CURRENT : FILE_END;
  try {
    *position = stream->buffer.Seek(*position, from);
    return 0;
  } catch (const StreamError& e) {
    return Failed(e, -1);
  }
}

// The host has written its buffer already; what fails here is the handle's close.
int CloseStream(void* cookie) {
  std::unique_ptr<HostStream> stream(static_cast<HostStream*>(cookie));
  int result = 0;
  try {
    stream->buffer.Flush();
  } catch (const StreamError& e) {
    result = Failed(e, -1);
  }
  stream->buffer.Stop();
  if (!CloseHandle(stream->file) && result == 0) result = FailFromLastError();
  return result;
}

}  // namespace

FILE* OpenHostStream(HANDLE file, bool text, bool canRead, bool canWrite, const char* mode) {
  auto stream = std::make_unique<HostStream>();
  stream->file = file;
  stream->buffer.Start(file, text, canRead, canWrite);
  FILE* host = fopencookie(stream.get(), mode, {ReadStream, WriteStream, SeekStream, CloseStream});
  if (host == nullptr) {
    const int saved = errno;
    CloseHandle(file);
    errno = saved;
    return nullptr;
  }
  stream.release();  // fclose frees it
  return host;
}

}  // namespace msvcrt
