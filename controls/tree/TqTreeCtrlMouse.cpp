// CtqTreeCtrl: the mouse and the keys. In single-selection mode the native control does the work;
// in multi-selection mode the click rules, press tracking and the rubber band run here.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "tree/TqTreeCtrl.h"

namespace {

constexpr UINT_PTR kBandTimer = 1;
constexpr UINT kBandTimerPeriod = 75;
constexpr UINT kOnItem = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;

CPoint PointOf(LPARAM lParam) { return CPoint(static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))); }

bool KeyDown(int key) { return ::GetKeyState(key) < 0; }

}  // namespace

HTREEITEM CtqTreeCtrl::NodeItemAt(CPoint point, UINT* pFlags, CtqTreeNode** ppNode) {
  UINT flags = 0;
  HTREEITEM hItem = HitTest(point, &flags);
  CtqTreeNode* node = GetNode(hItem);
  if (node == NULL) hItem = NULL;  // an item without a node is empty space
  if (pFlags != NULL) *pFlags = flags;
  if (ppNode != NULL) *ppNode = node;
  return hItem;
}

// ---------------------------------------------------------------------------------------------
// Buttons

void CtqTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  m_nMouseState = 0;
  ClickRules(point, nFlags, true);
}

void CtqTreeCtrl::OnLButtonUp(UINT, CPoint) {
  Default();
  m_nMouseState = 1;
  PostMessage(WM_NULL);  // wakes a tracking loop that waits for its messages
}

void CtqTreeCtrl::OnLButtonDblClk(UINT, CPoint point) {
  CtqTreeNode* node = NULL;
  const HTREEITEM hItem = NodeItemAt(point, NULL, &node);
  if (hItem != NULL) {
    SetCurrentItem(hItem);
    SetFocus();
    if (!node->OnDoubleClick()) return;
  }
  Default();
}

void CtqTreeCtrl::OnRButtonDown(UINT nFlags, CPoint point) {
  CtqTreeNode* node = NULL;
  const HTREEITEM hItem = NodeItemAt(point, NULL, &node);
  if (hItem == NULL) {
    ClickRules(point, nFlags, false);
    return;
  }
  if (!IsSelected(hItem)) SelectAllExcept(false, node);
  // In multi-selection mode the item becomes selected and the caret; in single-selection mode
  // only its state bits change, so the native caret and the current item stay.
  SetItemState(hItem, TVIS_SELECTED | TVIS_FOCUSED, TVIS_SELECTED | TVIS_FOCUSED);
  SetFocus();
  m_nRightState = 1;
  const int cx = ::GetSystemMetrics(SM_CXDOUBLECLK), cy = ::GetSystemMetrics(SM_CYDOUBLECLK);
  m_rcRightDrag.SetRect(point.x - cx / 2, point.y - cy / 2, point.x + cx - cx / 2, point.y + cy - cy / 2);
}

void CtqTreeCtrl::OnRButtonUp(UINT, CPoint point) {
  if (m_nRightState == 2)
    Default();
  else
    ShowContextMenu(point);
  m_nRightState = 0;
}

void CtqTreeCtrl::OnMouseMove(UINT, CPoint point) {
  if (m_nRightState == 1 && !m_rcRightDrag.PtInRect(point)) {
    m_nRightState = 2;
    BeginDrag(m_hCurrent);
    return;
  }
  Default();
}

void CtqTreeCtrl::OnContextMenu(CWnd*, CPoint) { ShowContextMenu(CPoint(0, 0)); }

// ---------------------------------------------------------------------------------------------
// Multi-selection by the mouse

void CtqTreeCtrl::ClickRules(CPoint point, UINT nFlags, bool bLeft) {
  if (!m_bMultiSelect) {
    Default();
    return;
  }
  UINT flags = 0;
  CtqTreeNode* node = NULL;
  const HTREEITEM hItem = NodeItemAt(point, &flags, &node);
  if (flags & TVHT_ONITEMBUTTON) {
    Default();
    return;
  }
  if (bLeft && (GetStyle() & TVS_CHECKBOXES) && (flags & TVHT_ONITEMSTATEICON)) {
    Default();
    return;
  }
  if (hItem != NULL && (flags & kOnItem)) {
    ItemRules(hItem, node, nFlags, bLeft);
    TrackPress(hItem, point, bLeft);
  } else {
    RubberBand(point, nFlags, bLeft);
  }
}

