// Objects and bitmaps: counting, selection, deletion, and bitmaps read back as DIBs.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "sandbox/test_canvas.h"
#include "sandbox/sandbox.h"

namespace {

using Counts = std::map<std::string, int>;

TEST(GdiObjects, AreCountedByKindUntilDeleted) {
  EXPECT_EQ(sandbox::GdiObjects(), Counts{});
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HPEN pen = CreatePen(PS_SOLID, 1, 0);
  LOGFONT log{};
  log.lfHeight = 16;
  HFONT font = CreateFontIndirect(&log);
  EXPECT_EQ(sandbox::GdiObjects(), (Counts{{"Bitmap", 1}, {"Brush", 1}, {"DC", 1}, {"Font", 1}, {"Pen", 1}}));
  GetStockObject(WHITE_BRUSH);
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN))) << "stock objects stay and are not counted";
  for (HGDIOBJ o : std::initializer_list<HGDIOBJ>{bitmap, brush, pen, font}) EXPECT_TRUE(DeleteObject(o));
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_EQ(sandbox::GdiObjects(), Counts{});
  EXPECT_FALSE(DeleteObject(brush)) << "a stale handle";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(GdiObjects, OneDeletedWhileSelectedGoesWhenItLeavesTheDC) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HBITMAP bitmap = CreateBitmap(2, 2, 1, 1, nullptr);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  SelectObject(dc, bitmap);
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(sandbox::GdiObjects(), (Counts{{"Bitmap", 1}, {"Brush", 1}, {"DC", 1}}));
  EXPECT_EQ(SelectObject(dc, oldBrush), brush);
  EXPECT_EQ(sandbox::GdiObjects(), (Counts{{"Bitmap", 1}, {"DC", 1}}));
  DeleteDC(dc);
  EXPECT_EQ(sandbox::GdiObjects(), Counts{}) << "the DC's end lets the bitmap go";
}

TEST(GdiObjects, ABitmapGoesIntoOneMemoryDCAtATime) {
  HDC first = CreateCompatibleDC(nullptr), second = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(first, bitmap);
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(SelectObject(second, bitmap), nullptr);
  SelectObject(first, old);
  EXPECT_NE(SelectObject(second, bitmap), nullptr) << "free again once the first DC let it go";
  DeleteDC(second);
  DeleteDC(first);
  DeleteObject(bitmap);
}

TEST(Bitmaps, CreateBitmapReadsDeviceDependentRows) {
  // Monochrome rows are padded to 16 bits, most significant bit first, 1 white.
  const BYTE mono[] = {0xA0, 0x00, 0x40, 0x00};
  HBITMAP bitmap = CreateBitmap(3, 2, 1, 1, mono);
  EXPECT_EQ(sandbox::BitmapPicture(bitmap).pixels,
            (std::vector<uint32_t>{0xFFFFFF, 0, 0xFFFFFF, 0, 0xFFFFFF, 0}));
  DeleteObject(bitmap);
  const BYTE colour[] = {0x30, 0x20, 0x10, 0, 0xFF, 0, 0, 0};  // blue, green, red, unused
  bitmap = CreateBitmap(2, 1, 1, 32, colour);
  EXPECT_EQ(sandbox::BitmapPicture(bitmap).pixels, (std::vector<uint32_t>{RGB(0x10, 0x20, 0x30), RGB(0, 0, 0xFF)}));
  DeleteObject(bitmap);
  EXPECT_EQ(CreateBitmap(2, 2, 1, 8, nullptr), nullptr) << "8 bits per pixel are not modelled";
  EXPECT_EQ(sandbox::UnmodelledCalls(), std::vector<std::string>{"CreateBitmap"});
}

TEST(Bitmaps, GetDIBitsAnswersTheHeaderOrTheBits) {
  sandbox::testing::Canvas canvas(3, 2);
  canvas.Set({{RGB(1, 2, 3), RGB(255, 255, 255), 0}, {0, 0, RGB(9, 8, 7)}});
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP mono = CreateBitmap(17, 5, 1, 1, nullptr);
  struct Row {
    HBITMAP bitmap;
    LONG width, height;
    WORD bits;
    DWORD sizeImage;
  } rows[] = {{canvas.bitmap(), 3, 2, 32, 24}, {mono, 17, 5, 1, 20}};
  for (const Row& row : rows) {
    BITMAPINFO info;
    std::memset(&info, 0xEE, sizeof info);
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biBitCount = 0;
    EXPECT_NE(GetDIBits(dc, row.bitmap, 0, 0, nullptr, &info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(info.bmiHeader.biWidth, row.width);
    EXPECT_EQ(info.bmiHeader.biHeight, row.height);
    EXPECT_EQ(info.bmiHeader.biBitCount, row.bits);
    EXPECT_EQ(info.bmiHeader.biPlanes, 1);
    EXPECT_EQ(info.bmiHeader.biSizeImage, row.sizeImage);
  }
  // A bottom-up 24-bit DIB: the last row first, each padded to 4 bytes.
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<BYTE> bits(24, 0xEE);
  EXPECT_EQ(GetDIBits(dc, canvas.bitmap(), 0, 2, bits.data(), &info, DIB_RGB_COLORS), 2);
  EXPECT_EQ(bits, (std::vector<BYTE>{0, 0, 0, 0, 0, 0, 7, 8, 9, 0, 0, 0,  //
                                     3, 2, 1, 255, 255, 255, 0, 0, 0, 0, 0, 0}));
  info.bmiHeader.biSize = 12;
  EXPECT_EQ(GetDIBits(dc, canvas.bitmap(), 0, 0, nullptr, &info, DIB_RGB_COLORS), 0) << "only the 40-byte header";
  DeleteObject(mono);
  DeleteDC(dc);
}

}  // namespace
