// _com_ptr_t and _com_error: reference counting, QueryInterface on assignment, creation, and
// the errors that the wrappers raise.
#include <comdef.h>
#include <standin_com.h>

#include <gtest/gtest.h>

#include <string>

#include "counting_object.h"
#include "sandbox/sandbox.h"

_COM_SMARTPTR_TYPEDEF(ICountingThing, __uuidof(ICountingThing));
_COM_SMARTPTR_TYPEDEF(IOtherThing, __uuidof(IOtherThing));

namespace {

// {7C2E4A92-1B3D-4F6E-8A5C-9D0E1F2A3B4C}
DEFINE_GUID(CLSID_CountingObject, 0x7C2E4A92, 0x1B3D, 0x4F6E, 0x8A, 0x5C, 0x9D, 0x0E, 0x1F, 0x2A, 0x3B, 0x4C);
// {7C2E4A93-1B3D-4F6E-8A5C-9D0E1F2A3B4C}: registered nowhere.
DEFINE_GUID(CLSID_Unregistered, 0x7C2E4A93, 0x1B3D, 0x4F6E, 0x8A, 0x5C, 0x9D, 0x0E, 0x1F, 0x2A, 0x3B, 0x4C);

HRESULT CreateCountingObject(REFIID riid, void** ppv) {
  CountingObject* object = CountingObject::New();
  const HRESULT hr = object->QueryInterface(riid, ppv);
  object->Release();
  return hr;
}

class ComPtr : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(StandinRegisterClass(CLSID_CountingObject, "Sablewing.CountingObject", CreateCountingObject), S_OK);
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    object = CountingObject::New();
  }
  void TearDown() override {
    EXPECT_EQ(object->Release(), 0u) << "references left";
    CoUninitialize();
    StandinUnregisterClass(CLSID_CountingObject);
    EXPECT_EQ(CountingObject::live, 0);
  }

  CountingObject* object = nullptr;  // the test's own reference
  ICountingThing* Raw() { return static_cast<ICountingThing*>(object); }
};

TEST_F(ComPtr, CountsReferences) {
  {
    ICountingThingPtr a(Raw());
    EXPECT_EQ(object->refs, 2u);
    ICountingThingPtr b = a;
    EXPECT_EQ(object->refs, 3u);
    ICountingThingPtr c(std::move(b));
    EXPECT_EQ(object->refs, 3u);
    EXPECT_FALSE(b);
    c = nullptr;
    EXPECT_EQ(object->refs, 2u);
    ICountingThingPtr& same = a;
    a = same;  // self-assignment keeps the reference
    EXPECT_EQ(object->refs, 2u);
    EXPECT_EQ(a->References(), 2u);
  }
  EXPECT_EQ(object->refs, 1u);

  ICountingThingPtr attached;
  object->AddRef();
  attached.Attach(Raw());  // takes the reference over
  EXPECT_EQ(object->refs, 2u);
  ICountingThing* detached = attached.Detach();
  EXPECT_EQ(object->refs, 2u);
  EXPECT_FALSE(attached);
  detached->Release();

  ICountingThingPtr out;
  ICountingThing** slot = &out;  // for an out parameter
  object->AddRef();
  *slot = Raw();
  EXPECT_EQ(out.GetInterfacePtr(), Raw());
}

TEST_F(ComPtr, AssignmentFromAnotherInterfaceAsksQueryInterface) {
  ICountingThingPtr counting(Raw());
  IOtherThingPtr other = counting;
  ASSERT_TRUE(other);
  EXPECT_EQ(other.GetInterfacePtr(), static_cast<IOtherThing*>(object));
  EXPECT_EQ(object->refs, 3u);
  EXPECT_TRUE(other == counting);  // the same object, through IUnknown

  IUnknownPtr unknown(static_cast<IUnknown*>(Raw()));
  ICountingThingPtr back = unknown;
  EXPECT_EQ(back.GetInterfacePtr(), Raw());
  EXPECT_EQ(object->refs, 5u);

  // An object without the interface leaves the pointer null (E_NOINTERFACE is not raised).
  object->withOther = false;
  other = counting;
  EXPECT_FALSE(other);
  EXPECT_EQ(object->refs, 4u);
  // Any other failure of QueryInterface is raised.
  object->otherFailure = E_UNEXPECTED;
  try {
    other = counting;
    ADD_FAILURE() << "no _com_error";
  } catch (const _com_error& e) {
    EXPECT_EQ(e.Error(), E_UNEXPECTED);
  }
}

