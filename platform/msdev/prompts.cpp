// The IDE's texts (prompts.h).
#include "prompts.h"

namespace msdev {

std::string FrameTitle(const std::string& workspaceName) {
  return workspaceName.empty() ? kIdeTitle : workspaceName + " - " + kIdeTitle;
}

std::string SaveChangesText(const std::string& fullPath) { return "Save changes to " + fullPath + "?"; }

std::string ReloadProjectText(const std::string& fullPath) {
  return "The project file '" + fullPath + "' has been modified outside of " + kIdeTitle +
         ".\nDo you want to reload it?";
}

std::string CannotSaveProjectText(const std::string& fullPath, unsigned long code) {
  return "The project file '" + fullPath + "' could not be saved (error " + std::to_string(code) + ").";
}

std::string CannotOpenWorkspaceText(const std::string& path, const std::string& reason) {
  return "Cannot open the workspace '" + path + "'.\n" + reason;
}

}  // namespace msdev
