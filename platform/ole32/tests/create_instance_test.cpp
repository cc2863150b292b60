// Finding and creating classes: the built-in table, HKCR\CLSID\{...}\InprocServer32 and the
// module loader, ProgIDs, and OleRun.
#include <objbase.h>
#include <standin_com.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "sandbox/sandbox.h"
#include "test_server.h"

STANDIN_INTERFACE(ICounted, "3F6D0B12-8A4C-4E97-B1D5-2C7E9F0A4B63") : public IUnknown {
  STDMETHOD_(LONG, Value)() = 0;
};

namespace {

// {3F6D0B11-8A4C-4E97-B1D5-2C7E9F0A4B63}
DEFINE_GUID(CLSID_Counted, 0x3F6D0B11, 0x8A4C, 0x4E97, 0xB1, 0xD5, 0x2C, 0x7E, 0x9F, 0x0A, 0x4B, 0x63);
// {3F6D0B13-8A4C-4E97-B1D5-2C7E9F0A4B63}: registered nowhere.
DEFINE_GUID(CLSID_Nowhere, 0x3F6D0B13, 0x8A4C, 0x4E97, 0xB1, 0xD5, 0x2C, 0x7E, 0x9F, 0x0A, 0x4B, 0x63);

std::atomic<int> g_live{0};

// A built-in class whose objects count themselves; it can run (IRunnableObject) when asked to.
class Counted final : public ICounted, public IRunnableObject {
 public:
  Counted() { ++g_live; }
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == __uuidof(ICounted)) {
      *ppv = static_cast<ICounted*>(this);
    } else if (riid == IID_IRunnableObject && runnable) {
      *ppv = static_cast<IRunnableObject*>(this);
    } else {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  STDMETHODIMP_(LONG) Value() override { return runs; }

  STDMETHODIMP GetRunningClass(LPCLSID) override { return E_NOTIMPL; }
  STDMETHODIMP Run(LPBINDCTX) override {
    ++runs;
    return runResult;
  }
  STDMETHODIMP_(BOOL) IsRunning() override { return runs > 0; }
  STDMETHODIMP LockRunning(BOOL, BOOL) override { return S_OK; }
  STDMETHODIMP SetContainedObject(BOOL) override { return S_OK; }

  static inline bool runnable = false;
  static inline HRESULT runResult = S_OK;
  LONG runs = 0;

 private:
  ~Counted() { --g_live; }
  std::atomic<ULONG> refs_{1};
};

HRESULT CreateCounted(REFIID riid, void** ppv) {
  Counted* object = new Counted;
  const HRESULT hr = object->QueryInterface(riid, ppv);
  object->Release();
  return hr;
}

std::string RegistryClassKey(const char* clsidText) { return std::string("HKCR\\CLSID\\") + clsidText; }
constexpr const char* kTestServerClsid = "{5B0C6E7A-2D41-4F8B-9C3E-7A1D2F4B6C80}";

class CreateInstance : public testing::Test {
 protected:
  void SetUp() override {
    Counted::runnable = false;
    Counted::runResult = S_OK;
    ASSERT_EQ(StandinRegisterClass(CLSID_Counted, "Sablewing.Counted.1", CreateCounted), S_OK);
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
  }
  void TearDown() override {
    CoUninitialize();
    StandinUnregisterClass(CLSID_Counted);
    EXPECT_EQ(g_live, 0) << "objects leaked";
  }

