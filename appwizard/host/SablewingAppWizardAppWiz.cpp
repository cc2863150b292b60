#include "stdafx.h"

#include "host/SablewingAppWizardAppWiz.h"

#include "host/AppWizardsLoader.h"
#include "host/BrowseForSablewingPathDlg.h"
#include "host/DialogChooser.h"
#include "plugin/CurrentDepot.h"

CSablewingAppWizardAppWiz::CSablewingAppWizardAppWiz() : m_pChooser(NULL), m_pPathDlg(NULL), m_pLoader(NULL) {}

CSablewingAppWizardAppWiz::~CSablewingAppWizardAppWiz() { DeleteRunObjects(); }

void CSablewingAppWizardAppWiz::DeleteRunObjects() {
  delete m_pLoader;
  m_pLoader = NULL;
  delete m_pChooser;
  m_pChooser = NULL;
  delete m_pPathDlg;
  m_pPathDlg = NULL;
}

void CSablewingAppWizardAppWiz::InitCustomAppWiz() {
  DeleteRunObjects();
  m_pLoader = new CAppWizardsLoader(this, &m_depot);
  m_pChooser = new CDialogChooser(&m_depot, m_pLoader);
  m_pPathDlg = new CBrowseForSablewingPathDlg(m_pLoader);
  g_pCurrentDepot = &m_depot;
  SetNumberOfSteps(-1);
  m_Dictionary.SetAt("PROJTYPE_DLL", "1");
}

void CSablewingAppWizardAppWiz::ExitCustomAppWiz() {
  if (m_pChooser != NULL) m_pChooser->ExitCustomAppWizard();
}

CAppWizStepDlg* CSablewingAppWizardAppWiz::Next(CAppWizStepDlg* pDlg) {
  if (m_depot.GetProductPath().IsEmpty() || !m_pLoader->LoadAll()) {
    m_pChooser->SetPathStepShown();
    return m_pPathDlg;
  }
  return m_pChooser->Next(pDlg);
}

CAppWizStepDlg* CSablewingAppWizardAppWiz::Back(CAppWizStepDlg* pDlg) { return m_pChooser->Back(pDlg); }

void CSablewingAppWizardAppWiz::GetPlatforms(CStringList& Platforms) {
  for (POSITION pos = Platforms.GetHeadPosition(); pos != NULL;) {
    const POSITION at = pos;
    if (std::strncmp(Platforms.GetNext(pos), "Win32", 5) != 0) Platforms.RemoveAt(at);
  }
  m_pChooser->SetPlatformList(&Platforms);
}

LPCTSTR CSablewingAppWizardAppWiz::LoadTemplate(LPCTSTR lpszTemplateName, DWORD& rdwSize, HINSTANCE hInstance) {
  LPCTSTR result = NULL;
  if (!m_pChooser->LoadTemplate(&lpszTemplateName, &rdwSize, &hInstance, &result)) return result;
  return CCustomAppWiz::LoadTemplate(lpszTemplateName, rdwSize, hInstance);
}

void CSablewingAppWizardAppWiz::CopyTemplate(LPCTSTR lpszInput, DWORD dwSize, CTemplateOutput* pOutput) {
  if (m_pChooser->CopyTemplate(&lpszInput, &dwSize, pOutput)) CCustomAppWiz::CopyTemplate(lpszInput, dwSize, pOutput);
}

void CSablewingAppWizardAppWiz::ProcessTemplate(LPCTSTR lpszInput, DWORD dwSize, CTemplateOutput* pOutput) {
  if (m_pChooser->ProcessTemplate(&lpszInput, &dwSize, pOutput))
    CCustomAppWiz::ProcessTemplate(lpszInput, dwSize, pOutput);
}

void CSablewingAppWizardAppWiz::PostProcessTemplate(LPCTSTR szTemplate) { m_pChooser->PostProcessTemplate(szTemplate); }

void CSablewingAppWizardAppWiz::CustomizeProject(IBuildProject* pProject) { m_pChooser->CustomizeProject(pProject); }
