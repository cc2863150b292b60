// The projects of the open workspace (IProjects), in workspace order; Item counts from 1.
#pragma once

#include <objmodel/bldauto.h>

#include "automation_object.h"

namespace msdev {

class ProjectsObject final : public AutomationObject<IProjects, ObjectKind::Projects> {
 public:
  using AutomationObject::AutomationObject;

  STDMETHODIMP get_Application(IDispatch** Application) override;
  STDMETHODIMP get_Count(LONG* Count) override;
  STDMETHODIMP get_Parent(IDispatch** Parent) override;
  STDMETHODIMP get__NewEnum(IUnknown** Enum) override { return NotModelled("IProjects::get__NewEnum", Enum); }
  STDMETHODIMP Item(VARIANT Index, IGenericProject** Project) override;

 private:
  ~ProjectsObject() override = default;
};

}  // namespace msdev
