// The add-in's sinks of Developer Studio's events: the application's, of which only the opening of
// a workspace does work (the commands object offers the conversion of 1.0 projects), and the
// debugger's, which is connected and ignored.
#pragma once

#include "stdafx.h"

#include "SablewingAddInTypes.h"

class CCommands;

class ATL_NO_VTABLE CApplicationEvents : public CComObjectRootEx<CComSingleThreadModel>,
                                         public IDispatchImpl<IApplicationEvents, &IID_IApplicationEvents,
                                                              &LIBID_SablewingAddIn> {
 public:
  CApplicationEvents() : m_pCommands(NULL) {}
  // The commands object whose handler runs when a workspace opens; it outlives the sink's
  // connection (it unadvises the sink before it goes).
  void SetCommands(CCommands* commands) { m_pCommands = commands; }

  // IApplicationEvents
  STDMETHOD(BeforeBuildStart)() override;
  STDMETHOD(BuildFinish)(LONG nNumErrors, LONG nNumWarnings) override;
  STDMETHOD(BeforeApplicationShutDown)() override;
  STDMETHOD(DocumentOpen)(IDispatch* theDocument) override;
  STDMETHOD(BeforeDocumentClose)(IDispatch* theDocument) override;
  STDMETHOD(DocumentSave)(IDispatch* theDocument) override;
  STDMETHOD(NewDocument)(IDispatch* theDocument) override;
  STDMETHOD(WindowActivate)(IDispatch* theWindow) override;
  STDMETHOD(WindowDeactivate)(IDispatch* theWindow) override;
  STDMETHOD(WorkspaceOpen)() override;
  STDMETHOD(WorkspaceClose)() override;
  STDMETHOD(NewWorkspace)() override;

  BEGIN_COM_MAP(CApplicationEvents)
  COM_INTERFACE_ENTRY(IDispatch)
  COM_INTERFACE_ENTRY(IApplicationEvents)
  END_COM_MAP()

 private:
  CCommands* m_pCommands;
};

class ATL_NO_VTABLE CDebuggerEvents : public CComObjectRootEx<CComSingleThreadModel>,
                                      public IDispatchImpl<IDebuggerEvents, &IID_IDebuggerEvents,
                                                           &LIBID_SablewingAddIn> {
 public:
  // IDebuggerEvents
  STDMETHOD(BreakpointHit)(IDispatch* pBreakpoint) override;

  BEGIN_COM_MAP(CDebuggerEvents)
  COM_INTERFACE_ENTRY(IDispatch)
  COM_INTERFACE_ENTRY(IDebuggerEvents)
  END_COM_MAP()
};
