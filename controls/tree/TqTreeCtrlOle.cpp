// CtqTreeCtrl's COM parts: the drag source of the nodes' data and the drop target whose nodes
// say what a drop would do.
#include "tree/TqTreeCtrl.h"

STDMETHODIMP CtqTreeCtrl::QueryInterface(REFIID riid, void** ppvObject) {
  if (ppvObject == NULL) return E_POINTER;
  if (riid == IID_IDropSource) {
    *ppvObject = static_cast<IDropSource*>(this);
    AddRefImpl();
    return S_OK;
  }
  if (riid == IID_IDropTarget) {
    *ppvObject = static_cast<IDropTarget*>(this);
    AddRefImpl();
    return S_OK;
  }
  return QueryInterfaceImpl(riid, ppvObject);
}

STDMETHODIMP_(ULONG) CtqTreeCtrl::AddRef() { return AddRefImpl(); }

STDMETHODIMP_(ULONG) CtqTreeCtrl::Release() { return ReleaseImpl(); }

// ---------------------------------------------------------------------------------------------
// Drag source

void CtqTreeCtrl::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult) {
  BeginDrag(reinterpret_cast<NMTREEVIEW*>(pNMHDR)->itemNew.hItem);
  *pResult = 0;
}

void CtqTreeCtrl::BeginDrag(HTREEITEM hItem) {
  SetCurrentItem(hItem);
  IDataObject* data = CreateDragDataObject();
  if (data == NULL) return;
  DWORD effect = DROPEFFECT_NONE;
  ::DoDragDrop(data, static_cast<IDropSource*>(this), DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
  data->Release();
}

IDataObject* CtqTreeCtrl::CreateDragDataObject() { return NULL; }

STDMETHODIMP CtqTreeCtrl::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) {
  if (fEscapePressed) return DRAGDROP_S_CANCEL;
  if (!(grfKeyState & (MK_LBUTTON | MK_RBUTTON))) return DRAGDROP_S_DROP;
  return S_OK;
}

STDMETHODIMP CtqTreeCtrl::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }

// ---------------------------------------------------------------------------------------------
// Drop target

STDMETHODIMP CtqTreeCtrl::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
  m_hDropHighlight = NULL;
  // The data is kept for the DragOvers to come, so it is held until DragLeave or Drop.
  if (pDataObj != NULL) pDataObj->AddRef();
  if (m_pDragData != NULL) m_pDragData->Release();
  m_pDragData = pDataObj;
  return DragOver(grfKeyState, pt, pdwEffect);
}

STDMETHODIMP CtqTreeCtrl::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
  const DWORD allowed = *pdwEffect;
  *pdwEffect = DROPEFFECT_NONE;
  CPoint point(pt.x, pt.y);
  ScreenToClient(&point);
  CtqTreeNode* node = NULL;
  const HTREEITEM hItem = NodeItemAt(point, NULL, &node);
  if (node != NULL) {
    DWORD effect = DROPEFFECT_NONE;
    node->QueryDropEffect(m_pDragData, grfKeyState, &effect);
    // What this node would do, within what the source allows; never the allowed set itself.
    *pdwEffect = effect & allowed;
  }
  if (*pdwEffect != DROPEFFECT_NONE) {
    SelectDropTarget(hItem);
    m_hDropHighlight = hItem;
  } else if (m_hDropHighlight != NULL) {
    SelectDropTarget(NULL);
    m_hDropHighlight = NULL;
  }
  m_bRightDrop = (grfKeyState & MK_RBUTTON) != 0;
  return S_OK;
}

STDMETHODIMP CtqTreeCtrl::DragLeave() {
  SelectDropTarget(NULL);
  m_hDropHighlight = NULL;
  if (m_pDragData != NULL) m_pDragData->Release();
  m_pDragData = NULL;
  return S_OK;
}

// Transfers nothing and tells no node: a subclass that accepts data overrides it. The answer is
// what the node under the point would do, within what the source allows.
STDMETHODIMP CtqTreeCtrl::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
  SelectDropTarget(NULL);
  m_hDropHighlight = NULL;
  const DWORD allowed = *pdwEffect;
  *pdwEffect = DROPEFFECT_NONE;
  CPoint point(pt.x, pt.y);
  ScreenToClient(&point);
  CtqTreeNode* node = NULL;
  if (NodeItemAt(point, NULL, &node) != NULL && node != NULL) {
    DWORD effect = DROPEFFECT_NONE;
    node->QueryDropEffect(pDataObj, grfKeyState, &effect);
    *pdwEffect = effect & allowed;
  }
  if (m_pDragData != NULL) m_pDragData->Release();
  m_pDragData = NULL;
  return S_OK;
}
