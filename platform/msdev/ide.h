// The IDE itself, one per process: whether it runs, the open workspace and its projects, the
// open documents, the add-ins' commands and toolbar buttons, the output pane, and the sinks of
// its events. Plain C++ operations: the IDE's MFC application, main frame and documents
// (ide_app.h) and the automation objects call them; they are the one place where the IDE's
// behaviour lives. The MFC classes are its windows and documents: they show the prompts and
// route the commands.
//
// The IDE is apartment-threaded, as the real program is: its callers are expected on one thread
// at a time. A lock still guards the state, so the sandbox may look at it from anywhere; events
// are fired, and add-in commands run, with the lock released, so a sink may call back in.
#pragma once

#include <objmodel/appauto.h>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "addin_loader.h"
#include "event_sinks.h"
#include "ide_installation.h"
#include "sandbox/msdev.h"

class CIdeApp;

namespace msdev {

// A project of the open workspace. The automation objects that stand for it share it, so an
// object a caller keeps after the workspace closed finds `open` false.
struct ProjectModel {
  std::string name;
  std::string fullPath;
  std::vector<std::string> configurations;
  size_t activeConfiguration = 0;
  std::string type = DS_BUILD_PROJECT;  // what the project's Type answers
  bool modified = false;
  bool open = true;
  std::vector<std::string> addedFiles;
  // Every change recorded on the project's configurations, in order.
  std::vector<sandbox::msdev::SettingChange> changes;
  // The IDE's own copy of the project file: what it last read or wrote. Saving writes it back;
  // what the automation recorded is kept beside it, never merged into the text.
  std::string copy;
  bool hasCopy = false;         // false when the file could not be read
  bool changedOutside = false;  // the file on disk is not the IDE's copy: to be asked about
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
  // automation server. The calling thread becomes the IDE's UI thread: the MFC application
  // (with its main frame and document templates) is made on it, then the add-ins registered
  // for the user are loaded.
  void Start(bool visible);
  // Quits (`fireShutdown`): BeforeApplicationShutDown reaches the sinks and each add-in hears
  // OnDisconnection(VARIANT_FALSE). Without it (a sandbox reset) nobody is told. Then the
  // workspace and the documents close silently, the windows and the MFC application go, and
  // add-ins, sinks and command objects are released; the program file is let go, and a quit
  // writes the user's defaults (ide_installation.h).
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
  // Forgets everything recorded (sandbox reset); stops first, telling nobody.
  void Reset();
  // The running IDE's MFC application; null while it is stopped.
  CIdeApp* App();

  // --- Workspace --------------------------------------------------------------------------
  // Opens a .dsw (closing the open one first, without asking). False with *error, nothing
  // changed, when it cannot be read. A project file that is not the IDE's copy of it (it changed
  // on disk since the IDE last read or wrote it in this run) is shown from the IDE's copy and
  // marked changedOutside. Called by the workspace document (workspace_doc.h), which asks first.
  bool OpenWorkspace(const std::string& dswPath, std::string* error);
  // Tells the sinks that the workspace is open (NewWorkspace when the New Project dialog made
  // it, else WorkspaceOpen): called once the opening is over, the workspace document in place with
  // its path, so that a handler finds the workspace as the user does, and may close it.
  void WorkspaceOpened(bool asNewWorkspace);
  // Closes the open workspace without asking; fires WorkspaceClose.
  void CloseWorkspace();
  std::string WorkspacePath();
  // The workspace's name: the .dsw's file name without its extension; "" without a workspace.
  std::string WorkspaceName();
  std::vector<std::string> WorkspaceMessages();
  std::vector<ProjectRef> Projects();
  ProjectRef ActiveProject();            // null without a workspace
  bool SetActiveProject(const ProjectRef& project);  // false for a project not open here
  // The project of a configuration named `name` (any case); null when none has it.
  ProjectRef FindConfiguration(const std::string& name, std::string* exactName);
  bool SetActiveConfiguration(const ProjectRef& project, const std::string& configuration);

  // --- Project files (ide_project_files.cpp) ------------------------------------------------
  std::vector<ProjectRef> ModifiedProjects();
  // The first open project whose file changed outside the IDE and was not asked about; null when none.
  ProjectRef NextChangedOutside();
  // Reads the project file again: configurations from the file, the new bytes are the IDE's copy,
  // nothing modified.
  void ReloadProject(const ProjectRef& project);
  // Keeps the IDE's copy over what is on disk: the project is modified, so saving writes it back.
  void KeepOwnCopy(const ProjectRef& project);
  // Writes the IDE's copy of the project file (beside it, then renamed over it); false, with a
  // line in WorkspaceMessages() and the system error in *error, when it cannot be written; the
  // project then stays modified. A project without a copy has nothing to write.
  bool SaveProject(const ProjectRef& project, unsigned long* error = nullptr);

  // --- Build ------------------------------------------------------------------------------
  void Clean(const std::string& configuration);
  // Records the build and fires BeforeBuildStart then BuildFinish(0, 0).
  void Build(const std::string& configuration, bool rebuildAll);
  // The user's Build command: builds the active project's active configuration; false when
  // there is none.
  bool BuildActive();
  void RecordSetting(const ProjectRef& project, sandbox::msdev::SettingChange change);
  void AddFile(const ProjectRef& project, const std::string& file);

