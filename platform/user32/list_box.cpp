// The list box control ("ListBox"), single selection: its strings (sorted without regard to case
// with LBS_SORT) and item data, the selection, the top item and the horizontal extent. One made
// with WS_HSCROLL shows its horizontal scroll bar exactly while the extent exceeds its client
// width. Painted plainly: the window colour (or the parent's WM_CTLCOLORLISTBOX brush), one line
// per item from the top one, the selected item in the highlight colours.
#include "controls.h"
#include "sandbox/internal.h"

namespace user32::controls {
namespace {

struct ListBox {
  HFONT font = nullptr;
  StringList items;
  int selection = -1;
  int top = 0;
  int extent = 0;
  bool horizontalBar = false;  // made with WS_HSCROLL
};

PerWindow<ListBox> g_lists;

struct Registration {
  Registration() {
    OnReset("user32.list_boxes", [] { g_lists.Clear(); });
  }
} g_registration;

LONG StyleOf(HWND window) { return GetWindowLong(window, GWL_STYLE); }

// The horizontal scroll bar follows the extent and the client width.
void UpdateHorizontalBar(HWND window) {
  auto state = g_lists.Get(window);
  if (!state->horizontalBar) return;
  RECT client;
  GetClientRect(window, &client);
  const int width = client.right - client.left;
  SCROLLINFO info{sizeof(SCROLLINFO),
                  SIF_RANGE | SIF_PAGE,
                  0,
                  std::max(state->extent - 1, 0),
                  static_cast<UINT>(std::max(width, 0)),
                  0,
                  0};
  SetScrollInfo(window, SB_HORZ, &info, TRUE);
  ShowScrollBar(window, SB_HORZ, state->extent > width);
}

void Changed(HWND window) {
  if (!(StyleOf(window) & LBS_NOREDRAW)) InvalidateRect(window, nullptr, TRUE);
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc == nullptr) return;
  const std::shared_ptr<ListBox> state = g_lists.Get(window);
  HBRUSH brush = ParentBrush(window, dc, WM_CTLCOLORLISTBOX, COLOR_WINDOW);
  const COLORREF text = GetTextColor(dc);
  RECT r;
  GetClientRect(window, &r);
  FillRect(dc, &r, brush);
  const HGDIOBJ oldFont = SelectFont(dc, state->font);
  const int height = LineHeight(state->font);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
  GetScrollInfo(window, SB_HORZ, &info);
  SetBkMode(dc, TRANSPARENT);
  const bool enabled = IsWindowEnabled(window) != FALSE;
  for (int i = state->top, y = r.top; i < state->items.Count() && y < r.bottom; ++i, y += height) {
    RECT line{r.left, y, r.right, y + height};
    const bool selected = i == state->selection;
    if (selected) FillRect(dc, &line, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, !enabled ? GetSysColor(COLOR_GRAYTEXT) : selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
    RECT label{line.left + 2 - info.nPos, line.top, line.right, line.bottom};
    DrawText(dc, state->items.At(i)->text.c_str(), -1, &label, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
    if (selected && GetFocus() == window) DrawFocusRect(dc, &line);
  }
  SelectObject(dc, oldFont);
  EndPaint(window, &ps);
}

bool MultipleSelection(HWND window) { return (StyleOf(window) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

}  // namespace

LRESULT CALLBACK ListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result; AnswerCommon(g_lists, window, message, wParam, lParam, Paint, result)) return result;
  switch (message) {
    case WM_CREATE: {
      auto state = g_lists.Get(window);
      state->horizontalBar = (StyleOf(window) & WS_HSCROLL) != 0;
      if (MultipleSelection(window)) sandbox::internal::ReportUnmodelled("list boxes with multiple selection");
      UpdateHorizontalBar(window);
      return 0;
    }
    case WM_SIZE:
      UpdateHorizontalBar(window);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
      auto state = g_lists.Get(window);
      const std::string text = lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "";
      const int at = message == LB_ADDSTRING ? state->items.Add(text, (StyleOf(window) & LBS_SORT) != 0)
                                             : state->items.Insert(static_cast<int>(wParam), text);
      if (at < 0) return LB_ERR;
      if (state->selection >= at) ++state->selection;
      Changed(window);
      return at;
    }
    case LB_DELETESTRING: {
      auto state = g_lists.Get(window);
      const int index = static_cast<int>(wParam);
      const int left = state->items.Delete(index);
      if (left < 0) return LB_ERR;
      if (state->selection == index)
        state->selection = -1;
      else if (state->selection > index)
        --state->selection;
      state->top = std::min(state->top, std::max(left - 1, 0));
      Changed(window);
      return left;
    }
    case LB_RESETCONTENT: {
      auto state = g_lists.Get(window);
      state->items.Clear();
      state->selection = -1;
      state->top = 0;
      Changed(window);
      return 0;
    }
    case LB_GETCOUNT:
      return g_lists.Get(window)->items.Count();
    case LB_GETCURSEL:
      return MultipleSelection(window) ? LB_ERR : g_lists.Get(window)->selection;
    case LB_SETCURSEL: {
      if (MultipleSelection(window)) return LB_ERR;
      auto state = g_lists.Get(window);
      const int index = static_cast<int>(wParam);
      state->selection = state->items.At(index) != nullptr ? index : -1;
      Changed(window);
      return state->selection == -1 ? LB_ERR : state->selection;
    }
    case LB_GETSEL: {
      auto state = g_lists.Get(window);
      const int index = static_cast<int>(wParam);
      if (state->items.At(index) == nullptr) return LB_ERR;
      return index == state->selection ? 1 : 0;
    }
    case LB_SETSEL:
    case LB_GETSELCOUNT:
    case LB_GETSELITEMS:
      // Only list boxes with multiple selection take these; those are not modelled.
      if (MultipleSelection(window)) STANDIN_UNMODELLED_RETURN(LB_ERR);
      return LB_ERR;
    case LB_GETTEXT:
      return CopyItemText(g_lists.Get(window)->items, static_cast<int>(wParam), reinterpret_cast<LPSTR>(lParam),
                          LB_ERR);
    case LB_GETTEXTLEN:
      return CopyItemText(g_lists.Get(window)->items, static_cast<int>(wParam), nullptr, LB_ERR);
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING: {
      auto state = g_lists.Get(window);
      const int found = state->items.Find(static_cast<int>(wParam), lParam ? reinterpret_cast<LPCSTR>(lParam) : "",
                                          message == LB_FINDSTRINGEXACT);
      if (found < 0) return LB_ERR;
      if (message == LB_SELECTSTRING) {
        state->selection = found;
        Changed(window);
      }
      return found;
    }
    case LB_GETITEMDATA: {
      const StringList::Item* item = g_lists.Get(window)->items.At(static_cast<int>(wParam));
      return item != nullptr ? static_cast<LRESULT>(item->data) : LB_ERR;
    }
    case LB_SETITEMDATA: {
      StringList::Item* item = g_lists.Get(window)->items.At(static_cast<int>(wParam));
      if (item == nullptr) return LB_ERR;
      item->data = static_cast<ULONG_PTR>(lParam);
      return LB_OKAY;
    }
    case LB_GETHORIZONTALEXTENT:
      return g_lists.Get(window)->extent;
    case LB_SETHORIZONTALEXTENT:
      g_lists.Get(window)->extent = static_cast<int>(wParam);
      UpdateHorizontalBar(window);
      Changed(window);
      return 0;
    case LB_GETTOPINDEX:
      return g_lists.Get(window)->top;
    case LB_SETTOPINDEX: {
      auto state = g_lists.Get(window);
      const int index = static_cast<int>(wParam);
      if (index < 0 || (index > 0 && index >= state->items.Count())) return LB_ERR;
      state->top = index;
      Changed(window);
      return LB_OKAY;
    }
    case LB_GETITEMHEIGHT:
      return LineHeight(g_lists.Get(window)->font);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(window, nullptr, TRUE);
      if (StyleOf(window) & LBS_NOTIFY) Notify(window, message == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace user32::controls
