// The msdev program: Developer Studio with the add-in, on a real project, for a user to watch.
//
//   msdev [--answers <file>] [<workspace.dsw or its folder>]
//
// It sets up the sample world (C: is sample/; the registry is sample/sablewing.reg in a file bound
// for the run, or the file SABLEWING_REGISTRY names), registers the built SablewingAddIn.dll
// unless it is registered, starts the IDE (which loads the add-in through the registry and COM),
// opens the workspace and runs the commands the answers file names (answers.h), the scripted user
// answering from it. It prints each modal as the user saw it and saves a picture of each dialog as
// the user left it, then the unified diff of each project file that changed and the backups made.
//
// Without a workspace it works on a fresh copy of sample/Projects/Thermo in the build folder;
// with one, on the user's project in place. The answers are sample/demo-answers.txt unless named.
// Pictures, the run's registry file and the copy lie in the run folder, <build>/msdev-run unless
// SABLEWING_MSDEV_RUN names another. Paths print relative to the workspace's folder (pictures to
// the run folder), so the output of a run is always the same. An answer that does not fit its
// dialog (a control the dialog does not have) cancels the dialog instead, and the run stops after
// that command. Exit codes: 0 done; 1 the run went wrong (the workspace did not open, the add-in
// did not load, an answer did not fit or was not used); 2 wrong arguments, a malformed answers
// file or a workspace that is not there, refused before anything is written.
#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "answers.h"
#include "project_snapshot.h"
#include "regsvr32.h"
#include "sandbox/msdev.h"
#include "sandbox/sandbox.h"

namespace fs = std::filesystem;
using namespace msdev_program;

