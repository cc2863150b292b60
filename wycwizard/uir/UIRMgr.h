// CUIRMgr: keeps a project's callback-table file (a C source listing every callback name of the
// project's .uir files with its address) in step with those files. It remembers which files the
// table was made from, with their times, in the project's ".hga" settings file, finds the
// project's .uir files in its .dsp file, regenerates the table, and adds a custom build step per
// configuration that copies each .uir file beside the built program.
#pragma once

#include <afx.h>
#include <objmodel/bldauto.h>

#include <set>
#include <vector>

#include "FileStamp.h"

// Thrown by value.
enum CUIRMgrExc {
  UIRMGR_EXC_NO_MEMORY = 0,   // out of memory, or the settings file not written
  UIRMGR_EXC_FILE = 1,        // a file that does not open, read or write
  UIRMGR_EXC_NO_PROJECT = 5,  // the .dsp file does not exist
};

class CUIRMgr {
 public:
  // What ScanProjectFile found, against the files the manager held.
  enum { SCAN_MORE = 0, SCAN_FEWER = 1, SCAN_CHANGED = 2, SCAN_SAME = 3 };

  CUIRMgr();

  // Writes the settings file, replacing it whole; UIRMGR_EXC_NO_MEMORY on any failure.
  void SaveState(const CString& path);
  // 0 when the settings file was read (records whose file is gone are dropped); 1 when it was not,
  // the table file and the records then emptied. Throws UIRMGR_EXC_NO_MEMORY only when no
  // settings object can be made.
  int LoadState(const CString& path);
  // Empties the table file and the records (the prompt flag stays).
  void Clear();

  void SetTableFile(const CString& path);
  CString GetTableFile() const;
  void SetPromptDSPSave(BYTE prompt) { m_promptDSPSave = prompt; }
  BYTE GetPromptDSPSave() const { return m_promptDSPSave; }
  // The records of the set, in set order, each with its flag set.
  void SetUIRs(const std::set<CFileStamp>& uirs);
  const std::vector<CFileStamp>& GetUIRs() const { return m_uirs; }

  // Reads the .dsp file `dspName` in `projectFolder` for the .uir files it names, in file order,
  // with their times now; `count` gets their number. SCAN_MORE, SCAN_FEWER or SCAN_CHANGED
  // replace the records by what was found; SCAN_SAME keeps them. Throws UIRMGR_EXC_NO_PROJECT,
  // UIRMGR_EXC_FILE (also for a named .uir file that does not open) or UIRMGR_EXC_NO_MEMORY.
  int ScanProjectFile(const CString& projectFolder, const CString& dspName, int& count);

  // Regenerates the table file from the records: binds the run-time engine, reads every .uir
  // file's callbacks, then writes the whole table beside the file and puts it in its place, and
  // waits a second. UIRMGR_EXC_FILE when the engine, a .uir file or the table fails (the table
  // then as it was), UIRMGR_EXC_NO_MEMORY when memory runs out.
  void WriteTableFile();

  // Adds to the configuration, for every record, the custom build step that copies the .uir
  // file to the output folder; false when any addition failed (the others are still made).
  bool AddUIRCustomBuildStep(IConfiguration* configuration);

 private:
  BYTE m_promptDSPSave;
  CString m_tableFile;
  std::vector<CFileStamp> m_uirs;
};
