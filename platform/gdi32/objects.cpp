// Objects: stock objects, solid brushes, pens, what GetObject tells of each, and deletion.
#include <algorithm>
#include <cstring>

#include "gdi32_internal.h"
#include "gdi_state.h"

using namespace gdi32;

namespace gdi32 {

HBRUSH CreatePermanentBrush(COLORREF color) {
  std::lock_guard<std::mutex> g(Lock());
  return static_cast<HBRUSH>(AddLocked(Kind::kBrush, BrushObject{LOGBRUSH{BS_SOLID, color & 0xFFFFFF, 0}}, true));
}

void SetPermanentBrushColor(HBRUSH brush, COLORREF color) {
  std::lock_guard<std::mutex> g(Lock());
  if (Object* object = FindLocked(brush, Kind::kBrush); object != nullptr && object->permanent)
    std::get<BrushObject>(object->data).log.lbColor = color & 0xFFFFFF;
}

}  // namespace gdi32

namespace {

// Copies `value` into the caller's buffer as GetObject does: the size needed without a buffer,
// else at most `size` bytes.
template <class T>
int CopyOut(const T& value, int size, LPVOID buffer) {
  if (buffer == nullptr) return static_cast<int>(sizeof(T));
  if (size <= 0) return 0;
  const size_t n = std::min(static_cast<size_t>(size), sizeof(T));
  std::memcpy(buffer, &value, n);
  return static_cast<int>(n);
}

}  // namespace

extern "C" {

// DEFAULT_PALETTE: palettes are not modelled.
WINGDIAPI HGDIOBJ WINAPI GetStockObject(int index) {
  if (index == DEFAULT_PALETTE) STANDIN_UNMODELLED_RETURN(nullptr);
  std::lock_guard<std::mutex> g(Lock());
  EnsureStockLocked();
  if (index < 0 || index > DEFAULT_GUI_FONT) return nullptr;
  return S().stock[index];
}

WINGDIAPI BOOL WINAPI DeleteObject(HGDIOBJ handle) {
  std::lock_guard<std::mutex> g(Lock());
  Object* object = FindLocked(handle);
  if (object == nullptr || object->kind == Kind::kDC) return Fail(ERROR_INVALID_HANDLE, FALSE);
  ReleaseLocked(*object);
  return TRUE;
}

WINGDIAPI DWORD WINAPI GetObjectType(HGDIOBJ handle) {
  std::lock_guard<std::mutex> g(Lock());
  Object* object = FindLocked(handle);
  if (object == nullptr) return Fail(ERROR_INVALID_HANDLE, 0u);
  switch (object->kind) {
    case Kind::kDC: return std::get<DeviceContext>(object->data).memory ? OBJ_MEMDC : OBJ_DC;
    case Kind::kBitmap: return OBJ_BITMAP;
    case Kind::kBrush: return OBJ_BRUSH;
    case Kind::kPen: return OBJ_PEN;
    case Kind::kFont: return OBJ_FONT;
  }
  return 0;
}

// BITMAP (the device-dependent bitmap's rows padded to 16 bits, no bits pointer), LOGBRUSH, LOGPEN
// or LOGFONT; a DC has none.
WINGDIAPI int WINAPI GetObject(HGDIOBJ handle, int size, LPVOID buffer) {
  std::lock_guard<std::mutex> g(Lock());
  Object* object = FindLocked(handle);
  if (object == nullptr || object->kind == Kind::kDC) return Fail(ERROR_INVALID_HANDLE, 0);
  switch (object->kind) {
    case Kind::kBitmap: {
      const Surface& s = *std::get<BitmapObject>(object->data).surface;
      const WORD bits = s.mono ? 1 : 32;
      const LONG widthBytes = ((s.width * bits + 15) / 16) * 2;
      return CopyOut(BITMAP{0, s.width, s.height, widthBytes, 1, bits, nullptr}, size, buffer);
    }
    case Kind::kBrush: return CopyOut(std::get<BrushObject>(object->data).log, size, buffer);
    case Kind::kPen: return CopyOut(std::get<PenObject>(object->data).log, size, buffer);
    case Kind::kFont: return CopyOut(std::get<FontObject>(object->data).log, size, buffer);
    case Kind::kDC: break;
  }
  return 0;
}

WINGDIAPI HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  std::lock_guard<std::mutex> g(Lock());
  return static_cast<HBRUSH>(AddLocked(Kind::kBrush, BrushObject{LOGBRUSH{BS_SOLID, color & 0xFFFFFF, 0}}));
}

// Solid and hollow brushes; hatched and pattern brushes are not modelled.
WINGDIAPI HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* brush) {
  if (brush == nullptr) return Fail<HBRUSH>(ERROR_INVALID_PARAMETER, nullptr);
  if (brush->lbStyle != BS_SOLID && brush->lbStyle != BS_NULL) STANDIN_UNMODELLED_LASTERROR(nullptr);
  std::lock_guard<std::mutex> g(Lock());
  LOGBRUSH log = *brush;
  log.lbColor &= 0xFFFFFF;
  return static_cast<HBRUSH>(AddLocked(Kind::kBrush, BrushObject{log}));
}

// PS_SOLID pens (lines 1 pixel wide whatever the width) and PS_NULL; dashed and inside-frame
// styles are not modelled.
WINGDIAPI HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
  if (style != PS_SOLID && style != PS_NULL) STANDIN_UNMODELLED_LASTERROR(nullptr);
  if (width > 1) sandbox::internal::ReportUnmodelled("CreatePen(width > 1)");
  std::lock_guard<std::mutex> g(Lock());
  return static_cast<HPEN>(
      AddLocked(Kind::kPen, PenObject{LOGPEN{static_cast<UINT>(style), {std::max(width, 0), 0}, color & 0xFFFFFF}}));
}

WINGDIAPI HPEN WINAPI CreatePenIndirect(const LOGPEN* pen) {
  if (pen == nullptr) return Fail<HPEN>(ERROR_INVALID_PARAMETER, nullptr);
  return CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

}  // extern "C"
