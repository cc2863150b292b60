// CHgWycAddIn: its life as an add-in (connection and disconnection) and the events it hears.
#include "stdafx.h"

#include <comutil.h>

#include <new>

#include "ErrorBox.h"
#include "SablewingPreferences.h"
#include "ToolbarButtonWnd.h"
#include "ToolbarHook.h"
#include "WycAddIn.h"
#include "resource.h"
#include "uir/UIRMgr.h"

namespace {

// The command: its name, button text, status-bar text and tooltip, and the method that runs it.
const char kCommandText[] =
    "HgWycSettings\nSettings\nAllows you to configure the Hg/Wyc Add-In settings\nHg/Wyc Settings";
const char kCommandName[] = "HgWycSettings";
const char kCommandMethod[] = "Settings";

}  // namespace

CHgWycAddIn::CHgWycAddIn()
    : m_bEnabled(FALSE),
      m_bDirty(FALSE),
      m_bHasProject(FALSE),
      m_lAddInCookie(0),
      m_dwEventCookie(0),
      m_pUIRMgr(NULL),
      m_pApplication(NULL),
      m_pBuildProject(NULL),
      m_pToolbarWnd(NULL) {}

CHgWycAddIn::~CHgWycAddIn() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  Disconnect(m_pApplication);
}

// --- IDSAddIn ---------------------------------------------------------------------------------

// A step that fails shows its error box and the add-in does not load; what the steps before it
// did is taken back first, so no sink stays connected to an add-in that holds no application.
STDMETHODIMP CHgWycAddIn::OnConnection(IDispatch* pApp, VARIANT_BOOL bFirstTime, LONG dwCookie,
                                       VARIANT_BOOL* bOnConnection) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  if (bOnConnection == NULL) return S_OK;
  *bOnConnection = VARIANT_FALSE;
  CComQIPtr<IApplication> application(pApp);
  try {
    const UINT nError = application ? Connect(application, bFirstTime != VARIANT_FALSE, dwCookie) : IDS_NO_DEVSTUDIO;
    if (nError == 0) {
      *bOnConnection = VARIANT_TRUE;
      return S_OK;
    }
    Disconnect(application);
    ShowErrorBox(nError);
  } catch (CException* e) {
    e->Delete();
    Disconnect(application);
  } catch (...) {
    Disconnect(application);
  }
  return S_OK;
}

UINT CHgWycAddIn::Connect(IApplication* application, BOOL bFirstTime, LONG dwCookie) {
  m_pUIRMgr = new (std::nothrow) CUIRMgr;
  if (m_pUIRMgr == NULL) return IDS_NO_MEMORY;

  if (FAILED(AtlAdvise(application, GetUnknown(), IID_IApplicationEvents, &m_dwEventCookie))) {
    m_dwEventCookie = 0;
    return IDS_NO_DEVSTUDIO;
  }

  IDispatch* pCommands = static_cast<IHgWycAddIn*>(this);
  if (FAILED(application->SetAddInInfo(reinterpret_cast<LONG_PTR>(AfxGetInstanceHandle()), pCommands,
                                       IDB_TOOLBAR_MEDIUM, IDB_TOOLBAR_LARGE, dwCookie)))
    return IDS_NO_DEVSTUDIO;

  VARIANT_BOOL bAdded = VARIANT_FALSE;
  if (FAILED(application->AddCommand(_bstr_t(kCommandText), _bstr_t(kCommandMethod), 0, dwCookie, &bAdded)))
    return IDS_NO_DEVSTUDIO;
  if (bAdded == VARIANT_FALSE) return IDS_NO_MEMORY;

  if (bFirstTime) {
    HRESULT hr;
    {
      CToolbarHookScope hook;
      hr = application->AddCommandBarButton(dsGlyph, _bstr_t(kCommandName), dwCookie);
    }
    if (FAILED(hr)) return IDS_NO_DEVSTUDIO;
    CSablewingPreferences::SetWycToolbarDisplayed(true);
  } else {
    // Developer Studio keeps the toolbar between runs: the window adds the button only when the
    // user's flag says it is not there, once the message it is posted arrives.
    m_pToolbarWnd = new (std::nothrow) CToolbarButtonWnd(application, dwCookie);
    if (m_pToolbarWnd != NULL && m_pToolbarWnd->Create()) {
      m_pToolbarWnd->QueueCommand(kCommandName);
      m_pToolbarWnd->PostAddButtons();
    } else {
      delete m_pToolbarWnd;
      m_pToolbarWnd = NULL;
    }
  }

  m_pApplication = application;
  m_pApplication->AddRef();
  m_lAddInCookie = dwCookie;
  return 0;
}

STDMETHODIMP CHgWycAddIn::OnDisconnection(VARIANT_BOOL bLastTime) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  try {
    if (bLastTime != VARIANT_FALSE) CSablewingPreferences::SetWycToolbarDisplayed(false);
    Disconnect(m_pApplication);
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  return S_OK;
}

void CHgWycAddIn::Disconnect(IApplication* application) {
  delete m_pToolbarWnd;
  m_pToolbarWnd = NULL;
  if (m_dwEventCookie != 0 && application != NULL) AtlUnadvise(application, IID_IApplicationEvents, m_dwEventCookie);
  m_dwEventCookie = 0;
  ResetProjectState(TRUE);
  if (m_pApplication != NULL) m_pApplication->Release();
  m_pApplication = NULL;
  delete m_pUIRMgr;
  m_pUIRMgr = NULL;
}

// --- IApplicationEvents -----------------------------------------------------------------------

STDMETHODIMP CHgWycAddIn::BuildFinish(LONG, LONG) { return S_OK; }
STDMETHODIMP CHgWycAddIn::BeforeApplicationShutDown() { return S_OK; }
STDMETHODIMP CHgWycAddIn::DocumentOpen(IDispatch*) { return S_OK; }
STDMETHODIMP CHgWycAddIn::BeforeDocumentClose(IDispatch*) { return S_OK; }
STDMETHODIMP CHgWycAddIn::DocumentSave(IDispatch*) { return S_OK; }
STDMETHODIMP CHgWycAddIn::NewDocument(IDispatch*) { return S_OK; }
STDMETHODIMP CHgWycAddIn::WindowActivate(IDispatch*) { return S_OK; }
STDMETHODIMP CHgWycAddIn::WindowDeactivate(IDispatch*) { return S_OK; }
STDMETHODIMP CHgWycAddIn::WorkspaceOpen() { return S_OK; }
STDMETHODIMP CHgWycAddIn::NewWorkspace() { return S_OK; }

// The project goes with its workspace.
STDMETHODIMP CHgWycAddIn::WorkspaceClose() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  ResetProjectState(TRUE);
  return S_OK;
}
