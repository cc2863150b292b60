// The button control ("Button"): push buttons (the default one framed), check boxes (two or three
// states), radio buttons and group boxes, each painted plainly. A click (BM_CLICK) turns an auto
// check box, checks an auto radio button and clears the others of its group, then tells the
// parent BN_CLICKED.
#include "controls.h"
#include "sandbox/internal.h"

namespace user32::controls {
namespace {

struct Button {
  HFONT font = nullptr;
  UINT check = BST_UNCHECKED;
  bool pushed = false;
};

PerWindow<Button> g_buttons;

struct Registration {
  Registration() {
    OnReset("user32.buttons", [] { g_buttons.Clear(); });
  }
} g_registration;

constexpr int kBoxSize = 13;  // a check box's or radio button's box

UINT TypeOf(HWND window) { return static_cast<UINT>(GetWindowLong(window, GWL_STYLE) & BS_TYPEMASK); }

bool IsCheckType(UINT type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}
bool IsRadioType(UINT type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

LRESULT DialogCode(UINT type) {
  switch (type) {
    case BS_PUSHBUTTON:
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON:
      return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX:
      return DLGC_STATIC;
    default:
      return DLGC_BUTTON;
  }
}

// An auto radio button that is checked clears every other radio button of its group.
void ClearOtherRadios(HWND button) {
  const HWND parent = GetParent(button);
  if (parent == nullptr) return;
  for (HWND other = GetNextDlgGroupItem(parent, button, FALSE); other != nullptr && other != button;
       other = GetNextDlgGroupItem(parent, other, FALSE))
    if (SendMessage(other, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) SendMessage(other, BM_SETCHECK, BST_UNCHECKED, 0);
}

void Click(HWND window) {
  if (!IsWindowEnabled(window)) return;
  const UINT type = TypeOf(window);
  const UINT check = g_buttons.Get(window)->check;
  if (type == BS_AUTOCHECKBOX)
    SendMessage(window, BM_SETCHECK, check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
  else if (type == BS_AUTO3STATE)
    SendMessage(window, BM_SETCHECK, (check + 1) % 3, 0);
  else if (type == BS_AUTORADIOBUTTON) {
    SendMessage(window, BM_SETCHECK, BST_CHECKED, 0);
    ClearOtherRadios(window);
  }
  Notify(window, BN_CLICKED);
}

void FillWith(HDC dc, RECT r, int color) { FillRect(dc, &r, GetSysColorBrush(color)); }

void DrawCheckMark(HDC dc, const RECT& box, COLORREF color) {
  const int x = box.left + 3, y = box.top + 5;
  for (int i = 0; i < 3; ++i)  // down to the right, then up
    for (int t = 0; t < 3; ++t) SetPixel(dc, x + i, y + i + t, color);
  for (int i = 0; i < 4; ++i)
    for (int t = 0; t < 3; ++t) SetPixel(dc, x + 3 + i, y + 1 - i + t, color);
}

void PaintPushButton(HWND window, HDC dc, RECT r, const Button& state, const std::string& text) {
  const bool isDefault = TypeOf(window) == BS_DEFPUSHBUTTON;
  FillWith(dc, r, COLOR_BTNFACE);
  if (isDefault) {  // the default button's black frame
    FillWith(dc, {r.left, r.top, r.right, r.top + 1}, COLOR_WINDOWFRAME);
    FillWith(dc, {r.left, r.bottom - 1, r.right, r.bottom}, COLOR_WINDOWFRAME);
    FillWith(dc, {r.left, r.top, r.left + 1, r.bottom}, COLOR_WINDOWFRAME);
    FillWith(dc, {r.right - 1, r.top, r.right, r.bottom}, COLOR_WINDOWFRAME);
    InflateRect(&r, -1, -1);
  }
  DrawEdge(dc, &r, state.pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  RECT inner = r;
  InflateRect(&inner, -2, -2);
  if (state.pushed) OffsetRect(&inner, 1, 1);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(IsWindowEnabled(window) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawText(dc, text.c_str(), -1, &inner, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (GetFocus() == window) {
    InflateRect(&inner, -1, -1);
    DrawFocusRect(dc, &inner);
  }
}

void PaintCheckOrRadio(HWND window, HDC dc, const RECT& r, const Button& state, const std::string& text, bool radio) {
  const LONG style = GetWindowLong(window, GWL_STYLE);
  const bool leftText = (style & BS_LEFTTEXT) != 0;
  const int top = (r.top + r.bottom - kBoxSize) / 2;
  RECT box = leftText ? RECT{r.right - kBoxSize, top, r.right, top + kBoxSize}
                      : RECT{r.left, top, r.left + kBoxSize, top + kBoxSize};
  const bool enabled = IsWindowEnabled(window) != FALSE;
  FillWith(dc, box, state.check == BST_INDETERMINATE || !enabled ? COLOR_BTNFACE : COLOR_WINDOW);
  DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT);
  const COLORREF mark = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
  if (radio && state.check == BST_CHECKED) {
    RECT dot{box.left + 4, box.top + 4, box.right - 4, box.bottom - 4};
    FillRect(dc, &dot, GetSysColorBrush(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  } else if (!radio && state.check != BST_UNCHECKED) {
    DrawCheckMark(dc, box, state.check == BST_INDETERMINATE ? GetSysColor(COLOR_BTNSHADOW) : mark);
  }
  RECT label = leftText ? RECT{r.left, r.top, box.left - 4, r.bottom} : RECT{box.right + 4, r.top, r.right, r.bottom};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  const UINT format = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
  DrawText(dc, text.c_str(), -1, &label, format | (leftText ? DT_RIGHT : DT_LEFT));
  if (GetFocus() == window && !text.empty()) {
    RECT focus = label;
    DrawText(dc, text.c_str(), -1, &focus, format | DT_CALCRECT);
    OffsetRect(&focus, 0, (label.bottom - label.top - (focus.bottom - focus.top)) / 2);
    InflateRect(&focus, 1, 1);
    DrawFocusRect(dc, &focus);
  }
}

void PaintGroupBox(HWND window, HDC dc, const RECT& r, const std::string& text) {
  const int half = LineHeight(g_buttons.Get(window)->font) / 2;
  RECT frame{r.left, r.top + half, r.right, r.bottom};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (text.empty()) return;
  RECT label{r.left + 8, r.top, r.right - 8, r.bottom};
  DrawText(dc, text.c_str(), -1, &label, DT_SINGLELINE | DT_CALCRECT);
  SetBkMode(dc, OPAQUE);
  SetTextColor(dc, GetSysColor(IsWindowEnabled(window) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawText(dc, text.c_str(), -1, &label, DT_SINGLELINE);
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc == nullptr) return;
  const std::shared_ptr<Button> state = g_buttons.Get(window);
  const HGDIOBJ oldFont = SelectFont(dc, state->font);
  RECT r;
  GetClientRect(window, &r);
  HBRUSH brush = ParentBrush(window, dc, WM_CTLCOLORBTN, COLOR_BTNFACE);
  const UINT type = TypeOf(window);
  // A group box paints its frame and label only: the controls inside it show through.
  if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON && type != BS_GROUPBOX) FillRect(dc, &r, brush);
  const std::string text = TextOf(window);
  switch (type) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      PaintPushButton(window, dc, r, *state, text);
      break;
    case BS_GROUPBOX:
      PaintGroupBox(window, dc, r, text);
      break;
    case BS_OWNERDRAW:
      sandbox::internal::ReportUnmodelled("owner-drawn buttons");
      break;
    default:
      PaintCheckOrRadio(window, dc, r, *state, text, IsRadioType(type));
      break;
  }
  SelectObject(dc, oldFont);
  EndPaint(window, &ps);
}

void Redraw(HWND window) { InvalidateRect(window, nullptr, TRUE); }

}  // namespace

LRESULT CALLBACK ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result; AnswerCommon(g_buttons, window, message, wParam, lParam, Paint, result)) return result;
  switch (message) {
    case WM_GETDLGCODE:
      return DialogCode(TypeOf(window));
    case BM_GETCHECK: {
      const UINT type = TypeOf(window);
      return IsCheckType(type) || IsRadioType(type) ? g_buttons.Get(window)->check : BST_UNCHECKED;
    }
    case BM_SETCHECK: {
      const UINT type = TypeOf(window);
      if (!IsCheckType(type) && !IsRadioType(type)) return 0;
      UINT check = static_cast<UINT>(wParam) & (BST_CHECKED | BST_INDETERMINATE);
      if (check == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE) check = BST_CHECKED;
      auto state = g_buttons.Get(window);
      if (state->check != check) {
        state->check = check;
        Redraw(window);
      }
      return 0;
    }
    case BM_GETSTATE: {
      auto state = g_buttons.Get(window);
      return state->check | (state->pushed ? BST_PUSHED : 0) | (GetFocus() == window ? BST_FOCUS : 0);
    }
    case BM_SETSTATE:
      g_buttons.Get(window)->pushed = wParam != FALSE;
      Redraw(window);
      return 0;
    case BM_SETSTYLE: {
      const LONG style = GetWindowLong(window, GWL_STYLE);
      SetWindowLong(window, GWL_STYLE, (style & ~0xFFFF) | static_cast<LONG>(wParam & 0xFFFF));
      if (LOWORD(lParam)) Redraw(window);
      return 0;
    }
    case BM_CLICK:
      Click(window);
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProc(window, message, wParam, lParam);
      Redraw(window);
      return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Redraw(window);
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace user32::controls
