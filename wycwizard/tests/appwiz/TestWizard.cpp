// TestWizard.awx: a custom AppWizard that hands its work to a plug-in found beside it (TestPlugIn.dll
// unless the build names another in PLUGIN_FILE), as
// the host hands its work to the plug-ins: the template operations go to the plug-in's hooks
// first and to the host library's defaults with what the hooks left. Every call it gets is told
// to the debugger ("TestWizard: ...").
#include <afxwin.h>
#include <customaw.h>

#include <string>

#include "InformationDepot.h"
#include "plugin/CurrentDepot.h"
#include "plugin/CustomAppWizard.h"

#ifndef PLUGIN_FILE
#define PLUGIN_FILE "TestPlugIn.dll"
#endif

namespace {

void Note(const std::string& text) { ::OutputDebugString(("TestWizard: " + text).c_str()); }

AFX_EXTENSION_MODULE g_extensionModule = {FALSE, NULL, NULL, NULL, NULL};

class CTestWizard : public CCustomAppWiz {
 public:
  void InitCustomAppWiz() override {
    Note("InitCustomAppWiz");
    SetNumberOfSteps(-1);
    g_pCurrentDepot = &m_depot;
    char path[MAX_PATH] = "";
    ::GetModuleFileName(g_extensionModule.hModule, path, sizeof path);
    std::string folder = path;
    folder.erase(folder.rfind('\\'));
    m_hPlugIn = AfxLoadLibrary((folder + "\\" PLUGIN_FILE).c_str());
    using GetAppWizardFunction = CCustomAppWizard* (*)();
    auto get = m_hPlugIn != NULL ? reinterpret_cast<GetAppWizardFunction>(reinterpret_cast<void (*)()>(::GetProcAddress(m_hPlugIn, "GetAppWizard")))
                                 : NULL;
    m_pPlugIn = get != NULL ? get() : NULL;
    if (m_pPlugIn == NULL) AfxThrowResourceException();
    m_pPlugIn->m_pHostWizard = this;
    m_pPlugIn->m_pDepot = &m_depot;
    m_pPlugIn->m_nHostStepCount = 0;
    m_pPlugIn->InitCustomAppWizard();
  }
  void GetPlatforms(CStringList& platforms) override {
    Note("GetPlatforms");
    for (POSITION pos = platforms.GetHeadPosition(); pos != NULL;) {
      const POSITION at = pos;
      if (platforms.GetNext(pos).Left(5) != "Win32") platforms.RemoveAt(at);
    }
    m_pPlugIn->GetPlatforms(platforms);
  }
  CAppWizStepDlg* Next(CAppWizStepDlg* pDlg) override { return m_pPlugIn->Next(pDlg); }
  CAppWizStepDlg* Back(CAppWizStepDlg* pDlg) override { return m_pPlugIn->Back(pDlg); }
  LPCTSTR LoadTemplate(LPCTSTR lpszTemplateName, DWORD& rdwSize, HINSTANCE hInstance) override {
    LPCTSTR result = NULL;
    if (!m_pPlugIn->LoadTemplate(&lpszTemplateName, &rdwSize, &hInstance, &result)) return result;
    return CCustomAppWiz::LoadTemplate(lpszTemplateName, rdwSize, hInstance);
  }
  void CopyTemplate(LPCTSTR lpszInput, DWORD dwSize, CTemplateOutput* pOutput) override {
    if (m_pPlugIn->CopyTemplate(&lpszInput, &dwSize, pOutput)) CCustomAppWiz::CopyTemplate(lpszInput, dwSize, pOutput);
  }
  void ProcessTemplate(LPCTSTR lpszInput, DWORD dwSize, CTemplateOutput* pOutput) override {
    if (m_pPlugIn->ProcessTemplate(&lpszInput, &dwSize, pOutput))
      CCustomAppWiz::ProcessTemplate(lpszInput, dwSize, pOutput);
  }
  void PostProcessTemplate(LPCTSTR szTemplate) override { m_pPlugIn->PostProcessTemplate(szTemplate); }
  void CustomizeProject(IBuildProject* pProject) override { m_pPlugIn->CustomizeProject(pProject); }
  void ExitCustomAppWiz() override {
    Note("ExitCustomAppWiz");
    if (m_pPlugIn != NULL) m_pPlugIn->ExitCustomAppWizard();
    m_pPlugIn = NULL;
    if (m_hPlugIn != NULL) AfxFreeLibrary(m_hPlugIn);
    m_hPlugIn = NULL;
  }

 private:
  CInformationDepot m_depot;
  HINSTANCE m_hPlugIn = NULL;
  CCustomAppWizard* m_pPlugIn = NULL;
};

CTestWizard theWizard;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) {
    if (!AfxInitExtensionModule(g_extensionModule, hInstance)) return FALSE;
    new CDynLinkLibrary(g_extensionModule);
    RegisterCustomAppWiz(&theWizard);
  } else if (dwReason == DLL_PROCESS_DETACH) {
    AfxTermExtensionModule(g_extensionModule);
  }
  return TRUE;
}
