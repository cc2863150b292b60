// Sandbox control of the IDE stand-in (sandbox/msdev.h), and its reset.
#include "sandbox/msdev.h"

#include <windows.h>

#include "automation_object.h"
#include "call_log.h"
#include "ide.h"
#include "ide_app.h"
#include "main_frame.h"
#include "prompts.h"
#include "sandbox/internal.h"

namespace sandbox::msdev {
namespace {

::msdev::Ide& TheIde() { return ::msdev::Ide::Instance(); }

struct Registration {
  Registration() {
    sandbox::internal::RegisterReset("msdev", [] {
      TheIde().Reset();
      ::msdev::ClearCallLog();
      ::msdev::ClearFailures();
    });
  }
} g_registration;

}  // namespace

void StartIde() { TheIde().Start(true); }
void StopIde() { TheIde().Stop(true); }
bool IdeRunning() { return TheIde().Running(); }

bool OpenWorkspace(const std::string& dswPath, std::string* error, bool asNewWorkspace) {
  TheIde().Start(true);
  CIdeApp* app = TheIde().App();
  if (app == nullptr) {
    if (error) *error = "the IDE is not running";
    return false;
  }
  return app->OpenWorkspace(dswPath, asNewWorkspace, error);
}

// As the menu command reaches the IDE: through the main frame.
bool CloseWorkspace() {
  CIdeApp* app = TheIde().App();
  if (app == nullptr) return true;
  if (CMainFrame* frame = app->MainFrame())
    frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE_WORKSPACE);
  else
    app->CloseWorkspace();
  return TheIde().WorkspacePath().empty();
}
std::string WorkspacePath() { return TheIde().WorkspacePath(); }

bool NewProject(std::string* error) {
  TheIde().Start(true);
  CIdeApp* app = TheIde().App();
  if (app == nullptr) {
    if (error) *error = "the IDE is not running";
    return false;
  }
  return app->NewProject(error);
}
void SetTemplateFolder(const std::string& windowsFolder) { TheIde().SetTemplateFolder(windowsFolder); }
std::string TemplateFolder() { return TheIde().TemplateFolder(); }
std::vector<std::string> WorkspaceMessages() { return TheIde().WorkspaceMessages(); }

std::vector<std::string> CallLog() { return ::msdev::CallLog(); }
void ClearCallLog() { ::msdev::ClearCallLog(); }
void InjectFailure(const std::string& method, int32_t result, int count) {
  ::msdev::InjectFailure(method, static_cast<HRESULT>(result), count);
}
void ClearFailures() { ::msdev::ClearFailures(); }

std::map<std::string, int> LiveObjects() { return ::msdev::LiveObjects(); }
int ApplicationReferences() { return TheIde().ApplicationReferences(); }

std::vector<Project> Projects() {
  std::vector<Project> projects;
  for (const ::msdev::ProjectRef& p : TheIde().Projects()) {
    Project project{p->name, p->fullPath, p->configurations, "", p->modified, p->addedFiles};
    if (!p->configurations.empty()) project.activeConfiguration = p->configurations[p->activeConfiguration];
    projects.push_back(std::move(project));
  }
  return projects;
}

std::string ActiveProject() {
  const ::msdev::ProjectRef active = TheIde().ActiveProject();
  return active ? active->name : "";
}

bool SetActiveProject(const std::string& name) {
  for (const ::msdev::ProjectRef& project : TheIde().Projects())
    if (lstrcmpi(project->name.c_str(), name.c_str()) == 0) return TheIde().SetActiveProject(project);
  return false;
}

// As the menu command reaches the IDE: through the main frame.
bool Build() {
  CIdeApp* app = TheIde().App();
  CMainFrame* frame = app != nullptr ? app->MainFrame() : nullptr;
  const ::msdev::ProjectRef active = TheIde().ActiveProject();
  if (frame == nullptr || active == nullptr || active->configurations.empty()) return false;
  frame->SendMessage(WM_COMMAND, ID_BUILD_BUILD);
  return true;
}

std::vector<SettingChange> SettingChanges(const std::string& configuration) {
  std::vector<SettingChange> changes;
  for (SettingChange& change : TheIde().SettingChanges())
    if (configuration.empty() || lstrcmpi(change.configuration.c_str(), configuration.c_str()) == 0)
      changes.push_back(std::move(change));
  return changes;
}

std::vector<std::string> CleanedConfigurations() { return TheIde().CleanedConfigurations(); }
std::vector<std::string> Builds() { return TheIde().Builds(); }
std::vector<Command> Commands() { return TheIde().Commands(); }
std::vector<ToolbarButton> ToolbarButtons() { return TheIde().ToolbarButtons(); }
std::vector<Toolbar> Toolbars() { return TheIde().Toolbars(); }
std::string OutputPaneText() { return TheIde().OutputPaneText(); }
int ModelessDisabledDepth() { return TheIde().ModelessDisabledDepth(); }
bool ModelessEnabled() { return TheIde().ModelessDisabledDepth() == 0; }
bool IdeVisible() { return TheIde().Visible(); }

std::vector<Document> OpenDocuments() {
  std::vector<Document> documents;
  for (const ::msdev::DocumentRef& d : TheIde().Documents()) documents.push_back({d->fullPath, d->readOnly, d->saved});
  return documents;
}

bool MarkDocumentModified(const std::string& fullPath) { return TheIde().MarkDocumentModified(fullPath); }

std::string IdeTitle() { return ::msdev::kIdeTitle; }
std::string SaveChangesPrompt(const std::string& fullPath) { return ::msdev::SaveChangesText(fullPath); }
std::string ReloadProjectPrompt(const std::string& fullPath) { return ::msdev::ReloadProjectText(fullPath); }
std::vector<Prompt> Prompts() { return TheIde().Prompts(); }
std::vector<std::string> SaveAllReceived() { return TheIde().SaveAllReceived(); }

std::vector<AddIn> AddIns() { return TheIde().AddIns().Loaded(); }
std::vector<std::string> AddInMessages() { return TheIde().AddIns().Messages(); }
bool UnloadAddIn(const std::string& progId) { return TheIde().UnloadAddIn(progId); }
int32_t RunCommand(const std::string& command) { return TheIde().RunCommand(command); }

}  // namespace sandbox::msdev
