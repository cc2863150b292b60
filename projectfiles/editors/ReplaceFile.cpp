#include "editors/ReplaceFile.h"

#include "TqFile.h"

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
    file.Flush();
    file.Close();
  } catch (...) {
    file.Abort();
    ::DeleteFile(replacement);
    throw;
  }
  if (!::MoveFileEx(replacement, path, MOVEFILE_REPLACE_EXISTING)) {
    const DWORD error = ::GetLastError();
    ::DeleteFile(replacement);
    CFileException::ThrowOsError(static_cast<LONG>(error), path);
  }
}
