// Base of the editors through which the system changes Developer Studio files: open a file into
// its model, change the model, save it back, optionally after a numbered backup.
#pragma once

#include "stdafx.h"

class CReplacementSet;

class CDevstudioEditor {
 public:
  CDevstudioEditor();
  virtual ~CDevstudioEditor();

  // Stores the path and reads the file into the model; every failure of the reader reaches the
  // caller and the file on disk is never touched.
  virtual void Open(LPCTSTR path);
  // True once the last Open succeeded.
  bool IsOpen() const { return m_opened; }

  // Writes the model back to the path. With `makeBackup` the numbered backup is made first (see
  // MakeNumberedBackup) and its path reported in `backupPath`. The text is written in Windows
  // text mode to a file beside the target, which replaces the target only when every write, the
  // flush and the close succeeded; on any failure the target is left as it was, the partial file
  // is removed and the CFileException reaches the caller. The editor stays usable. An editor whose
  // last Open failed holds a partly read model and refuses to save it
  // (TQ::CTqObjectNotInUsableStateException), so a refused file is never overwritten.
  virtual void Save(bool makeBackup = false, CString* backupPath = NULL, int maxBackups = 10,
                    LPCTSTR backupSubfolder = "", LPCTSTR nameTag = "");
  // The first half of Save, for files that are rewritten as one unit: makes the backup and stages
  // the model's text in `files`, whose ReplaceAll then puts it in place (see CReplacementSet).
  void StageSave(CReplacementSet& files, bool makeBackup = false, CString* backupPath = NULL, int maxBackups = 10,
                 LPCTSTR backupSubfolder = "", LPCTSTR nameTag = "");

  const CString& GetPath() const { return m_path; }

  CDevstudioEditor(const CDevstudioEditor&) = delete;
  CDevstudioEditor& operator=(const CDevstudioEditor&) = delete;

 protected:
  virtual void Load() = 0;
  virtual void Write(CStdioFile& file) = 0;

  CString m_path;

 private:
  bool m_opened;
};
