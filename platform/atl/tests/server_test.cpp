// The test server loaded in-process: its class factory, its objects' interfaces, late binding by
// the method-name tables (a dispatch and a dual interface), the lock count behind
// DllCanUnloadNow, and its type library.
#include <atlbase.h>
#include <objmodel/appauto.h>

#include <functional>

#include "atl_test_support.h"

namespace atl_test {
namespace {

template <class Function>
Function Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

class ServerTest : public AtlTest {
 protected:
  void SetUp() override {
    AtlTest::SetUp();
    module_ = LoadLibrary(ServerPath().c_str());
    ASSERT_NE(module_, nullptr) << "error " << GetLastError();
    getClassObject_ = Entry<LPFNGETCLASSOBJECT>(module_, "DllGetClassObject");
    canUnloadNow_ = Entry<LPFNCANUNLOADNOW>(module_, "DllCanUnloadNow");
    ASSERT_NE(getClassObject_, nullptr);
    ASSERT_NE(canUnloadNow_, nullptr);
  }
  void TearDown() override {
    if (module_ != nullptr) {
      EXPECT_EQ(canUnloadNow_(), S_OK) << "every test lets go of what it held";
      FreeLibrary(module_);
    }
    AtlTest::TearDown();
  }

  CComPtr<IClassFactory> Factory(REFCLSID clsid) {
    CComPtr<IClassFactory> factory;
    EXPECT_EQ(getClassObject_(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    return factory;
  }
  CComPtr<ITestAddIn> NewAddIn() {
    CComPtr<ITestAddIn> addIn;
    EXPECT_EQ(Factory(CLSID_AtlTestAddIn)->CreateInstance(nullptr, IID_ITestAddIn, reinterpret_cast<void**>(&addIn)),
              S_OK);
    return addIn;
  }

  HMODULE module_ = nullptr;
  LPFNGETCLASSOBJECT getClassObject_ = nullptr;
  LPFNCANUNLOADNOW canUnloadNow_ = nullptr;
};

// Every interface of an object leads to one identity, and to every other interface it has.
TEST_F(ServerTest, AnObjectHandsOutItsInterfacesAndOneIdentity) {
  CComPtr<ITestAddIn> addIn = NewAddIn();
  ASSERT_TRUE(addIn);
  CComQIPtr<IDSAddIn> dsAddIn(addIn);
  CComQIPtr<IDispatch> dispatch(addIn);
  ASSERT_TRUE(dsAddIn);
  ASSERT_TRUE(dispatch);
  EXPECT_EQ(static_cast<IDispatch*>(dispatch), static_cast<IDispatch*>(addIn)) << "IDispatch is ITestAddIn's";
  CComPtr<IUnknown> fromAddIn, fromDsAddIn;
  ASSERT_EQ(addIn->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromAddIn)), S_OK);
  ASSERT_EQ(dsAddIn->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromDsAddIn)), S_OK);
  EXPECT_EQ(fromAddIn, fromDsAddIn);
  CComQIPtr<ITestAddIn> back(fromDsAddIn);
  EXPECT_EQ(static_cast<ITestAddIn*>(back), static_cast<ITestAddIn*>(addIn));
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(addIn->QueryInterface(IID_IApplication, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
}

TEST_F(ServerTest, TheClassFactoryRefusesWhatItCannotMake) {
  struct Row {
    const char* name;
    const CLSID* clsid;
    bool outer;
    const IID* iid;
    HRESULT result;
    bool unmodelled;  // reported as ATL's unmodelled aggregation
  };
  const Row rows[] = {
      {"a class the module does not serve", &CLSID_Application, false, &IID_IUnknown, CLASS_E_CLASSNOTAVAILABLE, false},
      {"an outer unknown for a class that refuses one", &CLSID_AtlTestAddIn, true, &IID_IUnknown, CLASS_E_NOAGGREGATION,
       false},
      {"an outer unknown asking another interface", &CLSID_AtlTestPlain, true, &IID_IDispatch, CLASS_E_NOAGGREGATION,
       false},
      {"an outer unknown for a class that did not refuse one", &CLSID_AtlTestPlain, true, &IID_IUnknown,
       CLASS_E_NOAGGREGATION, true},
      {"an interface the object lacks", &CLSID_AtlTestAddIn, false, &IID_IApplication, E_NOINTERFACE, false},
  };
  IUnknown* outer = reinterpret_cast<IUnknown*>(this);  // never called: every case refuses it first
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::ClearUnmodelledCalls();
    CComPtr<IClassFactory> factory;
    void* object = reinterpret_cast<void*>(1);
    HRESULT hr = getClassObject_(*row.clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (SUCCEEDED(hr)) hr = factory->CreateInstance(row.outer ? outer : nullptr, *row.iid, &object);
    EXPECT_EQ(hr, row.result);
    if (factory) {
      EXPECT_EQ(object, nullptr);
    }
    EXPECT_EQ(sandbox::UnmodelledCalls().size(), row.unmodelled ? 1u : 0u);
  }
}

TEST_F(ServerTest, LateBindingFindsMethodsByNameInTheirOrder) {
  CComPtr<ITestAddIn> addIn = NewAddIn();
  CComQIPtr<IDispatch> dual(addIn);
  CComPtr<ITestCommands> commands;
  ASSERT_EQ(Factory(CLSID_AtlTestPlain)->CreateInstance(nullptr, IID_ITestCommands, reinterpret_cast<void**>(&commands)),
            S_OK);
  struct Row {
    IDispatch* object;
    const char16_t* name;
    HRESULT result;
    DISPID id;
  };
  const Row rows[] = {
      {dual, u"Settings", S_OK, 1},     {dual, u"rEFUSE", S_OK, 2},   {dual, u"Greet", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
      {dual, u"Setting", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},         {commands, u"greet", S_OK, 1},
      {commands, u"FAIL", S_OK, 2},     {commands, u"", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
  };
  for (const Row& row : rows) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(row.name)};
    DISPID id = 99;
    EXPECT_EQ(row.object->GetIDsOfNames(IID_NULL, names, 1, 0, &id), row.result) << Text(names[0]);
    EXPECT_EQ(id, row.id) << Text(names[0]);
  }
  // The methods take no arguments, so an argument's name is unknown.
  LPOLESTR named[] = {const_cast<LPOLESTR>(u"Settings"), const_cast<LPOLESTR>(u"Force")};
  DISPID ids[2] = {0, 0};
  EXPECT_EQ(dual->GetIDsOfNames(IID_NULL, named, 2, 0, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[0], 1);
  EXPECT_EQ(ids[1], DISPID_UNKNOWN);
  UINT count = 7;
  EXPECT_EQ(dual->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 0u) << "no type information is handed out";
}

// Invoke calls the method the DISPID names, on the same object as a call through the table of
// functions (the dual interface's other way in).
TEST_F(ServerTest, InvokeCallsTheMethodOrSaysWhyNot) {
  CComPtr<ITestAddIn> addIn = NewAddIn();
  CComQIPtr<IDispatch> dual(addIn);
  sandbox::ClearDebugOutput();
  ASSERT_EQ(addIn->Settings(), S_OK);
  EXPECT_EQ(ServerSaid(), std::vector<std::string>{"Settings"});

  VARIANT argument;
  VariantInit(&argument);
  argument.vt = VT_I4;
  argument.lVal = 1;
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  DISPPARAMS one = {&argument, nullptr, 1, 0};
  struct Row {
    DISPID id;
    WORD flags;
    DISPPARAMS* params;
    HRESULT result;
    HRESULT scode;  // of the exception, when DISP_E_EXCEPTION
    std::vector<std::string> said;
  };
  const Row rows[] = {
      {1, DISPATCH_METHOD, &none, S_OK, 0, {"Settings"}},
      {1, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, S_OK, 0, {"Settings"}},
      {2, DISPATCH_METHOD, &none, DISP_E_EXCEPTION, E_ACCESSDENIED, {}},
      {3, DISPATCH_METHOD, &none, DISP_E_MEMBERNOTFOUND, 0, {}},
      {0, DISPATCH_METHOD, &none, DISP_E_MEMBERNOTFOUND, 0, {}},
      {1, DISPATCH_PROPERTYGET, &none, DISP_E_MEMBERNOTFOUND, 0, {}},
      {1, DISPATCH_METHOD, &one, DISP_E_BADPARAMCOUNT, 0, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "DISPID " << row.id << ", flags " << row.flags);
    sandbox::ClearDebugOutput();
    VARIANT result;
    result.vt = VT_I4;
    EXCEPINFO exception{};
    EXPECT_EQ(dual->Invoke(row.id, IID_NULL, 0, row.flags, row.params, &result, &exception, nullptr), row.result);
    EXPECT_EQ(exception.scode, row.scode);
    EXPECT_EQ(ServerSaid(), row.said);
    if (row.result == S_OK) {
      EXPECT_EQ(result.vt, VT_EMPTY);
    }
  }
  EXPECT_EQ(dual->Invoke(1, IID_IDispatch, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
}

// The module may unload only while nothing holds it: no object, no factory a client keeps, no
// LockServer(TRUE).
TEST_F(ServerTest, DllCanUnloadNowWhileNothingHoldsTheModule) {
  struct Row {
    const char* name;
    std::function<std::function<void()>()> hold;  // holds, and returns how to let go
  };
  const Row rows[] = {
      {"a class factory",
       [&] {
         IClassFactory* factory = nullptr;
         getClassObject_(CLSID_AtlTestAddIn, IID_IClassFactory, reinterpret_cast<void**>(&factory));
         return [factory] { factory->Release(); };
       }},
      {"a lock on the server",
       [&] {
         CComPtr<IClassFactory> factory = Factory(CLSID_AtlTestAddIn);
         factory->LockServer(TRUE);
         IClassFactory* kept = factory;
         return [kept] { kept->LockServer(FALSE); };
       }},
      {"an object",
       [&] {
         ITestAddIn* addIn = NewAddIn().Detach();
         return [addIn] { addIn->Release(); };
       }},
      {"an object's second interface",
       [&] {
         CComPtr<ITestAddIn> addIn = NewAddIn();
         IDSAddIn* dsAddIn = nullptr;
         addIn->QueryInterface(IID_IDSAddIn, reinterpret_cast<void**>(&dsAddIn));
         return [dsAddIn] { dsAddIn->Release(); };
       }},
  };
  EXPECT_EQ(canUnloadNow_(), S_OK);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::function<void()> letGo = row.hold();
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    letGo();
    EXPECT_EQ(canUnloadNow_(), S_OK);
  }
}

TEST_F(ServerTest, ItsTypeLibraryIsItsTypelibResource) {
  CComPtr<ITypeLib> library;
  ASSERT_EQ(LoadTypeLibEx(Wide(ServerPath()).c_str(), REGKIND_NONE, &library), S_OK);
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->guid, LIBID_AtlTestLib);
  EXPECT_EQ(attributes->wMajorVerNum, 1);
  EXPECT_EQ(attributes->wMinorVerNum, 0);
  EXPECT_EQ(attributes->syskind, SYS_WIN32);
  library->ReleaseTLibAttr(attributes);
  BSTR name = nullptr, doc = nullptr;
  ASSERT_EQ(library->GetDocumentation(-1, &name, &doc, nullptr, nullptr), S_OK);
  EXPECT_EQ(Text(name), "AtlTestLib");
  EXPECT_EQ(Text(doc), "AtlTest 1.0 Type Library");
  SysFreeString(name);
  SysFreeString(doc);
  ASSERT_EQ(library->GetTypeInfoCount(), 3u);
  TYPEKIND kinds[3];
  for (UINT i = 0; i < 3; ++i) ASSERT_EQ(library->GetTypeInfoType(i, &kinds[i]), S_OK);
  EXPECT_EQ(kinds[0], TKIND_INTERFACE) << "the dual interface";
  EXPECT_EQ(kinds[1], TKIND_DISPATCH);
  EXPECT_EQ(kinds[2], TKIND_COCLASS);

  ITypeLib* missing = reinterpret_cast<ITypeLib*>(1);
  EXPECT_EQ(LoadTypeLibEx(Wide(ServerPath() + "\\2").c_str(), REGKIND_NONE, &missing), TYPE_E_CANTLOADLIBRARY)
      << "no TYPELIB 2";
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(LoadTypeLibEx(u"Z:\\no\\such.dll", REGKIND_NONE, &missing), TYPE_E_CANTLOADLIBRARY);
}

}  // namespace
}  // namespace atl_test
