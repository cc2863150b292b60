#include "Commands.h"

#include "CatalogueResource.h"
#include "CommandFrame.h"
#include "ComponentsWizardDlg.h"
#include "ConversionConfirmDlg.h"
#include "ConversionPromptDlg.h"
#include "ConversionSuccessDlg.h"
#include "PathDlgs.h"
#include "PreferencesDlg.h"
#include "SablewingPreferences.h"
#include "ServerResource.h"
#include "bridge/VSApplication.h"
#include "customizer/VSProjectCustomizer.h"
#include "editors/TextFile.h"

namespace {

// The values of the preference UpgradeOptions.
enum { upgradePrompt = 0, upgradeAutomatically = 1, upgradeNever = 2 };

// The user's choice for 1.0 projects. A value that is none of the three counts as a prompt: a
// project is never converted without asking unless the user chose so.
DWORD UpgradeOption() {
  const DWORD option = CSablewingPreferences::GetUpgradeOptions();
  return option <= upgradeNever ? option : static_cast<DWORD>(upgradePrompt);
}

// The owner of the add-in's dialogs: Developer Studio's main window, or none.
CWnd* DialogParent() {
  const HWND frame = CVSApplication::GetMainFrameHandle();
  return frame != NULL ? CWnd::FromHandle(frame) : NULL;
}

// A modal dialog, after which the wait cursor shows again.
INT_PTR ShowModal(CCommandFrame& frame, CDialog& dialog) {
  const INT_PTR result = dialog.DoModal();
  frame.RestoreWaitCursor();
  return result;
}

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

}  // namespace

CCommands::CCommands()
    : m_pApplication(NULL),
      m_pApplicationEventsObj(NULL),
      m_pDebuggerEventsObj(NULL),
      m_pDebugger(NULL),
      m_applicationEventsCookie(0),
      m_debuggerEventsCookie(0) {}

CCommands::~CCommands() {
  UnadviseFromEvents();
  if (m_pApplication != NULL) m_pApplication->Release();
}

HRESULT CCommands::SetApplicationObject(IApplication* application) {
  m_pApplication = application;
  m_pApplication->AddRef();

  HRESULT hr = CComObject<CApplicationEvents>::CreateInstance(&m_pApplicationEventsObj);
  if (FAILED(hr)) return hr;
  m_pApplicationEventsObj->AddRef();
  m_pApplicationEventsObj->SetCommands(this);
  hr = AtlAdvise(m_pApplication, m_pApplicationEventsObj->GetUnknown(), IID_IApplicationEvents,
                 &m_applicationEventsCookie);
  if (SUCCEEDED(hr)) hr = m_pApplication->get_Debugger(&m_pDebugger);
  if (SUCCEEDED(hr) && m_pDebugger == NULL) hr = E_UNEXPECTED;
  if (SUCCEEDED(hr)) hr = CComObject<CDebuggerEvents>::CreateInstance(&m_pDebuggerEventsObj);
  if (SUCCEEDED(hr)) {
    m_pDebuggerEventsObj->AddRef();
    hr = AtlAdvise(m_pDebugger, m_pDebuggerEventsObj->GetUnknown(), IID_IDebuggerEvents, &m_debuggerEventsCookie);
  }
  if (FAILED(hr)) UnadviseFromEvents();
  return hr;
}

void CCommands::UnadviseFromEvents() {
  if (m_applicationEventsCookie != 0) AtlUnadvise(m_pApplication, IID_IApplicationEvents, m_applicationEventsCookie);
  m_applicationEventsCookie = 0;
  if (m_pApplicationEventsObj != NULL) {
    m_pApplicationEventsObj->SetCommands(NULL);
    m_pApplicationEventsObj->Release();
    m_pApplicationEventsObj = NULL;
  }
  if (m_debuggerEventsCookie != 0) AtlUnadvise(m_pDebugger, IID_IDebuggerEvents, m_debuggerEventsCookie);
  m_debuggerEventsCookie = 0;
  if (m_pDebuggerEventsObj != NULL) {
    m_pDebuggerEventsObj->Release();
    m_pDebuggerEventsObj = NULL;
  }
  if (m_pDebugger != NULL) {
    m_pDebugger->Release();
    m_pDebugger = NULL;
  }
}

bool CCommands::CheckProductPath(CCommandFrame& frame) {
  while (m_depot.GetProductPath().IsEmpty()) {
    CInvalidPathDlg dialog(&m_depot, DialogParent());
    if (ShowModal(frame, dialog) != IDOK) return false;
  }
  return true;
}

bool CCommands::ReloadCatalogue(CCommandFrame& frame) {
  m_depot.LoadComponents(CVSApplication::GetMainFrameHandle());
  if (!m_depot.GetComponents().empty()) return true;
  CNoComponentsDlg dialog(&m_depot, DialogParent());
  ShowModal(frame, dialog);
  return false;
}

void CCommands::ShowConversionSuccess(CCommandFrame& frame, bool backupsMade, const std::list<CString>& backupPaths) {
  if (!CSablewingPreferences::GetShowConvertSuccessfulDlg()) return;
  CConversionSuccessDlg dialog(&m_depot, backupsMade, &backupPaths, DialogParent());
  ShowModal(frame, dialog);
}

