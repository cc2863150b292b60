// CreateMappedBitmap: a bitmap resource whose colours are replaced as the map says, pixel by pixel.
#include <commctrl.h>

#include <vector>

#include "sandbox/internal.h"

extern "C" {

WINCOMMCTRLAPI HBITMAP WINAPI CreateMappedBitmap(HINSTANCE instance, INT_PTR idBitmap, UINT flags, LPCOLORMAP colorMap,
                                                 int numMaps) {
  if (flags & CMB_MASKED) STANDIN_UNMODELLED_RETURN(nullptr);
  // The default map: the classic 3-D greys and black and white follow the system colours.
  std::vector<COLORMAP> map;
  if (colorMap == nullptr) {
    map = {{RGB(0, 0, 0), GetSysColor(COLOR_BTNTEXT)},
           {RGB(128, 128, 128), GetSysColor(COLOR_BTNSHADOW)},
           {RGB(192, 192, 192), GetSysColor(COLOR_BTNFACE)},
           {RGB(255, 255, 255), GetSysColor(COLOR_BTNHIGHLIGHT)}};
  } else {
    map.assign(colorMap, colorMap + (numMaps > 0 ? numMaps : 0));
  }
  HBITMAP source = LoadBitmap(instance, MAKEINTRESOURCE(idBitmap));
  if (source == nullptr) return nullptr;
  BITMAP bm{};
  GetObject(source, sizeof bm, &bm);
  HBITMAP mapped = CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 32, nullptr);
  HDC from = CreateCompatibleDC(nullptr), to = CreateCompatibleDC(nullptr);
  HGDIOBJ oldFrom = SelectObject(from, source), oldTo = SelectObject(to, mapped);
  for (int y = 0; y < bm.bmHeight; ++y)
    for (int x = 0; x < bm.bmWidth; ++x) {
      COLORREF color = GetPixel(from, x, y);
      for (const COLORMAP& entry : map)
        if (entry.from == color) {
          color = entry.to;
          break;
        }
      SetPixel(to, x, y, color);
    }
  SelectObject(from, oldFrom);
  SelectObject(to, oldTo);
  DeleteDC(from);
  DeleteDC(to);
  DeleteObject(source);
  return mapped;
}

}  // extern "C"
