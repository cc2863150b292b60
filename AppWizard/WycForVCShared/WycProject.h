// CWycProject: reads a project file (.prj) of the Wyc C development environment, a settings file
// of the INI library's syntax, so that the Wyc plug-in can convert that project: its target type,
// version-information texts, include folders and its files sorted by kind. It never writes the
// file.
#pragma once

#include <afx.h>

#include "FileStamp.h"
#include "PathSet.h"
#include "ini/IniFile.h"

// Thrown by value from Read, always after a reset.
enum CWycProjectExc {
  WYCPRJ_EXC_NO_MEMORY = 0,     // out of memory, or an unexpected failure
  WYCPRJ_EXC_INI_READ = 1,      // the settings file could not be read
  WYCPRJ_EXC_MISSING_FILE = 2,  // a file of the project (not marked "Not In Project") does not exist
  WYCPRJ_EXC_MALFORMED = 3,     // a required key is absent or a value is malformed
  WYCPRJ_EXC_INI_OPEN = 4,      // the settings file did not open for the INI reader
};

class CWycProject {
 public:
  enum TargetType { EXECUTABLE = 0, DYNAMIC_LINK_LIBRARY = 1, STATIC_LIBRARY = 2, CONSOLE_EXECUTABLE = 3, NO_TARGET = 4 };
  enum DllCopyTarget { DLL_COPY_NONE = 0, DLL_COPY_SYSTEM_DIRECTORY = 1, DLL_COPY_VXIPNP_DIRECTORY = 2 };
  // The file sets, by the project's "File Type".
  enum FileSet {
    C_SOURCE_FILES = 0,      // "CSource"
    INCLUDE_FILES = 1,       // "Include"
    LIBRARY_FILES = 2,       // "Library"
    OBJECT_FILES = 3,        // "Object"
    FUNCTION_PANEL_FILES = 4,  // "Function Panel"
    UIR_FILES = 5,           // "User Interface Resource"
    OTHER_FILES = 6,         // "Unknown"
    FILE_SET_COUNT = 7
  };

  CWycProject();
  ~CWycProject();
  CWycProject(const CWycProject&) = delete;
  CWycProject& operator=(const CWycProject&) = delete;

  // Reads the project file `path` for a new project that will use the Wyc installation in
  // `wycFolder`: false (nothing changed) when the file does not open for reading, true after a
  // complete read; every other failure throws CWycProjectExc, the object reset.
  bool Read(const CString& path, const CString& wycFolder);
  // Empties everything (target type NO_TARGET) and frees the settings object.
  void Reset();

  bool GetInstrDriverSupportOnly() const { return m_instrDriverSupportOnly; }
  bool GetExportIncludeSymbols() const { return m_exportIncludeSymbols; }
  int GetTargetType() const { return m_targetType; }
  int GetDllCopyTarget() const { return m_dllCopyTarget; }
  const CPathSet& GetIncludePaths() const { return m_includePaths; }
  // The seven sets in index order.
  void GetFileSets(const CFileStampSet* sets[FILE_SET_COUNT]) const;
  // Indexes 0 to 6; another is a programming error, reported through the assertion handler (an
  // empty set is returned when the user goes on).
  const CFileStampSet& GetFileSet(int index) const;
  CString GetVXIPNPDir() const { return m_vxipnpDir; }

  CString GetIconFile() const { return m_iconFile; }
  CString GetNumericFileVersion() const { return m_numericFileVersion; }
  CString GetNumericProductVersion() const { return m_numericProductVersion; }
  CString GetFileVersion() const { return m_fileVersion; }
  CString GetProductVersion() const { return m_productVersion; }
  CString GetComments() const { return m_comments; }
  CString GetCompanyName() const { return m_companyName; }
  CString GetFileDescription() const { return m_fileDescription; }
  CString GetInternalName() const { return m_internalName; }
  CString GetLegalCopyright() const { return m_legalCopyright; }
  CString GetLegalTrademarks() const { return m_legalTrademarks; }
  CString GetOriginalFilename() const { return m_originalFilename; }
  CString GetPrivateBuild() const { return m_privateBuild; }
  CString GetProductName() const { return m_productName; }
  CString GetSpecialBuild() const { return m_specialBuild; }
  CString GetApplicationTitle() const { return m_applicationTitle; }
  CString GetBuildConfiguration() const { return m_buildConfiguration; }

 private:
  struct Moves;

  void ReadProject(const CString& path, const CString& wycFolder);
  void TakeBaseFolders(const CString& path);
  void ReadHeader(const CString& path, const CString& wycFolder, Moves& moves);
  void ReadTarget();
  void ReadIncludePaths(const Moves& moves);
  void ReadFiles(const Moves& moves);
  CString ReadPathKey(LPCSTR section, const CString& key) const;

  bool m_instrDriverSupportOnly;
  bool m_exportIncludeSymbols;
  int m_targetType;
  int m_dllCopyTarget;
  CString m_iconFile;
  CString m_numericFileVersion;
  CString m_numericProductVersion;
  CString m_fileVersion;
  CString m_productVersion;
  CString m_comments;
  CString m_companyName;
  CString m_fileDescription;
  CString m_internalName;
  CString m_legalCopyright;
  CString m_legalTrademarks;
  CString m_originalFilename;
  CString m_privateBuild;
  CString m_productName;
  CString m_specialBuild;
  CString m_applicationTitle;
  CString m_buildConfiguration;
  CPathSet m_includePaths;
  CFileStampSet m_fileSets[FILE_SET_COUNT];
  IniFile m_ini;
  CString m_wycDir;
  CString m_projectDir;
  CString m_vxipnpDir;
};
