// CtqTreeCtrl: construction, the window's set-up, nodes, and the selection rules.
#include "tree/TqTreeCtrl.h"

#include <vector>

IMPLEMENT_DYNCREATE(CtqTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CtqTreeCtrl, CTreeCtrl)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_CONTEXTMENU()
ON_WM_KEYDOWN()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_INITMENUPOPUP()
ON_NOTIFY_REFLECT(TVN_SELCHANGED, OnSelChanged)
ON_NOTIFY_REFLECT(TVN_ITEMEXPANDING, OnItemExpanding)
ON_NOTIFY_REFLECT(TVN_BEGINDRAG, OnBeginDrag)
ON_NOTIFY_REFLECT(TVN_BEGINLABELEDIT, OnBeginLabelEdit)
ON_NOTIFY_REFLECT(TVN_ENDLABELEDIT, OnEndLabelEdit)
END_MESSAGE_MAP()

CtqTreeCtrl::CtqTreeCtrl()
    : m_bMultiSelect(false),
      m_hAnchor(NULL),
      m_nMouseState(0),
      m_nodeMap(this),
      m_hCurrent(NULL),
      m_hDropHighlight(NULL),
      m_nRightState(0),
      m_pPopupMenu(NULL),
      m_rcRightDrag(0, 0, 0, 0),
      m_pDragData(NULL),
      m_bRightDrop(false) {}

CtqTreeCtrl::~CtqTreeCtrl() {
  if (m_pDragData != NULL) m_pDragData->Release();
}

// ---------------------------------------------------------------------------------------------
// The window

void CtqTreeCtrl::SetUpWindow() {
  ::RegisterDragDrop(m_hWnd, static_cast<IDropTarget*>(this));
  ModifyStyle(0,
              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                  TVS_EDITLABELS | TVS_SHOWSELALWAYS,
              SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  SetIndent(8);
}

void CtqTreeCtrl::PreSubclassWindow() {
  CTreeCtrl::PreSubclassWindow();
  SetUpWindow();
}

int CtqTreeCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CTreeCtrl::OnCreate(lpCreateStruct) == -1) return -1;
  SetUpWindow();
  return 0;
}

void CtqTreeCtrl::OnDestroy() {
  ::RevokeDragDrop(m_hWnd);
  CTreeCtrl::OnDestroy();
}

// ---------------------------------------------------------------------------------------------
// Nodes

BOOL CtqTreeCtrl::InsertNode(CtqTreeNode* pNode, CtqTreeItem& parent, bool bExpandParent) {
  const HTREEITEM hItem = parent.InsertChild(pNode, TVI_LAST);
  if (hItem == NULL) return FALSE;
  pNode->SetHandle(hItem);
  m_nodeMap.Add(hItem, pNode);
  if (bExpandParent) parent.Expand(TVE_EXPAND);
  return TRUE;
}

void CtqTreeCtrl::OnDeleteItemData(DWORD_PTR) {}

BOOL CtqTreeCtrl::InsertTopLevelNode(CtqTreeNode* pNode) {
  CtqTreeItem first = GetRootItem();
  const HTREEITEM hItem = first.GetHandle() != NULL ? first.InsertNextSibling(pNode) : first.InsertChild(pNode);
  if (hItem == NULL) return FALSE;
  pNode->SetHandle(hItem);
  m_nodeMap.Add(hItem, pNode);
  return TRUE;
}

void CtqTreeCtrl::DeleteAllNodes() {
  m_nodeMap.RemoveAll();
  DeleteAllItems();
  m_hCurrent = m_hAnchor = m_hDropHighlight = NULL;
}

CtqTreeNode* CtqTreeCtrl::GetNode(HTREEITEM hItem) { return hItem != NULL ? m_nodeMap.Find(hItem) : NULL; }

HTREEITEM CtqTreeCtrl::GetItemOfNode(CtqTreeNode* pNode) {
  if (pNode == NULL) return NULL;
  // Nodes of one kind may carry equal data (every category node carries 0): a node of the map is
  // its own item, and only a probe is looked up by equality.
  const HTREEITEM own = pNode->GetHandle();
  if (own != NULL && m_nodeMap.Find(own) == pNode) return own;
  return m_nodeMap.FindEqual(*pNode);
}

CtqTreeNode* CtqTreeCtrl::FindNodeByData(DWORD_PTR dwData) {
  CtqTreeNode probe(this, dwData);
  return GetNode(m_nodeMap.FindEqual(probe));
}

CtqTreeNode* CtqTreeCtrl::GetCurrentNode() { return GetNode(GetSelectedItem()); }

CtqTreeItem CtqTreeCtrl::GetRootItem() {
  const HTREEITEM hRoot = CTreeCtrl::GetRootItem();
  return hRoot != NULL ? CtqTreeItem(this, hRoot) : CtqTreeItem(this);
}

