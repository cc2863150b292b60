// A window's standard scroll bars: their range, page and position, and whether they show (the
// WS_HSCROLL and WS_VSCROLL bits of the window's style). They are non-client parts, which are not
// drawn: a window has no frame. Their state is the window's, and goes with it.
#include <algorithm>

#include "user_state.h"

namespace user32 {
namespace {

bool SetShown(HWND window, DWORD bits, bool show) {
  std::lock_guard<std::mutex> g(Lock());
  auto w = FindLocked(window);
  if (!w) return false;
  w->style = show ? (w->style | bits) : (w->style & ~bits);
  return true;
}

}  // namespace
}  // namespace user32

using namespace user32;

extern "C" {

WINUSERAPI int WINAPI SetScrollInfo(HWND window, int bar, LPCSCROLLINFO info, BOOL) {
  if (!IsWindow(window)) return 0;
  if (bar == SB_CTL) STANDIN_UNMODELLED_LASTERROR(0);
  if (info == nullptr || (bar != SB_HORZ && bar != SB_VERT) || info->cbSize != sizeof(SCROLLINFO))
    return Fail(ERROR_INVALID_PARAMETER, 0);
  std::lock_guard<std::mutex> g(Lock());
  auto w = FindLocked(window);
  if (!w) return 0;
  SCROLLINFO& s = w->scrollBars[bar];
  if (info->fMask & SIF_RANGE) {
    s.nMin = info->nMin;
    s.nMax = info->nMax;
  }
  if (info->fMask & SIF_PAGE) s.nPage = info->nPage;
  if (info->fMask & SIF_POS) s.nPos = info->nPos;
  const UINT size = s.nMax >= s.nMin ? static_cast<UINT>(s.nMax - s.nMin + 1) : 0;
  s.nPage = std::min(s.nPage, size);
  const int last = s.nMax - std::max(static_cast<int>(s.nPage) - 1, 0);
  s.nPos = std::clamp(s.nPos, s.nMin, std::max(s.nMin, last));
  return s.nPos;
}

WINUSERAPI BOOL WINAPI GetScrollInfo(HWND window, int bar, LPSCROLLINFO info) {
  if (!IsWindow(window)) return FALSE;
  if (bar == SB_CTL) STANDIN_UNMODELLED_LASTERROR(FALSE);
  if (info == nullptr || (bar != SB_HORZ && bar != SB_VERT) || info->cbSize != sizeof(SCROLLINFO))
    return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::lock_guard<std::mutex> g(Lock());
  auto w = FindLocked(window);
  if (!w) return FALSE;
  const SCROLLINFO& s = w->scrollBars[bar];
  if (info->fMask & SIF_RANGE) {
    info->nMin = s.nMin;
    info->nMax = s.nMax;
  }
  if (info->fMask & SIF_PAGE) info->nPage = s.nPage;
  if (info->fMask & SIF_POS) info->nPos = s.nPos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s.nPos;
  return TRUE;
}

WINUSERAPI BOOL WINAPI ShowScrollBar(HWND window, int bar, BOOL show) {
  if (bar == SB_CTL) STANDIN_UNMODELLED_LASTERROR(FALSE);
  const DWORD bits = bar == SB_HORZ ? WS_HSCROLL : bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL | WS_VSCROLL;
  if (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  return SetShown(window, bits, show != FALSE) ? TRUE : Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
}

WINUSERAPI int WINAPI SetScrollPos(HWND window, int bar, int pos, BOOL redraw) {
  const int previous = GetScrollPos(window, bar);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
  SetScrollInfo(window, bar, &info, redraw);
  return previous;
}

WINUSERAPI int WINAPI GetScrollPos(HWND window, int bar) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
  return GetScrollInfo(window, bar, &info) ? info.nPos : 0;
}

WINUSERAPI BOOL WINAPI SetScrollRange(HWND window, int bar, int minPos, int maxPos, BOOL redraw) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, minPos, maxPos, 0, 0, 0};
  if (!IsWindow(window) || (bar != SB_HORZ && bar != SB_VERT)) return SetScrollInfo(window, bar, &info, redraw) != 0;
  SetScrollInfo(window, bar, &info, redraw);
  return TRUE;
}

WINUSERAPI BOOL WINAPI GetScrollRange(HWND window, int bar, LPINT minPos, LPINT maxPos) {
  if (minPos == nullptr || maxPos == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(window, bar, &info)) return FALSE;
  *minPos = info.nMin;
  *maxPos = info.nMax;
  return TRUE;
}

}  // extern "C"
