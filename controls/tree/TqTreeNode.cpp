#include "tree/TqTreeNode.h"

CtqTreeNode::CtqTreeNode(CtqTreeCtrl* pTree, DWORD_PTR dwData) : CtqTreeItem(pTree), m_dwData(dwData), m_pOwnerTree(pTree) {
  SetText(_T(""));
}

CtqTreeNode::CtqTreeNode(CtqTreeCtrl* pTree, LPCTSTR lpszText, DWORD_PTR dwData)
    : CtqTreeItem(pTree), m_dwData(dwData), m_pOwnerTree(pTree) {
  SetText(lpszText);
}

CtqTreeNode::~CtqTreeNode() {}

void CtqTreeNode::QueryDropEffect(IDataObject*, DWORD, DWORD* pdwEffect) { *pdwEffect = DROPEFFECT_NONE; }

BOOL CtqTreeNode::Drop(IDataObject*, DWORD, POINTL, DWORD* pdwEffect) {
  *pdwEffect = DROPEFFECT_NONE;
  return 0;
}

bool CtqTreeNode::IsEqual(const CtqTreeNode& other) const { return m_dwData == other.m_dwData; }

void CtqTreeNode::OnReserved1() {}

void CtqTreeNode::OnReserved2() {}

bool CtqTreeNode::OnDoubleClick() { return true; }

void CtqTreeNode::OnContextMenuCommand(UINT) {}

void CtqTreeNode::OnReserved3(UINT) {}

void CtqTreeNode::PrepareContextMenu(CMenu*) {}

void CtqTreeNode::OnUpdateCommandUI(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

bool CtqTreeNode::HasContextMenu() { return true; }

bool CtqTreeNode::IsReserved4() { return true; }

UINT CtqTreeNode::GetContextMenuId() { return 0; }

LPCTSTR CtqTreeNode::GetToolTipText(CToolTipCtrl&) { return NULL; }

LRESULT CtqTreeNode::OnReserved5(UINT, WPARAM, LPARAM, DWORD, LRESULT* pResult) {
  *pResult = 0;
  return 0;
}
