// The IDE's process-wide state (ide.h): running, the workspace and its projects, the build
// records, events and what the sandbox reads. Documents and add-ins have files of their own.
#include "ide.h"

#include <windows.h>

#include <algorithm>

#include "application.h"
#include "ide_app.h"
#include "workspace_reader.h"

namespace msdev {
namespace {

bool SameText(const std::string& a, const std::string& b) { return lstrcmpi(a.c_str(), b.c_str()) == 0; }

}  // namespace

bool SessionAlive(uint64_t session) { return Ide::Instance().Serves(session); }

Ide::Ide() : applicationSinks_(IID_IApplicationEvents), debuggerSinks_(IID_IDebuggerEvents) {}

Ide& Ide::Instance() {
  static Ide* ide = new Ide;  // objects callers hold may outlive static destruction
  return *ide;
}

// --- Running ---------------------------------------------------------------------------------

void Ide::ClearRecords() {
  workspacePath_.clear();
  workspaceMessages_.clear();
  projects_.clear();
  activeProject_ = 0;
  documents_.clear();
  commands_.clear();
  commandIds_.clear();
  nextCommandId_ = 0;
  buttons_.clear();
  outputPane_.clear();
  modelessDisabled_ = 0;
  settings_.clear();
  cleaned_.clear();
  builds_.clear();
  projectCopies_.clear();
  toolbars_.clear();
  prompts_.clear();
  saveAllReceived_.clear();
}

void Ide::Start(bool visible) {
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    if (running_) return;
    running_ = true;
    ++session_;
    visible_ = visible;
    windowState_ = dsWindowStateNormal;
    ClearRecords();
    application_ = new ApplicationObject(session_);
  }
  addInLoader_.Clear();
  installation_.HoldProgramFile();
  // The application is the process's: made here, on the thread that becomes the UI thread.
  CIdeApp* app = new CIdeApp(visible);
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    app_ = app;
  }
  app->InitInstance();
  IDispatch* application = nullptr;
  if (SUCCEEDED(Application(IID_IDispatch, reinterpret_cast<void**>(&application)))) {
    addInLoader_.LoadAll(application, [this](long cookie) { ForgetAddIn(cookie); });
    application->Release();
  }
}

// A sandbox reset tells nobody: what the sinks and add-ins live in may be reset already. Either
// way the windows go before the application object, with no lock held.
void Ide::Stop(bool fireShutdown) {
  {
    // A sink that quits again while hearing of the shutdown finds the IDE already stopping.
    std::lock_guard<std::recursive_mutex> g(lock_);
    if (!running_ || stopping_) return;
    stopping_ = true;
  }
  if (fireShutdown) FireApplicationEvent([](IApplicationEvents* sink) { return sink->BeforeApplicationShutDown(); });
  addInLoader_.DisconnectAll(fireShutdown);
  Toolbars();  // their final titles, while the windows are there
  IApplication* application = nullptr;
  CIdeApp* app = nullptr;
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    stopping_ = false;
    std::vector<ProjectRef> closed;
    CloseWorkspaceLocked(closed);
    for (const DocumentRef& document : documents_) document->open = false;
    documents_.clear();
    running_ = false;
    application = application_;
    application_ = nullptr;
    app = app_;
    app_ = nullptr;
  }
  if (app) {
    app->CloseWindows();
    delete app;
  }
  ReleaseSessionObjects();
  if (application) application->Release();
  installation_.ReleaseProgramFile();
  if (fireShutdown) IdeInstallation::WriteUserDefaults();
}

// Sinks and command objects are callers' objects: released with no lock held, since their
// destructors may call back.
void Ide::ReleaseSessionObjects() {
  std::vector<AddIn> addIns;
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    addIns.swap(addIns_);
  }
  for (const AddIn& addIn : addIns)
    if (addIn.commandObject) addIn.commandObject->Release();
  applicationSinks_.Clear();
  debuggerSinks_.Clear();
}

bool Ide::Running() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return running_;
}

uint64_t Ide::Session() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return session_;
}

