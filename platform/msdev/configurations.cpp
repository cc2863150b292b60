// The configurations of a build project (configurations.h).
#include "configurations.h"

#include "application.h"
#include "com_values.h"
#include "configuration.h"
#include "project.h"

namespace msdev {

HRESULT ConfigurationsObject::Connected() {
  const HRESULT hr = AutomationObject::Connected();
  return FAILED(hr) || project_->open ? hr : RPC_E_DISCONNECTED;
}

STDMETHODIMP ConfigurationsObject::get_Application(IDispatch** Application) {
  return Call("IConfigurations::get_Application", "", [&] { return ReturnApplication(Application); }, Application);
}

STDMETHODIMP ConfigurationsObject::get_Count(LONG* Count) {
  return Call("IConfigurations::get_Count", "",
              [&] { return ReturnLong(static_cast<long>(project_->configurations.size()), Count); }, Count);
}

STDMETHODIMP ConfigurationsObject::get_Parent(IDispatch** Parent) {
  return Call(
      "IConfigurations::get_Parent", "",
      [&] {
        return ReturnObject(static_cast<IBuildProject*>(new ProjectObject(Session(), project_)), IID_IDispatch,
                            reinterpret_cast<void**>(Parent));
      },
      Parent);
}

STDMETHODIMP ConfigurationsObject::Item(VARIANT Index, IConfiguration** Configuration) {
  return Call(
      "IConfigurations::Item", LogText(Index),
      [&]() -> HRESULT {
        if (!Configuration) return E_POINTER;
        size_t position = 0;
        if (const HRESULT hr = ItemPosition(Index, project_->configurations, position); FAILED(hr)) return hr;
        *Configuration = new ConfigurationObject(Session(), project_, project_->configurations[position]);
        return S_OK;
      },
      Configuration);
}

}  // namespace msdev
