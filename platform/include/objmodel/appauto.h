// The IDE's application object and its documents, and the application's events.
//
// The interfaces are dual: IDispatch first, then the methods in the order of their table of
// functions. Callers that reach a method by its slot rely on that order (counting IUnknown and
// IDispatch, get_ActiveProject is slot 36, PrintToOutputWindow 42, AddCommandBarButton 44,
// SetAddInInfo 49, AddCommand 50, EnableModeless 51).
#pragma once

#include <ocidl.h>

#include "appdefs.h"
#include "bldauto.h"
#include "dbgauto.h"

// The open documents. Open takes the file, the document type ("Auto": by the file's extension)
// and whether to open it read-only (VT_BOOL).
STANDIN_INTERFACE(IDocuments, "AE399C60-5C5F-4277-8084-DABD2CA0F2E2") : public IDispatch {
  STDMETHOD(get_Application)(IDispatch * *Application) = 0;
  STDMETHOD(get_Count)(LONG * Count) = 0;
  STDMETHOD(get_Parent)(IDispatch * *Parent) = 0;
  STDMETHOD(get__NewEnum)(IUnknown * *Enum) = 0;
  STDMETHOD(Item)(VARIANT Index, IDispatch * *Document) = 0;
  STDMETHOD(SaveAll)(VARIANT vBoolPrompt, DsSaveStatus * pSaved) = 0;
  STDMETHOD(CloseAll)(VARIANT vSaveChanges, DsSaveStatus * pSaved) = 0;
  STDMETHOD(Add)(BSTR docType, VARIANT Reserved, IDispatch * *Document) = 0;
  STDMETHOD(Open)(BSTR filename, VARIANT docType, VARIANT readOnly, IDispatch * *Document) = 0;

 protected:
  ~IDocuments() = default;
};

// One open document.
STANDIN_INTERFACE(IGenericDocument, "85498A0D-2C9D-4C90-B7F6-925C5206C929") : public IDispatch {
  STDMETHOD(get_Name)(BSTR * Name) = 0;
  STDMETHOD(get_FullName)(BSTR * Name) = 0;
  STDMETHOD(get_Application)(IDispatch * *Application) = 0;
  STDMETHOD(get_Parent)(IDispatch * *Parent) = 0;
  STDMETHOD(get_Path)(BSTR * Path) = 0;
  STDMETHOD(get_Saved)(VARIANT_BOOL * Saved) = 0;
  STDMETHOD(get_ReadOnly)(VARIANT_BOOL * ReadOnly) = 0;
  STDMETHOD(put_ReadOnly)(VARIANT_BOOL ReadOnly) = 0;
  STDMETHOD(get_Type)(BSTR * Type) = 0;
  STDMETHOD(Save)(VARIANT vFilename, VARIANT vBoolPrompt, DsSaveStatus * pSaved) = 0;
  STDMETHOD(Close)(VARIANT vSaveChanges, DsSaveStatus * pSaved) = 0;

 protected:
  ~IGenericDocument() = default;
};

