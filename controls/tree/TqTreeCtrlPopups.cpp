// CtqTreeCtrl: the nodes' context menus (owner-drawn while open) and the tooltip that shows a
// node's text.
#include "tree/TqTreeCtrl.h"

namespace {

// The node the tooltip shows now: one for the process, as the pointer is over one tree at a time.
CtqTreeNode* g_pToolTipNode = NULL;

constexpr UINT kOnItem = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;

}  // namespace

void CtqTreeCtrl::ForgetItem(HTREEITEM hItem, CtqTreeNode* pNode) {
  if (m_hCurrent == hItem) m_hCurrent = NULL;
  if (m_hAnchor == hItem) m_hAnchor = NULL;
  if (m_hDropHighlight == hItem) m_hDropHighlight = NULL;
  if (g_pToolTipNode == pNode) g_pToolTipNode = NULL;
}

// ---------------------------------------------------------------------------------------------
// Context menus

void CtqTreeCtrl::ShowContextMenu(CPoint ptClient) {
  CtqTreeNode* node = GetNode(m_hCurrent);
  if (node == NULL || !node->HasContextMenu()) return;
  const UINT id = node->GetContextMenuId();
  if (id == 0) return;
  CMenu menu;
  if (!menu.LoadMenu(id)) return;
  node->PrepareContextMenu(&menu);
  if (CMenu* popup = menu.GetSubMenu(0)) {
    // The whole menu is converted, so the popup's items draw as the cool menu's ordinary items.
    m_pPopupMenu = new CtqPopupCoolMenu(&menu);
    CPoint screen = ptClient;
    ClientToScreen(&screen);
    const UINT command = popup->TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, this);
    if (command != 0)
      if (CtqTreeNode* chosen = GetNode(m_hCurrent)) chosen->OnContextMenuCommand(command);
    delete m_pPopupMenu;
    m_pPopupMenu = NULL;
  }
  menu.DestroyMenu();
}

void CtqTreeCtrl::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (m_pPopupMenu != NULL && m_pPopupMenu->DrawItem(lpDrawItemStruct)) return;
  CTreeCtrl::OnDrawItem(nIDCtl, lpDrawItemStruct);
}

void CtqTreeCtrl::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (m_pPopupMenu != NULL && m_pPopupMenu->MeasureItem(lpMeasureItemStruct)) return;
  CTreeCtrl::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void CtqTreeCtrl::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  CTreeCtrl::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
  if (CtqTreeNode* node = GetNode(m_hCurrent)) UpdateMenuEntries(pPopupMenu, node);
}

// Each command entry's state comes from the node; separators are skipped, submenus walked.
void CtqTreeCtrl::UpdateMenuEntries(CMenu* pMenu, CtqTreeNode* pNode) {
  const UINT count = pMenu->GetMenuItemCount();
  for (UINT index = 0; index < count; ++index) {
    if (CMenu* submenu = pMenu->GetSubMenu(static_cast<int>(index))) {
      UpdateMenuEntries(submenu, pNode);
      continue;
    }
    const UINT id = pMenu->GetMenuItemID(static_cast<int>(index));
    if (id == 0 || (pMenu->GetMenuState(index, MF_BYPOSITION) & MF_SEPARATOR)) continue;
    CCmdUI state;
    state.m_nID = id;
    state.m_nIndex = index;
    state.m_nIndexMax = count;
    state.m_pMenu = pMenu;
    pNode->OnUpdateCommandUI(&state);
  }
}

// ---------------------------------------------------------------------------------------------
// Tooltips

BOOL CtqTreeCtrl::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_MOUSEMOVE && pMsg->hwnd == m_hWnd) {
    UINT flags = 0;
    CtqTreeNode* node = NULL;
    const CPoint point(static_cast<SHORT>(LOWORD(pMsg->lParam)), static_cast<SHORT>(HIWORD(pMsg->lParam)));
    const HTREEITEM hItem = NodeItemAt(point, &flags, &node);
    if (hItem != NULL && (flags & kOnItem)) {
      if (node != g_pToolTipNode) {
        if (m_toolTip.GetSafeHwnd() == NULL) {
          m_toolTip.Create(this);
          m_toolTip.Activate(TRUE);
          m_toolTip.AddTool(this, _T("Tree Tool Tip"));
        }
        m_toolTip.Pop();
        m_toolTip.UpdateTipText(node->GetToolTipText(m_toolTip), this);
        m_toolTip.RelayEvent(pMsg);
        g_pToolTipNode = node;
      }
    } else {
      g_pToolTipNode = NULL;
      if (m_toolTip.GetSafeHwnd() != NULL) m_toolTip.Pop();
    }
  }
  return CTreeCtrl::PreTranslateMessage(pMsg);
}
