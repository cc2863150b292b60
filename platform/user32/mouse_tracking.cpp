// TrackMouseEvent: one watched window for the pointer. Its hover comes due on the sandbox clock,
// so it is looked at whenever the clock changes and whenever a thread reads its queue; leaving is
// seen where the pointer moves (pointer.cpp).
#include "message_queue.h"
#include "pointer.h"

using namespace user32;
using namespace user32::pointer;
using sandbox::internal::ClockDeadline;

namespace user32::pointer {
namespace {

constexpr DWORD kDefaultHoverTime = 400;

struct ClockListener {
  ClockListener() { sandbox::internal::OnClockChange([] { PostDueHover(); }); }
} g_listener;

}  // namespace

void PostDueHover() {
  HWND window = nullptr;
  WPARAM flags = 0;
  POINT at{0, 0};
  {
    std::lock_guard<std::mutex> g(Lock());
    PointerState& state = StateLocked();
    Tracking& t = state.tracking;
    if (t.window == nullptr || !(t.flags & TME_HOVER) || sandbox::ClockNow() - t.restSince < t.hoverTime) return;
    t.flags &= ~TME_HOVER;  // a hover ends hover tracking; the window asks again for the next one
    window = t.window;
    flags = ButtonFlagsLocked();
    at = state.at;
    if (t.flags == 0) t = Tracking{};
  }
  POINT client = at;
  ScreenToClient(window, &client);
  PostInput(window, WM_MOUSEHOVER, flags, MAKELPARAM(client.x, client.y), at);
}

ClockDeadline HoverDeadlineLocked(DWORD thread) {
  const Tracking& t = StateLocked().tracking;
  if (t.window == nullptr || !(t.flags & TME_HOVER)) return ClockDeadline::Never();
  auto w = FindLocked(t.window);
  if (!w || w->thread != thread) return ClockDeadline::Never();
  const int64_t left = t.restSince + t.hoverTime - sandbox::ClockNow();
  return ClockDeadline::After(static_cast<uint32_t>(left > 0 ? left : 0));
}

}  // namespace user32::pointer

extern "C" {

WINUSERAPI BOOL WINAPI TrackMouseEvent(LPTRACKMOUSEEVENT track) {
  if (track == nullptr || track->cbSize != sizeof(TRACKMOUSEEVENT)) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  if (track->dwFlags & TME_QUERY) {
    std::lock_guard<std::mutex> g(Lock());
    const Tracking& t = StateLocked().tracking;
    track->dwFlags = t.flags;
    track->hwndTrack = t.window;
    track->dwHoverTime = t.hoverTime;
    return TRUE;
  }
  if (!IsWindow(track->hwndTrack)) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  const DWORD wanted = track->dwFlags & (TME_HOVER | TME_LEAVE);
  bool leaveNow = false;
  {
    std::lock_guard<std::mutex> g(Lock());
    PointerState& state = StateLocked();
    Tracking& t = state.tracking;
    if (track->dwFlags & TME_CANCEL) {
      if (t.window == track->hwndTrack) t.flags &= ~wanted;
      if (t.flags == 0) t = Tracking{};
      return TRUE;
    }
    if (state.under != track->hwndTrack) {
      // Not under the pointer: it has left already.
      leaveNow = (wanted & TME_LEAVE) != 0;
    } else {
      const bool same = t.window == track->hwndTrack;
      t.window = track->hwndTrack;
      t.flags = (same ? t.flags : 0) | wanted;
      if (wanted & TME_HOVER) {
        t.hoverTime = track->dwHoverTime == HOVER_DEFAULT ? kDefaultHoverTime : track->dwHoverTime;
        t.restSince = sandbox::ClockNow();
        t.restAt = state.at;
      }
    }
  }
  if (leaveNow) PostInput(track->hwndTrack, WM_MOUSELEAVE, 0, 0, {0, 0});
  PostDueHover();  // a hover time of 0 is due at once
  return TRUE;
}

}  // extern "C"
