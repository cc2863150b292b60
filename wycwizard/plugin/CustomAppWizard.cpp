#include "stdafx.h"

#include "plugin/AppWizardPlugIn.h"
#include "plugin/CustomAppWizard.h"

CCustomAppWizard::CCustomAppWizard(CString name)
    : m_pHostWizard(NULL), m_hModule(NULL), m_strName(name), m_pDepot(NULL), m_nHostStepCount(0) {}

CCustomAppWizard::~CCustomAppWizard() {}

void CCustomAppWizard::GetPlatforms(CStringList&) {}
void CCustomAppWizard::InitCustomAppWizard() {}
void CCustomAppWizard::ExitCustomAppWizard() {}

bool CCustomAppWizard::LoadTemplate(LPCTSTR*, DWORD*, HINSTANCE* phInstance, LPCTSTR*) {
  *phInstance = m_hModule;
  return true;
}

bool CCustomAppWizard::CopyTemplate(LPCTSTR*, DWORD*, CTemplateOutput*) { return true; }
bool CCustomAppWizard::ProcessTemplate(LPCTSTR*, DWORD*, CTemplateOutput*) { return true; }
void CCustomAppWizard::PostProcessTemplate(LPCTSTR) {}
void CCustomAppWizard::CustomizeProject(IBuildProject*) {}

BOOL PlugInDllMain(AFX_EXTENSION_MODULE& module, CCustomAppWizard& object, HINSTANCE hInstance, DWORD dwReason) {
  if (dwReason == DLL_PROCESS_ATTACH) {
    if (!AfxInitExtensionModule(module, hInstance)) return 0;
    object.m_hModule = hInstance;
  } else if (dwReason == DLL_PROCESS_DETACH) {
    AfxTermExtensionModule(module, FALSE);
  }
  return 1;
}

// The record goes with AfxTermExtensionModule when the DLL unloads.
CCustomAppWizard* PlugInGetAppWizard(AFX_EXTENSION_MODULE& module, bool& libraryMade, CCustomAppWizard& object) {
  if (!libraryMade) {
    new CDynLinkLibrary(module, FALSE);
    libraryMade = true;
  }
  return &object;
}
