#include "small/TransparentBitmap.h"

#include <cstring>

#include "small/ScreenDC.h"

void DrawTransparentBitmap(CDC* pDC, CRect rectDest, CBitmap* pBitmap, CRect rectSource, COLORREF crTransparent,
                           BOOL bCopy, BOOL bStretch) {
  if (pBitmap == NULL || pBitmap->m_hObject == NULL) return;
  if (bStretch) bCopy = TRUE;
  const int cx = rectDest.Width(), cy = rectDest.Height();

  // Destroyed in reverse order: the bitmaps leave their DCs, the DCs go, the screen DC is
  // released last.
  CScreenDC screen;
  CDC dcSource, dcImage, dcMask;
  if (!dcSource.CreateCompatibleDC(pDC) || !dcImage.CreateCompatibleDC(pDC) || !dcMask.CreateCompatibleDC(pDC))
    return;
  const COLORREF crOldText = pDC->GetTextColor();
  const COLORREF crOldBack = pDC->GetBkColor();

  CBitmap* pOldSource = dcSource.SelectObject(pBitmap);
  CBitmap bmpMask;
  bmpMask.CreateBitmap(cx, cy, 1, 1, NULL);
  CBitmap* pOldMask = dcMask.SelectObject(&bmpMask);
  CBitmap bmpWork;
  CBitmap* pOldImage = NULL;
  CDC* pImage = &dcSource;
  int xImage = rectSource.left, yImage = rectSource.top;
  if (bCopy) {
    bmpWork.CreateCompatibleBitmap(&screen, cx, cy);
    pOldImage = dcImage.SelectObject(&bmpWork);
    if (bStretch)
      dcImage.StretchBlt(0, 0, cx, cy, &dcSource, rectSource.left, rectSource.top, rectSource.Width(),
                         rectSource.Height(), SRCCOPY);
    else
      dcImage.BitBlt(0, 0, cx, cy, &dcSource, rectSource.left, rectSource.top, SRCCOPY);
    pImage = &dcImage;
    xImage = yImage = 0;
  }

  // The mask: white where the image has the transparent colour, black elsewhere.
  pImage->SetBkColor(crTransparent);
  dcMask.BitBlt(0, 0, cx, cy, pImage, xImage, yImage, SRCCOPY);

  // The image's transparent pixels turn black (the mask's white taken as the image DC's black
  // background colour), the destination is cleared where the image is opaque, and the image is
  // added in.
  pImage->SetBkColor(RGB(0, 0, 0));
  pImage->SetTextColor(RGB(255, 255, 255));
  pImage->BitBlt(xImage, yImage, cx, cy, &dcMask, 0, 0, SRCAND);
  pDC->SetBkColor(RGB(255, 255, 255));
  pDC->SetTextColor(RGB(0, 0, 0));
  pDC->BitBlt(rectDest.left, rectDest.top, cx, cy, &dcMask, 0, 0, SRCAND);
  pDC->BitBlt(rectDest.left, rectDest.top, cx, cy, pImage, xImage, yImage, SRCPAINT);

  // Used in place, the caller's bitmap gets its transparent pixels back.
  if (!bCopy) {
    pImage->SetBkColor(crTransparent);
    pImage->SetTextColor(RGB(0, 0, 0));
    pImage->BitBlt(xImage, yImage, cx, cy, &dcMask, 0, 0, SRCPAINT);
  }

  pDC->SetTextColor(crOldText);
  pDC->SetBkColor(crOldBack);
  dcSource.SelectObject(pOldSource);
  dcMask.SelectObject(pOldMask);
  if (pOldImage != NULL) dcImage.SelectObject(pOldImage);
}

CSize GetBitmapSize(CDC* pDC, CBitmap* pBitmap) {
  if (pBitmap == NULL || pBitmap->m_hObject == NULL) return CSize(0, 0);
  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  ::GetDIBits(pDC->GetSafeHdc(), static_cast<HBITMAP>(pBitmap->m_hObject), 0, 0, NULL, &info, DIB_RGB_COLORS);
  return CSize(info.bmiHeader.biWidth, info.bmiHeader.biHeight);
}
