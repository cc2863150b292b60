#include "Commands.h"

#include "CommandFrame.h"
#include "bridge/VSApplication.h"
#include "customizer/VSProjectCustomizer.h"

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

// --- ICommands ------------------------------------------------------------------------------

STDMETHODIMP CCommands::SablewingAddInAddComponentMethod() { return E_NOTIMPL; }

STDMETHODIMP CCommands::SablewingAddInUpgradeProjectMethod() { return E_NOTIMPL; }

STDMETHODIMP CCommands::SablewingAddInSetPreferencesMethod() { return E_NOTIMPL; }

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
}