bool Ide::Serves(uint64_t session) {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return running_ && session == session_;
}

HRESULT Ide::Application(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (!Running()) Start(false);
  std::lock_guard<std::recursive_mutex> g(lock_);
  if (!application_) return E_UNEXPECTED;  // stopped meanwhile by another thread
  return application_->QueryInterface(riid, ppv);
}

int Ide::ApplicationReferences() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  if (!application_) return 0;
  application_->AddRef();
  return static_cast<int>(application_->Release()) - 1;  // less the IDE's own
}

void Ide::Reset() {
  Stop(false);
  addInLoader_.Clear();
  std::lock_guard<std::recursive_mutex> g(lock_);
  ClearRecords();
  templateFolder_.clear();
  visible_ = false;
}

CIdeApp* Ide::App() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return app_;
}

// --- Workspace -------------------------------------------------------------------------------

bool Ide::OpenWorkspace(const std::string& dswPath, std::string* error) {
  std::string full;
  std::vector<WorkspaceEntry> entries;
  if (!ReadWorkspaceFile(dswPath, full, entries, error)) return false;
  std::vector<ProjectRef> projects;
  std::vector<std::string> messages;
  for (const WorkspaceEntry& entry : entries) projects.push_back(ReadProject(entry.name, entry.fullPath, messages));

  if (!WorkspacePath().empty()) CloseWorkspace();
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    workspacePath_ = full;
    workspaceMessages_ = std::move(messages);
    projects_ = std::move(projects);
    activeProject_ = 0;
  }
  return true;
}

void Ide::WorkspaceOpened(bool asNewWorkspace) {
  if (asNewWorkspace) FireApplicationEvent([](IApplicationEvents* sink) { return sink->NewWorkspace(); });
  else FireApplicationEvent([](IApplicationEvents* sink) { return sink->WorkspaceOpen(); });
}

void Ide::CloseWorkspaceLocked(std::vector<ProjectRef>& closed) {
  for (const ProjectRef& project : projects_) project->open = false;
  closed.swap(projects_);
  projects_.clear();
  workspacePath_.clear();
  activeProject_ = 0;
}

void Ide::CloseWorkspace() {
  std::vector<ProjectRef> closed;
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    if (workspacePath_.empty()) return;
    CloseWorkspaceLocked(closed);
  }
  FireApplicationEvent([](IApplicationEvents* sink) { return sink->WorkspaceClose(); });
}

std::string Ide::WorkspaceName() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  const size_t slash = workspacePath_.find_last_of("\\/");
  std::string name = workspacePath_.substr(slash == std::string::npos ? 0 : slash + 1);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string Ide::WorkspacePath() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return workspacePath_;
}

std::vector<std::string> Ide::WorkspaceMessages() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return workspaceMessages_;
}

std::vector<ProjectRef> Ide::Projects() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return projects_;
}

ProjectRef Ide::ActiveProject() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return activeProject_ < projects_.size() ? projects_[activeProject_] : nullptr;
}

bool Ide::SetActiveProject(const ProjectRef& project) {
  std::lock_guard<std::recursive_mutex> g(lock_);
  const auto it = std::find(projects_.begin(), projects_.end(), project);
  if (it == projects_.end()) return false;
  activeProject_ = static_cast<size_t>(it - projects_.begin());
  return true;
}

ProjectRef Ide::FindConfiguration(const std::string& name, std::string* exactName) {
  std::lock_guard<std::recursive_mutex> g(lock_);
  for (const ProjectRef& project : projects_) {
    for (const std::string& configuration : project->configurations) {
      if (SameText(configuration, name)) {
        if (exactName) *exactName = configuration;
        return project;
      }
    }
  }
  return nullptr;
}

bool Ide::SetActiveConfiguration(const ProjectRef& project, const std::string& configuration) {
  std::lock_guard<std::recursive_mutex> g(lock_);
  const auto& names = project->configurations;
  const auto it = std::find(names.begin(), names.end(), configuration);
  if (!project->open || it == names.end()) return false;
  project->activeConfiguration = static_cast<size_t>(it - names.begin());
  return true;
}

