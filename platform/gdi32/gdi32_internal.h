// What other stand-ins (user32) use of gdi32 beyond the Windows surface: DCs over a window's
// surface, the screen, bitmaps made from a packed DIB, and brushes that live as long as the
// process. Not part of the system's surface.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>

#include "gdi32/rect_region.h"
#include "gdi32/surface.h"

namespace gdi32 {

// A new 32-bit surface of that size holding what fits of `old` (may be null) at its top-left.
STANDIN_API std::shared_ptr<Surface> ResizedSurface(const std::shared_ptr<Surface>& old, int width, int height);
// A copy of the surface's pixels as they are now (taken under gdi32's lock, so no drawing is
// half done in it).
STANDIN_API Surface Snapshot(const Surface& surface);
// The screen: 32 bits per pixel, 1024 x 768, made on first use.
STANDIN_API std::shared_ptr<Surface> ScreenSurface();
// A DC that draws into `surface` with its logical (0, 0) at `origin` (surface coordinates),
// clipped to `visible` (surface coordinates). Deleted by DeleteDC like any other; counted as a DC.
STANDIN_API HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, POINT origin, const Region& visible);
// A bitmap from a packed DIB (BITMAPINFOHEADER, colour table, bits) of 1, 4, 8, 24 or 32 bits per
// pixel, uncompressed: monochrome for 1 bit per pixel, else 32 bits. NULL with ERROR_INVALID_DATA
// when the bytes are no such DIB.
STANDIN_API HBITMAP CreateBitmapFromPackedDib(const void* dib, size_t size);
// The system's font: GNU Unifont, 16 high (the stock fonts and the non-client metrics' fonts).
STANDIN_API LOGFONT SystemLogFont(LONG weight);
// A solid brush that is never deleted and not counted (the system colours' brushes); its colour
// can change later, as the system colours do.
STANDIN_API HBRUSH CreatePermanentBrush(COLORREF color);
STANDIN_API void SetPermanentBrushColor(HBRUSH brush, COLORREF color);

}  // namespace gdi32
