// The IDE's application object ("MSDEV.Application"): one per running IDE, which holds a
// reference on it. Its connection point hands IApplicationEvents to advised sinks.
#pragma once

#include <objmodel/appauto.h>

#include "connection_point.h"

namespace msdev {

// The running IDE's application object as IDispatch (for get_Application / get_Parent).
HRESULT ReturnApplication(IDispatch** out);

// The configuration a Build / RebuildAll / Clean argument names: a name (VT_BSTR, any case, of
// a configuration of the open workspace), a configuration object (VT_DISPATCH / VT_UNKNOWN), or
// nothing (the active configuration). E_INVALIDARG when it names none.
HRESULT ConfigurationArgument(const VARIANT& argument, std::string& configuration);

class ApplicationObject final : public ConnectableObject<IApplication, ObjectKind::Application> {
 public:
  using ConnectableObject::ConnectableObject;

  // Window and editor properties the add-ins do not use are not modelled.
  STDMETHODIMP get_Height(LONG* Height) override { return NotModelled("IApplication::get_Height", Height); }
  STDMETHODIMP put_Height(LONG) override { return NotModelled("IApplication::put_Height"); }
  STDMETHODIMP get_Width(LONG* Width) override { return NotModelled("IApplication::get_Width", Width); }
  STDMETHODIMP put_Width(LONG) override { return NotModelled("IApplication::put_Width"); }
  STDMETHODIMP get_Top(LONG* Top) override { return NotModelled("IApplication::get_Top", Top); }
  STDMETHODIMP put_Top(LONG) override { return NotModelled("IApplication::put_Top"); }
  STDMETHODIMP get_Left(LONG* Left) override { return NotModelled("IApplication::get_Left", Left); }
  STDMETHODIMP put_Left(LONG) override { return NotModelled("IApplication::put_Left"); }
  STDMETHODIMP get_Name(BSTR* Name) override { return NotModelled("IApplication::get_Name", Name); }
  STDMETHODIMP get_TextEditor(IDispatch** TextEditor) override {
    return NotModelled("IApplication::get_TextEditor", TextEditor);
  }
  STDMETHODIMP get_Version(BSTR* Version) override { return NotModelled("IApplication::get_Version", Version); }
  STDMETHODIMP get_Path(BSTR* Path) override { return NotModelled("IApplication::get_Path", Path); }
  STDMETHODIMP get_CurrentDirectory(BSTR* Directory) override {
    return NotModelled("IApplication::get_CurrentDirectory", Directory);
  }
  STDMETHODIMP put_CurrentDirectory(BSTR) override { return NotModelled("IApplication::put_CurrentDirectory"); }
  STDMETHODIMP get_FullName(BSTR* FullName) override { return NotModelled("IApplication::get_FullName", FullName); }
  STDMETHODIMP get_Application(IDispatch** Application) override;
  STDMETHODIMP get_Parent(IDispatch** Parent) override;
  STDMETHODIMP get_ActiveDocument(IDispatch** ActiveDocument) override;
  STDMETHODIMP get_Windows(IDispatch** Windows) override { return NotModelled("IApplication::get_Windows", Windows); }
  STDMETHODIMP get_Documents(IDispatch** Documents) override;
  STDMETHODIMP get_ActiveWindow(IDispatch** Window) override {
    return NotModelled("IApplication::get_ActiveWindow", Window);
  }
  STDMETHODIMP get_WindowState(LONG* WindowState) override;
  STDMETHODIMP put_WindowState(LONG WindowState) override;
  STDMETHODIMP get_Debugger(IDispatch** Debugger) override;
  STDMETHODIMP get_Projects(IDispatch** Projects) override;
  STDMETHODIMP get_ActiveConfiguration(IDispatch** ActiveConfiguration) override;
  STDMETHODIMP put_ActiveConfiguration(IDispatch* ActiveConfiguration) override;
  STDMETHODIMP get_Visible(VARIANT_BOOL* Visible) override;
  STDMETHODIMP put_Visible(VARIANT_BOOL Visible) override;
  STDMETHODIMP get_ActiveProject(IDispatch** ActiveProject) override;
  STDMETHODIMP put_ActiveProject(IDispatch* ActiveProject) override;
  STDMETHODIMP put_Active(VARIANT_BOOL) override { return NotModelled("IApplication::put_Active"); }
  STDMETHODIMP get_Active(VARIANT_BOOL* Active) override { return NotModelled("IApplication::get_Active", Active); }
  STDMETHODIMP GetPackageExtension(BSTR, IDispatch** Extension) override {
    return NotModelled("IApplication::GetPackageExtension", Extension);
  }
  STDMETHODIMP Quit() override;
  STDMETHODIMP PrintToOutputWindow(BSTR Message) override;
  STDMETHODIMP ExecuteCommand(BSTR szCommandName) override;
  STDMETHODIMP AddCommandBarButton(LONG nButtonType, BSTR szCmdName, LONG dwCookie) override;
  STDMETHODIMP AddKeyBinding(BSTR, BSTR, BSTR) override { return NotModelled("IApplication::AddKeyBinding"); }
  STDMETHODIMP Build(VARIANT configuration) override;
  STDMETHODIMP RebuildAll(VARIANT configuration) override;
  STDMETHODIMP ExecuteConfiguration(VARIANT) override { return NotModelled("IApplication::ExecuteConfiguration"); }
  STDMETHODIMP SetAddInInfo(LONG_PTR nInstanceHandle, IDispatch* pCmdDispatch, LONG nIDBitmapResourceMedium,
                            LONG nIDBitmapResourceLarge, LONG dwCookie) override;
  STDMETHODIMP AddCommand(BSTR szCmdName, BSTR szMethodName, LONG nBitmapOffset, LONG dwCookie,
                          VARIANT_BOOL* pbResult) override;
  STDMETHODIMP EnableModeless(VARIANT_BOOL bEnable) override;
  STDMETHODIMP Clean(VARIANT configuration) override;
  STDMETHODIMP get_Errors(LONG* nErrors) override;
  STDMETHODIMP get_Warnings(LONG* nWarnings) override;

 private:
  ~ApplicationObject() override = default;
  EventSinks& Sinks() override;
  HRESULT BuildCall(const char* method, const VARIANT& configuration, bool rebuildAll);
};

}  // namespace msdev
