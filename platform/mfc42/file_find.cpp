// CFileFind over FindFirstFile/FindNextFile. The platform's class reads one entry ahead: an entry
// becomes current on FindNextFile, which answers whether another one follows.
#include <afx.h>

#include "paths.h"

IMPLEMENT_DYNAMIC(CFileFind, CObject)

CFileFind::CFileFind() : m_hContext(NULL), m_found(), m_next() {}

CFileFind::~CFileFind() { Close(); }

void CFileFind::Close() {
  if (m_hContext != NULL && m_hContext != INVALID_HANDLE_VALUE) ::FindClose(m_hContext);
  m_hContext = NULL;
  m_bHaveFound = m_bHaveNext = false;
  m_strRoot.Empty();
}

// The root is the full path of the pattern without its last component.
BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD) {
  Close();
  if (pstrName == NULL) pstrName = "*.*";
  m_hContext = ::FindFirstFile(pstrName, &m_next);
  if (m_hContext == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    Close();
    SetLastError(error);
    return FALSE;
  }
  m_bHaveNext = true;
  m_strRoot = mfc42::DirectoryOf(mfc42::FullPath(pstrName));
  return TRUE;
}

BOOL CFileFind::FindNextFile() {
  ASSERT(m_hContext != NULL);
  if (m_hContext == NULL || !m_bHaveNext) return FALSE;
  m_found = m_next;
  m_bHaveFound = true;
  m_bHaveNext = ::FindNextFile(m_hContext, &m_next) != FALSE;
  return m_bHaveNext;
}

const WIN32_FIND_DATA* CFileFind::Found() const {
  ASSERT(m_hContext != NULL && m_bHaveFound);
  return m_bHaveFound ? &m_found : NULL;
}

DWORD CFileFind::GetLength() const {
  const WIN32_FIND_DATA* found = Found();
  return found ? found->nFileSizeLow : 0;
}

CString CFileFind::GetFileName() const {
  const WIN32_FIND_DATA* found = Found();
  return found ? CString(found->cFileName) : CString();
}

CString CFileFind::GetFilePath() const {
  CString path = m_strRoot;
  if (!path.IsEmpty() && path[path.GetLength() - 1] != '\\' && path[path.GetLength() - 1] != '/') path += '\\';
  return path + GetFileName();
}

CString CFileFind::GetFileTitle() const { return mfc42::TitleOf(GetFileName()); }

CString CFileFind::GetFileURL() const { return "file://" + GetFilePath(); }

CString CFileFind::GetRoot() const {
  ASSERT(m_hContext != NULL);
  return m_strRoot;
}

namespace {
BOOL CopyTime(const WIN32_FIND_DATA* found, FILETIME WIN32_FIND_DATA::*member, FILETIME* pTimeStamp) {
  ASSERT(pTimeStamp != NULL);
  if (found == NULL || pTimeStamp == NULL) return FALSE;
  *pTimeStamp = found->*member;
  return TRUE;
}

BOOL ToCTime(const WIN32_FIND_DATA* found, FILETIME WIN32_FIND_DATA::*member, CTime& refTime) {
  if (found == NULL) return FALSE;
  refTime = CTime(found->*member);
  return TRUE;
}
}  // namespace

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const {
  return CopyTime(Found(), &WIN32_FIND_DATA::ftLastWriteTime, pTimeStamp);
}
BOOL CFileFind::GetLastAccessTime(FILETIME* pTimeStamp) const {
  return CopyTime(Found(), &WIN32_FIND_DATA::ftLastAccessTime, pTimeStamp);
}
BOOL CFileFind::GetCreationTime(FILETIME* pTimeStamp) const {
  return CopyTime(Found(), &WIN32_FIND_DATA::ftCreationTime, pTimeStamp);
}
BOOL CFileFind::GetLastWriteTime(CTime& refTime) const {
  return ToCTime(Found(), &WIN32_FIND_DATA::ftLastWriteTime, refTime);
}
BOOL CFileFind::GetLastAccessTime(CTime& refTime) const {
  return ToCTime(Found(), &WIN32_FIND_DATA::ftLastAccessTime, refTime);
}
BOOL CFileFind::GetCreationTime(CTime& refTime) const {
  return ToCTime(Found(), &WIN32_FIND_DATA::ftCreationTime, refTime);
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const {
  const WIN32_FIND_DATA* found = Found();
  return found != NULL && (found->dwFileAttributes & dwMask) != 0;
}

BOOL CFileFind::IsDots() const {
  const WIN32_FIND_DATA* found = Found();
  if (found == NULL || !(found->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return FALSE;
  const char* name = found->cFileName;
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}
