// Regions as lists of disjoint rectangles: what a DC's drawing is clipped to. Header-only, so that
// user32 (which works out a window's visible part) and gdi32 (which clips to it) share one piece
// of code.
#pragma once

#include <windef.h>

#include <algorithm>
#include <vector>

namespace gdi32 {

using Region = std::vector<RECT>;

inline bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

inline RECT Intersection(const RECT& a, const RECT& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

inline RECT Offset(RECT r, LONG dx, LONG dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

inline RECT Normalized(RECT r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

// The smallest rectangle holding both (an empty one holds nothing).
inline RECT Union(const RECT& a, const RECT& b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

inline Region Intersect(const Region& region, const RECT& with) {
  Region out;
  for (const RECT& r : region) {
    const RECT i = Intersection(r, with);
    if (!IsEmpty(i)) out.push_back(i);
  }
  return out;
}

// The region without the rectangle: each piece it cuts splits into at most four.
inline Region Subtract(const Region& region, const RECT& cut) {
  Region out;
  for (const RECT& r : region) {
    const RECT i = Intersection(r, cut);
    if (IsEmpty(i)) {
      out.push_back(r);
      continue;
    }
    if (r.top < i.top) out.push_back({r.left, r.top, r.right, i.top});
    if (i.bottom < r.bottom) out.push_back({r.left, i.bottom, r.right, r.bottom});
    if (r.left < i.left) out.push_back({r.left, i.top, i.left, i.bottom});
    if (i.right < r.right) out.push_back({i.right, i.top, r.right, i.bottom});
  }
  return out;
}

inline RECT Bounds(const Region& region) {
  RECT b{0, 0, 0, 0};
  for (const RECT& r : region) b = Union(b, r);
  return b;
}

inline bool Contains(const Region& region, LONG x, LONG y) {
  return std::any_of(region.begin(), region.end(),
                     [&](const RECT& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; });
}

}  // namespace gdi32
