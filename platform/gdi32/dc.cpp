// Device contexts: memory DCs, DCs over a window's surface or the screen, what is selected into
// them, their colours and modes, clipping and the device's capabilities.
#include <algorithm>
#include <utility>

#include "gdi32_internal.h"
#include "gdi_state.h"

using namespace gdi32;

namespace gdi32 {

std::shared_ptr<Surface> ResizedSurface(const std::shared_ptr<Surface>& old, int width, int height) {
  auto made = std::make_shared<Surface>(std::max(width, 0), std::max(height, 0), false);
  if (!old) return made;
  std::lock_guard<std::mutex> g(Lock());
  const int w = std::min(old->width, made->width), h = std::min(old->height, made->height);
  for (int y = 0; y < h; ++y) std::copy(&old->At(0, y), &old->At(0, y) + w, &made->At(0, y));
  return made;
}

Surface Snapshot(const Surface& surface) {
  std::lock_guard<std::mutex> g(Lock());
  return surface;
}

std::shared_ptr<Surface> ScreenSurface() {
  std::lock_guard<std::mutex> g(Lock());
  if (!S().screen) S().screen = std::make_shared<Surface>(1024, 768, false);
  return S().screen;
}

HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, POINT origin, const Region& visible) {
  DeviceContext dc;
  dc.surface = std::move(surface);
  dc.origin = origin;
  dc.visible = visible;
  std::lock_guard<std::mutex> g(Lock());
  return NewDcLocked(std::move(dc));
}

}  // namespace gdi32

namespace {

// Runs `body` on the DC, or answers `failed` with ERROR_INVALID_HANDLE.
template <class T, class Body>
T WithDc(HDC handle, T failed, Body body) {
  std::lock_guard<std::mutex> g(Lock());
  DeviceContext* dc = DcLocked(handle);
  if (dc == nullptr) return Fail(ERROR_INVALID_HANDLE, failed);
  return body(*dc);
}

}  // namespace

