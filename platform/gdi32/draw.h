// Drawing on a DC's surface within its clip region, with the lock held: what the blits, lines and
// text share.
#pragma once

#include "gdi_state.h"
#include "raster.h"

namespace gdi32 {

// The colour of the DC's brush as the destination takes it (black or white on a monochrome
// surface); false for a hollow brush, which paints nothing.
bool PatternLocked(const DeviceContext& dc, COLORREF* pattern);

// The colour as the DC's surface holds it.
inline COLORREF OnSurface(const DeviceContext& dc, COLORREF color) {
  return dc.surface && dc.surface->mono ? ToMono(color) : (color & 0xFFFFFF);
}

// Calls visit(x, y) (surface coordinates) for every pixel of the logical rectangle that the DC
// may draw, row by row within each piece of its clip region.
template <class Visit>
void ForEachPixel(const DeviceContext& dc, const Region& clip, RECT logical, Visit visit) {
  const RECT onSurface = Offset(Normalized(logical), dc.origin.x, dc.origin.y);
  for (const RECT& piece : clip) {
    const RECT r = Intersection(piece, onSurface);
    for (LONG y = r.top; y < r.bottom; ++y)
      for (LONG x = r.left; x < r.right; ++x) visit(x, y);
  }
}

// Fills the logical rectangle with the raster operation's pattern-and-destination result.
void PatternFillLocked(DeviceContext& dc, RECT logical, uint8_t ropIndex, COLORREF pattern);
// Sets one pixel (logical coordinates) when the clip region holds it.
void PlotLocked(DeviceContext& dc, const Region& clip, LONG x, LONG y, COLORREF color);

}  // namespace gdi32
