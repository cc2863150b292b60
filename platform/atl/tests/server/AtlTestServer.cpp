// AtlTestServer.dll (AtlTestServer.h): an in-process server written as the add-ins are.
#include <atlbase.h>
extern CComModule _Module;
#include <atlcom.h>
#include <objmodel/appauto.h>

#include <string>

#include "AtlTestServer.h"
#include "resource.h"

CComModule _Module;

namespace {

void Say(const char* what) { OutputDebugString((std::string("AtlTest: ") + what).c_str()); }

// The application's events: only the opening and closing of a workspace are noted.
class ATL_NO_VTABLE CTestEvents : public CComObjectRootEx<CComSingleThreadModel>,
                                  public IDispatchImpl<IApplicationEvents, &IID_IApplicationEvents> {
 public:
  BEGIN_COM_MAP(CTestEvents)
  COM_INTERFACE_ENTRY(IDispatch)
  COM_INTERFACE_ENTRY(IApplicationEvents)
  END_COM_MAP()

  STDMETHOD(BeforeBuildStart)() override { return S_OK; }
  STDMETHOD(BuildFinish)(LONG, LONG) override { return S_OK; }
  STDMETHOD(BeforeApplicationShutDown)() override { return S_OK; }
  STDMETHOD(DocumentOpen)(IDispatch*) override { return S_OK; }
  STDMETHOD(BeforeDocumentClose)(IDispatch*) override { return S_OK; }
  STDMETHOD(DocumentSave)(IDispatch*) override { return S_OK; }
  STDMETHOD(NewDocument)(IDispatch*) override { return S_OK; }
  STDMETHOD(WindowActivate)(IDispatch*) override { return S_OK; }
  STDMETHOD(WindowDeactivate)(IDispatch*) override { return S_OK; }
  STDMETHOD(WorkspaceOpen)() override {
    Say("WorkspaceOpen");
    return S_OK;
  }
  STDMETHOD(WorkspaceClose)() override {
    Say("WorkspaceClose");
    return S_OK;
  }
  STDMETHOD(NewWorkspace)() override { return S_OK; }
};

// The commands object the IDE calls by name.
class ATL_NO_VTABLE CTestCommands : public CComObjectRootEx<CComMultiThreadModel>,
                                    public IDispatchImpl<ITestCommands, &IID_ITestCommands, &LIBID_AtlTestLib> {
 public:
  BEGIN_COM_MAP(CTestCommands)
  COM_INTERFACE_ENTRY(IDispatch)
  COM_INTERFACE_ENTRY(ITestCommands)
  END_COM_MAP()

  STDMETHOD(Greet)() override {
    Lock();
    Say("Greet");
    Unlock();
    return S_OK;
  }
  STDMETHOD(Fail)() override { return E_FAIL; }
};

}  // namespace