extern "C" {

// Without a DC, or with one, the new DC is compatible with the screen: every DC here is.
WINGDIAPI HDC WINAPI CreateCompatibleDC(HDC dc) {
  std::lock_guard<std::mutex> g(Lock());
  if (dc != nullptr && DcLocked(dc) == nullptr) return Fail<HDC>(ERROR_INVALID_HANDLE, nullptr);
  DeviceContext made;
  made.memory = true;
  return NewDcLocked(std::move(made));
}

WINGDIAPI BOOL WINAPI DeleteDC(HDC dc) {
  std::lock_guard<std::mutex> g(Lock());
  if (DcLocked(dc) == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  DeleteDcLocked(dc);
  return TRUE;
}

// The previous object of that kind; NULL when the object cannot go there (a bitmap into a DC that
// is not a memory DC, or a bitmap selected into another DC).
WINGDIAPI HGDIOBJ WINAPI SelectObject(HDC handle, HGDIOBJ object) {
  std::lock_guard<std::mutex> g(Lock());
  DeviceContext* dc = DcLocked(handle);
  Object* selected = FindLocked(object);
  if (dc == nullptr || selected == nullptr || selected->kind == Kind::kDC)
    return Fail<HGDIOBJ>(ERROR_INVALID_HANDLE, nullptr);
  HGDIOBJ* slot = nullptr;
  switch (selected->kind) {
    case Kind::kBitmap: {
      if (!dc->memory) return Fail<HGDIOBJ>(ERROR_INVALID_PARAMETER, nullptr);
      const HDC holder = std::get<BitmapObject>(selected->data).selectedIn;
      if (holder != nullptr && holder != handle) return Fail<HGDIOBJ>(ERROR_INVALID_PARAMETER, nullptr);
      slot = &dc->bitmap;
      break;
    }
    case Kind::kBrush: slot = &dc->brush; break;
    case Kind::kPen: slot = &dc->pen; break;
    case Kind::kFont: slot = &dc->font; break;
    case Kind::kDC: break;
  }
  const HGDIOBJ previous = *slot;
  SelectLocked(*dc, handle, *slot, object);
  return previous;
}

WINGDIAPI HGDIOBJ WINAPI GetCurrentObject(HDC handle, UINT type) {
  return WithDc(handle, static_cast<HGDIOBJ>(nullptr), [&](DeviceContext& dc) -> HGDIOBJ {
    switch (type) {
      case OBJ_PEN: return dc.pen;
      case OBJ_BRUSH: return dc.brush;
      case OBJ_FONT: return dc.font;
      case OBJ_BITMAP: return dc.bitmap;
      default: return Fail<HGDIOBJ>(ERROR_INVALID_PARAMETER, nullptr);
    }
  });
}

WINGDIAPI COLORREF WINAPI SetTextColor(HDC handle, COLORREF color) {
  return WithDc(handle, CLR_INVALID, [&](DeviceContext& dc) { return std::exchange(dc.text, color & 0xFFFFFF); });
}

WINGDIAPI COLORREF WINAPI GetTextColor(HDC handle) {
  return WithDc(handle, CLR_INVALID, [](DeviceContext& dc) { return dc.text; });
}

WINGDIAPI COLORREF WINAPI SetBkColor(HDC handle, COLORREF color) {
  return WithDc(handle, CLR_INVALID,
                [&](DeviceContext& dc) { return std::exchange(dc.background, color & 0xFFFFFF); });
}

WINGDIAPI COLORREF WINAPI GetBkColor(HDC handle) {
  return WithDc(handle, CLR_INVALID, [](DeviceContext& dc) { return dc.background; });
}

WINGDIAPI int WINAPI SetBkMode(HDC handle, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return Fail(ERROR_INVALID_PARAMETER, 0);
  return WithDc(handle, 0, [&](DeviceContext& dc) { return std::exchange(dc.backgroundMode, mode); });
}

WINGDIAPI int WINAPI GetBkMode(HDC handle) {
  return WithDc(handle, 0, [](DeviceContext& dc) { return dc.backgroundMode; });
}

// The clip rectangle narrows with every call, in logical coordinates.
WINGDIAPI int WINAPI IntersectClipRect(HDC handle, int left, int top, int right, int bottom) {
  return WithDc(handle, ERROR, [&](DeviceContext& dc) {
    const RECT r = Normalized(RECT{left, top, right, bottom});
    dc.clip = dc.clip ? Intersection(*dc.clip, r) : r;
    const Region area = ClipLocked(dc);
    return area.empty() ? NULLREGION : area.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
  });
}

// The bounds of where drawing may go, in logical coordinates.
WINGDIAPI int WINAPI GetClipBox(HDC handle, LPRECT rect) {
  if (rect == nullptr) return Fail(ERROR_INVALID_PARAMETER, ERROR);
  return WithDc(handle, ERROR, [&](DeviceContext& dc) {
    const Region area = ClipLocked(dc);
    *rect = area.empty() ? RECT{0, 0, 0, 0} : Offset(Bounds(area), -dc.origin.x, -dc.origin.y);
    return area.empty() ? NULLREGION : area.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
  });
}

// Every DC is the display's: 32 bits per pixel, 1024 x 768 at 96 pixels per inch.
WINGDIAPI int WINAPI GetDeviceCaps(HDC handle, int index) {
  {
    std::lock_guard<std::mutex> g(Lock());
    if (DcLocked(handle) == nullptr) return Fail(ERROR_INVALID_HANDLE, 0);
  }
  switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZSIZE: return 271;  // millimetres of 1024 pixels at 96 per inch
    case VERTSIZE: return 203;
    case HORZRES: return 1024;
    case VERTRES: return 768;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case SIZEPALETTE:
    case NUMRESERVED: return 0;
    case COLORRES: return 24;
    default: STANDIN_UNMODELLED_RETURN(0);
  }
}

}  // extern "C"
