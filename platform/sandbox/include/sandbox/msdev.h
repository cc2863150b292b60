// Sandbox control of the IDE stand-in (platform/msdev): starting and stopping the IDE, opening a
// workspace, the log of automation calls, injected failures, live automation objects, add-ins,
// and what the IDE recorded and asked. Implemented by the msdev module.
//
// The IDE runs on the thread that starts it (its UI thread): its MFC application (AfxGetApp(),
// named "Microsoft Visual C++"), the main frame (AfxGetMainWnd() there) and the windows it makes
// belong to that thread, and the prompts it posts itself come when that thread pumps messages.
//
// On sandbox::Reset(): the IDE is stopped without firing any event (sinks and add-in command
// objects are released), everything recorded is cleared, the call log is empty and no failure
// is injected. Automation objects a caller still holds stay alive and answer
// RPC_E_DISCONNECTED, as objects of an IDE that has exited.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sandbox/core.h"

namespace sandbox::msdev {

// Starts the IDE as a user would (visible); nothing happens when it runs already. CoCreateInstance
// of its class (CLSID_Application; the ProgID "MSDEV.Application" where HKCR registers it) starts
// it too, invisible, as an automation server. Either way the add-ins registered for the user are
// loaded (see AddIns()), and while it runs the IDE holds its program file
// <VsCommonDir>\MSDev98\Bin\MSDEV.EXE open without sharing.
SANDBOX_API void StartIde();
// Closes the IDE as Quit does: BeforeApplicationShutDown reaches the sinks, every add-in hears
// OnDisconnection(VARIANT_FALSE) and is released, then the workspace and the documents are
// closed without further events or prompts, the windows go, and every sink and add-in command
// object is released. A user without "Include Dirs" then gets the IDE's defaults (directory
// lists, and Tools entries when the user has none; docs/STANDINS.md). What was recorded stays
// readable until the next start or reset.
SANDBOX_API void StopIde();
SANDBOX_API bool IdeRunning();

// Opens the workspace `dswPath` (a Windows path) in the running IDE, as File > Open Workspace
// does, through the application's OpenDocumentFile and the workspace's document template: the
// .dsw is read first; then a workspace already open is closed as Close Workspace does (prompts
// for changed items, which may keep it open: false, *error says so) and, once the workspace is in
// place, WorkspaceOpen fires (or NewWorkspace when `asNewWorkspace`, as after the New Project
// dialog made it; that also reopens the workspace that is open, which File > Open Workspace
// leaves as it is); a handler may close it again (false then). A .dsw that cannot
// be read or is not a workspace file fails: false, *error says why, the IDE shows its error box
// (captioned IdeTitle()), nothing changes. A project file that is missing or unreadable leaves
// that project without configurations and a line in WorkspaceMessages(). A project file that
// changed on disk since the IDE last read or wrote it in this run is asked about when the UI
// thread next pumps its messages (ReloadProjectPrompt). Starts the IDE when it is not running.
SANDBOX_API bool OpenWorkspace(const std::string& dswPath, std::string* error = nullptr, bool asNewWorkspace = false);
// Close Workspace, as the command (WM_COMMAND 36633 to the main frame) does: for each changed
// document and project, SaveChangesPrompt (Yes saves, No drops the changes, Cancel keeps the
// workspace open; a box a hook refused counts as No), then the documents close
// (BeforeDocumentClose) and the workspace (WorkspaceClose). True when no workspace is open after.
SANDBOX_API bool CloseWorkspace();
// File > New, as the user chooses it: the New Project dialog (the scripted user's modal of kind
// "NewProject", caption "New") lists the custom AppWizards (*.awx) of TemplateFolder() by their
// file titles; the user picks one (kNewProjectTypes), types the project's name and location (the
// folder the project's folder is made in) and checks its platforms ("Win32 (x86)", checked at
// first, and "Macintosh"). The IDE loads the module (its DllMain registers its custom AppWizard),
// and the host library (sandbox/wizard.h) fills the dictionary, runs InitCustomAppWiz,
// GetPlatforms, the wizard frame ("AppWizard") and, after Finish, the project's information
// ("NewProjectInformation"), then expands the templates. The IDE writes the files, makes the
// project with the configurations "<name> - Win32 Release" and "<name> - Win32 Debug", hands it
// to CustomizeProject, writes <name>.dsp (the changes made on it rendered in) and <name>.dsw,
// opens them as the new workspace (NewWorkspace fires), calls ExitCustomAppWiz and frees the
// module. False with *error when no project was made: "cancelled" (nothing written), or the text
// of the box the IDE showed (a refused template, a file that could not be written: nothing left
// on disk). Starts the IDE when it is not running; the dialog and the wizard run on this thread.
SANDBOX_API bool NewProject(std::string* error = nullptr);
// The folder the New Project dialog lists; "" (after a reset): the installation's
// <VsCommonDir>\MSDev98\Template.
SANDBOX_API void SetTemplateFolder(const std::string& windowsFolder);
SANDBOX_API std::string TemplateFolder();
// The New Project dialog's controls.
constexpr int kNewProjectTypes = 1000;
constexpr int kNewProjectName = 1001;
constexpr int kNewProjectLocation = 1002;
constexpr int kNewProjectWin32 = 1003;
constexpr int kNewProjectOther = 1004;

// Full path of the open .dsw, "" when none.
SANDBOX_API std::string WorkspacePath();
// What the IDE reported while it read the current workspace's projects.
SANDBOX_API std::vector<std::string> WorkspaceMessages();

// Every automation call on the IDE's objects, in the order the calls began, as one line
// "IProjects::Item(1) -> S_OK". Arguments: numbers as written, strings in double quotes (ANSI),
// VARIANTs by their value ("empty", "missing", &n for a reference, true/false, "object"/"null"
// for interfaces). Results by name (S_OK, E_INVALIDARG, ...) or as 0x%08X. IUnknown's methods
// are not logged.
SANDBOX_API std::vector<std::string> CallLog();
SANDBOX_API void ClearCallLog();

// The next `count` calls of `method` ("Interface::Method", as the call log writes it) return
// `result`, change nothing and null their out pointers. -1: every call until cleared.
SANDBOX_API void InjectFailure(const std::string& method, int32_t result, int count = 1);
SANDBOX_API void ClearFailures();

// Automation objects alive now, by kind: "Application", "Projects", "Project", "Configurations",
// "Configuration", "Documents", "Document", "Debugger", "ConnectionPoint". Kinds with none alive
// are left out. The running IDE holds one reference on its own Application object.
SANDBOX_API std::map<std::string, int> LiveObjects();
// References to the running IDE's Application object held outside the IDE.
SANDBOX_API int ApplicationReferences();

// What the IDE did for its callers.
struct Project {
  std::string name;
  std::string fullPath;
  std::vector<std::string> configurations;
  std::string activeConfiguration;  // "" when the project has none
  bool modified = false;
  std::vector<std::string> addedFiles;  // through IBuildProject::AddFile, in order
};
SANDBOX_API std::vector<Project> Projects();
SANDBOX_API std::string ActiveProject();  // "" without a workspace
// The user makes the project of that name (any case) the active one (Project > Set Active
// Project); false when the open workspace has none of that name.
SANDBOX_API bool SetActiveProject(const std::string& name);
// The user builds (Build > Build): the command reaches the main frame, which builds the active
// project's active configuration as IApplication::Build does (BeforeBuildStart, then
// BuildFinish(0, 0), to every sink; recorded in Builds()). False, nothing built, without a running
// IDE or an active project with a configuration.
SANDBOX_API bool Build();

// A configuration change: method is "AddToolSettings", "RemoveToolSettings", "AddCustomBuildStep",
// "AddCustomBuildStepToFile", "AddFileSettings" or "RemoveFileSettings"; arguments as passed.
struct SettingChange {
  std::string configuration;  // "Name - Win32 Debug"
  std::string method;
  std::vector<std::string> arguments;
  bool operator==(const SettingChange&) const = default;
};
// In call order; `configuration` "" gives the changes of every configuration.
SANDBOX_API std::vector<SettingChange> SettingChanges(const std::string& configuration = "");
// Configurations cleaned, and built ("Build" or "RebuildAll" then the configuration), in order.
SANDBOX_API std::vector<std::string> CleanedConfigurations();
SANDBOX_API std::vector<std::string> Builds();

// Commands added by add-ins (IApplication::AddCommand).
struct Command {
  std::string name;
  std::string buttonText;
  std::string statusText;
  std::string tooltip;
  std::string method;  // of the add-in's command object
  int32_t glyph = 0;   // offset in the add-in's toolbar bitmap
  int32_t cookie = 0;
};
SANDBOX_API std::vector<Command> Commands();
struct ToolbarButton {
  int32_t type = 0;  // DsButtonType
  std::string command;
  int32_t cookie = 0;
};
SANDBOX_API std::vector<ToolbarButton> ToolbarButtons();
// The toolbar windows the add-ins' first buttons made, in order: top-level windows of the thread
// that added the button (the UI thread), made by CreateWindowEx so that CBT hooks see them, named
// "Toolbar<n>" (n from 1 in each run of the IDE). The title is the window's final one (a hook may
// rename it), kept when the window goes; "" when a hook refused the window.
struct Toolbar {
  int32_t cookie = 0;
  std::string title;
};
SANDBOX_API std::vector<Toolbar> Toolbars();
// The Build pane of the output window: each line PrintToOutputWindow wrote, ending "\r\n".
SANDBOX_API std::string OutputPaneText();
// EnableModeless(FALSE) calls not yet balanced by EnableModeless(TRUE); modeless windows are
// enabled while it is 0.
SANDBOX_API int ModelessDisabledDepth();
SANDBOX_API bool ModelessEnabled();
SANDBOX_API bool IdeVisible();

// Open documents, in the order they were opened.
struct Document {
  std::string fullPath;
  bool readOnly = false;
  bool saved = true;
};
SANDBOX_API std::vector<Document> OpenDocuments();
// Marks an open document (full path, any case) as changed by the user; false when none is open.
SANDBOX_API bool MarkDocumentModified(const std::string& fullPath);

// The texts the IDE shows, as it shows them: its title (the main frame's without a workspace,
// the caption of every box it shows), the question before a changed document or project closes
// (MB_YESNOCANCEL | MB_ICONEXCLAMATION), and the question about a project file changed outside
// the IDE (MB_YESNO | MB_ICONQUESTION).
SANDBOX_API std::string IdeTitle();
SANDBOX_API std::string SaveChangesPrompt(const std::string& fullPath);
SANDBOX_API std::string ReloadProjectPrompt(const std::string& fullPath);

// Every question the IDE asked in this run, in order, with what came back. result 0: the box
// could not be made (a CBT hook refused it), so nobody saw it; the IDE took that as No.
struct Prompt {
  std::string text;
  unsigned style = 0;
  int result = 0;
};
SANDBOX_API std::vector<Prompt> Prompts();
// The IDE's windows that got the save-all command (WM_COMMAND 34560), in the order they got it:
// "MainFrame" (which saves every changed document and project file), and its descendants
// "Workspace" and "Output" (panes, children of the frame) and "Build" (a tab, child of Output),
// which only take note.
SANDBOX_API std::vector<std::string> SaveAllReceived();

// Add-ins the IDE loaded from HKCU\Software\Microsoft\DevStudio.0\AddIns (a subkey per ProgID
// whose default value is "1") and which stay connected, in load order. firstTime is what
// OnConnection was told: true until the add-in has once been loaded, after which the IDE writes
// "Loaded" = REG_DWORD 1 into its key.
struct AddIn {
  std::string progId;
  int32_t cookie = 0;
  bool firstTime = false;
};
SANDBOX_API std::vector<AddIn> AddIns();
// Add-ins that could not be made or connected, or declined to load, one line each. What one that
// declined registered while it connected (its command object, commands, buttons and toolbar)
// goes with it.
SANDBOX_API std::vector<std::string> AddInMessages();
// Unloads an add-in as the user does in the add-in list: OnDisconnection(VARIANT_TRUE), release;
// its command object, commands, buttons and toolbar go, and its key's default value becomes "0".
// Then the IDE calls CoFreeUnusedLibraries, so a server module whose DllCanUnloadNow answers
// S_OK is unloaded. False when no add-in of that ProgID is loaded.
SANDBOX_API bool UnloadAddIn(const std::string& progId);
// The user clicks the button of an add-in's command (a name AddCommand gave, any case): the
// click reaches the main frame as a WM_COMMAND, sent on the UI thread, whose handler calls the
// command's method on its add-in's command object by name (GetIDsOfNames, then Invoke). The
// command need not have a button in this run (the IDE keeps its toolbars between runs; the
// stand-in does not). Returns what Invoke returned; E_INVALIDARG for an unknown command,
// E_UNEXPECTED when the IDE has no main frame (not running), and S_FALSE without running
// anything while modeless windows are disabled (EnableModeless(FALSE)), as the toolbars then are.
SANDBOX_API int32_t RunCommand(const std::string& command);

}  // namespace sandbox::msdev
