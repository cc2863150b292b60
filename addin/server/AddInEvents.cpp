#include "AddInEvents.h"

#include "Commands.h"

// --- IApplicationEvents ---------------------------------------------------------------------

STDMETHODIMP CApplicationEvents::BeforeBuildStart() { return S_OK; }
STDMETHODIMP CApplicationEvents::BuildFinish(LONG, LONG) { return S_OK; }
STDMETHODIMP CApplicationEvents::BeforeApplicationShutDown() { return S_OK; }
STDMETHODIMP CApplicationEvents::DocumentOpen(IDispatch*) { return S_OK; }
STDMETHODIMP CApplicationEvents::BeforeDocumentClose(IDispatch*) { return S_OK; }
STDMETHODIMP CApplicationEvents::DocumentSave(IDispatch*) { return S_OK; }
STDMETHODIMP CApplicationEvents::NewDocument(IDispatch*) { return S_OK; }
STDMETHODIMP CApplicationEvents::WindowActivate(IDispatch*) { return S_OK; }
STDMETHODIMP CApplicationEvents::WindowDeactivate(IDispatch*) { return S_OK; }

STDMETHODIMP CApplicationEvents::WorkspaceOpen() {
  if (m_pCommands != NULL) m_pCommands->OnWorkspaceOpen();
  return S_OK;
}

STDMETHODIMP CApplicationEvents::WorkspaceClose() { return S_OK; }
STDMETHODIMP CApplicationEvents::NewWorkspace() { return S_OK; }

// --- IDebuggerEvents ------------------------------------------------------------------------

STDMETHODIMP CDebuggerEvents::BreakpointHit(IDispatch*) { return S_OK; }