void CtqTreeCtrl::SetCurrentItem(HTREEITEM hItem) {
  if (hItem == m_hCurrent) return;
  m_hCurrent = hItem;
  SelectItem(hItem);
}

void CtqTreeCtrl::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult) {
  if (!m_bMultiSelect) m_hCurrent = reinterpret_cast<NMTREEVIEW*>(pNMHDR)->itemNew.hItem;
  *pResult = 0;
}

bool CtqTreeCtrl::SendNotify(NMHDR* pNMHDR) {
  pNMHDR->hwndFrom = m_hWnd;
  pNMHDR->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  CWnd* parent = GetParent();
  if (parent == NULL) return false;
  return ::SendMessage(parent->m_hWnd, WM_NOTIFY, pNMHDR->idFrom, reinterpret_cast<LPARAM>(pNMHDR)) != 0;
}

// ---------------------------------------------------------------------------------------------
// Selection

BOOL CtqTreeCtrl::IsSelected(HTREEITEM hItem) const {
  return (CTreeCtrl::GetItemState(hItem, TVIS_SELECTED) & TVIS_SELECTED) != 0;
}

BOOL CtqTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) {
  if (!m_bMultiSelect) return CTreeCtrl::SetItem(hItem, TVIF_STATE, NULL, 0, 0, nState, nStateMask, 0);

  // 1. What is there now.
  const HTREEITEM hCaret = GetSelectedItem();
  const bool isCaret = hCaret != NULL && hCaret == hItem;
  const bool caretSelected = hCaret != NULL && IsSelected(hCaret);
  const bool wasSelected = IsSelected(hItem) != FALSE;
  const bool focusMentioned = (nStateMask & TVIS_FOCUSED) != 0, focusWanted = (nState & TVIS_FOCUSED) != 0;
  nState &= ~static_cast<UINT>(TVIS_FOCUSED);
  nStateMask &= ~static_cast<UINT>(TVIS_FOCUSED);
  const bool selectionMentioned = (nStateMask & TVIS_SELECTED) != 0;
  const bool selectionWanted = selectionMentioned && (nState & TVIS_SELECTED) != 0;

  if (focusMentioned && focusWanted) {
    // 2. The item becomes the caret; a selected caret elsewhere stays selected.
    if (hCaret != NULL && !isCaret && caretSelected) {
      SelectItem(NULL);
      CTreeCtrl::SetItemState(hCaret, TVIS_SELECTED, TVIS_SELECTED);
    }
    if (!SelectItem(hItem)) return FALSE;
    if (!selectionMentioned && !wasSelected) {
      nStateMask |= TVIS_SELECTED;
      nState &= ~static_cast<UINT>(TVIS_SELECTED);
    } else if (selectionWanted && !(isCaret && !wasSelected)) {
      nStateMask &= ~static_cast<UINT>(TVIS_SELECTED);
    }
  } else if (focusMentioned && isCaret) {
    // 3. The item stops being the caret and keeps what it had of the selection.
    SelectItem(NULL);
    if (!selectionMentioned && wasSelected) CTreeCtrl::SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
    if (selectionWanted && wasSelected) {
      CTreeCtrl::SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
      nStateMask &= ~static_cast<UINT>(TVIS_SELECTED);
    }
  }
  // 4.
  if (nStateMask == 0) return TRUE;
  // 5. The selection changes with the parent's consent.
  if (nStateMask & TVIS_SELECTED) {
    NMTREEVIEW nm = {};
    nm.hdr.code = TVN_SELCHANGING;
    TVITEM& described = (nState & TVIS_SELECTED) ? nm.itemNew : nm.itemOld;
    described.mask = TVIF_HANDLE | TVIF_PARAM;
    described.hItem = hItem;
    described.lParam = static_cast<LPARAM>(GetItemData(hItem));
    if (SendNotify(&nm.hdr)) return FALSE;
    CTreeCtrl::SetItemState(hItem, nState & TVIS_SELECTED, TVIS_SELECTED);
    nm.hdr.code = TVN_SELCHANGED;
    SendNotify(&nm.hdr);
    nStateMask &= ~static_cast<UINT>(TVIS_SELECTED);
  }
  // 6.
  if (nStateMask == 0) return TRUE;
  return CTreeCtrl::SetItem(hItem, TVIF_STATE, NULL, 0, 0, nState, nStateMask, 0);
}

CtqTreeNode* CtqTreeCtrl::GetFirstSelectedNode() {
  for (HTREEITEM hItem = CTreeCtrl::GetRootItem(); hItem != NULL; hItem = GetNextVisibleItem(hItem))
    if (IsSelected(hItem))
      if (CtqTreeNode* node = GetNode(hItem)) return node;
  return NULL;
}

