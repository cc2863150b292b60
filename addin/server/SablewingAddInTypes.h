// The add-in's COM identity: its class, its type library and the dispatch interface through which
// Developer Studio runs its commands. Shared by the module and the tests that load it.
#pragma once

#include <oaidl.h>
#include <standin_dispatch.h>

// The add-in object ("SablewingAddIn.DSAddIn.1"), which Developer Studio creates at start-up.
inline constexpr CLSID CLSID_DSAddIn = ::standin::GuidFromLiteral("86C23612-42B4-4B2A-9852-14734F101E71");
// The type library SablewingAddIn and its class of the commands object.
inline constexpr GUID LIBID_SablewingAddIn = ::standin::GuidFromLiteral("2EC3FF81-49B2-4BEA-B737-3B357CBDA3E8");
inline constexpr CLSID CLSID_Commands = ::standin::GuidFromLiteral("58931657-3320-4C7E-BC21-A3EC8950301F");

// The commands, which Developer Studio calls by name (IDispatch) when the user runs one.
STANDIN_INTERFACE(ICommands, "8F37130A-783D-4433-AF92-483D3501F29F") : public IDispatch {
  STDMETHOD(SablewingAddInAddComponentMethod)() = 0;
  STDMETHOD(SablewingAddInUpgradeProjectMethod)() = 0;
  STDMETHOD(SablewingAddInSetPreferencesMethod)() = 0;

 protected:
  ~ICommands() = default;
};
BEGIN_STANDIN_DISPATCH_TABLE(ICommands)
STANDIN_DISPATCH_METHOD(SablewingAddInAddComponentMethod)
STANDIN_DISPATCH_METHOD(SablewingAddInUpgradeProjectMethod)
STANDIN_DISPATCH_METHOD(SablewingAddInSetPreferencesMethod)
END_STANDIN_DISPATCH_TABLE()

inline constexpr const IID& IID_ICommands = __uuidof(ICommands);
