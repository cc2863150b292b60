// CWycInstallation: the installations of the Wyc C development environment on the machine, and
// what a generated project needs of one of them: its folder, include and instrument folders,
// library function panels, the libraries of its "extlib" folder and the VXIplug&play folder.
// Only installations whose compatibility mode is Microsoft Visual C++ are offered.
#pragma once

#include <afx.h>

#include <vector>

#include "FileStamp.h"
#include "PathSet.h"

// Thrown by value.
enum CWycInstallationExc {
  WYCINST_EXC_NO_MEMORY = 0,  // out of memory, or any unexpected failure
  WYCINST_EXC_EXTLIB = 1,     // the extlib folder lacks "wycrt.lib" or "instrsup.lib"
  WYCINST_EXC_REGISTRY = 3,   // a registry key or value could not be read
};

class CWycInstallation {
 public:
  CWycInstallation();

  // The version names (sub-keys of HKLM "Software\Vellacott\Wyc") whose CompatibilityMode begins
  // with "msvc" in any case, in the registry's order; names holding "dev" are never offered.
  // Returns their number (0 when the key is missing). Throws WYCINST_EXC_REGISTRY.
  static int FindInstallations(std::vector<CString>& names);

  // Fills everything from one installation; on failure throws CWycInstallationExc with the
  // object emptied.
  void Read(const CString& version);
  void Reset();
  // Files one library of the extlib folder: the run-time library, the instrument-support
  // library (by the exact case of their names), or one of the others.
  void AddExtLibrary(const CString& path);

  void GetInstallDir(CString& dir) const { dir = m_installDir; }
  void GetInstrSupLibrary(CString& path) const { path = m_instrSupLibrary; }
  void GetRunTimeLibrary(CString& path) const { path = m_runTimeLibrary; }
  // False, `path` untouched, when the installation has no VXIplug&play folder.
  bool GetVXIPNPPath(CString& path) const;
  const CPathSet* GetExtLibraries() const { return &m_extLibraries; }
  const CPathSet* GetIncludePaths() const { return &m_includePaths; }
  const CPathSet* GetInstrumentDirectories() const { return &m_instrumentDirectories; }
  const CFileStampSet* GetLibraryFPFiles() const { return &m_libraryFPFiles; }

 private:
  void ReadInstallation(const CString& version);
  void ReadVXIPNPPath();
  void ReadExtLibraries();

  CString m_installDir;
  CString m_instrSupLibrary;
  CString m_runTimeLibrary;
  CString m_vxipnpPath;
  CPathSet m_extLibraries;
  CPathSet m_includePaths;
  CPathSet m_instrumentDirectories;
  CFileStampSet m_libraryFPFiles;
};
