// Image lists: each image kept as its pixels and its mask, drawn pixel by pixel (images are small:
// icons and check marks), so clipping and the DC's surface are gdi32's business.
#include <commctrl.h>

#include <mutex>
#include <set>
#include <vector>

#include "sandbox/comctl32.h"
#include "sandbox/internal.h"

struct _IMAGELIST {
  struct Image {
    std::vector<COLORREF> pixels;  // row after row
    std::vector<bool> clear;       // transparent pixels
  };
  int cx = 0, cy = 0;
  UINT flags = 0;
  COLORREF background = CLR_NONE;
  std::vector<Image> images;
};

namespace {

struct Lists {
  std::mutex lock;
  std::set<HIMAGELIST> live;
};

Lists& L() {
  static Lists* lists = new Lists;  // never destroyed: lists may go during exit
  return *lists;
}

bool Live(HIMAGELIST list) {
  std::lock_guard<std::mutex> g(L().lock);
  return L().live.count(list) != 0;
}

// The bitmap's pixels, row after row; empty when it cannot be read (no bitmap, or selected into a
// DC, which a bitmap can be only one of).
std::vector<COLORREF> PixelsOf(HBITMAP bitmap, int& width, int& height) {
  BITMAP bm{};
  if (bitmap == nullptr || GetObject(bitmap, sizeof bm, &bm) == 0) return {};
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  std::vector<COLORREF> pixels;
  if (old != nullptr) {
    width = bm.bmWidth;
    height = bm.bmHeight;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
  }
  DeleteDC(dc);
  return pixels;
}

// Cuts the pixels into images of the list's size; a pixel is clear where `isClear` says so.
template <class IsClear>
int AddImages(HIMAGELIST list, const std::vector<COLORREF>& pixels, int width, int height, IsClear isClear) {
  if (!Live(list) || pixels.empty() || list->cx <= 0 || width < list->cx || height < list->cy) return -1;
  const int first = static_cast<int>(list->images.size());
  const bool masked = (list->flags & ILC_MASK) != 0;
  for (int left = 0; left + list->cx <= width; left += list->cx) {
    _IMAGELIST::Image image;
    for (int y = 0; y < list->cy; ++y)
      for (int x = left; x < left + list->cx; ++x) {
        const size_t at = static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
        image.pixels.push_back(pixels[at]);
        image.clear.push_back(masked && isClear(at));
      }
    list->images.push_back(std::move(image));
  }
  return first;
}

}  // namespace

extern "C" {

WINCOMMCTRLAPI HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT flags, int, int) {
  if (cx <= 0 || cy <= 0) return nullptr;
  auto* list = new _IMAGELIST;
  list->cx = cx;
  list->cy = cy;
  list->flags = flags;
  std::lock_guard<std::mutex> g(L().lock);
  L().live.insert(list);
  return list;
}

WINCOMMCTRLAPI BOOL WINAPI ImageList_Destroy(HIMAGELIST list) {
  {
    std::lock_guard<std::mutex> g(L().lock);
    if (L().live.erase(list) == 0) return FALSE;
  }
  delete list;
  return TRUE;
}

WINCOMMCTRLAPI int WINAPI ImageList_GetImageCount(HIMAGELIST list) {
  return Live(list) ? static_cast<int>(list->images.size()) : 0;
}

WINCOMMCTRLAPI BOOL WINAPI ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
  if (!Live(list) || cx == nullptr || cy == nullptr) return FALSE;
  *cx = list->cx;
  *cy = list->cy;
  return TRUE;
}

WINCOMMCTRLAPI int WINAPI ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
  int width = 0, height = 0;
  const std::vector<COLORREF> pixels = PixelsOf(image, width, height);
  if (mask == nullptr) return AddImages(list, pixels, width, height, [](size_t) { return false; });
  int maskWidth = 0, maskHeight = 0;
  const std::vector<COLORREF> maskPixels = PixelsOf(mask, maskWidth, maskHeight);
  if (maskWidth < width || maskHeight < height) return -1;
  return AddImages(list, pixels, width, height, [&](size_t at) {
    const size_t x = at % static_cast<size_t>(width), y = at / static_cast<size_t>(width);
    return maskPixels[y * static_cast<size_t>(maskWidth) + x] == RGB(255, 255, 255);
  });
}

WINCOMMCTRLAPI int WINAPI ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask) {
  int width = 0, height = 0;
  const std::vector<COLORREF> pixels = PixelsOf(image, width, height);
  return AddImages(list, pixels, width, height, [&](size_t at) { return pixels[at] == mask; });
}

WINCOMMCTRLAPI COLORREF WINAPI ImageList_SetBkColor(HIMAGELIST list, COLORREF color) {
  if (!Live(list)) return CLR_NONE;
  const COLORREF previous = list->background;
  list->background = color;
  return previous;
}

WINCOMMCTRLAPI COLORREF WINAPI ImageList_GetBkColor(HIMAGELIST list) {
  return Live(list) ? list->background : CLR_NONE;
}

WINCOMMCTRLAPI BOOL WINAPI ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
  if (style & (ILD_BLEND25 | ILD_BLEND50)) STANDIN_UNMODELLED_RETURN(FALSE);
  if (!Live(list) || index < 0 || static_cast<size_t>(index) >= list->images.size()) return FALSE;
  const _IMAGELIST::Image& image = list->images[static_cast<size_t>(index)];
  const bool transparent = (style & ILD_TRANSPARENT) || list->background == CLR_NONE;
  for (int j = 0; j < list->cy; ++j)
    for (int i = 0; i < list->cx; ++i) {
      const size_t at = static_cast<size_t>(j) * static_cast<size_t>(list->cx) + static_cast<size_t>(i);
      if (style & ILD_MASK) {
        SetPixel(dc, x + i, y + j, image.clear[at] ? RGB(255, 255, 255) : RGB(0, 0, 0));
      } else if (!image.clear[at]) {
        SetPixel(dc, x + i, y + j, image.pixels[at]);
      } else if (!transparent) {
        SetPixel(dc, x + i, y + j, list->background);
      }
    }
  return TRUE;
}

WINCOMMCTRLAPI HIMAGELIST WINAPI ImageList_LoadImage(HINSTANCE instance, LPCSTR name, int cx, int, COLORREF mask,
                                                     UINT type, UINT flags) {
  if (type != IMAGE_BITMAP || flags != LR_DEFAULTCOLOR) STANDIN_UNMODELLED_RETURN(nullptr);
  HBITMAP bitmap = LoadBitmap(instance, name);
  if (bitmap == nullptr) return nullptr;
  BITMAP bm{};
  GetObject(bitmap, sizeof bm, &bm);
  HIMAGELIST list = ImageList_Create(cx, bm.bmHeight, mask == CLR_NONE ? ILC_COLOR : ILC_MASK, 0, 0);
  const int added = mask == CLR_NONE ? ImageList_Add(list, bitmap, nullptr) : ImageList_AddMasked(list, bitmap, mask);
  DeleteObject(bitmap);
  if (added < 0) {
    ImageList_Destroy(list);
    return nullptr;
  }
  return list;
}

}  // extern "C"

namespace sandbox {

size_t LiveImageLists() {
  std::lock_guard<std::mutex> g(L().lock);
  return L().live.size();
}

}  // namespace sandbox
