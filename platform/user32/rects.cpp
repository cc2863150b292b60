// Rectangle arithmetic.
#include <windows.h>

extern "C" {

WINUSERAPI BOOL WINAPI InflateRect(LPRECT rect, int dx, int dy) {
  if (rect == nullptr) return FALSE;
  rect->left -= dx;
  rect->top -= dy;
  rect->right += dx;
  rect->bottom += dy;
  return TRUE;
}

WINUSERAPI BOOL WINAPI OffsetRect(LPRECT rect, int dx, int dy) {
  if (rect == nullptr) return FALSE;
  rect->left += dx;
  rect->right += dx;
  rect->top += dy;
  rect->bottom += dy;
  return TRUE;
}

}  // extern "C"
