// Blits: BitBlt, StretchBlt, PlgBlt and PatBlt, with every ternary raster operation and the
// colour conversions between monochrome and colour surfaces; single pixels.
#include <algorithm>
#include <cmath>

#include "draw.h"

using namespace gdi32;

namespace {

// How source pixels reach the destination: converted between monochrome and colour as the
// platform does.
struct Source {
  const DeviceContext* dc = nullptr;
  std::shared_ptr<Surface> pixels;  // the source's surface, or a copy of it when it is the destination's
};

COLORREF Converted(const Source& source, const DeviceContext& dest, COLORREF s) {
  const bool sourceMono = source.dc->surface->mono, destMono = dest.surface->mono;
  if (sourceMono && !destMono) return s == kWhite ? dest.background : dest.text;
  if (!sourceMono && destMono) return s == source.dc->background ? kWhite : kBlack;
  return s;
}

// Draws into every destination pixel of the logical rectangle `target` that the clip region holds;
// `map` gives the source pixel (surface coordinates) for a destination pixel (logical
// coordinates), or false when there is none.
template <class Map>
void Transfer(DeviceContext& dest, RECT target, const Source* source, DWORD rop, COLORREF pattern, Map map) {
  const uint8_t index = RopIndex(rop);
  Surface& d = *dest.surface;
  ForEachPixel(dest, ClipLocked(dest), target, [&](LONG x, LONG y) {
    COLORREF s = 0;
    if (source != nullptr) {
      LONG sx, sy;
      if (!map(x - dest.origin.x, y - dest.origin.y, sx, sy)) return;
      const Surface& from = *source->pixels;
      if (sx < 0 || sy < 0 || sx >= from.width || sy >= from.height) return;
      s = Converted(*source, dest, from.At(sx, sy));
    }
    COLORREF& pixel = d.At(x, y);
    pixel = Rop3(index, pattern, s, pixel);
  });
}

// Looks up both DCs and runs the transfer. A raster operation that reads no source needs no
// source DC; one that paints the pattern with a hollow brush paints nothing.
template <class Map>
BOOL Blit(HDC destHandle, RECT target, HDC sourceHandle, DWORD rop, Map map) {
  std::lock_guard<std::mutex> g(Lock());
  DeviceContext* dest = DcLocked(destHandle);
  if (dest == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (!dest->surface) return TRUE;
  COLORREF pattern = 0;
  if (RopUsesPattern(rop) && !PatternLocked(*dest, &pattern)) return TRUE;
  if (!RopUsesSource(rop)) {
    Transfer(*dest, target, nullptr, rop, pattern, map);
    return TRUE;
  }
  DeviceContext* sourceDc = DcLocked(sourceHandle);
  if (sourceDc == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (!sourceDc->surface) return TRUE;
  Source source{sourceDc, sourceDc->surface};
  if (source.pixels == dest->surface) source.pixels = std::make_shared<Surface>(*source.pixels);
  Transfer(*dest, target, &source, rop, pattern, map);
  return TRUE;
}

}  // namespace

extern "C" {

WINGDIAPI BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource, int ySource,
                             DWORD rop) {
  POINT sourceOrigin{0, 0};
  {
    std::lock_guard<std::mutex> g(Lock());
    if (DeviceContext* s = DcLocked(source)) sourceOrigin = s->origin;
  }
  const LONG dx = xSource - x + sourceOrigin.x, dy = ySource - y + sourceOrigin.y;
  return Blit(dest, RECT{x, y, x + width, y + height}, source, rop, [&](LONG lx, LONG ly, LONG& sx, LONG& sy) {
    sx = lx + dx;
    sy = ly + dy;
    return true;
  });
}

// Nearest pixel: destination pixel i takes source pixel i * sourceSize / size. Mirroring (sizes of
// opposite signs) and the stretch modes that merge pixels are not modelled.
WINGDIAPI BOOL WINAPI StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource,
                                 int ySource, int widthSource, int heightSource, DWORD rop) {
  if (width < 0 || height < 0 || widthSource < 0 || heightSource < 0) STANDIN_UNMODELLED_LASTERROR(FALSE);
  if (width == 0 || height == 0) return TRUE;
  POINT sourceOrigin{0, 0};
  {
    std::lock_guard<std::mutex> g(Lock());
    if (DeviceContext* s = DcLocked(source)) sourceOrigin = s->origin;
  }
  return Blit(dest, RECT{x, y, x + width, y + height}, source, rop, [&](LONG lx, LONG ly, LONG& sx, LONG& sy) {
    sx = xSource + sourceOrigin.x + static_cast<LONG>(static_cast<long long>(lx - x) * widthSource / width);
    sy = ySource + sourceOrigin.y + static_cast<LONG>(static_cast<long long>(ly - y) * heightSource / height);
    return true;
  });
}

WINGDIAPI BOOL WINAPI PatBlt(HDC handle, int x, int y, int width, int height, DWORD rop) {
  if (RopUsesSource(rop)) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::lock_guard<std::mutex> g(Lock());
  DeviceContext* dc = DcLocked(handle);
  if (dc == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  COLORREF pattern = 0;
  if (RopUsesPattern(rop) && !PatternLocked(*dc, &pattern)) return TRUE;
  PatternFillLocked(*dc, RECT{x, y, x + width, y + height}, RopIndex(rop), pattern);
  return TRUE;
}

// The source rectangle goes into the parallelogram whose upper-left, upper-right and lower-left
// corners are points[0..2]. Only parallelograms whose sides lie along the axes (quarter turns and
// reflections, any scale) are modelled, without a mask.
WINGDIAPI BOOL WINAPI PlgBlt(HDC dest, const POINT* points, HDC source, int xSource, int ySource, int width,
                             int height, HBITMAP mask, int, int) {
  if (points == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  const POINT p0 = points[0];
  const POINT a{points[1].x - p0.x, points[1].y - p0.y};  // where the source's width goes
  const POINT b{points[2].x - p0.x, points[2].y - p0.y};  // where its height goes
  const bool aHorizontal = a.y == 0 && a.x != 0, aVertical = a.x == 0 && a.y != 0;
  const bool bHorizontal = b.y == 0 && b.x != 0, bVertical = b.x == 0 && b.y != 0;
  if (mask != nullptr || !((aHorizontal && bVertical) || (aVertical && bHorizontal))) STANDIN_UNMODELLED_LASTERROR(FALSE);
  if (width <= 0 || height <= 0) return TRUE;
  const POINT p3{p0.x + a.x + b.x, p0.y + a.y + b.y};
  const RECT target{std::min(p0.x, p3.x), std::min(p0.y, p3.y), std::max(p0.x, p3.x), std::max(p0.y, p3.y)};
  POINT sourceOrigin{0, 0};
  {
    std::lock_guard<std::mutex> g(Lock());
    if (DeviceContext* s = DcLocked(source)) sourceOrigin = s->origin;
  }
  // Each destination pixel's centre, taken back into the source rectangle.
  return Blit(dest, target, source, SRCCOPY, [&](LONG lx, LONG ly, LONG& sx, LONG& sy) {
    const double cx = lx + 0.5 - p0.x, cy = ly + 0.5 - p0.y;
    const double u = aHorizontal ? cx / a.x : cy / a.y;  // along the source's width, 0..1
    const double v = aHorizontal ? cy / b.y : cx / b.x;  // along its height
    if (u < 0 || u >= 1 || v < 0 || v >= 1) return false;
    sx = xSource + sourceOrigin.x + static_cast<LONG>(std::floor(u * width));
    sy = ySource + sourceOrigin.y + static_cast<LONG>(std::floor(v * height));
    return true;
  });
}

// CLR_INVALID outside the DC's clip region.
WINGDIAPI COLORREF WINAPI GetPixel(HDC handle, int x, int y) {
  std::lock_guard<std::mutex> g(Lock());
  DeviceContext* dc = DcLocked(handle);
  if (dc == nullptr) return Fail(ERROR_INVALID_HANDLE, CLR_INVALID);
  const LONG sx = x + dc->origin.x, sy = y + dc->origin.y;
  if (!Contains(ClipLocked(*dc), sx, sy)) return CLR_INVALID;
  return dc->surface->At(sx, sy);
}

// The colour set (as the surface holds it), or CLR_INVALID outside the clip region.
WINGDIAPI COLORREF WINAPI SetPixel(HDC handle, int x, int y, COLORREF color) {
  std::lock_guard<std::mutex> g(Lock());
  DeviceContext* dc = DcLocked(handle);
  if (dc == nullptr) return Fail(ERROR_INVALID_HANDLE, CLR_INVALID);
  const LONG sx = x + dc->origin.x, sy = y + dc->origin.y;
  if (!Contains(ClipLocked(*dc), sx, sy)) return CLR_INVALID;
  return dc->surface->At(sx, sy) = OnSurface(*dc, color);
}

}  // extern "C"
