// The window manager's start state on sandbox::Reset(): no windows but the desktop (destroyed
// without messages, as at a thread's end), no hooks, only the system's classes, and every queue
// empty. Queues stay: their threads live on. Registered message ids stay, as code keeps them.
#include <algorithm>
#include <iterator>

#include "user_state.h"

namespace user32 {
namespace {

void ResetWindowManager() {
  std::vector<std::shared_ptr<SentMessage>> unserved;
  {
    std::lock_guard<std::mutex> g(Lock());
    std::vector<HWND> windows;
    for (auto& [value, window] : S().windows)
      if (window->handle != S().desktop) windows.push_back(window->handle);
    for (HWND window : windows) ForgetTreeLocked(window);
    for (auto& hook : S().hooks) hook->removed = true;
    S().hooks.clear();
    std::erase_if(S().classes, [](const std::shared_ptr<WindowClass>& c) { return !c->system; });
    for (auto& [thread, queue] : S().queues) {
      queue->posted.clear();
      queue->quit = false;
      queue->timers.clear();
      queue->focus = queue->active = nullptr;
      std::fill(std::begin(queue->keys), std::end(queue->keys), BYTE{0});
      for (auto& sent : queue->incoming) {
        sent->done = true;
        unserved.push_back(sent);
      }
      queue->incoming.clear();
    }
    S().foreground = nullptr;
  }
  for (auto& sent : unserved) Wake(*sent->sender);
}

struct Registration {
  Registration() { sandbox::internal::RegisterReset("user32", ResetWindowManager); }
} g_registration;

}  // namespace
}  // namespace user32
