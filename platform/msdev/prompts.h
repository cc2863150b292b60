// The IDE's title and the texts of what it asks and reports, in one place: the main frame, the
// documents and the sandbox (sandbox/msdev.h) all take them from here.
#pragma once

#include <string>

namespace msdev {

// The main frame's title without a workspace, and the caption of every box the IDE shows.
inline constexpr char kIdeTitle[] = "Microsoft Visual C++";

// The main frame's title: "<workspace name> - Microsoft Visual C++", or the IDE's title alone.
std::string FrameTitle(const std::string& workspaceName);
// Asked for each changed document or project when it is about to close (Yes No Cancel).
std::string SaveChangesText(const std::string& fullPath);
// Asked when a project file differs from what the IDE last read or wrote (Yes No).
std::string ReloadProjectText(const std::string& fullPath);
// Reported when Save All cannot save a project file (OK); `code` is the system error.
std::string CannotSaveProjectText(const std::string& fullPath, unsigned long code);
// Reported when a workspace file cannot be opened (OK).
std::string CannotOpenWorkspaceText(const std::string& path, const std::string& reason);

}  // namespace msdev
