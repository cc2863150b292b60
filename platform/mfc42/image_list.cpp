// CImageList: the object over comctl32's image list, permanent for the list it made or attached.
#include <afxcmn.h>

#include "handle_map.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

struct ImageListTraits {
  static CImageList* Make(HIMAGELIST list) {
    auto* object = new CImageList;
    object->m_hImageList = list;
    return object;
  }
  static void Forget(CImageList* object) { object->m_hImageList = NULL; }
};
using ImageListMap = mfc42::HandleMap<HIMAGELIST, CImageList, ImageListTraits>;

}  // namespace

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList) { return ImageListMap::FromHandle(hImageList); }

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList) {
  return ImageListMap::Permanent(hImageList);
}

void PASCAL CImageList::DeleteTempMap() { ImageListMap::DeleteTemporaries(); }

CImageList::CImageList() : m_hImageList(NULL) {}

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
  return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
  ASSERT(m_hImageList == NULL);
  if (hImageList == NULL) return FALSE;
  m_hImageList = hImageList;
  ImageListMap::AddPermanent(hImageList, this, true);
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  const HIMAGELIST list = m_hImageList;
  if (list != NULL) ImageListMap::RemovePermanent(list, this);
  m_hImageList = NULL;
  return list;
}

BOOL CImageList::DeleteImageList() {
  if (m_hImageList == NULL) return FALSE;
  return ImageList_Destroy(Detach());
}

int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
  return ImageList_Add(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                       pbmMask != NULL ? static_cast<HBITMAP>(pbmMask->GetSafeHandle()) : NULL);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
  return ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()), crMask);
}

COLORREF CImageList::SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }

COLORREF CImageList::GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
  return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}
