// One run of a custom AppWizard (mfcapwz_internal.h), and the sandbox's hands in its frame.
#include "host_macros.h"
#include "library_state.h"
#include "mfcapwz_internal.h"
#include "sandbox/internal.h"
#include "sandbox/wizard.h"
#include "template_language.h"
#include "wizard_frame.h"

namespace mfcapwz {
namespace {

ProjectKind KindOf(const CMapStringToString& dictionary, bool mfcDllStepLeft) {
  if (mfcDllStepLeft) return ProjectKind::kMfcDll;
  if (InDictionary(dictionary, "PROJTYPE_EXE")) return ProjectKind::kApplication;
  if (InDictionary(dictionary, "PROJTYPE_DLL")) return ProjectKind::kDynamicLibrary;
  if (InDictionary(dictionary, "PROJTYPE_LIB")) return ProjectKind::kStaticLibrary;
  if (InDictionary(dictionary, "PROJTYPE_CON")) return ProjectKind::kConsole;
  return ProjectKind::kApplication;
}

// An exception the custom AppWizard let out: shown as the platform's MFC shows one, deleted.
void Report(CException* e) {
  e->ReportError();
  e->Delete();
}

// Asks the custom AppWizard for a template (the library's own name for it is what a refusal
// names); false, with the refusal, when it has none.
bool Load(CCustomAppWiz& appWiz, const std::string& name, LPCTSTR& text, DWORD& size, std::string& refusal) {
  LibraryState& library = Library();
  library.templateName = name;
  size = 0;
  text = appWiz.LoadTemplate(name.c_str(), size, library.appWizModule);
  if (text == NULL && refusal.empty()) refusal = name + ": no such template";
  return text != NULL;
}

// NEWPROJ.INF and the templates it lists, into the run's files.
void Generate(CCustomAppWiz& appWiz, WizardRun& run) {
  LibraryState& library = Library();
  LPCTSTR text = NULL;
  DWORD size = 0;
  if (!Load(appWiz, "NEWPROJ.INF", text, size, library.refusal)) return;
  CTemplateOutput list;
  appWiz.ProcessTemplate(text, size, &list);
  if (!library.refusal.empty()) return;
  // A refusal names the template's line: the list's lines are those of the template expanded with
  // the dictionary, unless the custom AppWizard wrote something else (then they are counted in
  // what it wrote).
  std::string expanded;
  std::vector<int> lines;
  TemplateError error;
  if (!ExpandTemplate(std::string_view(text, size), appWiz.m_Dictionary, expanded, error, &lines) ||
      expanded != list.GetText())
    lines.clear();
  std::vector<NewProjectFile> files;
  if (!ParseNewProjectList(list.GetText(), lines, files, error)) {
    library.refusal = "NEWPROJ.INF(" + std::to_string(error.line) + "): " + error.what;
    return;
  }
  for (const NewProjectFile& file : files) {
    if (!Load(appWiz, file.templateName, text, size, library.refusal)) return;
    CTemplateOutput output;
    if (file.copy)
      appWiz.CopyTemplate(text, size, &output);
    else
      appWiz.ProcessTemplate(text, size, &output);
    if (!library.refusal.empty()) return;
    appWiz.PostProcessTemplate(file.templateName.c_str());
    run.files.push_back({file.file, output.GetText(), file.copy, file.resource});
  }
}

}  // namespace

CCustomAppWiz* RegisteredAppWiz() { return Library().appWiz; }

void ForgetRegisteredAppWiz() {
  Library().appWiz = nullptr;
  Library().appWizModule = nullptr;
}

void RunWizard(WizardRun& run) {
  LibraryState& library = Library();
  CCustomAppWiz* appWiz = library.appWiz;
  run.outcome = WizardRun::Outcome::kCancelled;
  run.files.clear();
  if (appWiz == nullptr) {
    run.outcome = WizardRun::Outcome::kRefused;
    run.refusal = "the module registered no custom AppWizard";
    return;
  }
  library.running = true;
  library.steps = -1;
  library.refusal.clear();
  library.templateName.clear();
  library.mfcDllStepLeft = false;
  try {
    SetHostMacros(appWiz->m_Dictionary, run.name, run.folder);
    appWiz->InitCustomAppWiz();
    CStringList platforms;
    for (const std::string& platform : run.platforms) platforms.AddTail(platform.c_str());
    appWiz->GetPlatforms(platforms);
    run.platformsKept.clear();
    for (POSITION pos = platforms.GetHeadPosition(); pos != NULL;)
      run.platformsKept.emplace_back(static_cast<LPCTSTR>(platforms.GetNext(pos)));

    CWizardFrame frame(appWiz, run.title);
    const bool confirmed = frame.Run(run.owner) == IDOK;
    if (confirmed && library.refusal.empty()) Generate(*appWiz, run);
    if (!library.refusal.empty()) {
      run.outcome = WizardRun::Outcome::kRefused;
      run.refusal = library.refusal;
      run.files.clear();
    } else if (confirmed) {
      run.outcome = WizardRun::Outcome::kGenerated;
      run.kind = KindOf(appWiz->m_Dictionary, library.mfcDllStepLeft);
      run.mfcExtension = run.kind == ProjectKind::kMfcDll && InDictionary(appWiz->m_Dictionary, "EXTDLL");
    }
  } catch (CException* e) {
    Report(e);
    run.outcome = WizardRun::Outcome::kCancelled;
    run.files.clear();
  }
  library.running = false;
}

void CustomizeProject(IBuildProject* project) {
  CCustomAppWiz* appWiz = Library().appWiz;
  if (appWiz == nullptr) return;
  try {
    appWiz->CustomizeProject(project);
  } catch (CException* e) {
    Report(e);
  }
}

void EndWizard() {
  CCustomAppWiz* appWiz = Library().appWiz;
  if (appWiz == nullptr) return;
  try {
    appWiz->ExitCustomAppWiz();
  } catch (CException* e) {
    Report(e);
  }
}

}  // namespace mfcapwz

namespace sandbox {

void* WizardStep(const void* frame) {
  mfcapwz::CWizardFrame* current = mfcapwz::Library().frame;
  if (current == nullptr || current->m_hWnd != frame || current->CurrentStep() == nullptr) return nullptr;
  return current->CurrentStep()->m_hWnd;
}

void PressF1(const void* frame) {
  mfcapwz::CWizardFrame* current = mfcapwz::Library().frame;
  if (current == nullptr || current->m_hWnd != frame) {
    sandbox::internal::Fail("PressF1: the window is no wizard frame that is up");
    return;
  }
  HWND focus = ::GetFocus();
  if (focus == NULL || (focus != current->m_hWnd && !::IsChild(current->m_hWnd, focus))) focus = current->m_hWnd;
  for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
    MSG msg{focus, message, VK_F1, 0, ::GetTickCount(), {0, 0}};
    if (!current->Route(&msg) && !::IsDialogMessage(current->m_hWnd, &msg)) ::DispatchMessage(&msg);
  }
}

}  // namespace sandbox