CtqTreeNode* CtqTreeCtrl::GetNextSelectedNode(CtqTreeNode* pNode) {
  const HTREEITEM from = GetItemOfNode(pNode);
  if (from == NULL) return NULL;
  for (HTREEITEM hItem = GetNextVisibleItem(from); hItem != NULL; hItem = GetNextVisibleItem(hItem))
    if (IsSelected(hItem))
      if (CtqTreeNode* node = GetNode(hItem)) return node;
  return NULL;
}

HTREEITEM CtqTreeCtrl::LastSelectedItem() {
  CtqTreeNode* last = NULL;
  for (CtqTreeNode* node = GetFirstSelectedNode(); node != NULL; node = GetNextSelectedNode(node)) last = node;
  return last != NULL ? last->GetHandle() : NULL;
}

void CtqTreeCtrl::SelectAll(bool bSelect) { SelectAllExcept(bSelect, NULL); }

void CtqTreeCtrl::SelectAllExcept(bool bSelect, CtqTreeNode* pNode) {
  const HTREEITEM except = pNode != NULL ? GetItemOfNode(pNode) : NULL;
  for (HTREEITEM hItem = CTreeCtrl::GetRootItem(); hItem != NULL; hItem = GetNextVisibleItem(hItem))
    if (hItem != except && (IsSelected(hItem) != FALSE) != bSelect)
      SetItemState(hItem, bSelect ? TVIS_SELECTED : 0, TVIS_SELECTED);
}

void CtqTreeCtrl::SelectRange(CtqTreeNode* pFrom, CtqTreeNode* pTo, bool bClearOthers) {
  HTREEITEM from = GetItemOfNode(pFrom), to = GetItemOfNode(pTo);
  if (from == NULL) from = to;
  if (to == NULL) to = from;
  bool inside = false;  // between the first end met and the other one
  for (HTREEITEM hItem = CTreeCtrl::GetRootItem(); hItem != NULL; hItem = GetNextVisibleItem(hItem)) {
    const bool end = hItem == from || hItem == to;
    bool selected = inside;
    if (end) {
      selected = true;
      inside = !inside && from != to;
    }
    if (selected) {
      if (!IsSelected(hItem)) SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
    } else if (bClearOthers && IsSelected(hItem)) {
      SetItemState(hItem, 0, TVIS_SELECTED);
    }
  }
}

void CtqTreeCtrl::InvalidateSelection() {
  for (HTREEITEM hItem = CTreeCtrl::GetRootItem(); hItem != NULL; hItem = GetNextVisibleItem(hItem)) {
    CRect rect;
    if (IsSelected(hItem) && GetItemRect(hItem, &rect, TRUE)) InvalidateRect(&rect, TRUE);
  }
}

// The collapse rules of multi-selection: what a collapse hides leaves the selection; a hidden caret
// goes unless the collapsing item itself is selected.
void CtqTreeCtrl::OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  if (!m_bMultiSelect) return;
  const auto* nm = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
  if ((nm->action & TVE_ACTIONMASK) != TVE_COLLAPSE) return;
  const HTREEITEM hItem = nm->itemNew.hItem;
  const HTREEITEM hCaret = GetSelectedItem();
  bool caretHidden = false;
  std::vector<HTREEITEM> pending{hItem};
  while (!pending.empty()) {
    const HTREEITEM parent = pending.back();
    pending.pop_back();
    for (HTREEITEM child = GetChildItem(parent); child != NULL; child = GetNextSiblingItem(child)) {
      if (IsSelected(child)) SetItemState(child, 0, TVIS_SELECTED);
      if (child == hCaret) caretHidden = true;
      if (CTreeCtrl::GetItemState(child, TVIS_EXPANDED) & TVIS_EXPANDED) pending.push_back(child);
    }
  }
  if (caretHidden && !IsSelected(hItem)) SelectItem(NULL);
}

// ---------------------------------------------------------------------------------------------
// Label edits

void CtqTreeCtrl::OnBeginLabelEdit(NMHDR*, LRESULT* pResult) {
  CtqTreeNode* node = GetNode(GetSelectedItem());
  *pResult = node == NULL || !CanEditLabel(node);
}

void CtqTreeCtrl::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) {
  const auto* info = reinterpret_cast<NMTVDISPINFO*>(pNMHDR);
  if (info->item.pszText != NULL)
    if (CtqTreeNode* node = GetNode(info->item.hItem)) {
      CString text = info->item.pszText;
      OnLabelEdited(node, text);
    }
  *pResult = 0;  // the control never takes the text itself: the node decides
}

BOOL CtqTreeCtrl::CanEditLabel(CtqTreeNode*) { return FALSE; }

void CtqTreeCtrl::OnLabelEdited(CtqTreeNode*, CString&) {}
