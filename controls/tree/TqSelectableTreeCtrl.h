// The tree control with a check mark on every item: toggling an item carries its new state to
// all its descendants and recomputes every ancestor's state from its children.
#pragma once

#include "tree/TqSelectableTreeNode.h"
#include "tree/TqTreeCtrl.h"

class CtqSelectableTreeCtrl : public CtqTreeCtrl {
  DECLARE_DYNCREATE(CtqSelectableTreeCtrl)
 public:
  // The check images: bitmap IDB_TQ_CHECK_STATES, 13 pixels wide, white transparent.
  CtqSelectableTreeCtrl();
  ~CtqSelectableTreeCtrl() override;

  // The item's selectable node toggles, its descendants take its new state, its ancestors are
  // recomputed; an item without a selectable node is left alone.
  virtual void ToggleCheck(HTREEITEM hItem);

  // The base insertion, then the parent reflects the new child.
  BOOL InsertNode(CtqTreeNode* pNode, CtqTreeItem& parent, bool bExpandParent) override;
  void PreSubclassWindow() override;

  // The item and its following siblings, each subtree first, take the state.
  void SetSubtreeState(HTREEITEM hFirst, int nState);
  // Each ancestor up to the root: mixed when its selectable children differ, else their state; a
  // parent without selectable children keeps its state, and a parent that is no selectable node
  // ends the walk.
  void UpdateParentStates(HTREEITEM hItem);

  CtqSelectableTreeNode* GetSelectableNode(HTREEITEM hItem);
  CImageList& GetCheckImages() { return m_checkImages; }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  DECLARE_MESSAGE_MAP()

  CImageList m_checkImages;
};
