// CTreeCtrl: the tree view's messages as members.
#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

CTreeCtrl::CTreeCtrl() = default;

CTreeCtrl::~CTreeCtrl() { DestroyWindow(); }

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  const INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_TREEVIEW_CLASSES};
  if (!::InitCommonControlsEx(&init)) return FALSE;
  return CWnd::Create(WC_TREEVIEW, NULL, dwStyle, rect, pParentWnd, nID);
}

namespace {

LRESULT Send(const CTreeCtrl* tree, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessage(tree->m_hWnd, message, wParam, lParam);
}

LRESULT Send(const CTreeCtrl* tree, UINT message, WPARAM wParam, HTREEITEM item) {
  return Send(tree, message, wParam, reinterpret_cast<LPARAM>(item));
}

}  // namespace

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const {
  *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
  return static_cast<BOOL>(Send(this, TVM_GETITEMRECT, static_cast<WPARAM>(bTextOnly), reinterpret_cast<LPARAM>(lpRect)));
}

UINT CTreeCtrl::GetCount() const { return static_cast<UINT>(Send(this, TVM_GETCOUNT, 0, LPARAM{0})); }

UINT CTreeCtrl::GetIndent() const { return static_cast<UINT>(Send(this, TVM_GETINDENT, 0, LPARAM{0})); }

void CTreeCtrl::SetIndent(UINT nIndent) { Send(this, TVM_SETINDENT, nIndent, LPARAM{0}); }

CImageList* CTreeCtrl::GetImageList(int nImageList) const {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(Send(this, TVM_GETIMAGELIST, static_cast<WPARAM>(nImageList), LPARAM{0})));
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
  const LPARAM list = reinterpret_cast<LPARAM>(pImageList != NULL ? pImageList->GetSafeHandle() : NULL);
  return CImageList::FromHandle(
      reinterpret_cast<HIMAGELIST>(Send(this, TVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType), list)));
}

UINT CTreeCtrl::GetVisibleCount() const { return static_cast<UINT>(Send(this, TVM_GETVISIBLECOUNT, 0, LPARAM{0})); }

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const {
  return reinterpret_cast<HTREEITEM>(Send(this, TVM_GETNEXTITEM, nCode, hItem));
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }

HTREEITEM CTreeCtrl::GetFirstVisibleItem() const { return GetNextItem(NULL, TVGN_FIRSTVISIBLE); }

HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }

HTREEITEM CTreeCtrl::GetPrevVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE); }

HTREEITEM CTreeCtrl::GetSelectedItem() const { return GetNextItem(NULL, TVGN_CARET); }

HTREEITEM CTreeCtrl::GetDropHilightItem() const { return GetNextItem(NULL, TVGN_DROPHILITE); }

HTREEITEM CTreeCtrl::GetRootItem() const { return GetNextItem(NULL, TVGN_ROOT); }

BOOL CTreeCtrl::GetItem(TVITEM* pItem) const {
  return static_cast<BOOL>(Send(this, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(pItem)));
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const {
  // Longer texts are read with a larger buffer until one holds them.
  for (int size = 256;; size *= 2) {
    CString text;
    TVITEM item{TVIF_TEXT, hItem, 0, 0, text.GetBuffer(size), size, 0, 0, 0, 0};
    item.pszText[0] = '\0';
    const BOOL ok = GetItem(&item);
    text.ReleaseBuffer();
    if (!ok || text.GetLength() < size - 1) return text;
  }
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const {
  TVITEM item{TVIF_IMAGE | TVIF_SELECTEDIMAGE, hItem, 0, 0, NULL, 0, 0, 0, 0, 0};
  if (!GetItem(&item)) return FALSE;
  nImage = item.iImage;
  nSelectedImage = item.iSelectedImage;
  return TRUE;
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const {
  TVITEM item{TVIF_STATE, hItem, 0, nStateMask, NULL, 0, 0, 0, 0, 0};
  GetItem(&item);
  return item.state & nStateMask;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
  TVITEM item{TVIF_PARAM, hItem, 0, 0, NULL, 0, 0, 0, 0, 0};
  GetItem(&item);
  return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const {
  TVITEM item{TVIF_CHILDREN, hItem, 0, 0, NULL, 0, 0, 0, 0, 0};
  GetItem(&item);
  return item.cChildren != 0;
}

BOOL CTreeCtrl::SetItem(TVITEM* pItem) {
  return static_cast<BOOL>(Send(this, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(pItem)));
}

BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                        UINT nStateMask, LPARAM lParam) {
  TVITEM item{nMask, hItem, nState, nStateMask, const_cast<LPTSTR>(lpszItem), 0, nImage, nSelectedImage, 0, lParam};
  return SetItem(&item);
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem) {
  return SetItem(hItem, TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0);
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) {
  return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, NULL, nImage, nSelectedImage, 0, 0, 0);
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) {
  return SetItem(hItem, TVIF_STATE, NULL, 0, 0, nState, nStateMask, 0);
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) {
  return SetItem(hItem, TVIF_PARAM, NULL, 0, 0, 0, 0, static_cast<LPARAM>(dwData));
}

HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCT lpInsertStruct) {
  return reinterpret_cast<HTREEITEM>(Send(this, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(lpInsertStruct)));
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  TVINSERTSTRUCT insert{hParent, hInsertAfter,
                        {nMask, NULL, nState, nStateMask, const_cast<LPTSTR>(lpszItem), 0, nImage, nSelectedImage, 0,
                         lParam}};
  return InsertItem(&insert);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) {
  return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0, hParent,
                    hInsertAfter);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem) { return static_cast<BOOL>(Send(this, TVM_DELETEITEM, 0, hItem)); }

BOOL CTreeCtrl::DeleteAllItems() { return DeleteItem(TVI_ROOT); }

BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode) { return static_cast<BOOL>(Send(this, TVM_EXPAND, nCode, hItem)); }

BOOL CTreeCtrl::Select(HTREEITEM hItem, UINT nCode) {
  return static_cast<BOOL>(Send(this, TVM_SELECTITEM, nCode, hItem));
}

BOOL CTreeCtrl::SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }

BOOL CTreeCtrl::SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }

BOOL CTreeCtrl::SelectSetFirstVisible(HTREEITEM hItem) { return Select(hItem, TVGN_FIRSTVISIBLE); }

CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem) {
  Send(this, TVM_EDITLABEL, 0, hItem);
  return NULL;
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  TVHITTESTINFO info{pt, 0, NULL};
  const HTREEITEM item = HitTest(&info);
  if (pFlags != NULL) *pFlags = info.flags;
  return item;
}

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pHitTestInfo) const {
  return reinterpret_cast<HTREEITEM>(Send(this, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem) { return static_cast<BOOL>(Send(this, TVM_ENSUREVISIBLE, 0, hItem)); }

BOOL CTreeCtrl::SortChildren(HTREEITEM hItem) { return static_cast<BOOL>(Send(this, TVM_SORTCHILDREN, 0, hItem)); }

BOOL CTreeCtrl::SortChildrenCB(LPTVSORTCB pSort) {
  return static_cast<BOOL>(Send(this, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(pSort)));
}
