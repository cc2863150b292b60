// The run time's buffered stream over a kernel32 handle (see stream_buffer.h).
#include "stream_buffer.h"

#include <algorithm>
#include <cstring>

namespace msvcrt {
namespace {
constexpr size_t kChunk = 64 * 1024;
constexpr char kCtrlZ = 0x1A;

[[noreturn]] void ThrowError(DWORD error) { throw StreamError{error, false}; }
}  // namespace

void StreamBuffer::Start(HANDLE file, bool text, bool canRead, bool canWrite) {
  file_ = file;
  text_ = text;
  canRead_ = canRead;
  canWrite_ = canWrite;
  ResetBuffers(0);
  buffer_.shrink_to_fit();
}

void StreamBuffer::Stop() {
  ResetBuffers(0);
  buffer_.shrink_to_fit();
  file_ = nullptr;
}

size_t StreamBuffer::ReadFromHandle(char* out, size_t count) {
  DWORD read = 0;
  if (!ReadFile(file_, out, static_cast<DWORD>(count), &read, nullptr)) ThrowError(GetLastError());
  return read;
}

// A write that ends short means the disk is full.
void StreamBuffer::WriteToHandle(const char* data, size_t count) {
  if (count == 0) return;
  DWORD written = 0;
  if (!WriteFile(file_, data, static_cast<DWORD>(count), &written, nullptr)) ThrowError(GetLastError());
  if (written != count) throw StreamError{ERROR_HANDLE_DISK_FULL, true};
}

DWORD StreamBuffer::MoveHandle(int64_t offset, DWORD from) {
  const DWORD position = SetFilePointer(file_, static_cast<LONG>(offset), nullptr, from);
  if (position == INVALID_SET_FILE_POINTER) ThrowError(GetLastError());
  return position;
}

void StreamBuffer::ResetBuffers(DWORD position) {
  buffer_.clear();
  bufferPos_ = 0;
  writing_ = false;
  bufferStart_ = position;
}

DWORD StreamBuffer::LogicalPosition() const {
  return bufferStart_ + static_cast<DWORD>(writing_ ? buffer_.size() : bufferPos_);
}

// A failed write loses the pending bytes (the error reports it) so that closing afterwards does
// not fail a second time over them.
void StreamBuffer::FlushWriteBuffer() {
  if (!writing_) return;
  std::string pending;
  pending.swap(buffer_);
  writing_ = false;
  bufferPos_ = 0;
  WriteToHandle(pending.data(), pending.size());
  bufferStart_ += static_cast<DWORD>(pending.size());
  // The capacity comes back for the next bytes.
  pending.clear();
  buffer_.swap(pending);
}

// Before writing or seeking: bytes read ahead are given back by moving the handle back to the
// logical position.
void StreamBuffer::DropReadBuffer() {
  if (writing_) return;
  const DWORD logical = LogicalPosition();
  const bool readAhead = bufferPos_ < buffer_.size();
  ResetBuffers(logical);
  if (readAhead) MoveHandle(logical, FILE_BEGIN);
}

// Reads the next chunk behind the unread bytes (which stay); false at the end of the file.
bool StreamBuffer::FillReadBuffer() {
  FlushWriteBuffer();
  if (!canRead_) ThrowError(ERROR_ACCESS_DENIED);
  if (bufferPos_ > 0) {
    buffer_.erase(0, bufferPos_);
    bufferStart_ += static_cast<DWORD>(bufferPos_);
    bufferPos_ = 0;
  }
  const size_t kept = buffer_.size();
  buffer_.resize(kept + kChunk);
  size_t read = 0;
  try {
    read = ReadFromHandle(buffer_.data() + kept, kChunk);
  } catch (...) {
    buffer_.resize(kept);
    throw;
  }
  buffer_.resize(kept + read);
  return read > 0;
}

bool StreamBuffer::ReadTranslated(std::string& out, size_t max, bool line) {
  size_t produced = 0;
  while (produced < max) {
    if (bufferPos_ == buffer_.size() && !FillReadBuffer()) break;
    const char* data = buffer_.data();
    const size_t start = bufferPos_;
    const size_t limit = max - produced >= buffer_.size() - start ? buffer_.size() : start + (max - produced);
    if (!text_) {
      size_t stop = limit;
      if (line) {
        const void* newline = std::memchr(data + start, '\n', limit - start);
        if (newline != nullptr) stop = static_cast<size_t>(static_cast<const char*>(newline) - data) + 1;
      }
      out.append(data + start, stop - start);
      produced += stop - start;
      bufferPos_ = stop;
      if (line && data[stop - 1] == '\n') return true;
      continue;
    }
    size_t j = start;
    while (j < limit && data[j] != '\r' && data[j] != '\n' && data[j] != kCtrlZ) ++j;
    out.append(data + start, j - start);
    produced += j - start;
    bufferPos_ = j;
    if (j == limit) continue;
    if (data[j] == kCtrlZ) break;  // the end of text; the position stays on the Ctrl-Z
    if (data[j] == '\n') {
      out += '\n';
      ++produced;
      ++bufferPos_;
      if (line) return true;
      continue;
    }
    // A CR: CR LF is one "\n"; anything else leaves the CR as it is.
    if (bufferPos_ + 1 == buffer_.size()) FillReadBuffer();
    if (bufferPos_ + 1 < buffer_.size() && buffer_[bufferPos_ + 1] == '\n') {
      out += '\n';
      ++produced;
      bufferPos_ += 2;
      if (line) return true;
    } else {
      out += '\r';
      ++produced;
      ++bufferPos_;
    }
  }
  return produced > 0;
}

size_t StreamBuffer::Read(void* destination, size_t count) {
  if (count == 0) return 0;
  auto* out = static_cast<char*>(destination);
  if (text_) {
    std::string text;
    text.reserve(std::min(count, kChunk));
    ReadTranslated(text, count, false);
    std::memcpy(out, text.data(), text.size());
    return text.size();
  }
  FlushWriteBuffer();
  if (!canRead_) ThrowError(ERROR_ACCESS_DENIED);
  size_t done = std::min(count, buffer_.size() - bufferPos_);
  std::memcpy(out, buffer_.data() + bufferPos_, done);
  bufferPos_ += done;
  if (done < count && count - done >= kChunk) {
    // A large read goes straight to the destination.
    ResetBuffers(LogicalPosition());
    const size_t read = ReadFromHandle(out + done, count - done);
    bufferStart_ += static_cast<DWORD>(read);
    return done + read;
  }
  while (done < count && FillReadBuffer()) {
    const size_t n = std::min(count - done, buffer_.size() - bufferPos_);
    std::memcpy(out + done, buffer_.data() + bufferPos_, n);
    bufferPos_ += n;
    done += n;
  }
  return done;
}

void StreamBuffer::Write(const void* source, size_t count) {
  if (count == 0) return;
  if (!canWrite_) ThrowError(ERROR_ACCESS_DENIED);
  if (!writing_) {
    DropReadBuffer();
    writing_ = true;
  }
  const char* data = static_cast<const char*>(source);
  const char* end = data + count;
  if (!text_) {
    buffer_.append(data, end);
  } else {
    while (data < end) {
      const void* newline = std::memchr(data, '\n', static_cast<size_t>(end - data));
      const char* stop = newline ? static_cast<const char*>(newline) : end;
      buffer_.append(data, stop);
      if (newline == nullptr) break;
      buffer_ += "\r\n";
      data = stop + 1;
    }
  }
  if (buffer_.size() >= kChunk) FlushWriteBuffer();
}

void StreamBuffer::Flush() { FlushWriteBuffer(); }

DWORD StreamBuffer::Position() const { return LogicalPosition(); }

DWORD StreamBuffer::Seek(int64_t offset, DWORD from) {
  int64_t target = offset;
  if (from == FILE_CURRENT) target += LogicalPosition();
  FlushWriteBuffer();
  if (from == FILE_END) target += Length();
  if (target < 0) ThrowError(ERROR_NEGATIVE_SEEK);
  const DWORD position = MoveHandle(target, FILE_BEGIN);
  ResetBuffers(position);
  return position;
}

void StreamBuffer::SetLength(DWORD length) {
  FlushWriteBuffer();
  DropReadBuffer();
  MoveHandle(length, FILE_BEGIN);
  if (!SetEndOfFile(file_)) ThrowError(GetLastError());
  ResetBuffers(length);
}

DWORD StreamBuffer::Length() {
  FlushWriteBuffer();
  SetLastError(NO_ERROR);  // a length of 0xFFFFFFFF is only a failure with an error code
  const DWORD length = GetFileSize(file_, nullptr);
  if (length == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) ThrowError(GetLastError());
  return length;
}

}  // namespace msvcrt
