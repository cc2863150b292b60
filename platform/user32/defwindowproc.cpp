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
      // The client area's size and origin (in the parent's client coordinates), which differ from
      // the window rectangle's by the frame.
      RECT client, outer;
      GetClientRect(window, &client);
      GetWindowRect(window, &outer);
      POINT origin{0, 0};
      ClientToScreen(window, &origin);
      const POINT inset{origin.x - outer.left, origin.y - outer.top};
      if ((pos->flags & SWP_NOSIZE) == 0) {
        const WPARAM kind = IsZoomed(window) ? SIZE_MAXIMIZED : IsIconic(window) ? SIZE_MINIMIZED : SIZE_RESTORED;
        SendMessage(window, WM_SIZE, kind, MAKELPARAM(client.right, client.bottom));
      }
      if ((pos->flags & SWP_NOMOVE) == 0)
        SendMessage(window, WM_MOVE, 0, MAKELPARAM(pos->x + inset.x, pos->y + inset.y));
      return 0;
    }
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_CONTEXTMENU: {
      // A child passes it on to its parent.
      const HWND parent = (GetWindowLong(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
      if (parent != nullptr) SendMessage(parent, WM_CONTEXTMENU, wParam, lParam);
      return 0;
    }
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
    case WM_NCHITTEST: {
      // Inside the window: the client area, else its frame (the strip above the client area is
      // the caption).
      RECT r;
      GetWindowRect(window, &r);
      const POINT at{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
      if (at.x < r.left || at.x >= r.right || at.y < r.top || at.y >= r.bottom) return HTNOWHERE;
      RECT client;
      GetClientRect(window, &client);
      POINT origin{0, 0};
      ClientToScreen(window, &origin);
      if (at.x >= origin.x && at.x < origin.x + client.right && at.y >= origin.y && at.y < origin.y + client.bottom)
        return HTCLIENT;
      return at.y < origin.y ? HTCAPTION : HTBORDER;
    }
    case WM_HELP: {
      // A child passes it to its parent, a top-level window to its owner.
      const HWND up = (GetWindowLong(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : GetWindow(window, GW_OWNER);
      return up != nullptr ? SendMessage(up, WM_HELP, wParam, lParam) : 0;
    }
    case WM_SETCURSOR: {
      // A child's parent decides first; then the class's cursor over the client area.
      const HWND parent = (GetWindowLong(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
      if (parent != nullptr && SendMessage(parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
      if (static_cast<SHORT>(LOWORD(lParam)) != HTCLIENT) return FALSE;
      HCURSOR cursor = reinterpret_cast<HCURSOR>(GetClassLongPtr(window, GCLP_HCURSOR));
      if (cursor == nullptr) return FALSE;
      SetCursor(cursor);
      return TRUE;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      // Edits and list boxes on the window colour, everything else on the button face.
      const auto dc = reinterpret_cast<HDC>(wParam);
      const bool window_ = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(window_ ? COLOR_WINDOW : COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(window_ ? COLOR_WINDOW : COLOR_BTNFACE));
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
