// TestPlugIn.dll: a plug-in over the plug-in interface base. Its one step chooses the kind of
// project (an MFC DLL goes on to the host library's standard step 8); its templates make a small
// project; its CustomizeProject makes one change of each kind on the new project. Every call it
// gets is told to the debugger ("TestPlugIn: ..."), so the tests can read the order.
#include <afxwin.h>
#include <comdef.h>
#include <objmodel/bldauto.h>

#include <functional>
#include <string>

#include "InformationDepot.h"
#include "TestPlugIn.h"
#include "plugin/AppWizardPlugIn.h"
#include "plugin/CurrentDepot.h"
#include "plugin/CustomAppWizStepDlg.h"

namespace {

void Note(const std::string& text) { ::OutputDebugString(("TestPlugIn: " + text).c_str()); }

CString Macro(CCustomAppWiz* host, LPCTSTR name) {
  CString value;
  if (host != NULL) host->m_Dictionary.Lookup(name, value);
  return value;
}

// The frame's procedure before the kind step took it over: F1 in the wizard reaches the frame as
// WM_HELP, which is told with the help topic the current step put into the depot.
WNDPROC g_frameProc = NULL;

LRESULT CALLBACK HelpProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HELP) {
    Note("WM_HELP " + std::string(g_pCurrentDepot != NULL ? static_cast<LPCTSTR>(g_pCurrentDepot->GetHelpTopic()) : ""));
    return 0;
  }
  const WNDPROC previous = g_frameProc;
  if (message == WM_DESTROY) {
    ::SetWindowLongPtr(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    g_frameProc = NULL;
  }
  return ::CallWindowProc(previous, frame, message, wParam, lParam);
}

class CKindStep : public CCustomAppWizStepDlg {
 public:
  CKindStep() : CCustomAppWizStepDlg(IDD_KIND_STEP), m_nKind(0), m_pHost(NULL) {}
  CString GetHelpTopic() override { return "test.chm::\\kind.htm"; }

  // The base disables Finish when it shows Help; this step may finish the wizard.
  void ArrangeFrameAndPaint(CDC* pDC, BOOL bShowHelp, BOOL bDrawBadge) override {
    CCustomAppWizStepDlg::ArrangeFrameAndPaint(pDC, bShowHelp, bDrawBadge);
    if (bShowHelp) EnableFrameItem(IDC_FRAME_FINISH);
  }

  // The frame's messages come here first: the first one takes the frame's procedure over.
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (g_frameProc == NULL && m_hWnd != NULL) {
      const HWND frame = ::GetParent(m_hWnd);
      g_frameProc = reinterpret_cast<WNDPROC>(
          ::SetWindowLongPtr(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HelpProc)));
    }
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1) Note("PreTranslateMessage F1");
    return CCustomAppWizStepDlg::PreTranslateMessage(pMsg);
  }

  // The kind chosen goes into the host's dictionary.
  BOOL OnDismiss() override {
    if (!UpdateData(TRUE)) return FALSE;
    Note("OnDismiss");
    CMapStringToString& d = m_pHost->m_Dictionary;
    for (LPCTSTR macro : {"PROJTYPE_EXE", "PROJTYPE_DLL", "PROJTYPE_LIB", "PROJTYPE_CON"}) d.RemoveKey(macro);
    static const LPCTSTR kMacros[] = {"PROJTYPE_EXE", "PROJTYPE_DLL", "PROJTYPE_LIB", "PROJTYPE_CON", "PROJTYPE_DLL"};
    d.SetAt(kMacros[m_nKind], "");
    if (m_bBroken)
      d.SetAt("BROKEN", "");
    else
      d.RemoveKey("BROKEN");
    return CCustomAppWizStepDlg::OnDismiss();
  }

  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Radio(pDX, IDC_KIND_APPLICATION, m_nKind);
    DDX_Check(pDX, IDC_KIND_BROKEN, m_bBroken);
  }

  int m_nKind;  // 0 application, 1 DLL, 2 static library, 3 console, 4 MFC DLL
  int m_bBroken = 0;  // NEWPROJ.INF then lists a template the language refuses
  CCustomAppWiz* m_pHost;
};

class CTestPlugIn : public CCustomAppWizard {
 public:
  CTestPlugIn() : CCustomAppWizard("Test Plug-In") {}

