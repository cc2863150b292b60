// LoadModRecorder.dll: keeps a list of the DllMain calls other test modules report. It has no
// DllMain of its own, which the loader must accept.
#include <mutex>
#include <vector>

#include "loadmod.h"

namespace {

struct Event {
  HINSTANCE instance;
  DWORD reason;
  bool reservedWasNull;
};

std::mutex g_lock;
std::vector<Event> g_events;

}  // namespace

extern "C" {

__declspec(dllexport) void WINAPI LoadModRecord(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  std::lock_guard<std::mutex> g(g_lock);
  g_events.push_back({instance, reason, reserved == nullptr});
}

__declspec(dllexport) DWORD WINAPI LoadModEventCount() {
  std::lock_guard<std::mutex> g(g_lock);
  return static_cast<DWORD>(g_events.size());
}

__declspec(dllexport) BOOL WINAPI LoadModEventAt(DWORD index, HINSTANCE* instance, DWORD* reason,
                                                 BOOL* reservedWasNull) {
  std::lock_guard<std::mutex> g(g_lock);
  if (index >= g_events.size()) return FALSE;
  *instance = g_events[index].instance;
  *reason = g_events[index].reason;
  *reservedWasNull = g_events[index].reservedWasNull ? TRUE : FALSE;
  return TRUE;
}

__declspec(dllexport) void WINAPI LoadModClearEvents() {
  std::lock_guard<std::mutex> g(g_lock);
  g_events.clear();
}

}  // extern "C"
