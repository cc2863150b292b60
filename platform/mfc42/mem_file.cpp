// CMemFile: a CFile over a block of memory that grows by whole steps of nGrowBytes.
#include <afx.h>

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : m_nGrowBytes(0) {
  Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() { Free(); }

// The attached block's bytes are the file's content (its length is the block's size), as the
// platform has it for a block that cannot grow; one that may grow starts empty.
void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
  ASSERT(m_lpBuffer == NULL);
  Free();
  m_lpBuffer = lpBuffer;
  m_nBufferSize = nBufferSize;
  m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
  m_nGrowBytes = nGrowBytes;
  m_nPosition = 0;
  m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach() {
  BYTE* block = m_lpBuffer;
  m_lpBuffer = NULL;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  return block;
}

void CMemFile::Free() {
  if (m_bAutoDelete) std::free(m_lpBuffer);
  m_lpBuffer = NULL;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  m_bAutoDelete = TRUE;
}

// Room for dwNewLen bytes: a block that cannot grow is a memory exception.
void CMemFile::GrowTo(DWORD dwNewLen) {
  if (dwNewLen <= m_nBufferSize) return;
  if (m_nGrowBytes == 0) AfxThrowMemoryException();
  const DWORD steps = (dwNewLen + m_nGrowBytes - 1) / m_nGrowBytes;
  const DWORD size = steps * m_nGrowBytes;
  void* grown = std::realloc(m_lpBuffer, size);
  if (grown == NULL) AfxThrowMemoryException();
  m_lpBuffer = static_cast<BYTE*>(grown);
  m_nBufferSize = size;
}

DWORD CMemFile::GetPosition() const { return m_nPosition; }

LONG CMemFile::Seek(LONG lOff, UINT nFrom) {
  LONGLONG base = nFrom == CFile::begin ? 0 : nFrom == CFile::current ? m_nPosition : m_nFileSize;
  const LONGLONG target = base + lOff;
  if (target < 0 || target > 0x7FFFFFFF) AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
  m_nPosition = static_cast<DWORD>(target);
  return static_cast<LONG>(target);
}

void CMemFile::SetLength(DWORD dwNewLen) {
  if (dwNewLen > m_nBufferSize) GrowTo(dwNewLen);
  if (dwNewLen > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, dwNewLen - m_nFileSize);
  m_nFileSize = dwNewLen;
  if (m_nPosition > dwNewLen) m_nPosition = dwNewLen;
}

DWORD CMemFile::GetLength() const { return m_nFileSize; }

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
  if (m_nPosition >= m_nFileSize || nCount == 0) return 0;
  const UINT n = nCount < m_nFileSize - m_nPosition ? nCount : m_nFileSize - m_nPosition;
  std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
  m_nPosition += n;
  return n;
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  const ULONGLONG end = static_cast<ULONGLONG>(m_nPosition) + nCount;
  if (end > 0xFFFFFFFFULL) AfxThrowMemoryException();
  GrowTo(static_cast<DWORD>(end));
  if (m_nPosition > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
  std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
  m_nPosition = static_cast<DWORD>(end);
  if (m_nPosition > m_nFileSize) m_nFileSize = m_nPosition;
}

void CMemFile::LockRange(DWORD, DWORD) { AfxThrowNotSupportedException(); }
void CMemFile::UnlockRange(DWORD, DWORD) { AfxThrowNotSupportedException(); }
void CMemFile::Flush() {}
void CMemFile::Abort() { Free(); }
void CMemFile::Close() { Free(); }
