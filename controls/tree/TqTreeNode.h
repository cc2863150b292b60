// The node base: one object per item of a CtqTreeCtrl, standing for a record of its owner (the item
// data), and deciding on double-clicks, context menus, tooltips and drops.
#pragma once

#include "tree/TqTreeItem.h"

class CtqTreeNode : public CtqTreeItem {
 public:
  CtqTreeNode(CtqTreeCtrl* pTree, DWORD_PTR dwData);
  CtqTreeNode(CtqTreeCtrl* pTree, LPCTSTR lpszText, DWORD_PTR dwData);
  ~CtqTreeNode() override;

  void QueryDropEffect(IDataObject* pDataObject, DWORD dwKeyState, DWORD* pdwEffect) override;
  BOOL Drop(IDataObject* pDataObject, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override;
  // Both nodes stand for the same record.
  virtual bool IsEqual(const CtqTreeNode& other) const;
  virtual void OnReserved1();
  virtual void OnReserved2();
  // True lets the tree expand or collapse the item as usual; false stops that.
  virtual bool OnDoubleClick();
  // The command chosen from the node's context menu.
  virtual void OnContextMenuCommand(UINT nID);
  virtual void OnReserved3(UINT nValue);
  // Adjusts the loaded menu before it shows.
  virtual void PrepareContextMenu(CMenu* pMenu);
  // The state of one entry of the context menu: disabled unless a node says otherwise.
  virtual void OnUpdateCommandUI(CCmdUI* pCmdUI);
  virtual bool HasContextMenu();
  virtual bool IsReserved4();
  // The menu resource of the context menu; 0: none.
  virtual UINT GetContextMenuId();
  // The tooltip's text for this node, or NULL.
  virtual LPCTSTR GetToolTipText(CToolTipCtrl& toolTip);
  virtual LRESULT OnReserved5(UINT nCode, WPARAM wParam, LPARAM lParam, DWORD dwFlags, LRESULT* pResult);

  DWORD_PTR GetData() const { return m_dwData; }
  CtqTreeCtrl* GetOwnerTree() const { return m_pOwnerTree; }

 protected:
  DWORD_PTR m_dwData;
  CtqTreeCtrl* m_pOwnerTree;
};
