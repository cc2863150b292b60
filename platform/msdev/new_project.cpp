// File > New: the New Project dialog runs a custom AppWizard (through the host library), writes
// the files it generated, makes the project and hands it to the custom AppWizard, writes the
// project and workspace files and opens them as the new workspace. Cancelling anywhere, or a
// template the host library refuses, leaves no file; a failure to write takes back every file and
// folder written before it.
#include <windows.h>

#include <algorithm>

#include "file_io.h"
#include "ide.h"
#include "ide_app.h"
#include "ide_installation.h"
#include "main_frame.h"
#include "new_project_dialog.h"
#include "project.h"
#include "project_writer.h"

namespace msdev {

std::string Ide::TemplateFolder() {
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    if (!templateFolder_.empty()) return templateFolder_;
  }
  return IdeInstallation::TemplateFolder();
}

void Ide::SetTemplateFolder(const std::string& folder) {
  std::lock_guard<std::recursive_mutex> g(lock_);
  templateFolder_ = folder;
}

ProjectRef Ide::MakeNewProject(const std::string& name, const std::string& fullPath,
                               const std::vector<std::string>& configurations) {
  auto project = std::make_shared<ProjectModel>();
  project->name = name;
  project->fullPath = fullPath;
  project->configurations = configurations;
  project->activeConfiguration = configurations.empty() ? 0 : configurations.size() - 1;
  return project;
}

void Ide::NoteProjectWritten(const std::string& fullPath, const std::string& bytes) {
  std::lock_guard<std::recursive_mutex> g(lock_);
  projectCopies_[fullPath] = bytes;
}

namespace {

// The files of one new project, written as one: none may exist before; a failure takes back what
// was written and the folders made for it.
class NewFiles {
 public:
  ~NewFiles() {
    if (!kept_) Undo();
  }
  // False with the Windows error when the file exists or cannot be written.
  bool Write(const std::string& path, const std::string& bytes, unsigned long* error) {
    if (!MakeFolders(path, error)) return false;
    if (::GetFileAttributes(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
      *error = ERROR_FILE_EXISTS;
      return false;
    }
    if (!WriteWholeFile(path, bytes, error)) return false;
    files_.push_back(path);
    return true;
  }
  void Keep() { kept_ = true; }
  void Undo() {
    for (auto it = files_.rbegin(); it != files_.rend(); ++it) ::DeleteFile(it->c_str());
    for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) ::RemoveDirectory(it->c_str());
    files_.clear();
    folders_.clear();
  }

 private:
  bool MakeFolders(const std::string& path, unsigned long* error) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
      const std::string folder = path.substr(0, at);
      const DWORD attributes = ::GetFileAttributes(folder.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
      if (!::CreateDirectory(folder.c_str(), nullptr)) {
        *error = ::GetLastError();
        return false;
      }
      folders_.push_back(folder);
    }
    return true;
  }

  std::vector<std::string> files_;
  std::vector<std::string> folders_;
  bool kept_ = false;
};

// What a processed template gave, in text mode: each line break written as CR LF.
std::string TextMode(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out.push_back('\r');
    out.push_back(text[i]);
  }
  return out;
}

std::vector<std::string> CustomAppWizards(const std::string& folder) {
  std::vector<std::string> found;
  if (folder.empty()) return found;
  WIN32_FIND_DATA data;
  const HANDLE find = ::FindFirstFile((folder + "\\*.awx").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return found;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) found.push_back(folder + "\\" + data.cFileName);
  } while (::FindNextFile(find, &data));
  ::FindClose(find);
  return found;
}

std::string Safe(const CMapStringToString* dictionary) {
  CString value;
  return dictionary != nullptr && dictionary->Lookup("SAFE_ROOT", value) ? static_cast<LPCTSTR>(value) : "";
}

}  // namespace
}  // namespace msdev

