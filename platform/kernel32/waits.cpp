// Waits: WaitForSingleObject, WaitForMultipleObjects and Sleep, on the sandbox clock. Every wait
// sleeps on one condition (sync_objects.h) until its objects are signalled or its deadline passes;
// a change of the sandbox clock wakes it to look at the deadline again.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

#include "sandbox/internal.h"
#include "sync_objects.h"

namespace kernel32::sync {
namespace {

struct HubState {
  std::mutex lock;
  std::condition_variable condition;
};

HubState& H() {
  static HubState* hub = new HubState;  // never destroyed: threads may wait during exit
  return *hub;
}

struct ClockWatch {
  ClockWatch() {
    sandbox::internal::OnClockChange([] {
      std::lock_guard<std::mutex> g(H().lock);
      H().condition.notify_all();
    });
  }
} g_clockWatch;

using sandbox::internal::ClockDeadline;

// Sleeps under the hub until `ready` holds (true) or the deadline passes (false).
bool WaitUntil(std::unique_lock<std::mutex>& lock, const ClockDeadline& deadline, const std::function<bool()>& ready) {
  for (;;) {
    if (ready()) return true;
    if (deadline.Passed()) return false;
    if (deadline.IsNever())
      H().condition.wait(lock);
    else
      H().condition.wait_until(lock, deadline.RealEnd());
  }
}

ClockDeadline DeadlineOf(DWORD milliseconds) {
  return milliseconds == INFINITE ? ClockDeadline::Never() : ClockDeadline::After(milliseconds);
}

DWORD Failed(DWORD error) {
  SetLastError(error);
  return WAIT_FAILED;
}

}  // namespace

std::mutex& HubLock() { return H().lock; }
std::condition_variable& Hub() { return H().condition; }
void WakeAllLocked() { H().condition.notify_all(); }

}  // namespace kernel32::sync

using namespace kernel32;

extern "C" {

WINBASEAPI DWORD WINAPI WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds) {
  if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || handles == nullptr) return sync::Failed(ERROR_INVALID_PARAMETER);
  std::vector<std::shared_ptr<sync::Waitable>> objects;
  for (DWORD i = 0; i < count; ++i) {
    auto object = LookupHandleAs<sync::Waitable>(handles[i]);
    if (!object) return sync::Failed(ERROR_INVALID_HANDLE);
    if (waitAll && std::find(handles, handles + i, handles[i]) != handles + i)
      return sync::Failed(ERROR_INVALID_PARAMETER);
    objects.push_back(std::move(object));
  }
  const auto deadline = sync::DeadlineOf(milliseconds);
  DWORD result = WAIT_TIMEOUT;
  std::unique_lock<std::mutex> lock(sync::HubLock());
  sync::WaitUntil(lock, deadline, [&] {
    if (waitAll) {
      for (auto& object : objects)
        if (!object->Signalled()) return false;
      for (auto& object : objects) object->Consume();
      result = WAIT_OBJECT_0;
      return true;
    }
    for (DWORD i = 0; i < count; ++i)
      if (objects[i]->Signalled()) {
        objects[i]->Consume();
        result = WAIT_OBJECT_0 + i;
        return true;
      }
    return false;
  });
  return result;
}

WINBASEAPI DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  return WaitForMultipleObjects(1, &handle, FALSE, milliseconds);
}

// Sleep(0) gives up the rest of the time slice; other lengths are waits on the sandbox clock (or,
// with the sandbox's switch on a standing clock, move it at once).
WINBASEAPI void WINAPI Sleep(DWORD milliseconds) {
  if (milliseconds == 0) {
    std::this_thread::yield();
    return;
  }
  if (milliseconds != INFINITE && sandbox::internal::SleepOnStandingClock(milliseconds)) return;
  std::unique_lock<std::mutex> lock(sync::HubLock());
  sync::WaitUntil(lock, sync::DeadlineOf(milliseconds), [] { return false; });
}

}  // extern "C"
