#include "tree/TqTreeItem.h"

#include <cstring>

#include "tree/TqTreeCtrl.h"

namespace {

constexpr int kReadCapacity = 260;

}  // namespace

CtqTreeItem::CtqTreeItem(CtqTreeCtrl* pTree) : m_pTree(pTree), m_item(), m_pszText(NULL) {
  m_item.mask = TVIF_PARAM;
  m_item.lParam = reinterpret_cast<LPARAM>(this);
}

CtqTreeItem::CtqTreeItem(CtqTreeCtrl* pTree, HTREEITEM hItem) : CtqTreeItem(pTree) { SetHandle(hItem); }

CtqTreeItem::CtqTreeItem(const CtqTreeItem& other) : m_pTree(other.m_pTree), m_item(other.m_item), m_pszText(NULL) {
  m_item.pszText = NULL;
  if (other.m_pszText != NULL) SetOwnText(other.m_pszText, other.m_item.cchTextMax);
}

CtqTreeItem& CtqTreeItem::operator=(const CtqTreeItem& other) {
  if (this == &other) return *this;
  m_pTree = other.m_pTree;
  m_item = other.m_item;
  m_item.pszText = m_pszText;  // the own buffer, replaced below
  if (other.m_pszText != NULL) {
    SetOwnText(other.m_pszText, other.m_item.cchTextMax);
  } else {
    delete[] m_pszText;
    m_pszText = NULL;
    m_item.pszText = NULL;
  }
  return *this;
}

CtqTreeItem::~CtqTreeItem() { delete[] m_pszText; }

void CtqTreeItem::QueryDropEffect(IDataObject*, DWORD, DWORD* pdwEffect) { *pdwEffect = DROPEFFECT_NONE; }

BOOL CtqTreeItem::Drop(IDataObject*, DWORD, POINTL, DWORD* pdwEffect) {
  *pdwEffect = DROPEFFECT_NONE;
  return 0;
}

// Copies the text into a new buffer of at least nCapacity bytes (the text's length + 1 at least).
void CtqTreeItem::SetOwnText(LPCTSTR lpszText, int nCapacity) {
  const int length = lpszText != NULL ? static_cast<int>(std::strlen(lpszText)) : 0;
  if (nCapacity < length + 1) nCapacity = length + 1;
  LPTSTR text = new TCHAR[static_cast<size_t>(nCapacity)];
  std::memset(text, 0, static_cast<size_t>(nCapacity));
  if (length > 0) std::memcpy(text, lpszText, static_cast<size_t>(length));
  delete[] m_pszText;
  m_pszText = text;
  m_item.pszText = text;
  m_item.cchTextMax = nCapacity;
}

LRESULT CtqTreeItem::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  if (m_pTree == NULL || m_pTree->GetSafeHwnd() == NULL) return 0;
  return ::SendMessage(m_pTree->GetSafeHwnd(), message, wParam, lParam);
}

void CtqTreeItem::SetText(LPCTSTR lpszText, bool bUpdate) {
  SetOwnText(lpszText, 0);
  m_item.mask |= TVIF_TEXT;
  if (bUpdate) Update();
}

void CtqTreeItem::SetImage(int nImage, bool bUpdate) {
  m_item.iImage = nImage;
  m_item.mask |= TVIF_IMAGE;
  if (bUpdate) Update();
}

void CtqTreeItem::SetSelectedImage(int nImage, bool bUpdate) {
  m_item.iSelectedImage = nImage;
  m_item.mask |= TVIF_SELECTEDIMAGE;
  if (bUpdate) Update();
}

void CtqTreeItem::SetHandle(HTREEITEM hItem, bool bUpdate) {
  m_item.hItem = hItem;
  m_item.mask |= TVIF_HANDLE;
  if (bUpdate) Update();
}

BOOL CtqTreeItem::Update() {
  return static_cast<BOOL>(Send(TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&m_item)));
}

LPCTSTR CtqTreeItem::GetText(bool bRefresh) {
  if (bRefresh || m_pszText == NULL) {
    SetOwnText(NULL, kReadCapacity);
    m_item.mask |= TVIF_TEXT;
    TVITEM read = {};
    read.mask = TVIF_TEXT;
    read.hItem = m_item.hItem;
    read.pszText = m_pszText;
    read.cchTextMax = kReadCapacity;
    Send(TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&read));
  }
  return m_pszText;
}

UINT CtqTreeItem::GetState(bool bRefresh) {
  if (bRefresh) {
    m_item.mask |= TVIF_STATE;
    m_item.stateMask = 0xFFFF;
    TVITEM read = {};
    read.mask = TVIF_STATE;
    read.hItem = m_item.hItem;
    read.stateMask = 0xFFFF;
    if (Send(TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&read))) m_item.state = read.state;
    m_item.mask &= ~TVIF_STATE;
  }
  return m_item.state;
}

BOOL CtqTreeItem::Delete() {
  const BOOL deleted = static_cast<BOOL>(Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(m_item.hItem)));
  m_item.hItem = NULL;
  return deleted;
}

BOOL CtqTreeItem::Expand(UINT nCode) {
  return static_cast<BOOL>(Send(TVM_EXPAND, nCode, reinterpret_cast<LPARAM>(m_item.hItem)));
}

BOOL CtqTreeItem::EnsureVisible() {
  return static_cast<BOOL>(Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(m_item.hItem)));
}

CtqTreeItem CtqTreeItem::Related(UINT nCode) const {
  if (m_item.hItem == NULL) return CtqTreeItem(m_pTree);
  const auto hItem = reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(m_item.hItem)));
  return hItem != NULL ? CtqTreeItem(m_pTree, hItem) : CtqTreeItem(m_pTree);
}

CtqTreeItem CtqTreeItem::GetParent() const { return Related(TVGN_PARENT); }

CtqTreeItem CtqTreeItem::GetFirstChild() const { return Related(TVGN_CHILD); }

CtqTreeItem CtqTreeItem::GetNextSibling() const { return Related(TVGN_NEXT); }

HTREEITEM CtqTreeItem::InsertChild(CtqTreeNode* pNode, HTREEITEM hInsertAfter) {
  TVINSERTSTRUCT insert = {};
  insert.hParent = m_item.hItem != NULL ? m_item.hItem : TVI_ROOT;
  insert.hInsertAfter = hInsertAfter;
  insert.item = pNode->GetRecord();
  return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM CtqTreeItem::InsertNextSibling(CtqTreeNode* pNode) {
  CtqTreeItem parent = GetParent();
  return parent.InsertChild(pNode, m_item.hItem);
}
