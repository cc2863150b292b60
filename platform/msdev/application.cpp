// The IDE's application object (application.h).
#include "application.h"

#include "com_values.h"
#include "configuration.h"
#include "debugger.h"
#include "document.h"
#include "documents.h"
#include "ide.h"
#include "project.h"
#include "projects.h"

namespace msdev {

HRESULT ReturnApplication(IDispatch** out) {
  return Ide::Instance().Application(IID_IDispatch, reinterpret_cast<void**>(out));
}

HRESULT ConfigurationArgument(const VARIANT& argument, std::string& configuration) {
  Ide& ide = Ide::Instance();
  if (IsMissing(argument)) {
    const ProjectRef active = ide.ActiveProject();
    if (!active || active->configurations.empty()) return E_INVALIDARG;
    configuration = active->configurations[active->activeConfiguration];
    return S_OK;
  }
  if (argument.vt == VT_BSTR) {
    return ide.FindConfiguration(Ansi(argument.bstrVal), &configuration) ? S_OK : E_INVALIDARG;
  }
  if (argument.vt == VT_DISPATCH || argument.vt == VT_UNKNOWN) {
    configuration = ConfigurationObject::NameOf(argument.punkVal);
    return configuration.empty() ? E_INVALIDARG : S_OK;
  }
  return DISP_E_TYPEMISMATCH;
}

EventSinks& ApplicationObject::Sinks() { return Ide::Instance().ApplicationSinks(); }

STDMETHODIMP ApplicationObject::get_Application(IDispatch** Application) {
  return Call("IApplication::get_Application", "", [&] { return ReturnApplication(Application); }, Application);
}

STDMETHODIMP ApplicationObject::get_Parent(IDispatch** Parent) {
  return Call("IApplication::get_Parent", "", [&] { return ReturnApplication(Parent); }, Parent);
}

// The document opened last of those still open; none: S_OK and null.
STDMETHODIMP ApplicationObject::get_ActiveDocument(IDispatch** ActiveDocument) {
  return Call(
      "IApplication::get_ActiveDocument", "",
      [&]() -> HRESULT {
        if (!ActiveDocument) return E_POINTER;
        const std::vector<DocumentRef> documents = Ide::Instance().Documents();
        if (!documents.empty()) *ActiveDocument = new DocumentObject(Session(), documents.back());
        return S_OK;
      },
      ActiveDocument);
}

STDMETHODIMP ApplicationObject::get_Documents(IDispatch** Documents) {
  return Call(
      "IApplication::get_Documents", "",
      [&]() -> HRESULT {
        if (!Documents) return E_POINTER;
        *Documents = new DocumentsObject(Session());
        return S_OK;
      },
      Documents);
}

STDMETHODIMP ApplicationObject::get_WindowState(LONG* WindowState) {
  return Call("IApplication::get_WindowState", "", [&] { return ReturnLong(Ide::Instance().WindowState(), WindowState); },
              WindowState);
}

STDMETHODIMP ApplicationObject::put_WindowState(LONG WindowState) {
  return Call("IApplication::put_WindowState", LogText(WindowState), [&]() -> HRESULT {
    if (WindowState != dsWindowStateMaximized && WindowState != dsWindowStateMinimized &&
        WindowState != dsWindowStateNormal)
      return E_INVALIDARG;
    Ide::Instance().SetWindowState(WindowState);
    return S_OK;
  });
}

STDMETHODIMP ApplicationObject::get_Debugger(IDispatch** Debugger) {
  return Call(
      "IApplication::get_Debugger", "",
      [&]() -> HRESULT {
        if (!Debugger) return E_POINTER;
        *Debugger = new DebuggerObject(Session());
        return S_OK;
      },
      Debugger);
}

STDMETHODIMP ApplicationObject::get_Projects(IDispatch** Projects) {
  return Call(
      "IApplication::get_Projects", "",
      [&]() -> HRESULT {
        if (!Projects) return E_POINTER;
        *Projects = new ProjectsObject(Session());
        return S_OK;
      },
      Projects);
}

// The active project's active configuration; no workspace (or a project without configurations):
// S_OK and null.
STDMETHODIMP ApplicationObject::get_ActiveConfiguration(IDispatch** ActiveConfiguration) {
  return Call(
      "IApplication::get_ActiveConfiguration", "",
      [&]() -> HRESULT {
        if (!ActiveConfiguration) return E_POINTER;
        const ProjectRef active = Ide::Instance().ActiveProject();
        if (!active || active->configurations.empty()) return S_OK;
        *ActiveConfiguration =
            new ConfigurationObject(Session(), active, active->configurations[active->activeConfiguration]);
        return S_OK;
      },
      ActiveConfiguration);
}

// As the IDE's configuration list does, choosing a configuration also makes its project active.
STDMETHODIMP ApplicationObject::put_ActiveConfiguration(IDispatch* ActiveConfiguration) {
  return Call("IApplication::put_ActiveConfiguration", LogText(ActiveConfiguration), [&]() -> HRESULT {
    ProjectRef project;
    const std::string name = ConfigurationObject::NameOf(ActiveConfiguration, &project);
    if (name.empty() || !Ide::Instance().SetActiveConfiguration(project, name)) return E_INVALIDARG;
    Ide::Instance().SetActiveProject(project);
    return S_OK;
  });
}

STDMETHODIMP ApplicationObject::get_Visible(VARIANT_BOOL* Visible) {
  return Call("IApplication::get_Visible", "", [&] { return ReturnBool(Ide::Instance().Visible(), Visible); }, Visible);
}

STDMETHODIMP ApplicationObject::put_Visible(VARIANT_BOOL Visible) {
  return Call("IApplication::put_Visible", LogBool(Visible), [&] {
    Ide::Instance().SetVisible(Visible != VARIANT_FALSE);
    return S_OK;
  });
}

STDMETHODIMP ApplicationObject::get_ActiveProject(IDispatch** ActiveProject) {
  return Call(
      "IApplication::get_ActiveProject", "",
      [&]() -> HRESULT {
        if (!ActiveProject) return E_POINTER;
        if (const ProjectRef active = Ide::Instance().ActiveProject())
          *ActiveProject = static_cast<IBuildProject*>(new ProjectObject(Session(), active));
        return S_OK;
      },
      ActiveProject);
}

STDMETHODIMP ApplicationObject::put_ActiveProject(IDispatch* ActiveProject) {
  return Call("IApplication::put_ActiveProject", LogText(ActiveProject), [&]() -> HRESULT {
    const ProjectRef project = ProjectObject::Of(ActiveProject);
    return project && Ide::Instance().SetActiveProject(project) ? S_OK : E_INVALIDARG;
  });
}

STDMETHODIMP ApplicationObject::Quit() {
  return Call("IApplication::Quit", "", [&] {
    Ide::Instance().Stop(true);
    return S_OK;
  });
}

STDMETHODIMP ApplicationObject::PrintToOutputWindow(BSTR Message) {
  return Call("IApplication::PrintToOutputWindow", LogText(Message), [&] {
    Ide::Instance().PrintToOutputWindow(Ansi(Message));
    return S_OK;
  });
}

STDMETHODIMP ApplicationObject::ExecuteCommand(BSTR szCommandName) {
  return Call("IApplication::ExecuteCommand", LogText(szCommandName),
              [&] { return Ide::Instance().ExecuteCommand(Ansi(szCommandName)); });
}

STDMETHODIMP ApplicationObject::AddCommandBarButton(LONG nButtonType, BSTR szCmdName, LONG dwCookie) {
  return Call("IApplication::AddCommandBarButton", LogArgs(nButtonType, szCmdName, dwCookie),
              [&] { return Ide::Instance().AddCommandBarButton(nButtonType, Ansi(szCmdName), dwCookie); });
}

HRESULT ApplicationObject::BuildCall(const char* method, const VARIANT& configuration, bool rebuildAll) {
  return Call(method, LogText(configuration), [&]() -> HRESULT {
    std::string name;
    if (const HRESULT hr = ConfigurationArgument(configuration, name); FAILED(hr)) return hr;
    Ide::Instance().Build(name, rebuildAll);
    return S_OK;
  });
}

STDMETHODIMP ApplicationObject::Build(VARIANT configuration) {
  return BuildCall("IApplication::Build", configuration, false);
}

STDMETHODIMP ApplicationObject::RebuildAll(VARIANT configuration) {
  return BuildCall("IApplication::RebuildAll", configuration, true);
}

STDMETHODIMP ApplicationObject::SetAddInInfo(LONG_PTR nInstanceHandle, IDispatch* pCmdDispatch,
                                             LONG nIDBitmapResourceMedium, LONG nIDBitmapResourceLarge,
                                             LONG dwCookie) {
  return Call("IApplication::SetAddInInfo",
              LogArgs(static_cast<long>(nInstanceHandle != 0), static_cast<IUnknown*>(pCmdDispatch),
                      nIDBitmapResourceMedium, nIDBitmapResourceLarge, dwCookie),
              [&]() -> HRESULT {
                if (!pCmdDispatch) return E_INVALIDARG;
                Ide::Instance().SetAddInInfo(dwCookie, pCmdDispatch);
                return S_OK;
              });
}

STDMETHODIMP ApplicationObject::AddCommand(BSTR szCmdName, BSTR szMethodName, LONG nBitmapOffset, LONG dwCookie,
                                           VARIANT_BOOL* pbResult) {
  return Call(
      "IApplication::AddCommand", LogArgs(szCmdName, szMethodName, nBitmapOffset, dwCookie),
      [&]() -> HRESULT {
        if (!pbResult) return E_POINTER;
        bool added = false;
        const HRESULT hr = Ide::Instance().AddCommand(Ansi(szCmdName), Ansi(szMethodName), nBitmapOffset, dwCookie, added);
        *pbResult = added ? VARIANT_TRUE : VARIANT_FALSE;
        return hr;
      },
      pbResult);
}

STDMETHODIMP ApplicationObject::EnableModeless(VARIANT_BOOL bEnable) {
  return Call("IApplication::EnableModeless", LogBool(bEnable), [&] {
    Ide::Instance().EnableModeless(bEnable != VARIANT_FALSE);
    return S_OK;
  });
}

STDMETHODIMP ApplicationObject::Clean(VARIANT configuration) {
  return Call("IApplication::Clean", LogText(configuration), [&]() -> HRESULT {
    std::string name;
    if (const HRESULT hr = ConfigurationArgument(configuration, name); FAILED(hr)) return hr;
    Ide::Instance().Clean(name);
    return S_OK;
  });
}

// Builds are recorded, never run: they end without errors or warnings.
STDMETHODIMP ApplicationObject::get_Errors(LONG* nErrors) {
  return Call("IApplication::get_Errors", "", [&] { return ReturnLong(0, nErrors); }, nErrors);
}

STDMETHODIMP ApplicationObject::get_Warnings(LONG* nWarnings) {
  return Call("IApplication::get_Warnings", "", [&] { return ReturnLong(0, nWarnings); }, nWarnings);
}

}  // namespace msdev