void CtqTreeCtrl::ItemRules(HTREEITEM hItem, CtqTreeNode* pNode, UINT nFlags, bool bLeft) {
  const bool shift = (nFlags & MK_SHIFT) != 0, control = (nFlags & MK_CONTROL) != 0;
  if (!bLeft) {
    if (control && !shift) {
      m_hAnchor = hItem;
    } else if (!shift) {
      if (!IsSelected(hItem)) SelectAllExcept(false, pNode);
      SetItemState(hItem, TVIS_SELECTED | TVIS_FOCUSED, TVIS_SELECTED | TVIS_FOCUSED);
    }
    return;
  }
  if (shift) {
    if (m_hAnchor != NULL && GetNode(m_hAnchor) == NULL) m_hAnchor = NULL;
    if (m_hAnchor == NULL) m_hAnchor = GetSelectedItem() != NULL ? GetSelectedItem() : hItem;
    SelectRange(GetNode(m_hAnchor), pNode, !control);
  } else if (control) {
    SetItemState(hItem, IsSelected(hItem) ? 0 : TVIS_SELECTED, TVIS_SELECTED);
    m_hAnchor = NULL;
  } else {
    SelectAllExcept(false, pNode);
    if (!IsSelected(hItem) && GetSelectedItem() != hItem)
      SetItemState(hItem, TVIS_SELECTED | TVIS_FOCUSED, TVIS_SELECTED | TVIS_FOCUSED);
    else
      Default();  // the native control may start a label edit on the selected item
    m_hAnchor = NULL;
  }
}

void CtqTreeCtrl::TrackPress(HTREEITEM hItem, CPoint point, bool bLeft) {
  const HWND hWnd = m_hWnd;
  bool click = true;
  SetCapture();
  if (KeyDown(bLeft ? VK_LBUTTON : VK_RBUTTON)) {
    const int dx = ::GetSystemMetrics(SM_CXDRAG), dy = ::GetSystemMetrics(SM_CYDRAG);
    MSG msg;
    while (::GetCapture() == hWnd && m_nMouseState == 0) {
      if (!::GetMessage(&msg, NULL, 0, 0)) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP) break;
      if (msg.message == WM_MOUSEMOVE && msg.hwnd == hWnd) {
        const CPoint at = PointOf(msg.lParam);
        if (std::abs(at.x - point.x) > dx || std::abs(at.y - point.y) > dy) {
          click = false;
          break;
        }
      }
      ::TranslateMessage(&msg);
      ::DispatchMessage(&msg);
    }
  }
  if (!::IsWindow(hWnd)) return;
  if (::GetCapture() == hWnd) ::ReleaseCapture();
  if (click) {
    if (::GetFocus() != hWnd) SetFocus();
    NMHDR header = {};
    header.code = bLeft ? NM_CLICK : NM_RCLICK;
    SendNotify(&header);
  } else {
    SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
    if (!(GetStyle() & TVS_DISABLEDRAGDROP)) {
      NMTREEVIEW nm = {};
      nm.hdr.code = bLeft ? TVN_BEGINDRAG : TVN_BEGINRDRAG;
      nm.itemNew.mask = TVIF_HANDLE | TVIF_PARAM;
      nm.itemNew.hItem = hItem;
      nm.itemNew.lParam = static_cast<LPARAM>(GetItemData(hItem));
      nm.ptDrag = point;
      SendNotify(&nm.hdr);
    }
  }
  m_nMouseState = 0;
}

