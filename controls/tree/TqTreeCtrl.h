// The library's tree control: a CTreeCtrl that keeps one node object per item, lets each node
// decide on double-clicks, context menus, tooltips and drops, can select several items with the
// mouse and keyboard (multi-selection, off unless switched on), and is an OLE drag source and drop
// target.
#pragma once

#include <afxole.h>

#include "menus/TqCoolMenu.h"
#include "stdafx.h"
#include "tree/TqIUnknown.h"
#include "tree/TqTreeItem.h"
#include "tree/TqTreeNode.h"
#include "tree/TqTreeNodeMap.h"

class CtqTreeCtrl : public CTreeCtrl, public CtqIUnknown, public IDropTarget, public IDropSource {
  DECLARE_DYNCREATE(CtqTreeCtrl)
 public:
  CtqTreeCtrl();
  ~CtqTreeCtrl() override;

  // Inserts the node's record as the parent's last child; on success the node gets its handle,
  // joins the map (the tree owns it from then on) and the parent expands when asked. A node that
  // could not be inserted stays its caller's (FALSE).
  virtual BOOL InsertNode(CtqTreeNode* pNode, CtqTreeItem& parent, bool bExpandParent);
  // Called for each node that leaves the map, with its item data.
  virtual void OnDeleteItemData(DWORD_PTR dwData);
  // The reflected TVN_SELCHANGED: in single-selection mode the new item becomes the current one.
  virtual void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
  // The data of a drag that starts here (one reference for the caller), or NULL: nothing to drag.
  virtual IDataObject* CreateDragDataObject();
  // The current node's context menu, tracked at the client point.
  virtual void ShowContextMenu(CPoint ptClient);
  virtual BOOL CanEditLabel(CtqTreeNode* pNode);
  virtual void OnLabelEdited(CtqTreeNode* pNode, CString& strNewText);

  // Multi-selection: off at construction; no code of this system switches it on.
  void SetMultiSelect(bool bMultiSelect) { m_bMultiSelect = bMultiSelect; }
  bool IsMultiSelect() const { return m_bMultiSelect; }

  // Replaces CTreeCtrl::SetItemState: in multi-selection mode TVIS_FOCUSED stands for being the
  // caret and TVIS_SELECTED for being selected, independently. FALSE when the caret cannot move or
  // TVN_SELCHANGING is vetoed.
  BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
  BOOL IsSelected(HTREEITEM hItem) const;
  // The selected nodes in display order among the visible items.
  CtqTreeNode* GetFirstSelectedNode();
  CtqTreeNode* GetNextSelectedNode(CtqTreeNode* pNode);
  void SelectAll(bool bSelect);
  void SelectAllExcept(bool bSelect, CtqTreeNode* pNode);
  void SelectRange(CtqTreeNode* pFrom, CtqTreeNode* pTo, bool bClearOthers);
  // The node at the root after the first root item (into an empty tree: the only root item).
  BOOL InsertTopLevelNode(CtqTreeNode* pNode);
  // Every node (OnDeleteItemData each), then every item.
  void DeleteAllNodes();
  CtqTreeNode* GetNode(HTREEITEM hItem);
  // A node of the map answers its own handle; another (a probe) the first equal node's.
  HTREEITEM GetItemOfNode(CtqTreeNode* pNode);
  CtqTreeNode* FindNodeByData(DWORD_PTR dwData);
  CtqTreeNode* GetCurrentNode();
  CtqTreeItem GetRootItem();
  void SetCurrentItem(HTREEITEM hItem);
  HTREEITEM GetCurrentItem() const { return m_hCurrent; }
  HTREEITEM GetAnchorItem() const { return m_hAnchor; }
  // WM_NOTIFY to the parent with the control's id; true when the answer is non-zero.
  bool SendNotify(NMHDR* pNMHDR);

  // The node map tells the tree of each node it removes: the current, anchor and drop-highlight
  // items and the tooltip's node forget it.
  void ForgetItem(HTREEITEM hItem, CtqTreeNode* pNode);

  // IUnknown of every COM part, and the parts.
  STDMETHODIMP QueryInterface(REFIID riid, void** ppvObject) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override;
  STDMETHODIMP GiveFeedback(DWORD dwEffect) override;
  STDMETHODIMP DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
  STDMETHODIMP DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
  STDMETHODIMP DragLeave() override;
  STDMETHODIMP Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

  void PreSubclassWindow() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  // Drop registration, styles and indent, for a subclassed or a created window.
  void SetUpWindow();
  // The node under a client point and the hit-test flags; an item without a node is empty space.
  HTREEITEM NodeItemAt(CPoint point, UINT* pFlags, CtqTreeNode** ppNode = NULL);
  void ClickRules(CPoint point, UINT nFlags, bool bLeft);
  void ItemRules(HTREEITEM hItem, CtqTreeNode* pNode, UINT nFlags, bool bLeft);
  void TrackPress(HTREEITEM hItem, CPoint point, bool bLeft);
  void RubberBand(CPoint point, UINT nFlags, bool bLeft);
  void BeginDrag(HTREEITEM hItem);
  void UpdateMenuEntries(CMenu* pMenu, CtqTreeNode* pNode);
  void InvalidateSelection();
  HTREEITEM LastSelectedItem();

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

  bool m_bMultiSelect;
  HTREEITEM m_hAnchor;          // the fixed end of a shift-extended selection
  int m_nMouseState;            // 0 idle, 1 the press ended as a click, 2 it became a drag
  CtqTreeNodeMap m_nodeMap;
  HTREEITEM m_hCurrent;         // the item the control itself last made the caret
  HTREEITEM m_hDropHighlight;
  int m_nRightState;            // 0 idle, 1 pressed on an item, 2 a right-button drag has started
  CtqPopupCoolMenu* m_pPopupMenu;  // while a node's context menu is open
  CRect m_rcRightDrag;          // the double-click rectangle around the right press
  IDataObject* m_pDragData;     // the data of the OLE drag over the control, held
  bool m_bRightDrop;            // the last DragOver's key state held MK_RBUTTON
  CToolTipCtrl m_toolTip;       // made on first use
};