// --- ICommands ------------------------------------------------------------------------------

STDMETHODIMP CCommands::SablewingAddInAddComponentMethod() {
  CCommandFrame frame(m_pApplication, true);
  frame.Run([&] {
    CVSApplication app(m_pApplication);
    CVSProjectCustomizer customizer(m_depot.IsWindowsNT());
    std::vector<CComponent>& catalogue = m_depot.GetComponents();
    app.LoadActiveProject();
    if (!CheckProductPath(frame) || !ReloadCatalogue(frame)) return;

    // A 1.0 project is converted first, so that its components show as selected.
    if (customizer.IsVersion1Project(app)) {
      bool backup = CSablewingPreferences::GetBackupProjectFiles();
      if (UpgradeOption() != upgradeAutomatically) {
        CConversionPromptDlg prompt(&m_depot, backup, DialogParent());
        if (ShowModal(frame, prompt) != IDOK) return;
        backup = prompt.m_bBackup != FALSE;
      }
      std::list<CString> backupPaths;
      customizer.UpgradeProject(app, catalogue, backup, backup, backupPaths);
      ShowConversionSuccess(frame, backup, backupPaths);
    }

    customizer.ReadCurrentSelection(app, catalogue);
    CComponentsWizardDlg wizard(&m_depot, customizer.AllConfigurationsUseMFC(app), customizer.IsDllProject(app),
                                DialogParent());
    if (ShowModal(frame, wizard) == IDOK)
      customizer.ApplyComponentSelection(app, catalogue, CSablewingPreferences::GetBackupProjectFiles(), NULL, NULL);
    // Nothing happens here unless the workspace was closed (a conversion, or the selection).
    app.ReopenWorkspace(true);
  });
  return S_OK;
}

STDMETHODIMP CCommands::SablewingAddInUpgradeProjectMethod() {
  CCommandFrame frame(m_pApplication, true);
  frame.Run([&] {
    CVSApplication app(m_pApplication);
    CVSProjectCustomizer customizer(m_depot.IsWindowsNT());
    app.LoadActiveProject();
    if (!customizer.IsVersion1Project(app)) {
      AddInMessageBox(LoadText(IDS_ALREADY_CONVERTED));
      return;
    }
    if (!CheckProductPath(frame)) return;
    CConversionConfirmDlg confirm(&m_depot, DialogParent());
    if (ShowModal(frame, confirm) != IDOK) return;
    const bool backup = confirm.m_bBackup != FALSE;
    // An empty catalogue converts nothing: the 1.0 library would go with nothing in its place.
    if (!ReloadCatalogue(frame)) return;
    std::list<CString> backupPaths;
    customizer.UpgradeProject(app, m_depot.GetComponents(), backup, backup, backupPaths);
    app.ReopenWorkspace(true);
    ShowConversionSuccess(frame, backup, backupPaths);
  });
  return S_OK;
}

STDMETHODIMP CCommands::SablewingAddInSetPreferencesMethod() {
  CCommandFrame frame(m_pApplication, false);
  frame.Run([&] {
    CPreferencesDlg preferences(&m_depot, DialogParent());
    ShowModal(frame, preferences);
  });
  return S_OK;
}

// --- Application events ---------------------------------------------------------------------

void CCommands::OnWorkspaceOpen() {
  CCommandFrame frame(m_pApplication, true);
  // Nothing is reported before the search has found a 1.0 project: a workspace without projects
  // (or an application object that cannot be reached) is no reason to bother the user.
  bool found = false;
  try {
    CVSApplication app(m_pApplication);
    found = ProjectFileUsesVersion1Library(app);
  } catch (CException* e) {
    e->Delete();
  }
  if (!found) return;

  frame.Run([&] {
    const DWORD option = UpgradeOption();
    if (option == upgradeNever) return;
    bool backup = CSablewingPreferences::GetBackupProjectFiles();
    bool prompted = false;
    bool converted = false;
    std::list<CString> backupPaths;
    CVSApplication app(m_pApplication);
    app.LoadProjectList();
    do {
      CVSProjectCustomizer customizer(m_depot.IsWindowsNT());
      // Only a project whose text names the 1.0 library is read into the model: the reader refuses
      // some projects (static libraries) that never link it, and they must not stop the others.
      CString text;
      if (!ReadWholeTextFile(app.GetProjectFilePath(), text) || !ProjectTextUsesVersion1Library(text)) continue;
      if (!customizer.IsVersion1Project(app)) continue;
      if (!CheckProductPath(frame)) return;
      if (option == upgradePrompt && !prompted) {
        CConversionPromptDlg prompt(&m_depot, backup, DialogParent());
        if (ShowModal(frame, prompt) != IDOK) return;
        backup = prompt.m_bBackup != FALSE;
        prompted = true;
      }
      if (!ReloadCatalogue(frame)) return;
      // The workspace file is backed up once, with the first project converted.
      customizer.UpgradeProject(app, m_depot.GetComponents(), backup && !converted, backup, backupPaths);
      converted = true;
    } while (app.NextProject());
    if (!converted) return;
    app.ReopenWorkspace(true);
    ShowConversionSuccess(frame, backup, backupPaths);
  });
}
