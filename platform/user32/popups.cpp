// The last active popup: each root owner remembers which of the windows it owns was activated
// last (SetActiveWindow notes it), as owned dialogs and message boxes expect when they look for
// the window to own their own boxes.
#include "user_state.h"

using namespace user32;

namespace {

// The owner of a top-level window, else null (a child's parent is no owner).
HWND OwnerLocked(const Window& window) {
  return window.parent == S().desktop ? window.owner : nullptr;
}

}  // namespace

namespace user32 {

void NoteActivationLocked(HWND window) {
  auto w = FindLocked(window);
  if (!w) return;
  std::shared_ptr<Window> root = w;
  while (auto owner = FindLocked(OwnerLocked(*root))) root = owner;
  root->lastActivePopup = window;
}

}  // namespace user32

extern "C" {

WINUSERAPI HWND WINAPI GetLastActivePopup(HWND window) {
  auto w = Find(window);
  if (!w) return nullptr;
  std::lock_guard<std::mutex> g(Lock());
  if (OwnerLocked(*w) != nullptr || !FindLocked(w->lastActivePopup)) return window;
  return w->lastActivePopup;
}

}  // extern "C"