TEST_F(ComPtr, NullPointerCallsRaiseEPointer) {
  ICountingThingPtr empty;
  try {
    empty->References();
    ADD_FAILURE() << "no _com_error";
  } catch (const _com_error& e) {
    EXPECT_EQ(e.Error(), E_POINTER);
    EXPECT_STREQ(e.ErrorMessage(), "Invalid pointer");
  }
  EXPECT_THROW(empty.Release(), _com_error);
  EXPECT_THROW(ICountingThingPtr(1), _com_error);  // only 0 is a null pointer
}

TEST_F(ComPtr, CreatesInstances) {
  struct Case {
    const char* name;
    HRESULT (*create)(ICountingThingPtr&);
  };
  const Case cases[] = {
      {.name = "by CLSID", .create = [](ICountingThingPtr& p) { return p.CreateInstance(CLSID_CountingObject); }},
      {.name = "by CLSID text",
       .create = [](ICountingThingPtr& p) { return p.CreateInstance(u"{7C2E4A92-1B3D-4F6E-8A5C-9D0E1F2A3B4C}"); }},
      {.name = "by ProgID", .create = [](ICountingThingPtr& p) { return p.CreateInstance(u"Sablewing.CountingObject"); }},
      {.name = "by ANSI ProgID", .create = [](ICountingThingPtr& p) { return p.CreateInstance("Sablewing.CountingObject"); }},
      {.name = "in-process only",
       .create = [](ICountingThingPtr& p) { return p.CreateInstance(CLSID_CountingObject, nullptr, CLSCTX_INPROC_SERVER); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ICountingThingPtr p;
    ASSERT_EQ(c.create(p), S_OK);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->References(), 1u);  // the smart pointer holds the only reference
    EXPECT_EQ(CountingObject::live, 2);
  }
  EXPECT_EQ(CountingObject::live, 1);

  ICountingThingPtr p(Raw());
  EXPECT_EQ(p.CreateInstance(CLSID_Unregistered), REGDB_E_CLASSNOTREG);
  EXPECT_FALSE(p);  // what it held was released
  EXPECT_EQ(p.CreateInstance("No.Such.ProgID"), CO_E_CLASSSTRING);
}

TEST_F(ComPtr, ConstructorRaisesCreationFailures) {
  try {
    ICountingThingPtr p(CLSID_Unregistered);
    ADD_FAILURE() << "no _com_error";
  } catch (const _com_error& e) {
    EXPECT_EQ(e.Error(), REGDB_E_CLASSNOTREG);
    EXPECT_STREQ(e.ErrorMessage(), "Class not registered");
    EXPECT_EQ(e.Description().length(), 0u);  // no error information came with it
  }
  ICountingThingPtr made(CLSID_CountingObject);
  EXPECT_TRUE(made);
}

TEST(ComError, MessagesAndErrorInformation) {
  struct Case {
    HRESULT hr;
    const char* message;
    WORD wCode;
  };
  const Case cases[] = {
      {.hr = E_NOINTERFACE, .message = "No such interface supported", .wCode = 0},
      {.hr = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), .message = "The system cannot find the file specified.",
       .wCode = 0},
      {.hr = static_cast<HRESULT>(0x80040205), .message = "IDispatch error #5", .wCode = 5},
      {.hr = static_cast<HRESULT>(0x80991234), .message = "Unknown error 0x80991234", .wCode = 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const _com_error e(c.hr);
    EXPECT_EQ(e.WCode(), c.wCode);
    EXPECT_STREQ(e.ErrorMessage(), c.message);  // without the line break of the system text
  }

  ICreateErrorInfo* create = nullptr;
  ASSERT_EQ(CreateErrorInfo(&create), S_OK);
  create->SetDescription(const_cast<LPOLESTR>(u"The catalogue is locked"));
  IErrorInfo* info = nullptr;
  ASSERT_EQ(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)), S_OK);
  create->Release();
  const _com_error withInfo(E_FAIL, info);  // takes the reference over
  const _com_error copy = withInfo;
  EXPECT_STREQ(static_cast<const char*>(copy.Description()), "The catalogue is locked");
  IErrorInfo* again = copy.ErrorInfo();
  EXPECT_EQ(again, info);
  again->Release();
}

}  // namespace
