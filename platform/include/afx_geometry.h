// MFC: CSize, CPoint and CRect, the value classes over SIZE, POINT and RECT. Included by afxwin.h.
#pragma once

#include <algorithm>
#include <utility>

#include "windows.h"

class CPoint;
class CRect;

class CSize : public tagSIZE {
 public:
  CSize() : tagSIZE{0, 0} {}
  CSize(int x, int y) : tagSIZE{x, y} {}
  CSize(SIZE size) : tagSIZE(size) {}
  // From a DWORD whose low word is cx and high word cy (as GetTabbedTextExtent answers).
  explicit CSize(DWORD size) : tagSIZE{static_cast<SHORT>(LOWORD(size)), static_cast<SHORT>(HIWORD(size))} {}
  bool operator==(const SIZE& s) const { return cx == s.cx && cy == s.cy; }
  bool operator!=(const SIZE& s) const { return !(*this == s); }
  CSize operator+(SIZE s) const { return CSize(cx + s.cx, cy + s.cy); }
  CSize operator-(SIZE s) const { return CSize(cx - s.cx, cy - s.cy); }
};

class CPoint : public tagPOINT {
 public:
  CPoint() : tagPOINT{0, 0} {}
  CPoint(int x, int y) : tagPOINT{x, y} {}
  CPoint(POINT point) : tagPOINT(point) {}
  void Offset(int dx, int dy) {
    x += dx;
    y += dy;
  }
  bool operator==(const POINT& p) const { return x == p.x && y == p.y; }
  bool operator!=(const POINT& p) const { return !(*this == p); }
  CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
  CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
  CSize operator-(POINT p) const { return CSize(x - p.x, y - p.y); }
};

// A rectangle: RECT with the helpers window and drawing code uses.
class CRect : public tagRECT {
 public:
  CRect() : tagRECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) : tagRECT{l, t, r, b} {}
  CRect(const RECT& rect) : tagRECT(rect) {}
  CRect(LPCRECT rect) : tagRECT(*rect) {}
  CRect(POINT point, SIZE size) : tagRECT{point.x, point.y, point.x + size.cx, point.y + size.cy} {}
  CRect(POINT topLeft, POINT bottomRight) : tagRECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint TopLeft() const { return CPoint(left, top); }
  CPoint BottomRight() const { return CPoint(right, bottom); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
  // No area (right <= left or bottom <= top); all four zero.
  BOOL IsRectEmpty() const { return right <= left || bottom <= top; }
  BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  BOOL PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

  void SetRect(int l, int t, int r, int b) { *this = CRect(l, t, r, b); }
  void SetRectEmpty() { SetRect(0, 0, 0, 0); }
  void OffsetRect(int dx, int dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
  }
  void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
  void OffsetRect(SIZE s) { OffsetRect(s.cx, s.cy); }
  void InflateRect(int dx, int dy) { InflateRect(dx, dy, dx, dy); }
  void InflateRect(int l, int t, int r, int b) {
    left -= l;
    top -= t;
    right += r;
    bottom += b;
  }
  void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
  void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
  void NormalizeRect() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
  }
  // The overlap of both (empty: all zero); FALSE when they do not overlap.
  BOOL IntersectRect(LPCRECT a, LPCRECT b) {
    CRect r(std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
            std::min(a->bottom, b->bottom));
    if (r.IsRectEmpty()) r.SetRectEmpty();
    *this = r;
    return !r.IsRectEmpty();
  }
  // The bounds of both, an empty one left out.
  BOOL UnionRect(LPCRECT a, LPCRECT b) {
    const CRect ra(*a), rb(*b);
    if (ra.IsRectEmpty()) *this = rb;
    else if (rb.IsRectEmpty()) *this = ra;
    else *this = CRect(std::min(ra.left, rb.left), std::min(ra.top, rb.top), std::max(ra.right, rb.right),
                       std::max(ra.bottom, rb.bottom));
    if (IsRectEmpty()) SetRectEmpty();
    return !IsRectEmpty();
  }

  bool operator==(const RECT& r) const {
    return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
  }
  bool operator!=(const RECT& r) const { return !(*this == r); }
  void operator+=(POINT p) { OffsetRect(p); }
  void operator-=(POINT p) { OffsetRect(-p.x, -p.y); }
  CRect operator&(const RECT& r) const {
    CRect out;
    out.IntersectRect(this, &r);
    return out;
  }
  CRect operator|(const RECT& r) const {
    CRect out;
    out.UnionRect(this, &r);
    return out;
  }
  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }
};
