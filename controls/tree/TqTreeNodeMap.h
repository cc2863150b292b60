// The nodes of one tree by item handle, in handle order. The map owns its nodes: an entry leaves
// through the tree's OnDeleteItemData with the node's item data, then the node is deleted.
#pragma once

#include <map>
#include <unordered_map>

#include "stdafx.h"

class CtqTreeCtrl;
class CtqTreeNode;

class CtqTreeNodeMap {
 public:
  explicit CtqTreeNodeMap(CtqTreeCtrl* pTree);
  ~CtqTreeNodeMap();

  void Add(HTREEITEM hItem, CtqTreeNode* pNode);
  // The node of the handle (its stored handle refreshed from the key), or NULL.
  CtqTreeNode* Find(HTREEITEM hItem);
  // The first handle, in handle order, whose node IsEqual the probe; NULL for none.
  HTREEITEM FindEqual(const CtqTreeNode& probe) const;
  // The entries of the item and its whole subtree, children first, depth first.
  void RemoveSubtree(HTREEITEM hItem);
  // The subtrees of every child of the item.
  void RemoveChildren(HTREEITEM hItem);
  // Everything: the tree's items children first while the window is there, then what is left in
  // handle order.
  void RemoveAll();
  size_t GetCount() const { return m_nodes.size(); }

 private:
  void Remove(HTREEITEM hItem);

  CtqTreeCtrl* m_pTree;
  std::map<HTREEITEM, CtqTreeNode*> m_nodes;
  // The same entries by hash, for the look-ups every walk makes per item; the ordered map decides
  // where handle order matters.
  std::unordered_map<HTREEITEM, CtqTreeNode*> m_index;

  CtqTreeNodeMap(const CtqTreeNodeMap&) = delete;
  CtqTreeNodeMap& operator=(const CtqTreeNodeMap&) = delete;
};
