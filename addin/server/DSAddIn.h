// The add-in object that Developer Studio creates for "SablewingAddIn.DSAddIn.1" when it starts:
// connected, it registers the three commands with their toolbar and hands Developer Studio the
// commands object; disconnected, it lets everything go.
#pragma once

#include "stdafx.h"

#include "Commands.h"
#include "ServerResource.h"
#include "ToolbarHelperWnd.h"

class ATL_NO_VTABLE CDSAddIn : public CComObjectRootEx<CComMultiThreadModel>,
                               public CComCoClass<CDSAddIn, &CLSID_DSAddIn>,
                               public IDSAddIn {
 public:
  CDSAddIn();
  ~CDSAddIn();

  DECLARE_REGISTRY_RESOURCEID(IDR_DSADDIN)
  DECLARE_NOT_AGGREGATABLE(CDSAddIn)

  // IDSAddIn
  STDMETHOD(OnConnection)(IDispatch* pApp, VARIANT_BOOL bFirstTime, LONG dwCookie,
                          VARIANT_BOOL* bOnConnection) override;
  STDMETHOD(OnDisconnection)(VARIANT_BOOL bLastTime) override;

  BEGIN_COM_MAP(CDSAddIn)
  COM_INTERFACE_ENTRY(IDSAddIn)
  END_COM_MAP()

 private:
  // Adds the three commands; false when Developer Studio did not add them all.
  bool AddCommands(IApplication* application);
  // Disconnects the commands object's sinks and lets it go.
  void ReleaseCommands();

  CComObject<CCommands>* m_pCommands;
  ToolbarHelperWnd* m_pToolbarHelperWnd;
  DWORD m_dwCookie;
};
