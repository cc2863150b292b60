// Enumerating and finding windows. Each enumeration takes its list first, so the callback may
// create and destroy windows; a window destroyed before its turn is skipped.
#include <algorithm>

#include "user_state.h"

using namespace user32;

namespace {

void CollectDescendantsLocked(HWND window, std::vector<HWND>& out) {
  auto w = FindLocked(window);
  if (!w) return;
  for (HWND child : w->children) {
    out.push_back(child);
    CollectDescendantsLocked(child, out);
  }
}

BOOL Enumerate(const std::vector<HWND>& windows, WNDENUMPROC enumFunc, LPARAM lParam) {
  for (HWND window : windows)
    if (IsWindow(window) && !enumFunc(window, lParam)) return FALSE;
  return TRUE;
}

bool ClassMatchesLocked(const Window& window, LPCSTR className) {
  if (className == nullptr) return true;
  if (IS_INTRESOURCE(className))
    return window.windowClass->atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(className));
  return EqualNoCase(window.windowClass->name, className);
}

}  // namespace

extern "C" {

WINUSERAPI BOOL WINAPI EnumWindows(WNDENUMPROC enumFunc, LPARAM lParam) {
  if (enumFunc == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::vector<HWND> windows;
  {
    std::lock_guard<std::mutex> g(Lock());
    windows = FindLocked(S().desktop)->children;
  }
  return Enumerate(windows, enumFunc, lParam);
}

WINUSERAPI BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC enumFunc, LPARAM lParam) {
  if (parent == nullptr) return EnumWindows(enumFunc, lParam);
  if (enumFunc == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  if (!Find(parent)) return FALSE;
  std::vector<HWND> windows;
  {
    std::lock_guard<std::mutex> g(Lock());
    CollectDescendantsLocked(parent, windows);
  }
  return Enumerate(windows, enumFunc, lParam);
}

// FALSE also when the thread has no top-level window, as documented.
WINUSERAPI BOOL WINAPI EnumThreadWindows(DWORD threadId, WNDENUMPROC enumFunc, LPARAM lParam) {
  if (enumFunc == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::vector<HWND> windows;
  {
    std::lock_guard<std::mutex> g(Lock());
    for (HWND window : FindLocked(S().desktop)->children)
      if (FindLocked(window)->thread == threadId) windows.push_back(window);
  }
  return !windows.empty() && Enumerate(windows, enumFunc, lParam);
}

WINUSERAPI HWND WINAPI FindWindowEx(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) {
  if (parent == HWND_MESSAGE) STANDIN_UNMODELLED_LASTERROR(nullptr);
  std::lock_guard<std::mutex> g(Lock());
  auto p = FindLocked(parent != nullptr ? parent : S().desktop);
  if (!p) return Fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
  auto at = p->children.begin();
  if (childAfter != nullptr) {
    at = std::find(p->children.begin(), p->children.end(), childAfter);
    if (at == p->children.end()) return Fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
    ++at;
  }
  for (; at != p->children.end(); ++at) {
    auto w = FindLocked(*at);
    if (ClassMatchesLocked(*w, className) && (windowName == nullptr || EqualNoCase(w->title, windowName)))
      return w->handle;
  }
  return nullptr;
}

WINUSERAPI HWND WINAPI FindWindow(LPCSTR className, LPCSTR windowName) {
  return FindWindowEx(nullptr, nullptr, className, windowName);
}

}  // extern "C"
