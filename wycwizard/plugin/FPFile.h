// CFPFile: one function-panel module of a Wyc project: where its panel file (.fp) lies among a set
// of folders, which file supplies its code (a C source, an object file or a library), its header,
// and the function names of the panel file's name table.
#pragma once

#include <afx.h>

#include <vector>

#include "FileStamp.h"
#include "PathSet.h"

// Thrown by value inside CFPFile; Find answers every one of them with INVALID.
enum CFPFileExc {
  FPFILE_EXC_NO_MEMORY = 0,    // out of memory, or an unexpected failure
  FPFILE_EXC_VERSION = 1,      // a version other than 4 or 5
  FPFILE_EXC_NOT_PANEL = 2,    // not a function-panel file (bad magic)
  FPFILE_EXC_UNREADABLE = 4,   // the file does not open, or a number or name runs past its end
};

class CFPFile {
 public:
  // What supplies the module's code.
  enum Kind { NOTHING = 0, LIBRARY = 1, OBJECT = 2, C_SOURCE = 3 };
  // Find's answers.
  enum Result { FOUND = 0, NO_PANEL_FILE = 1, FOUND_WITHOUT_HEADER = 2, NO_CODE_FILE = 3, INVALID = 4 };

  CFPFile();

  // Looks for "<module>.fp" in the folders, in set order, and for its code file and header (see
  // the .cpp); `frameworkFolder` is the Wyc installation's VXIplug&play folder, empty when it has
  // none. Reads the panel file's names when a code file was found.
  int Find(const CString& module, const CString& frameworkFolder, const CPathSet& folders);

  int GetKind() const { return m_kind; }
  const CString& GetFolder() const { return m_folder; }
  const CFileStamp& GetHeader() const { return m_header; }
  const CFileStamp& GetModule() const { return m_module; }
  const std::vector<CString>& GetNames() const { return m_names; }
  int GetNameCount() const { return static_cast<int>(m_names.size()); }

 private:
  bool FindCode(const CString& module, const CString& framework, bool insideFramework);
  void FindHeader(const CString& module, const CString& framework, bool insideFramework);
  void ReadNames(const CString& path);

  int m_kind;
  CString m_folder;
  CFileStamp m_header;
  CFileStamp m_module;
  std::vector<CString> m_names;
};
