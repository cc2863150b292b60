#include "tree/TqSelectableTreeCtrl.h"

#include "ControlsResource.h"

IMPLEMENT_DYNCREATE(CtqSelectableTreeCtrl, CtqTreeCtrl)

BEGIN_MESSAGE_MAP(CtqSelectableTreeCtrl, CtqTreeCtrl)
ON_WM_CREATE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_CHAR()
END_MESSAGE_MAP()

CtqSelectableTreeCtrl::CtqSelectableTreeCtrl() {
  m_checkImages.Create(IDB_TQ_CHECK_STATES, 13, 1, RGB(255, 255, 255));
}

CtqSelectableTreeCtrl::~CtqSelectableTreeCtrl() {}

void CtqSelectableTreeCtrl::PreSubclassWindow() {
  CtqTreeCtrl::PreSubclassWindow();
  SetImageList(&m_checkImages, TVSIL_NORMAL);
}

// A window made by Create gets the images here too: while it is being made (PreSubclassWindow)
// the control cannot take them yet.
int CtqSelectableTreeCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CtqTreeCtrl::OnCreate(lpCreateStruct) == -1) return -1;
  SetImageList(&m_checkImages, TVSIL_NORMAL);
  return 0;
}

CtqSelectableTreeNode* CtqSelectableTreeCtrl::GetSelectableNode(HTREEITEM hItem) {
  return dynamic_cast<CtqSelectableTreeNode*>(GetNode(hItem));
}

BOOL CtqSelectableTreeCtrl::InsertNode(CtqTreeNode* pNode, CtqTreeItem& parent, bool bExpandParent) {
  if (!CtqTreeCtrl::InsertNode(pNode, parent, bExpandParent)) return FALSE;
  UpdateParentStates(pNode->GetHandle());
  return TRUE;
}

void CtqSelectableTreeCtrl::ToggleCheck(HTREEITEM hItem) {
  CtqSelectableTreeNode* node = GetSelectableNode(hItem);
  if (node == NULL) return;
  node->ToggleCheck();
  if (const HTREEITEM child = GetChildItem(hItem)) SetSubtreeState(child, node->GetCheckState());
  UpdateParentStates(hItem);
}

void CtqSelectableTreeCtrl::SetSubtreeState(HTREEITEM hFirst, int nState) {
  for (HTREEITEM hItem = hFirst; hItem != NULL; hItem = GetNextSiblingItem(hItem)) {
    if (const HTREEITEM child = GetChildItem(hItem)) SetSubtreeState(child, nState);
    if (CtqSelectableTreeNode* node = GetSelectableNode(hItem)) node->SetCheckState(nState);
  }
}

void CtqSelectableTreeCtrl::UpdateParentStates(HTREEITEM hItem) {
  for (HTREEITEM hParent = GetParentItem(hItem); hParent != NULL; hParent = GetParentItem(hParent)) {
    CtqSelectableTreeNode* parent = GetSelectableNode(hParent);
    if (parent == NULL) return;
    bool any = false, differ = false;
    int reference = CtqSelectableTreeNode::kUnchecked;
    for (HTREEITEM child = GetChildItem(hParent); child != NULL && !differ; child = GetNextSiblingItem(child)) {
      CtqSelectableTreeNode* node = GetSelectableNode(child);
      if (node == NULL) continue;
      if (!any) {
        reference = node->GetCheckState();
        any = true;
      } else if (node->GetCheckState() != reference) {
        differ = true;
      }
    }
    if (!any) return;
    parent->SetCheckState(differ ? CtqSelectableTreeNode::kMixed : reference);
  }
}

void CtqSelectableTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  CtqTreeCtrl::OnLButtonDown(nFlags, point);
  UINT flags = 0;
  const HTREEITEM hItem = HitTest(point, &flags);
  if (hItem != NULL && (flags & TVHT_ONITEMICON)) {
    SetCurrentItem(hItem);
    ToggleCheck(hItem);
  }
}

// A double-click on a check mark is a second press on it: the mark toggles twice in all.
void CtqSelectableTreeCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
  UINT flags = 0;
  HitTest(point, &flags);
  if (flags & TVHT_ONITEMICON)
    OnLButtonDown(nFlags, point);
  else
    CtqTreeCtrl::OnLButtonDblClk(nFlags, point);
}

void CtqSelectableTreeCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == ' ') {
    if (const HTREEITEM hCaret = GetSelectedItem()) ToggleCheck(hCaret);
    return;
  }
  CtqTreeCtrl::OnChar(nChar, nRepCnt, nFlags);
}
