#include "stdafx.h"

#include "TqException.h"
#include "WycAppWiz/WycAppWiz.h"
#include "WycAppWiz/resource.h"
#include "engine/Engine.h"
#include "plugin/CurrentDepot.h"

namespace {

const char kAddInKey[] = "Software\\Microsoft\\DevStudio\\6.0\\AddIns\\HgWycAddIn.HgWycAddIn.1";

// One box listing the modules of a set: the opening, a line per module, the closing.
void ShowModules(const CPathSet& modules, UINT opening, UINT closing, UINT type) {
  if (modules.empty()) return;
  CString text, part;
  text.LoadString(opening);
  for (const CString& module : modules) text += "  " + module + "\n";
  if (closing != 0) {
    part.LoadString(closing);
    text += part;
  }
  AfxMessageBox(text, type);
}

}  // namespace

CWycAppWiz::CWycAppWiz()
    : CCustomAppWizard("TQ Wyc AppWizard"),
      m_nStep(STEP_HOST),
      m_pEngine(NULL),
      m_nInstallations(0),
      m_pFirstStep(NULL),
      m_pCodeStep(NULL),
      m_pErrorStep(NULL) {}

CWycAppWiz::~CWycAppWiz() {}

void CWycAppWiz::InitCustomAppWizard() {
  m_nStep = STEP_HOST;
  g_pCurrentDepot = m_pDepot;
  m_pFirstStep = &m_firstStep;
  m_pCodeStep = &m_codeStep;
  m_pErrorStep = &m_errorStep;
  try {
    try {
      m_pEngine = new CEngine(&m_pHostWizard->m_Dictionary);
      m_pEngine->ReadDictionary();
    } catch (CEngineExc) {
      delete m_pEngine;
      m_pEngine = NULL;
      throw WYCAPPWIZ_EXC_NO_MEMORY;
    }
    m_firstStep.SetEngine(m_pEngine);
    m_codeStep.SetEngine(m_pEngine);
  } catch (CWycAppWizExc) {
    delete m_pEngine;
    m_pEngine = NULL;
    throw new TQ::CTqSystemException(ERROR_NOT_ENOUGH_MEMORY);
  }
}

CAppWizStepDlg* CWycAppWiz::Next(CAppWizStepDlg*) {
  switch (m_nStep) {
    case STEP_HOST:
      try {
        std::vector<CString> names;
        const int count = m_pEngine->FindInstallations(names);
        m_nStep = STEP_FIRST;
        m_nInstallations = count;
        m_pFirstStep->SetInstallationList(names);
        return m_pFirstStep;
      } catch (CEngineExc code) {
        m_nStep = STEP_HOST;
        CString text;
        CEngine::GetErrorText(code, text);
        m_pErrorStep->SetMessage(text);
        return m_pErrorStep;
      } catch (CFirstStepDlgExc) {
        AfxMessageBox(IDS_ENGINE_NO_MEMORY, MB_ICONSTOP);
        return NULL;
      }
    case STEP_FIRST:
      if (m_pEngine->GetCreateNewProject() == 1) {
        m_nStep = STEP_CODE;
        return m_pCodeStep;
      }
      return NULL;
    default: return NULL;
  }
}

CAppWizStepDlg* CWycAppWiz::Back(CAppWizStepDlg*) {
  switch (m_nStep) {
    case STEP_CODE:
      m_nStep = STEP_FIRST;
      m_pEngine->ResetMacros();
      return m_pFirstStep;
    case STEP_FIRST:
      m_nStep = STEP_HOST;
      m_pEngine->ResetMacros();
      return NULL;
    default: return NULL;
  }
}

void CWycAppWiz::ExitCustomAppWizard() {
  delete m_pEngine;
  m_pEngine = NULL;
  m_firstStep.SetEngine(NULL);
  m_codeStep.SetEngine(NULL);
}

void CWycAppWiz::CheckAddIn() {
  HKEY key = NULL;
  if (RegOpenKeyEx(HKEY_CURRENT_USER, kAddInKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  char value[2] = "";
  LONG size = sizeof value;
  const LONG read = RegQueryValue(key, NULL, value, &size);
  RegCloseKey(key);
  if (read == ERROR_SUCCESS && strcmp(value, "0") == 0) AfxMessageBox(IDS_ADDIN_OFF, MB_OK);
}

void CWycAppWiz::ReportProblems() {
  const CPathSet *sourceMissing, *headerMissing, *unlocated, *invalid;
  m_pEngine->GetProblemLists(&sourceMissing, &headerMissing, &unlocated, &invalid);
  ShowModules(*invalid, IDS_INVALID, 0, MB_ICONWARNING);
  ShowModules(*unlocated, IDS_UNLOCATED, IDS_UNLOCATED_END, MB_ICONWARNING);
  ShowModules(*sourceMissing, IDS_SOURCE_MISSING, IDS_SOURCE_MISSING_END, MB_ICONWARNING);
  ShowModules(*headerMissing, IDS_HEADER_MISSING, IDS_HEADER_MISSING_END, MB_ICONINFORMATION);
}

void CWycAppWiz::Customize() {
  CheckAddIn();
  if (!m_pEngine->CheckFunctionPanels()) ReportProblems();
  if (!m_pEngine->AddProjectFiles()) AfxMessageBox(IDS_FILES_NOT_ADDED, MB_ICONWARNING);
  if (m_pEngine->GetCreateNewProject() == 1) m_pEngine->OpenStarterFile();
  if (!m_pEngine->AddIncludePaths()) AfxMessageBox(IDS_INCLUDES_NOT_ADDED, MB_ICONWARNING);
  if (m_pEngine->GetProjectType() != CEngine::STATIC_LIBRARY && !m_pEngine->AddLibraries())
    AfxMessageBox(IDS_LIBRARIES_NOT_ADDED, MB_ICONWARNING);
  // A callback table that could not be written is a warning; the settings are still adjusted.
  if (!m_pEngine->SetUpUIRCallbackTable() && !m_pEngine->EngineMissingReported())
    AfxMessageBox(IDS_ENGINE_READ, MB_ICONWARNING);
  m_pEngine->AdjustBuildSettings();
}

// The project is released on every path, after an engine error too.
void CWycAppWiz::CustomizeProject(IBuildProject* pProject) {
  if (!m_pEngine->AttachProject(pProject)) {
    AfxMessageBox(IDS_PROJECT_NOT_ATTACHED, MB_ICONSTOP);
    return;
  }
  try {
    Customize();
  } catch (CEngineExc code) {
    CEngine::ShowError(code);
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  m_pEngine->DetachProject();
}
