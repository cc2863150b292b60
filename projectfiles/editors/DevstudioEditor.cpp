#include "editors/DevstudioEditor.h"

#include "TqException.h"
#include "TqFile.h"
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
  CReplacementSet files;
  StageSave(files, makeBackup, backupPath, maxBackups, backupSubfolder, nameTag);
  files.ReplaceAll();
}

void CDevstudioEditor::StageSave(CReplacementSet& files, bool makeBackup, CString* backupPath, int maxBackups,
                                 LPCTSTR backupSubfolder, LPCTSTR nameTag) {
  if (!m_opened) throw new TQ::CTqObjectNotInUsableStateException("The editor of " + m_path);
  files.Stage(m_path, [this](CStdioFile& file) { Write(file); }, makeBackup, backupPath, maxBackups, backupSubfolder,
              nameTag);
}
