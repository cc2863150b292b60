// The state of each window of one control class, by window: made at WM_NCCREATE, dropped at
// WM_NCDESTROY or when a sandbox reset (or a thread's end) takes the windows away without a
// message. A control's state is used only on its window's thread, so a pointer to it stays valid
// while the control works.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <mutex>

#include "sandbox/internal.h"

namespace comctl32 {

template <class State>
class ControlTable {
 public:
  // Registers the reset under `module`; the table lives for the process (windows may go during exit).
  explicit ControlTable(const char* module) {
    sandbox::internal::RegisterReset(module, [this] {
      std::lock_guard<std::mutex> g(lock_);
      byWindow_.clear();
    });
  }

  State* Find(HWND window) {
    std::lock_guard<std::mutex> g(lock_);
    auto it = byWindow_.find(window);
    return it == byWindow_.end() ? nullptr : it->second.get();
  }
  // A fresh state for the window, replacing one it had.
  State& Make(HWND window) {
    auto state = std::make_unique<State>();
    State& made = *state;
    std::lock_guard<std::mutex> g(lock_);
    byWindow_[window] = std::move(state);
    return made;
  }
  void Drop(HWND window) {
    std::unique_ptr<State> gone;  // destroyed after the lock is let go
    std::lock_guard<std::mutex> g(lock_);
    auto it = byWindow_.find(window);
    if (it == byWindow_.end()) return;
    gone = std::move(it->second);
    byWindow_.erase(it);
  }

 private:
  std::mutex lock_;
  std::map<HWND, std::unique_ptr<State>> byWindow_;
};

}  // namespace comctl32
