// A node with a three-state check mark (0 unchecked, 1 checked, 2 mixed), shown as the item's
// image and selected image.
#pragma once

#include "tree/TqTreeNode.h"

class CtqSelectableTreeCtrl;

class CtqSelectableTreeNode : public CtqTreeNode {
 public:
  enum { kUnchecked = 0, kChecked = 1, kMixed = 2 };

  CtqSelectableTreeNode(CtqSelectableTreeCtrl* pTree, LPCTSTR lpszText, DWORD_PTR dwData);

  // 0 becomes 1, 1 and 2 become 0; shown at once. Other items are left alone.
  virtual void ToggleCheck();
  // Stores and shows the state, then the tree recomputes the ancestors' states.
  virtual void SetCheckState(int nState);

  int GetCheckState() const { return m_nCheckState; }
  // The state as image and selected image, sent at once.
  void ShowCheckState();

 protected:
  CtqSelectableTreeCtrl* GetSelectableTree() const;

  int m_nCheckState;
};
