// MFC: the common controls' classes (image lists, the tooltip control and the tree view).
#pragma once

#include <commctrl.h>

#include "afxwin.h"

// An image list; the object destroys the list it holds when it goes.
class STANDIN_API CImageList : public CObject {
  DECLARE_DYNCREATE(CImageList)
 public:
  CImageList();
  ~CImageList() override;

  HIMAGELIST m_hImageList;
  operator HIMAGELIST() const { return m_hImageList; }
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }

  // As windows: an object made by Create or Attach is the list's permanent object for the
  // process; FromHandle gives it, or a temporary wrapper for the thread until its idle time
  // (never destroying the list).
  static CImageList* PASCAL FromHandle(HIMAGELIST hImageList);
  static CImageList* PASCAL FromHandlePermanent(HIMAGELIST hImageList);
  static void PASCAL DeleteTempMap();

  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  // A bitmap resource (from the module along the resource chain that has it, as the calling
  // module sees it) cut into images cx wide, masked on crMask.
  AFX_MODULE_LOCAL BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
    return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
  }
  AFX_MODULE_LOCAL BOOL Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask) {
    const HINSTANCE module = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
    return Attach(ImageList_LoadBitmap(module, lpszBitmapID, cx, nGrow, crMask));
  }
  BOOL Attach(HIMAGELIST hImageList);
  HIMAGELIST Detach();
  BOOL DeleteImageList();

  int GetImageCount() const;
  int Add(CBitmap* pbmImage, CBitmap* pbmMask);
  int Add(CBitmap* pbmImage, COLORREF crMask);
  COLORREF SetBkColor(COLORREF cr);
  COLORREF GetBkColor() const;
  BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
};

// The tooltip control. Create registers the common controls' classes and makes the control's
// window, owned by pParentWnd's window.
class STANDIN_API CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)
 public:
  CToolTipCtrl();
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

  void Activate(BOOL bActivate);
  // A tool for pWnd: the whole window when there is no id (TTF_IDISHWND), else the rectangle of
  // its client area with that id.
  BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
  // The text is string resource nIDText, from the module along the resource chain that has it, as
  // the calling module sees it.
  AFX_MODULE_LOCAL BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0) {
    return AddTool(pWnd, AfxFindResourceHandle(MAKEINTRESOURCE((nIDText >> 4) + 1), RT_STRING), nIDText, lpRectTool,
                   nIDTool);
  }
  BOOL AddTool(CWnd* pWnd, HINSTANCE hInstText, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool);
  void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void RelayEvent(LPMSG lpMsg);
  void Pop();
  int SetMaxTipWidth(int iWidth);
  int GetToolCount() const;
};

class CEdit;  // a label edit has no edit control here (TVM_EDITLABEL, comctl32)

// The tree view ("SysTreeView32", comctl32): every member sends the message of its name.
class STANDIN_API CTreeCtrl : public CWnd {
  DECLARE_DYNAMIC(CTreeCtrl)
 public:
  CTreeCtrl();
  ~CTreeCtrl() override;

  // Registers the common controls' classes and makes the control's window.
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
  UINT GetCount() const;
  UINT GetIndent() const;
  void SetIndent(UINT nIndent);
  CImageList* GetImageList(int nImageList) const;
  // The list set before (FromHandle), or NULL.
  CImageList* SetImageList(CImageList* pImageList, int nImageListType);
  UINT GetVisibleCount() const;

  HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;
  HTREEITEM GetChildItem(HTREEITEM hItem) const;
  HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
  HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const;
  HTREEITEM GetParentItem(HTREEITEM hItem) const;
  HTREEITEM GetFirstVisibleItem() const;
  HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const;
  HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const;
  HTREEITEM GetSelectedItem() const;
  HTREEITEM GetDropHilightItem() const;
  HTREEITEM GetRootItem() const;

  BOOL GetItem(TVITEM* pItem) const;
  CString GetItemText(HTREEITEM hItem) const;
  BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
  UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
  DWORD_PTR GetItemData(HTREEITEM hItem) const;
  BOOL ItemHasChildren(HTREEITEM hItem) const;
  BOOL SetItem(TVITEM* pItem);
  BOOL SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
               UINT nStateMask, LPARAM lParam);
  BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszItem);
  BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
  BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
  BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);

  HTREEITEM InsertItem(LPTVINSERTSTRUCT lpInsertStruct);
  HTREEITEM InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                       LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
  HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
  HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                       HTREEITEM hInsertAfter = TVI_LAST);
  BOOL DeleteItem(HTREEITEM hItem);
  BOOL DeleteAllItems();
  BOOL Expand(HTREEITEM hItem, UINT nCode);
  BOOL Select(HTREEITEM hItem, UINT nCode);
  BOOL SelectItem(HTREEITEM hItem);
  BOOL SelectDropTarget(HTREEITEM hItem);
  BOOL SelectSetFirstVisible(HTREEITEM hItem);
  // The edit runs to its end inside the call (the scripted user answers it): always NULL.
  CEdit* EditLabel(HTREEITEM hItem);
  HTREEITEM HitTest(CPoint pt, UINT* pFlags = NULL) const;
  HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const;
  BOOL EnsureVisible(HTREEITEM hItem);
  BOOL SortChildren(HTREEITEM hItem);
  BOOL SortChildrenCB(LPTVSORTCB pSort);
};
