// One configuration of a build project (configuration.h).
#include "configuration.h"

#include <windows.h>

#include "application.h"
#include "com_values.h"
#include "project.h"

namespace msdev {
namespace {

// The build tools a configuration has settings for, by their program names.
bool IsBuildTool(const std::string& tool) {
  static const char* const kTools[] = {"cl.exe", "link.exe", "rc.exe", "midl.exe", "bscmake.exe", "lib.exe",
                                       "mktyplib.exe"};
  for (const char* known : kTools)
    if (lstrcmpi(known, tool.c_str()) == 0) return true;
  return false;
}

}  // namespace

std::string ConfigurationObject::NameOf(IUnknown* object, ProjectRef* project) {
  void* self = nullptr;
  if (!object || FAILED(object->QueryInterface(IID_StandinConfiguration, &self))) return "";
  ConfigurationObject* configuration = static_cast<ConfigurationObject*>(self);
  std::string name;
  if (SUCCEEDED(configuration->Connected())) {
    name = configuration->name_;
    if (project) *project = configuration->project_;
  }
  configuration->Release();
  return name;
}

void* ConfigurationObject::Find(REFIID riid) {
  if (riid == IID_StandinConfiguration) return this;
  return AutomationObject::Find(riid);
}

HRESULT ConfigurationObject::Connected() {
  const HRESULT hr = AutomationObject::Connected();
  return FAILED(hr) || project_->open ? hr : RPC_E_DISCONNECTED;
}

HRESULT ConfigurationObject::Record(const char* method, std::vector<std::string> arguments) {
  if (arguments.empty() || arguments.front().empty()) return E_INVALIDARG;
  Ide::Instance().RecordSetting(project_, {name_, method, std::move(arguments)});
  return S_OK;
}

HRESULT ConfigurationObject::ToolCall(const char* logName, const char* method, BSTR tool, BSTR settings,
                                      const VARIANT& reserved) {
  return Call(logName, LogArgs(tool, settings, reserved), [&]() -> HRESULT {
    if (!IsBuildTool(Ansi(tool))) return E_INVALIDARG;
    return Record(method, {Ansi(tool), Ansi(settings)});
  });
}

STDMETHODIMP ConfigurationObject::get_Application(IDispatch** Application) {
  return Call("IConfiguration::get_Application", "", [&] { return ReturnApplication(Application); }, Application);
}

STDMETHODIMP ConfigurationObject::get_Name(BSTR* Name) {
  return Call("IConfiguration::get_Name", "", [&] { return ReturnText(name_, Name); }, Name);
}

STDMETHODIMP ConfigurationObject::get_Parent(IDispatch** Parent) {
  return Call(
      "IConfiguration::get_Parent", "",
      [&] {
        return ReturnObject(static_cast<IBuildProject*>(new ProjectObject(Session(), project_)), IID_IDispatch,
                            reinterpret_cast<void**>(Parent));
      },
      Parent);
}

STDMETHODIMP ConfigurationObject::AddToolSettings(BSTR szTool, BSTR szSettings, VARIANT Reserved) {
  return ToolCall("IConfiguration::AddToolSettings", "AddToolSettings", szTool, szSettings, Reserved);
}

STDMETHODIMP ConfigurationObject::RemoveToolSettings(BSTR szTool, BSTR szSettings, VARIANT Reserved) {
  return ToolCall("IConfiguration::RemoveToolSettings", "RemoveToolSettings", szTool, szSettings, Reserved);
}

STDMETHODIMP ConfigurationObject::AddCustomBuildStep(BSTR szCommand, BSTR szOutput, BSTR szDescription,
                                                     VARIANT Reserved) {
  return Call("IConfiguration::AddCustomBuildStep", LogArgs(szCommand, szOutput, szDescription, Reserved), [&] {
    return Record("AddCustomBuildStep", {Ansi(szCommand), Ansi(szOutput), Ansi(szDescription)});
  });
}

STDMETHODIMP ConfigurationObject::AddFileSettings(BSTR szFile, BSTR szSettings, VARIANT Reserved) {
  return Call("IConfiguration::AddFileSettings", LogArgs(szFile, szSettings, Reserved),
              [&] { return Record("AddFileSettings", {Ansi(szFile), Ansi(szSettings)}); });
}

STDMETHODIMP ConfigurationObject::RemoveFileSettings(BSTR szFile, BSTR szSettings, VARIANT Reserved) {
  return Call("IConfiguration::RemoveFileSettings", LogArgs(szFile, szSettings, Reserved),
              [&] { return Record("RemoveFileSettings", {Ansi(szFile), Ansi(szSettings)}); });
}

STDMETHODIMP ConfigurationObject::AddCustomBuildStepToFile(BSTR szFile, BSTR szCommand, BSTR szOutput,
                                                           BSTR szDescription, VARIANT Reserved) {
  return Call("IConfiguration::AddCustomBuildStepToFile",
              LogArgs(szFile, szCommand, szOutput, szDescription, Reserved), [&]() -> HRESULT {
                if (Ansi(szCommand).empty()) return E_INVALIDARG;
                return Record("AddCustomBuildStepToFile",
                              {Ansi(szFile), Ansi(szCommand), Ansi(szOutput), Ansi(szDescription)});
              });
}

}  // namespace msdev