class ATL_NO_VTABLE CTestAddIn : public CComObjectRootEx<CComSingleThreadModel>,
                                 public CComCoClass<CTestAddIn, &CLSID_AtlTestAddIn>,
                                 public IDSAddIn,
                                 public IDispatchImpl<ITestAddIn, &IID_ITestAddIn, &LIBID_AtlTestLib> {
 public:
  DECLARE_REGISTRY_RESOURCEID(IDR_ATLTESTADDIN)
  DECLARE_NOT_AGGREGATABLE(CTestAddIn)

  BEGIN_COM_MAP(CTestAddIn)
  COM_INTERFACE_ENTRY(IDSAddIn)
  COM_INTERFACE_ENTRY(ITestAddIn)
  COM_INTERFACE_ENTRY2(IDispatch, ITestAddIn)
  END_COM_MAP()

  void FinalRelease() { Disconnect(); }

  STDMETHOD(OnConnection)(IDispatch* pApp, VARIANT_BOOL, LONG dwCookie, VARIANT_BOOL* bOnConnection) override {
    *bOnConnection = VARIANT_FALSE;
    CComQIPtr<IApplication> application(pApp);
    if (!application) return S_OK;
    CComObject<CTestEvents>* events = NULL;
    if (FAILED(CComObject<CTestEvents>::CreateInstance(&events))) return S_OK;
    m_events = events;  // the sink's first reference
    if (FAILED(AtlAdvise(application, m_events, IID_IApplicationEvents, &m_eventCookie))) {
      m_events.Release();
      return S_OK;
    }
    m_application = application;
    CComObject<CTestCommands>* commands = NULL;
    if (FAILED(CComObject<CTestCommands>::CreateInstance(&commands))) {
      Disconnect();
      return S_OK;
    }
    CComPtr<ITestCommands> held(commands);
    application->SetAddInInfo(reinterpret_cast<LONG_PTR>(_Module.GetModuleInstance()), held, 0, 0, dwCookie);
    VARIANT_BOOL added = VARIANT_FALSE, alsoAdded = VARIANT_FALSE;
    application->AddCommand(Text("AtlTestGreet\nGreet\nSays hello\nGreet"), Text("Greet"), 0, dwCookie, &added);
    application->AddCommand(Text("AtlTestFail\nFail\nFails\nFail"), Text("Fail"), 1, dwCookie, &alsoAdded);
    *bOnConnection = added && alsoAdded ? VARIANT_TRUE : VARIANT_FALSE;
    if (!*bOnConnection) Disconnect();
    return S_OK;
  }
  STDMETHOD(OnDisconnection)(VARIANT_BOOL) override {
    Disconnect();
    return S_OK;
  }

  STDMETHOD(Settings)() override {
    Say("Settings");
    return S_OK;
  }
  STDMETHOD(Refuse)() override { return E_ACCESSDENIED; }

 private:
  // A BSTR that lives until the end of the full expression.
  struct Text {
    explicit Text(const char* text) {
      const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, NULL, 0);
      value = SysAllocStringLen(NULL, static_cast<UINT>(n - 1));
      MultiByteToWideChar(CP_ACP, 0, text, -1, value, n);
    }
    ~Text() { SysFreeString(value); }
    operator BSTR() const { return value; }
    BSTR value;
  };

  void Disconnect() {
    if (m_application && m_eventCookie != 0) AtlUnadvise(m_application, IID_IApplicationEvents, m_eventCookie);
    m_eventCookie = 0;
    m_events.Release();
    m_application.Release();
  }

  CComPtr<IApplication> m_application;
  CComPtr<IUnknown> m_events;
  DWORD m_eventCookie = 0;
};

// Refuses no outer unknown itself, so ATL's unmodelled aggregation answers for it.
class ATL_NO_VTABLE CTestPlain : public CComObjectRootEx<CComSingleThreadModel>,
                                 public CComCoClass<CTestPlain, &CLSID_AtlTestPlain>,
                                 public IDispatchImpl<ITestCommands, &IID_ITestCommands, &LIBID_AtlTestLib> {
 public:
  DECLARE_NO_REGISTRY()
  BEGIN_COM_MAP(CTestPlain)
  COM_INTERFACE_ENTRY(ITestCommands)
  COM_INTERFACE_ENTRY(IDispatch)
  END_COM_MAP()
  STDMETHOD(Greet)() override { return S_OK; }
  STDMETHOD(Fail)() override { return E_FAIL; }
};

BEGIN_OBJECT_MAP(ObjectMap)
OBJECT_ENTRY(CLSID_AtlTestAddIn, CTestAddIn)
OBJECT_ENTRY(CLSID_AtlTestPlain, CTestPlain)
END_OBJECT_MAP()

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) _Module.Init(ObjectMap, hInstance, &LIBID_AtlTestLib);
  if (dwReason == DLL_PROCESS_DETACH) _Module.Term();
  return TRUE;
}

STDAPI DllCanUnloadNow() { return _Module.GetLockCount() == 0 ? S_OK : S_FALSE; }

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) { return _Module.GetClassObject(rclsid, riid, ppv); }

STDAPI DllRegisterServer() { return _Module.RegisterServer(TRUE); }

STDAPI DllUnregisterServer() { return _Module.UnregisterServer(TRUE); }
