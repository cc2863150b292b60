// The edit control ("Edit"): its text is the window's text. WM_SETTEXT tells a single-line edit's
// parent EN_CHANGE; EM_LIMITTEXT limits what a user may enter (the sandbox's user), not what the
// program sets. Painted plainly: the window colour (or the parent's WM_CTLCOLOREDIT brush; a
// read-only or disabled edit asks WM_CTLCOLORSTATIC), a sunken edge with WS_EX_CLIENTEDGE or a
// line with WS_BORDER, the text inset by 2 pixels (asterisks for ES_PASSWORD).
#include <algorithm>

#include "controls.h"

namespace user32::controls {
namespace {

constexpr UINT kDefaultLimit = 32767;

struct Edit {
  HFONT font = nullptr;
  UINT limit = kDefaultLimit;
  int selStart = 0, selEnd = 0;
  bool modified = false;
};

PerWindow<Edit> g_edits;

struct Registration {
  Registration() {
    OnReset("user32.edits", [] { g_edits.Clear(); });
  }
} g_registration;

LONG StyleOf(HWND window) { return GetWindowLong(window, GWL_STYLE); }

void FillWith(HDC dc, RECT r, int color) { FillRect(dc, &r, GetSysColorBrush(color)); }

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc == nullptr) return;
  const std::shared_ptr<Edit> state = g_edits.Get(window);
  const LONG style = StyleOf(window);
  const bool enabled = IsWindowEnabled(window) != FALSE;
  const bool readOnly = (style & ES_READONLY) != 0 || !enabled;
  HBRUSH brush = readOnly ? ParentBrush(window, dc, WM_CTLCOLORSTATIC, COLOR_BTNFACE)
                          : ParentBrush(window, dc, WM_CTLCOLOREDIT, COLOR_WINDOW);
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  RECT r;
  GetClientRect(window, &r);
  FillRect(dc, &r, brush);
  if (GetWindowLong(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  } else if (style & WS_BORDER) {
    FillWith(dc, {r.left, r.top, r.right, r.top + 1}, COLOR_WINDOWFRAME);
    FillWith(dc, {r.left, r.bottom - 1, r.right, r.bottom}, COLOR_WINDOWFRAME);
    FillWith(dc, {r.left, r.top, r.left + 1, r.bottom}, COLOR_WINDOWFRAME);
    FillWith(dc, {r.right - 1, r.top, r.right, r.bottom}, COLOR_WINDOWFRAME);
    InflateRect(&r, -1, -1);
  }
  InflateRect(&r, -2, -1);
  std::string text = TextOf(window);
  if (style & ES_PASSWORD) text.assign(text.size(), '*');
  const HGDIOBJ oldFont = SelectFont(dc, state->font);
  SetBkMode(dc, TRANSPARENT);
  UINT format = DT_NOPREFIX | ((style & ES_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE);
  if (style & ES_CENTER)
    format |= DT_CENTER;
  else if (style & ES_RIGHT)
    format |= DT_RIGHT;
  DrawText(dc, text.c_str(), -1, &r, format);
  SelectObject(dc, oldFont);
  EndPaint(window, &ps);
}

LRESULT SetText(HWND window, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefWindowProc(window, WM_SETTEXT, wParam, lParam);
  auto state = g_edits.Get(window);
  state->selStart = state->selEnd = 0;
  state->modified = false;
  InvalidateRect(window, nullptr, TRUE);
  if (!(StyleOf(window) & ES_MULTILINE)) Notify(window, EN_CHANGE);
  return result;
}

LRESULT GetSelection(HWND window, WPARAM wParam, LPARAM lParam) {
  auto state = g_edits.Get(window);
  if (wParam != 0) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(state->selStart);
  if (lParam != 0) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(state->selEnd);
  return MAKELONG(std::min(state->selStart, 0xFFFF), std::min(state->selEnd, 0xFFFF));
}

// EM_SETSEL: a start of -1 removes the selection; an end of -1 (or past the text) is the end.
void SetSelection(HWND window, int start, int end) {
  const int length = GetWindowTextLength(window);
  auto state = g_edits.Get(window);
  if (start == -1) {
    state->selStart = state->selEnd = std::clamp(state->selEnd, 0, length);
    return;
  }
  if (end < 0 || end > length) end = length;
  start = std::clamp(start, 0, length);
  state->selStart = std::min(start, end);
  state->selEnd = std::max(start, end);
}

}  // namespace

LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result; AnswerCommon(g_edits, window, message, wParam, lParam, Paint, result)) return result;
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
      if ((StyleOf(window) & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN))
        code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_SETTEXT:
      return SetText(window, wParam, lParam);
    case EM_GETSEL:
      return GetSelection(window, wParam, lParam);
    case EM_SETSEL:
      SetSelection(window, static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    case EM_LIMITTEXT:
      g_edits.Get(window)->limit = wParam == 0 ? 0x7FFFFFFE : static_cast<UINT>(wParam);
      return 0;
    case EM_GETLIMITTEXT:
      return g_edits.Get(window)->limit;
    case EM_GETMODIFY:
      return g_edits.Get(window)->modified;
    case EM_SETMODIFY:
      g_edits.Get(window)->modified = wParam != FALSE;
      return 0;
    case EM_SETREADONLY: {
      const LONG style = StyleOf(window);
      SetWindowLong(window, GWL_STYLE, wParam ? style | ES_READONLY : style & ~ES_READONLY);
      InvalidateRect(window, nullptr, TRUE);
      return TRUE;
    }
    case WM_SETFOCUS:
      InvalidateRect(window, nullptr, TRUE);
      Notify(window, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      InvalidateRect(window, nullptr, TRUE);
      Notify(window, EN_KILLFOCUS);
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace user32::controls
