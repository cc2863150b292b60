// A memory DC with a bitmap of its own, for tests that draw and read pixels back.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "sandbox/gdi.h"

namespace sandbox::testing {

// A folder beside the test program ("pictures"), made on first use, for the pictures tests save
// for people to look at.
inline std::string PictureFolder() {
  const std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "pictures";
  std::filesystem::create_directories(folder);
  return folder.string();
}

// How many of the picture's pixels show in `colour`.
inline int CountPixels(const Picture& picture, COLORREF colour) {
  return static_cast<int>(std::count(picture.pixels.begin(), picture.pixels.end(), colour));
}

// The bounds of the picture's pixels of `ink`; (width, height, 0, 0) when there is none.
inline RECT InkBounds(const Picture& picture, COLORREF ink) {
  RECT box{picture.width, picture.height, 0, 0};
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      if (picture.At(x, y) == ink) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box;
}

// A rectangle as "(left, top, right, bottom)", for comparisons that print well.
inline std::string Text(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + ")";
}

class Canvas {
 public:
  // A colour canvas (32 bits per pixel) or a monochrome one, filled with `fill`.
  Canvas(int width, int height, bool mono = false, COLORREF fill = RGB(255, 255, 255)) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateBitmap(width, height, 1, mono ? 1 : 32, nullptr);
    old_ = SelectObject(dc_, bitmap_);
    Fill(fill);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }

  void Fill(COLORREF color) {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) SetPixel(dc_, x, y, color);
  }
  // Rows of pixels, top first.
  void Set(std::initializer_list<std::initializer_list<COLORREF>> rows) {
    int y = 0;
    for (const auto& row : rows) {
      int x = 0;
      for (COLORREF c : row) SetPixel(dc_, x++, y, c);
      ++y;
    }
  }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  std::vector<std::vector<COLORREF>> Rows() const {
    std::vector<std::vector<COLORREF>> rows(static_cast<size_t>(height_));
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) rows[static_cast<size_t>(y)].push_back(At(x, y));
    return rows;
  }
  // Each row as text: `ink` where the pixel has that colour, '.' elsewhere.
  std::vector<std::string> Mask(COLORREF ink) const {
    std::vector<std::string> rows;
    for (int y = 0; y < height_; ++y) {
      std::string row;
      for (int x = 0; x < width_; ++x) row += At(x, y) == ink ? '#' : '.';
      rows.push_back(row);
    }
    return rows;
  }
  // The bounds of every pixel that is not `background`; empty when there is none.
  RECT Bounds(COLORREF background) const {
    RECT box{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (At(x, y) != background) {
          box.left = std::min<LONG>(box.left, x);
          box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x + 1);
          box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box.right == 0 ? RECT{0, 0, 0, 0} : box;
  }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace sandbox::testing
