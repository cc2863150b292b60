// CHgWycAddIn: the Wyc add-in's one COM object. Developer Studio connects it as an add-in
// (IDSAddIn), tells it of its events (IApplicationEvents, the primary interface) and runs its one
// command, Settings, through the dual interface IHgWycAddIn. Before each build it brings the
// active project's UIR callback table up to date (CUIRMgr) when the user has switched the service
// on for that project, which its ".hga" settings file beside the project file says.
#pragma once

#include "HgWycAddInInterfaces.h"

class CUIRMgr;
class CToolbarButtonWnd;

class ATL_NO_VTABLE CHgWycAddIn : public CComObjectRootEx<CComSingleThreadModel>,
                                  public CComCoClass<CHgWycAddIn, &CLSID_HgWycAddIn>,
                                  public IDispatchImpl<IApplicationEvents, &IID_IApplicationEvents>,
                                  public IDSAddIn,
                                  public IDispatchImpl<IHgWycAddIn, &IID_IHgWycAddIn, &LIBID_HGWYCADDINLib> {
 public:
  CHgWycAddIn();
  ~CHgWycAddIn();

  // The module's registration script registers the class (CHgWycAddInApp::UpdateRegistry).
  DECLARE_NO_REGISTRY()
  DECLARE_NOT_AGGREGATABLE(CHgWycAddIn)

  // --- IApplicationEvents -------------------------------------------------------------------
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

  // --- IDSAddIn -----------------------------------------------------------------------------
  STDMETHOD(OnConnection)(IDispatch* pApp, VARIANT_BOOL bFirstTime, LONG dwCookie,
                          VARIANT_BOOL* bOnConnection) override;
  STDMETHOD(OnDisconnection)(VARIANT_BOOL bLastTime) override;

  // --- IHgWycAddIn --------------------------------------------------------------------------
  STDMETHOD(Settings)() override;

  // What CheckActiveProject finds.
  enum { PROJECT_CHANGED = 0, NO_BUILD_PROJECT = 1, SAME_PROJECT = 2 };

 private:
  // Connection (WycAddInConnection.cpp). Each step's failure is the number of the string the
  // error box shows; 0 when it succeeded.
  UINT Connect(IApplication* application, BOOL bFirstTime, LONG dwCookie);
  // Takes back what a connection did: the toolbar-button window, the sink (unadvised through
  // `application`), the project, the application and the manager.
  void Disconnect(IApplication* application);

  // The active project (WycAddInProject.cpp).
  // The active project when it is a build project with a full name: its IBuildProject and that
  // name; false otherwise.
  BOOL GetActiveBuildProject(IBuildProject** ppProject, CString& strFullName);
  // NO_BUILD_PROJECT, else whether the active project is the one taken (SAME_PROJECT) or another
  // (PROJECT_CHANGED).
  int CheckActiveProject();
  // Takes the active project: its folder and name, and its state from its ".hga" file.
  void LoadProjectState();
  // Forgets the project taken; with bRelease its IBuildProject goes too.
  void ResetProjectState(BOOL bRelease);
  // Step 1 of a build and of Settings: takes the active project when it changed, forgets it when
  // there is none; FALSE when there is no build project.
  BOOL RefreshProject();
  // Regenerates the table file; a failure leaves the manager without records, so the next scan
  // reports a change and the table is written again.
  void WriteTableFile();
  // Adds the copy step of every record of `manager` to each configuration of the project.
  void AddCustomBuildSteps(CUIRMgr& manager);
  // Writes the ".hga" file and clears dirty once it is written.
  void SaveProjectState();
  CString StateFilePath() const { return m_strProjectDir + m_strProjectName + ".hga"; }
  CString ProjectFileName() const { return m_strProjectName + ".dsp"; }

 public:
  BEGIN_COM_MAP(CHgWycAddIn)
  COM_INTERFACE_ENTRY(IApplicationEvents)
  COM_INTERFACE_ENTRY(IDSAddIn)
  COM_INTERFACE_ENTRY(IHgWycAddIn)
  COM_INTERFACE_ENTRY2(IDispatch, IHgWycAddIn)
  END_COM_MAP()

 private:
  // The reference count is the object root's.
  BOOL m_bEnabled;                    // the active project has a ".hga" file that loaded
  BOOL m_bDirty;                      // the manager's state changed and must be saved
  BOOL m_bHasProject;                 // a project has been taken
  LONG m_lAddInCookie;                // Developer Studio's cookie for this add-in
  DWORD m_dwEventCookie;              // the event sink's connection
  CString m_strProjectDir;            // the project file's folder, ending in a backslash
  CString m_strProjectName;           // the project file's name without its extension
  CUIRMgr* m_pUIRMgr;                 // owned
  IApplication* m_pApplication;       // one reference, from connection to disconnection
  IBuildProject* m_pBuildProject;     // one reference, or none
  CToolbarButtonWnd* m_pToolbarWnd;   // owned, or none
};
