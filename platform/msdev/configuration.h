// One configuration of a build project (IConfiguration). The settings, custom build steps and
// file settings it is given are recorded in call order and mark the project modified; the
// project file itself is not rewritten.
#pragma once

#include <objmodel/bldauto.h>

#include "automation_object.h"
#include "ide.h"

namespace msdev {

// Answered by the IDE's configuration objects with the object itself. Not a platform identifier.
inline constexpr GUID IID_StandinConfiguration = {0x2C7A51E1, 0x8B3D, 0x4F62, {0xA1, 0x9E, 0x5D, 0x04, 0x7B, 0x3C, 0x26, 0xF8}};

class ConfigurationObject final : public AutomationObject<IConfiguration, ObjectKind::Configuration> {
 public:
  ConfigurationObject(uint64_t session, ProjectRef project, std::string name)
      : AutomationObject(session), project_(std::move(project)), name_(std::move(name)) {}
  // The configuration behind an object of ours while its project is open: its name, or "".
  static std::string NameOf(IUnknown* object, ProjectRef* project = nullptr);

  STDMETHODIMP get_Application(IDispatch** Application) override;
  STDMETHODIMP get_Name(BSTR* Name) override;
  STDMETHODIMP get_Parent(IDispatch** Parent) override;  // the project
  STDMETHODIMP AddToolSettings(BSTR szTool, BSTR szSettings, VARIANT Reserved) override;
  STDMETHODIMP RemoveToolSettings(BSTR szTool, BSTR szSettings, VARIANT Reserved) override;
  STDMETHODIMP AddCustomBuildStep(BSTR szCommand, BSTR szOutput, BSTR szDescription, VARIANT Reserved) override;
  STDMETHODIMP MakeCurrentSettingsDefault(VARIANT) override {
    return NotModelled("IConfiguration::MakeCurrentSettingsDefault");
  }
  STDMETHODIMP get_Configurations(IConfigurations** Configurations) override {
    return NotModelled("IConfiguration::get_Configurations", Configurations);
  }
  STDMETHODIMP AddFileSettings(BSTR szFile, BSTR szSettings, VARIANT Reserved) override;
  STDMETHODIMP RemoveFileSettings(BSTR szFile, BSTR szSettings, VARIANT Reserved) override;
  STDMETHODIMP Reserved1() override { return NotModelled("IConfiguration::Reserved1"); }
  STDMETHODIMP AddCustomBuildStepToFile(BSTR szFile, BSTR szCommand, BSTR szOutput, BSTR szDescription,
                                        VARIANT Reserved) override;

 private:
  ~ConfigurationObject() override = default;
  void* Find(REFIID riid) override;
  HRESULT Connected() override;
  // Records one change; `method` without the interface. E_INVALIDARG when the first argument
  // (the tool, the command or the file) is empty.
  HRESULT Record(const char* method, std::vector<std::string> arguments);
  HRESULT ToolCall(const char* logName, const char* method, BSTR tool, BSTR settings, const VARIANT& reserved);

  const ProjectRef project_;
  const std::string name_;
};

}  // namespace msdev
