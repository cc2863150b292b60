// One item of a CtqTreeCtrl with its item record. A new record carries TVIF_PARAM with the object
// itself as item data, so every item inserted through this library leads back to its node.
#pragma once

#include "stdafx.h"

class CtqTreeCtrl;
class CtqTreeNode;

class CtqTreeItem {
 public:
  explicit CtqTreeItem(CtqTreeCtrl* pTree = NULL);
  // An existing item of the tree (its handle only).
  CtqTreeItem(CtqTreeCtrl* pTree, HTREEITEM hItem);
  // The owner, the record's fields and the text, which the copy keeps in a buffer of its own.
  CtqTreeItem(const CtqTreeItem& other);
  CtqTreeItem& operator=(const CtqTreeItem& other);
  virtual ~CtqTreeItem();

  // What a drop of the data here would do (DROPEFFECT_NONE here) and the drop itself (nothing,
  // DROPEFFECT_NONE, 0 here).
  virtual void QueryDropEffect(IDataObject* pDataObject, DWORD dwKeyState, DWORD* pdwEffect);
  virtual BOOL Drop(IDataObject* pDataObject, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect);

  // Each setter sets its mask bit; bUpdate sends the record at once (TVM_SETITEM).
  void SetText(LPCTSTR lpszText, bool bUpdate = false);
  void SetImage(int nImage, bool bUpdate = false);
  void SetSelectedImage(int nImage, bool bUpdate = false);
  void SetHandle(HTREEITEM hItem, bool bUpdate = false);
  BOOL Update();

  HTREEITEM GetHandle() const { return m_item.hItem; }
  CtqTreeCtrl* GetTree() const { return m_pTree; }
  const TVITEM& GetRecord() const { return m_item; }
  // The cached text; read from the control (a 260-byte buffer) when asked or when none is cached.
  LPCTSTR GetText(bool bRefresh = false);
  // The cached state; read from the control when asked. The read never stays in the record's
  // mask, so no later setter writes an old state back.
  UINT GetState(bool bRefresh = false);

  BOOL Delete();
  BOOL Expand(UINT nCode);
  BOOL EnsureVisible();
  // Empty items (no handle) for none, and for an item without a handle.
  CtqTreeItem GetParent() const;
  CtqTreeItem GetFirstChild() const;
  CtqTreeItem GetNextSibling() const;
  // The node's record inserted as this item's child after hInsertAfter, or as this item's next
  // sibling; the new handle, or NULL. An empty item stands for the root.
  HTREEITEM InsertChild(CtqTreeNode* pNode, HTREEITEM hInsertAfter = TVI_LAST);
  HTREEITEM InsertNextSibling(CtqTreeNode* pNode);

 protected:
  CtqTreeItem Related(UINT nCode) const;
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;
  void SetOwnText(LPCTSTR lpszText, int nCapacity);

  CtqTreeCtrl* m_pTree;
  TVITEM m_item;
  LPTSTR m_pszText;  // the record's text, owned (NULL when none)
};
