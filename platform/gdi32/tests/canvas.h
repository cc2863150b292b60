// A memory DC with a bitmap of its own, for tests that draw and read pixels back.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace testing_gdi {

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

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace testing_gdi
