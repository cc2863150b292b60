// The AppWizard host library's templates, run as File > New runs them: the IDE's New Project
// dialog loads FuzzWizard.awx, whose templates (CONFIRM.INF, NEWPROJ.INF and the files it lists)
// are the pieces of the input (appwizard/TemplatePieces.h), and the user finishes the wizard and
// confirms the project's information. Either the project is made (its files inside its folder,
// the workspace open), or the IDE says why not: a template refused with its name and a line of it
// (a line of the language's directives, unless NEWPROJ.INF's list is at fault), a template that is
// not there, or a file that could not be written; and then nothing is left on the drive. Never a
// cancel, another answer or another modal; no file handle stays open.
#include <afxwin.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "appwizard/TemplatePieces.h"
#include "harness.h"
#include "sandbox/dialog_user.h"
#include "sandbox/msdev.h"
#include "sandbox/sandbox.h"
#include "sandbox/wizard.h"

namespace {

const char kRefused[] = "The project was not made: ";
const char kFolder[] = "P:\\Projects\\Thermo";

std::string g_projects;  // P:\Projects on the host

void StartOnce() {
  static const bool started = [] {
    fuzz::AllowUnmodelledPaths();
    const std::string drive = sandbox::MapTempDrive('P');
    std::filesystem::create_directories(drive + "/Templates");
    std::filesystem::copy_file(FUZZ_WIZARD_FILE, drive + "/Templates/FuzzWizard.awx");
    g_projects = drive + "/Projects";
    sandbox::msdev::SetTemplateFolder("P:\\Templates");
    sandbox::msdev::StartIde();
    return true;
  }();
  (void)started;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && lstrcmpi(text.substr(0, prefix.size()).c_str(), prefix.c_str()) == 0;
}

// The template's lines as the language numbers them (from 1; a last line without a break counts).
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

// What NEWPROJ.INF's list refuses, as opposed to the language.
bool ListRefusal(const std::string& what) {
  for (const char* start : {"no tab between", "no template named", "no file named for", "the file \""})
    if (what.rfind(start, 0) == 0) return true;
  return false;
}

// "<name>(<line>): <what>" for a template of the input: the line is one of its lines, a line of
// the language's directives unless NEWPROJ.INF's list refused it.
bool NamesALineOf(const std::string& refusal, const std::string& name, const std::string& text) {
  if (!StartsWithNoCase(refusal, name + "(")) return false;
  size_t at = name.size() + 1;
  size_t digits = at;
  while (digits < refusal.size() && refusal[digits] >= '0' && refusal[digits] <= '9') ++digits;
  if (digits == at || digits - at > 9 || refusal.compare(digits, 3, "): ") != 0) return false;
  const size_t line = std::stoul(refusal.substr(at, digits - at));
  const std::vector<std::string> lines = Lines(text);
  if (line < 1 || line > lines.size()) return false;
  const std::string what = refusal.substr(digits + 3);
  if (lstrcmpi(name.c_str(), "NEWPROJ.INF") == 0 && ListRefusal(what)) return true;
  std::string directive = lines[line - 1];
  directive.erase(0, directive.find_first_not_of(" \t"));
  return directive.rfind("$$", 0) == 0;
}

// The host files below a folder, as relative paths.
std::vector<std::string> FilesBelow(const std::string& folder) {
  std::vector<std::string> files;
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
    files.push_back(std::filesystem::relative(it->path(), folder).string());
  return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartOnce();
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string path = fuzz::PutInput("Input.awt", data, size);
  const auto pieces = fuzz_appwizard::TemplatePieces(input);
  const auto piece = [&](const std::string& name) -> const std::string* {
    for (const auto& [pieceName, text] : pieces)
      if (lstrcmpi(pieceName.c_str(), name.c_str()) == 0) return &text;
    return nullptr;
  };

  // A refused CONFIRM.INF leaves its answer queued: the next run takes it.
  if (sandbox::PendingAnswers() == 0) sandbox::QueueAnswer("NewProjectInformation", sandbox::Answer{IDOK});
  sandbox::QueueAnswer("NewProject", {IDOK, "", [](void* dialog) {
                                        sandbox::SelectItem(dialog, sandbox::msdev::kNewProjectTypes, "FuzzWizard");
                                        sandbox::TypeText(dialog, sandbox::msdev::kNewProjectName, "Thermo");
                                        sandbox::TypeText(dialog, sandbox::msdev::kNewProjectLocation, "P:\\Projects");
                                      }});
  sandbox::QueueAnswer("AppWizard", sandbox::Answer{sandbox::kWizardFinish});
  sandbox::ClearModals();
  sandbox::ClearDebugOutput();

  std::string error;
  const bool made = sandbox::msdev::NewProject(&error);
  bool confirmRefused = false;
  std::vector<std::string> shown;
  for (const sandbox::Modal& modal : sandbox::Modals()) shown.push_back(modal.kind);
  if (made) {
    fuzz::Check(sandbox::msdev::WorkspacePath() == std::string(kFolder) + "\\Thermo.dsw", "the new workspace is not open");
    for (const std::string& file : FilesBelow(g_projects))
      fuzz::Check(file == "Thermo" || file.rfind("Thermo/", 0) == 0, "a file made outside the project's folder: " + file);
    fuzz::Check(sandbox::msdev::CloseWorkspace(), "the new workspace does not close");
    fuzz::Check(shown == std::vector<std::string>{"NewProject", "AppWizard", "NewProjectInformation"},
                "other modals than the wizard's");
  } else {
    fuzz::Check(error.rfind(kRefused, 0) == 0, "no project, and no refusal: " + error);
    const std::string refusal = error.substr(sizeof kRefused - 1);
    const std::string missing = ": no such template";
    bool documented = false;
    if (refusal.rfind("the file '" + std::string(kFolder) + "\\", 0) == 0) {
      documented = refusal.find("' could not be written (error ") != std::string::npos;
    } else if (refusal.size() > missing.size() &&
               refusal.compare(refusal.size() - missing.size(), missing.size(), missing) == 0) {
      documented = piece(refusal.substr(0, refusal.size() - missing.size())) == nullptr;
    } else {
      for (const auto& [name, text] : pieces) {
        if (!NamesALineOf(refusal, name, text)) continue;
        documented = true;
        confirmRefused = lstrcmpi(name.c_str(), "CONFIRM.INF") == 0;
      }
    }
    fuzz::Check(documented, "an undocumented refusal: " + refusal);
    fuzz::Check(FilesBelow(g_projects).empty() && !std::filesystem::exists(g_projects),
                "a project not made left files: " + refusal);
    std::vector<std::string> expected = {"NewProject", "AppWizard"};
    if (!confirmRefused) expected.push_back("NewProjectInformation");
    expected.push_back("MessageBox");
    fuzz::Check(shown == expected, "other modals than the wizard's and the refusal's: " + refusal);
  }
  fuzz::Check(sandbox::PendingAnswers() == (confirmRefused ? 1u : 0u), "an answer was not taken");
  std::error_code removed;
  std::filesystem::remove_all(g_projects, removed);
  // The thread idles, as the IDE's would between two commands: MFC's temporary objects go.
  AfxGetThread()->OnIdle(0);
  AfxGetThread()->OnIdle(1);
  fuzz::Check(fuzz::DiskBytes(path) == input, "the templates' file changed");
  fuzz::CheckNoHandles();
  fuzz::CheckUnmodelledPathsOnly();
  return 0;
}
