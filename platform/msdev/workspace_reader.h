// The IDE's own reader of workspace (.dsw) and project (.dsp) files: just what the IDE shows of
// them (the projects of a workspace, a project's name and configurations). It reads through
// kernel32 with Windows paths, takes CR LF or LF, and keeps every byte of names and paths.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace msdev {

// A project as the workspace file lists it.
struct WorkspaceEntry {
  std::string name;      // as quoted after "Project:"
  std::string fullPath;  // the project file, resolved against the workspace's folder
};

// What a project file says of itself.
struct ProjectFileInfo {
  std::string name;                         // from the first line's Name="..."
  std::vector<std::string> configurations;  // in file order
  std::string defaultConfiguration;         // the CFG= line's, when it names one of them
  // What the project's Type answers: "Utility" for a utility project (the header's first
  // "# TARGTYPE" line ends in a code whose low byte is 0x0a, "Win32 (x86) Generic Project"
  // 0x010a), else DS_BUILD_PROJECT ("Build").
  std::string type;
};

// The type a project of this TARGTYPE code has (see ProjectFileInfo::type).
constexpr char kUtilityProjectType[] = "Utility";

// Parses a workspace file's text. `folder` is the full path of the folder the .dsw lives in.
// False with a message in *error when the text is not a workspace file or a project line is
// malformed.
bool ParseWorkspace(std::string_view text, const std::string& folder, std::vector<WorkspaceEntry>& projects,
                    std::string* error);

// Reads and parses the workspace file at `path`: its full path and its projects. False with
// *error, and nothing set, when it cannot be read or is not a workspace file.
bool ReadWorkspaceFile(const std::string& path, std::string& fullPath, std::vector<WorkspaceEntry>& projects,
                       std::string* error);

// Parses a project file's text: configurations from the header's !MESSAGE "..." (based on ...)
// lines, else the # Name "..." lines, else the CFG= line (a single-configuration project); the
// type from the first "# TARGTYPE" line (the hexadecimal code in its last six characters). False
// with a message in *error when the first line is not a project file's.
bool ParseProject(std::string_view text, ProjectFileInfo& info, std::string* error);

}  // namespace msdev
