// A project of the open workspace (project.h).
#include "project.h"

#include "application.h"
#include "com_values.h"
#include "configurations.h"

namespace msdev {

ProjectRef ProjectObject::Of(IUnknown* object) {
  void* self = nullptr;
  if (!object || FAILED(object->QueryInterface(IID_StandinProject, &self))) return nullptr;
  ProjectObject* project = static_cast<ProjectObject*>(self);
  ProjectRef model = project->project_;
  project->Release();
  return model;
}

void* ProjectObject::Find(REFIID riid) {
  if (riid == IID_StandinProject) return this;
  if (riid == IID_IGenericProject) return static_cast<IGenericProject*>(this);
  return AutomationObject::Find(riid);
}

HRESULT ProjectObject::Connected() {
  const HRESULT hr = AutomationObject::Connected();
  return FAILED(hr) || project_->open ? hr : RPC_E_DISCONNECTED;
}

STDMETHODIMP ProjectObject::get_Name(BSTR* Name) {
  return Call("IGenericProject::get_Name", "", [&] { return ReturnText(project_->name, Name); }, Name);
}

STDMETHODIMP ProjectObject::get_FullName(BSTR* Name) {
  return Call("IGenericProject::get_FullName", "", [&] { return ReturnText(project_->fullPath, Name); }, Name);
}

STDMETHODIMP ProjectObject::get_Application(IDispatch** Application) {
  return Call("IGenericProject::get_Application", "", [&] { return ReturnApplication(Application); }, Application);
}

STDMETHODIMP ProjectObject::get_Parent(IDispatch** Parent) {
  return Call("IGenericProject::get_Parent", "", [&] { return ReturnApplication(Parent); }, Parent);
}

STDMETHODIMP ProjectObject::get_Type(BSTR* Type) {
  return Call("IGenericProject::get_Type", "", [&] { return ReturnText(project_->type, Type); }, Type);
}

STDMETHODIMP ProjectObject::get_Configurations(IConfigurations** Configurations) {
  return Call(
      "IBuildProject::get_Configurations", "",
      [&] {
        return ReturnObject(static_cast<IConfigurations*>(new ConfigurationsObject(Session(), project_)),
                            IID_IConfigurations, reinterpret_cast<void**>(Configurations));
      },
      Configurations);
}

STDMETHODIMP ProjectObject::AddFile(BSTR szFile, VARIANT Reserved) {
  return Call("IBuildProject::AddFile", LogArgs(szFile, Reserved), [&]() -> HRESULT {
    const std::string file = Ansi(szFile);
    if (file.empty()) return E_INVALIDARG;
    Ide::Instance().AddFile(project_, file);
    return S_OK;
  });
}

}  // namespace msdev
