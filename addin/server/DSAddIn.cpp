#include "DSAddIn.h"

#include <comdef.h>

#include "CommandTable.h"
#include "SablewingPreferences.h"
#include "ToolbarButtons.h"

CDSAddIn::CDSAddIn() : m_pCommands(NULL), m_pToolbarHelperWnd(NULL), m_dwCookie(0) {}

CDSAddIn::~CDSAddIn() {
  delete m_pToolbarHelperWnd;
  ReleaseCommands();
}

STDMETHODIMP CDSAddIn::OnConnection(IDispatch* pApp, VARIANT_BOOL bFirstTime, LONG dwCookie,
                                    VARIANT_BOOL* bOnConnection) {
  *bOnConnection = VARIANT_FALSE;
  CComQIPtr<IApplication> application(pApp);
  if (!application) return S_OK;
  m_dwCookie = static_cast<DWORD>(dwCookie);

  if (FAILED(CComObject<CCommands>::CreateInstance(&m_pCommands))) return S_OK;
  m_pCommands->AddRef();
  // A connection that fails from here on disconnects the sinks it made and lets the commands
  // object go: Developer Studio releases a declining add-in and must hold nothing of it after.
  if (FAILED(m_pCommands->SetApplicationObject(application))) {
    ReleaseCommands();
    return S_OK;
  }
  application->SetAddInInfo(reinterpret_cast<LONG_PTR>(_Module.GetModuleInstance()),
                            static_cast<ICommands*>(m_pCommands), IDB_TOOLBAR_MEDIUM, IDB_TOOLBAR_LARGE, dwCookie);
  if (!AddCommands(application)) {
    ReleaseCommands();
    return S_OK;
  }

  std::vector<BSTR> names;
  for (const AddInCommand& command : kAddInCommands) names.push_back(_bstr_t(command.name).copy());
  if (bFirstTime == VARIANT_TRUE) {
    AddToolbarButtons(application, names, dwCookie);
  } else {
    m_pToolbarHelperWnd = new ToolbarHelperWnd(application, dwCookie);
    if (m_pToolbarHelperWnd->Create()) {
      for (BSTR name : names) m_pToolbarHelperWnd->AddCommandName(name);
      m_pToolbarHelperWnd->PostAddToolbarButtons();
    }
  }
  for (BSTR name : names) ::SysFreeString(name);

  *bOnConnection = VARIANT_TRUE;
  return S_OK;
}

STDMETHODIMP CDSAddIn::OnDisconnection(VARIANT_BOOL bLastTime) {
  // The user unloaded the add-in: its next load makes the buttons again.
  if (bLastTime == VARIANT_TRUE) CSablewingPreferences::SetToolbarDisplayed(false);
  delete m_pToolbarHelperWnd;
  m_pToolbarHelperWnd = NULL;
  ReleaseCommands();
  return S_OK;
}

bool CDSAddIn::AddCommands(IApplication* application) {
  bool added = true;
  for (const AddInCommand& command : kAddInCommands) {
    CString text = command.name;
    for (UINT id : {command.buttonText, command.statusText, command.tooltip}) {
      CString part;
      part.LoadString(id);
      text += part;
    }
    VARIANT_BOOL result = VARIANT_FALSE;
    const HRESULT hr = application->AddCommand(_bstr_t(text), _bstr_t(command.method),
                                               static_cast<LONG>(&command - kAddInCommands), m_dwCookie, &result);
    if (FAILED(hr) || result == VARIANT_FALSE) added = false;
  }
  return added;
}

void CDSAddIn::ReleaseCommands() {
  if (m_pCommands == NULL) return;
  m_pCommands->UnadviseFromEvents();
  m_pCommands->Release();
  m_pCommands = NULL;
}
