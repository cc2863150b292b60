// The waitable kernel objects (events, threads) and the one lock and condition under which every
// wait of the process looks at them. A change of any object, or of the sandbox clock, wakes all
// waits, and each looks again: simple, and fast enough for the handful of threads a program runs.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <memory>
#include <mutex>

#include "kernel_handles.h"

namespace kernel32::sync {

std::mutex& HubLock();
// Wakes every wait; the caller holds HubLock() (the change it announces was made under it).
void WakeAllLocked();
std::condition_variable& Hub();

class Waitable : public KernelObject {
 public:
  // Both are called with HubLock() held.
  virtual bool Signalled() const = 0;
  // What a satisfied wait does to the object (an auto-reset event resets).
  virtual void Consume() {}
};

class Event : public Waitable {
 public:
  Event(bool manualReset, bool signalled) : manualReset(manualReset), signalled(signalled) {}
  bool Signalled() const override { return signalled; }
  void Consume() override {
    if (!manualReset) signalled = false;
  }
  const bool manualReset;
  bool signalled;  // guarded by HubLock()
};

// A thread started by CreateThread. Guarded by HubLock(): everything but the id.
class Thread : public Waitable {
 public:
  explicit Thread(DWORD id) : id(id) {}
  bool Signalled() const override { return ended; }
  const DWORD id;
  bool ended = false;
  DWORD exitCode = STILL_ACTIVE;
  DWORD suspendCount = 0;
  int priority = THREAD_PRIORITY_NORMAL;
};

}  // namespace kernel32::sync
