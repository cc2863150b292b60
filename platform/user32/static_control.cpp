// The static control ("Static"): text painted in its font over the brush its parent answers to
// WM_CTLCOLORSTATIC, black rectangles, and STN_CLICKED for SS_NOTIFY statics. Its font lives in
// its first window slot, as the platform keeps it.
#include "user_state.h"

namespace user32 {
namespace {

constexpr int kFontSlot = 0;

HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(GetWindowLongPtr(window, kFontSlot)); }

// DrawText's format for the text styles, as the platform's static control chooses it; 0 for the
// styles that show no text.
UINT TextFormat(DWORD style) {
  UINT format;
  switch (style & SS_TYPEMASK) {
    case SS_LEFT: format = DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK; break;
    case SS_CENTER: format = DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK; break;
    case SS_RIGHT: format = DT_RIGHT | DT_EXPANDTABS | DT_WORDBREAK; break;
    case SS_SIMPLE: format = DT_LEFT | DT_SINGLELINE; break;
    case SS_LEFTNOWORDWRAP: format = DT_LEFT | DT_EXPANDTABS; break;
    default: return 0;
  }
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  if ((style & SS_TYPEMASK) != SS_SIMPLE && (style & SS_CENTERIMAGE)) format |= DT_SINGLELINE | DT_VCENTER;
  return format;
}

void PaintText(HWND window, HDC dc, DWORD style) {
  RECT client;
  GetClientRect(window, &client);
  const HWND parent = GetParent(window);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessage(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
  if (brush == nullptr)
    brush = reinterpret_cast<HBRUSH>(
        DefWindowProc(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
  FillRect(dc, &client, brush);
  if (HFONT font = FontOf(window)) SelectObject(dc, font);
  if (!IsWindowEnabled(window)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  const int length = GetWindowTextLength(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  GetWindowText(window, text.data(), length + 1);
  DrawText(dc, text.c_str(), -1, &client, TextFormat(style));
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc == nullptr) return;
  const auto style = static_cast<DWORD>(GetWindowLong(window, GWL_STYLE));
  if ((style & SS_TYPEMASK) == SS_BLACKRECT) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
  } else if (TextFormat(style) != 0) {
    PaintText(window, dc, style);
  } else {
    ::sandbox::internal::ReportUnmodelled("Static control of this style (icon, bitmap, frame, owner-drawn)");
  }
  EndPaint(window, &ps);
}

void Notify(HWND window, WORD code) {
  if (!(GetWindowLong(window, GWL_STYLE) & SS_NOTIFY)) return;
  SendMessage(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), code), reinterpret_cast<LPARAM>(window));
}

}  // namespace

LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST:
      if (!(GetWindowLong(window, GWL_STYLE) & SS_NOTIFY)) return HTTRANSPARENT;
      break;
    case WM_LBUTTONDOWN:
      Notify(window, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      Notify(window, STN_DBLCLK);
      return 0;
    case WM_SETFONT:
      SetWindowLongPtr(window, kFontSlot, static_cast<LONG_PTR>(wParam));
      if (LOWORD(lParam)) InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(FontOf(window));
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProc(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, TRUE);
      return result;
    }
    case WM_ENABLE:
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the background is painted with the text
    case WM_PAINT:
      Paint(window);
      return 0;
    default:
      break;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace user32
