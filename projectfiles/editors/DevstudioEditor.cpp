#include "editors/DevstudioEditor.h"

#include "TqException.h"
#include "TqFile.h"
#include "editors/NumberedBackup.h"

namespace {

// Beside the target, on the same drive, so that the final step is a rename and not a copy.
CString ReplacementPath(const CString& target) { return target + ".~new"; }

}  // namespace

CDevstudioEditor::CDevstudioEditor() : m_opened(false) {}
CDevstudioEditor::~CDevstudioEditor() {}

void CDevstudioEditor::Open(LPCTSTR path) {
  m_path = path;
  m_opened = false;
  Load();
  m_opened = true;
}

void CDevstudioEditor::Save(bool makeBackup, CString* backupPath, int maxBackups, LPCTSTR backupSubfolder,
                            LPCTSTR nameTag) {
  if (!m_opened) throw new TQ::CTqObjectNotInUsableStateException("The editor of " + m_path);
  if (makeBackup) MakeNumberedBackup(m_path, maxBackups, backupSubfolder, nameTag, backupPath);

  const CString replacement = ReplacementPath(m_path);
  TQ::CTqFile file;
  CFileException* openError = new CFileException;
  if (!file.Open(replacement, CFile::modeCreate | CFile::modeWrite | CFile::typeText, openError)) {
    // Named after the file the caller asked to save, not after the helper file.
    openError->m_strFileName = m_path;
    throw openError;
  }
  openError->Delete();
  try {
    Write(file);
    file.Flush();
    file.Close();
  } catch (...) {
    file.Abort();
    ::DeleteFile(replacement);
    throw;
  }
  if (!::MoveFileEx(replacement, m_path, MOVEFILE_REPLACE_EXISTING)) {
    const DWORD error = ::GetLastError();
    ::DeleteFile(replacement);
    CFileException::ThrowOsError(static_cast<LONG>(error), m_path);
  }
}
