// DestroyWindow: owned windows first, WM_DESTROY down the tree (parents before children), then
// WM_NCDESTROY up it (children before parents), each window's handle going stale after its
// WM_NCDESTROY.
#include "capture.h"
#include "hooks.h"
#include "painting.h"

namespace user32 {
namespace {

std::vector<HWND> ChildrenOf(HWND window) {
  std::lock_guard<std::mutex> g(Lock());
  auto w = FindLocked(window);
  return w ? w->children : std::vector<HWND>();
}

void SendDestroy(HWND window) {
  SendMessage(window, WM_DESTROY, 0, 0);
  for (HWND child : ChildrenOf(window)) SendDestroy(child);
}

void SendNcDestroy(HWND window) {
  for (HWND child : ChildrenOf(window)) SendNcDestroy(child);
  SendMessage(window, WM_NCDESTROY, 0, 0);
  std::lock_guard<std::mutex> g(Lock());
  ForgetTreeLocked(window);
}

}  // namespace
}  // namespace user32

using namespace user32;

extern "C" {

WINUSERAPI BOOL WINAPI DestroyWindow(HWND window) {
  auto w = Find(window);
  if (!w) return FALSE;
  const DWORD me = GetCurrentThreadId();
  std::vector<HWND> owned;
  HWND successor = nullptr;  // the window activated when the active window goes
  {
    std::lock_guard<std::mutex> g(Lock());
    if (window == S().desktop || w->thread != me) return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (w->destroying) return TRUE;  // already on its way (a handler of its destruction asked again)
  }
  if (CallHooks(WH_CBT, HCBT_DESTROYWND, reinterpret_cast<WPARAM>(window), 0) != 0) return FALSE;
  {
    std::lock_guard<std::mutex> g(Lock());
    if (!FindLocked(window)) return TRUE;  // the hook destroyed it
    w->destroying = true;
    for (auto& [value, other] : S().windows)
      if (other->owner == window && other->thread == me) owned.push_back(other->handle);
    auto queue = QueueOfLocked(me);
    if (queue && queue->active == window) {
      auto owner = FindLocked(w->owner);
      successor = owner && owner->thread == me && !owner->destroying ? owner->handle : nullptr;
    }
  }
  for (HWND o : owned) DestroyWindow(o);
  if (successor != nullptr || GetActiveWindow() == window) SetActiveWindow(successor);
  {
    std::lock_guard<std::mutex> g(Lock());
    const bool showed = ShowsLocked(*w);
    w->style &= ~WS_VISIBLE;
    if (showed) ExposeLocked(*w, w->rect);
  }
  if ((w->style & WS_CHILD) && (w->exStyle & WS_EX_NOPARENTNOTIFY) == 0)
    SendMessage(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, w->id), reinterpret_cast<LPARAM>(window));
  capture::ReleaseWithTree(window);
  SendDestroy(window);
  SendNcDestroy(window);
  return TRUE;
}

WINUSERAPI BOOL WINAPI IsWindow(HWND window) {
  std::lock_guard<std::mutex> g(Lock());
  return FindLocked(window) ? TRUE : FALSE;
}

}  // extern "C"
