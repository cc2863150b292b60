#include "tree/TqTreeNodeMap.h"

#include "tree/TqTreeCtrl.h"

CtqTreeNodeMap::CtqTreeNodeMap(CtqTreeCtrl* pTree) : m_pTree(pTree) {}

CtqTreeNodeMap::~CtqTreeNodeMap() { RemoveAll(); }

void CtqTreeNodeMap::Add(HTREEITEM hItem, CtqTreeNode* pNode) {
  m_nodes[hItem] = pNode;
  m_index[hItem] = pNode;
}

CtqTreeNode* CtqTreeNodeMap::Find(HTREEITEM hItem) {
  auto it = m_index.find(hItem);
  if (it == m_index.end()) return NULL;
  it->second->SetHandle(hItem);
  return it->second;
}

HTREEITEM CtqTreeNodeMap::FindEqual(const CtqTreeNode& probe) const {
  for (const auto& entry : m_nodes)
    if (entry.second->IsEqual(probe)) return entry.first;
  return NULL;
}

void CtqTreeNodeMap::Remove(HTREEITEM hItem) {
  auto it = m_nodes.find(hItem);
  if (it == m_nodes.end()) return;
  CtqTreeNode* node = it->second;
  m_nodes.erase(it);
  m_index.erase(hItem);
  m_pTree->ForgetItem(hItem, node);
  m_pTree->OnDeleteItemData(node->GetData());
  delete node;
}

void CtqTreeNodeMap::RemoveChildren(HTREEITEM hItem) {
  if (m_pTree->GetSafeHwnd() == NULL) return;
  HTREEITEM child = m_pTree->GetChildItem(hItem);
  while (child != NULL) {
    const HTREEITEM next = m_pTree->GetNextSiblingItem(child);
    RemoveSubtree(child);
    child = next;
  }
}

void CtqTreeNodeMap::RemoveSubtree(HTREEITEM hItem) {
  RemoveChildren(hItem);
  Remove(hItem);
}

void CtqTreeNodeMap::RemoveAll() {
  if (m_pTree->GetSafeHwnd() != NULL && ::IsWindow(m_pTree->GetSafeHwnd())) RemoveChildren(TVI_ROOT);
  while (!m_nodes.empty()) Remove(m_nodes.begin()->first);
}
