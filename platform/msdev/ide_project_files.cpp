// The IDE's copies of its project files (ide.h): what it last read or wrote of each file in this
// run, kept across closing and opening workspaces, so that a file changed on disk meanwhile is
// noticed and the user is asked whether to reload it or keep the IDE's copy.
#include <windows.h>

#include <algorithm>

#include "file_io.h"
#include "ide.h"
#include "workspace_reader.h"

namespace msdev {
namespace {

// The project's name, configurations and active configuration from its file's text; false with a
// message when the text is not a project file's.
bool TakeProjectText(ProjectModel& project, const std::string& text, std::vector<std::string>& messages) {
  ProjectFileInfo info;
  std::string problem;
  if (!ParseProject(text, info, &problem)) {
    messages.push_back(project.fullPath + ": " + problem);
    project.configurations.clear();
    project.activeConfiguration = 0;
    return false;
  }
  project.name = info.name;
  project.configurations = info.configurations;
  project.type = info.type;
  const auto it = std::find(info.configurations.begin(), info.configurations.end(), info.defaultConfiguration);
  project.activeConfiguration = it == info.configurations.end() ? 0 : it - info.configurations.begin();
  return true;
}

std::string CannotRead(const std::string& path, unsigned long code) {
  return "cannot read the project " + path + " (error " + std::to_string(code) + ")";
}

}  // namespace

bool Ide::PathLess::operator()(const std::string& a, const std::string& b) const {
  return lstrcmpi(a.c_str(), b.c_str()) < 0;
}

// The file on disk is the IDE's copy unless the IDE holds another copy of it from earlier in this
// run: then the project shows the IDE's copy until the user has been asked.
ProjectRef Ide::ReadProject(const std::string& name, const std::string& fullPath, std::vector<std::string>& messages) {
  auto project = std::make_shared<ProjectModel>();
  project->name = name;
  project->fullPath = fullPath;
  std::string onDisk;
  unsigned long code = 0;
  if (!ReadWholeFile(fullPath, onDisk, &code)) {
    messages.push_back(CannotRead(fullPath, code));
    return project;
  }
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    auto [copy, added] = projectCopies_.try_emplace(fullPath, onDisk);
    project->copy = copy->second;
  }
  project->hasCopy = true;
  project->changedOutside = project->copy != onDisk;
  TakeProjectText(*project, project->copy, messages);
  return project;
}

std::vector<ProjectRef> Ide::ModifiedProjects() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  std::vector<ProjectRef> modified;
  for (const ProjectRef& project : projects_)
    if (project->modified) modified.push_back(project);
  return modified;
}

ProjectRef Ide::NextChangedOutside() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  for (const ProjectRef& project : projects_)
    if (project->changedOutside) return project;
  return nullptr;
}

void Ide::ReloadProject(const ProjectRef& project) {
  std::string onDisk;
  unsigned long code = 0;
  const bool read = ReadWholeFile(project->fullPath, onDisk, &code);
  std::lock_guard<std::recursive_mutex> g(lock_);
  if (!project->open) return;
  project->changedOutside = false;
  if (!read) {
    workspaceMessages_.push_back(CannotRead(project->fullPath, code));
    return;
  }
  project->copy = onDisk;
  project->hasCopy = true;
  project->modified = false;
  projectCopies_[project->fullPath] = onDisk;
  TakeProjectText(*project, onDisk, workspaceMessages_);
}

void Ide::KeepOwnCopy(const ProjectRef& project) {
  std::lock_guard<std::recursive_mutex> g(lock_);
  if (!project->open || !project->changedOutside) return;
  project->changedOutside = false;
  project->modified = true;
}

bool Ide::SaveProject(const ProjectRef& project, unsigned long* error) {
  std::string copy;
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    if (!project->hasCopy) {
      project->modified = false;
      return true;
    }
    copy = project->copy;
  }
  unsigned long code = 0;
  const bool written = WriteWholeFile(project->fullPath, copy, &code);
  std::lock_guard<std::recursive_mutex> g(lock_);
  if (!written) {
    if (error) *error = code;
    workspaceMessages_.push_back("cannot save the project " + project->fullPath + " (error " + std::to_string(code) +
                                 ")");
    return false;
  }
  project->modified = false;
  projectCopies_[project->fullPath] = copy;
  return true;
}

}  // namespace msdev