void CtqTreeCtrl::RubberBand(CPoint start, UINT nFlags, bool bLeft) {
  const HWND hWnd = m_hWnd;
  const bool shift = (nFlags & MK_SHIFT) != 0, control = (nFlags & MK_CONTROL) != 0;
  SetFocus();
  SetCapture();
  std::vector<CtqTreeNode*> remembered;
  if (shift || control)
    for (CtqTreeNode* node = GetFirstSelectedNode(); node != NULL; node = GetNextSelectedNode(node))
      remembered.push_back(node);
  const auto inList = [&](CtqTreeNode* node) {
    return std::find(remembered.begin(), remembered.end(), node) != remembered.end();
  };

  SetTimer(kBandTimer, kBandTimerPeriod, NULL);
  CRect rootRect(0, 0, 0, 0);
  const HTREEITEM hRoot = CTreeCtrl::GetRootItem();
  if (hRoot != NULL) GetItemRect(hRoot, &rootRect, FALSE);
  const int rowHeight = rootRect.Height();
  // The start in scrolled coordinates, so that the band keeps its corner while the tree scrolls.
  const CPoint scrolledStart(start.x + GetScrollPos(SB_HORZ), start.y + GetScrollPos(SB_VERT) * rowHeight);
  const int dragX = ::GetSystemMetrics(SM_CXDRAG), dragY = ::GetSystemMetrics(SM_CYDRAG);
  const CSize frame(1, 1);
  bool started = false, drawn = false;
  CRect last(0, 0, 0, 0);

  const auto moveTo = [&](CPoint point) {
    if (!started) {
      if (std::abs(point.x - start.x) <= dragX && std::abs(point.y - start.y) <= dragY) return;
      started = true;
      if (!shift && !control) SelectAll(false);
      UpdateWindow();
      CDC* dc = GetDC();
      dc->DrawDragRect(CRect(0, 0, 0, 0), frame, NULL, frame);
      ReleaseDC(dc);
      drawn = true;
    }
    CRect client;
    GetClientRect(&client);
    if (point.y < client.top) SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    else if (point.y >= client.bottom) SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    if (point.x < client.left) SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
    else if (point.x >= client.right) SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    CRect band(scrolledStart.x - GetScrollPos(SB_HORZ), scrolledStart.y - GetScrollPos(SB_VERT) * rowHeight, point.x,
               point.y);
    band.NormalizeRect();
    CDC* dc = GetDC();
    dc->DrawDragRect(band, frame, &last, frame);
    ReleaseDC(dc);
    last = band;
    for (HTREEITEM hItem = CTreeCtrl::GetRootItem(); hItem != NULL; hItem = GetNextVisibleItem(hItem)) {
      CtqTreeNode* node = GetNode(hItem);
      if (node == NULL) continue;
      CRect itemRect, overlap;
      GetItemRect(hItem, &itemRect, FALSE);
      const bool selected = IsSelected(hItem) != FALSE;
      if (overlap.IntersectRect(&itemRect, &band)) {
        if (!selected && !inList(node)) {
          SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
        } else if (control && inList(node)) {
          if (selected) SetItemState(hItem, 0, TVIS_SELECTED);
        } else if (shift && inList(node)) {
          remembered.erase(std::find(remembered.begin(), remembered.end(), node));
        }
      } else if (selected != inList(node)) {
        SetItemState(hItem, selected ? 0 : TVIS_SELECTED, TVIS_SELECTED);
      }
    }
    UpdateWindow();
  };

  MSG msg;
  bool ended = false;  // a message ended the loop, to be dispatched afterwards
  while (::GetCapture() == hWnd) {
    if (!::GetMessage(&msg, NULL, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP) {
      ended = true;
      break;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      SelectAll(false);
      ended = true;
      break;
    }
    if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == kBandTimer) {
      // The band goes on scrolling while the pointer rests outside.
      CPoint at;
      ::GetCursorPos(&at);
      ScreenToClient(&at);
      CRect client;
      GetClientRect(&client);
      if (!client.PtInRect(at)) {
        moveTo(at);
        continue;
      }
    } else if (msg.message == WM_MOUSEMOVE && msg.hwnd == hWnd) {
      moveTo(PointOf(msg.lParam));
      continue;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
  if (!::IsWindow(hWnd)) return;
  KillTimer(kBandTimer);
  if (::GetCapture() == hWnd) ::ReleaseCapture();
  if (drawn) {
    CDC* dc = GetDC();
    dc->DrawDragRect(CRect(0, 0, 0, 0), frame, &last, frame);
    ReleaseDC(dc);
  }
  if (!started && !shift && !control) SelectAll(false);
  NMHDR header = {};
  header.code = bLeft ? NM_CLICK : NM_RCLICK;
  SendNotify(&header);
  if (ended) {
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
}

// ---------------------------------------------------------------------------------------------
// Keys and focus

void CtqTreeCtrl::OnKeyDown(UINT nChar, UINT, UINT) {
  if (nChar == VK_F2) {
    EditLabel(GetSelectedItem());
    Default();
    return;
  }
  if ((nChar != VK_UP && nChar != VK_DOWN) || !m_bMultiSelect) {
    Default();
    return;
  }
  CtqTreeNode* first = GetFirstSelectedNode();
  HTREEITEM moving = first != NULL ? first->GetHandle() : GetSelectedItem();
  if (m_hAnchor == NULL) m_hAnchor = moving;
  if (!KeyDown(VK_SHIFT) && !KeyDown(VK_CONTROL)) {
    m_hAnchor = NULL;
    SelectAll(false);
    Default();
    return;
  }
  if (moving == NULL) return;
  if (moving == GetSelectedItem()) {
    const HTREEITEM last = LastSelectedItem();
    if (last != NULL) moving = last;
  }
  HTREEITEM end = nChar == VK_DOWN ? GetNextVisibleItem(moving) : GetPrevVisibleItem(moving);
  if (end == NULL) end = moving;
  SelectRange(GetNode(m_hAnchor), GetNode(end), true);
}

void CtqTreeCtrl::OnSetFocus(CWnd*) {
  Default();
  if (m_bMultiSelect) InvalidateSelection();
}

void CtqTreeCtrl::OnKillFocus(CWnd*) {
  Default();
  if (m_bMultiSelect) InvalidateSelection();
}
