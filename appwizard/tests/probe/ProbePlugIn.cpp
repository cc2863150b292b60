// A plug-in of the host, built into several DLLs from this one source: each build names its object
// (PROBE_NAME) and may misbehave in one way (PROBE_FAIL_DLLMAIN, PROBE_NULL_OBJECT,
// PROBE_THROW_INIT, PROBE_REFUSE_TEMPLATES). It has one step page and a small project's templates;
// every call it gets is told to the debugger ("Probe <file>: ..."), with the current directory
// when it is asked for its object, so the tests can read what the host did and in which order.
#include <afxwin.h>

#include <string>

#include "InformationDepot.h"
#include "ProbePlugIn.h"
#include "TqException.h"
#include "plugin/AppWizardPlugIn.h"
#include "plugin/CurrentDepot.h"
#include "plugin/CustomAppWizStepDlg.h"

namespace {

HINSTANCE g_hProbe = NULL;

void Note(const std::string& text) {
  char path[MAX_PATH] = "";
  ::GetModuleFileName(g_hProbe, path, sizeof path);
  std::string file = path;
  file.erase(0, file.rfind('\\') + 1);
  ::OutputDebugString(("Probe " + file + ": " + text).c_str());
}

class CProbeStep : public CCustomAppWizStepDlg {
 public:
  CProbeStep() : CCustomAppWizStepDlg(IDD_PROBE_STEP) {}
  CString GetHelpTopic() override { return "probe.chm::\\step.htm"; }
  // The probe's one step may finish the wizard.
  void ArrangeFrameAndPaint(CDC* pDC, BOOL bShowHelp, BOOL bDrawBadge) override {
    CCustomAppWizStepDlg::ArrangeFrameAndPaint(pDC, bShowHelp, bDrawBadge);
    if (bShowHelp) EnableFrameItem(IDC_FRAME_FINISH);
  }
};

class CProbePlugIn : public CCustomAppWizard {
 public:
  CProbePlugIn() : CCustomAppWizard(PROBE_NAME) { ::OutputDebugString("Probe constructed: " PROBE_NAME); }

  void InitCustomAppWizard() override {
    Note("InitCustomAppWizard, host steps " + std::to_string(m_nHostStepCount));
#ifdef PROBE_THROW_INIT
    TQ::ThrowSystemException(ERROR_ACCESS_DENIED);
#endif
    g_pCurrentDepot = m_pDepot;
    SetNumberOfSteps(m_nHostStepCount + 1);
  }
  void ExitCustomAppWizard() override { Note("ExitCustomAppWizard"); }
  void GetPlatforms(CStringList& platforms) override {
    std::string list;
    for (POSITION pos = platforms.GetHeadPosition(); pos != NULL;) list += "[" + std::string(platforms.GetNext(pos)) + "]";
    Note("GetPlatforms " + list);
  }
  CAppWizStepDlg* Next(CAppWizStepDlg* pDlg) override {
    Note("Next");
    return pDlg == &m_step ? NULL : &m_step;
  }
  CAppWizStepDlg* Back(CAppWizStepDlg*) override {
    Note("Back");
    return NULL;
  }
  bool LoadTemplate(LPCTSTR* ppszTemplateName, DWORD* pdwSize, HINSTANCE* phInstance, LPCTSTR* ppszTemplate) override {
    Note(std::string("LoadTemplate ") + *ppszTemplateName);
#ifdef PROBE_REFUSE_TEMPLATES
    (void)pdwSize, (void)phInstance, (void)ppszTemplate;
    return false;
#else
    return CCustomAppWizard::LoadTemplate(ppszTemplateName, pdwSize, phInstance, ppszTemplate);
#endif
  }
  void CustomizeProject(IBuildProject*) override { Note("CustomizeProject"); }

 private:
  CProbeStep m_step;
};

CProbePlugIn theAppWizard;
AFX_EXTENSION_MODULE g_probeModule = {FALSE, NULL, NULL, NULL, NULL};
[[maybe_unused]] bool g_bProbeLibraryMade = false;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) g_hProbe = hInstance;
#ifdef PROBE_FAIL_DLLMAIN
  return dwReason == DLL_PROCESS_ATTACH ? FALSE : TRUE;
#else
  return PlugInDllMain(g_probeModule, theAppWizard, hInstance, dwReason);
#endif
}

extern "C" __declspec(dllexport) CCustomAppWizard* GetAppWizard() {
  char folder[MAX_PATH] = "";
  ::GetCurrentDirectory(sizeof folder, folder);
  Note(std::string("GetAppWizard in ") + folder);
#ifdef PROBE_NULL_OBJECT
  return NULL;
#else
  return PlugInGetAppWizard(g_probeModule, g_bProbeLibraryMade, theAppWizard);
#endif
}
