// The projects of the open workspace (projects.h).
#include "projects.h"

#include "application.h"
#include "com_values.h"
#include "ide.h"
#include "project.h"

namespace msdev {

STDMETHODIMP ProjectsObject::get_Application(IDispatch** Application) {
  return Call("IProjects::get_Application", "", [&] { return ReturnApplication(Application); }, Application);
}

STDMETHODIMP ProjectsObject::get_Count(LONG* Count) {
  return Call("IProjects::get_Count", "", [&] { return ReturnLong(static_cast<long>(Ide::Instance().Projects().size()), Count); },
              Count);
}

STDMETHODIMP ProjectsObject::get_Parent(IDispatch** Parent) {
  return Call("IProjects::get_Parent", "", [&] { return ReturnApplication(Parent); }, Parent);
}

STDMETHODIMP ProjectsObject::Item(VARIANT Index, IGenericProject** Project) {
  return Call(
      "IProjects::Item", LogText(Index),
      [&]() -> HRESULT {
        if (!Project) return E_POINTER;
        const std::vector<ProjectRef> projects = Ide::Instance().Projects();
        std::vector<std::string> names;
        for (const ProjectRef& p : projects) names.push_back(p->name);
        size_t position = 0;
        if (const HRESULT hr = ItemPosition(Index, names, position); FAILED(hr)) return hr;
        *Project = new ProjectObject(Session(), projects[position]);
        return S_OK;
      },
      Project);
}

}  // namespace msdev
