// The commands object: Developer Studio runs the add-in's three commands on it by name (add or
// remove components, convert a 1.0 project, edit the preferences), and its application-events
// sink hands it the opening of a workspace, which offers the conversion of 1.0 projects. It owns
// the installation-information depot, whose catalogue every command reloads.
#pragma once

#include "stdafx.h"

#include <list>

#include "AddInEvents.h"
#include "InformationDepot.h"
#include "SablewingAddInTypes.h"

class CCommandFrame;

class ATL_NO_VTABLE CCommands : public CComObjectRootEx<CComMultiThreadModel>,
                                public CComCoClass<CCommands, &CLSID_Commands>,
                                public IDispatchImpl<ICommands, &IID_ICommands, &LIBID_SablewingAddIn> {
 public:
  CCommands();
  ~CCommands();

  DECLARE_NOT_AGGREGATABLE(CCommands)
  DECLARE_NO_REGISTRY()

  // Keeps the application (with a reference) and connects the event sinks: the application's
  // events, and the events of its debugger. A failure leaves nothing connected.
  HRESULT SetApplicationObject(IApplication* application);
  // Disconnects both sinks and lets them go.
  void UnadviseFromEvents();

  // The handler of a workspace that has opened (CApplicationEvents::WorkspaceOpen).
  void OnWorkspaceOpen();

  // ICommands
  STDMETHOD(SablewingAddInAddComponentMethod)() override;
  STDMETHOD(SablewingAddInUpgradeProjectMethod)() override;
  STDMETHOD(SablewingAddInSetPreferencesMethod)() override;

  BEGIN_COM_MAP(CCommands)
  COM_INTERFACE_ENTRY(IDispatch)
  COM_INTERFACE_ENTRY(ICommands)
  END_COM_MAP()

 private:
  // While the product path is empty, asks the user for it (CInvalidPathDlg); false when the user
  // cancels.
  bool CheckProductPath(CCommandFrame& frame);
  // Reloads the catalogue; when it is empty, says so (CNoComponentsDlg) and answers false.
  bool ReloadCatalogue(CCommandFrame& frame);
  // The success dialog after a conversion, unless the user asked not to see it again.
  void ShowConversionSuccess(CCommandFrame& frame, bool backupsMade, const std::list<CString>& backupPaths);

  IApplication* m_pApplication;
  CComObject<CApplicationEvents>* m_pApplicationEventsObj;
  CComObject<CDebuggerEvents>* m_pDebuggerEventsObj;
  IDispatch* m_pDebugger;  // the debugger whose events the sink hears
  DWORD m_applicationEventsCookie;
  DWORD m_debuggerEventsCookie;
  CInformationDepot m_depot;
};
