// CStdioFile: the run time's buffered stream (msvcrt's StreamBuffer, the same one FILE streams
// use) over the CFile handle; a failed system call becomes a CFileException, as CFile's do.
#include <afx.h>

#include <cstring>

#include "msvcrt/stream_buffer.h"

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {

// Runs one stream operation and turns its failure into the exception CFile would throw.
template <class Operation>
auto Checked(const CString& fileName, Operation operation) -> decltype(operation()) {
  try {
    return operation();
  } catch (const msvcrt::StreamError& e) {
    if (e.shortWrite) AfxThrowFileException(CFileException::diskFull, -1, fileName);
    CFileException::ThrowOsError(static_cast<LONG>(e.error), fileName);
  }
}

}  // namespace

CStdioFile::CStdioFile() : m_pStreamBuffer(std::make_unique<msvcrt::StreamBuffer>()) {}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) : CStdioFile() {
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
  m_pStreamBuffer->Start(m_hFile, (nOpenFlags & typeBinary) == 0, (nOpenFlags & 3) != modeWrite,
                         (nOpenFlags & 3) != modeRead);
  return TRUE;
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax) {
  ASSERT(IsOpen());
  ASSERT(lpsz != NULL && nMax > 0);
  if (lpsz == NULL || nMax == 0) return NULL;
  std::string text;
  if (nMax > 1 && !Checked(m_strFileName, [&] { return m_pStreamBuffer->ReadTranslated(text, nMax - 1, true); }))
    return NULL;
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
  if (!Checked(m_strFileName, [&] { return m_pStreamBuffer->ReadTranslated(text, static_cast<size_t>(-1), true); })) {
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
  return static_cast<UINT>(Checked(m_strFileName, [&] { return m_pStreamBuffer->Read(lpBuf, nCount); }));
}

void CStdioFile::Write(const void* lpBuf, UINT nCount) {
  ASSERT(IsOpen());
  if (nCount == 0) return;
  ASSERT(lpBuf != NULL);
  Checked(m_strFileName, [&] { m_pStreamBuffer->Write(lpBuf, nCount); });
}

DWORD CStdioFile::GetPosition() const {
  ASSERT(IsOpen());
  return m_pStreamBuffer->Position();
}

LONG CStdioFile::Seek(LONG lOff, UINT nFrom) {
  ASSERT(IsOpen());
  ASSERT(nFrom == begin || nFrom == end || nFrom == current);
  return static_cast<LONG>(Checked(m_strFileName, [&] { return m_pStreamBuffer->Seek(lOff, nFrom); }));
}

void CStdioFile::SetLength(DWORD dwNewLen) {
  ASSERT(IsOpen());
  Checked(m_strFileName, [&] { m_pStreamBuffer->SetLength(dwNewLen); });
}

DWORD CStdioFile::GetLength() const {
  ASSERT(IsOpen());
  return Checked(m_strFileName, [&] { return m_pStreamBuffer->Length(); });
}

void CStdioFile::LockRange(DWORD, DWORD) { AfxThrowNotSupportedException(); }
void CStdioFile::UnlockRange(DWORD, DWORD) { AfxThrowNotSupportedException(); }

void CStdioFile::Flush() {
  if (IsOpen()) Checked(m_strFileName, [&] { m_pStreamBuffer->Flush(); });
}

void CStdioFile::Close() {
  if (IsOpen()) {
    try {
      Flush();
    } catch (...) {
      m_pStreamBuffer->Stop();
      CFile::Abort();
      throw;
    }
  }
  m_pStreamBuffer->Stop();
  CFile::Close();
}

void CStdioFile::Abort() {
  m_pStreamBuffer->Stop();
  CFile::Abort();
}
