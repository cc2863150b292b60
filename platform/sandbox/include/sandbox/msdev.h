// Sandbox control of the IDE stand-in (platform/msdev): starting and stopping the IDE, opening a
// workspace, the log of automation calls, injected failures, live automation objects and what
// the IDE recorded. Implemented by the msdev module.
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
// of "MSDEV.Application" starts it too, invisible, as an automation server.
SANDBOX_API void StartIde();
// Closes the IDE as Quit does: BeforeApplicationShutDown reaches the sinks, then the workspace
// and the documents are closed without further events and every sink and add-in command object
// is released. What was recorded stays readable until the next start or reset.
SANDBOX_API void StopIde();
SANDBOX_API bool IdeRunning();

// Opens the workspace `dswPath` (a Windows path) in the running IDE, as File > Open Workspace
// does: a workspace already open is closed first (WorkspaceClose), then WorkspaceOpen fires (or
// NewWorkspace when `asNewWorkspace`, as after the New Project dialog made it). A .dsw that
// cannot be read or is not a workspace file fails: false, *error says why, nothing changes. A
// project file that is missing or unreadable leaves that project without configurations and a
// line in WorkspaceMessages(). Starts the IDE when it is not running.
SANDBOX_API bool OpenWorkspace(const std::string& dswPath, std::string* error = nullptr, bool asNewWorkspace = false);
SANDBOX_API void CloseWorkspace();
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

}  // namespace sandbox::msdev
