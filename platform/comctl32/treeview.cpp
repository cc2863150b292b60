// The tree view's window: its class, the table of controls by window, and the procedure that
// hands the messages to the parts of the control.
#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

#include "sandbox/internal.h"
#include "control_table.h"
#include "treeview.h"

namespace comctl32::treeview {
namespace {

ControlTable<Tree>& T() {
  static auto* table = new ControlTable<Tree>("comctl32.treeview");
  return *table;
}

struct Registration {
  Registration() { T(); }  // the reset is registered as the module loads
} g_registration;

POINT PointOf(LPARAM lParam) { return {static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))}; }

LRESULT Command(Tree& tree, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case TVM_INSERTITEM: {
      const auto* insert = reinterpret_cast<const TVINSERTSTRUCT*>(lParam);
      return insert != nullptr ? reinterpret_cast<LRESULT>(Insert(tree, *insert)) : 0;
    }
    case TVM_DELETEITEM:
      return Delete(tree, reinterpret_cast<HTREEITEM>(lParam));
    case TVM_EXPAND:
      return Expand(tree, reinterpret_cast<HTREEITEM>(lParam), static_cast<UINT>(wParam), false);
    case TVM_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      if (rect == nullptr) return FALSE;
      HTREEITEM handle = nullptr;
      std::memcpy(&handle, rect, sizeof handle);
      return ItemRect(tree, handle, wParam != FALSE, *rect);
    }
    case TVM_GETCOUNT:
      return static_cast<LRESULT>(tree.items.size());
    case TVM_GETINDENT:
      return tree.indent;
    case TVM_SETINDENT:
      tree.indent = std::max(0, static_cast<int>(wParam));
      tree.layoutStale = true;
      UpdateScroll(tree);
      Redraw(tree);
      return 0;
    case TVM_GETIMAGELIST:
      return reinterpret_cast<LRESULT>(wParam == TVSIL_STATE ? tree.stateImages : wParam == TVSIL_NORMAL ? tree.normal : nullptr);
    case TVM_SETIMAGELIST: {
      HIMAGELIST* slot = wParam == TVSIL_STATE ? &tree.stateImages : wParam == TVSIL_NORMAL ? &tree.normal : nullptr;
      if (slot == nullptr) return 0;
      const HIMAGELIST previous = *slot;
      *slot = reinterpret_cast<HIMAGELIST>(lParam);
      tree.layoutStale = true;
      UpdateScroll(tree);
      Redraw(tree);
      return reinterpret_cast<LRESULT>(previous);
    }
    case TVM_GETNEXTITEM:
      return reinterpret_cast<LRESULT>(GetNext(tree, static_cast<UINT>(wParam), reinterpret_cast<HTREEITEM>(lParam)));
    case TVM_SELECTITEM:
      return Select(tree, static_cast<UINT>(wParam), reinterpret_cast<HTREEITEM>(lParam));
    case TVM_GETITEM: {
      auto* item = reinterpret_cast<TVITEM*>(lParam);
      return item != nullptr ? GetItem(tree, *item) : FALSE;
    }
    case TVM_SETITEM: {
      const auto* item = reinterpret_cast<const TVITEM*>(lParam);
      return item != nullptr ? SetItem(tree, *item) : FALSE;
    }
    case TVM_EDITLABEL:
      return reinterpret_cast<LRESULT>(EditLabel(tree, reinterpret_cast<HTREEITEM>(lParam)));
    case TVM_GETEDITCONTROL:
    case TVM_ENDEDITLABELNOW:
      return 0;
    case TVM_GETVISIBLECOUNT:
      return PageRows(tree);
    case TVM_HITTEST: {
      auto* info = reinterpret_cast<TVHITTESTINFO*>(lParam);
      return info != nullptr ? reinterpret_cast<LRESULT>(HitTest(tree, *info)) : 0;
    }
    case TVM_SORTCHILDREN:
      return Sort(tree, reinterpret_cast<HTREEITEM>(lParam), wParam != FALSE, nullptr);
    case TVM_SORTCHILDRENCB: {
      const auto* sort = reinterpret_cast<const TVSORTCB*>(lParam);
      if (sort == nullptr || sort->lpfnCompare == nullptr) return FALSE;
      return Sort(tree, sort->hParent, wParam != FALSE, sort);
    }
    case TVM_ENSUREVISIBLE:
      return EnsureVisible(tree, reinterpret_cast<HTREEITEM>(lParam));
    case TVM_GETITEMHEIGHT:
      return RowHeight(tree);
    default:
      sandbox::internal::ReportUnmodelled("tree-view message (TVM_*) not modelled");
      return 0;
  }
}

LRESULT CALLBACK TreeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) Attach(window);
  Tree* tree = TreeOf(window);
  if (tree == nullptr) return DefWindowProc(window, message, wParam, lParam);
  if (message >= TV_FIRST && message < TV_FIRST + 0x100) {
    if (!Recording(window)) return Command(*tree, message, wParam, lParam);
    const LRESULT result = Command(*tree, message, wParam, lParam);
    if (Tree* still = TreeOf(window)) RecordMessage(*still, message, wParam, lParam, result);
    return result;
  }
  switch (message) {
    case WM_CREATE:
      if (GetWindowLong(window, GWL_STYLE) & TVS_CHECKBOXES)
        sandbox::internal::ReportUnmodelled("tree views with TVS_CHECKBOXES");
      return 0;
    case WM_PAINT:
      Paint(*tree);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint fills everything
    case WM_SIZE:
      UpdateScroll(*tree);
      Redraw(*tree);
      return 0;
    case WM_SETFONT:
      tree->font = reinterpret_cast<HFONT>(wParam);
      for (auto& [handle, item] : tree->items) item->textWidth = -1;
      tree->layoutStale = true;
      if (lParam) Redraw(*tree);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(tree->font);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      tree->focused = message == WM_SETFOCUS;
      Redraw(*tree);
      NMHDR header{};
      Notify(*tree, header, message == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      OnButtonDown(*tree, message == WM_LBUTTONDOWN, PointOf(lParam));
      return 0;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
      OnDoubleClick(*tree, message == WM_LBUTTONDBLCLK, PointOf(lParam));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE:
      return 0;  // a release or move outside a press's loop means nothing here
    case WM_KEYDOWN:
      OnKeyDown(*tree, wParam);
      return 0;
    case WM_CHAR:
      return 0;  // incremental search is not modelled
    case WM_TIMER:
      if (wParam == kEditTimer) OnEditTimer(*tree);
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
      OnScroll(*tree, message == WM_VSCROLL, wParam);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_STYLECHANGED:
      tree->layoutStale = true;
      Redraw(*tree);
      break;
    case WM_DESTROY:
      Delete(*tree, TVI_ROOT);
      break;
    case WM_NCDESTROY:
      Detach(window);
      break;
    default:
      break;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

Tree* TreeOf(HWND window) { return T().Find(window); }

void Attach(HWND window) {
  Tree& tree = T().Make(window);
  tree.window = window;
  tree.root.depth = -1;
}

void Detach(HWND window) { T().Drop(window); }

bool RegisterTreeViewClass() {
  WNDCLASS wc{};
  if (GetClassInfo(nullptr, WC_TREEVIEW, &wc)) return true;
  wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
  wc.lpfnWndProc = TreeProc;
  wc.hInstance = GetModuleHandle("comctl32.dll");
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = WC_TREEVIEW;
  return RegisterClass(&wc) != 0;
}

}  // namespace comctl32::treeview
