// The IDE's debugger object and its events.
#pragma once

#include <ocidl.h>

STANDIN_INTERFACE(IDebugger, "8F63E8C7-A13F-41CE-8EBC-7C572D91FC40") : public IDispatch {
  STDMETHOD(get_Application)(IDispatch * *Application) = 0;
  STDMETHOD(get_Parent)(IDispatch * *Parent) = 0;
  STDMETHOD(get_State)(LONG * State) = 0;  // 0: no debuggee
  STDMETHOD(Reserved1)() = 0;

 protected:
  ~IDebugger() = default;
};

// Sinks advised on the debugger's connection point of this interface.
STANDIN_INTERFACE(IDebuggerEvents, "34C6301A-AE64-11CF-AB59-00AA00C091A1") : public IDispatch {
  STDMETHOD(BreakpointHit)(IDispatch * pBreakpoint) = 0;

 protected:
  ~IDebuggerEvents() = default;
};

inline constexpr const IID& IID_IDebugger = __uuidof(IDebugger);
inline constexpr const IID& IID_IDebuggerEvents = __uuidof(IDebuggerEvents);