  // --- New projects (new_project.cpp) --------------------------------------------------------
  // Where the New Project dialog looks for custom AppWizards: the sandbox's folder, else the
  // installation's.
  std::string TemplateFolder();
  void SetTemplateFolder(const std::string& folder);
  // A project being made by the New Project dialog, in no workspace yet: its automation objects
  // work until it is written and opened.
  ProjectRef MakeNewProject(const std::string& name, const std::string& fullPath,
                            const std::vector<std::string>& configurations);
  // The IDE wrote the project file: these bytes are its copy of it.
  void NoteProjectWritten(const std::string& fullPath, const std::string& bytes);

  // --- Documents --------------------------------------------------------------------------
  // Opens the text document of an existing file and fires DocumentOpen. A missing file: the
  // Win32 error as an HRESULT, nothing opened.
  HRESULT OpenDocument(const std::string& path, bool readOnly, DocumentRef& document);
  std::vector<DocumentRef> Documents();
  // Fires BeforeDocumentClose, then closes it.
  void CloseDocument(const DocumentRef& document);
  // Marks it saved and fires DocumentSave.
  void SaveDocument(const DocumentRef& document);
  // Saves every changed document and writes every modified project file; returns the texts of
  // the IDE's error boxes for the project files it could not write (the caller shows them).
  std::vector<std::string> SaveAll();
  bool MarkDocumentModified(const std::string& fullPath);

  // --- Add-ins ----------------------------------------------------------------------------
  void SetAddInInfo(long cookie, IDispatch* commandObject);
  // S_OK and *added false for a second command of the same name; E_UNEXPECTED when the cookie
  // had no SetAddInInfo.
  HRESULT AddCommand(const std::string& nameAndTexts, const std::string& method, long glyph, long cookie,
                     bool& added);
  // The first button of an add-in (by cookie) makes the add-in's toolbar window.
  HRESULT AddCommandBarButton(long type, const std::string& command, long cookie);
  // Calls the command's method on its add-in's command object (GetIDsOfNames + Invoke).
  HRESULT ExecuteCommand(const std::string& command);
  // The user clicks the command's button: the click reaches the main frame as WM_COMMAND with
  // the command's id, whose handler runs the command (CommandClicked). The command's result;
  // E_INVALIDARG for a command no add-in added, E_UNEXPECTED without the IDE's windows, S_FALSE
  // (nothing run) while modeless windows are disabled, as the toolbars then are.
  HRESULT RunCommand(const std::string& command);
  // The main frame got the WM_COMMAND of an add-in command's id.
  void CommandClicked(UINT id);
  void PrintToOutputWindow(const std::string& line);
  void EnableModeless(bool enable);
  bool Visible();
  void SetVisible(bool visible);
  long WindowState();
  void SetWindowState(long state);

  AddInLoader& AddIns() { return addInLoader_; }
  // The user unloads an add-in (AddInLoader::Unload): its command object, commands, buttons and
  // toolbar window go with it (ForgetAddIn). False when none of that ProgID is loaded.
  bool UnloadAddIn(const std::string& progId);
  // Lets go of what an add-in gave the IDE under its cookie: its command object, commands,
  // buttons and toolbar window. Also for an add-in that declined to load or failed to connect.
  void ForgetAddIn(long cookie);

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
  std::vector<sandbox::msdev::Toolbar> Toolbars();
  std::string OutputPaneText();
  int ModelessDisabledDepth();
  void RecordPrompt(const std::string& text, unsigned style, int result);
  std::vector<sandbox::msdev::Prompt> Prompts();
  void RecordSaveAllReceived(const std::string& window);
  std::vector<std::string> SaveAllReceived();

 private:
  struct AddIn {
    long cookie;
    IDispatch* commandObject;  // one reference held while the IDE runs
  };
  struct ToolbarRecord {
    int32_t cookie;
    HWND window;        // null when it could not be made
    std::string title;  // as last seen
  };
  // Compares paths as Windows does, without regard to case.
  struct PathLess {
    bool operator()(const std::string& a, const std::string& b) const;
  };

  Ide();
  void ClearRecords();
  void CloseWorkspaceLocked(std::vector<ProjectRef>& closed);
  void ReleaseSessionObjects();
  // Reads a project file for a workspace being opened (ide_project_files.cpp).
  ProjectRef ReadProject(const std::string& name, const std::string& fullPath, std::vector<std::string>& messages);
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
  // Each command's WM_COMMAND id (kFirstAddInCommandId on, in the order added in this run).
  std::map<UINT, std::string> commandIds_;
  UINT nextCommandId_ = 0;
  HRESULT lastClickResult_ = S_OK;
  std::vector<sandbox::msdev::ToolbarButton> buttons_;
  std::string outputPane_;
  int modelessDisabled_ = 0;
  std::vector<sandbox::msdev::SettingChange> settings_;
  std::vector<std::string> cleaned_;
  std::vector<std::string> builds_;
  // Per project file, the bytes the IDE last read or wrote in this run, across closing and
  // opening workspaces.
  std::map<std::string, std::string, PathLess> projectCopies_;
  std::vector<ToolbarRecord> toolbars_;
  std::string templateFolder_;  // set by the sandbox; "" for the installation's
  std::vector<sandbox::msdev::Prompt> prompts_;
  std::vector<std::string> saveAllReceived_;
  CIdeApp* app_ = nullptr;  // made and used on the UI thread

  AddInLoader addInLoader_;
  IdeInstallation installation_;  // its program file, held while it runs; the user's defaults
  EventSinks applicationSinks_;
  EventSinks debuggerSinks_;
};

}  // namespace msdev