// --- Build -----------------------------------------------------------------------------------

void Ide::Clean(const std::string& configuration) {
  std::lock_guard<std::recursive_mutex> g(lock_);
  cleaned_.push_back(configuration);
}

void Ide::Build(const std::string& configuration, bool rebuildAll) {
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    builds_.push_back(std::string(rebuildAll ? "RebuildAll " : "Build ") + configuration);
  }
  FireApplicationEvent([](IApplicationEvents* sink) { return sink->BeforeBuildStart(); });
  FireApplicationEvent([](IApplicationEvents* sink) { return sink->BuildFinish(0, 0); });
}

bool Ide::BuildActive() {
  std::string configuration;
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    const ProjectRef active = ActiveProject();
    if (!active || active->configurations.empty()) return false;
    configuration = active->configurations[active->activeConfiguration];
  }
  Build(configuration, false);
  return true;
}

void Ide::RecordSetting(const ProjectRef& project, sandbox::msdev::SettingChange change) {
  std::lock_guard<std::recursive_mutex> g(lock_);
  project->modified = true;
  project->changes.push_back(change);
  settings_.push_back(std::move(change));
}

void Ide::AddFile(const ProjectRef& project, const std::string& file) {
  std::lock_guard<std::recursive_mutex> g(lock_);
  project->modified = true;
  project->addedFiles.push_back(file);
}

// --- Events ----------------------------------------------------------------------------------

// Every sink hears the event, in advise order, whatever an earlier one answered.
void Ide::FireApplicationEvent(const std::function<HRESULT(IApplicationEvents*)>& event) {
  for (IUnknown* sink : applicationSinks_.Snapshot()) {
    event(static_cast<IApplicationEvents*>(sink));
    sink->Release();
  }
}

// --- What the sandbox reads --------------------------------------------------------------------

std::vector<sandbox::msdev::SettingChange> Ide::SettingChanges() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return settings_;
}

std::vector<std::string> Ide::CleanedConfigurations() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return cleaned_;
}

std::vector<std::string> Ide::Builds() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return builds_;
}

std::vector<sandbox::msdev::Command> Ide::Commands() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return commands_;
}

std::vector<sandbox::msdev::ToolbarButton> Ide::ToolbarButtons() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return buttons_;
}

// A toolbar's title is read from its window while there is one (an add-in may rename it at any
// time), and kept when the window goes.
std::vector<sandbox::msdev::Toolbar> Ide::Toolbars() {
  std::vector<ToolbarRecord> records;
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    records = toolbars_;
  }
  for (ToolbarRecord& record : records) {
    if (record.window == nullptr || !IsWindow(record.window)) continue;
    char title[256] = "";
    GetWindowText(record.window, title, sizeof title);
    record.title = title;
  }
  std::vector<sandbox::msdev::Toolbar> toolbars;
  std::lock_guard<std::recursive_mutex> g(lock_);
  for (const ToolbarRecord& record : records) {
    for (ToolbarRecord& kept : toolbars_)
      if (kept.window == record.window && kept.cookie == record.cookie) kept.title = record.title;
    toolbars.push_back({record.cookie, record.title});
  }
  return toolbars;
}

std::string Ide::OutputPaneText() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return outputPane_;
}

int Ide::ModelessDisabledDepth() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return modelessDisabled_;
}

void Ide::RecordPrompt(const std::string& text, unsigned style, int result) {
  std::lock_guard<std::recursive_mutex> g(lock_);
  prompts_.push_back({text, style, result});
}

std::vector<sandbox::msdev::Prompt> Ide::Prompts() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return prompts_;
}

void Ide::RecordSaveAllReceived(const std::string& window) {
  std::lock_guard<std::recursive_mutex> g(lock_);
  saveAllReceived_.push_back(window);
}

std::vector<std::string> Ide::SaveAllReceived() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return saveAllReceived_;
}

}  // namespace msdev
