// Shared set-up of the IDE stand-in's tests: an apartment, the project-file fixtures laid out as
// a workspace on a sandbox drive, smart pointers of the automation interfaces, and sinks that
// write down the events they hear.
#pragma once

#include <afxwin.h>
#include <comdef.h>
#include <objmodel/appauto.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

#include "sandbox/msdev.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_support.h"

_COM_SMARTPTR_TYPEDEF(IApplication, __uuidof(IApplication));
_COM_SMARTPTR_TYPEDEF(IProjects, __uuidof(IProjects));
_COM_SMARTPTR_TYPEDEF(IGenericProject, __uuidof(IGenericProject));
_COM_SMARTPTR_TYPEDEF(IBuildProject, __uuidof(IBuildProject));
_COM_SMARTPTR_TYPEDEF(IConfigurations, __uuidof(IConfigurations));
_COM_SMARTPTR_TYPEDEF(IConfiguration, __uuidof(IConfiguration));
_COM_SMARTPTR_TYPEDEF(IDocuments, __uuidof(IDocuments));
_COM_SMARTPTR_TYPEDEF(IGenericDocument, __uuidof(IGenericDocument));
_COM_SMARTPTR_TYPEDEF(IDebugger, __uuidof(IDebugger));
_COM_SMARTPTR_TYPEDEF(IConnectionPointContainer, __uuidof(IConnectionPointContainer));
_COM_SMARTPTR_TYPEDEF(IConnectionPoint, __uuidof(IConnectionPoint));

namespace msdev_test {

namespace fs = std::filesystem;

inline std::string Fixture(const std::string& name) { return std::string(MSDEV_FIXTURES_DIR) + "/" + name; }
inline std::string ReadFile(const std::string& hostPath) {
  std::ifstream in(hostPath, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}
inline std::string ReadFixture(const std::string& name) { return ReadFile(Fixture(name)); }

// The text of a BSTR (ANSI through the process code page, as the IDE's callers read it).
inline std::string Text(BSTR text) {
  if (!text) return "";
  const _bstr_t copy(text, true);
  return static_cast<const char*>(copy);
}

// Reads a string property through `get` and frees it.
template <class Get>
std::string StringProperty(Get get) {
  BSTR value = nullptr;
  EXPECT_EQ(get(&value), S_OK);
  const std::string text = Text(value);
  SysFreeString(value);
  return text;
}

// A 1-based VT_I2 or VT_I4 index, a reference to one, or a name.
inline _variant_t I2(short index) { return _variant_t(index, VT_I2); }
inline _variant_t I4(LONG index) { return _variant_t(index, VT_I4); }
inline _variant_t Name(const char* name) { return _variant_t(name); }

using sandbox::testing::PumpMessages;

// The title of a window.
inline std::string TitleOf(HWND window) {
  char title[256] = "";
  GetWindowText(window, title, sizeof title);
  return title;
}

// The add-in bridge's ways into the IDE besides automation: the application's document template
// whose run-time class name is exactly "CProjectWorkspaceDocTemplate", and the path of its first
// document ("" without a workspace).
inline CDocTemplate* WorkspaceTemplate() {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return nullptr;
  for (POSITION pos = app->GetFirstDocTemplatePosition(); pos != nullptr;) {
    CDocTemplate* docTemplate = app->GetNextDocTemplate(pos);
    if (std::string(docTemplate->GetRuntimeClass()->m_lpszClassName) == "CProjectWorkspaceDocTemplate")
      return docTemplate;
  }
  return nullptr;
}

inline std::string OpenWorkspacePath() {
  CDocTemplate* workspaces = WorkspaceTemplate();
  POSITION pos = workspaces != nullptr ? workspaces->GetFirstDocPosition() : nullptr;
  return pos != nullptr ? static_cast<LPCTSTR>(workspaces->GetNextDoc(pos)->GetPathName()) : "";
}

// Every test runs in an apartment with the IDE stopped and T: a fresh temporary drive holding
// the fixtures laid out as the workspace Instruments.dsw expects them:
//   T:\Instruments\Instruments.dsw, BenchConsole\BenchConsole.dsp, MeterDll\MeterDll.dsp,
//   Scope View\ScopeView.dsp, ScopeDrv\ScopeDrv.dsp
class IdeTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    drive_ = sandbox::MapTempDrive('T');
    const fs::path root = fs::path(drive_) / "Instruments";
    Copy("Instruments.dsw", root / "Instruments.dsw");
    Copy("BenchConsole.dsp", root / "BenchConsole" / "BenchConsole.dsp");
    Copy("MeterDll.dsp", root / "MeterDll" / "MeterDll.dsp");
    Copy("ScopeView.dsp", root / "Scope View" / "ScopeView.dsp");
    Copy("ScopeDrv.dsp", root / "ScopeDrv" / "ScopeDrv.dsp");
  }
  void TearDown() override {
    sandbox::msdev::StopIde();
    CoUninitialize();
  }

  void Copy(const std::string& fixture, const fs::path& to) {
    fs::create_directories(to.parent_path());
    fs::copy_file(Fixture(fixture), to, fs::copy_options::overwrite_existing);
  }
  // Writes `bytes` to a host file under T:.
  void Write(const std::string& relative, const std::string& bytes);
  std::string Read(const std::string& relative) const { return ReadFile(HostPath(relative)); }
  std::string HostPath(const std::string& relative) const { return (fs::path(drive_) / relative).string(); }

