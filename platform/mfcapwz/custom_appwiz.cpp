// CCustomAppWiz's defaults, the template output and the library's registration calls.
#include <customaw.h>

#include "library_state.h"
#include "sandbox/internal.h"
#include "standard_steps.h"
#include "template_language.h"

IMPLEMENT_DYNAMIC(CCustomAppWiz, CObject)

namespace mfcapwz {

LibraryState& Library() {
  static LibraryState* state = new LibraryState;  // outlives every module's statics
  return *state;
}

void NoteRefusal(int line, const std::string& what) {
  LibraryState& library = Library();
  const std::string text = library.templateName + "(" + std::to_string(line) + "): " + what;
  if (!library.running) {
    TRACE("template refused: %s\n", text.c_str());
    return;
  }
  if (library.refusal.empty()) library.refusal = text;
}

namespace {

struct ResetHook {
  ResetHook() {
    sandbox::internal::RegisterReset("mfcapwz", [] {
      LibraryState& library = Library();
      library.appWiz = nullptr;
      library.appWizModule = nullptr;
      library.steps = -1;
      library.templateName.clear();
      library.refusal.clear();
      library.mfcDllStepLeft = false;
    });
  }
} g_resetHook;

}  // namespace
}  // namespace mfcapwz

using mfcapwz::Library;

CTemplateOutput::CTemplateOutput() = default;
CTemplateOutput::~CTemplateOutput() = default;

void CTemplateOutput::Write(LPCTSTR pText, DWORD dwSize) {
  if (pText != NULL) m_text.append(pText, dwSize);
}

void CTemplateOutput::Write(LPCTSTR pszText) {
  if (pszText != NULL) m_text.append(pszText);
}

CCustomAppWiz::CCustomAppWiz() : m_Dictionary(10) {}
CCustomAppWiz::~CCustomAppWiz() = default;

void CCustomAppWiz::GetPlatforms(CStringList&) {}
CAppWizStepDlg* CCustomAppWiz::Next(CAppWizStepDlg*) { return NULL; }
CAppWizStepDlg* CCustomAppWiz::Back(CAppWizStepDlg*) { return NULL; }
void CCustomAppWiz::InitCustomAppWiz() {}
void CCustomAppWiz::ExitCustomAppWiz() {}

LPCTSTR CCustomAppWiz::LoadTemplate(LPCTSTR lpszTemplateName, DWORD& rdwSize, HINSTANCE hInstance) {
  if (hInstance == NULL) hInstance = Library().appWizModule;
  HRSRC found = lpszTemplateName != NULL ? ::FindResource(hInstance, lpszTemplateName, "TEMPLATE") : NULL;
  HGLOBAL loaded = found != NULL ? ::LoadResource(hInstance, found) : NULL;
  if (loaded == NULL) return NULL;
  rdwSize = ::SizeofResource(hInstance, found);
  return static_cast<LPCTSTR>(::LockResource(loaded));
}

void CCustomAppWiz::CopyTemplate(LPCTSTR lpszInput, DWORD dwSize, CTemplateOutput* pOutput) {
  if (pOutput != NULL) pOutput->Write(lpszInput, dwSize);
}

void CCustomAppWiz::ProcessTemplate(LPCTSTR lpszInput, DWORD dwSize, CTemplateOutput* pOutput) {
  std::string expanded;
  mfcapwz::TemplateError error;
  const std::string_view text = lpszInput != NULL ? std::string_view(lpszInput, dwSize) : std::string_view();
  if (!mfcapwz::ExpandTemplate(text, m_Dictionary, expanded, error)) {
    mfcapwz::NoteRefusal(error.line, error.what);
    return;
  }
  if (pOutput != NULL) pOutput->Write(expanded.data(), static_cast<DWORD>(expanded.size()));
}

void CCustomAppWiz::PostProcessTemplate(LPCTSTR) {}
void CCustomAppWiz::CustomizeProject(IBuildProject*) {}

extern "C" {

void RegisterCustomAppWiz(CCustomAppWiz* pAppWiz) {
  auto& library = Library();
  library.appWiz = pAppWiz;
  HMODULE module = NULL;
  if (pAppWiz != NULL)
    ::GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                        reinterpret_cast<LPCSTR>(pAppWiz), &module);
  library.appWizModule = module;
}

void SetNumberOfSteps(int nSteps) { Library().steps = nSteps; }

CAppWizStepDlg* GetStandardStep(UINT nID) {
  if (nID == kAppWizStepMfcDll) return &mfcapwz::MfcDllStep();
  sandbox::internal::ReportUnmodelled("GetStandardStep (a step other than 8)");
  return NULL;
}

}  // extern "C"