namespace {

constexpr char kAddInProgId[] = "SablewingAddIn.DSAddIn.1";
constexpr char kAddInServerKey[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{86C23612-42B4-4B2A-9852-14734F101E71}\\InprocServer32";

const fs::path kSourceDir = SABLEWING_SOURCE_DIR;

// What the stand-ins reported so far (a faulty script, a box left alone too long).
std::atomic<int> g_reported{0};
const fs::path kRunDir = std::getenv("SABLEWING_MSDEV_RUN") != nullptr ? fs::path(std::getenv("SABLEWING_MSDEV_RUN"))
                                                                         : fs::path(SABLEWING_BINARY_DIR) / "msdev-run";

int Refuse(const std::string& message) {
  std::cerr << "msdev: " << message << "\n";
  return 2;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The workspace a path names: a .dsw file, or a folder holding exactly one. "" with *error set
// when there is none.
fs::path FindWorkspace(const std::string& argument, std::string* error) {
  std::error_code ec;
  const fs::path path = fs::absolute(argument, ec);
  auto isWorkspace = [](const fs::path& p) {
    std::string extension = p.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
    return extension == ".dsw" && fs::is_regular_file(p);
  };
  if (fs::is_directory(path, ec)) {
    std::vector<fs::path> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(path, ec))
      if (isWorkspace(entry.path())) found.push_back(entry.path());
    if (found.size() == 1) return found[0];
    *error = argument + ": " + (found.empty() ? "no workspace (.dsw) in this folder"
                                              : "more than one workspace (.dsw) in this folder; name one");
    return {};
  }
  if (!fs::exists(path, ec)) {
    *error = argument + ": no such file or folder";
    return {};
  }
  if (!isWorkspace(path)) {
    *error = argument + ": not a workspace (.dsw) file";
    return {};
  }
  return path;
}

// A Windows path's start and what it shows as: the folders the run works in, relative to the
// workspace's folder (which shows as nothing), the longest first.
typedef std::vector<std::pair<std::string, std::string>> ShownFolders;

// The texts a user sees, with the paths in them relative to the workspace's folder.
std::string Shown(std::string text, const ShownFolders& folders) {
  for (const auto& [windows, shown] : folders)
    for (size_t at = text.find(windows); at != std::string::npos; at = text.find(windows, at + shown.size()))
      text.replace(at, windows.size(), shown);
  return text;
}

std::string ResultName(int result) {
  switch (result) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDYES: return "Yes";
    case IDNO: return "No";
    default: return std::to_string(result);
  }
}

// A picture's file name: its number and the dialog's caption.
std::string PictureName(int number, const std::string& caption) {
  std::string name = (number < 10 ? "0" : "") + std::to_string(number) + "-";
  for (char c : caption) name += std::isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(::tolower(c)) : '-';
  return name + ".png";
}

class Run {
 public:
  Run(const fs::path& workspace, const std::set<std::string>& folders) : workspace_(workspace) {
    for (const std::string& folder : folders) {
      std::string shown = fs::path(folder).lexically_relative(workspace.parent_path()).string();
      std::replace(shown.begin(), shown.end(), '/', '\\');
      folders_.push_back({sandbox::WindowsPath(folder) + "\\", shown == "." ? "" : shown + "\\"});
    }
    std::sort(folders_.begin(), folders_.end(),
              [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
  }

  // Queues a stage's answers; each dialog's picture is saved once its actions are done.
  void Queue(const Stage& stage) {
    for (const UserAnswer& answer : stage.answers) {
      sandbox::Answer::Action action;
      if (answer.kind == "Dialog") {
        action = [this, answer](void* window) {
          const int reportedBefore = g_reported;
          for (const UserAction& step : answer.actions) Work(window, step);
          SavePicture(window);
          // An answer that does not fit the dialog (a control it does not have) is not pressed
          // through: the user cancels, so that nothing is done that the answers did not mean.
          if (g_reported != reportedBefore) {
            std::cout << "  line " << answer.line << " of the answers does not fit this dialog: Cancel\n";
            misfits_ = true;
            sandbox::ClickButton(window, IDCANCEL);
          }
        };
      }
      sandbox::QueueAnswer(answer.kind, {answer.leave ? sandbox::kLeaveAlone : answer.result, answer.text, action});
    }
  }

  // The modals shown since the last call, as the user saw them.
  void ShowModals() {
    const std::vector<sandbox::Modal> modals = sandbox::Modals();
    for (; shownModals_ < modals.size(); ++shownModals_) {
      const sandbox::Modal& modal = modals[shownModals_];
      std::cout << "  " << modal.kind << " \"" << Shown(modal.caption, folders_) << "\"";
      if (modal.kind == "Dialog") std::cout << " (dialog " << modal.text.substr(1) << ")";
      std::cout << ": " << (modal.answered ? "" : "nobody answered, ") << ResultName(modal.result) << "\n";
      if (modal.kind != "Dialog") {
        std::istringstream lines(Shown(modal.text, folders_));
        for (std::string line; std::getline(lines, line);) std::cout << "    | " << line << "\n";
      } else if (modal.answered && shownPictures_ < pictures_.size()) {
        std::cout << "    picture " << pictures_[shownPictures_++] << "\n";
      }
    }
  }

  const ShownFolders& Folders() const { return folders_; }
  // Whether an answer did not fit the dialog it was given to.
  bool Misfits() const { return misfits_; }

 private:
  void Work(void* window, const UserAction& step) {
    switch (step.kind) {
      case UserAction::kCheckTreeItem: sandbox::ClickTreeItemImage(window, step.id, step.text); break;
      case UserAction::kClick: sandbox::ClickButton(window, step.id); break;
      case UserAction::kTick: sandbox::SetCheck(window, step.id, BST_CHECKED); break;
      case UserAction::kUntick: sandbox::SetCheck(window, step.id, BST_UNCHECKED); break;
      case UserAction::kSelect: sandbox::SelectItem(window, step.id, step.text); break;
      case UserAction::kType: sandbox::TypeText(window, step.id, step.text); break;
    }
  }

  void SavePicture(void* window) {
    char caption[256] = "";
    ::GetWindowText(static_cast<HWND>(window), caption, sizeof caption);
    const std::string name = "pictures/" + PictureName(static_cast<int>(pictures_.size()) + 1, caption);
    std::string error;
    if (!sandbox::SavePicture(sandbox::WindowPicture(window), (kRunDir / name).string(), &error))
      std::cerr << "msdev: the picture " << name << " was not saved: " << error << "\n";
    pictures_.push_back(name);
  }

  fs::path workspace_;
  ShownFolders folders_;
  size_t shownModals_ = 0;
  std::vector<std::string> pictures_;
  size_t shownPictures_ = 0;
  bool misfits_ = false;
};

// The folders whose files the run may change: the workspace's and each project's, from the
// workspace file's "Project:" lines.
std::string FolderText(const fs::path& folder) {
  fs::path normal = folder.lexically_normal();
  if (!normal.has_filename()) normal = normal.parent_path();
  return normal.string();
}

std::set<std::string> ProjectFolders(const fs::path& workspace) {
  std::set<std::string> folders = {FolderText(workspace.parent_path())};
  std::istringstream lines(ReadFile(workspace));
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("Project: ", 0) != 0) continue;
    const size_t start = line.find("=");
    const size_t end = line.find(" - Package Owner", start);
    if (start == std::string::npos || end == std::string::npos) continue;
    std::string path = line.substr(start + 1, end - start - 1);
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
    std::replace(path.begin(), path.end(), '\\', '/');
    folders.insert(FolderText((workspace.parent_path() / path).parent_path()));
  }
  return folders;
}

void PumpMessages() {
  MSG msg;
  while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
}

std::string HresultText(int32_t hr) {
  if (hr == S_OK) return "S_OK";
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  // Arguments, the answers and the workspace, all checked before anything is written.
  fs::path answersFile = kSourceDir / "sample" / "demo-answers.txt";
  std::string workspaceArgument;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--answers" && i + 1 < argc) {
      answersFile = argv[++i];
    } else if (argument.rfind("-", 0) == 0 || !workspaceArgument.empty()) {
      return Refuse("usage: msdev [--answers <file>] [<workspace.dsw or its folder>]");
    } else {
      workspaceArgument = argument;
    }
  }
  if (!fs::is_regular_file(answersFile)) return Refuse(answersFile.string() + ": no such answers file");
  std::vector<Stage> stages;
  std::string error;
  if (!ParseAnswers(ReadFile(answersFile), stages, &error))
    return Refuse(answersFile.filename().string() + ": " + error);
  fs::path workspace;
  if (!workspaceArgument.empty()) {
    workspace = FindWorkspace(workspaceArgument, &error);
    if (workspace.empty()) return Refuse(error);
  }

  // The run's folder, and the fresh copy of the sample project when no workspace was named.
  fs::create_directories(kRunDir / "pictures");
  for (const fs::directory_entry& entry : fs::directory_iterator(kRunDir / "pictures")) fs::remove(entry.path());
  if (workspace.empty()) {
    fs::remove_all(kRunDir / "Thermo");
    fs::copy(kSourceDir / "sample" / "Projects" / "Thermo", kRunDir / "Thermo", fs::copy_options::recursive);
    workspace = kRunDir / "Thermo" / "Thermo.dsw";
  }

  sandbox::SetFailureHandler([](const std::string& message) {
    std::cerr << "msdev: " << message << "\n";
    ++g_reported;
  });
  sandbox::MapDrive('C', (kSourceDir / "sample").string());
  if (std::getenv("SABLEWING_REGISTRY") == nullptr) {
    if (!sandbox::RegistryLoad((kSourceDir / "sample" / "sablewing.reg").string(), &error))
      return Refuse("sample/sablewing.reg: " + error);
    fs::remove(kRunDir / "registry.reg");
    sandbox::RegistryBindFile((kRunDir / "registry.reg").string());
  }
  if (::CoInitialize(NULL) != S_OK) return Refuse("COM could not be initialised");

  const std::set<std::string> folders = ProjectFolders(workspace);
  Run run(workspace, folders);
  std::cout << "Workspace " << workspace.filename().string() << "\n";
  const std::string addIn = sandbox::WindowsPath(SABLEWING_ADDIN_FILE);
  if (sandbox::RegistryGetString(kAddInServerKey, "") == addIn) {
    std::cout << "SablewingAddIn.dll is registered\n";
  } else if (Regsvr32({"/s", addIn}) == kRegsvr32Done) {
    std::cout << "Registered SablewingAddIn.dll\n";
  } else {
    std::cout << "SablewingAddIn.dll could not be registered\n";
    return 1;
  }

  sandbox::msdev::StartIde();
  bool loaded = false;
  for (const sandbox::msdev::AddIn& added : sandbox::msdev::AddIns()) {
    if (added.progId != kAddInProgId) continue;
    loaded = true;
    std::cout << "Developer Studio loaded " << kAddInProgId << (added.firstTime ? " for the first time" : "") << ": "
              << sandbox::msdev::Commands().size() << " commands";
    for (const sandbox::msdev::Toolbar& toolbar : sandbox::msdev::Toolbars())
      std::cout << ", toolbar \"" << toolbar.title << "\"";
    std::cout << "\n";
  }
  for (const std::string& message : sandbox::msdev::AddInMessages()) std::cout << "  " << message << "\n";
  if (!loaded) {
    std::cout << "The add-in did not load\n";
    return 1;
  }
  PumpMessages();

  // Opening the workspace is the first stage, whether or not answers are given for it.
  std::vector<Stage> all = stages;
  if (all.empty() || !all[0].command.empty()) all.insert(all.begin(), Stage{});
  std::unique_ptr<ProjectSnapshot> snapshot;
  int exitCode = 0;
  for (const Stage& stage : all) {
    run.Queue(stage);
    if (stage.command.empty()) {
      std::cout << "Open " << workspace.filename().string() << "\n";
      // The files are kept before the workspace opens: its opening may convert the projects.
      snapshot = std::make_unique<ProjectSnapshot>(workspace.parent_path().string(), folders);
      if (!sandbox::msdev::OpenWorkspace(sandbox::WindowsPath(workspace.string()), &error)) {
        run.ShowModals();
        std::cout << "The workspace did not open: " << Shown(error, run.Folders()) << "\n";
        exitCode = 1;
        break;
      }
    } else {
      std::cout << "run " << stage.command << "\n";
      const int32_t result = sandbox::msdev::RunCommand(stage.command);
      PumpMessages();
      run.ShowModals();
      std::cout << "  -> " << HresultText(result) << "\n";
    }
    PumpMessages();
    if (stage.command.empty()) run.ShowModals();
    if (run.Misfits() || sandbox::PendingAnswers() > 0) {
      std::cout << (run.Misfits() ? "Answers did not fit after " : "Answers were left over after ") << (stage.command.empty() ? "opening the workspace" : stage.command)
                << ": the run did not go as the answers file says\n";
      exitCode = 1;
      break;
    }
  }
  sandbox::msdev::StopIde();
  if (snapshot) {
    std::cout << "\n";
    if (!snapshot->ShowChanges(std::cout, kRunDir.string())) {
      std::cerr << "msdev: the diff program (diffutils) could not be run\n";
      exitCode = 1;
    }
  }
  ::CoUninitialize();
  return exitCode;
}
