// A connection point over the IDE's sinks of one event interface (connection_point.h).
#include "connection_point.h"

#include <objmodel/appauto.h>

#include "com_values.h"

namespace msdev {

ConnectionPointObject::ConnectionPointObject(uint64_t session, IConnectionPointContainer* container,
                                             EventSinks& sinks)
    : CountedObject(session), container_(container), sinks_(sinks) {
  container_->AddRef();
}

ConnectionPointObject::~ConnectionPointObject() { container_->Release(); }

STDMETHODIMP ConnectionPointObject::GetConnectionInterface(IID* iid) {
  return Call("IConnectionPoint::GetConnectionInterface", "", [&]() -> HRESULT {
    if (!iid) return E_POINTER;
    *iid = sinks_.Interface();
    return S_OK;
  });
}

STDMETHODIMP ConnectionPointObject::GetConnectionPointContainer(IConnectionPointContainer** container) {
  return Call(
      "IConnectionPoint::GetConnectionPointContainer", "",
      [&]() -> HRESULT {
        if (!container) return E_POINTER;
        container_->AddRef();
        *container = container_;
        return S_OK;
      },
      container);
}

STDMETHODIMP ConnectionPointObject::Advise(IUnknown* sink, DWORD* cookie) {
  return Call(
      "IConnectionPoint::Advise", LogText(sink), [&] { return sinks_.Advise(sink, cookie); }, cookie);
}

STDMETHODIMP ConnectionPointObject::Unadvise(DWORD cookie) {
  return Call("IConnectionPoint::Unadvise", LogText(static_cast<long>(cookie)), [&] { return sinks_.Unadvise(cookie); });
}

STDMETHODIMP ConnectionPointObject::EnumConnections(IEnumConnections** connections) {
  return NotModelled("IConnectionPoint::EnumConnections", connections);
}

std::string LogIid(REFIID iid) {
  if (iid == IID_IApplicationEvents) return "IApplicationEvents";
  if (iid == IID_IDebuggerEvents) return "IDebuggerEvents";
  OLECHAR text[40] = {};
  StringFromGUID2(iid, text, 40);
  std::string ansi;
  for (const OLECHAR* c = text; *c; ++c) ansi += static_cast<char>(*c);
  return ansi;
}

}  // namespace msdev