bool CIdeApp::NewProject(std::string* error) {
  using msdev::Ide;
  auto fail = [&](const std::string& why, bool tellUser) {
    if (tellUser) Prompt(why, MB_OK | MB_ICONEXCLAMATION);
    if (error) *error = why;
    return false;
  };
  Ide& ide = Ide::Instance();
  CNewProjectDialog dialog(msdev::CustomAppWizards(ide.TemplateFolder()), m_pFrame);
  if (dialog.Run() != IDOK) return fail("cancelled", false);

  // The custom AppWizard's DllMain registers its object.
  mfcapwz::ForgetRegisteredAppWiz();
  const HMODULE module = ::LoadLibrary(dialog.m_wizard.c_str());
  if (module == NULL)
    return fail("The custom AppWizard '" + dialog.m_wizard + "' could not be loaded (error " +
                    std::to_string(::GetLastError()) + ").",
                true);
  struct Unload {
    HMODULE module;
    ~Unload() {
      mfcapwz::ForgetRegisteredAppWiz();
      ::FreeLibrary(module);
    }
  } unload{module};
  CCustomAppWiz* appWiz = mfcapwz::RegisteredAppWiz();
  if (appWiz == nullptr) return fail("'" + dialog.m_wizard + "' is no custom AppWizard.", true);

  mfcapwz::WizardRun run;
  run.name = dialog.m_name;
  run.folder = dialog.m_folder;
  run.platforms = dialog.m_platforms;
  run.title = msdev::FileTitle(dialog.m_wizard);
  run.owner = m_pFrame != NULL ? m_pFrame->GetSafeHwnd() : NULL;
  mfcapwz::RunWizard(run);
  struct End {
    ~End() { mfcapwz::EndWizard(); }
  } end;
  if (run.outcome == mfcapwz::WizardRun::Outcome::kCancelled) return fail("cancelled", false);
  if (run.outcome == mfcapwz::WizardRun::Outcome::kRefused)
    return fail("The project was not made: " + run.refusal, true);
  if (std::find(run.platformsKept.begin(), run.platformsKept.end(), "Win32 (x86)") == run.platformsKept.end())
    return fail("The project was not made: the custom AppWizard left no platform this IDE builds for.", true);

  const std::string& folder = dialog.m_folder;
  const std::string projectPath = folder + "\\" + dialog.m_name + ".dsp";
  const std::string workspacePath = folder + "\\" + dialog.m_name + ".dsw";
  msdev::NewFiles written;
  unsigned long code = 0;
  auto cannotWrite = [&](const std::string& path) {
    return fail("The project was not made: the file '" + path + "' could not be written (error " +
                    std::to_string(code) + ").",
                true);
  };
  msdev::NewProjectSpec spec;
  for (const mfcapwz::GeneratedFile& file : run.files) {
    const std::string path = folder + "\\" + file.path;
    if (!written.Write(path, file.copied ? file.bytes : msdev::TextMode(file.bytes), &code)) return cannotWrite(path);
    spec.files.push_back({file.path, file.resource});
  }

  msdev::ProjectRef project =
      ide.MakeNewProject(dialog.m_name, projectPath, msdev::NewProjectConfigurations(dialog.m_name));
  IBuildProject* object = new msdev::ProjectObject(ide.Session(), project);
  mfcapwz::CustomizeProject(object);
  object->Release();
  project->open = false;  // what the custom AppWizard still holds of it is gone with it

  spec.name = dialog.m_name;
  spec.safeName = msdev::Safe(&appWiz->m_Dictionary);
  spec.folder = folder;
  spec.kind = run.kind;
  spec.mfcExtension = run.mfcExtension;
  spec.addedFiles = project->addedFiles;
  spec.changes = project->changes;
  const std::string projectText = msdev::ProjectFileText(spec);
  if (!written.Write(projectPath, projectText, &code)) return cannotWrite(projectPath);
  if (!written.Write(workspacePath, msdev::WorkspaceFileText(dialog.m_name), &code)) return cannotWrite(workspacePath);
  written.Keep();
  ide.NoteProjectWritten(projectPath, projectText);

  std::string why;
  if (!OpenWorkspace(workspacePath, true, &why)) return fail(why, false);
  return true;
}
