#include "editors/DevstudioEditor.h"

#include "TqException.h"
#include "TqFile.h"
#include "editors/NumberedBackup.h"
#include "editors/ReplaceFile.h"

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

  WriteFileReplacing(m_path, [this](CStdioFile& file) { Write(file); });
}
