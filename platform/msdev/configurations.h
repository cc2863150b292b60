// The configurations of a build project (IConfigurations), in project-file order; Item counts
// from 1 and takes a configuration's full name ("Name - Win32 Debug").
#pragma once

#include <objmodel/bldauto.h>

#include "automation_object.h"
#include "ide.h"

namespace msdev {

class ConfigurationsObject final : public AutomationObject<IConfigurations, ObjectKind::Configurations> {
 public:
  ConfigurationsObject(uint64_t session, ProjectRef project)
      : AutomationObject(session), project_(std::move(project)) {}

  STDMETHODIMP get_Application(IDispatch** Application) override;
  STDMETHODIMP get_Count(LONG* Count) override;
  STDMETHODIMP get_Parent(IDispatch** Parent) override;  // the project
  STDMETHODIMP get__NewEnum(IUnknown** Enum) override { return NotModelled("IConfigurations::get__NewEnum", Enum); }
  STDMETHODIMP Item(VARIANT Index, IConfiguration** Configuration) override;

 private:
  ~ConfigurationsObject() override = default;
  HRESULT Connected() override;

  const ProjectRef project_;
};

}  // namespace msdev
