// DefWindowProc: the default answer to the messages the window manager itself gives meaning.
#include "painting.h"

using namespace user32;

namespace {

void SetTitle(HWND window, LPCSTR text) {
  std::lock_guard<std::mutex> g(Lock());
  if (auto w = FindLocked(window)) w->title = text != nullptr ? text : "";
}

}  // namespace

extern "C" {

WINUSERAPI LRESULT WINAPI DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
      if (cs != nullptr && cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName)) SetTitle(window, cs->lpszName);
      return TRUE;
    }
    case WM_SETTEXT:
      SetTitle(window, reinterpret_cast<LPCSTR>(lParam));
      return TRUE;
    case WM_GETTEXT: {
      std::string title;
      {
        std::lock_guard<std::mutex> g(Lock());
        auto w = FindLocked(window);
        if (!w) return 0;
        title = w->title;
      }
      return CopyText(title, reinterpret_cast<LPSTR>(lParam), static_cast<int>(wParam));
    }
    case WM_GETTEXTLENGTH: {
      std::lock_guard<std::mutex> g(Lock());
      auto w = FindLocked(window);
      return w ? static_cast<LRESULT>(w->title.size()) : 0;
    }
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) SendMessage(window, WM_CLOSE, 0, 0);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(window)) SetFocus(window);
      return 0;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (pos == nullptr) return 0;
      if ((pos->flags & SWP_NOSIZE) == 0) {
        const WPARAM kind = IsZoomed(window) ? SIZE_MAXIMIZED : IsIconic(window) ? SIZE_MINIMIZED : SIZE_RESTORED;
        SendMessage(window, WM_SIZE, kind, MAKELPARAM(pos->cx, pos->cy));
      }
      if ((pos->flags & SWP_NOMOVE) == 0) SendMessage(window, WM_MOVE, 0, MAKELPARAM(pos->x, pos->y));
      return 0;
    }
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (BeginPaint(window, &paint)) EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND: {
      // The class's brush over what the DC may draw; no brush, nothing erased.
      HBRUSH brush = reinterpret_cast<HBRUSH>(GetClassLongPtr(window, GCLP_HBRBACKGROUND));
      if (brush == nullptr) return 0;
      RECT box;
      const auto dc = reinterpret_cast<HDC>(wParam);
      GetClipBox(dc, &box);
      FillRect(dc, &box, brush);
      return 1;
    }
    case WM_SETREDRAW: {
      std::lock_guard<std::mutex> g(Lock());
      if (auto w = FindLocked(window)) w->redraw = wParam != FALSE;
      return 0;
    }
    default:
      return 0;
  }
}

}  // extern "C"
