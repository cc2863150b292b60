// A surface: what a DC draws into. A bitmap's pixels, a top-level window's picture, the screen.
// Pixels are COLORREF values (0x00BBGGRR); a monochrome surface holds only black (0) and white
// (0x00FFFFFF), so the raster operations work on both alike, bit by bit.
#pragma once

#include <windef.h>

#include <cstddef>
#include <vector>

namespace gdi32 {

constexpr COLORREF kBlack = 0x000000, kWhite = 0xFFFFFF;

struct Surface {
  Surface(int w, int h, bool isMono)
      : width(w), height(h), mono(isMono), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), kBlack) {}
  int width;
  int height;
  bool mono;
  std::vector<COLORREF> pixels;  // row after row, from the top

  COLORREF& At(int x, int y) { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
  COLORREF At(int x, int y) const {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
  RECT Bounds() const { return {0, 0, width, height}; }
};

// A colour on a monochrome surface: white when its brightness, (R + G + B) / 3, is at least half.
inline COLORREF ToMono(COLORREF c) {
  const unsigned sum = (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF);
  return sum >= 3 * 128 ? kWhite : kBlack;
}

}  // namespace gdi32
