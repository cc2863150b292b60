// The sandbox's view of gdi32: live objects by kind and pictures of bitmaps.
#include "gdi_state.h"
#include "sandbox/gdi.h"

using namespace gdi32;

namespace sandbox {

std::map<std::string, int> GdiObjects() {
  std::map<std::string, int> counts;
  std::lock_guard<std::mutex> g(Lock());
  for (const auto& [value, object] : S().objects) {
    if (object->permanent) continue;
    switch (object->kind) {
      case Kind::kDC: ++counts["DC"]; break;
      case Kind::kBitmap: ++counts["Bitmap"]; break;
      case Kind::kBrush: ++counts["Brush"]; break;
      case Kind::kPen: ++counts["Pen"]; break;
      case Kind::kFont: ++counts["Font"]; break;
    }
  }
  return counts;
}

Picture BitmapPicture(const void* bitmap) {
  std::shared_ptr<Surface> surface;
  {
    std::lock_guard<std::mutex> g(Lock());
    if (Object* object = FindLocked(const_cast<void*>(bitmap), Kind::kBitmap))
      surface = std::get<BitmapObject>(object->data).surface;
  }
  if (!surface) {
    internal::Fail("BitmapPicture: the handle is no bitmap");
    return {};
  }
  std::lock_guard<std::mutex> g(Lock());
  return Picture{surface->width, surface->height, surface->pixels};
}

}  // namespace sandbox
