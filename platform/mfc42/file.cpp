// CFile over kernel32 file handles: the open flags mapped onto CreateFile, and every failure
// thrown as a CFileException with the cause, the system error code and the file name.
#include <afx.h>

#include <cstring>

#include "paths.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

// A kernel32 handle closed when it goes out of scope (for SetStatus's short-lived handle).
class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE handle) : m_handle(handle) {}
  ~ScopedHandle() {
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
  }
  HANDLE Get() const { return m_handle; }
  HANDLE Release() {
    HANDLE handle = m_handle;
    m_handle = INVALID_HANDLE_VALUE;
    return handle;
  }

 private:
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  HANDLE m_handle;
};

[[noreturn]] void ThrowLastError(LPCTSTR lpszFileName) {
  CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
}

FILETIME ToFileTime(const CTime& time) {
  const uint64_t ticks = static_cast<uint64_t>(time.GetTime() + 11644473600LL) * 10000000ULL;
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(ticks);
  ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return ft;
}

}  // namespace

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : CFile() {
  CFileException e;
  if (!Open(lpszFileName, nOpenFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile() {
  if (m_hFile != hFileNull && m_bCloseOnDelete && !CloseHandle(m_hFile))
    TRACE("CFile: closing %s failed (error %u)\n", static_cast<LPCTSTR>(m_strFileName), GetLastError());
}

// Open: access from the low two bits, sharing from bits 4-6, creation from modeCreate and
// modeNoTruncate, inheritance from modeNoInherit.
BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pException) {
  ASSERT(lpszFileName != NULL);
  ASSERT(m_hFile == hFileNull);
  m_bCloseOnDelete = FALSE;
  m_hFile = hFileNull;
  m_strFileName.Empty();
  if (lpszFileName == NULL) {
    if (pException != NULL) {
      pException->m_lOsError = ERROR_INVALID_PARAMETER;
      pException->m_cause = CFileException::OsErrorToException(ERROR_INVALID_PARAMETER);
      pException->m_strFileName.Empty();
    }
    return FALSE;
  }
  m_strFileName = mfc42::FullPath(lpszFileName);

  DWORD access = 0;
  switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: ASSERT(FALSE); access = GENERIC_READ; break;  // both access bits: invalid
  }
  DWORD share = 0;
  switch (nOpenFlags & 0x70) {
    case shareCompat:
    case shareExclusive: share = 0; break;
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: ASSERT(FALSE); share = 0; break;
  }
  SECURITY_ATTRIBUTES sa;
  sa.nLength = sizeof sa;
  sa.lpSecurityDescriptor = NULL;
  sa.bInheritHandle = (nOpenFlags & modeNoInherit) == 0;
  DWORD disposition = OPEN_EXISTING;
  if (nOpenFlags & modeCreate) disposition = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

  HANDLE hFile = CreateFile(lpszFileName, access, share, &sa, disposition, FILE_ATTRIBUTE_NORMAL, NULL);
  if (hFile == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (pException != NULL) {
      pException->m_lOsError = static_cast<LONG>(error);
      pException->m_cause = CFileException::OsErrorToException(static_cast<LONG>(error));
      pException->m_strFileName = lpszFileName;
    }
    m_strFileName.Empty();
    SetLastError(error);
    return FALSE;
  }
  m_hFile = hFile;
  m_bCloseOnDelete = TRUE;
  return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  ASSERT(m_hFile != hFileNull);
  if (nCount == 0) return 0;
  ASSERT(lpBuf != NULL);
  DWORD read = 0;
  if (!ReadFile(m_hFile, lpBuf, nCount, &read, NULL)) ThrowLastError(m_strFileName);
  return read;
}

// A write that ends short means the disk is full.
void CFile::Write(const void* lpBuf, UINT nCount) {
  ASSERT(m_hFile != hFileNull);
  if (nCount == 0) return;
  ASSERT(lpBuf != NULL);
  DWORD written = 0;
  if (!WriteFile(m_hFile, lpBuf, nCount, &written, NULL)) ThrowLastError(m_strFileName);
  if (written != nCount) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

LONG CFile::Seek(LONG lOff, UINT nFrom) {
  ASSERT(m_hFile != hFileNull);
  ASSERT(nFrom == begin || nFrom == end || nFrom == current);
  const DWORD position = SetFilePointer(m_hFile, lOff, NULL, nFrom);
  if (position == INVALID_SET_FILE_POINTER) ThrowLastError(m_strFileName);
  return static_cast<LONG>(position);
}

DWORD CFile::GetPosition() const {
  ASSERT(m_hFile != hFileNull);
  const DWORD position = SetFilePointer(m_hFile, 0, NULL, FILE_CURRENT);
  if (position == INVALID_SET_FILE_POINTER) ThrowLastError(m_strFileName);
  return position;
}

void CFile::SetLength(DWORD dwNewLen) {
  ASSERT(m_hFile != hFileNull);
  Seek(static_cast<LONG>(dwNewLen), begin);
  if (!SetEndOfFile(m_hFile)) ThrowLastError(m_strFileName);
}

DWORD CFile::GetLength() const {
  ASSERT(m_hFile != hFileNull);
  SetLastError(NO_ERROR);  // a length of 0xFFFFFFFF is only a failure with an error code
  const DWORD length = GetFileSize(m_hFile, NULL);
  if (length == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) ThrowLastError(m_strFileName);
  return length;
}

void CFile::LockRange(DWORD dwPos, DWORD dwCount) {
  ASSERT(m_hFile != hFileNull);
  if (!LockFile(m_hFile, dwPos, 0, dwCount, 0)) ThrowLastError(m_strFileName);
}

void CFile::UnlockRange(DWORD dwPos, DWORD dwCount) {
  ASSERT(m_hFile != hFileNull);
  if (!UnlockFile(m_hFile, dwPos, 0, dwCount, 0)) ThrowLastError(m_strFileName);
}

void CFile::Flush() {
  if (m_hFile == hFileNull) return;
  if (!FlushFileBuffers(m_hFile)) ThrowLastError(m_strFileName);
}

void CFile::Close() {
  BOOL failed = FALSE;
  if (m_hFile != hFileNull) failed = !CloseHandle(m_hFile);
  const DWORD error = GetLastError();
  const CString name = m_strFileName;
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
  if (failed) CFileException::ThrowOsError(static_cast<LONG>(error), name);
}

void CFile::Abort() {
  if (m_hFile != hFileNull) CloseHandle(m_hFile);
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
}

CString CFile::GetFileName() const { return mfc42::FileNameOf(m_strFileName); }
CString CFile::GetFileTitle() const { return mfc42::TitleOf(GetFileName()); }
CString CFile::GetFilePath() const { return m_strFileName; }
void CFile::SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName; }

// The status of the open file: times and size from the handle, attributes from the name.
BOOL CFile::GetStatus(CFileStatus& rStatus) const {
  rStatus = CFileStatus();
  lstrcpyn(rStatus.m_szFullName, m_strFileName, _countof(rStatus.m_szFullName));
  if (m_hFile == hFileNull) return TRUE;
  FILETIME created, accessed, modified;
  if (!GetFileTime(m_hFile, &created, &accessed, &modified)) return FALSE;
  SetLastError(NO_ERROR);
  const DWORD size = GetFileSize(m_hFile, NULL);
  if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return FALSE;
  rStatus.m_size = static_cast<LONG>(size);
  const DWORD attributes = m_strFileName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributes(m_strFileName);
  rStatus.m_attribute = attributes == INVALID_FILE_ATTRIBUTES ? 0 : static_cast<BYTE>(attributes);
  rStatus.m_ctime = CTime(created);
  rStatus.m_atime = CTime(accessed);
  rStatus.m_mtime = CTime(modified);
  if (rStatus.m_ctime.GetTime() == 0) rStatus.m_ctime = rStatus.m_mtime;
  if (rStatus.m_atime.GetTime() == 0) rStatus.m_atime = rStatus.m_mtime;
  return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus) {
  rStatus = CFileStatus();
  if (lpszFileName == NULL || std::strpbrk(lpszFileName, "*?") != NULL) return FALSE;
  const CString full = mfc42::FullPath(lpszFileName);
  lstrcpyn(rStatus.m_szFullName, full, _countof(rStatus.m_szFullName));
  WIN32_FIND_DATA data;
  HANDLE find = FindFirstFile(lpszFileName, &data);
  if (find == INVALID_HANDLE_VALUE) return FALSE;
  FindClose(find);
  rStatus.m_attribute = static_cast<BYTE>(data.dwFileAttributes & ~FILE_ATTRIBUTE_NORMAL);
  rStatus.m_size = static_cast<LONG>(data.nFileSizeLow);
  rStatus.m_ctime = CTime(data.ftCreationTime);
  rStatus.m_atime = CTime(data.ftLastAccessTime);
  rStatus.m_mtime = CTime(data.ftLastWriteTime);
  if (rStatus.m_ctime.GetTime() == 0) rStatus.m_ctime = rStatus.m_mtime;
  if (rStatus.m_atime.GetTime() == 0) rStatus.m_atime = rStatus.m_mtime;
  return TRUE;
}

// SetStatus: a read-only file loses the attribute first so that its times can be set; the
// attributes are set last otherwise (making a file read-only after touching its times).
void PASCAL CFile::SetStatus(LPCTSTR lpszFileName, const CFileStatus& status) {
  const DWORD current = GetFileAttributes(lpszFileName);
  if (current == INVALID_FILE_ATTRIBUTES) ThrowLastError(lpszFileName);
  const DWORD wanted = status.m_attribute;
  const bool changeAttributes = (current & 0xFF & ~FILE_ATTRIBUTE_NORMAL) != wanted;
  if (changeAttributes && (current & FILE_ATTRIBUTE_READONLY)) {
    if (!SetFileAttributes(lpszFileName, wanted)) ThrowLastError(lpszFileName);
  }
  if (status.m_mtime.GetTime() != 0) {
    FILETIME modified = ToFileTime(status.m_mtime), accessed, created;
    const FILETIME* pAccessed = NULL;
    const FILETIME* pCreated = NULL;
    if (status.m_atime.GetTime() != 0) {
      accessed = ToFileTime(status.m_atime);
      pAccessed = &accessed;
    }
    if (status.m_ctime.GetTime() != 0) {
      created = ToFileTime(status.m_ctime);
      pCreated = &created;
    }
    ScopedHandle file(CreateFile(lpszFileName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, NULL));
    if (file.Get() == INVALID_HANDLE_VALUE) ThrowLastError(lpszFileName);
    if (!SetFileTime(file.Get(), pCreated, pAccessed, &modified)) ThrowLastError(lpszFileName);
    if (!CloseHandle(file.Release())) ThrowLastError(lpszFileName);
  }
  if (changeAttributes && !(current & FILE_ATTRIBUTE_READONLY)) {
    if (!SetFileAttributes(lpszFileName, wanted)) ThrowLastError(lpszFileName);
  }
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName) {
  if (!MoveFile(lpszOldName, lpszNewName)) ThrowLastError(lpszOldName);
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName) {
  if (!DeleteFile(lpszFileName)) ThrowLastError(lpszFileName);
}

void CFile::Dump(CDumpContext& dc) const {
  CObject::Dump(dc);
  dc << "with handle " << static_cast<const void*>(m_hFile) << " and name \"" << m_strFileName << "\"\n";
}