STANDIN_INTERFACE(IApplication, "EC1D73A1-8CC4-11CF-9BE9-00A0C90A632C") : public IDispatch {
  STDMETHOD(get_Height)(LONG * Height) = 0;
  STDMETHOD(put_Height)(LONG Height) = 0;
  STDMETHOD(get_Width)(LONG * Width) = 0;
  STDMETHOD(put_Width)(LONG Width) = 0;
  STDMETHOD(get_Top)(LONG * Top) = 0;
  STDMETHOD(put_Top)(LONG Top) = 0;
  STDMETHOD(get_Left)(LONG * Left) = 0;
  STDMETHOD(put_Left)(LONG Left) = 0;
  STDMETHOD(get_Name)(BSTR * Name) = 0;
  STDMETHOD(get_TextEditor)(IDispatch * *TextEditor) = 0;
  STDMETHOD(get_Version)(BSTR * Version) = 0;
  STDMETHOD(get_Path)(BSTR * Path) = 0;
  STDMETHOD(get_CurrentDirectory)(BSTR * CurrentDirectory) = 0;
  STDMETHOD(put_CurrentDirectory)(BSTR CurrentDirectory) = 0;
  STDMETHOD(get_FullName)(BSTR * FullName) = 0;
  STDMETHOD(get_Application)(IDispatch * *Application) = 0;
  STDMETHOD(get_Parent)(IDispatch * *Parent) = 0;
  STDMETHOD(get_ActiveDocument)(IDispatch * *ActiveDocument) = 0;
  STDMETHOD(get_Windows)(IDispatch * *Windows) = 0;
  STDMETHOD(get_Documents)(IDispatch * *Documents) = 0;  // IDocuments
  STDMETHOD(get_ActiveWindow)(IDispatch * *ActiveWindow) = 0;
  STDMETHOD(get_WindowState)(LONG * WindowState) = 0;
  STDMETHOD(put_WindowState)(LONG WindowState) = 0;
  STDMETHOD(get_Debugger)(IDispatch * *Debugger) = 0;  // IDebugger
  STDMETHOD(get_Projects)(IDispatch * *Projects) = 0;  // IProjects
  STDMETHOD(get_ActiveConfiguration)(IDispatch * *ActiveConfiguration) = 0;  // IConfiguration
  STDMETHOD(put_ActiveConfiguration)(IDispatch * ActiveConfiguration) = 0;
  STDMETHOD(get_Visible)(VARIANT_BOOL * Visible) = 0;
  STDMETHOD(put_Visible)(VARIANT_BOOL Visible) = 0;
  STDMETHOD(get_ActiveProject)(IDispatch * *ActiveProject) = 0;  // IGenericProject; none: S_OK and null
  STDMETHOD(put_ActiveProject)(IDispatch * ActiveProject) = 0;
  STDMETHOD(put_Active)(VARIANT_BOOL Active) = 0;
  STDMETHOD(get_Active)(VARIANT_BOOL * Active) = 0;
  STDMETHOD(GetPackageExtension)(BSTR szExtensionName, IDispatch * *Extension) = 0;
  STDMETHOD(Quit)() = 0;
  STDMETHOD(PrintToOutputWindow)(BSTR Message) = 0;
  STDMETHOD(ExecuteCommand)(BSTR szCommandName) = 0;
  // The first button of an add-in makes its toolbar window.
  STDMETHOD(AddCommandBarButton)(LONG nButtonType, BSTR szCmdName, LONG dwCookie) = 0;
  STDMETHOD(AddKeyBinding)(BSTR szKey, BSTR szCommandName, BSTR szEditor) = 0;
  STDMETHOD(Build)(VARIANT configuration) = 0;
  STDMETHOD(RebuildAll)(VARIANT configuration) = 0;
  STDMETHOD(ExecuteConfiguration)(VARIANT Reserved) = 0;
  // An add-in's module, its command object and its toolbar bitmaps; before its first AddCommand.
  STDMETHOD(SetAddInInfo)(LONG_PTR nInstanceHandle, IDispatch * pCmdDispatch, LONG nIDBitmapResourceMedium,
                          LONG nIDBitmapResourceLarge, LONG dwCookie) = 0;
  // szCmdName: the command's name, then "\n"-separated button text, status text and tooltip;
  // szMethodName: the method of the command object that runs it.
  STDMETHOD(AddCommand)(BSTR szCmdName, BSTR szMethodName, LONG nBitmapOffset, LONG dwCookie,
                        VARIANT_BOOL * pbResult) = 0;
  STDMETHOD(EnableModeless)(VARIANT_BOOL bEnable) = 0;
  STDMETHOD(Clean)(VARIANT configuration) = 0;  // the configuration's name (VT_BSTR) or object
  STDMETHOD(get_Errors)(LONG * nErrors) = 0;    // of the last build
  STDMETHOD(get_Warnings)(LONG * nWarnings) = 0;

 protected:
  ~IApplication() = default;
};

// What an add-in implements: the IDE calls OnConnection when it loads the add-in (firstTime only on
// the first load after registration) and OnDisconnection when it unloads it.
STANDIN_INTERFACE(IDSAddIn, "254677AB-3094-4699-A03A-671B9B9FBB4C") : public IUnknown {
  STDMETHOD(OnConnection)(IDispatch * pApp, VARIANT_BOOL bFirstTime, LONG dwCookie, VARIANT_BOOL * bOnConnection) = 0;
  STDMETHOD(OnDisconnection)(VARIANT_BOOL bLastTime) = 0;

 protected:
  ~IDSAddIn() = default;
};

// The application's events, in the order of their table of functions; sinks are advised on the
// application's connection point of this interface.
STANDIN_INTERFACE(IApplicationEvents, "8EA3F900-4A9F-11CF-8E4E-00AA004254C4") : public IDispatch {
  STDMETHOD(BeforeBuildStart)() = 0;
  STDMETHOD(BuildFinish)(LONG nNumErrors, LONG nNumWarnings) = 0;
  STDMETHOD(BeforeApplicationShutDown)() = 0;
  STDMETHOD(DocumentOpen)(IDispatch * theDocument) = 0;
  STDMETHOD(BeforeDocumentClose)(IDispatch * theDocument) = 0;
  STDMETHOD(DocumentSave)(IDispatch * theDocument) = 0;
  STDMETHOD(NewDocument)(IDispatch * theDocument) = 0;
  STDMETHOD(WindowActivate)(IDispatch * theWindow) = 0;
  STDMETHOD(WindowDeactivate)(IDispatch * theWindow) = 0;
  STDMETHOD(WorkspaceOpen)() = 0;
  STDMETHOD(WorkspaceClose)() = 0;
  STDMETHOD(NewWorkspace)() = 0;

 protected:
  ~IApplicationEvents() = default;
};

// The application's class: ProgID "MSDEV.Application".
inline constexpr CLSID CLSID_Application = ::standin::GuidFromLiteral("156CA106-2EBF-447B-B0DA-E256AB276218");

inline constexpr const IID& IID_IApplication = __uuidof(IApplication);
inline constexpr const IID& IID_IDocuments = __uuidof(IDocuments);
inline constexpr const IID& IID_IGenericDocument = __uuidof(IGenericDocument);
inline constexpr const IID& IID_IDSAddIn = __uuidof(IDSAddIn);
inline constexpr const IID& IID_IApplicationEvents = __uuidof(IApplicationEvents);
