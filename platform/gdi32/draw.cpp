// The drawing primitives every gdi32 call builds on.
#include "draw.h"

#include <algorithm>

namespace gdi32 {

bool PatternLocked(const DeviceContext& dc, COLORREF* pattern) {
  Object* brush = FindLocked(dc.brush, Kind::kBrush);
  if (brush == nullptr) return false;
  const LOGBRUSH& log = std::get<BrushObject>(brush->data).log;
  if (log.lbStyle == BS_NULL) return false;
  *pattern = OnSurface(dc, log.lbColor);
  return true;
}

void PatternFillLocked(DeviceContext& dc, RECT logical, uint8_t ropIndex, COLORREF pattern) {
  if (!dc.surface) return;
  Surface& s = *dc.surface;
  const Region clip = ClipLocked(dc);
  if (ropIndex == 0xF0) {  // PATCOPY: whole rows at once
    const RECT onSurface = Offset(Normalized(logical), dc.origin.x, dc.origin.y);
    for (const RECT& piece : clip) {
      const RECT r = Intersection(piece, onSurface);
      for (LONG y = r.top; y < r.bottom; ++y)
        if (r.right > r.left) std::fill(&s.At(r.left, y), &s.At(r.left, y) + (r.right - r.left), pattern);
    }
    return;
  }
  ForEachPixel(dc, clip, logical, [&](LONG x, LONG y) {
    COLORREF& d = s.At(x, y);
    d = Rop3(ropIndex, pattern, 0, d);
  });
}

void PlotLocked(DeviceContext& dc, const Region& clip, LONG x, LONG y, COLORREF color) {
  const LONG sx = x + dc.origin.x, sy = y + dc.origin.y;
  if (Contains(clip, sx, sy)) dc.surface->At(sx, sy) = OnSurface(dc, color);
}

}  // namespace gdi32
