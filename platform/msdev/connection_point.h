// Connection points of the IDE's objects: the application's (IApplicationEvents) and the
// debugger's (IDebuggerEvents). The sinks live in the IDE, so a connection made through a
// connection point object outlives that object, as the IDE's own objects do on Windows.
#pragma once

#include <ocidl.h>

#include "automation_object.h"
#include "event_sinks.h"

namespace msdev {

class ConnectionPointObject final : public CountedObject<IConnectionPoint, ObjectKind::ConnectionPoint> {
 public:
  // Holds a reference on `container` for GetConnectionPointContainer.
  ConnectionPointObject(uint64_t session, IConnectionPointContainer* container, EventSinks& sinks);

  STDMETHODIMP GetConnectionInterface(IID* iid) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

 private:
  ~ConnectionPointObject() override;

  IConnectionPointContainer* const container_;
  EventSinks& sinks_;
};

// The name the call log gives an interface identifier: the event interfaces by name, any other
// as its braced text.
std::string LogIid(REFIID iid);

// An automation object that is also a connection point container with one connection point.
template <class I, ObjectKind Kind>
class ConnectableObject : public AutomationObject<I, Kind>, public IConnectionPointContainer {
 public:
  using AutomationObject<I, Kind>::AutomationObject;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return AutomationObject<I, Kind>::QueryInterface(riid, ppv); }
  STDMETHODIMP_(ULONG) AddRef() override { return AutomationObject<I, Kind>::AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return AutomationObject<I, Kind>::Release(); }

  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override {
    return this->NotModelled("IConnectionPointContainer::EnumConnectionPoints", points);
  }
  STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** point) override {
    return this->Call(
        "IConnectionPointContainer::FindConnectionPoint", LogIid(riid),
        [&]() -> HRESULT {
          if (!point) return E_POINTER;
          EventSinks& sinks = Sinks();
          if (riid != sinks.Interface()) return CONNECT_E_NOCONNECTION;
          *point = new ConnectionPointObject(this->Session(), this, sinks);
          return S_OK;
        },
        point);
  }

 protected:
  virtual EventSinks& Sinks() = 0;
  void* Find(REFIID riid) override {
    if (riid == IID_IConnectionPointContainer) return static_cast<IConnectionPointContainer*>(this);
    return AutomationObject<I, Kind>::Find(riid);
  }
};

}  // namespace msdev
