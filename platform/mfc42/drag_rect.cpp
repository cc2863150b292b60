// CDC::DrawDragRect: a tracking rectangle's frame inverted, the last one inverted back first.
#include <afxwin.h>

#include <algorithm>

namespace {

// Inverts the frame of `r`, size.cx wide at the sides and size.cy at top and bottom.
void InvertFrame(HDC dc, const RECT& r, SIZE size, HBRUSH brush) {
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return;
  HGDIOBJ old = SelectObject(dc, brush);
  const int cx = std::min<int>(size.cx, width), cy = std::min<int>(size.cy, height);
  PatBlt(dc, r.left, r.top, width, cy, PATINVERT);
  if (height > cy) PatBlt(dc, r.left, r.bottom - cy, width, cy, PATINVERT);
  if (height > 2 * cy) {
    PatBlt(dc, r.left, r.top + cy, cx, height - 2 * cy, PATINVERT);
    if (width > cx) PatBlt(dc, r.right - cx, r.top + cy, cx, height - 2 * cy, PATINVERT);
  }
  SelectObject(dc, old);
}

HBRUSH BrushOf(CBrush* brush) {
  return brush != NULL ? static_cast<HBRUSH>(brush->GetSafeHandle()) : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

}  // namespace

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast) {
  if (lpRectLast != NULL) InvertFrame(m_hDC, *lpRectLast, sizeLast, BrushOf(pBrushLast != NULL ? pBrushLast : pBrush));
  if (lpRect != NULL) InvertFrame(m_hDC, *lpRect, size, BrushOf(pBrush));
}
