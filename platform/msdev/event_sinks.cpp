// Sinks of one connection point (event_sinks.h).
#include "event_sinks.h"

namespace msdev {

HRESULT EventSinks::Advise(IUnknown* sink, DWORD* cookie) {
  if (cookie == nullptr) return E_POINTER;
  *cookie = 0;
  if (sink == nullptr) return E_POINTER;
  void* events = nullptr;
  if (FAILED(sink->QueryInterface(iid_, &events)) || events == nullptr) return CONNECT_E_CANNOTCONNECT;
  std::lock_guard<std::mutex> g(lock_);
  *cookie = nextCookie_++;
  entries_.push_back({*cookie, static_cast<IUnknown*>(events)});
  return S_OK;
}

HRESULT EventSinks::Unadvise(DWORD cookie) {
  IUnknown* released = nullptr;
  {
    std::lock_guard<std::mutex> g(lock_);
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->cookie == cookie) {
        released = it->sink;
        entries_.erase(it);
        break;
      }
    }
  }
  if (released == nullptr) return CONNECT_E_NOCONNECTION;
  released->Release();  // outside the lock: the sink's destructor may call back
  return S_OK;
}

std::vector<IUnknown*> EventSinks::Snapshot() {
  std::lock_guard<std::mutex> g(lock_);
  std::vector<IUnknown*> sinks;
  sinks.reserve(entries_.size());
  for (const Entry& e : entries_) {
    e.sink->AddRef();
    sinks.push_back(e.sink);
  }
  return sinks;
}

void EventSinks::Clear() {
  std::vector<Entry> entries;
  {
    std::lock_guard<std::mutex> g(lock_);
    entries.swap(entries_);
  }
  for (const Entry& e : entries) e.sink->Release();
}

}  // namespace msdev
