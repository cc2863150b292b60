#include "tree/TqSelectableTreeNode.h"

#include "tree/TqSelectableTreeCtrl.h"

CtqSelectableTreeNode::CtqSelectableTreeNode(CtqSelectableTreeCtrl* pTree, LPCTSTR lpszText, DWORD_PTR dwData)
    : CtqTreeNode(pTree, lpszText, dwData), m_nCheckState(kUnchecked) {}

CtqSelectableTreeCtrl* CtqSelectableTreeNode::GetSelectableTree() const {
  return static_cast<CtqSelectableTreeCtrl*>(m_pOwnerTree);
}

void CtqSelectableTreeNode::ToggleCheck() {
  m_nCheckState = m_nCheckState == kUnchecked ? kChecked : kUnchecked;
  ShowCheckState();
}

void CtqSelectableTreeNode::SetCheckState(int nState) {
  m_nCheckState = nState;
  ShowCheckState();
  if (GetSelectableTree() != NULL) GetSelectableTree()->UpdateParentStates(GetHandle());
}

void CtqSelectableTreeNode::ShowCheckState() {
  SetImage(m_nCheckState);
  SetSelectedImage(m_nCheckState, true);
}
