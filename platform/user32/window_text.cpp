// Window titles: GetWindowText, GetWindowTextLength, SetWindowText.
#include "user_state.h"

using namespace user32;

namespace {

// Whether the calling thread may ask the window itself (a message); else the stored title is read.
bool AskTheWindow(const Window& window) { return window.thread == GetCurrentThreadId(); }

}  // namespace

extern "C" {

WINUSERAPI int WINAPI GetWindowText(HWND window, LPSTR text, int maxCount) {
  if (text != nullptr && maxCount > 0) text[0] = '\0';
  auto w = Find(window);
  if (!w || text == nullptr || maxCount <= 0) return 0;
  if (AskTheWindow(*w)) {
    const LRESULT copied = SendMessage(window, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(text));
    return static_cast<int>(copied);
  }
  std::string title;
  {
    std::lock_guard<std::mutex> g(Lock());
    title = w->title;
  }
  return CopyText(title, text, maxCount);
}

WINUSERAPI int WINAPI GetWindowTextLength(HWND window) {
  auto w = Find(window);
  if (!w) return 0;
  if (AskTheWindow(*w)) return static_cast<int>(SendMessage(window, WM_GETTEXTLENGTH, 0, 0));
  std::lock_guard<std::mutex> g(Lock());
  return static_cast<int>(w->title.size());
}

WINUSERAPI BOOL WINAPI SetWindowText(HWND window, LPCSTR text) {
  if (!Find(window)) return FALSE;
  return SendMessage(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

}  // extern "C"
