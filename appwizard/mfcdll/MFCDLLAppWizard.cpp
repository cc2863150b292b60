#include "stdafx.h"

#include "mfcdll/MFCDLLAppWizard.h"

#include <objmodel/bldauto.h>

#include "CatalogueResource.h"
#include "FailureText.h"
#include "InformationDepot.h"
#include "SablewingPreferences.h"
#include "TqRegistry.h"
#include "bridge/VSApplication.h"
#include "customizer/VSProjectCustomizer.h"
#include "plugin/CurrentDepot.h"

namespace {

const char kProductKey[] = "Software\\Vellacott\\Sablewing\\VC";
const char kWorkspacePathValue[] = "DSW Path";

// Handles what waits in this thread's queue, as the thread would when it next went idle.
void HandlePendingMessages() {
  MSG msg;
  while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
}

}  // namespace

CMFCDLLAppWizard::CMFCDLLAppWizard()
    : CCustomAppWizard("TQ MFC DLL AppWizard"),
      m_pSteps{NULL, NULL, GetStandardStep(kAppWizStepMfcDll)},
      m_componentDlg(1),
      m_nStep(0),
      m_pCustomizer(NULL),
      m_pVSApplication(NULL),
      m_pApplication(NULL),
      m_bOwnsApplication(true),
      m_bCustomized(false) {}

CMFCDLLAppWizard::~CMFCDLLAppWizard() {
  delete m_pCustomizer;
  delete m_pVSApplication;
  ReleaseApplication();
}

void CMFCDLLAppWizard::ReleaseApplication() {
  if (m_pApplication != NULL && m_bOwnsApplication) m_pApplication->Release();
  m_pApplication = NULL;
}

void CMFCDLLAppWizard::SelectComponentStep() {
  g_pCurrentDepot = m_pDepot;
  const bool anyComponent = m_pDepot != NULL && !m_pDepot->GetComponents().empty();
  m_pSteps[1] = anyComponent ? static_cast<CAppWizStepDlg*>(&m_componentDlg) : &m_noComponentDlg;
}

CAppWizStepDlg* CMFCDLLAppWizard::Next(CAppWizStepDlg*) {
  if (m_nStep >= 2) return NULL;
  if (m_nStep == 0) {
    SelectComponentStep();
    m_componentDlg.m_pHost = m_pHostWizard;
  }
  return m_pSteps[++m_nStep];
}

CAppWizStepDlg* CMFCDLLAppWizard::Back(CAppWizStepDlg*) {
  if (m_nStep <= 0) return NULL;
  if (m_nStep == 2) SelectComponentStep();
  return m_pSteps[--m_nStep];
}

void CMFCDLLAppWizard::InitCustomAppWizard() {
  m_nStep = 0;
  m_bCustomized = false;
  CMapStringToString& dictionary = m_pHostWizard->m_Dictionary;
  dictionary.SetAt("PROJTYPE_DLL", "1");
  CString language;
  if (!dictionary.Lookup("USE_DEFAULT_LANGUAGE", language)) dictionary.SetAt("USE_DEFAULT_LANGUAGE", "");
  SetNumberOfSteps(m_nHostStepCount + 2);
}

void CMFCDLLAppWizard::CustomizeProject(IBuildProject* pProject) {
  ReleaseApplication();
  IDispatch* pDispatch = NULL;
  if (SUCCEEDED(pProject->get_Application(&pDispatch)) && pDispatch != NULL) {
    pDispatch->QueryInterface(__uuidof(IApplication), reinterpret_cast<void**>(&m_pApplication));
    pDispatch->Release();
  }
  m_bOwnsApplication = true;
  delete m_pVSApplication;
  m_pVSApplication = NULL;
  m_pVSApplication = new CVSApplication(m_pApplication);
  delete m_pCustomizer;
  m_pCustomizer = new CVSProjectCustomizer(m_pDepot->IsWindowsNT());
  m_bCustomized = true;
}

void CMFCDLLAppWizard::ExitCustomAppWizard() {
  if (!m_bCustomized) return;
  // One application per customization, whatever becomes of it.
  m_bCustomized = false;
  CWaitCursor wait;
  try {
    ApplyComponents();
  } catch (CException* e) {
    ReportFailure(e);
    e->Delete();
  } catch (...) {
    ::MessageBox(NULL, UnknownFailureText(), TQ::LoadStringResource(IDS_PRODUCT_NAME), MB_OK);
  }
  // The reopened workspace asks its questions when this thread next handles its messages, and
  // this module goes as soon as the wizard has ended: they are handled here, while the threads
  // the reopening started answer them, and those threads end before the module does.
  HandlePendingMessages();
  CVSApplication::FinishAnsweringPrompts(true);
}

void CMFCDLLAppWizard::ApplyComponents() {
  m_pVSApplication->LoadActiveProject();
  m_pCustomizer->ApplyComponentSelection(*m_pVSApplication, m_pDepot->GetComponents(),
                                         CSablewingPreferences::GetBackupProjectFiles(), NULL, NULL);
  // The workspace's path stays in the product's key while the workspace reopens.
  TQ::CTqRegKey key(HKEY_LOCAL_MACHINE, kProductKey, 0, KEY_ALL_ACCESS);
  TQ::CTqRegValue(key, kWorkspacePathValue).SetString(m_pVSApplication->GetWorkspacePath());
  m_pVSApplication->ReopenWorkspace(true);
  const LONG deleted = ::RegDeleteValue(key.GetHandle(), kWorkspacePathValue);
  if (deleted != ERROR_SUCCESS) TQ::ThrowSystemException(static_cast<DWORD>(deleted));
}

// A CTqException's box has no owner; a file failure's is the IDE's main window.
void CMFCDLLAppWizard::ReportFailure(CException* e) {
  HWND owner = NULL;
  if (dynamic_cast<CFileException*>(e) != NULL) owner = CVSApplication::GetMainFrameHandle();
  ::MessageBox(owner, FailureText(e), TQ::LoadStringResource(IDS_PRODUCT_NAME), MB_OK);
}
