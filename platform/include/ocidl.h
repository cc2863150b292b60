// Connection points: how an object hands its events to sinks that callers advise on it.
#pragma once

#include "oaidl.h"

#define CONNECT_E_FIRST _HRESULT_TYPEDEF_(0x80040200L)
#define CONNECT_E_NOCONNECTION _HRESULT_TYPEDEF_(0x80040200L)
#define CONNECT_E_ADVISELIMIT _HRESULT_TYPEDEF_(0x80040201L)
#define CONNECT_E_CANNOTCONNECT _HRESULT_TYPEDEF_(0x80040202L)
#define CONNECT_E_OVERRIDDEN _HRESULT_TYPEDEF_(0x80040203L)

struct IConnectionPoint;
struct IConnectionPointContainer;

typedef struct tagCONNECTDATA {
  IUnknown* pUnk;
  DWORD dwCookie;
} CONNECTDATA, *LPCONNECTDATA;

STANDIN_INTERFACE(IEnumConnections, "B196B287-BAB4-101A-B69C-00AA00341D07") : public IUnknown {
  STDMETHOD(Next)(ULONG cConnections, LPCONNECTDATA rgcd, ULONG * pcFetched) = 0;
  STDMETHOD(Skip)(ULONG cConnections) = 0;
  STDMETHOD(Reset)() = 0;
  STDMETHOD(Clone)(IEnumConnections * *ppEnum) = 0;

 protected:
  ~IEnumConnections() = default;
};

STANDIN_INTERFACE(IConnectionPoint, "B196B286-BAB4-101A-B69C-00AA00341D07") : public IUnknown {
  STDMETHOD(GetConnectionInterface)(IID * pIID) = 0;
  STDMETHOD(GetConnectionPointContainer)(IConnectionPointContainer * *ppCPC) = 0;
  // Keeps a reference on the sink (asked for the connection interface) and returns a non-zero
  // cookie; Unadvise with that cookie releases it.
  STDMETHOD(Advise)(IUnknown * pUnkSink, DWORD * pdwCookie) = 0;
  STDMETHOD(Unadvise)(DWORD dwCookie) = 0;
  STDMETHOD(EnumConnections)(IEnumConnections * *ppEnum) = 0;

 protected:
  ~IConnectionPoint() = default;
};

STANDIN_INTERFACE(IEnumConnectionPoints, "B196B285-BAB4-101A-B69C-00AA00341D07") : public IUnknown {
  STDMETHOD(Next)(ULONG cConnections, IConnectionPoint * *ppCP, ULONG * pcFetched) = 0;
  STDMETHOD(Skip)(ULONG cConnections) = 0;
  STDMETHOD(Reset)() = 0;
  STDMETHOD(Clone)(IEnumConnectionPoints * *ppEnum) = 0;

 protected:
  ~IEnumConnectionPoints() = default;
};

STANDIN_INTERFACE(IConnectionPointContainer, "B196B284-BAB4-101A-B69C-00AA00341D07") : public IUnknown {
  STDMETHOD(EnumConnectionPoints)(IEnumConnectionPoints * *ppEnum) = 0;
  STDMETHOD(FindConnectionPoint)(REFIID riid, IConnectionPoint * *ppCP) = 0;

 protected:
  ~IConnectionPointContainer() = default;
};

typedef IConnectionPoint* LPCONNECTIONPOINT;
typedef IConnectionPointContainer* LPCONNECTIONPOINTCONTAINER;
inline constexpr const IID& IID_IConnectionPoint = __uuidof(IConnectionPoint);
inline constexpr const IID& IID_IConnectionPointContainer = __uuidof(IConnectionPointContainer);
inline constexpr const IID& IID_IEnumConnections = __uuidof(IEnumConnections);
inline constexpr const IID& IID_IEnumConnectionPoints = __uuidof(IEnumConnectionPoints);