  void InitCustomAppWizard() override {
    Note("InitCustomAppWizard");
    g_pCurrentDepot = m_pDepot;
    m_kind.m_pHost = m_pHostWizard;
  }
  void GetPlatforms(CStringList& platforms) override {
    std::string list;
    for (POSITION pos = platforms.GetHeadPosition(); pos != NULL;) list += "[" + std::string(platforms.GetNext(pos)) + "]";
    Note("GetPlatforms " + list);
  }
  CAppWizStepDlg* Next(CAppWizStepDlg* pDlg) override {
    Note("Next");
    if (pDlg != &m_kind) return &m_kind;
    if (m_kind.m_nKind != 4) return NULL;
    SetNumberOfSteps(m_nHostStepCount + 2);
    return GetStandardStep(kAppWizStepMfcDll);
  }
  CAppWizStepDlg* Back(CAppWizStepDlg* pDlg) override {
    Note("Back");
    return pDlg == &m_kind ? NULL : &m_kind;
  }
  bool LoadTemplate(LPCTSTR* ppszTemplateName, DWORD* pdwSize, HINSTANCE* phInstance, LPCTSTR* ppszTemplate) override {
    Note(std::string("LoadTemplate ") + *ppszTemplateName);
    return CCustomAppWizard::LoadTemplate(ppszTemplateName, pdwSize, phInstance, ppszTemplate);
  }
  bool CopyTemplate(LPCTSTR*, DWORD*, CTemplateOutput*) override {
    Note("CopyTemplate");
    return true;
  }
  bool ProcessTemplate(LPCTSTR*, DWORD*, CTemplateOutput*) override {
    Note("ProcessTemplate");
    return true;
  }
  void PostProcessTemplate(LPCTSTR szTemplate) override { Note(std::string("PostProcessTemplate ") + szTemplate); }

  // One change of each kind: a compiler setting twice, a linker setting the configuration holds
  // in part, a setting removed, a custom build step on the debug configuration and on a file, a
  // file added from elsewhere and one the project has.
  void CustomizeProject(IBuildProject* pProject) override {
    Note("CustomizeProject");
    VARIANT none;
    ::VariantInit(&none);
    ForEachConfiguration(pProject, [&](IConfiguration* c, const std::string& name) {
      c->AddToolSettings(_bstr_t("cl.exe"), _bstr_t("/I \"C:\\Inc\""), none);
      c->AddToolSettings(_bstr_t("cl.exe"), _bstr_t("/I \"C:\\Inc\""), none);
      c->AddToolSettings(_bstr_t("link.exe"), _bstr_t("kernel32.lib extra.lib"), none);
      c->RemoveToolSettings(_bstr_t("cl.exe"), _bstr_t("/YX"), none);
      if (name.find("Debug") != std::string::npos)
        c->AddCustomBuildStep(_bstr_t("copy $(TargetPath) C:\\Out"), _bstr_t("C:\\Out\\$(TargetName).bin"),
                              _bstr_t("Copy the target"), none);
      c->AddCustomBuildStepToFile(_bstr_t("panel.uir"), _bstr_t("uirc $(InputPath)"), _bstr_t("$(InputDir)\\panel.h"),
                                  _bstr_t("Compile the panel"), none);
    });
    pProject->AddFile(_bstr_t("C:\\Shared\\extra.c"), none);
    pProject->AddFile(_bstr_t(CString(Macro(m_pHostWizard, "FULL_DIR_PATH") + "ReadMe.txt")), none);
  }

  void ExitCustomAppWizard() override {
    const CString workspace = Macro(m_pHostWizard, "FULL_DIR_PATH") + Macro(m_pHostWizard, "root") + ".dsw";
    Note(std::string("ExitCustomAppWizard") +
         (::GetFileAttributes(workspace) != INVALID_FILE_ATTRIBUTES ? " (workspace written)" : ""));
  }

 private:
  static void ForEachConfiguration(IBuildProject* project,
                                   const std::function<void(IConfiguration*, const std::string&)>& work) {
    IConfigurations* configurations = NULL;
    if (FAILED(project->get_Configurations(&configurations))) return;
    LONG count = 0;
    configurations->get_Count(&count);
    for (LONG i = 1; i <= count; ++i) {
      VARIANT index;
      ::VariantInit(&index);
      index.vt = VT_I4;
      index.lVal = i;
      IConfiguration* configuration = NULL;
      if (FAILED(configurations->Item(index, &configuration))) continue;
      BSTR name = NULL;
      configuration->get_Name(&name);
      work(configuration, static_cast<const char*>(_bstr_t(name, false)));
      configuration->Release();
    }
    configurations->Release();
  }

  CKindStep m_kind;
};

CTestPlugIn theAppWizard;

}  // namespace

APPWIZARD_PLUGIN_ENTRY(theAppWizard)
