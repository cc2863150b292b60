// The sinks advised on one connection point of the IDE: kept in advise order under non-zero
// cookies, each holding the reference that Advise took on the sink's event interface.
#pragma once

#include <ocidl.h>

#include <mutex>
#include <vector>

namespace msdev {

class EventSinks {
 public:
  explicit EventSinks(REFIID eventInterface) : iid_(eventInterface) {}
  ~EventSinks() = default;  // the IDE releases its sinks when it stops, before the process ends
  EventSinks(const EventSinks&) = delete;
  EventSinks& operator=(const EventSinks&) = delete;

  REFIID Interface() const { return iid_; }
  // Asks the sink for the event interface (CONNECT_E_CANNOTCONNECT when it lacks it) and keeps
  // it under a new cookie.
  HRESULT Advise(IUnknown* sink, DWORD* cookie);
  // CONNECT_E_NOCONNECTION for a cookie not advised.
  HRESULT Unadvise(DWORD cookie);
  // The event interfaces in advise order, each AddRef'd for the caller to release.
  std::vector<IUnknown*> Snapshot();
  // Releases every sink.
  void Clear();

 private:
  struct Entry {
    DWORD cookie;
    IUnknown* sink;  // the event interface
  };
  const IID iid_;
  std::mutex lock_;
  std::vector<Entry> entries_;
  DWORD nextCookie_ = 1;
};

}  // namespace msdev
