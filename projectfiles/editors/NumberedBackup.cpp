#include "editors/NumberedBackup.h"

#include "TqFile.h"

namespace {

// The full FILETIME rather than CFileStatus's whole seconds: backups made within one second must
// still be told apart, or the same number would be overwritten again and again.
bool GetLastWriteTime(const CString& path, FILETIME& time) {
  WIN32_FIND_DATA found;
  const HANDLE search = ::FindFirstFile(path, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  ::FindClose(search);
  time = found.ftLastWriteTime;
  return true;
}

CString CandidatePath(const CString& drive, const CString& directory, const CString& name, const CString& nameTag,
                      int number, const CString& extension) {
  CString numbered;
  numbered.Format("%s%s%03d", static_cast<LPCTSTR>(name), static_cast<LPCTSTR>(nameTag), number);
  return TQ::MakePath(drive, directory, numbered, extension);
}

}  // namespace

void MakeNumberedBackup(const CString& path, int maxBackups, const CString& subfolder, const CString& nameTag,
                        CString* backupPath) {
  CString drive, directory, name, extension;
  TQ::SplitPath(path, drive, directory, name, extension);

  CString backupDirectory = directory;
  if (!subfolder.IsEmpty()) {
    backupDirectory += subfolder;
    TQ::CreateDirectoryTree(drive + backupDirectory);
  }

  // No number to use: refused as the failed copy it would be, before anything is written.
  if (maxBackups < 1) AfxThrowFileException(CFileException::generic, ERROR_INVALID_PARAMETER, path);

  CString oldest;
  FILETIME oldestTime = {0, 0};
  for (int number = 1; number <= maxBackups; ++number) {
    const CString candidate = CandidatePath(drive, backupDirectory, name, nameTag, number, extension);
    if (!TQ::FileExists(candidate)) {
      TQ::CopyFileOrThrow(path, candidate, false);
      if (backupPath != NULL) *backupPath = candidate;
      return;
    }
    FILETIME time;
    if (!GetLastWriteTime(candidate, time)) continue;
    if (oldest.IsEmpty() || ::CompareFileTime(&time, &oldestTime) < 0) {
      oldest = candidate;
      oldestTime = time;
    }
  }
  if (oldest.IsEmpty()) oldest = CandidatePath(drive, backupDirectory, name, nameTag, 1, extension);
  TQ::CopyFileOrThrow(path, oldest, true);
  if (backupPath != NULL) *backupPath = oldest;
}
