// The bitmap helpers the dialogs and wizard steps paint their banners with.
#pragma once

#include "stdafx.h"

// Draws the source part of the bitmap into the destination rectangle, leaving out every pixel of
// the transparent colour. With bCopy the part is first copied into a work bitmap of the
// destination's size (stretched to it with bStretch, which implies bCopy); without it the part is
// used where it lies in the bitmap, at its own size. A bitmap without a handle draws nothing.
void DrawTransparentBitmap(CDC* pDC, CRect rectDest, CBitmap* pBitmap, CRect rectSource, COLORREF crTransparent,
                           BOOL bCopy, BOOL bStretch);

// The bitmap's width and height as GetDIBits tells them; 0 by 0 for a bitmap without a handle.
CSize GetBitmapSize(CDC* pDC, CBitmap* pBitmap);