  // Registers the test server module for CLSID_TestServerObject.
  static void RegisterServer(const std::string& hostPath) {
    const std::string windowsPath = sandbox::WindowsPath(hostPath);
    ASSERT_FALSE(windowsPath.empty());
    sandbox::RegistrySetString(RegistryClassKey(kTestServerClsid) + "\\InprocServer32", "", windowsPath);
  }
};

TEST_F(CreateInstance, BuiltInClass) {
  ICounted* counted = reinterpret_cast<ICounted*>(0xdeadbeef);
  ASSERT_EQ(CoCreateInstance(CLSID_Counted, nullptr, CLSCTX_INPROC_SERVER, __uuidof(ICounted),
                             reinterpret_cast<void**>(&counted)),
            S_OK);
  ASSERT_NE(counted, nullptr);
  EXPECT_EQ(g_live, 1);
  EXPECT_EQ(counted->Release(), 0u);  // the caller holds the only reference
  EXPECT_EQ(g_live, 0);
}

TEST_F(CreateInstance, FailuresLeaveTheOutputNull) {
  IUnknown* outer = reinterpret_cast<IUnknown*>(0x1000);  // never called
  struct Case {
    const char* name;
    REFCLSID clsid;
    IUnknown* outer;
    DWORD context;
    REFIID iid;
    HRESULT expected;
  };
  const Case cases[] = {
      {.name = "interface the object lacks", .clsid = CLSID_Counted, .outer = nullptr,
       .context = CLSCTX_ALL, .iid = __uuidof(ITestServerObject), .expected = E_NOINTERFACE},
      {.name = "outer unknown refused", .clsid = CLSID_Counted, .outer = outer, .context = CLSCTX_ALL,
       .iid = IID_IUnknown, .expected = CLASS_E_NOAGGREGATION},
      {.name = "class registered nowhere", .clsid = CLSID_Nowhere, .outer = nullptr, .context = CLSCTX_ALL,
       .iid = IID_IUnknown, .expected = REGDB_E_CLASSNOTREG},
      {.name = "built-in class asked for a local server", .clsid = CLSID_Counted, .outer = nullptr,
       .context = CLSCTX_LOCAL_SERVER, .iid = IID_IUnknown, .expected = REGDB_E_CLASSNOTREG},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    void* object = reinterpret_cast<void*>(0xdeadbeef);
    EXPECT_EQ(CoCreateInstance(c.clsid, c.outer, c.context, c.iid, &object), c.expected);
    EXPECT_EQ(object, nullptr);
  }
  EXPECT_EQ(CoCreateInstance(CLSID_Counted, nullptr, CLSCTX_ALL, IID_IUnknown, nullptr), E_POINTER);
  EXPECT_EQ(g_live, 0);
}

TEST_F(CreateInstance, NeedsAnApartment) {
  CoUninitialize();
  void* object = reinterpret_cast<void*>(0xdeadbeef);
  EXPECT_EQ(CoCreateInstance(CLSID_Counted, nullptr, CLSCTX_ALL, IID_IUnknown, &object), CO_E_NOTINITIALIZED);
  EXPECT_EQ(object, nullptr);
  object = reinterpret_cast<void*>(0xdeadbeef);
  EXPECT_EQ(CoGetClassObject(CLSID_Counted, CLSCTX_ALL, nullptr, IID_IClassFactory, &object), CO_E_NOTINITIALIZED);
  EXPECT_EQ(object, nullptr);
  ASSERT_EQ(CoInitialize(nullptr), S_OK);  // for TearDown
}

// A stand-in of a program that runs as its own process on Windows serves local-server requests
// as well; the IDE's set-up programs ask for CLSCTX_LOCAL_SERVER only.
TEST_F(CreateInstance, BuiltInClassServesTheContextsItWasRegisteredFor) {
  EXPECT_EQ(StandinRegisterClassEx(CLSID_Counted, nullptr, CreateCounted, CLSCTX_INPROC_HANDLER), E_INVALIDARG);
  ASSERT_EQ(StandinRegisterClassEx(CLSID_Counted, nullptr, CreateCounted, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER),
            S_OK);
  for (const DWORD context : {DWORD{CLSCTX_LOCAL_SERVER}, DWORD{CLSCTX_INPROC_SERVER}, DWORD{CLSCTX_ALL}}) {
    SCOPED_TRACE(context);
    IUnknown* object = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_Counted, nullptr, context, IID_IUnknown, reinterpret_cast<void**>(&object)), S_OK);
    object->Release();
  }
  ASSERT_EQ(StandinRegisterClassEx(CLSID_Counted, nullptr, CreateCounted, CLSCTX_LOCAL_SERVER), S_OK);
  void* object = reinterpret_cast<void*>(0xdeadbeef);
  EXPECT_EQ(CoCreateInstance(CLSID_Counted, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(object, nullptr);
}

TEST_F(CreateInstance, ClassObjectOfABuiltInClass) {
  IClassFactory* factory = nullptr;
  ASSERT_EQ(CoGetClassObject(CLSID_Counted, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                             reinterpret_cast<void**>(&factory)),
            S_OK);
  IUnknown* object = nullptr;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object)), S_OK);
  EXPECT_EQ(g_live, 1);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  factory->Release();
  object->Release();
}

