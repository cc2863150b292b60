// Mouse capture: one capture window for the process (there is one pointer), which gets every mouse
// message until it is released; WM_CAPTURECHANGED to the window that loses it. A thread waiting for
// input while it holds the capture asks the scripted user, so no tracking loop waits forever.
#include "capture.h"

#include "pointer.h"

using namespace user32;

namespace user32::capture {
namespace {

// Clears the capture when `from` holds it and tells `from`, naming the new holder.
void Lose(HWND from, HWND to) {
  {
    std::lock_guard<std::mutex> g(Lock());
    pointer::PointerState& state = pointer::StateLocked();
    if (state.capture != from) return;
    state.capture = to;
  }
  SendMessage(from, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(to));
}

std::string TitleOf(HWND window) {
  char title[256] = "";
  GetWindowText(window, title, sizeof title);
  return title;
}

}  // namespace

bool AnswerCapturedWait() {
  const HWND capture = GetCapture();
  if (capture == nullptr) return false;
  sandbox::Modal modal;
  modal.kind = "Capture";
  modal.caption = TitleOf(capture);
  const sandbox::Answer answer = sandbox::internal::Ask(modal, 0);
  if (answer.action) {
    answer.action(capture);
    return true;
  }
  // Nobody moves the pointer any more: the capture goes, as when the system hands the pointer to
  // another window, and the waiting loop is woken to notice.
  Lose(capture, nullptr);
  PostMessage(capture, WM_NULL, 0, 0);
  return true;
}

void ReleaseWithTree(HWND window) {
  HWND capture;
  {
    std::lock_guard<std::mutex> g(Lock());
    capture = pointer::CaptureLocked();
    if (capture == nullptr || (capture != window && !IsDescendantLocked(window, capture))) return;
  }
  Lose(capture, nullptr);
}

}  // namespace user32::capture

extern "C" {

WINUSERAPI HWND WINAPI SetCapture(HWND window) {
  auto w = Find(window);
  if (!w) return nullptr;
  if (w->thread != GetCurrentThreadId()) return Fail<HWND>(ERROR_ACCESS_DENIED, nullptr);
  HWND previous;
  {
    std::lock_guard<std::mutex> g(Lock());
    previous = pointer::CaptureLocked();
    if (previous == window) return previous;
    if (previous == nullptr) pointer::StateLocked().capture = window;
  }
  if (previous != nullptr) capture::Lose(previous, window);
  return previous;
}

WINUSERAPI BOOL WINAPI ReleaseCapture() {
  const HWND capture = GetCapture();
  if (capture != nullptr) capture::Lose(capture, nullptr);
  return TRUE;
}

WINUSERAPI HWND WINAPI GetCapture() {
  std::lock_guard<std::mutex> g(Lock());
  const HWND capture = pointer::CaptureLocked();
  if (capture == nullptr) return nullptr;
  auto w = FindLocked(capture);
  return w && w->thread == GetCurrentThreadId() ? capture : nullptr;
}

}  // extern "C"
