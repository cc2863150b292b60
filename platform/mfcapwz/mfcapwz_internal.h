// What the IDE stand-in (platform/msdev) asks of the host library beyond customaw.h: running a
// loaded custom AppWizard from its start to its project's files, and the calls that end it.
#pragma once

#include <customaw.h>

#include <string>
#include <vector>

namespace mfcapwz {

// The kind of project the wizard made, from the dictionary: an MFC DLL when the standard step 8
// was left with Next or Finish, else the first of PROJTYPE_EXE, _DLL, _LIB, _CON that is in the
// dictionary (an application when none is).
enum class ProjectKind { kApplication, kDynamicLibrary, kStaticLibrary, kConsole, kMfcDll };

struct GeneratedFile {
  std::string path;     // relative to the project's folder
  std::string bytes;    // what the template gave: lines end in "\n" unless copied as it is
  bool copied = false;  // "=": the template's bytes as they are
  bool resource = false;  // ":": one of the project's resource files
};

struct WizardRun {
  // What the New Project dialog gives.
  std::string name;    // as the user typed it
  std::string folder;  // the project's folder, a full Windows path
  std::vector<std::string> platforms;
  std::string title;   // the frame's first title
  HWND owner = nullptr;

  // What came of it.
  enum class Outcome { kCancelled, kGenerated, kRefused } outcome = Outcome::kCancelled;
  std::string refusal;  // for kRefused: which template, its line and what is wrong
  std::vector<std::string> platformsKept;  // after GetPlatforms
  std::vector<GeneratedFile> files;
  ProjectKind kind = ProjectKind::kApplication;
  bool mfcExtension = false;  // an MFC DLL that is an extension DLL ("EXTDLL")
};

// The custom AppWizard its module's DllMain registered, or null; Forget lets it go (the IDE frees
// the module).
STANDIN_API CCustomAppWiz* RegisteredAppWiz();
STANDIN_API void ForgetRegisteredAppWiz();

// Fills the dictionary with the host's macros, calls InitCustomAppWiz and GetPlatforms, runs the
// frame and, when the user confirmed the project, expands NEWPROJ.INF and each template it lists
// (LoadTemplate, then CopyTemplate for "=" or ProcessTemplate, then PostProcessTemplate) into
// `run.files`. An exception out of the custom AppWizard is reported and cancels. Nothing is
// written to disk.
STANDIN_API void RunWizard(WizardRun& run);
// The new project to the custom AppWizard, and the wizard's end; an MFC exception out of either is
// reported and deleted.
STANDIN_API void CustomizeProject(IBuildProject* project);
STANDIN_API void EndWizard();

}  // namespace mfcapwz
