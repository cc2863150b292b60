// The debugger object (debugger.h).
#include "debugger.h"

#include "application.h"
#include "com_values.h"
#include "ide.h"

namespace msdev {

EventSinks& DebuggerObject::Sinks() { return Ide::Instance().DebuggerSinks(); }

STDMETHODIMP DebuggerObject::get_Application(IDispatch** Application) {
  return Call("IDebugger::get_Application", "", [&] { return ReturnApplication(Application); }, Application);
}

STDMETHODIMP DebuggerObject::get_Parent(IDispatch** Parent) {
  return Call("IDebugger::get_Parent", "", [&] { return ReturnApplication(Parent); }, Parent);
}

STDMETHODIMP DebuggerObject::get_State(LONG* State) {
  return Call("IDebugger::get_State", "", [&] { return ReturnLong(0, State); }, State);
}

}  // namespace msdev
