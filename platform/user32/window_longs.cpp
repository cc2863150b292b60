// Window data: GetWindowLong(Ptr), SetWindowLong(Ptr) and CallWindowProc. The pointer-sized
// indexes (procedure, instance, parent, user data) have only the Ptr forms, as on 64-bit Windows.
#include <cstring>

#include "user_state.h"

using namespace user32;

namespace {

bool PointerIndex(int index) {
  return index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT || index == GWLP_USERDATA;
}

bool ExtraFits(const Window& w, int index, size_t size) {
  return index >= 0 && static_cast<size_t>(index) + size <= w.extra.size();
}

// Reads the value of an index; false (with ERROR_INVALID_INDEX) when the window has no such index.
bool ReadLocked(const Window& w, int index, size_t size, LONG_PTR& value) {
  switch (index) {
    case GWLP_WNDPROC: value = reinterpret_cast<LONG_PTR>(w.proc); return true;
    case GWLP_HINSTANCE: value = reinterpret_cast<LONG_PTR>(w.instance); return true;
    case GWLP_HWNDPARENT:
      value = reinterpret_cast<LONG_PTR>((w.style & WS_CHILD) ? w.parent : w.owner);
      return true;
    case GWLP_ID: value = w.id; return true;
    case GWL_STYLE: value = static_cast<LONG>(w.style); return true;
    case GWL_EXSTYLE: value = static_cast<LONG>(w.exStyle); return true;
    case GWLP_USERDATA: value = w.userData; return true;
    default:
      if (!ExtraFits(w, index, size)) return Fail(ERROR_INVALID_INDEX, false);
      if (size == sizeof(LONG)) {
        LONG v;
        std::memcpy(&v, w.extra.data() + index, sizeof v);
        value = v;
      } else {
        std::memcpy(&value, w.extra.data() + index, sizeof value);
      }
      return true;
  }
}

LONG_PTR Get(HWND window, int index, size_t size) {
  auto w = Find(window);
  if (!w) return 0;
  std::lock_guard<std::mutex> g(Lock());
  LONG_PTR value = 0;
  return ReadLocked(*w, index, size, value) ? value : 0;
}

// A change of the styles is announced: WM_STYLECHANGING (the procedure may alter the new value),
// then WM_STYLECHANGED.
LONG_PTR SetStyle(HWND window, int index, DWORD value) {
  auto w = Find(window);
  if (!w) return 0;
  DWORD old;
  {
    std::lock_guard<std::mutex> g(Lock());
    old = index == GWL_STYLE ? w->style : w->exStyle;
  }
  STYLESTRUCT change{old, value};
  SendMessage(window, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
  {
    std::lock_guard<std::mutex> g(Lock());
    (index == GWL_STYLE ? w->style : w->exStyle) = change.styleNew;
  }
  SendMessage(window, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
  return static_cast<LONG>(old);
}

LONG_PTR Set(HWND window, int index, LONG_PTR value, size_t size) {
  if (index == GWL_STYLE || index == GWL_EXSTYLE) return SetStyle(window, index, static_cast<DWORD>(value));
  auto w = Find(window);
  if (!w) return 0;
  std::lock_guard<std::mutex> g(Lock());
  LONG_PTR old = 0;
  if (!ReadLocked(*w, index, size, old)) return 0;
  switch (index) {
    case GWLP_WNDPROC:
      if (value == 0) return Fail<LONG_PTR>(ERROR_INVALID_PARAMETER, 0);
      w->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); break;
    case GWLP_HWNDPARENT:
      // A child's parent changes through SetParent; this sets a top-level window's owner.
      if (w->style & WS_CHILD) return Fail<LONG_PTR>(ERROR_INVALID_PARAMETER, 0);
      w->owner = reinterpret_cast<HWND>(value);
      break;
    case GWLP_ID: w->id = value; break;
    case GWLP_USERDATA: w->userData = value; break;
    default:
      if (size == sizeof(LONG)) {
        const LONG v = static_cast<LONG>(value);
        std::memcpy(w->extra.data() + index, &v, sizeof v);
      } else {
        std::memcpy(w->extra.data() + index, &value, sizeof value);
      }
  }
  return old;
}

}  // namespace

extern "C" {

WINUSERAPI LONG WINAPI GetWindowLong(HWND window, int index) {
  if (PointerIndex(index)) return Fail(ERROR_INVALID_INDEX, 0);
  return static_cast<LONG>(Get(window, index, sizeof(LONG)));
}

WINUSERAPI LONG WINAPI SetWindowLong(HWND window, int index, LONG newLong) {
  if (PointerIndex(index)) return Fail(ERROR_INVALID_INDEX, 0);
  return static_cast<LONG>(Set(window, index, newLong, sizeof(LONG)));
}

WINUSERAPI LONG_PTR WINAPI GetWindowLongPtr(HWND window, int index) { return Get(window, index, sizeof(LONG_PTR)); }

WINUSERAPI LONG_PTR WINAPI SetWindowLongPtr(HWND window, int index, LONG_PTR newLong) {
  return Set(window, index, newLong, sizeof(LONG_PTR));
}

WINUSERAPI LRESULT WINAPI CallWindowProc(WNDPROC prevWndFunc, HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
  return prevWndFunc != nullptr ? prevWndFunc(window, message, wParam, lParam) : 0;
}

}  // extern "C"
