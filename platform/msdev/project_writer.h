// The project and workspace files the New Project dialog writes for a project a custom AppWizard
// generated: the IDE's own form of a .dsp of the project's kind (an MFC DLL, or a Win32
// application, dynamic-link library, static library or console application), the generated and
// added files in their groups, and every change the custom AppWizard made on the new project's
// objects rendered in; and a .dsw holding the one project. Pure functions of the project.
#pragma once

#include <string>
#include <vector>

#include "mfcapwz/mfcapwz_internal.h"
#include "sandbox/msdev.h"

namespace msdev {

struct NewProjectSpec {
  std::string name;      // the project's name as typed
  std::string safeName;  // SAFE_ROOT: the name as a C name, upper-case
  std::string folder;    // the project's folder, a full Windows path without a final backslash
  mfcapwz::ProjectKind kind = mfcapwz::ProjectKind::kApplication;
  bool mfcExtension = false;
  struct File {
    std::string path;  // relative to the folder
    bool resource = false;
  };
  std::vector<File> files;                // generated, in NEWPROJ.INF's order
  std::vector<std::string> addedFiles;    // IBuildProject::AddFile, in order, as given
  std::vector<sandbox::msdev::SettingChange> changes;  // on the project's configurations, in order
};

// "<name> - Win32 Release" and "<name> - Win32 Debug".
std::vector<std::string> NewProjectConfigurations(const std::string& name);

// The .dsp text, lines ending in CR LF. Tool settings added to a configuration join its ADD line
// of the tool (an option it holds already is not written twice), removed ones leave it; a tool the
// project's kind has no line for takes nothing. Custom build steps stand in their configuration's
// block; a file's settings and custom build steps in the file's block, for a file of the project.
std::string ProjectFileText(const NewProjectSpec& project);

// The .dsw text of a workspace holding the one project "<name>.dsp" beside it, CR LF.
std::string WorkspaceFileText(const std::string& name);

}  // namespace msdev
