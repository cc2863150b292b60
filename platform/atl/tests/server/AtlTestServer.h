// AtlTestServer.dll: a small COM server built as the add-ins are (ATL over the stand-in, an
// exports file, a registrar script, a type library), for the tests of ATL, the registrar,
// regsvr32 and the IDE's add-in host. Shared by the module and the tests.
//
// Its classes:
// - the add-in (CLSID_AtlTestAddIn, "AtlTest.AddIn.1"): IDSAddIn, and the dual ITestAddIn.
//   Connected to the IDE, it advises an IApplicationEvents sink, hands the IDE a commands object
//   (the dispatch interface ITestCommands) and adds the commands "AtlTestGreet" and
//   "AtlTestFail"; disconnected, it unadvises the sink and lets the application go.
// - a plain class (CLSID_AtlTestPlain) that does not refuse aggregation, so an outer unknown
//   reaches ATL's unmodelled aggregation.
// What they do is written to the debugger output as "AtlTest: <what>".
#pragma once

#define IDR_ATLTESTADDIN 101

#ifndef RC_INVOKED
#include <oaidl.h>
#include <standin_dispatch.h>

inline constexpr CLSID CLSID_AtlTestAddIn = ::standin::GuidFromLiteral("7A41C2D0-5B3E-4C1F-9D2A-6E8B0F1C3A51");
inline constexpr CLSID CLSID_AtlTestPlain = ::standin::GuidFromLiteral("7A41C2D0-5B3E-4C1F-9D2A-6E8B0F1C3A52");
inline constexpr GUID LIBID_AtlTestLib = ::standin::GuidFromLiteral("7A41C2D0-5B3E-4C1F-9D2A-6E8B0F1C3A50");

// The add-in's own dual interface.
STANDIN_INTERFACE(ITestAddIn, "7A41C2D0-5B3E-4C1F-9D2A-6E8B0F1C3A53") : public IDispatch {
  STDMETHOD(Settings)() = 0;  // "AtlTest: Settings"
  STDMETHOD(Refuse)() = 0;    // E_ACCESSDENIED
};
BEGIN_STANDIN_DISPATCH_TABLE(ITestAddIn)
STANDIN_DISPATCH_METHOD(Settings)
STANDIN_DISPATCH_METHOD(Refuse)
END_STANDIN_DISPATCH_TABLE()

// The commands the IDE runs by name.
STANDIN_INTERFACE(ITestCommands, "7A41C2D0-5B3E-4C1F-9D2A-6E8B0F1C3A54") : public IDispatch {
  STDMETHOD(Greet)() = 0;  // "AtlTest: Greet"
  STDMETHOD(Fail)() = 0;   // E_FAIL
};
BEGIN_STANDIN_DISPATCH_TABLE(ITestCommands)
STANDIN_DISPATCH_METHOD(Greet)
STANDIN_DISPATCH_METHOD(Fail)
END_STANDIN_DISPATCH_TABLE()

inline constexpr const IID& IID_ITestAddIn = __uuidof(ITestAddIn);
inline constexpr const IID& IID_ITestCommands = __uuidof(ITestCommands);

#endif  // RC_INVOKED
