// A project of the open workspace as an automation object. Every .dsp project is a build
// project, so it answers IBuildProject as well as IGenericProject. Each hand-out is a new object
// over the IDE's project; once the workspace closes it answers RPC_E_DISCONNECTED.
#pragma once

#include <objmodel/bldauto.h>

#include "automation_object.h"
#include "ide.h"

namespace msdev {

// Answered by the IDE's project objects with the object itself, so that a project passed in
// (put_ActiveProject) can be recognised as ours. Not a platform identifier.
inline constexpr GUID IID_StandinProject = {0x2C7A51E0, 0x8B3D, 0x4F62, {0xA1, 0x9E, 0x5D, 0x04, 0x7B, 0x3C, 0x26, 0xF8}};

class ProjectObject final : public AutomationObject<IBuildProject, ObjectKind::Project> {
 public:
  ProjectObject(uint64_t session, ProjectRef project) : AutomationObject(session), project_(std::move(project)) {}
  const ProjectRef& Model() const { return project_; }
  // The project behind an object of ours, or null.
  static ProjectRef Of(IUnknown* object);

  // IGenericProject
  STDMETHODIMP get_Name(BSTR* Name) override;
  STDMETHODIMP get_FullName(BSTR* Name) override;
  STDMETHODIMP get_Application(IDispatch** Application) override;
  STDMETHODIMP get_Parent(IDispatch** Parent) override;
  STDMETHODIMP get_Type(BSTR* Type) override;
  STDMETHODIMP Reserved1() override { return NotModelled("IGenericProject::Reserved1"); }
  STDMETHODIMP Reserved2() override { return NotModelled("IGenericProject::Reserved2"); }
  STDMETHODIMP Reserved3() override { return NotModelled("IGenericProject::Reserved3"); }
  STDMETHODIMP Reserved4() override { return NotModelled("IGenericProject::Reserved4"); }
  STDMETHODIMP Reserved5() override { return NotModelled("IGenericProject::Reserved5"); }
  STDMETHODIMP Reserved6() override { return NotModelled("IGenericProject::Reserved6"); }
  STDMETHODIMP Reserved7() override { return NotModelled("IGenericProject::Reserved7"); }
  STDMETHODIMP Reserved8() override { return NotModelled("IGenericProject::Reserved8"); }
  STDMETHODIMP Reserved9() override { return NotModelled("IGenericProject::Reserved9"); }
  STDMETHODIMP Reserved10() override { return NotModelled("IGenericProject::Reserved10"); }

  // IBuildProject
  STDMETHODIMP get_Configurations(IConfigurations** Configurations) override;
  STDMETHODIMP AddFile(BSTR szFile, VARIANT Reserved) override;
  STDMETHODIMP AddConfiguration(BSTR, VARIANT) override { return NotModelled("IBuildProject::AddConfiguration"); }

 private:
  ~ProjectObject() override = default;
  void* Find(REFIID riid) override;
  HRESULT Connected() override;

  const ProjectRef project_;
};

}  // namespace msdev
