#include "editors/ReplaceFile.h"

#include "TqFile.h"

namespace {

// The attributes a replaced file keeps. Read-only is not among them: such a file cannot be
// replaced, and the rename says so.
const DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// The file `path` names as it is spelled on disk, and its attributes; `path` itself and no
// attributes when there is no such file yet. Any other failure to look is thrown: the name and
// attributes the file would lose cannot be told.
CString NameOnDisk(const CString& path, DWORD& attributes) {
  attributes = 0;
  WIN32_FIND_DATA found;
  const HANDLE search = ::FindFirstFile(path, &found);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return path;
    CFileException::ThrowOsError(static_cast<LONG>(error), path);
  }
  ::FindClose(search);
  attributes = found.dwFileAttributes & kKeptAttributes;
  CString drive, directory, name, extension;
  TQ::SplitPath(path, drive, directory, name, extension);
  return drive + directory + found.cFileName;
}

}  // namespace

void WriteFileReplacing(const CString& path, const std::function<void(CStdioFile& file)>& write) {
  const CString replacement = path + ".~new";
  TQ::CTqFile file;
  CFileException* openError = new CFileException;
  if (!file.Open(replacement, CFile::modeCreate | CFile::modeWrite | CFile::typeText, openError)) {
    // Named after the file the caller asked to write, not after the helper file.
    openError->m_strFileName = path;
    throw openError;
  }
  openError->Delete();
  try {
    write(file);
    // The run time's buffer to the system, then the system's to the disk: the new text must be on
    // the disk before it takes the place of the old one.
    file.Flush();
    file.CFile::Flush();
    file.Close();
  } catch (...) {
    file.Abort();
    ::DeleteFile(replacement);
    throw;
  }
  // The new text takes the place of the file as it is: under the name it has on disk (a rename to
  // the caller's spelling would change the case of its name) and with its attributes.
  DWORD attributes = 0;
  CString target;
  try {
    target = NameOnDisk(path, attributes);
  } catch (...) {
    ::DeleteFile(replacement);
    throw;
  }
  if ((attributes != 0 && !::SetFileAttributes(replacement, attributes)) ||
      !::MoveFileEx(replacement, target, MOVEFILE_REPLACE_EXISTING)) {
    const DWORD error = ::GetLastError();
    ::DeleteFile(replacement);
    CFileException::ThrowOsError(static_cast<LONG>(error), path);
  }
}
