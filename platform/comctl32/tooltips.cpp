// The tooltip control: tools, relayed mouse messages, the initial delay through the window's
// timer, and the tip painted in the tooltip colours. Each control's state lives in a table by
// window, made at WM_NCCREATE and dropped at WM_NCDESTROY or when a sandbox reset (or a thread's
// end) takes the windows away without a message.
#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sandbox/comctl32.h"
#include "sandbox/internal.h"
#include "control_table.h"
#include "tooltips.h"

namespace comctl32 {
namespace {

constexpr UINT_PTR kInitialTimer = 1, kAutoPopTimer = 2;
constexpr int kMarginX = 4, kMarginY = 2, kBelowPointer = 20;

struct Tool {
  UINT flags = 0;
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  RECT rect{0, 0, 0, 0};
  std::string text;
};

struct Tip {
  bool active = true;
  std::vector<Tool> tools;
  int current = -1;  // the tool the pointer is on
  bool shown = false;
  std::string text;  // what the tip shows (or showed last)
  int maxWidth = -1;
};

ControlTable<Tip>& T() {
  static auto* table = new ControlTable<Tip>("comctl32.tooltips");
  return *table;
}

struct Registration {
  Registration() { T(); }  // the reset is registered as the module loads
} g_registration;

Tip* TipOf(HWND window) { return T().Find(window); }

std::string TextOf(const TOOLINFO& info) {
  if (info.lpszText == nullptr) return std::string();
  if (info.lpszText == LPSTR_TEXTCALLBACK) {
    sandbox::internal::ReportUnmodelled("tooltip text callbacks (LPSTR_TEXTCALLBACK)");
    return std::string();
  }
  if (IS_INTRESOURCE(info.lpszText)) {
    char text[1024] = "";
    LoadString(info.hinst, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(info.lpszText)), text, sizeof text);
    return text;
  }
  return info.lpszText;
}

// MFC passes the older, shorter structure (without lParam); both are taken.
bool Valid(const TOOLINFO* info) { return info != nullptr && info->cbSize >= offsetof(TOOLINFO, lParam); }

int FindTool(const Tip& tip, const TOOLINFO& info) {
  for (size_t i = 0; i < tip.tools.size(); ++i)
    if (tip.tools[i].hwnd == info.hwnd && tip.tools[i].id == info.uId) return static_cast<int>(i);
  return -1;
}

// The tool under the point of a relayed message (client coordinates of msg.hwnd).
int ToolAt(const Tip& tip, const MSG& msg) {
  POINT at{static_cast<SHORT>(LOWORD(msg.lParam)), static_cast<SHORT>(HIWORD(msg.lParam))};
  for (size_t i = 0; i < tip.tools.size(); ++i) {
    const Tool& tool = tip.tools[i];
    RECT area = tool.rect;
    POINT p = at;
    if (tool.flags & TTF_IDISHWND) {
      const HWND toolWindow = reinterpret_cast<HWND>(tool.id);
      if (!IsWindow(toolWindow)) continue;
      ClientToScreen(msg.hwnd, &p);
      ScreenToClient(toolWindow, &p);
      GetClientRect(toolWindow, &area);
    } else if (msg.hwnd != tool.hwnd) {
      continue;
    }
    if (p.x >= area.left && p.x < area.right && p.y >= area.top && p.y < area.bottom) return static_cast<int>(i);
  }
  return -1;
}

void Hide(HWND window, Tip& tip) {
  KillTimer(window, kAutoPopTimer);
  if (!tip.shown) return;
  tip.shown = false;
  ShowWindow(window, SW_HIDE);
}

// The text's rectangle in the tip's font: one line, or broken between words at the maximum width.
RECT TextRect(const Tip& tip) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  RECT r{0, 0, tip.maxWidth >= 0 ? tip.maxWidth : 0, 0};
  DrawText(dc, tip.text.c_str(), -1, &r, DT_CALCRECT | (tip.maxWidth >= 0 ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return r;
}

void Show(HWND window, Tip& tip) {
  if (!tip.active || tip.current < 0) return;
  tip.text = tip.tools[static_cast<size_t>(tip.current)].text;
  if (tip.text.empty()) {
    Hide(window, tip);
    return;
  }
  const RECT text = TextRect(tip);
  POINT at{0, 0};
  GetCursorPos(&at);
  SetWindowPos(window, HWND_TOPMOST, at.x, at.y + kBelowPointer, text.right - text.left + 2 * kMarginX,
               text.bottom - text.top + 2 * kMarginY, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(window, nullptr, TRUE);
  tip.shown = true;
  SetTimer(window, kAutoPopTimer, 10 * GetDoubleClickTime(), nullptr);
}

void Relay(HWND window, Tip& tip, const MSG* msg) {
  if (msg == nullptr) return;
  if (msg->message >= WM_LBUTTONDOWN && msg->message <= WM_RBUTTONDBLCLK) {
    KillTimer(window, kInitialTimer);
    Hide(window, tip);
    return;
  }
  if (msg->message != WM_MOUSEMOVE) return;
  const int hit = ToolAt(tip, *msg);
  if (hit != tip.current) {
    Hide(window, tip);
    tip.current = hit;
  } else if (tip.shown) {
    return;  // moving within the tool keeps the tip up
  }
  // The pointer must rest on the tool for the initial delay; every move starts it again.
  if (hit >= 0 && tip.active)
    SetTimer(window, kInitialTimer, GetDoubleClickTime(), nullptr);
  else
    KillTimer(window, kInitialTimer);
}

void Paint(HWND window, const Tip& tip) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc == nullptr) return;
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  SetBkMode(dc, TRANSPARENT);
  RECT text{client.left + kMarginX, client.top + kMarginY, client.right - kMarginX, client.bottom - kMarginY};
  DrawText(dc, tip.text.c_str(), -1, &text, tip.maxWidth >= 0 ? DT_WORDBREAK : DT_SINGLELINE);
  SelectObject(dc, old);
  EndPaint(window, &ps);
}

LRESULT Command(HWND window, Tip& tip, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* info = reinterpret_cast<TOOLINFO*>(lParam);
  switch (message) {
    case TTM_ACTIVATE:
      tip.active = wParam != FALSE;
      if (!tip.active) {
        KillTimer(window, kInitialTimer);
        Hide(window, tip);
      }
      return 0;
    case TTM_ADDTOOL: {
      if (!Valid(info)) return FALSE;
      tip.tools.push_back({info->uFlags, info->hwnd, info->uId, info->rect, TextOf(*info)});
      return TRUE;
    }
    case TTM_DELTOOL: {
      const int index = Valid(info) ? FindTool(tip, *info) : -1;
      if (index < 0) return 0;
      if (index == tip.current) {
        Hide(window, tip);
        tip.current = -1;
      } else if (index < tip.current) {
        --tip.current;
      }
      tip.tools.erase(tip.tools.begin() + index);
      return 0;
    }
    case TTM_UPDATETIPTEXT: {
      const int index = Valid(info) ? FindTool(tip, *info) : -1;
      if (index < 0) return 0;
      tip.tools[static_cast<size_t>(index)].text = TextOf(*info);
      if (index == tip.current && tip.shown) Show(window, tip);
      return 0;
    }
    case TTM_GETTOOLCOUNT:
      return static_cast<LRESULT>(tip.tools.size());
    case TTM_RELAYEVENT:
      Relay(window, tip, reinterpret_cast<const MSG*>(lParam));
      return 0;
    case TTM_SETMAXTIPWIDTH: {
      const int previous = tip.maxWidth;
      tip.maxWidth = static_cast<int>(lParam);
      return previous;
    }
    case TTM_GETMAXTIPWIDTH:
      return tip.maxWidth;
    case TTM_POP:
      KillTimer(window, kInitialTimer);
      Hide(window, tip);
      return 0;
    default:
      sandbox::internal::ReportUnmodelled("tooltip message (TTM_*) not modelled");
      return 0;
  }
}

LRESULT CALLBACK ToolTipProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    T().Make(window);
  }
  Tip* tip = TipOf(window);
  if (tip == nullptr) return DefWindowProc(window, message, wParam, lParam);
  if (message >= WM_USER && message < WM_USER + 0x40) return Command(window, *tip, message, wParam, lParam);
  switch (message) {
    case WM_TIMER:
      if (wParam == kInitialTimer) {
        KillTimer(window, kInitialTimer);
        Show(window, *tip);
      } else if (wParam == kAutoPopTimer) {
        Hide(window, *tip);
      }
      return 0;
    case WM_PAINT:
      Paint(window, *tip);
      return 0;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_NCDESTROY:
      T().Drop(window);
      break;
    default:
      break;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

bool RegisterToolTipClass() {
  WNDCLASS wc{};
  if (GetClassInfo(nullptr, TOOLTIPS_CLASS, &wc)) return true;
  wc.style = CS_DBLCLKS | CS_SAVEBITS | CS_GLOBALCLASS;
  wc.lpfnWndProc = ToolTipProc;
  wc.hInstance = GetModuleHandle("comctl32.dll");
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = TOOLTIPS_CLASS;
  return RegisterClass(&wc) != 0;
}

}  // namespace comctl32

namespace sandbox {

ToolTipView ToolTipOf(const void* window) {
  const HWND handle = static_cast<HWND>(const_cast<void*>(window));
  char name[64] = "";
  if (!IsWindow(handle) || GetClassName(handle, name, sizeof name) == 0 || std::string(name) != TOOLTIPS_CLASS) {
    internal::Fail("ToolTipOf: the window is no tooltip control");
    return {};
  }
  const comctl32::Tip* tip = comctl32::TipOf(handle);
  if (tip == nullptr) return {};
  RECT r{};
  GetWindowRect(handle, &r);
  return {tip->shown, tip->text, tip->maxWidth, r.right - r.left};
}

}  // namespace sandbox
