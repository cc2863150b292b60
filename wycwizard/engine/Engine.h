// CEngine: the Wyc plug-in's work. While the user moves through the steps it sets and clears the
// template macros in the host's dictionary, from which the host library expands the plug-in's
// TEMPLATE resources; once the host hands over the new project it customizes it through the IDE's
// object model: the converted project's files, the function-panel modules, the starter file,
// include paths, libraries, the callback table and the build settings. Every failure inside it
// becomes one CEngineExc code with a fixed message.
#pragma once

#include <afxcoll.h>
#include <afxwin.h>
#include <objmodel/appauto.h>
#include <objmodel/bldauto.h>

#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "FileStamp.h"
#include "PathSet.h"

class CWycInstallation;
class CWycProject;

// Thrown by value; GetErrorText gives each its text.
enum CEngineExc {
  ENGINE_EXC_NO_MEMORY = 0,        // out of memory, or any MFC exception inside the engine
  ENGINE_EXC_NO_EXTLIB = 1,        // the installation lacks the extlib support libraries
  ENGINE_EXC_REGISTRY = 2,         // a registry read failed
  ENGINE_EXC_OPEN = 3,             // a file does not open
  ENGINE_EXC_NOT_PROJECT = 4,      // not a Wyc project file
  ENGINE_EXC_MISSING_FILES = 5,    // the project names files that do not exist
  ENGINE_EXC_READ = 6,             // a file read failed
  ENGINE_EXC_NO_INSTALLATION = 7,  // no compatible installation
  ENGINE_EXC_UNKNOWN = 8,          // anything else
};

class CEngine {
 public:
  enum ProjectType { EXECUTABLE = 0, DLL = 1, STATIC_LIBRARY = 2, CONSOLE = 3, NO_TYPE = 4 };

  // Over the host's dictionary, of which it keeps a snapshot. Throws ENGINE_EXC_NO_MEMORY.
  explicit CEngine(CMapStringToString* pDictionary);
  ~CEngine();
  CEngine(const CEngine&) = delete;
  CEngine& operator=(const CEngine&) = delete;

  // "FULL_DIR_PATH" and "root" from the dictionary.
  void ReadDictionary();
  // The dictionary as the snapshot holds it: every macro set since is gone.
  void ResetMacros();
  // Forgets what an earlier conversion left: its macros and the project reader's lists.
  void ClearConversion();

  // The compatible installations' version names; throws ENGINE_EXC_NO_INSTALLATION for none.
  int FindInstallations(std::vector<CString>& names);
  void SelectInstallation(const CString& version);
  // False when the file does not open; the project's settings become macros.
  bool ReadProjectToConvert(const CString& path);

  void SetCreateNewProject(int createNew);
  int GetCreateNewProject() const { return m_nCreateNewProject; }
  void SetGenerateCode(bool generate, bool cpp);
  void SetProjectType(int type);
  int GetProjectType() const { return m_nProjectType; }
  void SetExportIncludes(bool exportIncludes);
  void SetInstrSup(bool instrSup);
  void SetTimeStamp();
  void SetIconFile();
  void SetVersionInfo();
  void SetNeedResourceFile();

  // Holds the project, its application and configurations; false when the object model failed.
  bool AttachProject(IBuildProject* pProject);
  void DetachProject();

  // Resolves the project's and the installation's function-panel modules; false when some could
  // not be fully resolved (see GetProblemLists).
  bool CheckFunctionPanels();
  bool CheckFunctionPanelModule(const CString& module);
  void GetProblemLists(const CPathSet** sourceMissing, const CPathSet** headerMissing, const CPathSet** unlocated,
                       const CPathSet** invalid) const;

  // Each returns false when some object-model call failed (the others are still made).
  bool AddProjectFiles();
  void OpenStarterFile();
  bool AddIncludePaths();
  bool AddLibraries();
  // False when the table or its state file was not written (the rest of the set-up then skipped);
  // EngineMissingReported() tells whether the user was already told the run-time engine is missing.
  bool SetUpUIRCallbackTable();
  bool EngineMissingReported() const { return m_bEngineMissing; }
  bool AdjustBuildSettings();

  static void GetErrorText(int code, CString& text);
  static void ShowError(int code);

 private:
  void SetMacro(LPCTSTR name, bool set);
  void SetMacroValue(LPCTSTR name, const CString& value);
  void ReleaseProject();
  // AddToolSettings (or RemoveToolSettings) on every configuration; false when any failed.
  bool ToolSettings(LPCTSTR tool, const CString& settings, bool add = true);
  bool CheckModule(const CString& module, const CPathSet& folders);

  bool m_bGenerateCode;
  bool m_bCpp;
  bool m_bInstrSup;
  int m_nConfigurations;
  CString m_strProjectDir;
  CString m_strProjectName;
  CMapStringToString m_savedDictionary;
  int m_nCreateNewProject;  // 1 until the first step says otherwise
  int m_nProjectType;
  CWycInstallation* m_pInstallation;
  CWycProject* m_pProject;
  CMapStringToString* m_pDictionary;
  IApplication* m_pApplication;
  IBuildProject* m_pBuildProject;
  IConfiguration** m_ppConfigurations;
  CPathSet m_headerMissing;
  CPathSet m_sourceMissing;
  CPathSet m_unlocated;
  CPathSet m_invalid;

  // The converted project's lists as the customization extends them (empty for a new project).
  CFileStampSet m_files[7];
  CPathSet m_includePaths;
  // The search folders of the current module check, and each module's outcome in this run.
  CPathSet m_searchFolders;
  std::unordered_map<std::string, bool> m_checked;
  bool m_bEngineMissing;
};
