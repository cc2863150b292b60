// The run time's buffered stream over a kernel32 file handle: the one implementation behind the
// C run time's FILE streams and MFC's CStdioFile. Reads come in chunks and are translated from the
// buffer; writes collect in the buffer and go out a chunk at a time, so a line costs no system
// call of its own. Text mode: "\n" goes out as CR LF, CR LF comes back as "\n" (a lone CR stays),
// and Ctrl-Z ends what can be read. Positions are byte offsets in the file.
//
// Used by stand-in modules only (mfc42 includes it as "msvcrt/stream_buffer.h").
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace msvcrt {

// A failed system call inside a stream: the Win32 error, or a write that ended short.
struct STANDIN_API StreamError {
  DWORD error = ERROR_SUCCESS;
  bool shortWrite = false;
};

class STANDIN_API StreamBuffer {
 public:
  // Starts over on an open handle, which stays the caller's, at file offset 0.
  void Start(HANDLE file, bool text, bool canRead, bool canWrite);
  // Forgets what is buffered (pending bytes are not written) and lets go of the handle.
  void Stop();
  bool IsText() const { return text_; }

  // Every operation below throws StreamError when a system call fails.

  // Appends at most `max` bytes as the mode reads them, stopping after a "\n" when `line`;
  // false when nothing was left to read.
  bool ReadTranslated(std::string& out, size_t max, bool line);
  // At most `count` bytes as the mode reads them.
  size_t Read(void* out, size_t count);
  void Write(const void* data, size_t count);
  // Hands the pending bytes to the system, as fflush does (no FlushFileBuffers).
  void Flush();
  DWORD Position() const;
  // `from` is FILE_BEGIN, FILE_CURRENT or FILE_END; gives back what was read ahead, writes what
  // is pending, then moves the handle. Returns the new position.
  DWORD Seek(int64_t offset, DWORD from);
  void SetLength(DWORD length);
  DWORD Length();

 private:
  void ResetBuffers(DWORD position);
  void FlushWriteBuffer();
  void DropReadBuffer();
  bool FillReadBuffer();
  DWORD LogicalPosition() const;
  // The system calls, each throwing StreamError on failure.
  size_t ReadFromHandle(char* out, size_t count);
  void WriteToHandle(const char* data, size_t count);
  DWORD MoveHandle(int64_t offset, DWORD from);

  HANDLE file_ = nullptr;
  bool text_ = true;
  bool canRead_ = false;
  bool canWrite_ = false;
  // While it is empty or holds bytes read ahead, the handle stands at bufferStart_ plus its size;
  // while it holds bytes to write, the handle stands at bufferStart_.
  std::string buffer_;
  size_t bufferPos_ = 0;     // next unread byte in buffer_ (reading)
  bool writing_ = false;     // buffer_ holds bytes to write
  DWORD bufferStart_ = 0;    // file offset of buffer_[0]
};

}  // namespace msvcrt
