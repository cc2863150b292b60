#include "stdafx.h"

#include "host/DialogChooser.h"

#include "InformationDepot.h"
#include "TqException.h"
#include "host/AppWizardsLoader.h"
#include "host/HostResource.h"
#include "host/MFCWycAppTypeDlg.h"
#include "plugin/CustomAppWizard.h"

CDialogChooser::CDialogChooser(CInformationDepot* pDepot, CAppWizardsLoader* pLoader)
    : m_pAppTypeDlg(new CMFCWycAppTypeDlg),
      m_nStep(0),
      m_pAppWizard(NULL),
      m_pDepot(pDepot),
      m_pLoader(pLoader),
      m_pPlatforms(NULL),
      m_bPathStepShown(false) {}

CDialogChooser::~CDialogChooser() { delete m_pAppTypeDlg; }

void CDialogChooser::SetPlatformList(CStringList* pPlatforms) {
  m_pPlatforms = pPlatforms;
  if (m_pAppWizard != NULL && m_pPlatforms != NULL) m_pAppWizard->GetPlatforms(*m_pPlatforms);
}

CCustomAppWizard* CDialogChooser::SelectAppWizard() {
  CCustomAppWizard* pAppWizard = NULL;
  switch (m_pAppTypeDlg->GetSelection()) {
    case 0: pAppWizard = m_pLoader->GetMfcExeAppWizard(); break;
    case 1: pAppWizard = m_pLoader->GetMfcDllAppWizard(); break;
    case 2: pAppWizard = m_pLoader->GetWycAppWizard(); break;
  }
  if (pAppWizard == NULL) return NULL;
  pAppWizard->m_nHostStepCount = m_bPathStepShown ? 2 : 1;
  pAppWizard->InitCustomAppWizard();
  if (m_pPlatforms != NULL) pAppWizard->GetPlatforms(*m_pPlatforms);
  return pAppWizard;
}

// The user leaves the project-type step: the plug-in of the choice, or a message that says why
// there is none (the user stays on the project-type step).
void CDialogChooser::ChooseAppWizard() {
  CString error;
  try {
    m_pAppWizard = SelectAppWizard();
  } catch (TQ::CTqSystemException* e) {
    AfxMessageBox(e->GetMessage(), MB_ICONERROR);
    e->Delete();
  } catch (CException* e) {
    TCHAR text[256] = "";
    e->GetErrorMessage(text, sizeof text);
    error = text;
    e->Delete();
  }
  if (m_pAppWizard != NULL) return;
  CString message;
  message.LoadString(IDS_UNABLE_TO_LOAD_APPWIZARD);
  message += "\n" + error + "\n\nPlease reinstall Sablewing to alleviate this problem.";
  CString caption;
  caption.LoadString(IDS_ERROR_CAPTION);
  m_pAppTypeDlg->MessageBox(message, caption, MB_ICONERROR);
}

CAppWizStepDlg* CDialogChooser::Next(CAppWizStepDlg* pDlg) {
  CWaitCursor wait;
  if (m_nStep == 1) ChooseAppWizard();
  if (m_pAppWizard != NULL) {
    CAppWizStepDlg* pNext = m_pAppWizard->Next(pDlg);
    // A plug-in without a further step keeps its step shown: nothing was entered.
    if (pNext != NULL) ++m_nStep;
    return pNext;
  }
  try {
    CWnd* pMainWnd = AfxGetMainWnd();
    m_pDepot->LoadComponents(pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL);
    m_pDepot->ResetSelection();
  } catch (CException* e) {
    e->Delete();
    return &m_componentProblemDlg;
  }
  for (int slot = 0; slot < CAppWizardsLoader::slotCount; ++slot)
    m_pAppTypeDlg->m_bAvailable[slot] = m_pLoader->GetSlot(slot).IsBound();
  SetNumberOfSteps(-1);
  m_nStep = 1;
  return m_pAppTypeDlg;
}

CAppWizStepDlg* CDialogChooser::Back(CAppWizStepDlg* pDlg) {
  CWaitCursor wait;
  if (m_pAppWizard == NULL) {
    m_pAppTypeDlg->RestoreFrame();
    return NULL;
  }
  CAppWizStepDlg* pBack = m_pAppWizard->Back(pDlg);
  --m_nStep;
  if (pBack != NULL) return pBack;
  // Back past the plug-in's first step: the plug-in is left, the project-type step shows again.
  m_pAppWizard->ExitCustomAppWizard();
  m_pAppWizard = NULL;
  SetNumberOfSteps(-1);
  m_nStep = 1;
  return m_pAppTypeDlg;
}

void CDialogChooser::Reserved() {}

void CDialogChooser::ExitCustomAppWizard() {
  if (m_pAppWizard != NULL) m_pAppWizard->ExitCustomAppWizard();
}

BOOL CDialogChooser::LoadTemplate(LPCTSTR* ppszTemplateName, DWORD* pdwSize, HINSTANCE* phInstance,
                                  LPCTSTR* ppszTemplate) {
  if (m_pAppWizard == NULL) return TRUE;
  return m_pAppWizard->LoadTemplate(ppszTemplateName, pdwSize, phInstance, ppszTemplate);
}

BOOL CDialogChooser::CopyTemplate(LPCTSTR* ppszInput, DWORD* pdwSize, CTemplateOutput* pOutput) {
  if (m_pAppWizard == NULL) return TRUE;
  return m_pAppWizard->CopyTemplate(ppszInput, pdwSize, pOutput);
}

BOOL CDialogChooser::ProcessTemplate(LPCTSTR* ppszInput, DWORD* pdwSize, CTemplateOutput* pOutput) {
  if (m_pAppWizard == NULL) return TRUE;
  return m_pAppWizard->ProcessTemplate(ppszInput, pdwSize, pOutput);
}

void CDialogChooser::PostProcessTemplate(LPCTSTR szTemplate) {
  if (m_pAppWizard != NULL) m_pAppWizard->PostProcessTemplate(szTemplate);
}

void CDialogChooser::CustomizeProject(IBuildProject* pProject) {
  if (m_pAppWizard != NULL) m_pAppWizard->CustomizeProject(pProject);
}
