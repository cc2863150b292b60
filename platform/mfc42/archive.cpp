// CArchive: values through a buffer onto a CFile, little-endian as the platform writes them.
#include <afx.h>

#include <cstring>

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void*)
    : m_pFile(pFile), m_nMode(nMode), m_nBufSize(nBufSize > 0 ? static_cast<size_t>(nBufSize) : 4096) {
  ASSERT(pFile != NULL);
  if (pFile != NULL) m_strFileName = pFile->GetFilePath();
}

CArchive::~CArchive() {
  if (m_pFile == NULL) return;
  if (m_nMode & bNoFlushOnDelete) {
    Abort();
    return;
  }
  try {
    Close();
  } catch (CException* e) {
    TRACE("CArchive: flushing %s on destruction failed\n", static_cast<LPCTSTR>(m_strFileName));
    e->Delete();
    Abort();
  }
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
  ASSERT(IsLoading());
  if (m_pFile == NULL || nMax == 0) return 0;
  const size_t available = Fill(nMax);
  const UINT n = static_cast<UINT>(available < nMax ? available : nMax);
  std::memcpy(lpBuf, m_buffer.data() + m_nBufferPos, n);
  m_nBufferPos += n;
  return n;
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
  ASSERT(IsStoring());
  if (!IsStoring()) AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
  if (m_pFile == NULL || nMax == 0) return;
  m_buffer.append(static_cast<const char*>(lpBuf), nMax);
  if (m_buffer.size() >= m_nBufSize) Flush();
}

// Storing: the buffer goes to the file and the file is flushed. Loading: what was read ahead is
// given back by seeking the file back, so the file stands after the last value taken.
void CArchive::Flush() {
  if (m_pFile == NULL) return;
  if (IsStoring()) {
    if (!m_buffer.empty()) {
      const std::string pending = std::move(m_buffer);
      m_buffer.clear();
      m_pFile->Write(pending.data(), static_cast<UINT>(pending.size()));
    }
    m_pFile->Flush();
    return;
  }
  const size_t unread = m_buffer.size() - m_nBufferPos;
  if (unread != 0) m_pFile->Seek(-static_cast<LONG>(unread), CFile::current);
  m_buffer.clear();
  m_nBufferPos = 0;
}

void CArchive::Close() {
  if (m_pFile == NULL) return;
  Flush();
  m_pFile = NULL;
}

void CArchive::Abort() {
  m_buffer.clear();
  m_nBufferPos = 0;
  m_pFile = NULL;
}

CArchive& CArchive::operator<<(float f) {
  DWORD bits;
  std::memcpy(&bits, &f, sizeof bits);
  return PutLittleEndian(bits);
}

CArchive& CArchive::operator<<(double d) {
  ULONGLONG bits;
  std::memcpy(&bits, &d, sizeof bits);
  return PutLittleEndian(bits);
}

CArchive& CArchive::operator>>(short& w) {
  WORD bits;
  GetLittleEndian(bits);
  w = static_cast<short>(bits);
  return *this;
}

CArchive& CArchive::operator>>(LONG& l) {
  DWORD bits;
  GetLittleEndian(bits);
  l = static_cast<LONG>(bits);
  return *this;
}

CArchive& CArchive::operator>>(float& f) {
  DWORD bits;
  GetLittleEndian(bits);
  std::memcpy(&f, &bits, sizeof f);
  return *this;
}

CArchive& CArchive::operator>>(double& d) {
  ULONGLONG bits;
  GetLittleEndian(bits);
  std::memcpy(&d, &bits, sizeof d);
  return *this;
}

CArchive& CArchive::Put(const void* bytes, UINT count) {
  Write(bytes, count);
  return *this;
}

// A value is taken whole or not at all: when the file ends first, endOfFile is thrown and the
// bytes there were stay unread.
CArchive& CArchive::Get(void* bytes, UINT count) {
  ASSERT(IsLoading());
  if (!IsLoading()) AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
  if (m_pFile == NULL || Fill(count) < count) AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
  std::memcpy(bytes, m_buffer.data() + m_nBufferPos, count);
  m_nBufferPos += count;
  return *this;
}

size_t CArchive::Fill(size_t count) {
  if (m_nBufferPos != 0) {
    m_buffer.erase(0, m_nBufferPos);
    m_nBufferPos = 0;
  }
  while (m_buffer.size() < count) {
    const size_t want = count - m_buffer.size() > m_nBufSize ? count - m_buffer.size() : m_nBufSize;
    const size_t before = m_buffer.size();
    m_buffer.resize(before + want);
    const UINT got = m_pFile->Read(m_buffer.data() + before, static_cast<UINT>(want));
    m_buffer.resize(before + got);
    if (got == 0) break;
  }
  return m_buffer.size();
}
