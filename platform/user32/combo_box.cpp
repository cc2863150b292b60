// The combo box control ("ComboBox"): a field and a list of strings (sorted without regard to case
// with CBS_SORT). The field of a drop-down list shows the selected item: its text is that item's;
// the field of the other kinds is an edit field whose text is the window's. Made with the height
// of its dropped list, the window keeps only the field's (a line of its font and 6 pixels); the
// list is not drawn when dropped (CB_SHOWDROPDOWN keeps the state). Painted plainly: the field in
// the window colour (a drop-down list's in the highlight colours while focused) and the drop
// button at the right.
#include "controls.h"

namespace user32::controls {
namespace {

struct ComboBox {
  HFONT font = nullptr;
  StringList items;
  int selection = -1;
  bool dropped = false;
  int droppedHeight = 0;
  UINT limit = 0x7FFFFFFE;  // what a user may enter in the edit field
};

PerWindow<ComboBox> g_combos;

struct Registration {
  Registration() {
    OnReset("user32.combo_boxes", [] { g_combos.Clear(); });
  }
} g_registration;

LONG StyleOf(HWND window) { return GetWindowLong(window, GWL_STYLE); }
bool IsDropDownList(HWND window) { return (StyleOf(window) & 0x3) == CBS_DROPDOWNLIST; }

// The field's height for the font; the window is that high.
void FitField(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  const int height = LineHeight(g_combos.Get(window)->font) + 6;
  SetWindowPos(window, nullptr, 0, 0, r.right - r.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A drop-down list's text follows its selection.
void ShowSelection(HWND window) {
  auto state = g_combos.Get(window);
  const StringList::Item* item = state->items.At(state->selection);
  DefWindowProc(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(item != nullptr ? item->text.c_str() : ""));
  InvalidateRect(window, nullptr, TRUE);
}

void Select(HWND window, int index) {
  auto state = g_combos.Get(window);
  state->selection = state->items.At(index) != nullptr ? index : -1;
  ShowSelection(window);
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc == nullptr) return;
  const std::shared_ptr<ComboBox> state = g_combos.Get(window);
  const bool enabled = IsWindowEnabled(window) != FALSE;
  HBRUSH brush = IsDropDownList(window) ? ParentBrush(window, dc, WM_CTLCOLORLISTBOX, COLOR_WINDOW)
                                        : ParentBrush(window, dc, WM_CTLCOLOREDIT, COLOR_WINDOW);
  RECT r;
  GetClientRect(window, &r);
  FillRect(dc, &r, brush);
  DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  const int buttonWidth = GetSystemMetrics(SM_CXVSCROLL);
  RECT button{r.right - buttonWidth, r.top, r.right, r.bottom};
  FillRect(dc, &button, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &button, state->dropped ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  const int ax = (button.left + button.right) / 2, ay = (button.top + button.bottom) / 2 - 1;
  for (int i = 0; i < 4; ++i) {  // the arrow down
    RECT line{ax - 3 + i, ay + i, ax + 4 - i, ay + i + 1};
    FillRect(dc, &line, GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  }
  RECT field{r.left, r.top, button.left, r.bottom};
  const bool highlighted = IsDropDownList(window) && GetFocus() == window;
  if (highlighted) {
    RECT mark = field;
    InflateRect(&mark, -1, -1);
    FillRect(dc, &mark, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  }
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  const HGDIOBJ oldFont = SelectFont(dc, state->font);
  SetBkMode(dc, TRANSPARENT);
  RECT label{field.left + 2, field.top, field.right - 2, field.bottom};
  DrawText(dc, TextOf(window).c_str(), -1, &label, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
  SelectObject(dc, oldFont);
  EndPaint(window, &ps);
}

}  // namespace

UINT ComboEditLimit(HWND comboBox) { return g_combos.Get(comboBox)->limit; }

LRESULT CALLBACK ComboBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result; AnswerCommon(g_combos, window, message, wParam, lParam, Paint, result)) {
    if (message == WM_SETFONT) FitField(window);  // the field is a line of the new font high
    return result;
  }
  switch (message) {
    case WM_CREATE: {
      RECT r;
      GetWindowRect(window, &r);
      g_combos.Get(window)->droppedHeight = r.bottom - r.top;
      FitField(window);
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETTEXT: {
      if (!IsDropDownList(window)) {
        const LRESULT result = DefWindowProc(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, TRUE);
        return result;
      }
      // A drop-down list shows only its items: the text selects the item that is exactly it.
      auto state = g_combos.Get(window);
      const int found = state->items.Find(-1, lParam ? reinterpret_cast<LPCSTR>(lParam) : "", true);
      if (found < 0) return CB_ERR;
      Select(window, found);
      return TRUE;
    }
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
      auto state = g_combos.Get(window);
      const std::string text = lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "";
      const int at = message == CB_ADDSTRING ? state->items.Add(text, (StyleOf(window) & CBS_SORT) != 0)
                                             : state->items.Insert(static_cast<int>(wParam), text);
      if (at < 0) return CB_ERR;
      if (state->selection >= at) ++state->selection;
      return at;
    }
    case CB_DELETESTRING: {
      auto state = g_combos.Get(window);
      const int index = static_cast<int>(wParam);
      const int left = state->items.Delete(index);
      if (left < 0) return CB_ERR;
      if (state->selection == index) {
        state->selection = -1;
        if (IsDropDownList(window)) ShowSelection(window);
      } else if (state->selection > index) {
        --state->selection;
      }
      return left;
    }
    case CB_RESETCONTENT: {
      auto state = g_combos.Get(window);
      state->items.Clear();
      state->selection = -1;
      if (IsDropDownList(window)) ShowSelection(window);
      return CB_OKAY;
    }
    case CB_GETCOUNT:
      return g_combos.Get(window)->items.Count();
    case CB_GETCURSEL:
      return g_combos.Get(window)->selection;
    case CB_SETCURSEL: {
      const int index = static_cast<int>(wParam);
      Select(window, index);
      return g_combos.Get(window)->selection == -1 ? CB_ERR : index;
    }
    case CB_GETLBTEXT:
      return CopyItemText(g_combos.Get(window)->items, static_cast<int>(wParam), reinterpret_cast<LPSTR>(lParam),
                          CB_ERR);
    case CB_GETLBTEXTLEN:
      return CopyItemText(g_combos.Get(window)->items, static_cast<int>(wParam), nullptr, CB_ERR);
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
    case CB_SELECTSTRING: {
      const int found = g_combos.Get(window)->items.Find(
          static_cast<int>(wParam), lParam ? reinterpret_cast<LPCSTR>(lParam) : "", message == CB_FINDSTRINGEXACT);
      if (found < 0) return CB_ERR;
      if (message == CB_SELECTSTRING) Select(window, found);
      return found;
    }
    case CB_GETITEMDATA: {
      const StringList::Item* item = g_combos.Get(window)->items.At(static_cast<int>(wParam));
      return item != nullptr ? static_cast<LRESULT>(item->data) : CB_ERR;
    }
    case CB_SETITEMDATA: {
      StringList::Item* item = g_combos.Get(window)->items.At(static_cast<int>(wParam));
      if (item == nullptr) return CB_ERR;
      item->data = static_cast<ULONG_PTR>(lParam);
      return CB_OKAY;
    }
    case CB_SHOWDROPDOWN:
      g_combos.Get(window)->dropped = wParam != FALSE;
      InvalidateRect(window, nullptr, TRUE);
      return TRUE;
    case CB_GETDROPPEDSTATE:
      return g_combos.Get(window)->dropped;
    case CB_LIMITTEXT:
      if (IsDropDownList(window)) return CB_ERR;
      g_combos.Get(window)->limit = wParam == 0 ? 0x7FFFFFFE : static_cast<UINT>(wParam);
      return TRUE;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(window, nullptr, TRUE);
      Notify(window, message == WM_SETFOCUS ? CBN_SETFOCUS : CBN_KILLFOCUS);
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace user32::controls
