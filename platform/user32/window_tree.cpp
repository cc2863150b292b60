// The window tree and the z-order: the desktop, siblings, parents, owners and ancestors.
#include <algorithm>

#include "user_state.h"

using namespace user32;

namespace {

// The sibling `step` places away from the window in its parent's z-order, or null.
HWND SiblingLocked(const Window& window, int which) {
  auto parent = FindLocked(window.parent);
  if (!parent || !window.linked || parent->children.empty()) return nullptr;
  const auto& siblings = parent->children;
  if (which == GW_HWNDFIRST) return siblings.front();
  if (which == GW_HWNDLAST) return siblings.back();
  auto at = std::find(siblings.begin(), siblings.end(), window.handle);
  if (which == GW_HWNDNEXT) return at + 1 < siblings.end() ? *(at + 1) : nullptr;
  return at != siblings.begin() ? *(at - 1) : nullptr;  // GW_HWNDPREV
}

HWND ParentOfLocked(const Window& window) {
  if (window.style & WS_CHILD) return window.parent;
  if (window.style & WS_POPUP) return window.owner;
  return nullptr;
}

}  // namespace

extern "C" {

WINUSERAPI HWND WINAPI GetDesktopWindow() {
  std::lock_guard<std::mutex> g(Lock());
  return S().desktop;
}

WINUSERAPI HWND WINAPI GetTopWindow(HWND window) {
  if (window == nullptr) window = GetDesktopWindow();
  auto w = Find(window);
  if (!w) return nullptr;
  std::lock_guard<std::mutex> g(Lock());
  return w->children.empty() ? nullptr : w->children.front();
}

WINUSERAPI HWND WINAPI GetWindow(HWND window, UINT command) {
  if (command == GW_ENABLEDPOPUP) STANDIN_UNMODELLED_LASTERROR(nullptr);
  auto w = Find(window);
  if (!w) return nullptr;
  std::lock_guard<std::mutex> g(Lock());
  switch (command) {
    case GW_HWNDFIRST:
    case GW_HWNDLAST:
    case GW_HWNDNEXT:
    case GW_HWNDPREV: return SiblingLocked(*w, static_cast<int>(command));
    case GW_OWNER: return w->owner;
    case GW_CHILD: return w->children.empty() ? nullptr : w->children.front();
    default: return Fail<HWND>(ERROR_INVALID_PARAMETER, nullptr);
  }
}

WINUSERAPI HWND WINAPI GetParent(HWND window) {
  auto w = Find(window);
  if (!w) return nullptr;
  std::lock_guard<std::mutex> g(Lock());
  return ParentOfLocked(*w);
}

// The window moves to the top of its new parent's children; its WS_CHILD style stays as it is,
// as documented. A parent inside the window's own subtree is refused.
WINUSERAPI HWND WINAPI SetParent(HWND child, HWND newParent) {
  auto w = Find(child);
  if (!w) return nullptr;
  std::lock_guard<std::mutex> g(Lock());
  if (newParent == nullptr) newParent = S().desktop;
  if (!FindLocked(newParent)) return Fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
  if (child == S().desktop || newParent == child || IsDescendantLocked(child, newParent))
    return Fail<HWND>(ERROR_INVALID_PARAMETER, nullptr);
  const HWND previous = w->parent;
  LinkLocked(*w, newParent, HWND_TOP);
  return previous;
}

WINUSERAPI HWND WINAPI GetAncestor(HWND window, UINT flags) {
  auto w = Find(window);
  if (!w) return nullptr;
  std::lock_guard<std::mutex> g(Lock());
  if (window == S().desktop) return nullptr;
  switch (flags) {
    case GA_PARENT: return w->parent;
    case GA_ROOT: return RootLocked(window);
    case GA_ROOTOWNER: {
      HWND root = RootLocked(window);
      for (auto r = FindLocked(root); r; r = FindLocked(ParentOfLocked(*r))) root = r->handle;
      return root;
    }
    default: return Fail<HWND>(ERROR_INVALID_PARAMETER, nullptr);
  }
}

// A descendant through the chain of child windows (an owned window is no child).
WINUSERAPI BOOL WINAPI IsChild(HWND parent, HWND window) {
  std::lock_guard<std::mutex> g(Lock());
  for (auto w = FindLocked(window); w && (w->style & WS_CHILD); w = FindLocked(w->parent))
    if (w->parent == parent) return TRUE;
  return FALSE;
}

WINUSERAPI DWORD WINAPI GetWindowThreadProcessId(HWND window, LPDWORD processId) {
  auto w = Find(window);
  if (!w) return 0;
  if (processId != nullptr) *processId = GetCurrentProcessId();
  return w->thread;
}

}  // extern "C"