  // The running IDE's application object, as a set-up program reaches it.
  IApplicationPtr Application() {
    IApplicationPtr app;
    EXPECT_EQ(app.CreateInstance(CLSID_Application, nullptr, CLSCTX_LOCAL_SERVER), S_OK);
    return app;
  }
  void OpenInstruments() {
    std::string error;
    ASSERT_TRUE(sandbox::msdev::OpenWorkspace("T:\\Instruments\\Instruments.dsw", &error)) << error;
  }
  // Projects.Item(index) of the open workspace.
  IGenericProjectPtr ProjectAt(IApplication* app, const _variant_t& index);
  IConfigurationPtr ConfigurationAt(IGenericProject* project, const _variant_t& index);

  std::string drive_;
};

inline void IdeTest::Write(const std::string& relative, const std::string& bytes) {
  const fs::path path = fs::path(drive_) / relative;
  fs::create_directories(path.parent_path());
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

inline IGenericProjectPtr IdeTest::ProjectAt(IApplication* app, const _variant_t& index) {
  IDispatch* projectsDispatch = nullptr;
  EXPECT_EQ(app->get_Projects(&projectsDispatch), S_OK);
  IProjectsPtr projects;
  projects.Attach(static_cast<IProjects*>(projectsDispatch));
  IGenericProjectPtr project;
  EXPECT_EQ(projects->Item(index, &project), S_OK);
  return project;
}

inline IConfigurationPtr IdeTest::ConfigurationAt(IGenericProject* project, const _variant_t& index) {
  IBuildProjectPtr build(project);
  IConfigurationsPtr configurations;
  EXPECT_EQ(build->get_Configurations(&configurations), S_OK);
  IConfigurationPtr configuration;
  EXPECT_EQ(configurations->Item(index, &configuration), S_OK);
  return configuration;
}

// IUnknown for the tests' own COM objects: made with one reference, deleted by the last Release,
// answering IUnknown, I and the other interfaces listed (each a base of I).
template <class I, class... Also>
class TestObject : public I {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == __uuidof(I) || ((riid == __uuidof(Also)) || ...)) {
      *ppv = static_cast<I*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  ULONG References() const { return refs_; }

 protected:
  virtual ~TestObject() = default;

 private:
  std::atomic<ULONG> refs_{1};
};

// A test's dispatch object that serves no late-bound call.
template <class I, class... Also>
class TestDispatchObject : public TestObject<I, Also...> {
 public:
  STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
};

using EventLog = std::shared_ptr<std::vector<std::string>>;
inline EventLog NewEventLog() { return std::make_shared<std::vector<std::string>>(); }

// A sink of the application's events that writes each one down as "Name" or "Name(args)",
// into a log shared with other sinks so that their order shows; it answers `result`. Made with
// one reference, deleted by its last Release.
class EventRecorder final : public TestDispatchObject<IApplicationEvents, IDispatch> {
 public:
  EventRecorder(std::string label, EventLog log, HRESULT result = S_OK)
      : label_(std::move(label)), log_(std::move(log)), result_(result) {}

  STDMETHODIMP BeforeBuildStart() override { return Note("BeforeBuildStart"); }
  STDMETHODIMP BuildFinish(LONG errors, LONG warnings) override {
    return Note("BuildFinish(" + std::to_string(errors) + "," + std::to_string(warnings) + ")");
  }
  STDMETHODIMP BeforeApplicationShutDown() override { return Note("BeforeApplicationShutDown"); }
  STDMETHODIMP DocumentOpen(IDispatch* document) override { return Note("DocumentOpen(" + NameOf(document) + ")"); }
  STDMETHODIMP BeforeDocumentClose(IDispatch* document) override {
    return Note("BeforeDocumentClose(" + NameOf(document) + ")");
  }
  STDMETHODIMP DocumentSave(IDispatch* document) override { return Note("DocumentSave(" + NameOf(document) + ")"); }
  STDMETHODIMP NewDocument(IDispatch*) override { return Note("NewDocument"); }
  STDMETHODIMP WindowActivate(IDispatch*) override { return Note("WindowActivate"); }
  STDMETHODIMP WindowDeactivate(IDispatch*) override { return Note("WindowDeactivate"); }
  STDMETHODIMP WorkspaceOpen() override { return Note("WorkspaceOpen"); }
  STDMETHODIMP WorkspaceClose() override { return Note("WorkspaceClose"); }
  STDMETHODIMP NewWorkspace() override { return Note("NewWorkspace"); }

  // Called after each event is written down, as a handler that calls the IDE back would.
  std::function<void(const std::string& event)> onEvent;

 private:
  HRESULT Note(const std::string& event) {
    log_->push_back(label_.empty() ? event : label_ + ":" + event);
    if (onEvent) onEvent(event);
    return result_;
  }
  static std::string NameOf(IDispatch* document) {
    IGenericDocumentPtr doc(document);
    if (!doc) return "?";
    return StringProperty([&](BSTR* name) { return doc->get_Name(name); });
  }

  ~EventRecorder() override = default;

  std::string label_;
  EventLog log_;
  HRESULT result_;
};

// Advises `sink` on the application's IApplicationEvents connection point; returns the cookie.
inline DWORD Advise(IApplication* app, IUnknown* sink, IConnectionPoint** pointOut = nullptr) {
  IConnectionPointContainerPtr container(app);
  IConnectionPointPtr point;
  EXPECT_EQ(container->FindConnectionPoint(IID_IApplicationEvents, &point), S_OK);
  DWORD cookie = 0;
  EXPECT_EQ(point->Advise(sink, &cookie), S_OK);
  if (pointOut) *pointOut = point.Detach();
  return cookie;
}

}  // namespace msdev_test
