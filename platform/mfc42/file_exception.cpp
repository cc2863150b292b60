// CFileException: causes, the system error code and errno mappings, and the texts per cause.
#include <afxwin.h>

#include <cerrno>

#include "cause_text.h"
#include "mbcs.h"

IMPLEMENT_DYNAMIC(CFileException, CException)

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName) {}

CFileException::~CFileException() = default;

namespace {

// What each cause tells the user; %1 is the file.
LPCTSTR CauseText(int cause) {
  switch (cause) {
    case CFileException::none: return "No error occurred.";
    case CFileException::fileNotFound: return "%1 was not found.";
    case CFileException::badPath: return "%1 contains an invalid path.";
    case CFileException::tooManyOpenFiles:
      return "%1 could not be opened because there are too many open files.";
    case CFileException::accessDenied: return "Access to %1 was denied.";
    case CFileException::invalidFile: return "An invalid file handle was associated with %1.";
    case CFileException::removeCurrentDir:
      return "%1 could not be removed because it is the current directory.";
    case CFileException::directoryFull:
      return "%1 could not be created because the directory is full.";
    case CFileException::badSeek: return "Seek failed on %1.";
    case CFileException::hardIO: return "A hardware I/O error was reported while accessing %1.";
    case CFileException::sharingViolation: return "A sharing violation occurred while accessing %1.";
    case CFileException::lockViolation: return "A locking violation occurred while accessing %1.";
    case CFileException::diskFull: return "Disk full while accessing %1.";
    case CFileException::endOfFile: return "An attempt was made to access %1 past its end.";
    case CFileException::generic:
    default: return "An unexpected error occurred while accessing %1.";
  }
}

struct OsErrorCause {
  LONG error;
  int cause;
};

// System error codes as the file classes report them; codes not listed are `generic`.
constexpr OsErrorCause kOsErrorCauses[] = {
    {NO_ERROR, CFileException::none},
    {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
    {ERROR_PATH_NOT_FOUND, CFileException::badPath},
    {ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
    {ERROR_ACCESS_DENIED, CFileException::accessDenied},
    {ERROR_INVALID_HANDLE, CFileException::invalidFile},
    {11 /* ERROR_BAD_FORMAT */, CFileException::invalidFile},
    {12 /* ERROR_INVALID_ACCESS */, CFileException::accessDenied},
    {ERROR_INVALID_DRIVE, CFileException::badPath},
    {ERROR_CURRENT_DIRECTORY, CFileException::removeCurrentDir},
    {ERROR_NOT_SAME_DEVICE, CFileException::badPath},
    {ERROR_NO_MORE_FILES, CFileException::fileNotFound},
    {ERROR_WRITE_PROTECT, CFileException::accessDenied},
    {20 /* ERROR_BAD_UNIT */, CFileException::hardIO},
    {ERROR_NOT_READY, CFileException::hardIO},
    {22 /* ERROR_BAD_COMMAND */, CFileException::hardIO},
    {23 /* ERROR_CRC */, CFileException::hardIO},
    {24 /* ERROR_BAD_LENGTH */, CFileException::badSeek},
    {ERROR_SEEK, CFileException::badSeek},
    {26 /* ERROR_NOT_DOS_DISK */, CFileException::invalidFile},
    {27 /* ERROR_SECTOR_NOT_FOUND */, CFileException::badSeek},
    {ERROR_WRITE_FAULT, CFileException::accessDenied},
    {ERROR_READ_FAULT, CFileException::badSeek},
    {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
    {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
    {34 /* ERROR_WRONG_DISK */, CFileException::badPath},
    {36 /* ERROR_SHARING_BUFFER_EXCEEDED */, CFileException::tooManyOpenFiles},
    {ERROR_HANDLE_EOF, CFileException::endOfFile},
    {ERROR_HANDLE_DISK_FULL, CFileException::diskFull},
    {52 /* ERROR_DUP_NAME */, CFileException::badPath},
    {ERROR_BAD_NETPATH, CFileException::badPath},
    {54 /* ERROR_NETWORK_BUSY */, CFileException::accessDenied},
    {55 /* ERROR_DEV_NOT_EXIST */, CFileException::badPath},
    {65 /* ERROR_NETWORK_ACCESS_DENIED */, CFileException::accessDenied},
    {67 /* ERROR_BAD_NET_NAME */, CFileException::badPath},
    {ERROR_FILE_EXISTS, CFileException::accessDenied},
    {ERROR_CANNOT_MAKE, CFileException::accessDenied},
    {86 /* ERROR_INVALID_PASSWORD */, CFileException::accessDenied},
    {108 /* ERROR_DRIVE_LOCKED */, CFileException::lockViolation},
    {ERROR_OPEN_FAILED, CFileException::fileNotFound},
    {ERROR_DISK_FULL, CFileException::diskFull},
    {ERROR_INVALID_NAME, CFileException::badPath},
    {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
    {132 /* ERROR_SEEK_ON_DEVICE */, CFileException::badSeek},
    {ERROR_DIR_NOT_EMPTY, CFileException::accessDenied},
    {ERROR_BAD_PATHNAME, CFileException::badPath},
    {ERROR_BUSY, CFileException::accessDenied},
    {ERROR_ALREADY_EXISTS, CFileException::accessDenied},
    {ERROR_FILENAME_EXCED_RANGE, CFileException::badPath},
    {ERROR_DIRECTORY, CFileException::badPath},
};

}  // namespace

BOOL mfc42::CopyCauseText(LPCTSTR causeText, const CString& fileName, LPTSTR lpszError, UINT nMaxError,
                          PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  if (lpszError == NULL || nMaxError == 0) return FALSE;
  CString text;
  const CString name = fileName.IsEmpty() ? CString("an unnamed file") : fileName;
  LPCTSTR inserts[] = {name};
  AfxFormatStrings(text, causeText, inserts, 1);
  mfc42::CopyTruncated(lpszError, text, nMaxError);
  return TRUE;
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  return mfc42::CopyCauseText(CauseText(m_cause), m_strFileName, lpszError, nMaxError, pnHelpContext);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError) {
  for (const auto& entry : kOsErrorCauses)
    if (entry.error == lOsError) return entry.cause;
  return CFileException::generic;
}

// The run time's errno values for file calls, as the platform's run time sets them.
int PASCAL CFileException::ErrnoToException(int nErrno) {
  switch (nErrno) {
    case EPERM:
    case EACCES: return CFileException::accessDenied;
    case EBADF: return CFileException::invalidFile;
    case EDEADLK: return CFileException::sharingViolation;
    case EMFILE: return CFileException::tooManyOpenFiles;
    case ENOENT:
    case ENFILE: return CFileException::fileNotFound;
    case ENOSPC: return CFileException::diskFull;
    case EINVAL:
    case EIO: return CFileException::hardIO;
    default: return CFileException::generic;
  }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName) {
  AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName) {
  AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName) {
  throw new CFileException(cause, lOsError, lpszFileName);
}
