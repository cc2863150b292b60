// CStdioFile: the run time's buffered stream over a kernel32 handle. Reads come in chunks and are
// translated from the buffer; writes collect in the buffer and go out a chunk at a time, so a line
// costs no system call of its own. Text mode: "\n" goes out as CR LF, CR LF comes back as "\n"
// (a lone CR stays), and Ctrl-Z ends what can be read.
#include <afx.h>

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {
constexpr size_t kChunk = 64 * 1024;
constexpr char kCtrlZ = 0x1A;
}  // namespace

CStdioFile::CStdioFile() = default;

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) {
  CFileException e;
  if (!Open(lpszFileName, nOpenFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

// Pending bytes are written when the object goes; a failure then is only traced.
CStdioFile::~CStdioFile() {
  if (!IsOpen() || !m_bCloseOnDelete) return;
  try {
    Close();
  } catch (CException* e) {
    TRACE("CStdioFile: closing %s failed\n", static_cast<LPCTSTR>(m_strFileName));
    e->Delete();
    CFile::Abort();
  }
}

// typeBinary opens in binary mode; typeText, or neither flag, in the run time's default text mode.
BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  ASSERT((nOpenFlags & (typeText | typeBinary)) != (typeText | typeBinary));
  if (!CFile::Open(lpszFileName, nOpenFlags & ~static_cast<UINT>(typeText | typeBinary), pError)) return FALSE;
  m_bText = (nOpenFlags & typeBinary) == 0;
  m_bCanRead = (nOpenFlags & 3) != modeWrite;
  m_bCanWrite = (nOpenFlags & 3) != modeRead;
  ResetBuffers(0);
  return TRUE;
}

void CStdioFile::ResetBuffers(DWORD position) const {
  m_buffer.clear();
  m_nBufferPos = 0;
  m_bWriting = false;
  m_dwBufferStart = position;
}

DWORD CStdioFile::LogicalPosition() const {
  return m_dwBufferStart + static_cast<DWORD>(m_bWriting ? m_buffer.size() : m_nBufferPos);
}

// A failed write loses the pending bytes (the exception reports it) so that closing afterwards
// does not fail a second time over them.
void CStdioFile::FlushWriteBuffer() const {
  if (!m_bWriting) return;
  auto* self = const_cast<CStdioFile*>(this);
  std::string pending;
  pending.swap(m_buffer);
  m_bWriting = false;
  m_nBufferPos = 0;
  self->CFile::Write(pending.data(), static_cast<UINT>(pending.size()));
  m_dwBufferStart += static_cast<DWORD>(pending.size());
}

// Before writing or seeking: bytes read ahead are given back by moving the handle back to the
// logical position.
void CStdioFile::DropReadBuffer() const {
  if (m_bWriting) return;
  const DWORD logical = LogicalPosition();
  const bool readAhead = m_nBufferPos < m_buffer.size();
  ResetBuffers(logical);
  if (readAhead) const_cast<CStdioFile*>(this)->CFile::Seek(static_cast<LONG>(logical), CFile::begin);
}

// Reads the next chunk behind the unread bytes (which stay); false at the end of the file.
bool CStdioFile::FillReadBuffer() const {
  FlushWriteBuffer();
  if (!m_bCanRead) CFileException::ThrowOsError(ERROR_ACCESS_DENIED, m_strFileName);
  if (m_nBufferPos > 0) {
    m_buffer.erase(0, m_nBufferPos);
    m_dwBufferStart += static_cast<DWORD>(m_nBufferPos);
    m_nBufferPos = 0;
  }
  const size_t kept = m_buffer.size();
  m_buffer.resize(kept + kChunk);
  UINT read = 0;
  try {
    read = const_cast<CStdioFile*>(this)->CFile::Read(m_buffer.data() + kept, static_cast<UINT>(kChunk));
  } catch (...) {
    m_buffer.resize(kept);
    throw;
  }
  m_buffer.resize(kept + read);
  return read > 0;
}

bool CStdioFile::ReadTranslated(std::string& out, size_t max, bool line) {
  size_t produced = 0;
  while (produced < max) {
    if (m_nBufferPos == m_buffer.size() && !FillReadBuffer()) break;
    const char* data = m_buffer.data();
    const size_t start = m_nBufferPos;
    const size_t limit = max - produced >= m_buffer.size() - start ? m_buffer.size() : start + (max - produced);
    if (!m_bText) {
      size_t stop = limit;
      if (line) {
        const void* newline = std::memchr(data + start, '\n', limit - start);
        if (newline != nullptr) stop = static_cast<size_t>(static_cast<const char*>(newline) - data) + 1;
      }
      out.append(data + start, stop - start);
      produced += stop - start;
      m_nBufferPos = stop;
      if (line && data[stop - 1] == '\n') return true;
      continue;
    }
    size_t j = start;
    while (j < limit && data[j] != '\r' && data[j] != '\n' && data[j] != kCtrlZ) ++j;
    out.append(data + start, j - start);
    produced += j - start;
    m_nBufferPos = j;
    if (j == limit) continue;
    if (data[j] == kCtrlZ) break;  // the end of text; the position stays on the Ctrl-Z
    if (data[j] == '\n') {
      out += '\n';
      ++produced;
      ++m_nBufferPos;
      if (line) return true;
      continue;
    }
    // A CR: CR LF is one "\n"; anything else leaves the CR as it is.
    if (m_nBufferPos + 1 == m_buffer.size()) FillReadBuffer();
    if (m_nBufferPos + 1 < m_buffer.size() && m_buffer[m_nBufferPos + 1] == '\n') {
      out += '\n';
      ++produced;
      m_nBufferPos += 2;
      if (line) return true;
    } else {
      out += '\r';
      ++produced;
      ++m_nBufferPos;
    }
  }
  return produced > 0;
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax) {
  ASSERT(IsOpen());
  ASSERT(lpsz != NULL && nMax > 0);
  if (lpsz == NULL || nMax == 0) return NULL;
  std::string text;
  if (nMax > 1 && !ReadTranslated(text, nMax - 1, true)) return NULL;
  std::memcpy(lpsz, text.data(), text.size());
  lpsz[text.size()] = '\0';
  return lpsz;
}

BOOL CStdioFile::ReadString(CString& rString) {
  ASSERT(IsOpen());
  // Line-by-line readers call this hundreds of thousands of times: the scratch line and the
  // caller's string keep their capacity from one line to the next.
  thread_local std::string text;
  text.clear();
  if (!ReadTranslated(text, static_cast<size_t>(-1), true)) {
    rString.Empty();
    return FALSE;
  }
  if (!text.empty() && text.back() == '\n') text.pop_back();
  const int length = static_cast<int>(text.size());
  std::memcpy(rString.GetBufferSetLength(length), text.data(), text.size());
  rString.ReleaseBuffer(length);
  return TRUE;
}

void CStdioFile::WriteString(LPCTSTR lpsz) {
  ASSERT(lpsz != NULL);
  if (lpsz == NULL) AfxThrowFileException(CFileException::generic, ERROR_INVALID_PARAMETER, m_strFileName);
  Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount) {
  ASSERT(IsOpen());
  if (nCount == 0) return 0;
  ASSERT(lpBuf != NULL);
  auto* out = static_cast<char*>(lpBuf);
  if (m_bText) {
    std::string text;
    text.reserve(std::min<size_t>(nCount, kChunk));
    ReadTranslated(text, nCount, false);
    std::memcpy(out, text.data(), text.size());
    return static_cast<UINT>(text.size());
  }
  FlushWriteBuffer();
  if (!m_bCanRead) CFileException::ThrowOsError(ERROR_ACCESS_DENIED, m_strFileName);
  size_t done = std::min<size_t>(nCount, m_buffer.size() - m_nBufferPos);
  std::memcpy(out, m_buffer.data() + m_nBufferPos, done);
  m_nBufferPos += done;
  if (done < nCount && nCount - done >= kChunk) {
    // A large read goes straight to the destination.
    ResetBuffers(LogicalPosition());
    const UINT read = CFile::Read(out + done, static_cast<UINT>(nCount - done));
    m_dwBufferStart += read;
    return static_cast<UINT>(done + read);
  }
  while (done < nCount && FillReadBuffer()) {
    const size_t n = std::min<size_t>(nCount - done, m_buffer.size() - m_nBufferPos);
    std::memcpy(out + done, m_buffer.data() + m_nBufferPos, n);
    m_nBufferPos += n;
    done += n;
  }
  return static_cast<UINT>(done);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount) {
  ASSERT(IsOpen());
  if (nCount == 0) return;
  ASSERT(lpBuf != NULL);
  if (!m_bCanWrite) CFileException::ThrowOsError(ERROR_ACCESS_DENIED, m_strFileName);
  if (!m_bWriting) {
    DropReadBuffer();
    m_bWriting = true;
  }
  const char* data = static_cast<const char*>(lpBuf);
  const char* end = data + nCount;
  if (!m_bText) {
    m_buffer.append(data, end);
  } else {
    while (data < end) {
      const void* newline = std::memchr(data, '\n', static_cast<size_t>(end - data));
      const char* stop = newline ? static_cast<const char*>(newline) : end;
      m_buffer.append(data, stop);
      if (newline == nullptr) break;
      m_buffer += "\r\n";
      data = stop + 1;
    }
  }
  if (m_buffer.size() >= kChunk) FlushWriteBuffer();
}

DWORD CStdioFile::GetPosition() const {
  ASSERT(IsOpen());
  return LogicalPosition();
}

// A seek gives back what was read ahead and writes what is pending, then moves the handle.
LONG CStdioFile::Seek(LONG lOff, UINT nFrom) {
  ASSERT(IsOpen());
  int64_t target = lOff;
  if (nFrom == CFile::current) target += LogicalPosition();
  FlushWriteBuffer();
  if (nFrom == CFile::end) target += CFile::GetLength();
  if (target < 0) CFileException::ThrowOsError(ERROR_NEGATIVE_SEEK, m_strFileName);
  const LONG position = CFile::Seek(static_cast<LONG>(target), CFile::begin);
  ResetBuffers(static_cast<DWORD>(position));
  return position;
}

void CStdioFile::SetLength(DWORD dwNewLen) {
  ASSERT(IsOpen());
  FlushWriteBuffer();
  DropReadBuffer();
  CFile::SetLength(dwNewLen);
  ResetBuffers(dwNewLen);
}

DWORD CStdioFile::GetLength() const {
  ASSERT(IsOpen());
  FlushWriteBuffer();
  return CFile::GetLength();
}

void CStdioFile::LockRange(DWORD, DWORD) { AfxThrowNotSupportedException(); }
void CStdioFile::UnlockRange(DWORD, DWORD) { AfxThrowNotSupportedException(); }

// Flush hands the pending bytes to the system, as fflush does (no FlushFileBuffers).
void CStdioFile::Flush() {
  if (IsOpen()) FlushWriteBuffer();
}

void CStdioFile::Close() {
  if (IsOpen()) {
    try {
      FlushWriteBuffer();
    } catch (...) {
      ResetBuffers(0);
      CFile::Abort();
      throw;
    }
  }
  ResetBuffers(0);
  CFile::Close();
}

void CStdioFile::Abort() {
  ResetBuffers(0);
  CFile::Abort();
}