TEST_F(CreateInstance, ProgIdsOfBuiltInAndRegisteredClasses) {
  CLSID clsid = CLSID_NULL;
  EXPECT_EQ(CLSIDFromProgID(u"sablewing.COUNTED.1", &clsid), S_OK);  // any case
  EXPECT_EQ(clsid, CLSID_Counted);
  LPOLESTR progId = nullptr;
  ASSERT_EQ(ProgIDFromCLSID(CLSID_Counted, &progId), S_OK);
  EXPECT_EQ(std::u16string(progId), u"Sablewing.Counted.1");
  CoTaskMemFree(progId);

  sandbox::RegistrySetString("HKCR\\Vellacott.Widget.1\\CLSID", "", kTestServerClsid);
  sandbox::RegistrySetString(RegistryClassKey(kTestServerClsid) + "\\ProgID", "", "Vellacott.Widget.1");
  EXPECT_EQ(CLSIDFromProgID(u"Vellacott.Widget.1", &clsid), S_OK);
  EXPECT_EQ(clsid, CLSID_TestServerObject);
  EXPECT_EQ(CLSIDFromString(u"Vellacott.Widget.1", &clsid), S_OK);  // no brace: a ProgID
  EXPECT_EQ(clsid, CLSID_TestServerObject);
  ASSERT_EQ(ProgIDFromCLSID(CLSID_TestServerObject, &progId), S_OK);
  EXPECT_EQ(std::u16string(progId), u"Vellacott.Widget.1");
  CoTaskMemFree(progId);

  sandbox::RegistrySetString("HKCR\\Vellacott.Broken\\CLSID", "", "{not an identifier}");
  struct Case {
    const char16_t* progId;
  };
  const Case unknown[] = {{u"Vellacott.Missing"}, {u"Vellacott.Broken"}, {u""}, {u"Vellacott.Widget.1\\CLSID"}};
  for (const Case& c : unknown) {
    SCOPED_TRACE(testing::Message() << "ProgID of " << std::u16string(c.progId).size() << " chars");
    clsid = CLSID_Counted;
    EXPECT_EQ(CLSIDFromProgID(c.progId, &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(clsid, CLSID_Counted);
  }
  progId = reinterpret_cast<LPOLESTR>(0xdeadbeef);
  EXPECT_EQ(ProgIDFromCLSID(CLSID_Nowhere, &progId), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(progId, nullptr);
}

TEST_F(CreateInstance, InProcessServerFromTheRegistry) {
  RegisterServer(OLE32_TEST_SERVER);
  ITestServerObject* object = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_TestServerObject, nullptr, CLSCTX_INPROC_SERVER, __uuidof(ITestServerObject),
                             reinterpret_cast<void**>(&object)),
            S_OK);
  LONG live = 0;
  EXPECT_EQ(object->GetLiveObjects(&live), S_OK);
  EXPECT_EQ(live, 1);

  // A module with live objects stays loaded; once they are gone CoFreeUnusedLibraries unloads it.
  CoFreeUnusedLibraries();
  EXPECT_NE(GetModuleHandle(sandbox::WindowsPath(OLE32_TEST_SERVER).c_str()), nullptr);
  object->Release();
  CoFreeUnusedLibraries();
  EXPECT_EQ(GetModuleHandle(sandbox::WindowsPath(OLE32_TEST_SERVER).c_str()), nullptr);

  // The server's own refusals come through.
  void* other = reinterpret_cast<void*>(0xdeadbeef);
  EXPECT_EQ(CoCreateInstance(CLSID_TestServerObject, reinterpret_cast<IUnknown*>(0x1000), CLSCTX_INPROC_SERVER,
                             IID_IUnknown, &other),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(other, nullptr);
}

TEST_F(CreateInstance, LastUninitializeUnloadsServers) {
  RegisterServer(OLE32_TEST_SERVER);
  IClassFactory* factory = nullptr;
  ASSERT_EQ(CoGetClassObject(CLSID_TestServerObject, CLSCTX_ALL, nullptr, IID_IClassFactory,
                             reinterpret_cast<void**>(&factory)),
            S_OK);
  factory->Release();
  EXPECT_NE(GetModuleHandle(sandbox::WindowsPath(OLE32_TEST_SERVER).c_str()), nullptr);
  CoUninitialize();
  EXPECT_EQ(GetModuleHandle(sandbox::WindowsPath(OLE32_TEST_SERVER).c_str()), nullptr);
  ASSERT_EQ(CoInitialize(nullptr), S_OK);
}

TEST_F(CreateInstance, ServersThatDoNotServe) {
  struct Case {
    const char* name;
    std::string module;  // Windows path written to InprocServer32; "" writes no value
    DWORD context;
    HRESULT expected;
  };
  const Case cases[] = {
      {.name = "module missing", .module = "Z:\\no\\such\\server.dll", .context = CLSCTX_INPROC_SERVER,
       .expected = CO_E_DLLNOTFOUND},
      {.name = "no DllGetClassObject", .module = sandbox::WindowsPath(OLE32_NO_ENTRY_SERVER),
       .context = CLSCTX_INPROC_SERVER, .expected = CO_E_ERRORINDLL},
      {.name = "class key without a server", .module = "", .context = CLSCTX_INPROC_SERVER,
       .expected = REGDB_E_CLASSNOTREG},
      {.name = "in-process server asked for a local one", .module = sandbox::WindowsPath(OLE32_TEST_SERVER),
       .context = CLSCTX_LOCAL_SERVER, .expected = REGDB_E_CLASSNOTREG},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sandbox::RegistryDeleteKey(RegistryClassKey(kTestServerClsid));
    if (c.module.empty())
      sandbox::RegistrySetString(RegistryClassKey(kTestServerClsid), "", "A class without a server");
    else
      sandbox::RegistrySetString(RegistryClassKey(kTestServerClsid) + "\\InprocServer32", "", c.module);
    void* object = reinterpret_cast<void*>(0xdeadbeef);
    EXPECT_EQ(CoCreateInstance(CLSID_TestServerObject, nullptr, c.context, IID_IUnknown, &object), c.expected);
    EXPECT_EQ(object, nullptr);
  }
}

TEST_F(CreateInstance, OleRunRunsOnlyRunnableObjects) {
  struct Case {
    const char* name;
    bool runnable;
    HRESULT runResult;
    HRESULT expected;
    LONG runs;
  };
  const Case cases[] = {
      {.name = "no IRunnableObject: already running", .runnable = false, .runResult = E_FAIL, .expected = S_OK,
       .runs = 0},
      {.name = "IRunnableObject::Run is called", .runnable = true, .runResult = S_OK, .expected = S_OK, .runs = 1},
      {.name = "its failure is the result", .runnable = true, .runResult = E_FAIL, .expected = E_FAIL, .runs = 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Counted::runnable = c.runnable;
    Counted::runResult = c.runResult;
    ICounted* object = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_Counted, nullptr, CLSCTX_ALL, __uuidof(ICounted),
                               reinterpret_cast<void**>(&object)),
              S_OK);
    EXPECT_EQ(OleRun(object), c.expected);
    EXPECT_EQ(object->Value(), c.runs);
    object->Release();
  }
  EXPECT_EQ(OleRun(nullptr), E_INVALIDARG);
}

}  // namespace
