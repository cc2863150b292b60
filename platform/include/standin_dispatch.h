// The method-name table of a dispatch interface: how late binding finds an interface's methods
// here, where no type information is read. The header that declares a dispatch or dual
// interface declares its table beside it, at global scope, naming the methods in the
// interface's order:
//
//   STANDIN_INTERFACE(ICommands, "...") : public IDispatch {
//     STDMETHOD(AddComponent)() = 0;
//     STDMETHOD(Preferences)() = 0;
//   };
//   BEGIN_STANDIN_DISPATCH_TABLE(ICommands)
//     STANDIN_DISPATCH_METHOD(AddComponent)
//     STANDIN_DISPATCH_METHOD(Preferences)
//   END_STANDIN_DISPATCH_TABLE()
//
// ATL's IDispatchImpl (atlcom.h) serves GetIDsOfNames and Invoke from it: the DISPIDs count
// from 1 in the table's order, names are matched without regard to case (as Automation
// matches them), and each method takes no arguments and returns an HRESULT. An interface
// without a table has no late binding here: its GetIDsOfNames and Invoke are reported as
// unmodelled.
#pragma once

#include "oaidl.h"

namespace standin {

// A method's name and how to call it on the interface.
template <class Interface>
struct DispatchMethod {
  const char* name;
  HRESULT (*call)(Interface* object);
};

}  // namespace standin

template <class Interface>
struct standin_dispatch_table {
  static constexpr bool defined = false;
};

#define BEGIN_STANDIN_DISPATCH_TABLE(iface)                                 \
  template <>                                                               \
  struct standin_dispatch_table<iface> {                                    \
    typedef iface _DispatchInterface;                                       \
    static constexpr bool defined = true;                                   \
    static constexpr ::standin::DispatchMethod<iface> methods[] = {
#define STANDIN_DISPATCH_METHOD(name) {#name, [](_DispatchInterface* object) -> HRESULT { return object->name(); }},
#define END_STANDIN_DISPATCH_TABLE() \
  }                                  \
  ;                                  \
  }                                  \
  ;
