// Lines with the current pen: one pixel wide, the end point left out.
#include <cstdlib>

#include "draw.h"

using namespace gdi32;

extern "C" {

WINGDIAPI BOOL WINAPI MoveToEx(HDC handle, int x, int y, LPPOINT previous) {
  std::lock_guard<std::mutex> g(Lock());
  DeviceContext* dc = DcLocked(handle);
  if (dc == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (previous != nullptr) *previous = dc->position;
  dc->position = {x, y};
  return TRUE;
}

// Bresenham's line from the current position to (x, y), which becomes the current position.
WINGDIAPI BOOL WINAPI LineTo(HDC handle, int x, int y) {
  std::lock_guard<std::mutex> g(Lock());
  DeviceContext* dc = DcLocked(handle);
  if (dc == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  const POINT from = dc->position;
  dc->position = {x, y};
  Object* pen = FindLocked(dc->pen, Kind::kPen);
  if (pen == nullptr || !dc->surface) return TRUE;
  const LOGPEN& log = std::get<PenObject>(pen->data).log;
  if (log.lopnStyle == PS_NULL) return TRUE;
  const Region clip = ClipLocked(*dc);
  LONG px = from.x, py = from.y;
  const LONG dx = std::abs(x - px), dy = -std::abs(y - py);
  const LONG sx = px < x ? 1 : -1, sy = py < y ? 1 : -1;
  LONG error = dx + dy;
  while (px != x || py != y) {
    PlotLocked(*dc, clip, px, py, log.lopnColor);
    const LONG e2 = 2 * error;
    if (e2 >= dy) {
      error += dy;
      px += sx;
    }
    if (e2 <= dx) {
      error += dx;
      py += sy;
    }
  }
  return TRUE;
}

}  // extern "C"
