// Turns a component selection into edits of the active project: adds what the marked catalogue
// components need and takes out what the unmarked ones brought, in the project file, the
// workspace file, the generated includes header TqIncludes.h beside the project file and the
// precompiled header of each configuration.
//
// It works on the file models through their editors, never on Developer Studio's in-memory
// project: the workspace is closed in Developer Studio before anything is written, and the caller
// reopens it afterwards (CVSApplication::ReopenWorkspace).
#pragma once

#include "stdafx.h"

#include <list>

#include "Component.h"

class CVSApplication;
class CDspEditor;
class CDswEditor;
class CIncludesFileEditor;
class CCPPCompilerEntryEditor;
class CDspFileGroupEditor;

class CVSProjectCustomizer {
 public:
  // On Windows NT the debug-information switches are treated differently (the depot's NT test).
  explicit CVSProjectCustomizer(bool isWindowsNT);

  // Applies the Selected flags of the whole catalogue to the active project and saves the three
  // files (with numbered backups of the project and workspace files when makeBackups; their paths
  // go to the out-parameters, either of which may be null). Refuses read-only files with
  // CVSProjectCustomizerException 5035 before anything is closed or written.
  void ApplyComponentSelection(CVSApplication& app, std::vector<CComponent>& catalogue, bool makeBackups,
                               CString* dspBackupPath, CString* dswBackupPath);
  // Sets each component's Selected flag from the project's includes header.
  void ReadCurrentSelection(CVSApplication& app, std::vector<CComponent>& catalogue);
  bool AllConfigurationsUseMFC(CVSApplication& app);
  bool IsDllProject(CVSApplication& app);
  static int CountSelectedComponents(const std::vector<CComponent>& catalogue);

  void AddSelectedComponents(CDswEditor& dsw, CDspEditor& dsp, CIncludesFileEditor& includes,
                             const std::vector<CComponent>& catalogue);
  void RemoveDeselectedComponents(CDswEditor& dsw, CDspEditor& dsp, CIncludesFileEditor& includes,
                                  const std::vector<CComponent>& catalogue);
  void AddComponentToProject(CDswEditor& dsw, CDspEditor& dsp, const CComponent& component);
  void RemoveComponentFromProject(CDswEditor& dsw, CDspEditor& dsp, const CComponent& component);
  void UpdateIncludesFile(CDspEditor& dsp, const std::vector<CComponent>& catalogue, const CString& includesPath);
  // Rewrites the precompiled header of each configuration (one unit, as in ApplyComponentSelection),
  // then shows message 5039 when a configuration has none and something is selected.
  void IncludeIncludesFileInStdAfx(CVSApplication& app, CDspEditor& dsp, const std::vector<CComponent>& catalogue);

  // Projects made for the previous (1.0) version of the class library (VSProjectUpgrade.cpp).
  //
  // Whether the current project links the 1.0 interface library in some configuration.
  bool IsVersion1Project(CVSApplication& app);
  // Whether the component is one of the ten that the 1.0 library held.
  static bool IsVersion1Component(const CComponent& component);
  // Takes the 64 headers of the 1.0 library out of the project tree's "Sablewing"/"Include".
  void RemoveVersion1HeaderFiles(CDspEditor& dsp);
  // Converts the current project: the 1.0 library, headers and include block go, the 1.0
  // components' 6.0 successors come in. The files are rewritten as one unit, the .dsw and the .dsp
  // after numbered backups when asked, whose paths are appended to `backupPaths` (.dsw first).
  // Refuses read-only files with CVSProjectCustomizerException 5035 before anything is closed or
  // written. The workspace stays closed; the caller reopens it.
  void UpgradeProject(CVSApplication& app, std::vector<CComponent>& catalogue, bool backupWorkspace,
                      bool backupProject, std::list<CString>& backupPaths);

 private:
  enum ConfigurationKind { configNeither, configDebug, configRelease };

  // The new texts of the precompiled headers that change, read and edited in memory, and whether
  // message 5039 is due.
  struct PrecompiledHeaderEdits {
    std::vector<std::pair<CString, CString>> changed;  // path, new text
    bool tellNoPrecompiledHeader = false;
  };
  // Files that `edits` already holds a new text of are edited from that text, not from the disk.
  void EditPrecompiledHeaders(CVSApplication& app, CDspEditor& dsp, const std::vector<CComponent>& catalogue,
                              PrecompiledHeaderEdits& edits);
  static void TellNoPrecompiledHeader();
  static ConfigurationKind KindOf(CCPPCompilerEntryEditor& compiler);

  void AddComponentHeaders(CDspEditor& dsp, const CComponent& component);
  void AddComponentSources(CDspEditor& dsp, const CComponent& component);
  void RemoveComponentFiles(CDspEditor& dsp, const CComponent& component, const std::vector<CString>& paths);
  void AddCompilerSettings(CDspEditor& dsp, const CComponent& component);
  void RemoveCompilerSettings(CDspEditor& dsp, const CComponent& component);
  void AddLinkerSettings(CDspEditor& dsp, const CComponent& component);
  void RemoveLinkerSettings(CDspEditor& dsp, const CComponent& component);
  void AddSections(CDspEditor& dsp, const CComponent& component);
  void RemoveSections(CDspEditor& dsp, const CComponent& component);

  // The precompiled header that configuration `index` names with its /Yu switch, resolved against
  // the project directory; false when the configuration names none.
  static bool GetPrecompiledHeaderPath(CDspEditor& dsp, int index, const CString& projectDir, CString& path);
  // What a run that rewrites the project's files does first: saves all in Developer Studio, reads
  // the workspace, the project and the includes header into the editors, refuses read-only files
  // with CVSProjectCustomizerException 5035 before anything is closed or written, and closes the
  // workspace. Returns the includes header's path.
  CString OpenForRewrite(CVSApplication& app, CDswEditor& dsw, CDspEditor& dsp, CIncludesFileEditor& includes);
  // True when a file that the selection rewrites exists and is read-only.
  static bool AreFilesToEditReadOnly(CVSApplication& app, CDspEditor& dsp, const CString& includesPath);

  bool m_isWindowsNT;
};

// Whether some project of the open workspace is a 1.0 project, by a search of each project file's
// text for the 1.0 interface library. The search ends, false, at the first project file that is
// empty or cannot be read, and when the workspace has no project.
bool ProjectFileUsesVersion1Library(CVSApplication& app);
// Whether a project file's text names the 1.0 interface library anywhere.
bool ProjectTextUsesVersion1Library(const CString& text);
