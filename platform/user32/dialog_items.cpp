// Dialog items: children found by their ids.
#include "user_state.h"

using namespace user32;

extern "C" {

// A direct child with that id (GWLP_ID); ERROR_CONTROL_ID_NOT_FOUND when there is none.
WINUSERAPI HWND WINAPI GetDlgItem(HWND dialog, int id) {
  auto d = Find(dialog);
  if (!d) return nullptr;
  std::lock_guard<std::mutex> g(Lock());
  for (HWND child : d->children)
    if (FindLocked(child)->id == id) return child;
  return Fail<HWND>(ERROR_CONTROL_ID_NOT_FOUND, nullptr);
}

WINUSERAPI int WINAPI GetDlgCtrlID(HWND window) {
  auto w = Find(window);
  if (!w) return 0;
  std::lock_guard<std::mutex> g(Lock());
  return static_cast<int>(w->id);
}

}  // extern "C"
