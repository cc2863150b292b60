// The IDE itself, one per process: whether it runs, the open workspace and its projects, the
// open documents, the add-ins' commands and toolbar buttons, the output pane, and the sinks of
// its events. Plain C++ operations: the automation objects call them now, and the IDE's
// application, main frame and workspace document will call them once they exist.
//
// The IDE is apartment-threaded, as the real program is: its callers are expected on one thread
// at a time. A lock still guards the state, so the sandbox may look at it from anywhere; events
// are fired, and add-in commands run, with the lock released, so a sink may call back in.
#pragma once

#include <objmodel/appauto.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "event_sinks.h"
#include "sandbox/msdev.h"

namespace msdev {

// A project of the open workspace. The automation objects that stand for it share it, so an
// object a caller keeps after the workspace closed finds `open` false.
struct ProjectModel {
  std::string name;
  std::string fullPath;
  std::vector<std::string> configurations;
  size_t activeConfiguration = 0;
  bool modified = false;
  bool open = true;
  std::vector<std::string> addedFiles;
};

struct DocumentModel {
  std::string fullPath;
  bool readOnly = false;
  bool saved = true;
  bool open = true;
};

using ProjectRef = std::shared_ptr<ProjectModel>;
using DocumentRef = std::shared_ptr<DocumentModel>;

class Ide {
 public:
  static Ide& Instance();

  // --- Running ---------------------------------------------------------------------------
  // Starts the IDE when it is not running; `visible` as a user starts it, invisible as an
  // automation server.
  void Start(bool visible);
  // Quits: BeforeApplicationShutDown when `fireShutdown`, then the workspace and the documents
  // close silently and sinks and command objects are released.
  void Stop(bool fireShutdown);
  bool Running();
  // Changes at every start, so that objects made by an earlier run can tell they are stale.
  uint64_t Session();
  bool Serves(uint64_t session);
  // The running IDE's application object (starting the IDE invisible when none runs), asked
  // for `riid`.
  HRESULT Application(REFIID riid, void** ppv);
  // References callers hold on the application object.
  int ApplicationReferences();
  // Forgets everything recorded (sandbox reset); stops first.
  void Reset();

  // --- Workspace --------------------------------------------------------------------------
  // Opens a .dsw (closing the open one first). False with *error when it cannot be read.
  bool OpenWorkspace(const std::string& dswPath, std::string* error, bool asNewWorkspace = false);
  void CloseWorkspace();
  std::string WorkspacePath();
  std::vector<std::string> WorkspaceMessages();
  std::vector<ProjectRef> Projects();
  ProjectRef ActiveProject();            // null without a workspace
  bool SetActiveProject(const ProjectRef& project);  // false for a project not open here
  // The project of a configuration named `name` (any case); null when none has it.
  ProjectRef FindConfiguration(const std::string& name, std::string* exactName);
  bool SetActiveConfiguration(const ProjectRef& project, const std::string& configuration);

  // --- Build ------------------------------------------------------------------------------
  void Clean(const std::string& configuration);
  // Records the build and fires BeforeBuildStart then BuildFinish(0, 0).
  void Build(const std::string& configuration, bool rebuildAll);
  void RecordSetting(const ProjectRef& project, sandbox::msdev::SettingChange change);
  void AddFile(const ProjectRef& project, const std::string& file);

  // --- Documents --------------------------------------------------------------------------
  // Opens the text document of an existing file and fires DocumentOpen. A missing file: the
  // Win32 error as an HRESULT, nothing opened.
  HRESULT OpenDocument(const std::string& path, bool readOnly, DocumentRef& document);
  std::vector<DocumentRef> Documents();
  // Fires BeforeDocumentClose, then closes it.
  void CloseDocument(const DocumentRef& document);
  // Marks it saved and fires DocumentSave.
  void SaveDocument(const DocumentRef& document);
  // Saves every changed document and forgets the projects' changes.
  void SaveAll();
  bool MarkDocumentModified(const std::string& fullPath);

  // --- Add-ins ----------------------------------------------------------------------------
  void SetAddInInfo(long cookie, IDispatch* commandObject);
  // S_OK and *added false for a second command of the same name; E_UNEXPECTED when the cookie
  // had no SetAddInInfo.
  HRESULT AddCommand(const std::string& nameAndTexts, const std::string& method, long glyph, long cookie,
                     bool& added);
  HRESULT AddCommandBarButton(long type, const std::string& command, long cookie);
  // Calls the command's method on its add-in's command object (GetIDsOfNames + Invoke).
  HRESULT ExecuteCommand(const std::string& command);
  void PrintToOutputWindow(const std::string& line);
  void EnableModeless(bool enable);
  bool Visible();
  void SetVisible(bool visible);
  long WindowState();
  void SetWindowState(long state);

  // --- Events -----------------------------------------------------------------------------
  EventSinks& ApplicationSinks() { return applicationSinks_; }
  EventSinks& DebuggerSinks() { return debuggerSinks_; }
  // Calls `event` on every application sink, in advise order, with no lock held.
  void FireApplicationEvent(const std::function<HRESULT(IApplicationEvents*)>& event);

  // --- What the sandbox reads ---------------------------------------------------------------
  std::vector<sandbox::msdev::SettingChange> SettingChanges();
  std::vector<std::string> CleanedConfigurations();
  std::vector<std::string> Builds();
  std::vector<sandbox::msdev::Command> Commands();
  std::vector<sandbox::msdev::ToolbarButton> ToolbarButtons();
  std::string OutputPaneText();
  int ModelessDisabledDepth();

 private:
  struct AddIn {
    long cookie;
    IDispatch* commandObject;  // one reference held while the IDE runs
  };

  Ide();
  void CloseWorkspaceLocked(std::vector<ProjectRef>& closed);
  void ReleaseSessionObjects();
  void FireDocumentEvent(HRESULT (IApplicationEvents::*event)(IDispatch*), const DocumentRef& document);

  std::recursive_mutex lock_;
  bool running_ = false;
  bool stopping_ = false;
  uint64_t session_ = 0;
  IApplication* application_ = nullptr;  // the IDE's own reference while running
  bool visible_ = false;
  long windowState_ = dsWindowStateNormal;

  std::string workspacePath_;
  std::vector<std::string> workspaceMessages_;
  std::vector<ProjectRef> projects_;
  size_t activeProject_ = 0;
  std::vector<DocumentRef> documents_;

  std::vector<AddIn> addIns_;
  std::vector<sandbox::msdev::Command> commands_;
  std::vector<sandbox::msdev::ToolbarButton> buttons_;
  std::string outputPane_;
  int modelessDisabled_ = 0;
  std::vector<sandbox::msdev::SettingChange> settings_;
  std::vector<std::string> cleaned_;
  std::vector<std::string> builds_;

  EventSinks applicationSinks_;
  EventSinks debuggerSinks_;
};

}  // namespace msdev
