// The debugger object (IDebugger): there is never a debuggee. Its connection point takes
// IDebuggerEvents sinks, which the IDE keeps while it runs.
#pragma once

#include <objmodel/dbgauto.h>

#include "connection_point.h"

namespace msdev {

class DebuggerObject final : public ConnectableObject<IDebugger, ObjectKind::Debugger> {
 public:
  using ConnectableObject::ConnectableObject;

  STDMETHODIMP get_Application(IDispatch** Application) override;
  STDMETHODIMP get_Parent(IDispatch** Parent) override;
  STDMETHODIMP get_State(LONG* State) override;
  STDMETHODIMP Reserved1() override { return NotModelled("IDebugger::Reserved1"); }

 private:
  ~DebuggerObject() override = default;
  EventSinks& Sinks() override;
};

}  // namespace msdev
