// The sandbox's pictures of windows: what the window shows once its pending paints are done.
#include "painting.h"
#include "sandbox/gdi.h"

using namespace user32;

namespace sandbox {

Picture WindowPicture(const void* window) {
  const HWND handle = static_cast<HWND>(const_cast<void*>(window));
  if (!IsWindow(handle)) {
    internal::Fail("WindowPicture: the handle is no window");
    return {};
  }
  RedrawWindow(handle, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  std::shared_ptr<gdi32::Surface> surface;
  RECT area{};
  {
    std::lock_guard<std::mutex> g(Lock());
    auto w = FindLocked(handle);
    if (!w || !ShowsLocked(*w)) return {};
    surface = SurfaceLocked(*FindLocked(RootLocked(handle)));
    const POINT at = OffsetInRootLocked(*w);
    area = {at.x, at.y, at.x + (w->rect.right - w->rect.left), at.y + (w->rect.bottom - w->rect.top)};
  }
  const gdi32::Surface pixels = gdi32::Snapshot(*surface);
  Picture picture{area.right - area.left, area.bottom - area.top, {}};
  picture.pixels.assign(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height), 0);
  for (LONG y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, pixels.height); ++y)
    for (LONG x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, pixels.width); ++x)
      picture.pixels[static_cast<size_t>((y - area.top) * picture.width + (x - area.left))] = pixels.At(x, y);
  return picture;
}

}  // namespace sandbox
