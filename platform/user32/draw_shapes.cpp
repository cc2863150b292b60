// Rectangles, edges and focus frames in the classic 3-D colours.
#include "user_state.h"

using namespace user32;

namespace {

// A brush argument: a handle, or a system colour's index plus one.
HBRUSH Resolve(HBRUSH brush) {
  const auto value = reinterpret_cast<uintptr_t>(brush);
  if (value > 0 && value <= COLOR_INFOBK + 1) return GetSysColorBrush(static_cast<int>(value - 1));
  return brush;
}

void Fill(HDC dc, const RECT& r, int colourIndex) {
  if (r.right > r.left && r.bottom > r.top) FillRect(dc, &r, GetSysColorBrush(colourIndex));
}

struct Border {
  int topLeft, bottomRight;  // system colour indexes
};

}  // namespace

extern "C" {

WINUSERAPI int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  if (rect == nullptr) return Fail(ERROR_INVALID_PARAMETER, 0);
  HGDIOBJ old = SelectObject(dc, Resolve(brush));
  if (old == nullptr) return 0;
  const BOOL done = PatBlt(dc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, PATCOPY);
  SelectObject(dc, old);
  return done ? 1 : 0;
}

WINUSERAPI BOOL WINAPI DrawFocusRect(HDC dc, const RECT* rect) {
  if (rect == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  const auto dot = [&](LONG x, LONG y) {
    if ((x + y) % 2 == 0) PatBlt(dc, x, y, 1, 1, DSTINVERT);
  };
  const RECT r = *rect;
  if (r.right <= r.left || r.bottom <= r.top) return TRUE;
  for (LONG x = r.left; x < r.right; ++x) {
    dot(x, r.top);
    if (r.bottom - 1 > r.top) dot(x, r.bottom - 1);
  }
  for (LONG y = r.top + 1; y < r.bottom - 1; ++y) {
    dot(r.left, y);
    if (r.right - 1 > r.left) dot(r.right - 1, y);
  }
  return TRUE;
}

WINUSERAPI BOOL WINAPI DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags) {
  if (rect == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  if (flags & (BF_DIAGONAL | BF_SOFT | BF_FLAT | BF_MONO)) STANDIN_UNMODELLED_LASTERROR(FALSE);
  std::vector<Border> borders;
  if (edge & BDR_RAISEDOUTER) borders.push_back({COLOR_3DLIGHT, COLOR_3DDKSHADOW});
  else if (edge & BDR_SUNKENOUTER) borders.push_back({COLOR_3DSHADOW, COLOR_3DHIGHLIGHT});
  if (edge & BDR_RAISEDINNER) borders.push_back({COLOR_3DHIGHLIGHT, COLOR_3DSHADOW});
  else if (edge & BDR_SUNKENINNER) borders.push_back({COLOR_3DDKSHADOW, COLOR_3DLIGHT});
  RECT r = *rect;
  // Each border: the top and left lines first, the bottom and right ones over their corners.
  for (const Border& border : borders) {
    if (flags & BF_TOP) Fill(dc, {r.left, r.top, r.right, r.top + 1}, border.topLeft);
    if (flags & BF_LEFT) Fill(dc, {r.left, r.top, r.left + 1, r.bottom}, border.topLeft);
    if (flags & BF_BOTTOM) Fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, border.bottomRight);
    if (flags & BF_RIGHT) Fill(dc, {r.right - 1, r.top, r.right, r.bottom}, border.bottomRight);
    if (flags & BF_TOP) ++r.top;
    if (flags & BF_LEFT) ++r.left;
    if (flags & BF_BOTTOM) --r.bottom;
    if (flags & BF_RIGHT) --r.right;
  }
  if (flags & BF_MIDDLE) Fill(dc, r, COLOR_BTNFACE);
  if (flags & BF_ADJUST) *rect = r;
  return TRUE;
}

}  // extern "C"
