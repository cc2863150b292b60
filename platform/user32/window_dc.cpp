// Window DCs: the top-level window's picture, clipped to where the window shows; the screen.
#include "painting.h"

using namespace user32;

namespace user32 {

// A DC for the window (the screen for NULL or the desktop), clipped further to `clip` (client
// coordinates) when given.
HDC WindowDC(HWND window, const RECT* clip) {
  std::shared_ptr<gdi32::Surface> surface;
  POINT origin{0, 0};
  gdi32::Region visible;
  {
    std::lock_guard<std::mutex> g(Lock());
    if (window == nullptr || window == S().desktop) {
      surface = nullptr;
    } else {
      auto w = FindLocked(window);
      if (!w) return Fail<HDC>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
      auto root = FindLocked(RootLocked(window));
      surface = SurfaceLocked(*root);
      origin = OffsetInRootLocked(*w);
      visible = VisibleLocked(*w);
      if (clip != nullptr) visible = gdi32::Intersect(visible, gdi32::Offset(*clip, origin.x, origin.y));
    }
  }
  if (!surface) {
    surface = gdi32::ScreenSurface();
    visible = {surface->Bounds()};
  }
  return gdi32::CreateSurfaceDC(surface, origin, visible);
}

}  // namespace user32

extern "C" {

WINUSERAPI HDC WINAPI GetDC(HWND window) { return WindowDC(window, nullptr); }

// There is no frame: the window's DC and its client DC cover the same pixels.
WINUSERAPI HDC WINAPI GetWindowDC(HWND window) { return WindowDC(window, nullptr); }

// 1 when the DC was released; 0 for a DC that GetDC did not give (a memory DC, a stale handle).
WINUSERAPI int WINAPI ReleaseDC(HWND, HDC dc) {
  if (GetObjectType(dc) != OBJ_DC) return 0;
  return DeleteDC(dc) ? 1 : 0;
}

}  // extern "C"
